// Where a popup sits and how it slides, its gradient colours and its text position: plain
// arithmetic without Win32, so it also runs under the native sanitizer build.
#pragma once

#include <cstdint>

namespace quendrel::popup {

// Taskbar edges as the shell names them (ABE_LEFT .. ABE_BOTTOM); -1 when the shell does not say.
constexpr int kEdgeUnknown = -1;
constexpr int kEdgeLeft = 0;
constexpr int kEdgeTop = 1;
constexpr int kEdgeRight = 2;
constexpr int kEdgeBottom = 3;

struct PopupBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PopupBounds&, const PopupBounds&) = default;
};

struct WorkRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The edge a taskbar rectangle lies on: a square corner at the origin means left or top (by its
// shape), otherwise a rectangle starting lower than it starts left is at the bottom, else right.
int TaskbarEdgeFromRect(int left, int top, int right, int bottom);

// The edge a popup comes out of. Without a known taskbar it is the work area's bottom edge, so the
// popup still lands in the corner and slides away on its own instead of staying until clicked.
int PopupEdge(int taskbarEdge);

// Whether one more cascaded popup fits in the work area: the same sum is checked against its bottom
// whichever edge the stack grows from.
bool RoomForPopup(const WorkRect& workArea, int stackOffset, int height, int startY);

// The full-size position against the edge; startX and startY are the distances from the work
// area's side and taskbar edges, stackOffset the room taken by earlier popups of the stack.
PopupBounds PlacePopup(int edge, const WorkRect& workArea, int startX, int startY, int stackOffset, int width,
                       int height);

// The popup folded into its edge before it slides in (1 pixel deep, at the edge).
PopupBounds CollapseIntoEdge(int edge, PopupBounds full);

// What a slide-in step needs besides the current bounds; read afresh at every tick.
struct SlideFrame {
  WorkRect workArea;
  int startX = 0;
  int startY = 0;
  int ownOffset = 0;
  int fullWidth = 0;
  int fullHeight = 0;
  int speed = 1;
};

// One slide-in step; true when it was the last (the popup has its full size).
bool SlideInStep(int edge, PopupBounds& bounds, const SlideFrame& frame);
// One slide-out step; false when the popup is as small as it gets and closes instead.
bool SlideOutStep(int edge, PopupBounds& bounds, int speed);

// a * b / c on a 64-bit product, rounded to the nearest integer with halves away from zero, as
// Windows' MulDiv does; -1 for c = 0 and for results outside 32 bits, as there.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c);

// Gradient line i of n between two RGB colours ($00BBGGRR). Line 0 is c1, line n is c2; a
// gradient of no lines (n <= 0) is plain c1.
std::uint32_t BlendRGB(std::uint32_t c1, std::uint32_t c2, int i, int n);

// The offset that centres inner in outer: half the difference, halves to the even neighbour.
int CenterOffset(int outer, int inner);

}  // namespace quendrel::popup

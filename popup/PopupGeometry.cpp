#include "popup/PopupGeometry.h"

#include <cstdlib>
#include <limits>

namespace quendrel::popup {

int TaskbarEdgeFromRect(int left, int top, int right, int bottom) {
  if (left == top && bottom > right) return kEdgeLeft;
  if (left == top && bottom < right) return kEdgeTop;
  if (left < top) return kEdgeBottom;
  return kEdgeRight;
}

int PopupEdge(int taskbarEdge) {
  return taskbarEdge >= kEdgeLeft && taskbarEdge <= kEdgeBottom ? taskbarEdge : kEdgeBottom;
}

bool RoomForPopup(const WorkRect& workArea, int stackOffset, int height, int startY) {
  const std::int64_t needed = std::int64_t{stackOffset} + height + startY;
  return needed <= workArea.bottom;
}

PopupBounds PlacePopup(int edge, const WorkRect& workArea, int startX, int startY, int stackOffset, int width,
                       int height) {
  PopupBounds b{0, 0, width, height};
  switch (PopupEdge(edge)) {
    case kEdgeLeft:
      b.left = workArea.left + startX;
      b.top = workArea.bottom - startY - height - stackOffset;
      break;
    case kEdgeTop:
      b.left = workArea.right - width - startX;
      b.top = workArea.top + startY + stackOffset;
      break;
    default:
      b.left = workArea.right - width - startX;
      b.top = workArea.bottom - startY - height - stackOffset;
      break;
  }
  return b;
}

PopupBounds CollapseIntoEdge(int edge, PopupBounds full) {
  switch (PopupEdge(edge)) {
    case kEdgeLeft:
      full.width = 1;
      break;
    case kEdgeTop:
      full.height = 1;
      break;
    case kEdgeRight:
      full.left += full.width;
      full.width = 1;
      break;
    default:
      full.top += full.height;
      full.height = 1;
      break;
  }
  return full;
}

bool SlideInStep(int edge, PopupBounds& b, const SlideFrame& f) {
  const int s = f.speed;
  switch (PopupEdge(edge)) {
    case kEdgeLeft:
      if (b.width + s < f.fullWidth) {
        b.width += s;
        return false;
      }
      b.width = f.fullWidth;
      return true;
    case kEdgeTop:
      if (b.height + s < f.fullHeight) {
        b.height += s;
        return false;
      }
      b.height = f.fullHeight;
      return true;
    case kEdgeRight:
      if (b.width + s < f.fullWidth) {
        b.left -= s;
        b.width += s;
        return false;
      }
      b.width = f.fullWidth;
      b.left = f.workArea.right - f.startX - b.width;
      return true;
    default:
      if (b.height + s < f.fullHeight) {
        b.top -= s;
        b.height += s;
        return false;
      }
      b.height = f.fullHeight;
      b.top = f.workArea.bottom - f.startY - b.height - f.ownOffset;
      return true;
  }
}

bool SlideOutStep(int edge, PopupBounds& b, int s) {
  switch (PopupEdge(edge)) {
    case kEdgeLeft:
      if (b.width - s <= 0) return false;
      b.width -= s;
      return true;
    case kEdgeTop:
      if (b.height - s <= 0) return false;
      b.height -= s;
      return true;
    case kEdgeRight:
      if (b.width - s <= 0) return false;
      b.left += s;
      b.width -= s;
      return true;
    default:
      if (b.height - s <= 0) return false;
      b.top += s;
      b.height -= s;
      return true;
  }
}

std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = std::int64_t{a} * b;
  const std::int64_t magnitude = (std::llabs(product) + std::llabs(std::int64_t{c}) / 2) / std::llabs(std::int64_t{c});
  const std::int64_t result = (product < 0) != (c < 0) ? -magnitude : magnitude;
  if (result > std::numeric_limits<std::int32_t>::max() || result < std::numeric_limits<std::int32_t>::min()) {
    return -1;
  }
  return static_cast<std::int32_t>(result);
}

std::uint32_t BlendRGB(std::uint32_t c1, std::uint32_t c2, int i, int n) {
  if (n <= 0) return c1 & 0xFFFFFF;
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int from = static_cast<int>((c1 >> shift) & 0xFF);
    const int to = static_cast<int>((c2 >> shift) & 0xFF);
    int channel = from + MulDivRound(i, to - from, n);
    // Lines outside 0..n would leave the channel's range; keep them at the nearer end.
    channel = channel < 0 ? 0 : channel > 255 ? 255 : channel;
    result |= static_cast<std::uint32_t>(channel) << shift;
  }
  return result;
}

int CenterOffset(int outer, int inner) {
  const std::int64_t twice = std::int64_t{outer} - inner;
  std::int64_t half = twice / 2;  // truncated towards zero
  if (twice % 2 != 0) {
    // Exactly half way between half and its neighbour away from zero: take the even one.
    const std::int64_t other = twice > 0 ? half + 1 : half - 1;
    half = (half % 2 == 0) ? half : other;
  }
  return static_cast<int>(half);
}

}  // namespace quendrel::popup

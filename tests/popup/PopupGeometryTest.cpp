// Placement against each taskbar edge, the slide steps, the gradient colours and text centring.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "popup/PopupGeometry.h"

namespace quendrel::popup {
namespace {

// Wine's virtual desktop with its taskbar: 1024 x 768, the work area above a 20-pixel bar.
constexpr WorkRect kWorkArea{0, 0, 1024, 748};

TEST(PopupGeometryTest, TaskbarEdgeFromItsRectangle) {
  const struct {
    int left, top, right, bottom, edge;
  } cases[] = {
      {0, 0, 60, 768, kEdgeLeft},       {0, 0, 1024, 30, kEdgeTop},        {964, 0, 1024, 768, kEdgeRight},
      {0, 738, 1024, 768, kEdgeBottom}, {0, 767, 1024, 768, kEdgeBottom},  // Wine's 1-pixel answer
      {-2, -2, 1026, 30, kEdgeTop},     {-2, 738, 1026, 770, kEdgeBottom},  // bars hanging off screen
  };
  for (const auto& c : cases) {
    if (TaskbarEdgeFromRect(c.left, c.top, c.right, c.bottom) != c.edge)
      ADD_FAILURE() << c.left << "," << c.top << "," << c.right << "," << c.bottom << " gives "
                    << TaskbarEdgeFromRect(c.left, c.top, c.right, c.bottom) << ", expected " << c.edge;
  }
}

TEST(PopupGeometryTest, PlacementCollapseAndSlideOnEveryEdge) {
  // Default popup 148 x 121, 16 from the side, 2 from the edge, 10 pixels of stack below it.
  const struct {
    int edge;
    WorkRect workArea;
    PopupBounds full, collapsed;
  } cases[] = {
      {kEdgeBottom, kWorkArea, {860, 615, 148, 121}, {860, 736, 148, 1}},
      {kEdgeTop, {0, 30, 1024, 768}, {860, 42, 148, 121}, {860, 42, 148, 1}},
      {kEdgeLeft, {60, 0, 1024, 768}, {76, 635, 148, 121}, {76, 635, 1, 121}},
      {kEdgeRight, {0, 0, 964, 768}, {800, 635, 148, 121}, {948, 635, 1, 121}},
      // No taskbar known: the corner above the work area's bottom edge, sliding as from the bottom.
      {kEdgeUnknown, {0, 0, 1024, 768}, {860, 635, 148, 121}, {860, 756, 148, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edge);
    const PopupBounds full = PlacePopup(c.edge, c.workArea, 16, 2, 10, 148, 121);
    EXPECT_EQ(full, c.full);
    PopupBounds b = CollapseIntoEdge(c.edge, full);
    EXPECT_EQ(b, c.collapsed);
    const SlideFrame frame{c.workArea, 16, 2, 10, 148, 121, 9};
    int ticks = 1;
    while (!SlideInStep(c.edge, b, frame) && ticks < 100) ++ticks;
    EXPECT_EQ(b, c.full) << "after " << ticks << " ticks";
    while (SlideOutStep(c.edge, b, 9) && ticks < 200) ++ticks;
    // Slid back into its edge: a few pixels deep, still hanging on the side it grew from.
    switch (PopupEdge(c.edge)) {
      case kEdgeLeft: EXPECT_EQ(b.left, full.left); EXPECT_LE(b.width, 9); break;
      case kEdgeTop: EXPECT_EQ(b.top, full.top); EXPECT_LE(b.height, 9); break;
      case kEdgeRight: EXPECT_EQ(b.left + b.width, full.left + full.width); EXPECT_LE(b.width, 9); break;
      default: EXPECT_EQ(b.top + b.height, full.top + full.height); EXPECT_LE(b.height, 9); break;
    }
  }
}

TEST(PopupGeometryTest, SlideTickSequencesAtTheBottom) {
  const PopupBounds full = PlacePopup(kEdgeBottom, kWorkArea, 16, 2, 0, 148, 121);
  PopupBounds b = CollapseIntoEdge(kEdgeBottom, full);
  const SlideFrame frame{kWorkArea, 16, 2, 0, 148, 121, 9};
  std::vector<int> heights{b.height};
  while (!SlideInStep(kEdgeBottom, b, frame)) {
    heights.push_back(b.height);
    EXPECT_EQ(b.top + b.height, 747);  // grows upwards from just below its final bottom edge
  }
  heights.push_back(b.height);
  EXPECT_EQ(heights, (std::vector<int>{1, 10, 19, 28, 37, 46, 55, 64, 73, 82, 91, 100, 109, 118, 121}));
  EXPECT_EQ(b, full);

  std::vector<int> down{b.height};
  int ticks = 0;
  for (;;) {
    ++ticks;
    if (!SlideOutStep(kEdgeBottom, b, 9)) break;
    down.push_back(b.height);
    EXPECT_EQ(b.top + b.height, 746);
  }
  EXPECT_EQ(down, (std::vector<int>{121, 112, 103, 94, 85, 76, 67, 58, 49, 40, 31, 22, 13, 4}));
  EXPECT_EQ(ticks, 14);  // the 14th tick closes
}

TEST(PopupGeometryTest, LastSlideInStepFollowsAMovedStartOrWorkArea) {
  PopupBounds b{860, 700, 148, 118};
  SlideFrame frame{kWorkArea, 16, 2, 0, 148, 121, 9};
  frame.startY = 40;  // changed on the component while the popup slides in
  EXPECT_TRUE(SlideInStep(kEdgeBottom, b, frame));
  EXPECT_EQ(b, (PopupBounds{860, 748 - 40 - 121, 148, 121}));

  PopupBounds r{870, 600, 140, 121};
  frame.workArea.right = 900;
  EXPECT_TRUE(SlideInStep(kEdgeRight, r, frame));
  EXPECT_EQ(r, (PopupBounds{900 - 16 - 148, 600, 148, 121}));
}

TEST(PopupGeometryTest, RoomForAnotherCascadedPopup) {
  EXPECT_TRUE(RoomForPopup(kWorkArea, 0, 121, 2));
  EXPECT_TRUE(RoomForPopup(kWorkArea, 625, 121, 2));   // ends at y = 0 exactly
  EXPECT_FALSE(RoomForPopup(kWorkArea, 626, 121, 2));  // would start above the screen
  EXPECT_FALSE(RoomForPopup(kWorkArea, std::numeric_limits<int>::max(), 121, 2));  // no wrap-around
}

TEST(PopupGeometryTest, MulDivRoundsLikeWindows) {
  const struct {
    std::int32_t a, b, c, result;
  } cases[] = {{40, 102, 100, 41},  {40, 51, 100, 20},  {3, 1, 2, 2},  {-3, 1, 2, -2}, {3, -1, 2, -2},
               {3, 1, -2, -2},      {-3, -1, 2, 2},    {5, 7, 0, -1}, {0, 0, 0, -1},  {7, 0, 3, 0},
               {0x7FFFFFFF, 2, 1, -1}, {0x7FFFFFFF, 2, 2, 0x7FFFFFFF}};
  for (const auto& c : cases) {
    if (MulDivRound(c.a, c.b, c.c) != c.result)
      ADD_FAILURE() << c.a << "*" << c.b << "/" << c.c << " = " << MulDivRound(c.a, c.b, c.c);
  }
}

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

TEST(PopupGeometryTest, GradientLines) {
  const std::uint32_t from = Rgb(153, 204, 255), to = Rgb(255, 255, 255);
  EXPECT_EQ(BlendRGB(from, to, 0, 100), from);
  EXPECT_EQ(BlendRGB(from, to, 40, 100), Rgb(194, 224, 255));
  EXPECT_EQ(BlendRGB(from, to, 100, 100), to);
  EXPECT_EQ(BlendRGB(to, from, 50, 100), Rgb(204, 229, 255));  // 255 + (-25.5 away from zero)
  // A background with no lines: the first colour, not a division by zero.
  EXPECT_EQ(BlendRGB(from, to, 0, 0), from);
  EXPECT_EQ(BlendRGB(from, to, 5, -3), from);
  // Lines beyond the end stay within the channel range.
  EXPECT_EQ(BlendRGB(Rgb(0, 0, 0), Rgb(255, 255, 255), 300, 100), Rgb(255, 255, 255));
}

TEST(PopupGeometryTest, CenterOffsetRoundsHalvesToEven) {
  const struct {
    int outer, inner, offset;
  } cases[] = {{140, 125, 8}, {139, 126, 6}, {140, 100, 20}, {100, 105, -2}, {100, 107, -4}, {100, 100, 0},
               {1, 0, 0},     {3, 0, 2}};
  for (const auto& c : cases) {
    if (CenterOffset(c.outer, c.inner) != c.offset)
      ADD_FAILURE() << c.outer << " - " << c.inner << ": " << CenterOffset(c.outer, c.inner);
  }
}

}  // namespace
}  // namespace quendrel::popup

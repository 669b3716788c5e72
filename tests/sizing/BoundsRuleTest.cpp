#include <gtest/gtest.h>

#include <climits>

#include "sizing/BoundsRule.h"
#include "sizing/ScaleMath.h"

namespace quendrel::sizing {
namespace {

TEST(ScaleInt, MultipliesFirstTruncatesTowardZeroNeverOverflows) {
  const struct {
    int32_t value, to, from;
    std::optional<int32_t> expected;
  } cases[] = {
      {1024, 141, 800, 180},  // 180.48
      {-7, 3, 2, -10},        // -10.5 truncates toward zero
      {7, -3, 2, -10},
      {5, 1, 3, 1},  // 5 × 1 / 3, not 5 × (1 / 3)
      {100, 0, 5, 0},
      {100, 5, 0, std::nullopt},  // a recorded size of 0
      {0, 0, 0, std::nullopt},
      {INT32_MAX, INT32_MAX, 1, INT32_MAX},  // saturates instead of wrapping
      {INT32_MIN, INT32_MAX, 1, INT32_MIN},
      {INT32_MIN, -1, 1, INT32_MAX},
      {100'000, 100'000, 100'000, 100'000},  // product beyond 32 bits, quotient within
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " x " << c.to << " / " << c.from);
    EXPECT_EQ(ScaleInt(c.value, c.to, c.from), c.expected);
  }
}

// A control recorded at left 20, top 10, client 100 × 20 on a 400 × 300 owner client.
TControlExtents Recorded() {
  TControlExtents r;
  r.Left = 20;
  r.Top = 10;
  r.ClientWidth = 100;
  r.ClientHeight = 20;
  r.OwnerClientWidth = 400;
  r.OwnerClientHeight = 300;
  return r;
}

TEST(ScaledBounds, AlignmentAnchorsAndModeDecideWhichBoundsFollowTheOwner) {
  constexpr unsigned kAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
  const BoundsRectI now{21, 11, 98, 19};  // what a bound not rescaled keeps
  const struct {
    const char* what;
    BoundsAlign align;
    unsigned anchors;
    TAnchorMode mode;
    SizeI owner;
    BoundsRectI expected;
  } cases[] = {
      {"ignore anchors, doubled", BoundsAlign::None, kAll, amIgnoreAnchors, {800, 600}, {40, 20, 200, 40}},
      {"ignore anchors, 1.5", BoundsAlign::None, kAll, amIgnoreAnchors, {600, 450}, {30, 15, 150, 30}},
      {"same owner size: recorded client becomes outer",
       BoundsAlign::None,
       0,
       amIgnoreAnchors,
       {400, 300},
       {20, 10, 100, 20}},
      {"honour, default anchors: left/top stay",
       BoundsAlign::None,
       kAnchorLeft | kAnchorTop,
       amHonorAnchors,
       {800, 600},
       {21, 11, 200, 40}},
      {"honour, right and bottom: width/height stay",
       BoundsAlign::None,
       kAnchorRight | kAnchorBottom,
       amHonorAnchors,
       {800, 600},
       {40, 20, 98, 19}},
      {"honour, all anchors: nothing moves", BoundsAlign::None, kAll, amHonorAnchors, {800, 600}, now},
      {"client aligned keeps all four", BoundsAlign::Client, 0, amIgnoreAnchors, {800, 600}, now},
      {"top aligned: height only", BoundsAlign::Top, 0, amIgnoreAnchors, {800, 600}, {21, 11, 98, 40}},
      {"bottom aligned: top and height",
       BoundsAlign::Bottom,
       0,
       amIgnoreAnchors,
       {800, 600},
       {21, 20, 98, 40}},
      {"left aligned: width only", BoundsAlign::Left, 0, amIgnoreAnchors, {800, 600}, {21, 11, 200, 19}},
      {"right aligned: left and width",
       BoundsAlign::Right,
       0,
       amIgnoreAnchors,
       {800, 600},
       {40, 11, 200, 19}},
      {"custom: all four", BoundsAlign::Custom, 0, amIgnoreAnchors, {800, 600}, {40, 20, 200, 40}},
      {"owner shrinks", BoundsAlign::None, 0, amIgnoreAnchors, {133, 99}, {6, 3, 33, 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ScaledBounds({now, c.align, c.anchors, c.owner}, Recorded(), c.mode), c.expected);
  }
}

TEST(ScaledBounds, OwnerRecordedAtZeroLeavesThatAxisAlone) {
  TControlExtents noHeight = Recorded();
  noHeight.OwnerClientHeight = 0;
  TControlExtents nothing = Recorded();
  nothing.OwnerClientWidth = 0;
  nothing.OwnerClientHeight = 0;  // as in the form's own record
  const BoundsRectI now{21, 11, 98, 19};
  EXPECT_EQ(ScaledBounds({now, BoundsAlign::None, 0, {800, 600}}, noHeight, amIgnoreAnchors),
            (BoundsRectI{40, 11, 200, 19}));
  EXPECT_EQ(ScaledBounds({now, BoundsAlign::None, 0, {800, 600}}, nothing, amIgnoreAnchors), now);
}

TEST(ScaledBitmapSize, FollowsTheControlFromTheRecordedSizes) {
  TPropertyExtents glyph{"Glyph", "TBitmap", 16, 16};
  // Recorded on a control with client 100 × 20, the control now 150 × 30.
  EXPECT_EQ(ScaledBitmapSize({150, 30}, Recorded(), glyph, {99, 99}), (SizeI{24, 24}));
  EXPECT_EQ(ScaledBitmapSize({100, 20}, Recorded(), glyph, {24, 24}), (SizeI{16, 16}));  // no drift back
  TControlExtents flat = Recorded();
  flat.ClientHeight = 0;
  EXPECT_EQ(ScaledBitmapSize({150, 30}, flat, glyph, {20, 20}), (SizeI{24, 20}));
}

}  // namespace
}  // namespace quendrel::sizing

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "sizing/FontRule.h"

namespace quendrel::sizing {
namespace {

TEST(FontTarget, ExtendedPrecisionQuotientTruncated) {
  const struct {
    int32_t recorded, m, m0, expected;
  } cases[] = {
      {8, 21, 14, 11},                   // 11.999…: just below 12 in 80 bits (a double gives exactly 12)
      {8, 20, 10, 16},                   // doubled
      {8, 14, 14, 8},                    // unchanged side
      {8, 30, 20, 12},                   // exact in 80 bits as well
      {6, 25, 5, 29},                    // 30 exactly by integers, just below in 80 bits
      {10, 15, 20, 7},                   // shrinking
      {8, 0, 14, 0},     {8, 21, 0, 8},  // recorded side 0: nothing to divide by, recorded size stands
      {8, 21, -3, 8},    {INT32_MAX, INT32_MAX, 1, INT32_MAX},  // beyond 32 bits saturates
      {-8, 20, 10, -16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.recorded << " pt, m " << c.m << ", m0 " << c.m0);
    EXPECT_EQ(FontTarget(c.recorded, c.m, c.m0), c.expected);
  }
}

// A text measured at a font size: `perPoint` pixels wide and one pixel high per point.
MeasureText Text(int32_t perPoint, std::vector<int32_t>* asked = nullptr) {
  return [perPoint, asked](int32_t size) -> std::optional<SizeI> {
    if (asked) asked->push_back(size);
    return SizeI{size * perPoint, size};
  };
}

TEST(FitFontSize, LargestSizeWhoseExtentAreaFitsTheClientArea) {
  // A label grown to 200 × 40 (8000 pixels), target 16: a caption of 31 px per point covers
  // 31 × 16 × 16 = 7936 pixels at 16 points and fits although it is wider than the label.
  std::vector<int32_t> asked;
  EXPECT_EQ(FitFontSize(16, {200, 40}, Text(31, &asked)), 16);
  EXPECT_EQ(asked, std::vector<int32_t>{16});
  // 32 px per point: 8192 pixels at 16 do not fit; 15 covers 7200.
  EXPECT_EQ(FitFontSize(16, {200, 40}, Text(32)), 15);
  // Nothing to measure (no text) fits at the start size.
  EXPECT_EQ(FitFontSize(16, {200, 40}, [](int32_t) { return SizeI{0, 0}; }), 16);
}

TEST(FitFontSize, NoFitOrNegativeStartGivesMinusOne) {
  std::vector<int32_t> asked;
  // Every size measures at least 10 × 10: a 5 × 5 client fits none of 2, 1, 0.
  auto atLeastTen = [&asked](int32_t size) -> std::optional<SizeI> {
    asked.push_back(size);
    return SizeI{10 + size, 10};
  };
  EXPECT_EQ(FitFontSize(2, {5, 5}, atLeastTen), -1);
  EXPECT_EQ(asked, (std::vector<int32_t>{2, 1, 0}));
  asked.clear();
  EXPECT_EQ(FitFontSize(-1, {500, 500}, atLeastTen), -1);
  EXPECT_TRUE(asked.empty());
  // A size that cannot be measured is passed over.
  auto failsAtThree = [](int32_t size) -> std::optional<SizeI> {
    if (size == 3) return std::nullopt;
    return SizeI{size, size};
  };
  EXPECT_EQ(FitFontSize(3, {100, 100}, failsAtThree), 2);
  // Client areas beyond 32 bits compare without overflow.
  EXPECT_EQ(FitFontSize(4, {100'000, 100'000}, Text(1'000'000)), 4);
}

TEST(MeasuredText, AtMost255Characters) {
  EXPECT_EQ(MeasuredText(std::string(300, 'x')).size(), 255u);
  EXPECT_EQ(MeasuredText("Setting"), "Setting");
}

// Two labels recorded at 8 points with client 100 × 20; the form doubled (200 × 40). The first
// caption fits at 16 points, the second only at 12.
const FontResizeInput kDoubled{8, {200, 40}, {100, 20}, {200, 40}};

TEST(ResizeFont, OnControlSizeEachFontGetsItsOwnFitAndTheCacheEndsAtTheLowest) {
  FontCache cache;
  const MeasureText wide = Text(50);  // 50 × 12 × 12 = 7200 ≤ 8000 < 50 × 13 × 13
  EXPECT_EQ(ResizeFont(kDoubled, Text(31), cache, pfOnControlSize), 16);
  EXPECT_EQ(cache.Find(8), 16);  // not cached before: the target
  EXPECT_EQ(ResizeFont(kDoubled, wide, cache, pfOnControlSize), 12);
  EXPECT_EQ(cache.Find(8), 12);
  // A third one that fits at 16 starts from the lowered cache.
  EXPECT_EQ(ResizeFont(kDoubled, Text(31), cache, pfOnControlSize), 12);
}

TEST(ResizeFont, OnFormSizeNothingIsSetDuringTheWalkThenEveryFontGetsTheCachedSize) {
  FontCache cache;
  EXPECT_EQ(ResizeFont(kDoubled, Text(31), cache, pfOnFormSize), std::nullopt);
  EXPECT_EQ(ResizeFont(kDoubled, Text(50), cache, pfOnFormSize), std::nullopt);
  EXPECT_EQ(CachedFontSize(cache, 8, 8), 12);
  EXPECT_EQ(CachedFontSize(cache, 8, 12), std::nullopt);  // already there
  EXPECT_EQ(CachedFontSize(cache, 9, 8), std::nullopt);   // recorded size never seen
}

TEST(ResizeFont, TextThatFitsAtNoSizeKeepsTheTargetAndLeavesTheCacheAlone) {
  FontCache cache;
  auto never = [](int32_t size) -> std::optional<SizeI> { return SizeI{1000 + size, 1000}; };
  EXPECT_EQ(ResizeFont(kDoubled, never, cache, pfOnControlSize), 16);
  EXPECT_EQ(cache.Find(8), 16);
  // Cached already: a second control that fits nowhere does not drag the shared size to -1.
  EXPECT_EQ(ResizeFont(kDoubled, never, cache, pfOnControlSize), 16);
  EXPECT_EQ(cache.Find(8), 16);
  EXPECT_EQ(ResizeFont(kDoubled, Text(31), cache, pfOnControlSize), 16);
}

TEST(ResizeFont, RecordedClientOfZeroKeepsTheRecordedSize) {
  FontCache cache;
  EXPECT_EQ(ResizeFont({8, {200, 40}, {100, 0}, {200, 40}}, Text(1), cache, pfOnControlSize), 8);
}

}  // namespace
}  // namespace quendrel::sizing

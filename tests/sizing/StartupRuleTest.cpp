#include <gtest/gtest.h>

#include "sizing/StartupRule.h"

namespace quendrel::sizing {
namespace {

// The main window as stored: left 141, top 11, client 564 × 521 inside a frame of 16 × 39 (a
// caption and borders), designed on 800 × 600.
constexpr SizeI kDesignScreen{800, 600};
constexpr SizeI kStoredClient{564, 521};
constexpr SizeI kFrame{16, 39};
constexpr FormPlacement kStored{141, 11, 564 + 16, 521 + 39};

TEST(Startup, LargerScreenScalesPositionAndClientAndTheMinimumFollows) {
  const SizeI screen{1024, 768};
  ASSERT_TRUE(ScreenDiffers(screen, kDesignScreen));
  const FormPlacement first = StartupBounds(screen, kDesignScreen, kStored, kStored);
  EXPECT_EQ(first.Left, 180);  // 1024 × 141 / 800 = 180.48
  EXPECT_EQ(first.Top, 14);    // 768 × 11 / 600 = 14.08
  EXPECT_EQ(first.Width, 1024 * 580 / 800);
  EXPECT_EQ(first.Height, 768 * 560 / 600);

  const SizeI client = ScreenScaledClient(kStoredClient, screen, kDesignScreen);
  EXPECT_EQ(client, (SizeI{721, 666}));
  // Screen scaling then takes the outer size the window ends with as the minimum.
  const SizeI outer{client.Width + kFrame.Width, client.Height + kFrame.Height};
  EXPECT_EQ(TrackingSize(outer, screen), (TrackingLimits{{737, 705}, {1024, 768}}));
}

TEST(Startup, DesignScreenScalesNothingAndTheStoredSizeIsTheMinimum) {
  const SizeI screen{800, 600};
  EXPECT_FALSE(ScreenDiffers(screen, kDesignScreen));
  EXPECT_EQ(StartupBounds(screen, kDesignScreen, kStored, kStored), kStored);
  EXPECT_EQ(TrackingSize({kStored.Width, kStored.Height}, screen), (TrackingLimits{{580, 560}, {800, 600}}));
}

TEST(Startup, ScreenSmallerThanTheStartUpSizeCapsTheMinimumAtTheScreen) {
  // Without FormToScreenRatio the form keeps its stored size on a 640 × 480 screen: a minimum of
  // 580 × 560 above a maximum of 480 would keep the form taller than the screen for good.
  const SizeI screen{640, 480};
  EXPECT_EQ(TrackingSize({580, 560}, screen), (TrackingLimits{{580, 480}, {640, 480}}));
  EXPECT_EQ(TrackingSize({-5, 0}, screen).MinTrack, (SizeI{0, 0}));
  // With the ratio the scaled form fits anyway.
  const SizeI client = ScreenScaledClient(kStoredClient, screen, kDesignScreen);
  EXPECT_EQ(client, (SizeI{451, 416}));
}

TEST(Startup, DesignScreenWithoutSizeScalesNothing) {
  for (SizeI design : {SizeI{0, 600}, SizeI{800, 0}, SizeI{-800, 600}}) {
    SCOPED_TRACE(testing::Message() << design.Width << " x " << design.Height);
    EXPECT_FALSE(ScreenDiffers({1024, 768}, design));
    EXPECT_EQ(StartupBounds({1024, 768}, design, kStored, kStored), kStored);
    EXPECT_EQ(ScreenScaledClient(kStoredClient, {1024, 768}, design), kStoredClient);
  }
}

}  // namespace
}  // namespace quendrel::sizing

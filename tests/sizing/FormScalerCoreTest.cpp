#include <gtest/gtest.h>

#include "sizing/FormScalerCore.h"

#include <utility>

namespace quendrel::sizing {
namespace {

TEST(FormScalerCore, InitialValuesAndSetters) {
  FormScalerCore core({1024, 768}, {141, 11, 580, 560});
  const FormScalerSettings& s = core.Settings();
  EXPECT_EQ(core.DesignScreen(), (SizeI{1024, 768}));  // the screen at construction
  EXPECT_EQ(s.AnchorMode, amIgnoreAnchors);
  EXPECT_EQ(s.GridColumnSizing, gcSizeAllColumns);
  EXPECT_EQ(s.GridRowSizing, grSizeByDefaults);
  EXPECT_EQ(s.ProcessFonts, pfOnControlSize);
  EXPECT_TRUE(s.Enabled && s.FormToScreenRatio && s.MinimumSize && s.StretchFonts && s.StretchImages &&
              s.StretchOnResize);
  EXPECT_EQ(core.State().SizingState(), ssIdle);

  core.MutableSettings().StretchOnResize = false;
  core.SetStretchFonts(true);  // no change: StretchOnResize stays off
  EXPECT_FALSE(s.StretchOnResize);
  core.SetStretchFonts(false);
  core.SetStretchFonts(true);
  EXPECT_TRUE(s.StretchOnResize);

  // Enabled raises a pass only when it turns on with the form not at its snapshot size.
  core.State().Snapshot({580, 560});
  EXPECT_FALSE(core.SetEnabled(true, {600, 600}));  // was on already
  EXPECT_FALSE(core.SetEnabled(false, {600, 600}));
  EXPECT_FALSE(core.SetEnabled(true, {580, 560}));
  core.SetEnabled(false, {600, 600});
  EXPECT_TRUE(core.SetEnabled(true, {600, 600}));
}

// The main window's start-up on a 1024 × 768 screen, as the window side drives it: a 16 × 39
// frame around a 564 × 521 client stored at 141/11 on the 800 × 600 design screen.
TEST(FormScalerCore, StartUpOnALargerScreen) {
  const FormPlacement stored{141, 11, 580, 560};
  FormScalerCore core({800, 600}, stored);  // constructed while the form loads
  const SizeI screen{1024, 768};
  ASSERT_TRUE(core.SetUpBounds(screen, stored));
  EXPECT_EQ(core.State().SizingState(), ssScreenScalingPending);
  EXPECT_EQ((std::pair{core.Scaled().Left, core.Scaled().Top}), (std::pair{180, 14}));

  const std::optional<SizeI> client = core.BeginScreenScaling({564, 521}, screen);
  EXPECT_EQ(core.State().SizingState(), ssScreenScaling);
  // The design minimum would hold the form while it grows or shrinks to the screen.
  EXPECT_FALSE(core.Filter(kWmGetMinMaxInfo, 0, {580, 560}).FillMinMaxInfo);
  ASSERT_TRUE(client);
  EXPECT_EQ(*client, (SizeI{721, 666}));
  core.EndScreenScaling({client->Width + 16, client->Height + 39});
  EXPECT_EQ(core.Tracking(screen), (TrackingLimits{{737, 705}, {1024, 768}}));

  // Without the ratio the form keeps its client size; the minimum is its stored outer size.
  FormScalerCore noRatio({800, 600}, stored);
  noRatio.MutableSettings().FormToScreenRatio = false;
  noRatio.SetUpBounds(screen, stored);
  EXPECT_FALSE(noRatio.BeginScreenScaling({564, 521}, screen));
  noRatio.EndScreenScaling({580, 560});
  EXPECT_EQ(noRatio.Tracking(screen).MinTrack, (SizeI{580, 560}));

  FormScalerCore same({800, 600}, stored);
  EXPECT_FALSE(same.SetUpBounds({800, 600}, stored));
  EXPECT_EQ(same.State().SizingState(), ssIdle);
  EXPECT_EQ(same.Tracking({800, 600}).MinTrack, (SizeI{580, 560}));
}

TEST(FormScalerCore, FilterUsesTheSnapshotAndMinimumSize) {
  FormScalerCore core({800, 600}, {0, 0, 580, 560});
  core.State().Snapshot({580, 560});
  EXPECT_EQ(core.Filter(kWmExitSizeMove, 0, {580, 560}).RaiseCount, 0);
  EXPECT_EQ(core.Filter(kWmExitSizeMove, 0, {600, 560}).RaiseCount, 1);
  core.MutableSettings().MinimumSize = false;
  EXPECT_FALSE(core.Filter(kWmGetMinMaxInfo, 0, {580, 560}).FillMinMaxInfo);
}

}  // namespace
}  // namespace quendrel::sizing

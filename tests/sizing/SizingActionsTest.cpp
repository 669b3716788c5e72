#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sizing/SizingActions.h"
#include "tests/sizing/FakeControls.h"

namespace quendrel::sizing {
namespace {

using namespace test;

TEST(SizingActionRegistry, FoundByNameAndTargetClassWithTheBoundsActionAsFallback) {
  Sizer sizer;
  SizingActionRegistry& r = sizer.actions;
  FakeFont font;
  FakeBitmap bitmap;
  TComponent plain(nullptr);
  Glyphed control(nullptr);
  EXPECT_EQ(r.FindSizingAction("tfont", TObjectRef(&font)), &r.Entries()[2]);
  EXPECT_EQ(r.FindSizingAction("TFont", TObjectRef(&bitmap)), nullptr);  // not of the target class
  EXPECT_EQ(r.FindSizingAction("TLabel", TObjectRef(&control)), nullptr);
  EXPECT_EQ(r.FindSizingActionFor(TObjectRef(&bitmap)), &r.Entries()[1]);
  EXPECT_EQ(r.FindSizingActionFor(TObjectRef(&control)), &r.Entries()[0]);
  EXPECT_EQ(r.FindSizingActionFor(TObjectRef(&plain)), &r.Entries()[0]);  // any class: the bounds action

  EXPECT_TRUE(r.UnregisterSizingAction("twincontrol"));
  EXPECT_FALSE(r.UnregisterSizingAction("TWinControl"));
  EXPECT_EQ(r.FindSizingActionFor(TObjectRef(&plain)), nullptr);
  EXPECT_EQ(r.FindSizingAction("TFont", TObjectRef(&font)), &r.Entries()[1]);
}

TEST(SizingActions, StorePropertiesRecordsFontsAndBitmapsOnceInNameOrder) {
  Sizer sizer;
  Glyphed control(nullptr);
  TComponent other(nullptr);
  control.buddy = &other;
  TControlExtents record;
  BoundsAction().StoreProperties(control, record, sizer);

  ASSERT_EQ(record.Properties.Count(), 2u);  // the empty picture and the reference are skipped
  const TPropertyExtents& font = record.Properties.All()[0];
  const TPropertyExtents& glyph = record.Properties.All()[1];
  EXPECT_EQ(font.PropName, "Font");
  EXPECT_EQ(font.TypeName, "TFont");
  EXPECT_EQ(font.OrigHeight, 8);
  EXPECT_EQ(glyph.PropName, "Glyph");
  EXPECT_EQ((std::pair{glyph.OrigWidth, glyph.OrigHeight}), (std::pair{16, 16}));
  EXPECT_EQ(sizer.turns, 3);  // one per property holding an object

  // A refresh records nothing twice: the original sizes stay.
  control.font.size = 20;
  control.picture = std::make_unique<FakeBitmap>();
  BoundsAction().StoreProperties(control, record, sizer);
  ASSERT_EQ(record.Properties.Count(), 3u);
  EXPECT_EQ(record.Properties.Find("font")->OrigHeight, 8);
  EXPECT_NE(record.Properties.Find("PICTURE"), nullptr);
}

TEST(SizingActions, BoundsActionDelegatesEachSizedPropertyWithItsDescriptor) {
  Sizer sizer;
  Glyphed control(nullptr);
  control.SetName("Label1");
  TControlExtents record;
  sizer.actions.FindSizingActionFor(TObjectRef(&control))->Create()->ApplySizing(control, record, sizer);
  EXPECT_EQ(sizer.applied, (std::vector<std::string>{"bounds Label1", "font Font", "bitmap Glyph"}));
}

TEST(ControlList, NamesMatchIgnoringCaseAndRecordsStayPut) {
  ControlList list;
  TControlExtents r;
  r.Top = 7;
  ASSERT_TRUE(list.Add("Label1", r));
  TControlExtents* kept = list.Find("LABEL1");
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Top, 7);
  EXPECT_FALSE(list.Add("label1", TControlExtents{}));  // registered once
  for (int i = 0; i < 100; ++i) list.Add("Other" + std::to_string(i), TControlExtents{});
  EXPECT_EQ(list.Find("Label1"), kept);
  EXPECT_TRUE(list.Remove("label1"));
  EXPECT_FALSE(list.Contains("Label1"));
  EXPECT_FALSE(list.Remove("Label1"));
  EXPECT_EQ(GeneratedComponentName("Form1", "TLabel", 7), "Form1TLabel7");
}

}  // namespace
}  // namespace quendrel::sizing

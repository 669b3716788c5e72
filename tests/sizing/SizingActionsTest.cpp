#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sizing/SizingActions.h"

namespace quendrel::sizing {
namespace {

using toolkit::TComponent;
using toolkit::TObjectRef;
using toolkit::TPropertyList;

struct FakeFont {
  int32_t size = 8;
};
struct FakeBitmap {
  int32_t width = 16, height = 16;
};

// A control publishing a font, a bitmap, an empty bitmap and a component reference, declared out
// of name order.
class Glyphed : public TComponent {
public:
  explicit Glyphed(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "Glyphed"; }
  const TPropertyList& PublishedProperties() const override {
    static const TPropertyList list = [] {
      TPropertyList l = TComponent::ClassProperties();
      l.Object<Glyphed, FakeBitmap>("Picture", "TBitmap", [](Glyphed& c) { return c.picture.get(); }, nullptr);
      l.Object<Glyphed, FakeFont>("Font", "TFont", [](Glyphed& c) { return &c.font; }, nullptr);
      l.Object<Glyphed, TComponent>("Buddy", "TComponent", [](Glyphed& c) { return c.buddy; }, nullptr);
      l.Object<Glyphed, FakeBitmap>("Glyph", "TBitmap", [](Glyphed& c) { return &c.glyph; }, nullptr);
      return l;
    }();
    return list;
  }
  FakeFont font;
  FakeBitmap glyph;
  std::unique_ptr<FakeBitmap> picture;  // empty
  TComponent* buddy = nullptr;
};

std::vector<std::string> gApplied;

class FontAction : public TCustomSizingAction {
public:
  void StoreOriginal(TComponent&, const TObjectRef& object, TPropertyExtents& extents) override {
    extents.OrigHeight = object.As<FakeFont>()->size;
  }
  void ApplySizing(TComponent&, TControlExtents&, SizerContext&) override {
    gApplied.push_back("font " + (PropInfo ? PropInfo->Name : std::string("?")));
  }
};

class BitmapAction : public TCustomSizingAction {
public:
  void StoreOriginal(TComponent&, const TObjectRef& object, TPropertyExtents& extents) override {
    extents.OrigHeight = object.As<FakeBitmap>()->height;
    extents.OrigWidth = object.As<FakeBitmap>()->width;
  }
  void ApplySizing(TComponent&, TControlExtents&, SizerContext&) override {
    gApplied.push_back("bitmap " + (PropInfo ? PropInfo->Name : std::string("?")));
  }
};

class BoundsAction : public TCustomSizingAction {
public:
  void ApplySizing(TComponent& c, TControlExtents& r, SizerContext& sizer) override {
    gApplied.push_back("bounds");
    ApplyPropertyActions(c, r, sizer);
  }
};

class Sizer : public SizerContext {
public:
  Sizer() {
    actions.RegisterSizingAction("TWinControl", TargetClass<Glyphed>(), [] { return std::make_unique<BoundsAction>(); });
    actions.RegisterSizingAction("TBitmap", TargetClass<FakeBitmap>(), [] { return std::make_unique<BitmapAction>(); });
    actions.RegisterSizingAction("TFont", TargetClass<FakeFont>(), [] { return std::make_unique<FontAction>(); });
  }
  TAnchorMode AnchorMode() const override { return amIgnoreAnchors; }
  bool StretchImages() const override { return true; }
  bool StretchFonts() const override { return true; }
  TProcessFonts ProcessFonts() const override { return pfOnControlSize; }
  FontCache& Fonts() override { return cache; }
  const SizingActionRegistry& Actions() const override { return actions; }
  void ProcessMessages() override { ++turns; }

  SizingActionRegistry actions;
  FontCache cache;
  int turns = 0;
};

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
  TControlExtents record;
  gApplied.clear();
  sizer.actions.FindSizingActionFor(TObjectRef(&control))->Create()->ApplySizing(control, record, sizer);
  EXPECT_EQ(gApplied, (std::vector<std::string>{"bounds", "font Font", "bitmap Glyph"}));
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

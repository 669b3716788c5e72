// Stand-ins for controls, fonts and bitmaps, and a scaler with the three sizing actions, for the
// rules that walk published properties.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sizing/SizingActions.h"

namespace quendrel::sizing::test {

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
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties() {
    static const TPropertyList list = [] {
      TPropertyList l = TComponent::ClassProperties();
      l.Object<Glyphed, FakeBitmap>(
          "Picture", "TBitmap", [](Glyphed& c) { return c.picture.get(); }, nullptr);
      l.Object<Glyphed, FakeFont>(
          "Font", "TFont", [](Glyphed& c) { return &c.font; }, nullptr);
      l.Object<Glyphed, TComponent>(
          "Buddy", "TComponent", [](Glyphed& c) { return c.buddy; }, nullptr);
      l.Object<Glyphed, FakeBitmap>(
          "Glyph", "TBitmap", [](Glyphed& c) { return &c.glyph; }, nullptr);
      return l;
    }();
    return list;
  }
  FakeFont font;
  FakeBitmap glyph;
  std::unique_ptr<FakeBitmap> picture;  // empty
  TComponent* buddy = nullptr;
};

inline void Log(SizerContext& sizer, std::string what);

class FontAction : public TCustomSizingAction {
public:
  void StoreOriginal(TComponent&, const TObjectRef& object, TPropertyExtents& extents) override {
    extents.OrigHeight = object.As<FakeFont>()->size;
  }
  void ApplySizing(TComponent&, TControlExtents&, SizerContext& sizer) override {
    Log(sizer, "font " + (PropInfo ? PropInfo->Name : std::string("?")));
  }
};

class BitmapAction : public TCustomSizingAction {
public:
  void StoreOriginal(TComponent&, const TObjectRef& object, TPropertyExtents& extents) override {
    extents.OrigHeight = object.As<FakeBitmap>()->height;
    extents.OrigWidth = object.As<FakeBitmap>()->width;
  }
  void ApplySizing(TComponent&, TControlExtents&, SizerContext& sizer) override {
    Log(sizer, "bitmap " + (PropInfo ? PropInfo->Name : std::string("?")));
  }
};

class BoundsAction : public TCustomSizingAction {
public:
  void ApplySizing(TComponent& c, TControlExtents& r, SizerContext& sizer) override {
    Log(sizer, "bounds " + c.Name());
    ApplyPropertyActions(c, r, sizer);
  }
};

class Sizer : public SizerContext {
public:
  Sizer() {
    actions.RegisterSizingAction("TWinControl", TargetClass<Glyphed>(),
                                 [] { return std::make_unique<BoundsAction>(); });
    actions.RegisterSizingAction("TBitmap", TargetClass<FakeBitmap>(),
                                 [] { return std::make_unique<BitmapAction>(); });
    actions.RegisterSizingAction("TFont", TargetClass<FakeFont>(),
                                 [] { return std::make_unique<FontAction>(); });
  }
  TAnchorMode AnchorMode() const override { return amIgnoreAnchors; }
  bool StretchImages() const override { return true; }
  bool StretchFonts() const override { return true; }
  TProcessFonts ProcessFonts() const override { return pfOnControlSize; }
  FontCache& Fonts() override { return cache; }
  const SizingActionRegistry& Actions() const override { return actions; }
  void ProcessMessages() override {
    ++turns;
    if (onTurn) onTurn();
  }

  SizingActionRegistry actions;
  FontCache cache;
  int turns = 0;
  std::vector<std::string> applied;
  std::function<void()> onTurn;  // what other messages do meanwhile
};

inline void Log(SizerContext& sizer, std::string what) {
  static_cast<Sizer&>(sizer).applied.push_back(std::move(what));
}

}  // namespace quendrel::sizing::test

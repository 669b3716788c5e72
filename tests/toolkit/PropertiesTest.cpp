// Published properties found, read and written by name, as the form sizer and the skins use them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Bitmap.h"
#include "toolkit/Control.h"
#include "toolkit/Properties.h"

namespace quendrel::toolkit {
namespace {

// A control that publishes a bitmap besides the inherited font, named to sort before it.
class GlyphControl : public TControl {
public:
  explicit GlyphControl(TComponent* owner) : TControl(owner) {}
  std::string ClassName() const override { return "GlyphControl"; }
  const TPropertyList& PublishedProperties() const override {
    static const TPropertyList list = [] {
      TPropertyList l = TControl::ClassProperties();
      l.Object<GlyphControl, TBitmap>("Glyph", "TBitmap", [](GlyphControl& c) { return c.glyph_.get(); },
                                      [](GlyphControl& c, TBitmap* b) {
                                        if (b == nullptr) {
                                          c.glyph_.reset();
                                        } else {
                                          c.glyph_ = std::make_unique<TBitmap>();
                                          c.glyph_->Assign(*b);
                                        }
                                      });
      l.Object<GlyphControl, TControl>("Buddy", "TControl", [](GlyphControl& c) { return c.buddy; },
                                       [](GlyphControl& c, TControl* v) { c.buddy = v; });
      return l;
    }();
    return list;
  }
  std::unique_ptr<TBitmap> glyph_;
  TControl* buddy = nullptr;
};

TEST(PropertiesTest, ClassTypedPropertiesComeSortedByNameWithDeclaredTypes) {
  GlyphControl control(nullptr);
  std::vector<std::string> names;
  std::vector<std::string> types;
  for (const TPropInfo* info : GetPropList(control, {tkClass})) {
    names.push_back(info->Name);
    types.push_back(info->TypeName);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Buddy", "Font", "Glyph"}));
  EXPECT_EQ(types, (std::vector<std::string>{"TControl", "TFont", "TBitmap"}));
  // Declaration order is kept when not sorting: inherited ones first.
  EXPECT_EQ(GetPropList(control, {tkClass}, false).front()->Name, "Font");
}

TEST(PropertiesTest, ExistenceByNameIgnoresCase) {
  GlyphControl control(nullptr);
  struct Case {
    const char* name;
    bool exists;
  } cases[] = {{"Caption", false}, {"Text", false}, {"Hint", true}, {"left", true}, {"Glyph", true},
               {"Name", true},     {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsPublishedProp(control, c.name), c.exists);
  }
}

TEST(PropertiesTest, IntegersAndObjectsReadAndWriteByName) {
  GlyphControl control(nullptr);
  SetOrdProp(control, "Width", 120);
  SetOrdProp(control, "Align", alClient);
  EXPECT_EQ(control.Width(), 120);
  EXPECT_EQ(GetOrdProp(control, "width"), 120);
  EXPECT_EQ(control.Align(), alClient);

  EXPECT_FALSE(GetObjectProp(control, "Glyph"));  // empty: the sizer skips it
  TBitmap source;
  source.SetSize(16, 16);
  SetObjectProp(control, "Glyph", TObjectRef(&source));
  TObjectRef glyph = GetObjectProp(control, "Glyph");
  ASSERT_NE(glyph.As<TBitmap>(), nullptr);
  EXPECT_NE(glyph.As<TBitmap>(), &source);  // copied, not taken over
  EXPECT_EQ(glyph.As<TBitmap>()->Width(), 16);
  EXPECT_EQ(glyph.As<TFont>(), nullptr);

  TFont* font = GetObjectProp(control, "Font").As<TFont>();
  ASSERT_EQ(font, &control.Font());

  GlyphControl other(nullptr);
  SetObjectProp(control, "Buddy", TObjectRef(static_cast<TControl*>(&other)));
  EXPECT_EQ(control.buddy, &other);
  EXPECT_EQ(GetObjectProp(control, "Buddy").As<TComponent>(), &other);  // components cast by dynamic type
}

TEST(PropertiesTest, WrongNamesKindsAndObjectsAreRefused) {
  GlyphControl control(nullptr);
  TFont font;
  EXPECT_THROW(GetOrdProp(control, "NoSuchProperty"), std::invalid_argument);
  EXPECT_THROW(GetOrdProp(control, "Font"), std::invalid_argument);
  EXPECT_THROW(GetStrProp(control, "Width"), std::invalid_argument);
  EXPECT_THROW(SetObjectProp(control, "Glyph", TObjectRef(&font)), std::invalid_argument);
  EXPECT_FALSE(GetObjectProp(control, "Glyph"));
}

}  // namespace
}  // namespace quendrel::toolkit

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sizing/FontWalk.h"
#include "tests/sizing/FakeControls.h"

namespace quendrel::sizing {
namespace {

using namespace test;

// An edit-like control: "Text" and "Caption" both published.
class Captioned : public Glyphed {
public:
  using Glyphed::Glyphed;
  const TPropertyList& PublishedProperties() const override {
    static const TPropertyList list = [] {
      TPropertyList l = Glyphed::ClassProperties();
      l.String<Captioned>(
          "Caption", [](const Captioned& c) { return c.caption; },
          [](Captioned& c, const std::string& v) { c.caption = v; });
      l.String<Captioned>(
          "Text", [](const Captioned& c) { return c.text; },
          [](Captioned& c, const std::string& v) { c.text = v; });
      return l;
    }();
    return list;
  }
  std::string caption, text;
};

TEST(TextForFit, TextThenCaptionThenNothing) {
  Captioned edit(nullptr);
  edit.caption = "Caption";
  EXPECT_EQ(TextForFit(edit), "Caption");  // empty Text
  edit.text = "Text";
  EXPECT_EQ(TextForFit(edit), "Text");
  edit.text = std::string(300, 'x');
  EXPECT_EQ(TextForFit(edit).size(), 255u);
  EXPECT_EQ(TextForFit(Glyphed(nullptr)), "");  // neither published
}

class FakeFontSizes : public FontSizes {
public:
  std::optional<int32_t> Size(TComponent& c, std::string_view propName) override {
    auto* g = dynamic_cast<Glyphed*>(&c);
    if (g == nullptr || propName != "Font") return std::nullopt;
    return g->font.size;
  }
  void SetSize(TComponent& c, std::string_view, int32_t points) override {
    dynamic_cast<Glyphed&>(c).font.size = points;
    set.push_back(c.Name());
  }
  std::vector<std::string> set;
};

TEST(ApplyCachedFonts, RegisteredFontsGetTheirCachedSizeWhereItDiffers) {
  Sizer sizer;
  Glyphed form(nullptr);
  auto* first = new Glyphed(&form);
  first->SetName("First");
  auto* second = new Glyphed(&form);
  second->SetName("Second");
  auto* unregistered = new Glyphed(&form);
  unregistered->SetName("Late");
  auto* nine = new Glyphed(&form);
  nine->SetName("Nine");
  ControlList controls;
  for (Glyphed* g : {first, second, nine}) {
    if (g == nine) g->font.size = 9;
    TControlExtents r;
    BoundsAction().StoreProperties(*g, r, sizer);
    controls.Add(g->Name(), std::move(r));
  }
  sizer.turns = 0;
  sizer.cache.Set(8, 12);
  second->font.size = 12;  // got its size during the walk already

  FakeFontSizes fonts;
  ApplyCachedFonts(form, controls, sizer, fonts);
  EXPECT_EQ(fonts.set, std::vector<std::string>{"First"});
  EXPECT_EQ(first->font.size, 12);
  EXPECT_EQ(unregistered->font.size, 8);
  EXPECT_EQ(nine->font.size, 9);  // nothing cached for 9 points
  EXPECT_EQ(sizer.turns, 3);      // one per registered component
}

}  // namespace
}  // namespace quendrel::sizing

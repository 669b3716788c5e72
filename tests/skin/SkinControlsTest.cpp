// Style rules shared by the skinned controls, and the helpers around them, on real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "skin/SkinControls.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {
namespace {

using namespace quendrel::toolkit;

// A panel that publishes what a skinned control publishes; the setters log their order.
class TStyled : public TPanel {
 public:
  TStyled(TComponent* owner, std::string className, bool withFileTheme)
      : TPanel(owner), className_(std::move(className)), withFileTheme_(withFileTheme) {}
  std::string ClassName() const override { return className_; }
  const TPropertyList& PublishedProperties() const override {
    static const TPropertyList both = Make(true);
    static const TPropertyList styleOnly = Make(false);
    return withFileTheme_ ? both : styleOnly;
  }
  TSkinUIStyle style = TSkinUIStyle::DeepBlue;
  TSkinFileTheme* theme = nullptr;
  std::vector<std::string> log;

 private:
  static TPropertyList Make(bool withFileTheme) {
    TPropertyList l = TPanel::ClassProperties();
    if (withFileTheme)
      l.Object<TStyled, TSkinFileTheme>(
          "FileTheme", "TSkinFileTheme", [](TStyled& s) { return s.theme; },
          [](TStyled& s, TSkinFileTheme* t) {
            s.theme = t;
            s.log.push_back("FileTheme");
          });
    l.Enum<TStyled>(
        "UIStyle", "TSkinUIStyle", [](const TStyled& s) { return static_cast<int>(s.style); },
        [](TStyled& s, std::int64_t v) {
          s.style = static_cast<TSkinUIStyle>(v);
          s.log.push_back("UIStyle");
        });
    return l;
  }
  std::string className_;
  bool withFileTheme_;
};

TEST(SkinControls, OwnerFormStyle) {
  TComponent owner(nullptr);
  auto* form = new TForm(&owner);
  EXPECT_EQ(GetOwnerFormStyle(form), TSkinUIStyle::DeepBlue);  // no skinned form on it
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* skin = new TStyled(form, "TSkinForm", true);
  skin->style = TSkinUIStyle::Protein;
  skin->SetParent(form);
  auto* second = new TStyled(form, "TSkinForm", true);
  second->style = TSkinUIStyle::WinXP;
  second->SetParent(form);
  EXPECT_EQ(GetOwnerFormStyle(form), TSkinUIStyle::Protein);  // the first in control order
  EXPECT_EQ(GetOwnerFormStyle(skin), TSkinUIStyle::DeepBlue);  // not a form
  EXPECT_EQ(GetOwnerFormStyle(nullptr), TSkinUIStyle::DeepBlue);
}

TEST(SkinControls, ApplyStyleToChildren) {
  TComponent owner(nullptr);
  auto* form = new TForm(&owner);
  auto* theme = new TSkinFileTheme(&owner);
  auto* child = new TStyled(&owner, "TSkinButton", true);
  child->SetParent(form);
  auto* styleOnly = new TStyled(&owner, "TSkinThing", false);
  styleOnly->SetParent(form);
  auto* grandchild = new TStyled(&owner, "TSkinButton", true);
  grandchild->SetParent(child);
  ApplyStyleToChildren(*form, TSkinUIStyle::MacOS, theme);
  EXPECT_EQ(child->style, TSkinUIStyle::MacOS);
  EXPECT_EQ(child->theme, theme);
  EXPECT_EQ(child->log, (std::vector<std::string>{"FileTheme", "UIStyle"}));
  EXPECT_TRUE(styleOnly->log.empty());
  EXPECT_TRUE(grandchild->log.empty());
  ApplyStyleToChildren(*form, TSkinUIStyle::DeepBlue, nullptr);
  EXPECT_EQ(child->theme, nullptr);
}

TEST(SkinControls, ParentBackgroundUnderAControl) {
  TComponent owner(nullptr);
  auto* form = new TForm(&owner);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 80, 60);
  form->SetColor(clLime);
  auto* stripe = new TPanel(&owner);  // a red stripe on the form, partly under the control
  stripe->SetBevelOuter(bvNone);
  stripe->SetColor(clRed);
  stripe->SetBounds(0, 0, 25, 60);
  stripe->SetParent(form);
  auto* control = new TPanel(&owner);
  control->SetBounds(20, 10, 30, 20);
  control->SetParent(form);
  TBitmap canvas(30, 20);
  PaintParentBackground(canvas.Canvas(), *control);
  canvas.Flush();
  EXPECT_EQ(canvas.PixelColor(10, 10), clLime);  // the form's own colour under the control
  // Sibling windows paint themselves, not into their parent's DC: the stripe does not show.
  EXPECT_EQ(canvas.PixelColor(2, 2), clLime);
  // Without a parent, nothing is drawn.
  TPanel orphan(nullptr);
  TBitmap untouched(4, 4);
  untouched.Canvas().Brush().SetColor(clBlue);
  untouched.Canvas().FillRect({0, 0, 4, 4});
  PaintParentBackground(untouched.Canvas(), orphan);
  untouched.Flush();
  EXPECT_EQ(untouched.PixelColor(0, 0), clBlue);
}

TEST(SkinControls, BoundsWorkAreaMenuFont) {
  TPanel panel(nullptr);
  SetControlBounds(panel, {10, 20, 110, 45});
  EXPECT_EQ(panel.Left(), 10);
  EXPECT_EQ(panel.Top(), 20);
  EXPECT_EQ(panel.Width(), 100);
  EXPECT_EQ(panel.Height(), 25);

  RECT area{}, desktop{};
  GetWorkArea(area);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
  EXPECT_TRUE(EqualRect(&area, &desktop));

  TFont font;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  GetMenuFont(font);
  EXPECT_EQ(font.Name(), metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(font.Color(), clMenuText);
}

}  // namespace
}  // namespace quendrel::skin

// The skinned form on a real window: caption removal, the frame it paints, its window region and
// what happens when it goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "skin/SkinButton.h"
#include "skin/SkinForm.h"
#include "skin/SkinTabControl.h"
#include "tests/support/Pump.h"
#include "tests/support/TestFiles.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Properties.h"
#include "toolkit/Form.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/RenderToBitmap.h"
#include "tools/theme/ThemeFolder.h"

namespace quendrel::skin {
namespace {

using namespace quendrel::toolkit;

struct SkinnedForm {
  explicit SkinnedForm(TFormBorderStyle border = bsSizeable) {
    form = new TForm(&owner);
    form->SetBorderStyle(border);
    form->SetBounds(40, 40, 300, 200);
    form->SetCaption("Skinned");
    skin = new TSkinForm(form);
  }
  HWND Window() { return form->Handle(); }
  TComponent owner{nullptr};
  TForm* form = nullptr;
  TSkinForm* skin = nullptr;
};

bool InRegion(HWND window, int x, int y) {
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR) return true;  // no region: the whole window
  return PtInRegion(region.Get(), x, y) != FALSE;
}

TEST(SkinForm, TakesOverTheFormAndGivesItBack) {
  SkinnedForm single(bsSingle);
  EXPECT_TRUE(single.skin->Attached());
  EXPECT_EQ(single.form->BorderStyle(), bsDialog);
  EXPECT_EQ(GetWindowLongPtrA(single.Window(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(single.skin->TitleBar().Caption(), "Skinned");
  EXPECT_EQ(single.form->Constraints().MinWidth, GetThemeInt(TSkinUIStyle::DeepBlue, keys::FormMinWidthInt));  // the bar's style

  SkinnedForm sizeable(bsSizeable);
  EXPECT_EQ(sizeable.form->BorderStyle(), bsSizeable);
  // A second one on the same form stays bare.
  auto* second = new TSkinForm(sizeable.form);
  EXPECT_FALSE(second->Attached());
  delete second;

  // The window made again gets its caption bits back from the form; the skin takes them away again.
  sizeable.form->RecreateWnd();
  EXPECT_EQ(GetWindowLongPtrA(sizeable.Window(), GWL_STYLE) & WS_CAPTION, 0);

  delete sizeable.skin;
  EXPECT_EQ(GetWindowLongPtrA(sizeable.Window(), GWL_STYLE) & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION));
}

TEST(SkinForm, EverySkinnedPartDropsAFreedThemeForDeepBlue) {
  SkinnedForm f;
  auto* button = new TSkinButton(f.form);
  button->SetParent(f.skin);
  auto* tab = new TSkinTab(f.form);
  tab->SetParent(f.skin);
  auto* loner = new TSkinButton(f.form);  // on the skin, without the theme: the form's drop reaches it too
  loner->SetParent(f.skin);
  loner->SetUIStyle(TSkinUIStyle::MacOS);
  auto* theme = new TSkinFileTheme(f.form);
  const std::vector<TComponent*> parts = {f.skin, button, tab, new TSkinPopupMenu(f.form)};
  for (TComponent* part : parts) {
    SetObjectProp(*part, "FileTheme", TObjectRef(theme));
    SetOrdProp(*part, "UIStyle", static_cast<int>(TSkinUIStyle::FromThemeFile));
  }
  TSkinTitleBar& bar = f.skin->TitleBar();  // given the form's theme by the form
  EXPECT_EQ(bar.FileTheme(), theme);
  delete theme;
  for (TComponent* part : parts) {
    SCOPED_TRACE(part->ClassName());
    EXPECT_FALSE(GetObjectProp(*part, "FileTheme"));
    EXPECT_EQ(GetOrdProp(*part, "UIStyle"), static_cast<int>(TSkinUIStyle::DeepBlue));
  }
  EXPECT_EQ(bar.FileTheme(), nullptr);
  EXPECT_EQ(bar.UIStyle(), TSkinUIStyle::DeepBlue);
  EXPECT_EQ(loner->UIStyle(), TSkinUIStyle::DeepBlue);
}

TEST(SkinForm, RegionRoundsOnlyTheTopCorners) {
  struct Case {
    TSkinUIStyle style;
    int radius;
  };
  for (const Case c : {Case{TSkinUIStyle::WinXP, 13}, Case{TSkinUIStyle::BlueGlass, 11}, Case{TSkinUIStyle::MacOS, 0}}) {
    SkinnedForm f;
    f.skin->SetUIStyle(c.style);
    EXPECT_EQ(f.skin->RoundCorner(), c.radius);
    f.form->Show();
    f.skin->UpdateRegion();
    const HWND w = f.Window();
    const bool rounded = c.radius > 0;
    EXPECT_EQ(InRegion(w, 0, 0), !rounded) << static_cast<int>(c.style);
    EXPECT_EQ(InRegion(w, 299, 0), !rounded);
    EXPECT_TRUE(InRegion(w, 0, 199));  // bottom corners stay square
    EXPECT_TRUE(InRegion(w, 299, 199));
    EXPECT_TRUE(InRegion(w, 150, 100));
    f.form->Hide();
  }
  // A hidden title bar: no rounding.
  SkinnedForm f;
  f.skin->SetUIStyle(TSkinUIStyle::WinXP);
  f.skin->SetTitleBarVisible(false);
  EXPECT_EQ(f.skin->RoundCorner(), 0);
}

TEST(SkinForm, RadiusLargerThanTheWindowStaysInside) {
  const struct {
    int w, h, r;
  } cases[] = {{40, 30, 500}, {10, 10, 13}, {0, 0, 11}, {100, 50, -4}};
  for (const auto& c : cases) {
    RegionHandle region(TSkinForm::MakeWindowRegion(c.w, c.h, c.r));
    ASSERT_NE(region.Get(), nullptr);
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.right, c.w + 1);
    EXPECT_LE(box.bottom, c.h + 1);
    if (c.w > 0 && c.h > 0) {
      EXPECT_TRUE(PtInRegion(region.Get(), 0, c.h - 1)) << c.w << "x" << c.h << " r" << c.r;
      EXPECT_TRUE(PtInRegion(region.Get(), c.w / 2, c.h / 2));
    }
  }
}

TEST(SkinForm, PaintsItsFrameAndStaysFlatOnGdiObjects) {
  SkinnedForm f;
  f.skin->SetUIStyle(TSkinUIStyle::MacOS);
  f.skin->SetFrameBorderWidth(1);
  f.skin->SetBorderColor(0x7F7F7F);
  f.skin->SetColor(0xE7E7E7);
  f.skin->SetRoundCorner(0);
  f.form->Show();
  UpdateWindow(f.Window());
  f.skin->PaintFrame();
  {
    WholeWindowDC dc(f.Window());
    EXPECT_EQ(GetPixel(dc.Get(), 0, 100), 0x7F7F7Fu);
    EXPECT_EQ(GetPixel(dc.Get(), 299, 100), 0x7F7F7Fu);
    EXPECT_EQ(GetPixel(dc.Get(), 150, 199), 0x7F7F7Fu);
    EXPECT_EQ(GetPixel(dc.Get(), 1, 100), 0xE7E7E7u);
    EXPECT_EQ(GetPixel(dc.Get(), 2, 100), 0xE7E7E7u);
    EXPECT_EQ(GetPixel(dc.Get(), 150, 197), 0xE7E7E7u);
  }

  const DWORD before = GdiObjectCount();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 1000; ++i) f.skin->PaintFrame();
  const auto frame = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) RedrawWindow(f.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const auto full = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) f.skin->SetUIStyle(static_cast<TSkinUIStyle>(1 + i % 5));
  EXPECT_LE(GdiObjectCount(), before + 2);
  using us = std::chrono::microseconds;
  // 1,000 frame paints, 100 full repaints (each a few milliseconds under Wine), 100 style switches.
  std::printf("[figure] skinned frame paint %.1f us, full repaint %.1f us, GDI objects %lu -> %lu\n",
              std::chrono::duration_cast<us>(frame - start).count() / 1000.0,
              std::chrono::duration_cast<us>(full - frame).count() / 100.0, static_cast<unsigned long>(before),
              static_cast<unsigned long>(GdiObjectCount()));
  f.form->Hide();
}

// The window as the screen shows it, frame included.
TBitmap ScreenOf(HWND window) {
  TBitmap shot;
  EXPECT_TRUE(RenderWholeWindow(window, shot, true));
  return shot;
}

// A theme file compiled from a built-in style's values and art draws the frame and title bar just
// as the style itself does (the client area differs: only built-in styles have background tiles).
TEST(SkinForm, ThemeFileCompiledFromAStyleDrawsItsFrame) {
  test::ScratchDir dir("frame");
  for (int s = 1; s <= 5; ++s) {
    const auto style = static_cast<TSkinUIStyle>(s);
    const std::string name = "style" + std::to_string(s);
    theme::ExportBuiltinStyle(style, QUENDREL_SKIN_ART_DIR, dir.Path() / name);
    const std::string path = dir.File(name + ".qst");
    test::WriteFile(path, theme::BuildThemeFile(dir.Path() / name));

    int bar = 0;
    const auto shoot = [&](bool fromFile) {
      SkinnedForm f;
      f.form->SetBounds(100, 100, 570, 300);
      f.skin->SetSkinCaption("");
      if (fromFile) {
        auto* file = new TSkinFileTheme(f.form);  // owned by the form
        file->SetThemeFile(path);
        EXPECT_TRUE(file->Valid()) << path;
        f.skin->SetFileTheme(file);
        f.skin->SetUIStyle(TSkinUIStyle::FromThemeFile);
      } else {
        f.skin->SetUIStyle(style);
      }
      f.form->Show();
      SetForegroundWindow(f.Window());
      test::PumpFor(150);
      f.skin->PaintFrame();
      bar = f.skin->TitleBar().Height();
      TBitmap shot = ScreenOf(f.Window());
      f.form->Hide();
      return shot;
    };
    const TBitmap builtIn = shoot(false);
    const TBitmap fromFile = shoot(true);
    ASSERT_EQ(fromFile.Width(), builtIn.Width());
    ASSERT_EQ(fromFile.Height(), builtIn.Height());
    const int w = builtIn.Width(), h = builtIn.Height();
    int differing = 0;
    POINT first{-1, -1};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool frame = y < bar + 3 || y >= h - 3 || x < 3 || x >= w - 3;  // the non-client rim is 3 wide
        if (!frame || fromFile.PixelColor(x, y) == builtIn.PixelColor(x, y)) continue;
        if (differing++ == 0) first = {x, y};
      }
    EXPECT_EQ(differing, 0) << "style " << s << ", first at " << first.x << "," << first.y << ": " << std::hex
                            << builtIn.PixelColor(first.x, first.y) << " built in, "
                            << fromFile.PixelColor(first.x, first.y) << " from the file";
    EXPECT_NE(builtIn.PixelColor(w / 2, bar / 2), builtIn.PixelColor(w / 2, bar + 40)) << "no title bar drawn";
  }
}

// The client area shows the style's background tile, laid from the panel's corner (MacOS, Protein),
// or its plain colour, also where only a part of it is repainted.
TEST(SkinForm, ClientAreaShowsTheStyleBackground) {
  struct Case {
    TSkinUIStyle style;
    const char* tile;
  };
  for (const Case c : {Case{TSkinUIStyle::MacOS, "MACOS_FORM_BACKGROUND"},
                       Case{TSkinUIStyle::Protein, "PROTEIN_FORM_BACKGROUND"}, Case{TSkinUIStyle::WinXP, nullptr}}) {
    SkinnedForm f;
    f.skin->SetUIStyle(c.style);
    f.form->Show();
    SetForegroundWindow(f.Window());
    test::PumpFor(100);
    TBitmap tile;
    if (c.tile) {
      ASSERT_TRUE(tile.LoadFromResourceName(GetModuleHandleA(nullptr), c.tile));
    }
    const RECT part{41, 63, 90, 100};  // below the title bar
    InvalidateRect(f.skin->Handle(), &part, FALSE);
    UpdateWindow(f.skin->Handle());
    const TBitmap shot = ScreenOf(f.skin->Handle());
    int wrong = 0;
    for (int y = part.top; y < part.bottom; ++y)
      for (int x = part.left; x < part.right; ++x) {
        const TColor want = c.tile ? tile.PixelColor(x % tile.Width(), y % tile.Height()) : f.skin->Color();
        if (shot.PixelColor(x, y) != want) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << static_cast<int>(c.style);
    f.form->Hide();
  }
}

}  // namespace
}  // namespace quendrel::skin

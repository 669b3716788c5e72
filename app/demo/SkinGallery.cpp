// quendrel-skin-gallery: one window per built-in style, each with the style's frame, title bar and
// buttons, and on its client area the style's push button and check box looks and its menu items,
// saved as the screen shows it.
//   quendrel-skin-gallery OUTDIR   writes OUTDIR/gallery-STYLE.bmp for the five styles, then
//                                  OUTDIR/gallery.txt: "ok" or "failed: why"
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "skin/SkinDraw.h"
#include "skin/SkinForm.h"
#include "skin/SkinPopupMenu.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Menu.h"

namespace {

using namespace quendrel;
using skin::TSkinUIStyle;
using toolkit::TBitmap;
using toolkit::TCanvas;

struct Style {
  TSkinUIStyle style;
  const char* name;
};
constexpr Style kStyles[] = {{TSkinUIStyle::MacOS, "MacOS"},
                             {TSkinUIStyle::WinXP, "WinXP"},
                             {TSkinUIStyle::DeepBlue, "DeepBlue"},
                             {TSkinUIStyle::Protein, "Protein"},
                             {TSkinUIStyle::BlueGlass, "BlueGlass"}};

constexpr int kWidth = 420, kHeight = 250;

void Caption(TCanvas& c, const RECT& at, const char* text, toolkit::TColor color) {
  c.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
  c.Font().SetName("Tahoma");
  c.Font().SetSize(8);
  c.Font().SetColor(color);
  RECT r = at;
  c.DrawText(text, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  c.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
}

// The client area's sample: push button frames (normal, hot, pressed), check box frames (checked,
// unchecked, both disabled) and the menu's normal, selected, line and disabled items.
TBitmap Sample(TSkinUIStyle style, toolkit::TColor background) {
  TBitmap b(kWidth - 24, 190);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(background);
  c.FillRect({0, 0, b.Width(), b.Height()});
  const toolkit::TColor font = skin::GetThemeColor(style, skin::keys::ControlFontColor);

  TBitmap strip, frame;
  skin::GetThemeImage(style, skin::keys::ButtonImage, &strip);
  const char* looks[] = {"Normal", "Hot", "Pressed"};
  for (int i = 0; i < 3; ++i) {
    skin::CutFrame(strip, frame, 3, i + 1);
    const RECT r{i * 84, 0, i * 84 + 76, 25};
    skin::DrawNineSlice(frame, c, r, true);
    Caption(c, r, looks[i], font);
  }
  skin::GetThemeImage(style, skin::keys::CheckBoxImage, &strip);
  const char* checks[] = {"On", "Off", "On, disabled", "Off, disabled"};
  for (int i = 0; i < 4; ++i) {
    skin::CutFrame(strip, frame, 4, i + 1);
    const int x = (i % 2) * 130, y = 40 + (i / 2) * 22;
    TransparentBlt(c.Handle(), x, y, frame.Width(), frame.Height(), frame.Canvas().Handle(), 0, 0, frame.Width(),
                   frame.Height(), skin::kSkinMaskColor);
    c.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
    c.Font().SetColor(i < 2 ? font : toolkit::clGray);
    c.TextOut(x + frame.Width() + 6, y + 1, checks[i]);
    c.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  }

  skin::TSkinPopupMenu menu(nullptr);
  menu.SetUIStyle(style);
  const char* items[] = {"Show Outlook Express", "Start", "-", "Stop"};
  int y = 92;
  for (int i = 0; i < 4; ++i) {
    auto* item = new toolkit::TMenuItem(&menu);  // owned by the menu
    item->SetCaption(items[i]);
    item->SetEnabled(i != 3);
    menu.Items().Add(item);
    const int h = item->IsLine() ? menu.SeparatorHeight() : menu.MenuItemHeight();
    menu.DrawItem(item, c, RECT{0, y, 180, y + h}, i == 1);
    y += h;
  }
  b.Flush();
  return b;
}

// The window as the screen shows it, frame and rounded corners included.
bool SaveWindow(HWND window, const std::string& file) {
  RECT r;
  GetWindowRect(window, &r);
  TBitmap shot(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  const BOOL ok = BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return ok && shot.SaveToFile(file);
}

void Pump(int ms) {
  for (int i = 0; i < ms / 20; ++i) {
    toolkit::Application.ProcessMessages();
    Sleep(20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: quendrel-skin-gallery OUTDIR\n", stderr);
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "\\";
  toolkit::Application.Initialize();
  std::string result = "ok";
  for (const Style& s : kStyles) {
    toolkit::TComponent owner(nullptr);
    auto* form = new toolkit::TForm(&owner);
    form->SetBounds(40, 40, kWidth, kHeight);
    form->SetCaption(std::string("Quendrel - ") + s.name);
    auto* skinForm = new skin::TSkinForm(form);  // owned by the form
    skinForm->SetUIStyle(s.style);
    auto* image = new toolkit::TImage(form);
    image->SetParent(skinForm);
    image->SetBounds(12, skinForm->TitleBar().Height() + 12, kWidth - 24, 190);
    image->Picture().SetGraphic(std::make_unique<TBitmap>(Sample(s.style, skinForm->Color())));
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form->Handle());
    Pump(600);
    const std::string file = dir + "gallery-" + s.name + ".bmp";
    if (!SaveWindow(form->Handle(), file) && result == "ok") result = "failed: could not save " + file;
    form->Hide();
  }
  if (FILE* out = std::fopen((dir + "gallery.txt").c_str(), "w")) {
    std::fprintf(out, "%s\n", result.c_str());
    std::fclose(out);
  }
  return result == "ok" ? 0 : 1;
}

// quendrel-skin-gallery: one window per built-in style, each with the style's frame, title bar and
// buttons, and on its client area the skinned controls themselves (push buttons, one stretched to
// show how its art grows, check boxes, a check list, a page control), the push button's hot and
// pressed looks and the menu items, saved as the screen shows it.
//   quendrel-skin-gallery OUTDIR   writes OUTDIR/gallery-STYLE.bmp for the five styles, then
//                                  OUTDIR/gallery.txt: "ok" or "failed: why"
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "skin/SkinButton.h"
#include "skin/SkinCheckListBox.h"
#include "skin/SkinDraw.h"
#include "skin/SkinForm.h"
#include "skin/SkinPageControl.h"
#include "skin/SkinPopupMenu.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/RenderToBitmap.h"

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

constexpr int kWidth = 470;
constexpr int kSampleHeight = 108;

void Caption(TCanvas& c, const RECT& at, const char* text, toolkit::TColor color) {
  c.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
  c.Font().SetName("Tahoma");
  c.Font().SetSize(8);
  c.Font().SetColor(color);
  RECT r = at;
  c.DrawText(text, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  c.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
}

// The push button's frames (normal, hot, pressed: the controls below show only the first) and the
// menu's normal, selected, line and disabled items.
TBitmap Sample(TSkinUIStyle style, toolkit::TColor background) {
  TBitmap b(kWidth - 24, kSampleHeight);
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

  skin::TSkinPopupMenu menu(nullptr);
  menu.SetUIStyle(style);
  const char* items[] = {"Show Outlook Express", "Start", "-", "Stop"};
  int y = 36;
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

template <class T>
T* Place(toolkit::TForm* form, toolkit::TWinControl* parent, TSkinUIStyle style, RECT at) {
  auto* control = new T(form);  // owned by the form
  control->SetParent(parent);
  control->SetUIStyle(style);
  control->SetBounds(at.left, at.top, at.right - at.left, at.bottom - at.top);
  return control;
}

// The skinned controls in their usual states, from the client area's top left (x, y).
void PlaceControls(toolkit::TForm* form, skin::TSkinForm* parent, TSkinUIStyle style, int x, int y) {
  struct ButtonRow {
    const char* caption;
    RECT at;
    bool enabled;
  };
  const ButtonRow buttons[] = {{"Start", {x, y, x + 75, y + 25}, true},
                               {"Stop", {x + 87, y, x + 162, y + 25}, false},
                               {"Stretched", {x + 174, y, x + 294, y + 40}, true}};
  for (const ButtonRow& row : buttons) {
    auto* button = Place<skin::TSkinButton>(form, parent, style, row.at);
    button->SetTransparent(true);
    button->SetCaption(row.caption);
    button->SetEnabled(row.enabled);
  }

  struct BoxRow {
    const char* caption;
    int left;
    bool checked, enabled;
  };
  const BoxRow boxes[] = {{"Checked", x, true, true},
                          {"Unchecked", x + 110, false, true},
                          {"Disabled", x + 230, true, false},
                          {"Disabled", x + 330, false, false}};
  for (const BoxRow& row : boxes) {
    auto* box = Place<skin::TSkinCheckBox>(form, parent, style, {row.left, y + 52, row.left + 20, y + 68});
    box->SetParentColor(true);
    box->SetCaption(row.caption);  // sizes itself to the caption
    box->SetChecked(row.checked);
    box->SetEnabled(row.enabled);
  }

  const toolkit::TColor border = skin::GetThemeColor(style, skin::keys::ControlBorderColor);
  auto* list = Place<skin::TSkinCheckListBox>(form, parent, style, {x, y + 82, x + 180, y + 190});
  list->SetBorderColor(border);
  list->SetItemHeight(16);
  const char* folders[] = {"Inbox.dbx", "Work.dbx", "Lists.dbx", "Sent Items.dbx"};
  for (const char* folder : folders) list->AddItem(folder);
  list->SetChecked(0, true);
  list->SetChecked(1, true);

  auto* pages = Place<skin::TSkinPageControl>(form, parent, style, {x + 196, y + 82, x + 446, y + 190});
  pages->SetBorderColor(border);
  pages->SetColor(skin::GetThemeColor(style, skin::keys::ControlBackgroundColor));
  skin::TSkinTabSheet* first = nullptr;
  for (const char* caption : {"Setting", "About", "Help"}) {
    auto* sheet = new skin::TSkinTabSheet(form);  // owned by the form
    sheet->SetCaption(caption);
    sheet->SetParent(pages);
    if (first == nullptr) first = sheet;
  }
  pages->SetActivePage(first);
  auto* onPage = new toolkit::TLabel(form);  // owned by the form
  onPage->SetParent(first);
  onPage->SetBounds(10, 10, 200, 16);
  onPage->SetCaption("The first of three pages");
}

// The window as the screen shows it, frame and rounded corners included.
bool SaveWindow(HWND window, const std::string& file) {
  TBitmap shot;
  return toolkit::RenderWholeWindow(window, shot, /*fromScreen=*/true) && shot.SaveToFile(file);
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
    form->SetBounds(40, 40, kWidth, 400);
    form->SetCaption(std::string("Quendrel - ") + s.name);
    auto* skinForm = new skin::TSkinForm(form);  // owned by the form
    skinForm->SetUIStyle(s.style);
    toolkit::TFont font;
    font.SetName("MS Sans Serif");
    font.SetSize(8);
    form->SetFont(font);
    const int top = skinForm->TitleBar().Height() + 12;
    form->SetClientSize(kWidth, top + 204 + kSampleHeight + 12);
    PlaceControls(form, skinForm, s.style, 12, top);
    auto* image = new toolkit::TImage(form);
    image->SetParent(skinForm);
    image->SetBounds(12, top + 204, kWidth - 24, kSampleHeight);
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

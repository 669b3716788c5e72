// The main window's skinned frame: the MacOS frame, a title bar made of the Protein pictures, and
// its two custom buttons "×" (index 1) and "–" (index 3) drawn here.
#include <windows.h>

#include "app/MainForm.h"
#include "skin/SkinDraw.h"
#include "skin/SkinForm.h"
#include "toolkit/Bitmap.h"

namespace quendrel {

using namespace toolkit;

namespace {

constexpr int kGlyphSize = 19;
constexpr TColor kGlyphMask = 0xFF00FF;  // the bottom-left pixel: transparent

enum class Glyph { Close, Minimize };
enum class GlyphState { Normal, Hot, Pressed };

// A 19 x 19 title-bar button: a white sign with a dark outline, so that it reads on the blue title
// and on the plate it gets when hot (lighter than the title) or pressed (darker).
TBitmap DrawGlyph(Glyph glyph, GlyphState state) {
  TBitmap b(kGlyphSize, kGlyphSize);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(kGlyphMask);
  c.FillRect({0, 0, kGlyphSize, kGlyphSize});
  if (state != GlyphState::Normal) {
    const bool hot = state == GlyphState::Hot;
    c.Brush().SetColor(hot ? 0xF49080 : 0x902C26);
    c.Pen().SetColor(hot ? 0xFFE0D8 : 0x481410);
    c.RoundRect(1, 1, kGlyphSize - 1, kGlyphSize - 1, 5, 5);
  }
  // The sign pixel by pixel (two-pixel strokes), then a one-pixel outline around it.
  const int o = state == GlyphState::Pressed ? 1 : 0;  // a pressed sign sinks by a pixel
  bool sign[kGlyphSize][kGlyphSize] = {};
  for (int i = 0; i < 9; ++i) {
    if (glyph == Glyph::Close && i < 8) {
      sign[5 + i + o][5 + i + o] = sign[5 + i + o][6 + i + o] = true;
      sign[5 + i + o][12 - i + o] = sign[5 + i + o][13 - i + o] = true;
    } else if (glyph == Glyph::Minimize) {
      sign[11 + o][5 + i + o] = sign[12 + o][5 + i + o] = true;
    }
  }
  const TColor ink = state == GlyphState::Pressed ? 0xFFECE8 : 0xFFFFFF;
  for (int y = 1; y < kGlyphSize - 1; ++y)
    for (int x = 1; x < kGlyphSize - 1; ++x) {
      bool edge = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) edge = edge || sign[y + dy][x + dx];
      if (sign[y][x]) {
        c.SetPixel(x, y, ink);
      } else if (edge) {
        c.SetPixel(x, y, 0x501814);
      }
    }
  b.Flush();
  return b;
}

}  // namespace

void TForm1::CreateSkinFrame() {
  skinForm1 = new skin::TSkinForm(this);  // owned by the form; takes over its frame
  skinForm1->SetName("skinForm1");
  skinForm1->SetTitleBarCustom(true);
  skinForm1->SetUIStyle(skin::TSkinUIStyle::MacOS);
  skinForm1->SetFrameBorderWidth(1);
  skinForm1->SetBorderColor(0x7F7F7F);
  skinForm1->SetColor(0xE7E7E7);
  skinForm1->SetRoundCorner(0);

  skin::TSkinTitleBar& bar = skinForm1->TitleBar();
  bar.ClearSections();
  for (int key : {skin::keys::TitleBarLeftImage, skin::keys::TitleBarRightImage, skin::keys::TitleBarClientImage})
    skin::GetThemeImage(skin::TSkinUIStyle::Protein, key, &bar.AddSection().Picture);
  bar.SetSectionAlign(1, skin::saRight);
  bar.SetSectionAlign(2, skin::saClient);

  bar.ClearButtons();
  const skin::TSkinTitleBarBtnType types[] = {skin::tbControlBox, skin::tbCustom, skin::tbMax, skin::tbCustom};
  for (int i = 0; i < 4; ++i) {
    skin::TSkinTitleBarButton& button = bar.AddButton();
    button.SetButtonType(types[i]);
    button.SetVisible(i == kCloseButton || i == kMinimizeButton);
    if (types[i] != skin::tbCustom) continue;
    const Glyph glyph = i == kCloseButton ? Glyph::Close : Glyph::Minimize;
    button.PicNormal = DrawGlyph(glyph, GlyphState::Normal);
    button.PicMouseOn = DrawGlyph(glyph, GlyphState::Hot);
    button.PicMouseDown = DrawGlyph(glyph, GlyphState::Pressed);
    button.SetTransparent(true);
  }
  bar.SetButtonInterval(0);
  bar.SetRightBtnXOffset(0);
  skinForm1->SetSkinCaption("Quendrel");
  skinForm1->SetOnTitleBarCustomBtnsClick(
      [this](TComponent* sender, int index) { skinForm1TitleBarCustomBtnsClick(sender, index); });
  // The caption's height went to the client area: keep the body at its designed size.
  SetClientSize(kClientWidth, kClientHeight);
}

void TForm1::SetSkinStyle(skin::TSkinUIStyle style) {
  skinForm1->SetTitleBarCustom(false);
  skinForm1->SetUIStyleAutoUpdateSub(false);  // the children once, below, not for the theme too
  skinForm1->SetFileTheme(FileTheme1);
  skinForm1->SetUIStyleAutoUpdateSub(true);
  skinForm1->SetUIStyle(style);
  // The style decides whether its own title-bar buttons are see-through; our glyphs always are.
  for (int index : {kCloseButton, kMinimizeButton}) skinForm1->TitleBar().Buttons(index).SetTransparent(true);
}

void TForm1::UseThemeFile(const std::string& path) {
  if (!FileTheme1) {
    FileTheme1 = new skin::TSkinFileTheme(this);  // owned by the form
    FileTheme1->SetName("FileTheme1");
  }
  FileTheme1->SetThemeFile(path);
  SetSkinStyle(skin::TSkinUIStyle::FromThemeFile);
}

}  // namespace quendrel

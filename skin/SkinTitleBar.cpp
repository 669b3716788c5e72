#include "skin/SkinTitleBar.h"

#include <algorithm>

#include "skin/SkinControls.h"
#include "skin/SkinDraw.h"
#include "toolkit/Application.h"
#include "toolkit/BufferedPaint.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::skin {

using toolkit::TBitmap;
using toolkit::TCanvas;
using toolkit::TForm;

namespace {

// Frames 1..18 of the title-bar button strip, three per button type (normal, hot, pressed).
constexpr int kButtonFrames = 18;

// The system menu's captions, shown as they stand.
constexpr const char* kMinimizeCaption = "最小化(&N)";
constexpr const char* kMaxRestoreCaption = "最大化/还原(&X)";
constexpr const char* kCloseCaption = "关闭(&C)";

void ShowSkinError(const char* text) { MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONERROR); }

// Copies picture into dest at (x, y); a transparent button leaves out its bottom-left pixel's colour.
void DrawPicture(HDC dest, int x, int y, TBitmap& picture, bool transparent) {
  if (picture.Empty()) return;
  HDC source = picture.Canvas().Handle();
  if (transparent) {
    TransparentBlt(dest, x, y, picture.Width(), picture.Height(), source, 0, 0, picture.Width(), picture.Height(),
                   static_cast<UINT>(picture.PixelColor(0, picture.Height() - 1)));
  } else {
    BitBlt(dest, x, y, picture.Width(), picture.Height(), source, 0, 0, SRCCOPY);
  }
}

}  // namespace

// --- buttons ---------------------------------------------------------------------------------------

void TSkinTitleBarButton::SetVisible(bool value) {
  visible_ = value;
  bar_.Changed();
}

void TSkinTitleBarButton::SetTransparent(bool value) {
  transparent_ = value;
  bar_.Changed();
}

void TSkinTitleBarButton::SetButtonType(TSkinTitleBarBtnType type) {
  if (type == tbControlBox && type_ != tbControlBox) {
    for (int i = 0; i < bar_.ButtonCount(); ++i) {
      if (&bar_.Buttons(i) != this && bar_.Buttons(i).ButtonType() == tbControlBox) {
        ShowSkinError("Sorry, only one button's ButtonType property can be \"tbControlBox\"");
        return;
      }
    }
  }
  type_ = type;
  LoadPictures();
}

void TSkinTitleBarButton::SetUIStyle(TSkinUIStyle style) {
  style_ = style;
  LoadPictures();
}

void TSkinTitleBarButton::LoadFrames(int first) {
  TBitmap strip;  // loaded once for its three looks
  if (!GetThemeImage(ResolveUIStyle(bar_.FileTheme(), style_), bar_.FileTheme(), keys::TitleBarButtonImage, &strip))
    return;
  CutFrame(strip, PicNormal, kButtonFrames, first);
  CutFrame(strip, PicMouseOn, kButtonFrames, first + 1);
  CutFrame(strip, PicMouseDown, kButtonFrames, first + 2);
}

void TSkinTitleBarButton::LoadPictures() {
  const TResolvedStyle resolved = ResolveUIStyle(bar_.FileTheme(), style_);
  transparent_ = GetThemeBool(resolved, bar_.FileTheme(), keys::TitleBarButtonTransparentBool);
  if (type_ != tbCustom) {
    switch (type_) {
      case tbControlBox: LoadFrames(1); break;
      case tbHelp: LoadFrames(4); break;
      case tbMax: LoadFrames(7); break;
      case tbMin: LoadFrames(13); break;
      case tbClose: LoadFrames(16); break;
      default: break;
    }
    top_ = GetThemeInt(resolved, bar_.FileTheme(), keys::TitleBarButtonTopInt);
  }
  if (type_ == tbMax) RefreshMaxRestoreGlyph();
  bar_.Changed();
}

void TSkinTitleBarButton::RefreshMaxRestoreGlyph() {
  if (type_ != tbMax || bar_.Custom()) return;
  TForm* form = bar_.HostForm();
  const bool maximized = form && form->WindowState() == toolkit::wsMaximized;
  LoadFrames(maximized ? 10 : 7);
  bar_.Changed();
}

void TSkinTitleBarButton::PerformAction() {
  TForm* form = bar_.HostForm();
  if (!form) return;
  switch (type_) {
    case tbMax:
      if (form->WindowState() == toolkit::wsMaximized) {
        form->SetWindowState(toolkit::wsNormal);
      } else {
        form->SetWindowState(toolkit::wsMaximized);
        if (!bar_.OnSkinForm()) {
          RECT area;
          GetWorkArea(area);
          form->SetBounds(area.left, area.top, area.right - area.left, area.bottom - 1 - area.top);
        }
      }
      RefreshMaxRestoreGlyph();
      break;
    case tbMin:
      if (form == toolkit::Application.MainForm()) {
        SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      } else {
        form->SetWindowState(toolkit::wsMinimized);
      }
      break;
    case tbClose:
      form->Close();
      break;
    case tbControlBox:
      if (ControlBoxMenu) {
        const POINT at = bar_.ClientToScreen(POINT{0, bar_.Height()});
        ControlBoxMenu->Popup(at.x, at.y);
      }
      break;
    default:
      break;
  }
}

// --- system menu -----------------------------------------------------------------------------------

TSkinTitleBarPopupMenu::TSkinTitleBarPopupMenu(TSkinTitleBar& bar) : TSkinPopupMenu(nullptr), bar_(bar) {
  for (const char* caption : {kMinimizeCaption, kMaxRestoreCaption, "-", kCloseCaption}) {
    auto* item = new toolkit::TMenuItem(this);  // owned by the menu
    item->SetCaption(caption);
    Items().Add(item);
  }
  Items().Items(0)->OnClick = [this](toolkit::TComponent*) {
    for (int i = 0; i < bar_.ButtonCount(); ++i)
      if (bar_.Buttons(i).ButtonType() == tbMin) {
        bar_.Buttons(i).PerformAction();
        return;
      }
  };
  Items().Items(1)->OnClick = [this](toolkit::TComponent*) {
    for (int i = 0; i < bar_.ButtonCount(); ++i)
      if (bar_.Buttons(i).ButtonType() == tbMax) bar_.Buttons(i).PerformAction();
  };
  Items().Items(3)->OnClick = [this](toolkit::TComponent*) {
    if (TForm* form = bar_.HostForm()) form->Close();
  };
  UpdateItems();
}

void TSkinTitleBarPopupMenu::UpdateItems() {
  // A hidden button still counts: the command stays available from the menu.
  auto has = [this](TSkinTitleBarBtnType type) {
    for (int i = 0; i < bar_.ButtonCount(); ++i)
      if (bar_.Buttons(i).ButtonType() == type) return true;
    return false;
  };
  Items().Items(0)->SetEnabled(has(tbMin));
  Items().Items(1)->SetEnabled(has(tbMax));
  Items().Items(3)->SetEnabled(has(tbClose));
}

void TSkinTitleBarPopupMenu::Popup(int x, int y) {
  UpdateItems();
  TSkinPopupMenu::Popup(x, y);
}

// --- the bar ---------------------------------------------------------------------------------------

TSkinTitleBar::TSkinTitleBar(toolkit::TComponent* owner)
    : TCustomPanel(owner), look_(*this, TSkinUIStyle::DeepBlue, [this](TSkinUIStyle style) { SetUIStyle(style); }) {
  SetAlign(toolkit::alTop);
  SetBevelOuter(toolkit::bvNone);
  Font().SetName("Tahoma");
  Font().SetStyle(toolkit::fsBold);
  Font().SetColor(toolkit::clWhite);
  systemMenu_ = std::make_unique<TSkinTitleBarPopupMenu>(*this);
  for (TSkinTitleBarBtnType type : {tbControlBox, tbClose, tbMax, tbMin}) AddButton().SetButtonType(type);
  SetUIStyle(GetOwnerFormStyle(owner));
}

TSkinTitleBar::~TSkinTitleBar() { systemMenu_.reset(); }

TForm* TSkinTitleBar::HostForm() const { return ParentForm(); }

bool TSkinTitleBar::OnSkinForm() const { return parent_ && parent_->ClassName() == "TSkinForm"; }

TSkinTitleBarSection& TSkinTitleBar::AddSection() {
  sections_.push_back(std::make_unique<TSkinTitleBarSection>());
  Changed();
  return *sections_.back();
}

void TSkinTitleBar::ClearSections() {
  sections_.clear();
  Changed();
}

bool TSkinTitleBar::SetSectionAlign(int index, TSkinTitleBarAlign align) {
  if (index < 0 || index >= SectionCount()) return false;
  if (align == saClient) {
    for (int i = 0; i < SectionCount(); ++i)
      if (i != index && sections_[static_cast<size_t>(i)]->Align == saClient) {
        ShowSkinError("Sorry, only one section's Align property can be \"saClient\"");
        return false;
      }
    Sections(index).Stretch = true;
  }
  Sections(index).Align = align;
  Changed();
  return true;
}

TSkinTitleBarButton& TSkinTitleBar::AddButton() {
  buttons_.push_back(std::make_unique<TSkinTitleBarButton>(*this));
  Changed();
  return *buttons_.back();
}

void TSkinTitleBar::ClearButtons() {
  buttons_.clear();
  hotIndex_ = -1;
  Changed();
}

int TSkinTitleBar::IndexOfButton(const TSkinTitleBarButton* button) const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].get() == button) return static_cast<int>(i);
  return -1;
}

void TSkinTitleBar::SetButtonInterval(int value) { buttonInterval_ = value; Changed(); }
void TSkinTitleBar::SetFormActive(bool value) { if (formActive_ != value) { formActive_ = value; Changed(); } }
void TSkinTitleBar::SetLeftBtnXOffset(int value) { leftOffset_ = value; Changed(); }
void TSkinTitleBar::SetRightBtnXOffset(int value) { rightOffset_ = value; Changed(); }
void TSkinTitleBar::SetDrawAppIcon(bool value) { drawAppIcon_ = value; Changed(); }

void TSkinTitleBar::SetAutoSize(bool value) {
  autoSize_ = value && !sections_.empty();
  if (autoSize_) SetHeight(Sections(0).Picture.Height() - (OnSkinForm() ? 3 : 0));
  Changed();
}

void TSkinTitleBar::SetFileTheme(TSkinFileTheme* theme) {
  settingFileTheme_ = true;
  look_.SetTheme(theme);
  settingFileTheme_ = false;
}

void TSkinTitleBar::Notification(toolkit::TComponent* component, toolkit::TOperation operation) {
  TCustomPanel::Notification(component, operation);
  if (operation != toolkit::opRemove) return;
  look_.Notification(component, operation);
  for (auto& button : buttons_)
    if (button->ControlBoxMenu == component) button->ControlBoxMenu = nullptr;
}

void TSkinTitleBar::SetUIStyle(TSkinUIStyle style) {
  look_.SetStyle(style);
  if (custom_) return;
  TSkinFileTheme* const theme = look_.Theme();
  sections_.clear();
  const TResolvedStyle resolved = look_.Resolved();
  const bool onSkinForm = OnSkinForm();
  for (int key : {keys::TitleBarLeftImage, keys::TitleBarRightImage, keys::TitleBarClientImage}) {
    TSkinTitleBarSection& section = AddSection();
    GetThemeImage(resolved, theme, key, &section.Picture);
    if (key == keys::TitleBarLeftImage) section.AutoSize = true;
    if (key == keys::TitleBarRightImage) {
      section.AutoSize = true;
      section.Align = saRight;
    }
    if (key == keys::TitleBarClientImage) {
      section.Align = saClient;
      section.Stretch = true;
    }
  }
  leftOffset_ = GetThemeInt(resolved, theme, keys::TitleBarButtonLeftOffsetInt);
  rightOffset_ = GetThemeInt(resolved, theme, keys::TitleBarButtonRightOffsetInt);
  TBitmap strip;
  GetThemeImage(resolved, theme, keys::TitleBarButtonImage, &strip);
  rowHeight_ = strip.Height();
  rowTop_ = GetThemeInt(resolved, theme, keys::TitleBarButtonTopInt) - (onSkinForm ? 3 : 0);
  if (TForm* form = HostForm()) {
    toolkit::TSizeConstraints c = form->Constraints();
    c.MinWidth = GetThemeInt(resolved, theme, keys::FormMinWidthInt);
    form->SetConstraints(c);
  }
  roundCorner_ = GetThemeInt(resolved, theme, keys::FormRoundCornerInt);

  const TSkinUIStyle effective = resolved.fromFile ? TSkinUIStyle::FromThemeFile : resolved.style;
  for (auto& button : buttons_) button->SetUIStyle(effective);
  systemMenu_->SetFileTheme(theme);
  systemMenu_->SetUIStyle(style);

  if (!settingFileTheme_) {
    if (resolved.fromFile) {
      const std::int32_t font = theme->GetColor(keys::ControlFontColor);
      const bool dark = font == 0x010000 || font == 0x030000 || font == 0x040000 || font == 0x050000;
      captionColor_ = dark ? toolkit::clBlack : toolkit::clWhite;
    } else {
      captionColor_ = resolved.style == TSkinUIStyle::MacOS ? toolkit::clBlack : toolkit::clWhite;
    }
    Font().SetColor(captionColor_);
  }
  SetAutoSize(true);
}

TSkinTitleBar::Layout TSkinTitleBar::ComputeLayout() {
  Layout layout;
  int x = Width() + 1 + rightOffset_;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TSkinTitleBarButton& b = *buttons_[i];
    if (!b.Visible()) continue;
    if (b.ButtonType() == tbControlBox) {
      layout.controlBox = static_cast<int>(i);
      continue;
    }
    x -= b.PicNormal.Width() + 1 + buttonInterval_;
    layout.buttons.emplace_back(static_cast<int>(i), RECT{x, rowTop_, x + b.PicNormal.Width(), rowTop_ + rowHeight_});
  }
  int c = leftOffset_;
  if (layout.controlBox >= 0) {
    const int w = buttons_[static_cast<size_t>(layout.controlBox)]->PicNormal.Width();
    layout.buttons.emplace_back(layout.controlBox, RECT{c, rowTop_, c + w, rowTop_ + rowHeight_});
    c += drawAppIcon_ ? 21 : w + 5;
  }
  if (c == 0) c = 6;
  layout.captionLeft = c;
  layout.captionRight = x;
  return layout;
}

int TSkinTitleBar::ButtonAt(POINT point) {
  for (const auto& [index, rect] : ComputeLayout().buttons)
    if (PtInRectInclusive(point, rect)) return index;
  return -1;
}

std::string TSkinTitleBar::FitCaption(TCanvas& canvas, const std::string& caption, int width) {
  if (canvas.TextWidth(caption) <= width) return caption;
  std::string prefix = caption;
  while (!prefix.empty()) {
    prefix.pop_back();
    if (canvas.TextWidth(prefix + "...") <= width) return prefix + "...";
  }
  return canvas.TextWidth("...") <= width ? "..." : "";
}

void TSkinTitleBar::DrawSections(TCanvas& canvas) {
  const int dx = OnSkinForm() ? -3 : 0;
  const int dy = OnSkinForm() ? -3 : 0;
  HDC dc = canvas.Handle();
  auto picture = [this](int i) -> TBitmap* {
    if (i >= SectionCount() || Sections(i).Picture.Empty()) return nullptr;
    return &Sections(i).Picture;
  };
  if (TBitmap* left = picture(0)) DrawPicture(dc, dx, dy, *left, false);
  int rightEdge = Width();
  if (TBitmap* right = picture(1)) {
    rightEdge = Width() - right->Width() - dx;
    DrawPicture(dc, rightEdge, dy, *right, false);
  }
  if (TBitmap* client = picture(2)) {
    const int from = dx + (picture(0) ? picture(0)->Width() : 0);
    if (rightEdge > from) {
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, from, dy, rightEdge - from, client->Height(), client->Canvas().Handle(), 0, 0, client->Width(),
                 client->Height(), SRCCOPY);
    }
  }
}

void TSkinTitleBar::DrawButtons(TCanvas& canvas) {
  const Layout layout = ComputeLayout();
  hotIndex_ = -1;
  HDC dc = canvas.Handle();
  for (const auto& [index, rect] : layout.buttons) {
    TSkinTitleBarButton& b = *buttons_[static_cast<size_t>(index)];
    const bool hot = PtInRectInclusive(mouse_, rect);
    if (hot) hotIndex_ = index;
    if (b.ButtonType() == tbControlBox && drawAppIcon_) {
      // Shared icons from LoadImage need no freeing.
      HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 16, 16, LR_SHARED));
      if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
      DrawIconEx(dc, rect.left + 3, rowTop_, icon, 16, 16, 0, nullptr, DI_NORMAL);
      continue;
    }
    TBitmap& picture = hot ? (pressed_ ? b.PicMouseDown : b.PicMouseOn) : b.PicNormal;
    DrawPicture(dc, rect.left, rowTop_, picture, b.Transparent());
  }
  canvas.SetFont(Font());
  canvas.Font().SetColor(formActive_ ? Font().Color() : toolkit::clInactiveCaption);
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
  const std::string text = FitCaption(canvas, Caption(), layout.captionRight - layout.captionLeft);
  if (!text.empty())
    canvas.TextOut(layout.captionLeft, rowTop_ + (rowHeight_ - canvas.TextHeight(text)) / 2, text);
}

void TSkinTitleBar::RenderTo(TBitmap& bitmap) {
  toolkit::PaintToBitmap(bitmap, Width(), Height(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinTitleBar::Paint() {
  toolkit::PaintBuffered(Canvas(), ClientRect(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinTitleBar::PaintOn(TCanvas& canvas) {
  // Rows no picture covers show the panel colour rather than whatever the buffer held.
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({0, 0, std::max(Width(), 1), std::max(Height(), 1)});
  DrawSections(canvas);
  DrawButtons(canvas);
}

void TSkinTitleBar::WndProc(toolkit::TMessage& message) {
  switch (message.Msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
      if (TForm* form = HostForm()) {
        message.Result = SendMessageA(form->Handle(), message.Msg, message.WParam, message.LParam);
        return;
      }
      break;
    case WM_ERASEBKGND:
      message.Result = 1;  // Paint covers every pixel
      return;
    case toolkit::CM_MOUSELEAVE:
      mouse_ = POINT{-1, -1};
      Changed();
      break;
    default:
      break;
  }
  TCustomPanel::WndProc(message);
}

void TSkinTitleBar::MouseMove(toolkit::TShiftState shift, int x, int y) {
  TCustomPanel::MouseMove(shift, x, y);
  mouse_ = POINT{x, y};
  hotIndex_ = ButtonAt(mouse_);
  Changed();
}

void TSkinTitleBar::BeginWindowDrag(TForm& form) {
  ReleaseCapture();
  SendMessageA(form.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void TSkinTitleBar::MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) {
  TCustomPanel::MouseDown(button, shift, x, y);
  if (button != toolkit::mbLeft) return;
  mouse_ = POINT{x, y};
  hotIndex_ = ButtonAt(mouse_);
  pressed_ = true;
  Repaint();
  TForm* form = HostForm();
  if (form && hotIndex_ < 0 && form->WindowState() != toolkit::wsMaximized && !(shift & toolkit::ssDouble)) {
    BeginWindowDrag(*form);
    pressed_ = false;
  }
}

void TSkinTitleBar::MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) {
  TCustomPanel::MouseUp(button, shift, x, y);
  if (button != toolkit::mbLeft) return;
  mouse_ = POINT{x, y};
  hotIndex_ = ButtonAt(mouse_);
  const int hot = hotIndex_;
  if (hot >= 0) {
    TSkinTitleBarButton& b = Buttons(hot);
    if (b.ButtonType() != tbControlBox || b.ControlBoxMenu) {
      b.PerformAction();
      // The action may have closed the form; the bar itself is still alive here.
      if (b.ButtonType() == tbCustom && OnCustomBtnsClick) {
        OnCustomBtnsClick(this, hot);
      } else if (b.ButtonType() == tbHelp && OnHelpBtnClick) {
        OnHelpBtnClick(this, hot);
      }
    } else {
      const POINT at = ClientToScreen(POINT{0, Height()});
      systemMenu_->Popup(at.x, at.y);
    }
  }
  pressed_ = false;
  Changed();
}

void TSkinTitleBar::DblClick() {
  TCustomPanel::DblClick();
  const int hot = ButtonAt(mouse_);
  if (hot < 0) {
    for (auto& b : buttons_)
      if (b->ButtonType() == tbMax) {
        b->PerformAction();
        break;
      }
  } else if (Buttons(hot).ButtonType() == tbControlBox) {
    if (TForm* form = HostForm()) form->Close();
  }
}

}  // namespace quendrel::skin

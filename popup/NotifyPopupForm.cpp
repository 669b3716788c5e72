#include "popup/NotifyPopupForm.h"

#include <algorithm>
#include <cstdint>

#include "core/RunState.h"
#include "resources/ResourceNames.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"

namespace quendrel::popup {

using toolkit::TComponent;
using toolkit::TMouseButton;
using toolkit::TShiftState;

TfrmNotifyPopup::TfrmNotifyPopup(TComponent* owner) : TForm(owner) {
  BeginLoading();
  SetBorderStyle(toolkit::bsDialog);

  pnlBorder = new toolkit::TPanel(this);
  pnlBorder->SetName("pnlBorder");
  pnlBorder->SetParent(this);
  pnlBorder->SetAlign(toolkit::alClient);
  pnlBorder->SetBevelOuter(toolkit::bvLowered);
  pnlBorder->SetBevelWidth(2);

  imgGradient = new toolkit::TImage(this);
  imgGradient->SetName("imgGradient");
  imgGradient->SetParent(pnlBorder);
  imgGradient->SetAlign(toolkit::alClient);
  imgGradient->SetAnchors(toolkit::akLeft | toolkit::akTop | toolkit::akRight | toolkit::akBottom);
  imgGradient->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    imgGradientMouseUp(s, b, sh, x, y);
  };

  imgIcon = new toolkit::TImage(this);
  imgIcon->SetName("imgIcon");
  imgIcon->SetParent(pnlBorder);
  imgIcon->SetBounds(3, 8, 32, 32);
  imgIcon->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    imgIconMouseUp(s, b, sh, x, y);
  };

  lblText = new TMouseLabel(this);
  lblText->SetName("lblText");
  lblText->SetParent(pnlBorder);
  lblText->SetShowAccelChar(false);
  lblText->SetLayout(toolkit::tlCenter);
  lblText->SetAutoSize(true);
  lblText->SetWordWrap(true);
  lblText->SetTransparent(true);
  lblText->OnMouseEnter = [this](TComponent* s) { lblTextMouseEnter(s); };
  lblText->OnMouseLeave = [this](TComponent* s) { lblTextMouseLeave(s); };
  lblText->OnClick = [this](TComponent* s) { lblTextClick(s); };
  lblText->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    lblTextMouseUp(s, b, sh, x, y);
  };

  lblTitle = new TMouseLabel(this);
  lblTitle->SetName("lblTitle");
  lblTitle->SetParent(pnlBorder);
  lblTitle->SetShowAccelChar(false);
  lblTitle->SetTransparent(true);
  lblTitle->SetAutoSize(true);
  lblTitle->SetBounds(48, 8, lblTitle->Width(), lblTitle->Height());
  lblTitle->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    lblTitleMouseUp(s, b, sh, x, y);
  };

  const auto makeTimer = [this](const char* name, unsigned interval, void (TfrmNotifyPopup::*tick)(TComponent*)) {
    auto* timer = new toolkit::TTimer(this);
    timer->SetName(name);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->OnTimer = [this, tick](TComponent* s) { (this->*tick)(s); };
    return timer;
  };
  tmrExit = makeTimer("tmrExit", 10000, &TfrmNotifyPopup::tmrExitTimer);
  tmrScroll = makeTimer("tmrScroll", 25, &TfrmNotifyPopup::tmrScrollTimer);
  tmrScrollDown = makeTimer("tmrScrollDown", 25, &TfrmNotifyPopup::tmrscrollDownTimer);
  EndLoading();
}

TfrmNotifyPopup::~TfrmNotifyPopup() {
  // Only a popup that closed itself takes its component along; one freed with the component's owner
  // leaves the component to that owner.
  TNotifyPopup* component = popupComponent_;
  if (component == nullptr || !releasing_ || !component->FreeWhenClosed() || component->shownCount_ > 0 ||
      component->Destroying()) {
    return;
  }
  popupComponent_ = nullptr;
  RemoveFreeNotification(component);
  component->Free();
}

void TfrmNotifyPopup::CreateParams(toolkit::TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(WS_CAPTION)) | WS_POPUP;
  // No taskbar button, and never the activation: whatever the user types in keeps the focus.
  params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  params.ClassStyle |= CS_DROPSHADOW;
  // Owned by the application's hidden window, as every form is: a taskbar that lists unowned tool
  // windows (Wine's does) shows no button for it.
  params.WndParent = toolkit::Application.Handle();
}

void TfrmNotifyPopup::WndProc(toolkit::TMessage& message) {
  if (message.Msg == WM_MOUSEACTIVATE) {
    // WS_EX_NOACTIVATE alone does not stop a click from activating the window.
    message.Result = MA_NOACTIVATE;
    return;
  }
  TForm::WndProc(message);
}

void TfrmNotifyPopup::TakeSettings(TNotifyPopup& component) {
  popupComponent_ = &component;
  component.FreeNotification(this);
  defaultMonitor_ = component.DefaultMonitor();
  // A popup of no size, a negative one or one larger than any screen cannot be drawn or slid.
  fullWidth_ = std::clamp(component.Width(), 1, TNotifyPopup::kMaxSize);
  fullHeight_ = std::clamp(component.Height(), 1, TNotifyPopup::kMaxSize);
  text_ = component.Text();
  url_ = component.URL();
  title_ = component.Title();
  timeOut_ = component.TimeOut();
  iconBitmap_ = &component.IconBitmap();
  allowScroll_ = component.HasOption(npAllowScroll);
  allowHyperlink_ = component.HasOption(npAllowHyperlink);
  scrollSpeed_ = component.ScrollSpeed();
  textFont_ = &component.Font();
  hoverFont_ = &component.HoverFont();
  titleFont_ = &component.TitleFont();
  textCursor_ = component.TextCursor();
  gradientColor1_ = component.GradientColor1();
  gradientColor2_ = component.GradientColor2();
  gradientOrientation_ = component.GradientOrientation();
  lblText->SetAlignment(component.TextAlignment());
  backgroundDrawMethod_ = component.BackgroundDrawMethod();
}

WorkRect TfrmNotifyPopup::ReadWorkArea() const {
  PopupShell& shell = popupComponent_ != nullptr ? popupComponent_->Shell() : SystemShell();
  const RECT wa = shell.WorkArea();
  return WorkRect{wa.left, wa.top, wa.right, wa.bottom};
}

void TfrmNotifyPopup::StartPopup() {
  if (popupComponent_ == nullptr) return;
  TNotifyPopup& component = *popupComponent_;
  const WorkRect wa = ReadWorkArea();
  SetAutoScroll(false);
  SetHeight(fullHeight_);
  SetWidth(fullWidth_);

  imgStrip = new toolkit::TImage(this);
  imgStrip->SetName("imgStrip");
  imgStrip->SetStretch(true);
  imgStrip->SetParent(pnlBorder);
  imgStrip->SetHeight(3);
  imgStrip->SetAlign(toolkit::alBottom);

  lblText->SetCursor(textCursor_);
  edge_ = component.GetTaskbarEdge();
  releaseOnClose_ = true;
  SetBoundsTo(PlacePopup(edge_, wa, component.PopupStartX(), component.PopupStartY(), component.stackOffset_,
                         width_, height_));
  ownOffset_ = component.stackOffset_;
  if (component.HasOption(npCascadePopups)) {
    component.stackOffset_ += fullHeight_ + component.PopupMarge();
  } else {
    component.stackOffset_ = 0;
  }
  lblTitle->SetFont(*titleFont_);
  lblTitle->SetCaption(title_);

  // The window and its children's layout at full size, without showing anything yet (showing it
  // off screen, as one could, would activate it).
  HandleNeeded();
  Realign();
  // From here the panel and the background keep their full-size bounds at the top-left corner: the
  // slide reveals and hides them, it never squeezes them.
  imgGradient->SetAlign(toolkit::alClient);
  pnlBorder->Realign();
  // The anchors take the aligned bounds as their reference, or letting go of the alignment would
  // put back the bounds from before the strip came.
  imgGradient->SetAnchors(imgGradient->Anchors());
  imgGradient->SetAlign(toolkit::alNone);
  pnlBorder->SetAlign(toolkit::alNone);

  PaintBackground();
  if (!iconBitmap_->Empty()) {
    iconBitmap_->SetTransparent(true);
    imgGradient->Picture().Bitmap().Canvas().Draw(component.IconLeft(), component.IconTop(), *iconBitmap_);
  } else {
    lblTitle->SetLeft(8);
  }
  // TimeOut 0 or less slides out at once; beyond what a timer takes it waits as long as one can.
  const std::int64_t waitMs = std::int64_t{timeOut_} * 1000;
  tmrExit->SetInterval(static_cast<unsigned>(std::clamp<std::int64_t>(waitMs, 1, USER_TIMER_MAXIMUM)));
  if (allowScroll_) {
    SetBoundsTo(CollapseIntoEdge(edge_, Bounds()));
    tmrScroll->SetEnabled(true);
  } else {
    tmrExit->SetEnabled(true);
  }
  SetFormStyle(toolkit::fsStayOnTop);
  // The window shows no caption; its name is what screen readers announce.
  SetCaption(title_ + ": " + text_);
  ShowNoActivate();
  NotifyWinEvent(EVENT_SYSTEM_ALERT, Handle(), OBJID_CLIENT, CHILDID_SELF);
  lblText->SetFont(*textFont_);
  CenterText();
}

void TfrmNotifyPopup::PaintBackground() {
  const int width = imgGradient->Width();
  const int height = imgGradient->Height();
  if (width <= 0 || height <= 0) return;
  toolkit::TBitmap& target = imgGradient->Picture().Bitmap();
  target.SetSize(width, height);
  toolkit::TCanvas& canvas = target.Canvas();
  toolkit::TBitmap& background = popupComponent_->BackgroundImage();
  if (background.Empty()) {
    // Without the strip the popup still works; its bottom edge is plain then.
    imgStrip->Picture().Bitmap().LoadFromResourceName(GetModuleHandleA(nullptr), resources::kStrip);
    const bool vertical = gradientOrientation_ == mbVertical;
    const int lines = vertical ? height : width;
    for (int i = 0; i <= lines; ++i) {
      canvas.Pen().SetColor(BlendColor(gradientColor1_, gradientColor2_, i, lines));
      if (vertical) {
        canvas.MoveTo(0, i);
        canvas.LineTo(width, i);
      } else {
        canvas.MoveTo(i, 0);
        canvas.LineTo(i, height);
      }
    }
    return;
  }
  // Where a transparent picture leaves holes, the panel's face shows.
  canvas.Brush().SetColor(toolkit::clBtnFace);
  canvas.FillRect(RECT{0, 0, width, height});
  background.SetTransparent(true);
  switch (backgroundDrawMethod_) {
    case dmActualSize:
      canvas.Draw(0, 0, background);
      break;
    case dmTile:
      for (int x = 0; x < width; x += background.Width())
        for (int y = 0; y < height; y += background.Height()) canvas.Draw(x, y, background);
      break;
    case dmFit:
      canvas.StretchDraw(RECT{0, 0, width, height}, background);
      break;
  }
}

toolkit::TColor TfrmNotifyPopup::BlendColor(toolkit::TColor color1, toolkit::TColor color2, int position,
                                            int steps) {
  return static_cast<toolkit::TColor>(
      BlendRGB(toolkit::ColorToRGB(color1), toolkit::ColorToRGB(color2), position, steps));
}

void TfrmNotifyPopup::CenterText() {
  const int panelWidth = pnlBorder->Width();
  const int panelHeight = pnlBorder->Height();
  lblText->SetWidth(std::max(panelWidth - 15, 1));
  lblText->SetCaption(text_);
  // Auto-size fits the height to the text wrapped at the width just set.
  lblText->SetAutoSize(true);
  lblText->SetLeft(CenterOffset(panelWidth, lblText->Width()));
  lblText->SetTop(CenterOffset(panelHeight, lblText->Height()));
}

void TfrmNotifyPopup::StopTimers() {
  tmrScroll->SetEnabled(false);
  tmrExit->SetEnabled(false);
  tmrScrollDown->SetEnabled(false);
}

void TfrmNotifyPopup::tmrScrollTimer(TComponent*) {
  if (popupComponent_ == nullptr) return;
  const SlideFrame frame{ReadWorkArea(), popupComponent_->PopupStartX(), popupComponent_->PopupStartY(),
                         ownOffset_,     fullWidth_,                     fullHeight_,
                         scrollSpeed_};
  PopupBounds bounds = Bounds();
  const bool last = SlideInStep(edge_, bounds, frame);
  SetBoundsTo(bounds);
  if (last) {
    tmrScroll->SetEnabled(false);
    tmrExit->SetEnabled(true);
  }
}

void TfrmNotifyPopup::tmrExitTimer(TComponent*) {
  tmrExit->SetEnabled(false);
  tmrScrollDown->SetEnabled(true);
}

void TfrmNotifyPopup::tmrscrollDownTimer(TComponent*) {
  PopupBounds bounds = Bounds();
  if (SlideOutStep(edge_, bounds, scrollSpeed_)) {
    SetBoundsTo(bounds);
    return;
  }
  tmrScrollDown->SetEnabled(false);
  Close();
}

void TfrmNotifyPopup::lblTextMouseEnter(TComponent*) {
  if (!allowHyperlink_ || hoverFont_ == nullptr) return;
  lblText->SetFont(*hoverFont_);
  CenterText();
}

void TfrmNotifyPopup::lblTextMouseLeave(TComponent*) {
  if (!allowHyperlink_ || textFont_ == nullptr) return;
  lblText->SetFont(*textFont_);
  CenterText();
}

template <class F>
void TfrmNotifyPopup::WithoutRelease(F&& handler) {
  struct Restore {
    bool& flag;
    ~Restore() { flag = true; }
  } restore{releaseOnClose_};
  releaseOnClose_ = false;
  handler();
}

void TfrmNotifyPopup::lblTextClick(TComponent*) {
  TNotifyPopup* component = popupComponent_;
  if (component != nullptr) {
    WithoutRelease([&] {
      if (allowHyperlink_) {
        if (component->OnURLClick) component->OnURLClick(this, url_);
        // Asked after the handler, which may have changed the options.
        if (popupComponent_ != nullptr && popupComponent_->HasOption(npAutoOpenURL)) {
          popupComponent_->Shell().OpenURL(url_);
        }
      } else if (component->OnClick) {
        component->OnClick(this);
      }
    });
  }
  Close();
}

void TfrmNotifyPopup::CloseAfterClick() {
  if (popupComponent_ != nullptr && popupComponent_->OnClick) {
    TNotifyPopup* component = popupComponent_;
    WithoutRelease([&] { component->OnClick(component); });
  }
  Close();
}

void TfrmNotifyPopup::lblTextMouseUp(TComponent*, TMouseButton Button, TShiftState, int, int) {
  // The left button ends in lblTextClick.
  if (Button == toolkit::mbRight) CloseAfterClick();
}

void TfrmNotifyPopup::lblTitleMouseUp(TComponent*, TMouseButton, TShiftState, int, int) {
  CloseAfterClick();
}

void TfrmNotifyPopup::imgIconMouseUp(TComponent*, TMouseButton, TShiftState, int, int) {
  CloseAfterClick();
}

void TfrmNotifyPopup::imgGradientMouseUp(TComponent*, TMouseButton, TShiftState, int, int) {
  CloseAfterClick();
}

void TfrmNotifyPopup::DoClose(toolkit::TCloseAction& action) {
  StopTimers();
  // Off the screen once, however many close requests follow (one inside a click handler hides the
  // window, the one after the handler frees it): counting each would drive PopupCount below zero
  // and put every later alert under the work area.
  if (!countedOff_) {
    countedOff_ = true;
    if (PopupCount > 0) --PopupCount;
  }
  if (releasing_) {
    action = toolkit::caNone;  // already on its way out
  } else if (releaseOnClose_) {
    releasing_ = true;
    if (popupComponent_ != nullptr && popupComponent_->shownCount_ > 0) --popupComponent_->shownCount_;
    action = toolkit::caFree;
  } else {
    action = toolkit::caHide;
  }
  TForm::DoClose(action);
  // Gone from the screen at once, not when the deferred free comes round.
  if (action == toolkit::caFree) Hide();
}

void TfrmNotifyPopup::Notification(TComponent* component, toolkit::TOperation operation) {
  if (operation == toolkit::opRemove && component == popupComponent_ && popupComponent_ != nullptr) {
    // The component goes first (it should outlive its popups): this popup goes with it.
    popupComponent_ = nullptr;
    iconBitmap_ = nullptr;
    textFont_ = hoverFont_ = titleFont_ = nullptr;
    if (!Destroying()) {
      StopTimers();
      if (!releasing_) {
        releasing_ = true;
        if (!countedOff_ && PopupCount > 0) --PopupCount;
        countedOff_ = true;
        Hide();
        Release();
      }
    }
  }
  TForm::Notification(component, operation);
}

}  // namespace quendrel::popup

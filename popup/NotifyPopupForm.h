// TfrmNotifyPopup: the window of one notification popup. It places itself against the taskbar,
// paints its background, title and text, slides out, waits, slides back and frees itself; a click
// closes it at once. Shown without taking the activation, with no taskbar button.
#pragma once

#include <cstdint>
#include <string>

#include "popup/NotifyPopup.h"
#include "popup/PopupGeometry.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace quendrel::toolkit {
class TImage;
class TPanel;
class TTimer;
}  // namespace quendrel::toolkit

namespace quendrel::popup {

// A label that reports the mouse entering and leaving it (OnMouseEnter, OnMouseLeave).
class TMouseLabel : public toolkit::TLabel {
public:
  explicit TMouseLabel(toolkit::TComponent* owner) : toolkit::TLabel(owner) {}
  std::string ClassName() const override { return "TMouseLabel"; }
};

class TfrmNotifyPopup : public toolkit::TForm {
public:
  explicit TfrmNotifyPopup(toolkit::TComponent* owner);
  ~TfrmNotifyPopup() override;
  std::string ClassName() const override { return "TfrmNotifyPopup"; }

  // Children and timers, all owned by the window.
  toolkit::TPanel* pnlBorder = nullptr;
  toolkit::TImage* imgIcon = nullptr;
  TMouseLabel* lblText = nullptr;
  toolkit::TImage* imgGradient = nullptr;
  toolkit::TImage* imgStrip = nullptr;  // made by StartPopup
  toolkit::TTimer* tmrExit = nullptr;
  toolkit::TTimer* tmrScroll = nullptr;
  toolkit::TTimer* tmrScrollDown = nullptr;
  TMouseLabel* lblTitle = nullptr;

  // Copies the component's settings into the window (fonts are shared, not copied).
  void TakeSettings(TNotifyPopup& component);
  // Places, paints and shows the window and starts its timers. Once, after TakeSettings.
  void StartPopup();
  void CenterText();
  // One gradient line: line 0 is colour 1, line `steps` colour 2 (system colours resolved).
  static toolkit::TColor BlendColor(toolkit::TColor color1, toolkit::TColor color2, int position, int steps);

  void lblTextMouseEnter(toolkit::TComponent* Sender);
  void lblTextMouseLeave(toolkit::TComponent* Sender);
  void lblTextClick(toolkit::TComponent* Sender);
  void tmrExitTimer(toolkit::TComponent* Sender);
  void tmrscrollDownTimer(toolkit::TComponent* Sender);
  void lblTextMouseUp(toolkit::TComponent* Sender, toolkit::TMouseButton Button, toolkit::TShiftState Shift,
                      int X, int Y);
  void lblTitleMouseUp(toolkit::TComponent* Sender, toolkit::TMouseButton Button, toolkit::TShiftState Shift,
                       int X, int Y);
  void tmrScrollTimer(toolkit::TComponent* Sender);
  void imgIconMouseUp(toolkit::TComponent* Sender, toolkit::TMouseButton Button, toolkit::TShiftState Shift,
                      int X, int Y);
  void imgGradientMouseUp(toolkit::TComponent* Sender, toolkit::TMouseButton Button, toolkit::TShiftState Shift,
                          int X, int Y);

  TNotifyPopup* PopupComponent() const { return popupComponent_; }
  // The taskbar edge the window was placed against, as the shell answered (-1: not known).
  int32_t Edge() const { return edge_; }
  int32_t OwnOffset() const { return ownOffset_; }
  int32_t FullWidth() const { return fullWidth_; }
  int32_t FullHeight() const { return fullHeight_; }
  bool ReleaseOnClose() const { return releaseOnClose_; }
  TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }

protected:
  void CreateParams(toolkit::TCreateParams& params) override;
  void WndProc(toolkit::TMessage& message) override;
  void DoClose(toolkit::TCloseAction& action) override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;

private:
  // Runs a handler of the component's with ReleaseOnClose off, so a close it asks for only hides
  // the window and the window outlives the handler.
  template <class F>
  void WithoutRelease(F&& handler);
  void CloseAfterClick();
  void PaintBackground();
  void StopTimers();
  PopupBounds Bounds() const { return PopupBounds{left_, top_, width_, height_}; }
  void SetBoundsTo(const PopupBounds& b) { SetBounds(b.left, b.top, b.width, b.height); }
  WorkRect ReadWorkArea() const;

  TNotifyPopup* popupComponent_ = nullptr;  // not owned; forgotten when it goes
  int32_t fullWidth_ = 0;
  int32_t fullHeight_ = 0;
  std::string text_;
  std::string url_;
  std::string title_;
  int timeOut_ = 10;
  TScrollSpeed scrollSpeed_ = 9;
  toolkit::TColor gradientColor1_ = 0;
  toolkit::TColor gradientColor2_ = 0;
  TOrientation gradientOrientation_ = mbVertical;
  toolkit::TCursor textCursor_ = toolkit::crDefault;
  TNotifyImageDrawMethod backgroundDrawMethod_ = dmActualSize;
  TDefaultMonitor defaultMonitor_ = dmDesktop;
  bool allowScroll_ = true;
  bool allowHyperlink_ = true;
  toolkit::TBitmap* iconBitmap_ = nullptr;  // the component's, not owned
  toolkit::TFont* textFont_ = nullptr;      // the component's, not owned
  toolkit::TFont* hoverFont_ = nullptr;     // the component's, not owned
  toolkit::TFont* titleFont_ = nullptr;     // the component's, not owned
  int32_t edge_ = kEdgeUnknown;
  int32_t ownOffset_ = 0;
  bool releaseOnClose_ = true;
  // The window has left the screen (PopupCount taken back) and is being freed (ShownCount taken back).
  bool countedOff_ = false;
  bool releasing_ = false;
};

}  // namespace quendrel::popup

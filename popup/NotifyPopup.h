// TNotifyPopup: the settings of a notification popup and the operation that opens one. Every
// OpenPopup makes a TfrmNotifyPopup window (popup/NotifyPopupForm.h) that slides out of the
// taskbar's edge, waits, slides back and frees itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/Component.h"
#include "toolkit/Control.h"
#include "toolkit/Font.h"
#include "toolkit/Panel.h"

namespace quendrel::popup {

enum TOrientation { mbHorizontal, mbVertical };
using TScrollSpeed = std::uint8_t;  // 1..50
enum TNotifyPopupOption { npAutoOpenURL, npSystemFont, npCascadePopups, npAllowScroll, npAllowHyperlink };
using TNotifyPopupOptions = std::uint8_t;  // bit n = member n
constexpr TNotifyPopupOptions OptionBit(TNotifyPopupOption option) {
  return static_cast<TNotifyPopupOptions>(1u << option);
}
enum TNotifyImageDrawMethod { dmActualSize, dmTile, dmFit };
// Which monitor a form prefers; dmDesktop leaves a computed position alone.
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
using TURLEvent = std::function<void(toolkit::TComponent* Sender, const std::string& URL)>;

// What the popups ask of the shell: the taskbar's place, the work area, opening a clicked link.
// The system's answers by default; tests put in their own.
class PopupShell {
public:
  virtual ~PopupShell() = default;
  // The taskbar's rectangle; false when the shell does not tell it.
  virtual bool TaskbarRect(RECT& rect) = 0;
  // The desktop without the taskbar.
  virtual RECT WorkArea() = 0;
  // Hands a file, program or address to the shell's default action; the outcome is not reported.
  virtual void OpenURL(const std::string& url) = 0;
};
PopupShell& SystemShell();

class TfrmNotifyPopup;

class TNotifyPopup : public toolkit::TComponent {
public:
  // What a saved form leaves out because it equals these (a new component starts with the
  // initial values of the constructor instead).
  struct StreamingDefaults {
    static constexpr int Width = 175;
    static constexpr int Height = 175;
    static constexpr int ScrollSpeed = 5;
    static constexpr int TimeOut = 10;
    static constexpr TOrientation GradientOrientation = mbVertical;
    static constexpr toolkit::TAlignment TextAlignment = toolkit::taLeftJustify;
    static constexpr TNotifyImageDrawMethod BackgroundDrawMethod = dmActualSize;
  };
  static constexpr const char* kDefaultURL = "https://quendrel.invalid/";
  // Largest outer size a popup takes; larger (or non-positive) sizes are brought into 1..this.
  static constexpr int kMaxSize = 4096;

  explicit TNotifyPopup(toolkit::TComponent* owner);
  ~TNotifyPopup() override;
  std::string ClassName() const override { return "TNotifyPopup"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  const std::string& Text() const { return text_; }
  void SetText(const std::string& value) { text_ = value; }
  const std::string& URL() const { return url_; }
  void SetURL(const std::string& value) { url_ = value; }
  toolkit::TBitmap& IconBitmap() { return iconBitmap_; }
  void SetIconBitmap(const toolkit::TBitmap& value);  // copied
  int IconLeft() const { return iconLeft_; }
  void SetIconLeft(int value) { iconLeft_ = value; }
  int IconTop() const { return iconTop_; }
  void SetIconTop(int value) { iconTop_ = value; }
  int TimeOut() const { return timeOut_; }
  void SetTimeOut(int value) { timeOut_ = value; }
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }
  int Height() const { return height_; }
  void SetHeight(int value) { height_ = value; }
  toolkit::TColor GradientColor1() const { return gradientColor1_; }
  void SetGradientColor1(toolkit::TColor value) { gradientColor1_ = value; }
  toolkit::TColor GradientColor2() const { return gradientColor2_; }
  void SetGradientColor2(toolkit::TColor value) { gradientColor2_ = value; }
  TOrientation GradientOrientation() const { return gradientOrientation_; }
  void SetGradientOrientation(TOrientation value) { gradientOrientation_ = value; }
  TScrollSpeed ScrollSpeed() const { return scrollSpeed_; }
  // Kept within 1..50: a speed of 0 would never finish a slide.
  void SetScrollSpeed(int value);
  toolkit::TFont& Font() { return font_; }
  void SetFont(const toolkit::TFont& value);  // copied
  toolkit::TFont& HoverFont() { return hoverFont_; }
  void SetHoverFont(const toolkit::TFont& value);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  toolkit::TFont& TitleFont() { return titleFont_; }
  void SetTitleFont(const toolkit::TFont& value);
  TNotifyPopupOptions Options() const { return options_; }
  void SetOptions(TNotifyPopupOptions value) { options_ = value; }
  bool HasOption(TNotifyPopupOption option) const { return (options_ & OptionBit(option)) != 0; }
  toolkit::TAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(toolkit::TAlignment value) { textAlignment_ = value; }
  TNotifyImageDrawMethod BackgroundDrawMethod() const { return backgroundDrawMethod_; }
  void SetBackgroundDrawMethod(TNotifyImageDrawMethod value) { backgroundDrawMethod_ = value; }
  toolkit::TCursor TextCursor() const { return textCursor_; }
  // A 16-bit cursor id; its unsigned spelling (65515 for -21) is taken as the same id, and
  // anything outside 16 bits gives the default cursor.
  void SetTextCursor(int value);
  int PopupMarge() const { return popupMarge_; }
  void SetPopupMarge(int value) { popupMarge_ = value; }
  int PopupStartX() const { return popupStartX_; }
  void SetPopupStartX(int value) { popupStartX_ = value; }
  int PopupStartY() const { return popupStartY_; }
  void SetPopupStartY(int value) { popupStartY_ = value; }
  TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
  void SetDefaultMonitor(TDefaultMonitor value) { defaultMonitor_ = value; }
  toolkit::TBitmap& BackgroundImage() { return backgroundImage_; }
  void SetBackgroundImage(const toolkit::TBitmap& value);

  toolkit::TNotifyEvent OnClick;
  TURLEvent OnURLClick;

  // Shows one popup: true when a window was made, false when a further cascaded one has no room.
  bool OpenPopup();
  // The edge the taskbar is docked at (0 left, 1 top, 2 right, 3 bottom), -1 when unknown.
  int GetTaskbarEdge();

  // This component's popups on screen, the room its stack takes, the edge its last OpenPopup saw.
  int32_t ShownCount() const { return shownCount_; }
  int32_t StackOffset() const { return stackOffset_; }
  int32_t TaskbarEdge() const { return taskbarEdge_; }

  // On: the component frees itself once its last popup has closed and gone (an alert's component
  // that nobody needs after its one popup).
  bool FreeWhenClosed() const { return freeWhenClosed_; }
  void SetFreeWhenClosed(bool value) { freeWhenClosed_ = value; }

  PopupShell& Shell() const { return *shell_; }
  // Not owned; null goes back to the system's.
  void SetShell(PopupShell* shell) { shell_ = shell != nullptr ? shell : &SystemShell(); }

private:
  friend class TfrmNotifyPopup;

  std::string text_ = "text";
  std::string url_ = kDefaultURL;
  toolkit::TBitmap iconBitmap_;
  int iconLeft_ = 8;
  int iconTop_ = 8;
  int timeOut_ = 10;
  int width_ = 148;
  int height_ = 121;
  toolkit::TColor gradientColor1_ = toolkit::RGBToColor(153, 204, 255);
  toolkit::TColor gradientColor2_ = toolkit::RGBToColor(255, 255, 255);
  TOrientation gradientOrientation_ = mbVertical;
  TScrollSpeed scrollSpeed_ = 9;
  toolkit::TFont font_;
  toolkit::TFont hoverFont_;
  std::string title_ = "title";
  toolkit::TFont titleFont_;
  TNotifyPopupOptions options_ = OptionBit(npAutoOpenURL) | OptionBit(npCascadePopups) |
                                 OptionBit(npAllowScroll) | OptionBit(npAllowHyperlink);
  toolkit::TAlignment textAlignment_ = toolkit::taCenter;
  TNotifyImageDrawMethod backgroundDrawMethod_ = dmActualSize;
  toolkit::TCursor textCursor_ = toolkit::crDefault;
  int popupMarge_ = 2;
  int popupStartX_ = 16;
  int popupStartY_ = 2;
  TDefaultMonitor defaultMonitor_ = dmDesktop;
  toolkit::TBitmap backgroundImage_;

  int32_t shownCount_ = 0;
  int32_t stackOffset_ = 0;
  int32_t taskbarEdge_ = 0;
  bool freeWhenClosed_ = false;
  PopupShell* shell_;  // not owned
};

}  // namespace quendrel::popup

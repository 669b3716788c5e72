// The skinned push button and check box: faces drawn from the state frames of a theme strip, with
// hot, pressed, disabled and focused looks, mouse and keyboard as the native controls have them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/SkinStyled.h"
#include "toolkit/Bitmap.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Timer.h"

namespace quendrel::skin {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSkinCustomButton : public TSkinStyled<toolkit::TCustomControl> {
 public:
  explicit TSkinCustomButton(toolkit::TComponent* owner);
  ~TSkinCustomButton() override;
  std::string ClassName() const override { return "TSkinCustomButton"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  int FocusedRectMargin() const { return focusedRectMargin_; }
  void SetFocusedRectMargin(int value);
  int MouseContinuouslyDownInterval() const { return repeatInterval_; }
  void SetMouseContinuouslyDownInterval(int value) { repeatInterval_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  bool Pressed() const { return pressed_; }
  bool MouseOver() const { return mouseOver_; }
  bool RepeatTimerRunning() const { return repeatTimer_ != nullptr; }

  // The face as Paint puts it on the screen, drawn off screen.
  void RenderTo(toolkit::TBitmap& bitmap);
  void Click() override;

  toolkit::TNotifyEvent OnMouseExit;
  toolkit::TNotifyEvent OnMouseContinuouslyDown;

 protected:
  virtual void UpdateAutoSize();
  virtual void CaptionChanged() {}
  void FontChanged() override;
  virtual void TransparentChanged();
  void EnabledChanged() override {}
  virtual void ApplyStyle() {}
  virtual void DrawFace(toolkit::TCanvas& canvas, toolkit::TBitmap& stateImage);
  virtual void DrawCaption(toolkit::TCanvas& canvas, const std::string& text);
  virtual void DrawFocus(toolkit::TCanvas& canvas);
  virtual void GetNormalImage(toolkit::TBitmap& graphic);
  virtual void GetMouseOnImage(toolkit::TBitmap& graphic);
  virtual void GetPressedImage(toolkit::TBitmap& graphic);
  virtual void GetDisabledImage(toolkit::TBitmap& graphic);

  void Paint() override;
  void CreateParams(toolkit::TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(toolkit::TMessage& message) override;
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseMove(toolkit::TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, toolkit::TShiftState shift) override;
  void KeyUp(WORD& key, toolkit::TShiftState shift) override;
  void TextChanged() override { CaptionChanged(); }
  // The frame a state image comes from; an empty face when the strip is missing.
  void LoadButtonFrame(int frameIndex, toolkit::TBitmap& graphic);
  // Plain caption: centred, white-then-grey when disabled, shifted by a pixel when pressed.
  void DrawCenteredCaption(toolkit::TCanvas& canvas, const std::string& text);
  void DrawCaptionAt(toolkit::TCanvas& canvas, const std::string& text, RECT rect, UINT flags);
  void StopRepeat();
  void SetPressed(bool value);

  bool boldCaption_ = false;  // for the next caption only
  bool activeDefault_ = false;
  POINT captionPos_{0, 0};

 private:
  // The whole face at control coordinates: RenderTo and Paint both draw with it.
  void PaintOn(toolkit::TCanvas& canvas);

  bool autoSize_ = false;
  bool transparent_ = false;
  int focusedRectMargin_ = 2;
  int repeatInterval_ = 100;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  bool pressed_ = false;
  bool mouseOver_ = false;
  std::unique_ptr<toolkit::TTimer> repeatTimer_;
};

class TSkinButton : public TSkinCustomButton {
 public:
  explicit TSkinButton(toolkit::TComponent* owner);
  std::string ClassName() const override { return "TSkinButton"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  // Copied in; a glyph twice as wide as high holds a normal and a disabled image.
  toolkit::TBitmap& Glyph() { return glyph_; }
  void SetGlyph(const toolkit::TBitmap& glyph);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  int ResHandle() const { return 0; }

 protected:
  void StyleChanged() override { ApplyStyle(); }
  void ApplyStyle() override;
  void DrawFace(toolkit::TCanvas& canvas, toolkit::TBitmap& stateImage) override;
  void DrawCaption(toolkit::TCanvas& canvas, const std::string& text) override;
  void DrawFocus(toolkit::TCanvas& canvas) override;

 private:
  toolkit::TBitmap glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int spacing_ = 4;
};

class TSkinCheckBox : public TSkinStyled<toolkit::TCustomControl> {
 public:
  explicit TSkinCheckBox(toolkit::TComponent* owner);
  std::string ClassName() const override { return "TSkinCheckBox"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Checked() const { return checked_; }
  // A change repaints and fires OnClick, from code as from the user (not while loading).
  void SetChecked(bool value);
  toolkit::TCheckBoxState State() const { return checked_ ? toolkit::cbChecked : toolkit::cbUnchecked; }
  // Anything but cbChecked unchecks.
  void SetState(toolkit::TCheckBoxState state) { SetChecked(state == toolkit::cbChecked); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  void RenderTo(toolkit::TBitmap& bitmap);
  // Toggles; the change of Checked fires OnClick.
  void Click() override;
  void UpdateAutoSize();
  // The size AutoSize gives: glyph and caption side by side, a line of the font high.
  SIZE AutoSizeExtent();

 protected:
  virtual bool ShowsFocus() const { return true; }
  virtual bool GlyphTransparent() const { return false; }
  virtual int GlyphKey() const { return keys::CheckBoxImage; }
  virtual void CheckedChanged();
  virtual void BeforeToggle() {}
  virtual void Toggle();
  virtual bool KeyToggles() const { return true; }

  void Paint() override;
  void CreateParams(toolkit::TCreateParams& params) override;
  void WndProc(toolkit::TMessage& message) override;
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void KeyUp(WORD& key, toolkit::TShiftState shift) override;
  void FontChanged() override;
  void TextChanged() override;
  void StyleChanged() override;

 private:
  // The glyph of the current state, null when the strip cannot be had.
  toolkit::TBitmap* Glyph();
  void PaintOn(toolkit::TCanvas& canvas);

  bool autoSize_ = true;
  bool checked_ = false;
  bool transparent_ = false;
};

}  // namespace quendrel::skin

// TSkinForm: dropped on a form, it takes over the form's look: no native caption, a thin frame it
// paints itself, a window region with optionally rounded top corners, a tiled or plain client area
// and a TSkinTitleBar on top.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/SkinFileTheme.h"
#include "skin/SkinStyleLink.h"
#include "skin/SkinTitleBar.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace quendrel::skin {

class TSkinForm : public toolkit::TCustomPanel {
 public:
  // Takes over owner when it is a form without a TSkinForm; otherwise stays a bare panel.
  explicit TSkinForm(toolkit::TComponent* owner);
  ~TSkinForm() override;

  std::string ClassName() const override { return "TSkinForm"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  bool Attached() const { return form_ != nullptr && !detached_; }
  TSkinTitleBar& TitleBar() { return *titleBar_; }

  TSkinUIStyle UIStyle() const { return look_.Style(); }
  void SetUIStyle(TSkinUIStyle style);
  TSkinFileTheme* FileTheme() const { return look_.Theme(); }
  void SetFileTheme(TSkinFileTheme* theme);
  bool UIStyleAutoUpdateSub() const { return autoUpdateSub_; }
  void SetUIStyleAutoUpdateSub(bool value) { autoUpdateSub_ = value; }
  bool TitleBarCustom() const { return titleBar_->Custom(); }
  void SetTitleBarCustom(bool value) { titleBar_->SetCustom(value); }
  toolkit::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(toolkit::TColor value);
  int FrameBorderWidth() const { return frameWidth_; }
  void SetFrameBorderWidth(int value);
  bool TitleBarVisible() const { return titleBar_->Visible(); }
  void SetTitleBarVisible(bool value);
  // 0 while the title bar is hidden.
  int RoundCorner() const { return titleBar_->Visible() ? titleBar_->RoundCorner() : 0; }
  void SetRoundCorner(int value);
  // The title bar's caption; the form takes it too.
  void SetSkinCaption(const std::string& caption);
  toolkit::TColor MenuBarColor = toolkit::clBtnFace;
  int MenuBarHeight = 22;
  const char* Version() const { return "1.0"; }

  // Published as OnTitleBarCustomBtnsClick / OnTitleBarHelpBtnClick; they live in the title bar.
  void SetOnTitleBarCustomBtnsClick(TSkinTitleBarButtonClickEvent handler) {
    titleBar_->OnCustomBtnsClick = std::move(handler);
  }
  void SetOnTitleBarHelpBtnClick(TSkinTitleBarButtonClickEvent handler) {
    titleBar_->OnHelpBtnClick = std::move(handler);
  }

  // Paints the frame on the form's window DC.
  void PaintFrame();
  // The form's window region for a window of width x height with corner radius r (top corners
  // only). The radius is kept within half the window's smaller side.
  static HRGN MakeWindowRegion(int width, int height, int radius);
  void UpdateRegion();

 protected:
  void Paint() override;
  void Resize() override;
  void WndProc(toolkit::TMessage& message) override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;

 private:
  void Attach(toolkit::TForm& form);
  void Detach();
  void FormMessage(toolkit::TMessage& message, const toolkit::TWndNext& next);
  void ResizeSteps();
  void RemoveCaptionStyle();
  void PaintFrameOn(HDC dc, int width, int height);

  toolkit::TForm* form_ = nullptr;  // not owned: our owner
  TSkinTitleBar* titleBar_ = nullptr;  // owned through the component tree
  toolkit::TWndHookOwner hook_;
  toolkit::THookOwner appHook_;
  RECT attachBounds_{};
  bool attachMaximized_ = false;
  bool detached_ = false;
  TSkinStyleLink look_;
  bool autoUpdateSub_ = false;
  toolkit::TColor borderColor_ = 0;
  int frameWidth_ = 1;
  toolkit::TBitmap tile_;  // the style's client-area pattern; empty: plain Color
};

}  // namespace quendrel::skin

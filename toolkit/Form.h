// TForm: a top-level window holding controls.
#pragma once

#include <memory>

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"
#include "toolkit/Icon.h"

namespace quendrel::toolkit {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconBits : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsStayOnTop };

// Posted to a form that frees itself once the message that asked for it has been handled.
constexpr UINT CM_RELEASE = CM_BASE + 0x21;

using TCloseEvent = std::function<void(TComponent* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TComponent* Sender, bool& CanClose)>;

// Forms start hidden. The application's hidden window owns them, so that window carries the one
// taskbar button of the program (see TApplication). A form built in code wraps its setup in
// BeginLoading()/EndLoading(): setters stay quiet meanwhile, and OnCreate fires after it.
class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  std::string ClassName() const override { return "TForm"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // Pixels-per-inch scaling: the toolkit never scales by itself; the flag is kept for the form
  // scaler, which turns it off when it takes the form over.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool value) { autoScroll_ = value; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  const TIcon& Icon() const { return icon_; }
  // Copied; the window shows it at once.
  void SetIcon(const TIcon& icon);
  TCanvas& Canvas() { return *canvas_; }
  bool Active() const;

  void SetVisible(bool visible) override;
  // Shows the form without taking the activation (SW_SHOWNOACTIVATE), for popups.
  void ShowNoActivate();
  void Close();
  // Frees the form once the message that asked for it, and every message being handled by the form,
  // its controls or its components, has been handled.
  void Release();
  // Fires OnCreate once: after loading, or from TApplication::CreateForm for forms built without it.
  void DoCreate();
  // Moves the focus to the next (or previous) tab stop after `current`.
  void SelectNext(TWinControl* current, bool forward);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& message) override;
  void PaintWindow(HDC dc) override;
  void Loaded() override;
  // OnDestroy, then the window goes, while the derived form is still whole.
  void BeforeDestruction() override;
  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& action);
  virtual void Paint();

private:
  void ApplyIcon();
  void ShowWindowAs(int showCommand);
  void PlaceOnFirstShow();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  bool autoScroll_ = false;
  bool scaled_ = true;
  bool placed_ = false;
  bool createFired_ = false;
  TWinControl* activeControl_ = nullptr;  // not owned
  TIcon icon_;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace quendrel::toolkit

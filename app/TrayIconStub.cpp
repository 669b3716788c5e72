#include "app/TrayIconStub.h"

#include <windows.h>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace quendrel {

using toolkit::Application;

toolkit::TForm* TTrayIconStub::MainWindow() const {
  // The form that owns the icon is the main window, also in tests where it is not the application's.
  return dynamic_cast<toolkit::TForm*>(Owner());
}

void TTrayIconStub::HideMainWindow() {
  if (toolkit::TForm* form = MainWindow()) form->Hide();
  ShowWindow(Application.Handle(), SW_HIDE);
}

void TTrayIconStub::RestoreMainWindow() {
  Application.Restore();
  toolkit::TForm* form = MainWindow();
  if (form == nullptr) return;
  if (form->WindowState() == toolkit::wsMinimized) form->SetWindowState(toolkit::wsNormal);
  form->Show();
  SetForegroundWindow(form->Handle());
}

}  // namespace quendrel

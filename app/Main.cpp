// Program entry: one main window and its message loop. No command line, no second-instance check.
#include <windows.h>

#include <exception>

#include "app/MainForm.h"
#include "app/ProgramGlobals.h"
#include "toolkit/Application.h"
#include "toolkit/Com.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using quendrel::toolkit::Application;
  // First made, last gone: Run frees the forms, and with them the tray icon and the bridge's proxies
  // into the mail client's process, while COM is still up.
  const quendrel::toolkit::ComApartment com;
  Application.Initialize();
  try {
    Application.CreateForm(quendrel::Form1);
  } catch (...) {
    // A failing FormCreate leaves the window in place; the loop shows it with the error box first.
    Application.HandleException(std::current_exception());
  }
  Application.Run();
  return 0;
}

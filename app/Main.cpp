// Program entry: one main window and its message loop. No command line, no second-instance check.
#include <windows.h>

#include <exception>

#include "app/MainForm.h"
#include "app/ProgramGlobals.h"
#include "toolkit/Application.h"
#include "toolkit/Com.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using quendrel::toolkit::Application;
  // First made, last gone: Run frees the forms (tray icon, store event bridge) while it lives.
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

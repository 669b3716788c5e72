#include "toolkit/WindowClass.h"

#include <stdexcept>
#include <string>

namespace quendrel::toolkit {

void RegisterWindowClass(const TWindowClassParams& params) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExA(instance, params.Name, &wc)) {
    if (wc.style == params.Style) return;
    throw std::logic_error(std::string("Window class ") + params.Name + " is registered with other class styles");
  }
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof(wc);
  wc.style = params.Style;
  wc.lpfnWndProc = params.Proc;
  wc.hInstance = instance;
  wc.hIcon = params.Icon;
  wc.hCursor = params.Cursor;
  wc.lpszClassName = params.Name;
  if (RegisterClassExA(&wc) == 0) throw std::runtime_error(std::string("Cannot register window class ") + params.Name);
}

}  // namespace quendrel::toolkit

#include "tray/TrayIconHandler.h"

#include <memory>
#include <utility>
#include <stdexcept>

#include "toolkit/Dispatch.h"
#include "toolkit/WindowClass.h"
#include "tray/IdTable.h"
#include "tray/TrayIcon.h"

namespace quendrel {

namespace {

constexpr char kWindowClass[] = "Quendrel.TTrayIconHandler";

// One per process, made by the first client and freed by the last. Deliberately not a static
// object with a destructor: forms still owned by the application at the program's end free their
// icons during static destruction, after such an object would have gone.
struct SharedState {
  TTrayIconHandler handler;
  TIdTable<TTrayIcon> icons;
};
SharedState* gShared = nullptr;  // owned by the clients together (TTrayIconClient)

}  // namespace

TTrayIconHandler::TTrayIconHandler() {
  toolkit::RegisterWindowClass({.Name = kWindowClass, .Proc = &TTrayIconHandler::WindowProc});
  // Top-level and never shown: the shell posts to it, and a menu's owner must not be message-only.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) throw std::runtime_error("Cannot create the tray icon window");
}

TTrayIconHandler::~TTrayIconHandler() { DestroyWindow(window_); }

TTrayIconHandler* TTrayIconHandler::Shared() { return gShared ? &gShared->handler : nullptr; }

std::uint32_t TTrayIconHandler::ClientCount() {
  return gShared ? static_cast<std::uint32_t>(gShared->icons.Count()) : 0;
}

LRESULT CALLBACK TTrayIconHandler::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TRAYNOTIFY:
      if (TTrayIcon* icon = gShared ? gShared->icons.Find(wParam) : nullptr) {
        // The icon's form stays whole while its events run, even when one of them releases it.
        return toolkit::GuardedWndProc(icon, [&] {
          icon->HandleNotification(static_cast<UINT>(lParam));
          return LRESULT{0};
        });
      }
      return 0;
    // The window goes with its last icon only; a close request or the session's end does not end it.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      return 1;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

TTrayIconClient::TTrayIconClient(TTrayIcon* icon) {
  if (gShared == nullptr) gShared = std::make_unique<SharedState>().release();
  id_ = gShared->icons.Add(icon);
}

TTrayIconClient::~TTrayIconClient() {
  if (gShared == nullptr) return;
  gShared->icons.Remove(id_);
  if (gShared->icons.Count() == 0) std::unique_ptr<SharedState>(std::exchange(gShared, nullptr)).reset();
}

HWND TTrayIconClient::Window() const {
  const TTrayIconHandler* handler = TTrayIconHandler::Shared();
  return handler ? handler->HandlerWindow() : nullptr;
}

}  // namespace quendrel

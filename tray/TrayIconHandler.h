// TTrayIconHandler: the one hidden window that receives the shell's notifications for every tray
// icon of the process. Each icon holds a TTrayIconClient for as long as it lives; the window is made
// for the first client and destroyed with the last.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quendrel {

class TTrayIcon;

// The shell's callback message for the icons (WM_USER + 1024).
constexpr UINT WM_TRAYNOTIFY = 2048;

class TTrayIconHandler {
 public:
  TTrayIconHandler();
  ~TTrayIconHandler();
  TTrayIconHandler(const TTrayIconHandler&) = delete;
  TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

  // Null while no tray icon lives.
  static TTrayIconHandler* Shared();
  static std::uint32_t ClientCount();
  HWND HandlerWindow() const { return window_; }

 private:
  friend class TTrayIconClient;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;  // owned
};

// A tray icon's place with the shared handler: its identifier with the shell, which notifications
// carry back. A notification for an identifier that has left finds no icon and does nothing.
class TTrayIconClient {
 public:
  explicit TTrayIconClient(TTrayIcon* icon);
  ~TTrayIconClient();
  TTrayIconClient(const TTrayIconClient&) = delete;
  TTrayIconClient& operator=(const TTrayIconClient&) = delete;

  UINT Id() const { return id_; }
  HWND Window() const;

 private:
  UINT id_ = 0;
};

}  // namespace quendrel

// Watches for a tracking popup menu from a window timer (the menu loop runs inside the call that
// opens it): records the menu's items, then closes it or chooses one with the keyboard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Menu.h"
#include "tray/SimpleTimer.h"

namespace quendrel::test {

struct ShownMenu {
  std::vector<std::string> captions;
  std::vector<bool> enabled;
};

class MenuWatch {
 public:
  // choose: the position to choose (Down that many times plus one, then Enter), -1 to close.
  explicit MenuWatch(int choose = -1) : choose_(choose) {
    timer_.SetOnElapsed([this](TSimpleTimer*) { Tick(); });
    timer_.Start();
  }
  MenuWatch(const MenuWatch&) = delete;
  MenuWatch& operator=(const MenuWatch&) = delete;

  // Every menu seen, in order.
  std::vector<ShownMenu> shown;

 private:
  void Tick() {
    HWND window = FindWindowA("#32768", nullptr);
    if (window == nullptr || !IsWindowVisible(window)) return;
    if (handled_ == window) {
      // The keys were not taken: do not leave the menu open.
      if (++waited_ > 50) EndMenu();
      return;
    }
    handled_ = window;
    waited_ = 0;
    ShownMenu menu;
    if (auto hmenu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0))) {
      for (int i = 0; i < GetMenuItemCount(hmenu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        GetMenuItemInfoA(hmenu, static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_OWNERDRAW) != 0 && info.dwItemData != 0) {
          // An owner-drawn item has no text of its own; the toolkit's item rides along as its data.
          menu.captions.push_back(reinterpret_cast<const toolkit::TMenuItem*>(info.dwItemData)->Caption());
        } else {
          GetMenuStringA(hmenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
          menu.captions.push_back(text);
        }
        menu.enabled.push_back((GetMenuState(hmenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) == 0);
      }
    }
    shown.push_back(menu);
    if (choose_ < 0) {
      EndMenu();
      return;
    }
    for (int i = 0; i <= choose_; ++i) PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  }

  int choose_;
  HWND handled_ = nullptr;
  int waited_ = 0;
  TSimpleTimer timer_{10};
};

}  // namespace quendrel::test

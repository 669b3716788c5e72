// Watches the store folder for changes and, once a burst of them has settled, says so on the
// thread that started it (through its message queue). A folder that cannot be watched (missing,
// a share that refuses change notifications) is simply not watched.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "toolkit/Timer.h"

namespace quendrel {

class StoreFolderWatcher {
public:
  // `onSettled` runs on the starting thread `settleMs` after the last change of a burst: a
  // message written in several steps gives one call. Its errors go to the error box.
  explicit StoreFolderWatcher(std::function<void()> onSettled, UINT settleMs = 150);
  ~StoreFolderWatcher();
  StoreFolderWatcher(const StoreFolderWatcher&) = delete;
  StoreFolderWatcher& operator=(const StoreFolderWatcher&) = delete;

  // Replaces any earlier watch; false (and nothing watched) when the folder cannot be watched.
  bool Start(const std::string& folder);
  void Stop();
  bool Watching() const { return change_ != INVALID_HANDLE_VALUE; }

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Wait();

  std::function<void()> onSettled_;
  toolkit::TTimer settle_{nullptr};         // restarted by each change
  HWND window_ = nullptr;                   // message-only, owned: the waiting thread posts to it
  HANDLE change_ = INVALID_HANDLE_VALUE;    // FindFirstChangeNotification, owned
  HANDLE stop_ = nullptr;                   // event, owned
  std::thread waiter_;
};

}  // namespace quendrel

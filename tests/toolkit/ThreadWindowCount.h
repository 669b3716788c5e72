// The windows of this thread, for leak checks in tests and the benchmarks.
#pragma once

#include <windows.h>

namespace quendrel::toolkit {

// Top-level windows with all their descendants, and the message-only ones (which neither
// enumeration reaches).
inline int ThreadWindowCount() {
  int count = 0;
  const auto countTop = [](HWND window, LPARAM total) -> BOOL {
    ++*reinterpret_cast<int*>(total);
    const auto countChild = [](HWND, LPARAM t) -> BOOL {
      ++*reinterpret_cast<int*>(t);
      return TRUE;
    };
    EnumChildWindows(window, countChild, total);  // every descendant, once
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), countTop, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
       w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) ++count;
  }
  return count;
}

}  // namespace quendrel::toolkit

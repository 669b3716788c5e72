// The windows of this thread, for leak checks in tests and the benchmarks.
#pragma once

#include <windows.h>

namespace quendrel::toolkit {

// Enumeration callbacks: Windows calls them with its own convention (a lambda has the compiler's).
inline BOOL CALLBACK CountChildWindow(HWND, LPARAM total) {
  ++*reinterpret_cast<int*>(total);
  return TRUE;
}

inline BOOL CALLBACK CountTopWindow(HWND window, LPARAM total) {
  ++*reinterpret_cast<int*>(total);
  EnumChildWindows(window, CountChildWindow, total);  // every descendant, once
  return TRUE;
}

// Top-level windows with all their descendants, and the message-only ones (which neither
// enumeration reaches).
inline int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopWindow, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
       w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) ++count;
  }
  return count;
}

}  // namespace quendrel::toolkit

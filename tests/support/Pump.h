// Handles this thread's messages for a while, as the program's loop would.
#pragma once

#include <windows.h>

#include "toolkit/Application.h"

namespace quendrel::test {

inline void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    toolkit::Application.ProcessMessages();
    Sleep(1);
  } while (GetTickCount() - start < milliseconds);
}

// Until done() or the time is up; true when done.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds = 2000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    toolkit::Application.ProcessMessages();
    Sleep(1);
  }
  return true;
}

}  // namespace quendrel::test

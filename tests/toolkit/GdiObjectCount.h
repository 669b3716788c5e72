// The number of live GDI objects of this process, for leak checks in tests and the benchmark.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quendrel::toolkit {

// GetGuiResources answers 0 under Wine; there, a handle whose high word is 0 matches the live table
// entry of any generation, so probing every low word counts the live GDI objects.
inline DWORD GdiObjectCount() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
  DWORD live = 0;
  for (std::uintptr_t low = 1; low < 0x10000; ++low)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(low))) ++live;
  return live;
}

}  // namespace quendrel::toolkit

#include "toolkit/Resources.h"

namespace quendrel::toolkit {

std::span<const std::byte> FindResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type) {
  HRSRC info = FindResourceA(instance, name, type);
  if (!info) return {};
  // Resource memory belongs to the module: nothing to free (FreeResource is a no-op on Win32).
  HGLOBAL global = LoadResource(instance, info);
  const void* data = global ? LockResource(global) : nullptr;
  if (!data) return {};
  return {static_cast<const std::byte*>(data), SizeofResource(instance, info)};
}

}  // namespace quendrel::toolkit

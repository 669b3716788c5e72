// Finding resources of a module by name or by id.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace quendrel::toolkit {

// The bytes of a resource, valid as long as the module stays loaded; empty when there is none.
// name and type may be MAKEINTRESOURCE values.
std::span<const std::byte> FindResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type);

}  // namespace quendrel::toolkit

// Finding resources of a module by name or by id.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>

namespace quendrel::toolkit {

// The bytes of a resource, valid as long as the module stays loaded; empty when there is none.
// name and type may be MAKEINTRESOURCE values.
std::span<const std::byte> FindResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type);

// For callers whose design treats a missing resource as an error ("Resource NAME not found").
class EResNotFound : public std::runtime_error {
 public:
  explicit EResNotFound(const std::string& name) : std::runtime_error("Resource " + name + " not found") {}
};

}  // namespace quendrel::toolkit

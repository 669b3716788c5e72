// An owned registry key and the few value reads and writes the stand-in needs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quendrel::standin {

class RegistryKey {
public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&&) = delete;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  static RegistryKey Open(HKEY root, const char* path, REGSAM access);
  static RegistryKey Create(HKEY root, const char* path);

  explicit operator bool() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }

  // A text value (REG_SZ or REG_EXPAND_SZ) as stored, unexpanded; none when missing or of another kind.
  std::optional<std::string> ReadText(const char* name, DWORD* type = nullptr) const;
  std::optional<DWORD> ReadDword(const char* name) const;
  bool WriteText(const char* name, const std::string& text, DWORD type) const;

private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  HKEY key_ = nullptr;
};

// ExpandEnvironmentStringsA into a buffer of the size it asks for; the input when expansion fails.
std::string ExpandEnvironment(const std::string& text);

}  // namespace quendrel::standin

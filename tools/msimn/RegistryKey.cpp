#include "tools/msimn/RegistryKey.h"

#include <vector>

namespace quendrel::standin {

RegistryKey RegistryKey::Open(HKEY root, const char* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return {};
  return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return {};
  }
  return RegistryKey(key);
}

std::optional<std::string> RegistryKey::ReadText(const char* name, DWORD* typeOut) const {
  if (!key_) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // One spare byte: a stored value need not end in a zero.
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (typeOut) *typeOut = type;
  return std::string(buffer.data());
}

std::optional<DWORD> RegistryKey::ReadDword(const char* name) const {
  if (!key_) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

bool RegistryKey::WriteText(const char* name, const std::string& text, DWORD type) const {
  return key_ && RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::string ExpandEnvironment(const std::string& text) {
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::vector<char> buffer(needed + 1, '\0');
  DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (written == 0 || written > buffer.size()) return text;
  return std::string(buffer.data());
}

}  // namespace quendrel::standin

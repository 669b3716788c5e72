#include "toolkit/Registry.h"

#include <cstring>
#include <type_traits>

namespace quendrel::toolkit {
namespace {

std::string ErrorText(const char* pattern, const std::string& name) {
  std::string text = pattern;
  text.replace(text.find("%s"), 2, name);
  return text;
}

[[noreturn]] void FailGet(const std::string& name) {
  throw RegistryError(ErrorText("Failed to get data for '%s'", name));
}
[[noreturn]] void FailType(const std::string& name) {
  throw RegistryError(ErrorText("Invalid data type for '%s'", name));
}
[[noreturn]] void FailSet(const std::string& name) {
  throw RegistryError(ErrorText("Failed to set data for '%s'", name));
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '\\'; }

// The Win32 calls want the path without the leading "\" of "from the root" and without a
// trailing one.
std::string Trimmed(const std::string& path) {
  size_t first = path.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  size_t last = path.find_last_not_of('\\');
  return path.substr(first, last - first + 1);
}

}  // namespace

HKEY Registry::BaseFor(const std::string& path) const {
  return (key_ != nullptr && !IsAbsolute(path)) ? key_ : HKEY_CURRENT_USER;
}

bool Registry::OpenKey(const std::string& path, bool canCreate) {
  HKEY opened = nullptr;
  LONG rc;
  if (canCreate) {
    rc = RegCreateKeyExA(BaseFor(path), Trimmed(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  } else {
    rc = RegOpenKeyExA(BaseFor(path), Trimmed(path).c_str(), 0, KEY_ALL_ACCESS, &opened);
  }
  // Even a failed open leaves no key open: later reads and writes must fail, not land in the key
  // opened before.
  CloseKey();
  if (rc != ERROR_SUCCESS) return false;
  key_ = opened;
  return true;
}

void Registry::CloseKey() {
  if (key_ != nullptr) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

bool Registry::ValueExists(const std::string& name) const {
  return key_ != nullptr &&
         RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool Registry::DeleteValue(const std::string& name) {
  return key_ != nullptr && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> Registry::GetKeyNames() const {
  std::vector<std::string> names;
  if (key_ == nullptr) return names;
  char name[256];  // key names are at most 255 characters
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    LONG rc = RegEnumKeyExA(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

bool Registry::HasSubKeys() const {
  DWORD count = 0;
  return key_ != nullptr &&
         RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         count > 0;
}

bool Registry::DeleteKey(const std::string& path) {
  std::string subKey = Trimmed(path);
  // An empty name would empty the base key itself instead of deleting a key.
  if (subKey.empty()) return false;
  return DeleteKeyTree(BaseFor(path), subKey.c_str()) == ERROR_SUCCESS;
}

namespace {

// A key opened or created by one of the functions below, closed when it goes.
class KeyHandle {
public:
  KeyHandle() = default;
  ~KeyHandle() { Close(); }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }
  void Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }

private:
  HKEY key_ = nullptr;
};

template <typename Char>
LONG SetKeyValueOf(HKEY root, const Char* subKey, const Char* name, DWORD type, const void* data, DWORD size) {
  KeyHandle key;
  const BYTE* bytes = static_cast<const BYTE*>(data);
  if constexpr (std::is_same_v<Char, wchar_t>) {
    LONG rc = RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Out(),
                              nullptr);
    return rc != ERROR_SUCCESS ? rc : RegSetValueExW(key.Get(), name, 0, type, bytes, size);
  } else {
    LONG rc = RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Out(),
                              nullptr);
    return rc != ERROR_SUCCESS ? rc : RegSetValueExA(key.Get(), name, 0, type, bytes, size);
  }
}

}  // namespace

LONG SetKeyValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data, DWORD size) {
  return SetKeyValueOf(root, subKey, name, type, data, size);
}

LONG SetKeyValue(HKEY root, const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  return SetKeyValueOf(root, subKey, name, type, data, size);
}

LONG GetKeyValue(HKEY root, const char* subKey, const char* name, DWORD* type, void* data, DWORD* size) {
  KeyHandle key;
  LONG rc = RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, key.Out());
  return rc != ERROR_SUCCESS ? rc : RegQueryValueExA(key.Get(), name, nullptr, type, static_cast<BYTE*>(data), size);
}

LONG DeleteKeyValue(HKEY root, const char* subKey, const char* name) {
  KeyHandle key;
  LONG rc = RegOpenKeyExA(root, subKey, 0, KEY_SET_VALUE, key.Out());
  return rc != ERROR_SUCCESS ? rc : RegDeleteValueA(key.Get(), name);
}

LONG DeleteKeyTree(HKEY parent, const char* subKey) {
  const bool contentsOnly = subKey == nullptr || *subKey == '\0';
  KeyHandle opened;
  if (!contentsOnly) {
    LONG rc = RegOpenKeyExA(parent, subKey, 0, KEY_READ | KEY_WRITE, opened.Out());
    if (rc != ERROR_SUCCESS) return rc;
  }
  const HKEY key = contentsOnly ? parent : opened.Get();
  LONG rc = ERROR_SUCCESS;
  // Always the first subkey: deleting one renumbers the rest.
  char name[256];
  for (;;) {
    DWORD length = sizeof name;
    rc = RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) break;
    rc = DeleteKeyTree(key, name);
    if (rc != ERROR_SUCCESS) break;
  }
  if (rc == ERROR_NO_MORE_ITEMS) rc = ERROR_SUCCESS;
  if (rc == ERROR_SUCCESS && contentsOnly) {
    // The values too; a deleted key takes its values with it.
    for (;;) {
      DWORD length = sizeof name;
      rc = RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc != ERROR_SUCCESS) break;
      rc = RegDeleteValueA(key, name);
      if (rc != ERROR_SUCCESS) break;
    }
    if (rc == ERROR_NO_MORE_ITEMS) rc = ERROR_SUCCESS;
  }
  if (!contentsOnly) {
    opened.Close();
    if (rc == ERROR_SUCCESS) rc = RegDeleteKeyA(parent, subKey);
  }
  return rc;
}

std::vector<BYTE> Registry::ReadRaw(const std::string& name, DWORD* type) const {
  if (key_ == nullptr) FailGet(name);
  std::vector<BYTE> data;
  // The value may grow between asking for its size and reading it; ask again then.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) {
      FailGet(name);
    }
    data.resize(size);
    LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, type, data.data(), &size);
    if (rc == ERROR_SUCCESS) {
      data.resize(size);
      return data;
    }
    if (rc != ERROR_MORE_DATA) FailGet(name);
  }
  FailGet(name);
}

void Registry::WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
  if (key_ == nullptr ||
      RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS) {
    FailSet(name);
  }
}

bool Registry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

int32_t Registry::ReadInteger(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data = ReadRaw(name, &type);
  if (type != REG_DWORD || data.size() != sizeof(int32_t)) FailType(name);
  int32_t value;
  std::memcpy(&value, data.data(), sizeof value);
  return value;
}

std::string Registry::ReadString(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data = ReadRaw(name, &type);
  if (type != REG_SZ && type != REG_EXPAND_SZ) FailType(name);
  // Stored text need not be terminated; it ends at its first zero byte when it is.
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

double Registry::ReadDateTime(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data = ReadRaw(name, &type);
  if (type != REG_BINARY || data.size() != sizeof(double)) FailType(name);
  double value;
  std::memcpy(&value, data.data(), sizeof value);  // x86-64: little-endian as stored
  return value;
}

void Registry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void Registry::WriteInteger(const std::string& name, int32_t value) {
  WriteRaw(name, REG_DWORD, &value, sizeof value);
}

void Registry::WriteString(const std::string& name, const std::string& value) {
  // Written up to its first zero byte, terminator included, as REG_SZ is read back.
  std::string text = value.substr(0, value.find('\0'));
  WriteRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void Registry::WriteDateTime(const std::string& name, double value) {
  WriteRaw(name, REG_BINARY, &value, sizeof value);
}

}  // namespace quendrel::toolkit

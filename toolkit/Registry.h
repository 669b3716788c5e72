// Registry access for the program's settings: HKEY_CURRENT_USER, one open key at a time.
#pragma once
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace quendrel::toolkit {

// A failed read or write of a registry value. what() is the text the user sees in the error box.
class RegistryError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Paths beginning with "\" are taken from the root; other paths are relative to the open key when
// there is one, else to the root. Nothing is cached: each value is read or written at once.
// Reads and writes without an open key fail with the usual errors.
class Registry {
public:
  Registry() = default;
  ~Registry() { CloseKey(); }
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Replaces the open key. A missing key without canCreate is not an error: false, and no key is
  // open afterwards, so that later reads and writes fail.
  bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey();
  bool HasOpenKey() const { return key_ != nullptr; }

  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);
  // Subkey names of the open key in the registry's enumeration order; empty without an open key.
  std::vector<std::string> GetKeyNames() const;
  bool HasSubKeys() const;
  // Deletes the key with everything below it.
  bool DeleteKey(const std::string& path);

  // Booleans are DWORDs, non-zero being true. Date-times are 8 bytes of REG_BINARY holding a
  // little-endian IEEE double (days since 1899-12-30 local time).
  bool ReadBool(const std::string& name) const;
  int32_t ReadInteger(const std::string& name) const;
  std::string ReadString(const std::string& name) const;
  double ReadDateTime(const std::string& name) const;
  void WriteBool(const std::string& name, bool value);
  void WriteInteger(const std::string& name, int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  void WriteDateTime(const std::string& name, double value);

private:
  HKEY BaseFor(const std::string& path) const;
  std::vector<BYTE> ReadRaw(const std::string& name, DWORD* type) const;
  void WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size);

  HKEY key_ = nullptr;
};

// Deletes subKey of parent with every key and value below it; with an empty subKey, everything below
// parent (its values and subkeys) and not parent itself. Made of calls that Windows XP has (its
// RegDeleteKey deletes only a key without subkeys). ERROR_SUCCESS or the first error met.
LONG DeleteKeyTree(HKEY parent, const char* subKey);

// Sets one value of subKey of root, creating the key where it is missing (what RegSetKeyValue does
// from Vista on). A null or empty name sets the key's default value. ERROR_SUCCESS or the error.
LONG SetKeyValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data, DWORD size);
LONG SetKeyValue(HKEY root, const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data, DWORD size);
// Reads one value of subKey of root as it is stored (no expansion, no added zero), as RegQueryValueEx does.
LONG GetKeyValue(HKEY root, const char* subKey, const char* name, DWORD* type, void* data, DWORD* size);
// Deletes one value of subKey of root.
LONG DeleteKeyValue(HKEY root, const char* subKey, const char* name);

}  // namespace quendrel::toolkit

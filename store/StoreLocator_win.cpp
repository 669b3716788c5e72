#include <windows.h>

#include <vector>

#include "store/StoreLocator.h"
#include "toolkit/Registry.h"

namespace quendrel {
namespace {

constexpr char kStoreRootValue[] = "Store Root";

// A missing value counts as empty text; a value that is not text throws the registry layer's
// "Invalid data type" error, and the key is closed on the way out either way.
std::string ReadTextIfPresent(const toolkit::Registry& Key, const char* Name) {
  return Key.ValueExists(Name) ? Key.ReadString(Name) : std::string();
}

std::string ReadStoreRootValue() {
  {
    toolkit::Registry key;
    if (key.OpenKey("\\Software\\Microsoft\\Outlook Express", false)) {
      std::string value = ReadTextIfPresent(key, kStoreRootValue);
      if (!value.empty()) return value;
    }
  }
  toolkit::Registry key;
  if (!key.OpenKey("\\Identities", false)) return {};
  const std::string identity = ReadTextIfPresent(key, "Default User ID");
  // Without an identity the path would hold an empty key name, which names no key.
  if (identity.empty()) return {};
  if (!key.OpenKey("\\Identities\\" + identity + "\\Software\\Microsoft\\Outlook Express\\5.0", false)) {
    return {};
  }
  return ReadTextIfPresent(key, kStoreRootValue);
}

// The mail client expands into 1024 characters; a longer result is expanded into a buffer of the
// size the system asks for rather than cut or returned unexpanded.
std::string ExpandEnvironment(const std::string& Value) {
  std::vector<char> buffer(1024);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD needed =
        ExpandEnvironmentStringsA(Value.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) return Value;
    if (needed <= buffer.size()) return std::string(buffer.data());
    buffer.resize(needed);  // the environment may change in between, hence the retries
  }
  return Value;
}

}  // namespace

std::string GetStoreRoot() {
  const std::string value = ReadStoreRootValue();
  return value.empty() ? value : ExpandEnvironment(value);
}

}  // namespace quendrel

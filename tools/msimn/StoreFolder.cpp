#include "tools/msimn/StoreFolder.h"

#include <shlobj.h>
#include <windows.h>

#include "store/StoreLocator.h"
#include "tools/msimn/RegistryKey.h"

namespace quendrel::standin {

namespace {

constexpr char kClientKey[] = "Software\\Microsoft\\Outlook Express";
constexpr char kStoreRootValue[] = "Store Root";
constexpr char kSettingsKey[] = "Software\\QuendrelStandIn";
// A fixed identity, so that every run without settings lands in the same folder.
constexpr char kIdentityTail[] =
    "\\Identities\\{6F1C2B7A-3D4E-4A5B-9C8D-0E1F2A3B4C5D}\\Microsoft\\Outlook Express";

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

std::string MakeFolder(const std::string& path) {
  // SHCreateDirectoryExA wants a full path; relative ones come from the command line.
  char full[MAX_PATH * 2] = {};
  DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return "store folder path is not usable: " + path;
  int rc = SHCreateDirectoryExA(nullptr, full, nullptr);
  if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS && rc != ERROR_FILE_EXISTS) {
    return "cannot create store folder " + std::string(full) + " (error " + std::to_string(rc) + ")";
  }
  return {};
}

StoreFolder Finish(std::string path, std::string origin) {
  StoreFolder folder{WithoutTrailingSlash(std::move(path)), std::move(origin), {}};
  folder.error = MakeFolder(folder.path);
  if (folder.error.empty()) {
    char full[MAX_PATH * 2] = {};
    DWORD length = GetFullPathNameA(folder.path.c_str(), sizeof full, full, nullptr);
    if (length > 0 && length < sizeof full) folder.path = WithoutTrailingSlash(full);
  }
  return folder;
}

std::string EnvironmentValue(const char* name) {
  char buffer[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer) : std::string();
}

}  // namespace

StoreFolder ResolveStoreFolder(const std::string& explicitFolder) {
  if (!explicitFolder.empty()) return Finish(explicitFolder, "command line");
  if (std::string fromEnvironment = EnvironmentValue("QUENDREL_STANDIN_STORE"); !fromEnvironment.empty()) {
    return Finish(fromEnvironment, "QUENDREL_STANDIN_STORE");
  }

  // The same folder Quendrel watches: Store Root, or the default identity's, expanded.
  try {
    if (std::string root = GetStoreRoot(); !root.empty()) return Finish(root, "registry");
  } catch (const std::exception&) {
    // A Store Root that is not text: a new one is made below.
  }

  // Written unexpanded when the variable exists, as the real client keeps "%UserProfile%" forms.
  std::string stored;
  DWORD type = REG_SZ;
  if (!EnvironmentValue("LOCALAPPDATA").empty()) {
    stored = std::string("%LOCALAPPDATA%") + kIdentityTail;
    type = REG_EXPAND_SZ;
  } else {
    char localAppData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, localAppData))) {
      return {{}, {}, "no local application data folder for a new store"};
    }
    stored = std::string(localAppData) + kIdentityTail;
  }
  StoreFolder folder = Finish(ExpandEnvironment(stored), "new, written to the registry");
  if (folder.error.empty()) {
    RegistryKey created = RegistryKey::Create(HKEY_CURRENT_USER, kClientKey);
    if (!created.WriteText(kStoreRootValue, stored, type)) folder.origin = "new (registry not writable)";
  }
  return folder;
}

std::optional<unsigned long> ReadReceiveSetting() {
  RegistryKey settings = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey, KEY_READ);
  auto value = settings.ReadDword("receive");
  if (!value) return std::nullopt;
  return *value;
}

}  // namespace quendrel::standin

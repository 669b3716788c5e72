#include "core/FolderCatalogue.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/FolderNames.h"
#include "store/DbxTime.h"
#include "store/StoreLocator.h"

namespace quendrel {
namespace {

constexpr char kFolderListFile[] = "Folders.dbx";

class FindHandle {
public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

private:
  HANDLE handle_;
};

// Any directory entry counts, hidden and system ones and folders included. Only a definite "not
// there" in a store folder that is there answers no: an unplugged drive or an unreachable share must
// not cost the user every folder's ticks and memory.
bool StoreEntryExists(const std::string& name) {
  const std::string folder = StoreFolderPath(GetStoreRoot());
  if (GetFileAttributesA((folder + name).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME) {
    return true;
  }
  DWORD folderAttributes = GetFileAttributesA(folder.c_str());
  return folderAttributes == INVALID_FILE_ATTRIBUTES || (folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

void CreateFolderKey(const std::string& name) {
  toolkit::Registry folderKey;
  folderKey.OpenKey(FolderKeyPath(name), true);
  folderKey.WriteBool(kChecked, false);
  folderKey.WriteString(kMailReceived, "");
  folderKey.WriteDateTime(kMailTime, NowLocal());
  folderKey.WriteString(kSound, "");
}

void AddNewFolderKeys(toolkit::Registry& programKey, const std::vector<std::string>& keyNames) {
  bool hadSubKeys = programKey.HasSubKeys();
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA((StoreFolderPath(GetStoreRoot()) + "*.dbx").c_str(), &entry));
  if (find.get() == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = entry.cFileName;
    bool known = hadSubKeys && std::any_of(keyNames.begin(), keyNames.end(), [&](const std::string& key) {
                   return SameNameIgnoringCase(key, name);
                 });
    if (known || name == kFolderListFile) continue;
    CreateFolderKey(name);
  } while (FindNextFileA(find.get(), &entry));
}

}  // namespace

void UpdateFolderKeys(DefaultSet defaults) {
  toolkit::Registry programKey;
  programKey.OpenKey(kProgramKey, true);
  CreateMissingSettings(programKey, defaults);
  if (!programKey.ReadBool(kAlwaysCheck.name)) return;

  std::vector<std::string> keyNames;
  if (programKey.HasSubKeys()) keyNames = programKey.GetKeyNames();
  for (const std::string& name : keyNames) {
    if (!StoreEntryExists(name)) programKey.DeleteKey(FolderKeyPath(name));
  }
  AddNewFolderKeys(programKey, keyNames);
}

void FillFolderList(toolkit::Registry& programKey, FolderList& list) {
  if (!programKey.ReadBool(kAlwaysCheck.name) || !programKey.HasSubKeys()) return;
  std::vector<std::string> keyNames = programKey.GetKeyNames();
  if (keyNames.empty()) return;
  list.Clear();
  for (const std::string& name : keyNames) {
    int index = list.AddItem(name);
    toolkit::Registry folderKey;
    folderKey.OpenKey(FolderKeyPath(name), false);
    if (folderKey.ReadBool(kChecked)) list.TickItem(index);
  }
}

void skinCheckBoxClickCheck(const FolderList& list) {
  std::string name = list.CurrentItemText();
  // No current item: an empty name would address the program key itself.
  if (name.empty()) return;
  toolkit::Registry folderKey;
  folderKey.OpenKey(FolderKeyPath(name), false);
  folderKey.WriteBool(kChecked, list.CurrentItemTicked());
}

}  // namespace quendrel

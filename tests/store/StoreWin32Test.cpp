// The Win32 side of the store: the store folder from the registry, and files the mail client holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "store/DbxReader.h"
#include "store/FileSource.h"
#include "store/StoreLocator.h"
#include "tests/store/DbxBytes.h"
#include "tests/store/LoadHelpers.h"
#include "tests/support/PrivateRegistry.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Registry.h"

namespace quendrel::test {
namespace {

constexpr char kClientKey[] = "Software\\Microsoft\\Outlook Express";
constexpr char kIdentityKey[] = "Identities\\{ID-1}\\Software\\Microsoft\\Outlook Express\\5.0";

void SetText(const char* key, const char* name, const std::string& value, DWORD type = REG_SZ) {
  ASSERT_EQ(toolkit::SetKeyValue(HKEY_CURRENT_USER, key, name, type, value.c_str(),
                            static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
}

void SetDword(const char* key, const char* name, DWORD value) {
  ASSERT_EQ(toolkit::SetKeyValue(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
}

TEST(StoreLocator, FindsTheStoreFolder) {
  SetEnvironmentVariableA("QUENDREL_TEST_DIR", "C:\\Users\\me");
  const std::string longDir(2000, 'd');
  SetEnvironmentVariableA("QUENDREL_TEST_LONG", longDir.c_str());
  struct Case {
    const char* name;
    std::function<void()> setUp;
    std::string expected;
  } cases[] = {
      {"nothing configured", [] {}, ""},
      {"client key wins over identity",
       [] {
         SetText(kClientKey, "Store Root", "C:\\A");
         SetText("Identities", "Default User ID", "{ID-1}");
         SetText(kIdentityKey, "Store Root", "C:\\B");
       },
       "C:\\A"},
      {"empty client value falls back to identity",
       [] {
         SetText(kClientKey, "Store Root", "");
         SetText("Identities", "Default User ID", "{ID-1}");
         SetText(kIdentityKey, "Store Root", "C:\\B\\");
       },
       "C:\\B\\"},
      {"identity without client key",
       [] {
         SetText("Identities", "Default User ID", "{ID-1}");
         SetText(kIdentityKey, "Store Root", "C:\\B");
       },
       "C:\\B"},
      {"identity key missing", [] { SetText("Identities", "Default User ID", "{ID-2}"); }, ""},
      {"no default identity", [] { SetText(kIdentityKey, "Store Root", "C:\\B"); }, ""},
      {"expandable text expanded",
       [] { SetText(kClientKey, "Store Root", "%QUENDREL_TEST_DIR%\\Store", REG_EXPAND_SZ); },
       "C:\\Users\\me\\Store"},
      {"plain text expanded too", [] { SetText(kClientKey, "Store Root", "%QUENDREL_TEST_DIR%\\S"); },
       "C:\\Users\\me\\S"},
      {"undefined variable left as it is",
       [] { SetText(kClientKey, "Store Root", "%QUENDREL_UNDEFINED_VAR%\\S"); },
       "%QUENDREL_UNDEFINED_VAR%\\S"},
      {"expansion longer than 1024 characters",
       [] { SetText(kClientKey, "Store Root", "C:\\%QUENDREL_TEST_LONG%\\Store"); },
       "C:\\" + longDir + "\\Store"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearCurrentUser();
    c.setUp();
    try {
      EXPECT_EQ(GetStoreRoot(), c.expected);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "threw " << e.what();
    }
  }
}

TEST(StoreLocator, ValueOfAnotherKindIsAnErrorForTheCaller) {
  struct Case {
    const char* name;
    std::function<void()> setUp;
    const char* message;
  } cases[] = {
      {"store root", [] { SetDword(kClientKey, "Store Root", 1); }, "Invalid data type for 'Store Root'"},
      {"default identity", [] { SetDword("Identities", "Default User ID", 1); },
       "Invalid data type for 'Default User ID'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearCurrentUser();
    c.setUp();
    try {
      GetStoreRoot();
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  ClearCurrentUser();
}

TEST(StoreFiles, FolderListInTheConfiguredStoreFolder) {
  ScratchDir dir("store");
  const std::string root = dir.Path().string();
  WriteFile(dir.File("folders.dbx"), FolderListBytes().Bytes());
  WriteFile(dir.File("Folders.dbx"), FolderListBytes().Bytes());
  ClearCurrentUser();
  SetText(kClientKey, "Store Root", root);

  DbxItemList list;
  LoadDbxItems(root + "\\folders.dbx", &list);
  LoadDbxItems(root + "\\Folders.dbx", &list);
  EXPECT_EQ(Ids(list), (std::vector<int>{-7, 5}));

  // A registry error while deciding the mode ends the load silently.
  SetDword(kClientKey, "Store Root", 1);
  list.clear();
  EXPECT_NO_THROW(LoadDbxItems(root + "\\folders.dbx", &list));
  EXPECT_TRUE(list.empty());
  ClearCurrentUser();
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

TEST(StoreFiles, ReadsBesideTheMailClientAndNeverBlocksIt) {
  ScratchDir dir("store");
  const std::string inbox = dir.File("Inbox.dbx");
  DbxBytes b;
  b.Header(1, 0x200).Node(0x200, 0, 0, {{0x800, 0}}).Message(0x800, 1);
  WriteFile(inbox, b.Bytes());

  {
    // The mail client has the file open for writing, sharing reading and writing.
    Handle client{CreateFileA(inbox.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_NE(client.h, INVALID_HANDLE_VALUE);
    DbxItemList list;
    LoadDbxItems(inbox, &list);
    EXPECT_EQ(list.size(), 1u);
  }
  {
    // Locked exclusively: nothing read, nothing reported.
    Handle locked{CreateFileA(inbox.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_NE(locked.h, INVALID_HANDLE_VALUE);
    DbxItemList list;
    LoadDbxItems(inbox, &list);
    EXPECT_TRUE(list.empty());
  }
  {
    // While we hold it, the client can still write it, rename it and delete it.
    std::unique_ptr<ByteSource> source = OpenFileSource(inbox);
    ASSERT_NE(source, nullptr);
    Handle writer{CreateFileA(inbox.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              0, nullptr)};
    EXPECT_NE(writer.h, INVALID_HANDLE_VALUE);
    const std::string moved = dir.File("Inbox.old");
    EXPECT_TRUE(MoveFileA(inbox.c_str(), moved.c_str()));
    EXPECT_TRUE(DeleteFileA(moved.c_str()));
    uint8_t first[4] = {};
    EXPECT_EQ(source->ReadAt(0x200, first).value_or(0), 4u);
  }
}

}  // namespace
}  // namespace quendrel::test

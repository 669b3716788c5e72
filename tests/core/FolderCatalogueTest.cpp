#include "core/FolderCatalogue.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Autostart.h"
#include "store/DbxTime.h"
#include "tests/core/CoreFixture.h"
#include "tests/support/PrivateRegistry.h"

namespace quendrel::test {
namespace {

using Names = std::vector<std::string>;

class FolderCatalogueTest : public StoreTest {
protected:
  void Touch(const std::string& name) const { WriteFile(StoreFile(name), "not really a store file"); }
};

TEST_F(FolderCatalogueTest, FirstLaunchCreatesEverySettingAndAnUntickedKeyPerStoreFile) {
  for (const char* name : {"Inbox.dbx", "Sent Items.dbx", "Folders.dbx", "notes.txt"}) Touch(name);
  double before = NowLocal();
  UpdateFolderKeys(FullDefaults());
  double after = NowLocal();

  const struct {
    const char* name;
    int32_t value;
  } settings[] = {{"alwayscheck", 1}, {"alwayssound", 1}, {"alwaysreceive", 1}, {"startwork", 0},
                  {"alwaysoe", 1},    {"hideoe", 0},      {"alwaysalert", -1},  {"checktime", 2}};
  for (const auto& s : settings) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(ReadDword(kProgramKey, s.name), s.value);
  }
  EXPECT_EQ(KeyNames(kProgramKey), (Names{"Inbox.dbx", "Sent Items.dbx"}));
  for (const char* name : {"Inbox.dbx", "Sent Items.dbx"}) {
    SCOPED_TRACE(name);
    std::string key = FolderKeyPath(name);
    EXPECT_EQ(ReadDword(key, kChecked), 0);
    EXPECT_EQ(ReadText(key, kMailReceived), "");
    EXPECT_EQ(ReadText(key, kSound), "");
    double created = ReadTime(key, kMailTime);
    EXPECT_GE(created, before);
    EXPECT_LE(created, after);
  }
}

TEST_F(FolderCatalogueTest, DefaultSetsCreateOnlyTheirMissingValues) {
  const struct {
    const char* what;
    DefaultSet set;
    Names created;
  } cases[] = {
      {"short", ShortDefaults(), {"alwaysalert", "alwayscheck", "alwaysoe", "checktime"}},
      {"form create", FormCreateDefaults(), {"checktime"}},
      {"event check", EventCheckDefaults(), {"alwaysalert", "alwayssound"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearCurrentUser();
    toolkit::Registry reg;
    reg.OpenKey(kProgramKey, true);
    CreateMissingSettings(reg, c.set);
    Names present;
    for (const char* name : {"alwayscheck", "alwayssound", "alwaysreceive", "startwork", "alwaysoe",
                             "hideoe", "alwaysalert", "checktime"}) {
      if (reg.ValueExists(name)) present.push_back(name);
    }
    std::sort(present.begin(), present.end());
    EXPECT_EQ(present, c.created);
  }

  // Values already there are kept; the page load alone creates a missing startwork as 1.
  ClearCurrentUser();
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteInteger("checktime", 90);
  reg.WriteBool("alwayssound", false);
  CreateMissingSettings(reg, PageLoadDefaults());
  EXPECT_EQ(reg.ReadInteger("checktime"), 90);
  EXPECT_FALSE(reg.ReadBool("alwayssound"));
  EXPECT_TRUE(reg.ReadBool("startwork"));
  EXPECT_EQ(reg.ReadInteger("alwaysalert"), -1);
}

TEST_F(FolderCatalogueTest, KeysFollowTheStoreFolder) {
  Touch("A.dbx");
  Touch("B.dbx");
  Touch("folders.dbx");  // not the folder list file: letter case counts there
  Touch("Hidden.dbx");
  SetFileAttributesA(StoreFile("Hidden.dbx").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  std::filesystem::create_directory(store_.Path() / "Archive.dbx");
  MakeFolderKey("A.DBX", true, "Ann", 45000.5);  // same folder as the file A.dbx
  MakeFolderKey("C.dbx", true, "Cid", 45000.5);  // its file is gone
  {
    toolkit::Registry deeper;
    deeper.OpenKey(FolderKeyPath("C.dbx") + "\\deeper", true);
  }
  MakeFolderKey("Old", false);  // a hand-made key without a file

  UpdateFolderKeys(ShortDefaults());
  EXPECT_EQ(KeyNames(kProgramKey), (Names{"A.DBX", "Archive.dbx", "B.dbx", "folders.dbx", "Hidden.dbx"}));
  EXPECT_EQ(ReadDword(FolderKeyPath("A.dbx"), kChecked), 1);
  EXPECT_EQ(ReadText(FolderKeyPath("A.dbx"), kMailReceived), "Ann");
  EXPECT_EQ(ReadTime(FolderKeyPath("A.dbx"), kMailTime), 45000.5);
}

TEST_F(FolderCatalogueTest, NothingIsAddedOrDroppedWhileAlwaysCheckIsOff) {
  Touch("A.dbx");
  MakeFolderKey("Gone.dbx", true);
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteBool("alwayscheck", false);
  UpdateFolderKeys(FullDefaults());
  EXPECT_EQ(KeyNames(kProgramKey), Names{"Gone.dbx"});
}

TEST_F(FolderCatalogueTest, WhereTheStoreFolderIsDecidesWhatIsDropped) {
  const struct {
    const char* what;
    const char* storeRoot;  // nullptr: not configured
    bool kept;
  } cases[] = {
      // Not configured: names are looked up in the current drive's root folder.
      {"no store root", nullptr, false},
      // A store folder that is not there says nothing about which files are gone.
      {"missing folder", "C:\\Quendrel No Such Store", true},
      {"missing drive", "Q:\\Store", true},
      {"unreachable share", "\\\\nohost\\share\\Store", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearCurrentUser();
    if (c.storeRoot != nullptr) {
      toolkit::Registry reg;
      reg.OpenKey("\\Software\\Microsoft\\Outlook Express", true);
      reg.WriteString("Store Root", c.storeRoot);
    }
    MakeFolderKey("Quendrel No Such File.dbx", true, "Ann", 45000.5);
    UpdateFolderKeys(ShortDefaults());
    EXPECT_EQ(KeyExists(FolderKeyPath("Quendrel No Such File.dbx")), c.kept);
  }
}

// The settings page's check list, as far as the catalogue uses it.
class FakeList : public FolderList {
public:
  void Clear() override { items.clear(); }
  int AddItem(const std::string& text) override {
    items.push_back({text, false});
    return static_cast<int>(items.size()) - 1;
  }
  void TickItem(int index) override { items.at(index).second = true; }
  std::string CurrentItemText() const override { return current < 0 ? "" : items.at(current).first; }
  bool CurrentItemTicked() const override { return current >= 0 && items.at(current).second; }

  std::vector<std::pair<std::string, bool>> items;
  int current = -1;
};

TEST_F(FolderCatalogueTest, FolderListShowsTheKeysAndWritesTicksBack) {
  MakeFolderKey("b.dbx", false);
  MakeFolderKey("A.dbx", true, "Ann", 45000.5);
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteBool("alwayscheck", true);

  FakeList list;
  list.items = {{"stale", true}};
  FillFolderList(reg, list);
  using Items = std::vector<std::pair<std::string, bool>>;
  EXPECT_EQ(list.items, (Items{{"A.dbx", true}, {"b.dbx", false}}));

  list.current = 1;
  list.items[1].second = true;
  skinCheckBoxClickCheck(list);
  EXPECT_EQ(ReadDword(FolderKeyPath("b.dbx"), kChecked), 1);
  list.current = 0;
  list.items[0].second = false;
  skinCheckBoxClickCheck(list);
  EXPECT_EQ(ReadDword(FolderKeyPath("A.dbx"), kChecked), 0);
  EXPECT_EQ(ReadText(FolderKeyPath("A.dbx"), kMailReceived), "Ann");
  EXPECT_EQ(ReadTime(FolderKeyPath("A.dbx"), kMailTime), 45000.5);

  // No current item: nothing is written, least of all into the program key.
  list.current = -1;
  skinCheckBoxClickCheck(list);
  EXPECT_FALSE(reg.ValueExists(kChecked));

  // alwayscheck off leaves the list as it is.
  reg.WriteBool("alwayscheck", false);
  list.items = {{"kept", false}};
  FillFolderList(reg, list);
  EXPECT_EQ(list.items, (Items{{"kept", false}}));
}

TEST_F(FolderCatalogueTest, FolderListStopsAtAKeyWithoutChecked) {
  MakeFolderKey("A.dbx", true);
  {
    toolkit::Registry bare;
    bare.OpenKey(FolderKeyPath("B.dbx"), true);
  }
  MakeFolderKey("C.dbx", true);
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteBool("alwayscheck", true);
  FakeList list;
  EXPECT_EQ(RegistryErrorOf([&] { FillFolderList(reg, list); }), "Failed to get data for 'checked'");
  EXPECT_EQ(list.items.size(), 2u);
}

TEST_F(FolderCatalogueTest, AutostartEntryHoldsTheQuotedProgramPath) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  // The Run key is never created: without it adding fails and leaves no trace.
  EXPECT_EQ(RegistryErrorOf(AddAutostartEntry), "Failed to set data for 'Quendrel'");
  EXPECT_FALSE(KeyExists(kRunKey));
  EXPECT_NO_THROW(DeleteAutostartEntry());

  toolkit::Registry run;
  ASSERT_TRUE(run.OpenKey(kRunKey, true));
  AddAutostartEntry();
  EXPECT_EQ(run.ReadString("Quendrel"), std::string("\"") + path + "\"");
  DeleteAutostartEntry();
  EXPECT_FALSE(run.ValueExists("Quendrel"));
  EXPECT_NO_THROW(DeleteAutostartEntry());
}

}  // namespace
}  // namespace quendrel::test

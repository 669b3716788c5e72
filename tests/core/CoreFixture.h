// A store folder in a scratch directory that the mail client's settings point at, folder keys set up
// by hand, and a check host that records what a check asks of the rest of the program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/core/RecordingHost.h"
#include "tests/support/TestFiles.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::test {

// FILETIME ticks of a UTC calendar day at noon.
uint64_t UtcNoon(int year, int month, int day);

dbx::MessageSpec Message(const std::string& sender, uint64_t received, bool read = false);

class StoreTest : public testing::Test {
protected:
  StoreTest();

  std::string StoreFile(const std::string& name) const { return store_.File(name); }
  void WriteFolder(const std::string& name, const std::vector<dbx::MessageSpec>& messages) const;
  // Program settings as a user would have them: no mail client, no Send/Receive, as given for alerts.
  static void SetSettings(bool alwaysAlert, bool alwaysOe = false, bool alwaysReceive = false,
                          bool hideOe = false);
  // A folder key with the values the catalogue gives it, watched or not.
  static void MakeFolderKey(const std::string& name, bool checked, const std::string& mailReceived = "",
                            double mailTime = 0);

  ScratchDir store_{"quendrel-store"};
};

// The values of one key; empty when the key is missing.
std::vector<std::string> KeyNames(const std::string& path);
bool KeyExists(const std::string& path);
int32_t ReadDword(const std::string& path, const std::string& name);
std::string ReadText(const std::string& path, const std::string& name);
double ReadTime(const std::string& path, const std::string& name);

// what() of the registry error an action throws; "(no error)" when it throws none.
std::string RegistryErrorOf(const std::function<void()>& action);

}  // namespace quendrel::test

#include "tests/core/CoreFixture.h"

#include <windows.h>

#include <ostream>

#include "core/Settings.h"
#include "tests/support/PrivateRegistry.h"
#include "toolkit/Registry.h"

namespace quendrel::test {

uint64_t UtcNoon(int year, int month, int day) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = 12;
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  return (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
}

dbx::MessageSpec Message(const std::string& sender, uint64_t received, bool read) {
  dbx::MessageSpec message;
  message.senderName = sender;
  message.receivedTime = received;
  message.sentTime = received;
  message.read = read;
  message.subject = "Hello from " + sender;
  return message;
}

StoreTest::StoreTest() {
  ClearCurrentUser();
  toolkit::Registry reg;
  reg.OpenKey("\\Software\\Microsoft\\Outlook Express", true);
  reg.WriteString("Store Root", store_.Path().string());
}

void StoreTest::WriteFolder(const std::string& name, const std::vector<dbx::MessageSpec>& messages) const {
  ASSERT_TRUE(dbx::WriteMessageFile(StoreFile(name), messages));
}

void StoreTest::SetSettings(bool alwaysAlert, bool alwaysOe, bool alwaysReceive, bool hideOe) {
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteBool("alwaysalert", alwaysAlert);
  reg.WriteBool("alwaysoe", alwaysOe);
  reg.WriteBool("alwaysreceive", alwaysReceive);
  reg.WriteBool("hideoe", hideOe);
}

void StoreTest::MakeFolderKey(const std::string& name, bool checked, const std::string& mailReceived,
                              double mailTime) {
  toolkit::Registry reg;
  reg.OpenKey(FolderKeyPath(name), true);
  reg.WriteBool(kChecked, checked);
  reg.WriteString(kMailReceived, mailReceived);
  reg.WriteDateTime(kMailTime, mailTime);
  reg.WriteString(kSound, "");
}

std::vector<std::string> KeyNames(const std::string& path) {
  toolkit::Registry reg;
  return reg.OpenKey(path, false) ? reg.GetKeyNames() : std::vector<std::string>{};
}

bool KeyExists(const std::string& path) {
  toolkit::Registry reg;
  return reg.OpenKey(path, false);
}

int32_t ReadDword(const std::string& path, const std::string& name) {
  toolkit::Registry reg;
  reg.OpenKey(path, false);
  return reg.ReadInteger(name);
}

std::string ReadText(const std::string& path, const std::string& name) {
  toolkit::Registry reg;
  reg.OpenKey(path, false);
  return reg.ReadString(name);
}

double ReadTime(const std::string& path, const std::string& name) {
  toolkit::Registry reg;
  reg.OpenKey(path, false);
  return reg.ReadDateTime(name);
}

std::string RegistryErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const toolkit::RegistryError& error) {
    return error.what();
  }
  return "(no error)";
}

}  // namespace quendrel::test

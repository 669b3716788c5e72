#include "core/CheckCycle.h"

#include <windows.h>

#include <string>
#include <vector>

#include "client/MailClient.h"
#include "core/FolderCatalogue.h"
#include "core/FolderCheck.h"
#include "core/FolderNames.h"
#include "core/Settings.h"
#include "resources/ResourceNames.h"
#include "store/DbxFileName.h"
#include "store/StoreLocator.h"

namespace quendrel {
namespace {

constexpr DWORD kClientStartWaitMs = 1000;
constexpr DWORD kSendReceiveWaitMs = 200;

// What the open folder key remembers.
class FolderKeyMemory : public FolderMemory {
public:
  explicit FolderKeyMemory(toolkit::Registry& folderKey) : key_(folderKey) {}
  DateTime MailTime() override { return key_.ReadDateTime(kMailTime); }
  std::string MailReceived() override { return key_.ReadString(kMailReceived); }
  void Remember(DateTime mailTime, const std::string& mailReceived) override {
    key_.WriteDateTime(kMailTime, mailTime);
    key_.WriteString(kMailReceived, mailReceived);
  }

private:
  toolkit::Registry& key_;
};

void DriveMailClient(toolkit::Registry& reg) {
  if (ReadOrCreateSetting(reg, kAlwaysOe) != 0 && FindMailClientWindow() == nullptr) {
    StartMailClient();
    Sleep(kClientStartWaitMs);
  }
  if (ReadOrCreateSetting(reg, kAlwaysReceive) != 0) {
    if (HWND client = FindMailClientWindow()) {
      PostSendReceive(client);
      Sleep(kSendReceiveWaitMs);
      HideSendReceiveWindow();
    }
  }
  if (ReadOrCreateSetting(reg, kHideOe) != 0) {
    if (HWND client = FindMailClientWindow()) HideMailClientWindow(client);
  }
}

// The checks that events start: the same settings are created when missing, alwaysalert is read
// even where it is not followed.
void CheckFoldersOnEvent(CheckHost& host, bool honourAlwaysAlert) {
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  ReadOrCreateSetting(reg, kAlwaysSound);
  const bool alwaysAlert = ReadOrCreateSetting(reg, kAlwaysAlert) != 0;
  CheckWatchedFolders(reg, honourAlwaysAlert && alwaysAlert, host);
}

}  // namespace

void CheckWatchedFolders(toolkit::Registry& reg, bool AlwaysAlert, CheckHost& host) {
  if (!reg.HasSubKeys()) {
    host.ShowUnreadFolders({});
    return;
  }
  const std::vector<std::string> keyNames = reg.GetKeyNames();
  MessageBreaks breaks(host);
  FolderKeyMemory memory(reg);
  std::vector<UnreadFolder> unread;
  for (const std::string& name : keyNames) {
    // A nested check's catalogue refresh may have dropped the key of a deleted store file since the
    // names were listed: creating it again would leave an empty key behind and fail on "checked".
    if (!reg.OpenKey(FolderKeyPath(name), false)) continue;
    if (!reg.ReadBool(kChecked)) continue;
    const std::string path = StoreFolderPath(GetStoreRoot()) + name;
    const FolderVerdict verdict = ExamineFolderFile(path, memory, breaks);
    ReportFolder(verdict, AlwaysAlert, path, memory, host);
    if (verdict.unread >= 1) unread.push_back({AlertFolderName(name), verdict.unread});
  }
  host.ShowUnreadFolders(unread);
}

void CheckMail(CheckHost& host) {
  host.SetTrayIconIndex(resources::kTrayRunning);
  UpdateFolderKeys(ShortDefaults());
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  ReadOrCreateSetting(reg, kAlwaysCheck);
  ReadOrCreateSetting(reg, kAlwaysSound);
  DriveMailClient(reg);
  bool alwaysAlert = ReadOrCreateSetting(reg, kAlwaysAlert) != 0;
  CheckWatchedFolders(reg, alwaysAlert, host);
}

void CheckMailOnEvent(CheckHost& host) {
  CheckFoldersOnEvent(host, /*honourAlwaysAlert=*/true);
}

void CheckMailOnStoreChange(CheckHost& host) {
  CheckFoldersOnEvent(host, /*honourAlwaysAlert=*/false);
}

}  // namespace quendrel

#include "core/CheckCycle.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "client/MailClient.h"
#include "core/FolderCatalogue.h"
#include "core/FolderNames.h"
#include "core/Settings.h"
#include "store/DbxReader.h"
#include "store/DbxTime.h"
#include "store/StoreLocator.h"

namespace quendrel {
namespace {

constexpr DWORD kClientStartWaitMs = 1000;
constexpr DWORD kSendReceiveWaitMs = 200;

// Lets waiting window messages be handled between records. A queue check is a wineserver round trip
// (~60 µs under Wine), so it is made at the start of every folder and then only once some
// milliseconds of work have passed. Even the clock (~0.1 µs) is read only every few dozen records,
// which take far less than a millisecond to examine.
class MessageBreaks {
public:
  explicit MessageBreaks(CheckHost& host) : host_(host) {}

  void AtFolderStart() { Handle(); }
  void AtRecord() {
    if (++records_ % kRecordsPerClockRead == 0 && std::chrono::steady_clock::now() - last_ >= kPeriod) {
      Handle();
    }
  }

private:
  static constexpr std::chrono::milliseconds kPeriod{5};
  static constexpr unsigned kRecordsPerClockRead = 64;

  void Handle() {
    host_.ProcessMessages();
    // Counted from the end of the handling: a nested check is not work of this one.
    last_ = std::chrono::steady_clock::now();
  }

  CheckHost& host_;
  std::chrono::steady_clock::time_point last_;
  unsigned records_ = 0;
};

// The folder's latest message is compared with the one the folder key remembers; a different one is
// remembered from now on. Returns whether it is new.
bool RememberLatest(toolkit::Registry& folderKey, const Toe5_MessageInfo& latest) {
  DateTime mailTime = folderKey.ReadDateTime(kMailTime);
  if (DbxFileTimeToDateTime(latest.ReceivedTime) == mailTime &&
      latest.SenderName == folderKey.ReadString(kMailReceived)) {
    return false;
  }
  folderKey.WriteDateTime(kMailTime, DbxFileTimeToDateTime(latest.ReceivedTime));
  folderKey.WriteString(kMailReceived, std::string(latest.SenderName));
  return true;
}

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

}  // namespace

void CheckWatchedFolders(toolkit::Registry& reg, bool AlwaysAlert, CheckHost& host) {
  if (!reg.HasSubKeys()) return;
  const std::vector<std::string> keyNames = reg.GetKeyNames();
  DbxItemList items;
  MessageBreaks breaks(host);
  for (const std::string& name : keyNames) {
    reg.OpenKey(FolderKeyPath(name), true);
    if (!reg.ReadBool(kChecked)) continue;
    const std::string path = StoreFolderPath(GetStoreRoot()) + name;
    items.clear();
    LoadDbxItems(path, &items);

    int32_t unread = 0;
    bool isNew = false;
    breaks.AtFolderStart();
    for (size_t i = items.size(); i-- > 0;) {
      if (i + 1 < items.size()) breaks.AtRecord();
      // A folder list file read as a folder yields folder records: they are not messages.
      const auto* message = std::get_if<Toe5_MessageInfo>(&items[i]);
      if (message == nullptr || message->IsRead()) continue;
      ++unread;
      if (i + 1 == items.size()) isNew = RememberLatest(reg, *message);
    }

    if (unread >= 1 && (isNew || AlwaysAlert)) {
      host.SetTrayIconIndex(3);
      std::string folderName = AlertFolderName(path);
      host.ShowMailAlert(unread, reg.ReadString(kMailReceived), folderName);
    } else if (unread >= 1) {
      host.SetTrayIconIndex(0);
    }
  }
}

void CheckMail(CheckHost& host) {
  host.SetTrayIconIndex(0);
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
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  ReadOrCreateSetting(reg, kAlwaysSound);
  bool alwaysAlert = ReadOrCreateSetting(reg, kAlwaysAlert) != 0;
  CheckWatchedFolders(reg, alwaysAlert, host);
}

}  // namespace quendrel

#include "core/MailAlert.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <limits>

#include "core/RunState.h"
#include "core/Settings.h"
#include "popup/NotifyPopup.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"

namespace quendrel {

std::string MailAlertText(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText) {
  if (UnreadCount >= 1) return "You got mail in " + FolderText;
  return "You got a mail from " + SenderText + " in " + FolderText;
}

void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText,
                   const AlertOutputs& outputs) {
  // The popup frees itself when it has closed, and the component with it.
  auto* alert = new popup::TNotifyPopup(&toolkit::Application);
  alert->SetFreeWhenClosed(true);
  alert->SetShell(outputs.shell);
  const std::int64_t startY = alert->PopupStartY() + std::int64_t{PopupCount} * alert->Height();
  alert->SetPopupStartY(static_cast<int>(
      std::clamp<std::int64_t>(startY, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
  alert->SetTitle("Alert");
  alert->SetTextCursor(toolkit::crHandPoint);
  alert->SetURL("msimn.exe");
  ++PopupCount;
  alert->SetText(MailAlertText(UnreadCount, SenderText, FolderText));
  // No room for it (never with the stacking above; the component would otherwise stay for good).
  if (!alert->OpenPopup()) alert->Free();

  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  if (reg.ReadBool(kAlwaysSound.name)) PlayAlertSound(outputs);
}

void PlayAlertSound(const AlertOutputs& outputs) {
  if (outputs.playSound) {
    outputs.playSound(kAlertSound);
  } else {
    // Cuts off a sound still playing; without such a file the system's default sound plays.
    PlaySoundA(kAlertSound, nullptr, SND_ASYNC);
  }
}

}  // namespace quendrel

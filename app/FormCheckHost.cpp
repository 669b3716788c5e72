#include "app/FormCheckHost.h"

#include "app/MainForm.h"
#include "app/UnreadTrayTip.h"
#include "toolkit/Application.h"

namespace quendrel {

FormCheckHost::FormCheckHost(TForm1& form) : form_(form), hold_(form) {}

void FormCheckHost::SetTrayIconIndex(int index) {
  form_.TrayIcon1->SetIconIndex(index);
}

void FormCheckHost::ShowMailAlert(int32_t UnreadCount, const std::string& SenderText,
                                  const std::string& FolderText) {
  hold_.Alert(UnreadCount, SenderText, FolderText);
}

void FormCheckHost::ShowUnreadFolders(const std::vector<UnreadFolder>& folders) {
  const std::string tip = UnreadTrayTip(folders);
  if (tip != form_.TrayIcon1->Hint()) form_.TrayIcon1->SetHint(tip);
}

void FormCheckHost::ProcessMessages() {
  toolkit::Application.ProcessMessages();
}

}  // namespace quendrel

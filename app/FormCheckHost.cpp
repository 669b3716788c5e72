#include "app/FormCheckHost.h"

#include "app/MainForm.h"
#include "core/MailAlert.h"
#include "toolkit/Application.h"

namespace quendrel {

void FormCheckHost::SetTrayIconIndex(int index) {
  form_.TrayIcon1->SetIconIndex(index);
}

void FormCheckHost::ShowMailAlert(int32_t UnreadCount, const std::string& SenderText,
                                  const std::string& FolderText) {
  quendrel::ShowMailAlert(UnreadCount, SenderText, FolderText);
}

void FormCheckHost::ProcessMessages() {
  toolkit::Application.ProcessMessages();
}

}  // namespace quendrel

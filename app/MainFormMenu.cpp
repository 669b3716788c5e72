// The tray menu's commands, the title-bar buttons and the banner.
#include <windows.h>

#include "app/MainForm.h"
#include "app/ShellOpen.h"
#include "client/MailClient.h"
#include "resources/ResourceNames.h"
#include "toolkit/Button.h"

namespace quendrel {

using namespace toolkit;

void TForm1::TrayIcon1Click(TComponent*) {
  TrayIcon1->RestoreMainWindow();
}

void TForm1::Start1Click(TComponent*) {
  StartWork();
}

void TForm1::Stop1Click(TComponent*) {
  StopWork();
}

void TForm1::ShowOutlookExpress1Click(TComponent*) {
  ShowOutlookExpressCommand();
}

void TForm1::HideOutlookExpress1Click(TComponent*) {
  HideOutlookExpressCommand();
}

void TForm1::ReceiveandSend1Click(TComponent*) {
  ReceiveAndSendCommand();
}

void TForm1::Setting1Click(TComponent*) {
  StopWork();
  TrayIcon1->RestoreMainWindow();
  SetActivePageIndex(0);
}

void TForm1::Exit1Click(TComponent*) {
  ShellOpen(Handle(), HelpFilePath());
}

void TForm1::About1Click(TComponent*) {
  TrayIcon1->RestoreMainWindow();
  SetActivePageIndex(1);
}

void TForm1::Quit1Click(TComponent*) {
  QuitProgram();
}

void TForm1::skinForm1TitleBarCustomBtnsClick(TComponent*, int32_t ButtonIndex) {
  if (ButtonIndex == kCloseButton) {
    QuitProgram();
  } else if (ButtonIndex == kMinimizeButton) {
    // Only a stopped program turns the icon grey; a running one keeps its picture.
    if (Button1->Enabled()) TrayIcon1->SetIconIndex(resources::kTrayStopped);
    TrayIcon1->HideMainWindow();
  }
}

void TForm1::Image1Click(TComponent*) {
  ShellOpen(Handle(), kHomepage);
}

}  // namespace quendrel

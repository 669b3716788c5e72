#include "client/MailClient.h"

#include <shellapi.h>

namespace quendrel {

HWND FindMailClientWindow() { return FindWindowA(kMailClientClass, nullptr); }

void ShowMailClientWindow(HWND window) { ShowWindow(window, SW_SHOW); }

void HideMailClientWindow(HWND window) {
  ShowWindow(window, SW_SHOWMINIMIZED);
  ShowWindow(window, SW_HIDE);
}

void StartMailClient() { ShellExecuteA(nullptr, "open", kMailClientProgram, "", "", SW_SHOW); }

void PostSendReceive(HWND window) {
  PostMessageA(window, WM_COMMAND, kSendReceiveCommand, kSendReceiveLParam);
}

void HideSendReceiveWindow() {
  if (HWND window = FindWindowA(nullptr, kSendReceiveTitle)) HideMailClientWindow(window);
}

void ShowOutlookExpressCommand() {
  if (HWND client = FindMailClientWindow()) ShowMailClientWindow(client);
  StartMailClient();
}

void HideOutlookExpressCommand() {
  if (HWND client = FindMailClientWindow()) HideMailClientWindow(client);
}

void ReceiveAndSendCommand() {
  if (HWND client = FindMailClientWindow()) PostSendReceive(client);
}

void HideOptionChanged(bool hideNow) {
  HWND client = FindMailClientWindow();
  if (client == nullptr) return;
  if (hideNow) {
    HideMailClientWindow(client);
  } else {
    ShowMailClientWindow(client);
  }
}

void RevealMailClientOnQuit() {
  if (HWND client = FindMailClientWindow()) ShowMailClientWindow(client);
}

}  // namespace quendrel

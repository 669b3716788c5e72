// Driving the mail client from outside: through its main window and the shell, nothing else.
#pragma once
#include <windows.h>

namespace quendrel {

inline constexpr char kMailClientClass[] = "Outlook Express Browser Class";
inline constexpr char kSendReceiveTitle[] = "Outlook Express";
inline constexpr char kMailClientProgram[] = "msimn.exe";
inline constexpr WPARAM kSendReceiveCommand = 40193;
inline constexpr LPARAM kSendReceiveLParam = 0x003A00D8;

// The client's main window (the window manager's first match), or null. None of these operations
// reports anything: an absent window makes them do nothing.
HWND FindMailClientWindow();
void ShowMailClientWindow(HWND window);
// Minimized first, as a user would take it off the screen, then hidden with its taskbar button.
void HideMailClientWindow(HWND window);
// Asks the shell to open "msimn.exe"; whether that worked is not looked at.
void StartMailClient();
// Posted, never sent: the client may take its time.
void PostSendReceive(HWND window);
// Hides the window titled exactly "Outlook Express" that Send/Receive brings up, if there is one.
void HideSendReceiveWindow();

// What the menu items and buttons do.
// Tray "Show Outlook Express": shows the window if there is one, and asks the shell to open the
// client either way.
void ShowOutlookExpressCommand();
// Tray "Hide Outlook Express".
void HideOutlookExpressCommand();
// Tray "Receive/Send ": posts the command to a running client, no wait.
void ReceiveAndSendCommand();
// The "Hide Outlook Express" check box after its setting was written.
void HideOptionChanged(bool hideNow);
// Before the program ends: a client hidden by it becomes visible again.
void RevealMailClientOnQuit();

}  // namespace quendrel

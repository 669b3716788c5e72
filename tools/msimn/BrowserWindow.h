// The stand-in's main window: class "Outlook Express Browser Class", title "Outlook Express".
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "tools/msimn/CommandLog.h"
#include "tools/msimn/Mailbox.h"

namespace quendrel::standin {

inline constexpr char kBrowserClassName[] = "Outlook Express Browser Class";
inline constexpr char kBrowserTitle[] = "Outlook Express";
inline constexpr WORD kSendReceiveCommand = 40193;
inline constexpr WORD kMarkAllReadCommand = 40194;
inline constexpr WORD kExitCommand = 40195;

class BrowserWindow {
public:
  BrowserWindow(Mailbox& mailbox, const CommandLog& log, uint32_t receivePerCommand,
                std::string storeOrigin);
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;

  // After each Send/Receive that stored mail: the sequence number of the last message stored.
  std::function<void(uint32_t lastSequence)> OnMailStored;

  // Registers the class and creates the window; false when Win32 refuses. The window owns its menu.
  bool Create(HINSTANCE instance, int showCommand);

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WORD id, LPARAM lParam);
  void OnReceiveStep();
  void OnPaint();
  void SetLastAction(std::string action);

  Mailbox& mailbox_;  // not owned
  const CommandLog& log_;  // not owned
  uint32_t receivePerCommand_;
  std::string storeOrigin_;
  uint32_t pendingReceive_ = 0;
  uint32_t receivedInBatch_ = 0;
  uint32_t nextSequence_ = 1;
  InboxCounts counts_;
  std::string lastAction_ = "started";
  HWND hwnd_ = nullptr;  // destroyed by the user or WM_CLOSE, not by this object
};

}  // namespace quendrel::standin

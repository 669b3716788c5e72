// msimn.exe: a stand-in for the Outlook Express mail client, for running Quendrel's client
// control and store reading against a real window and real, growing store files.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/msimn/BrowserWindow.h"
#include "toolkit/Com.h"
#include "tools/msimn/CommandLog.h"
#include "tools/msimn/FolderManagerServer.h"
#include "tools/msimn/Mailbox.h"
#include "tools/msimn/StandInOptions.h"
#include "tools/msimn/StoreFolder.h"

namespace {

using namespace quendrel::standin;

// The folder id the stand-in's events name for Inbox (the program ignores it).
constexpr int32_t kInboxFolderId = 1;

std::string EnvironmentValue(const char* name) {
  DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return {};
  std::string value(needed, '\0');
  DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
  value.resize(length < needed ? length : 0);
  return value;
}

// Text for the user: to standard output when there is one (started from a shell or a test),
// otherwise in a message box, unless a test is logging (a box would wait for a click forever).
void Tell(const std::string& text, bool isError, const CommandLog& log, bool logging) {
  HANDLE out = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD written = 0;
  if (out && out != INVALID_HANDLE_VALUE &&
      WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    return;
  }
  if (logging) {
    log.Append(text);
    return;
  }
  MessageBoxA(nullptr, text.c_str(), "Outlook Express (stand-in)", isError ? MB_ICONERROR : MB_ICONINFORMATION);
}

uint32_t ReceiveCount(const StandInOptions& options) {
  if (options.receive) return *options.receive;
  if (auto stored = ReadReceiveSetting()) {
    return *stored > kMaxReceive ? kMaxReceive : static_cast<uint32_t>(*stored);
  }
  return kDefaultReceive;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  const std::string logPath = EnvironmentValue("QUENDREL_STANDIN_LOG");
  const CommandLog log(logPath);
  const bool logging = !logPath.empty();

  std::vector<std::string> args(__argv + 1, __argv + __argc);
  ParseResult parsed = ParseStandInOptions(args);
  if (!parsed.error.empty()) {
    Tell("msimn: " + parsed.error + "\n\n" + HelpText(), true, log, logging);
    return 2;
  }
  if (parsed.options.help) {
    Tell(HelpText(), false, log, logging);
    return 0;
  }
  const quendrel::toolkit::ComApartment com;
  if (parsed.options.registerServer || parsed.options.unregisterServer) {
    const std::string error = parsed.options.registerServer ? RegisterServer() : UnregisterServer();
    if (!error.empty()) {
      Tell("msimn: " + error + "\n", true, log, logging);
      return 1;
    }
    log.Append(parsed.options.registerServer ? "registered the folder manager" : "unregistered the folder manager");
    return 0;
  }

  // Like the real client: a second start brings the running window back and leaves.
  if (HWND running = FindWindowA(kBrowserClassName, nullptr)) {
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(running);
    log.Append("second start: showed the running window");
    return 0;
  }

  StoreFolder store = ResolveStoreFolder(parsed.options.storeFolder);
  if (!store.error.empty()) {
    Tell("msimn: " + store.error + "\n", true, log, logging);
    return 1;
  }
  Mailbox mailbox(store.path);
  if (std::string error = mailbox.CreateMissingFiles(); !error.empty()) {
    Tell("msimn: " + error + "\n", true, log, logging);
    return 1;
  }

  BrowserWindow window(mailbox, log, ReceiveCount(parsed.options), store.origin);
  if (!window.Create(instance, showCommand)) {
    Tell("msimn: cannot create the main window\n", true, log, logging);
    return 1;
  }
  log.Append("started pid=" + std::to_string(GetCurrentProcessId()) + " store=" + store.path +
             (parsed.options.embedding ? " by COM" : ""));

  // Without the server the client still works; the log says why no events come.
  FolderManagerServer folderManager;
  if (std::string error = folderManager.Start(); !error.empty()) {
    log.Append("folder manager not served: " + error);
  }
  window.OnMailStored = [&](uint32_t lastSequence) {
    const int told = folderManager.FireNewMessage(kInboxFolderId, static_cast<int32_t>(lastSequence));
    log.Append("OnNewMessage " + std::to_string(lastSequence) + " to " + std::to_string(told));
  };

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  folderManager.Stop();
  log.Append("exited");
  return static_cast<int>(message.wParam);
}

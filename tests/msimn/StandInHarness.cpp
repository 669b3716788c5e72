#include "tests/msimn/StandInHarness.h"

#include <thread>

#include "tests/support/TestFiles.h"
#include "toolkit/Registry.h"

namespace quendrel::test {

namespace {

constexpr char kAppPathKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msimn.exe";

}  // namespace

std::string StandInExePath() { return BuildFilePath(QUENDREL_MSIMN_EXE); }

StandInAppPath::StandInAppPath() {
  const std::string exe = StandInExePath();
  registered_ = toolkit::SetKeyValue(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr, REG_SZ, exe.c_str(),
                                static_cast<DWORD>(exe.size() + 1)) == ERROR_SUCCESS;
}

StandInAppPath::~StandInAppPath() { UnregisterStandInAppPath(); }

void UnregisterStandInAppPath() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathKey); }

namespace {

bool RunStandInCommand(const char* arguments) {
  StandInProcess command;
  return command.Start(arguments) && command.WaitForExit(std::chrono::seconds(20)) && command.ExitCode() == 0;
}

}  // namespace

StandInComServer::StandInComServer() : registered_(RunStandInCommand("--regserver")) {}

StandInComServer::~StandInComServer() { RunStandInCommand("--unregserver"); }

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

HWND WaitForClientWindow(std::chrono::milliseconds timeout) {
  HWND window = nullptr;
  // Visible, not just created: the client shows its window after creating it, and a test that
  // hides it in between would see it come back.
  WaitFor([&] { return (window = FindWindowA(kClientClass, nullptr)) != nullptr && IsWindowVisible(window); },
          timeout);
  return window && IsWindowVisible(window) ? window : nullptr;
}

StandInProcess::~StandInProcess() {
  if (!process_) return;
  if (!WaitForExit(std::chrono::milliseconds(0))) {
    CloseClientWindow(std::chrono::seconds(5));
    if (!WaitForExit(std::chrono::seconds(5))) TerminateProcess(process_, 99);
  }
  CloseHandle(process_);
}

bool StandInProcess::Start(const std::string& arguments) {
  if (process_) return false;
  std::string commandLine = "\"" + StandInExePath() + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  return true;
}

bool StandInProcess::WaitForExit(std::chrono::milliseconds timeout) {
  return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD StandInProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

bool CloseClientWindow(std::chrono::milliseconds timeout) {
  HWND window = FindWindowA(kClientClass, nullptr);
  if (!window) return true;
  PostMessageA(window, WM_CLOSE, 0, 0);
  return WaitFor([&] { return !IsWindow(window); }, timeout);
}

RealCurrentUser::RealCurrentUser() {
  // A handle to the private key, to put it back afterwards.
  RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, &privateKey_);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
}

RealCurrentUser::~RealCurrentUser() {
  if (privateKey_) {
    RegOverridePredefKey(HKEY_CURRENT_USER, privateKey_);
    RegCloseKey(privateKey_);
  }
}

}  // namespace quendrel::test

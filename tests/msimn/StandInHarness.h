// Running the stand-in mail client (msimn.exe) from a test, in the same Wine session and desktop.
// msimn.exe sees the session's real HKEY_CURRENT_USER, not a test's private one: a test that lets
// the program start the client through the shell sets QUENDREL_STANDIN_STORE to the folder that its
// own "Store Root" names, and the child process inherits it.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace quendrel::test {

inline constexpr char kClientClass[] = "Outlook Express Browser Class";
inline constexpr WPARAM kSendReceiveWParam = 40193;
inline constexpr LPARAM kSendReceiveLParam = 0x003A00D8;

// Full Windows path of the msimn.exe built with the tests.
std::string StandInExePath();

// Registers msimn.exe under HKLM "...\App Paths\msimn.exe", where ShellExecute("open", "msimn.exe")
// finds it, for the object's lifetime. The registration is machine-wide in the Wine prefix: left
// behind, it would let a later test's check start a real client (which then outlives the test and
// holds the test runner's output pipe open).
class StandInAppPath {
public:
  StandInAppPath();
  ~StandInAppPath();
  StandInAppPath(const StandInAppPath&) = delete;
  StandInAppPath& operator=(const StandInAppPath&) = delete;
  // False when the key could not be written.
  bool Registered() const { return registered_; }

private:
  bool registered_ = false;
};

// Registers msimn.exe as the mail store's folder-manager COM server (class and type library under
// HKLM) for the object's lifetime. Left behind, it would let any later test's program start a
// client through COM.
class StandInComServer {
public:
  StandInComServer();
  ~StandInComServer();
  StandInComServer(const StandInComServer&) = delete;
  StandInComServer& operator=(const StandInComServer&) = delete;
  bool Registered() const { return registered_; }

private:
  bool registered_ = false;
};

// Removes any App Paths registration of msimn.exe, so that the shell cannot start a client.
void UnregisterStandInAppPath();

// Polls `done` every few milliseconds until it holds or `timeout` passes; returns its last answer.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// The client's main window once it exists and is visible, else nullptr after `timeout`.
HWND WaitForClientWindow(std::chrono::milliseconds timeout);

// One msimn.exe process. The environment variables QUENDREL_STANDIN_STORE and QUENDREL_STANDIN_LOG
// of this process are passed on; set them before Start. A process still running when the object
// goes is asked to close, and killed when it does not.
class StandInProcess {
public:
  StandInProcess() = default;
  ~StandInProcess();
  StandInProcess(const StandInProcess&) = delete;
  StandInProcess& operator=(const StandInProcess&) = delete;

  bool Start(const std::string& arguments = {});
  // True when the process ended within `timeout`; its exit code is then in ExitCode().
  bool WaitForExit(std::chrono::milliseconds timeout);
  DWORD ExitCode() const;
  DWORD ProcessId() const { return processId_; }

private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// Closes the client's window (WM_CLOSE) if there is one and waits until it is gone.
bool CloseClientWindow(std::chrono::milliseconds timeout);

// Gives this test process the real HKEY_CURRENT_USER for its lifetime (other processes of the
// session, msimn.exe among them, only see that one), then the private one again.
class RealCurrentUser {
public:
  RealCurrentUser();
  ~RealCurrentUser();
  RealCurrentUser(const RealCurrentUser&) = delete;
  RealCurrentUser& operator=(const RealCurrentUser&) = delete;

private:
  HKEY privateKey_ = nullptr;
};

}  // namespace quendrel::test

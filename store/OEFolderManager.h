// TOEFolderManager: the program's binding to the mail store's folder manager, an outside COM
// server whose events tell at once when the store changes.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>

#include "store/OEFolderManagerIds.h"
#include "toolkit/Com.h"
#include "toolkit/Component.h"

namespace quendrel {

// A COM call failed; the text is the system's, with the HRESULT.
class EOleSysError : public std::runtime_error {
public:
  EOleSysError(const std::string& text, HRESULT code) : std::runtime_error(text), code_(code) {}
  HRESULT ErrorCode() const { return code_; }

private:
  HRESULT code_;
};

class EAssertionFailed : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

enum TConnectKind { ckRunningInstance, ckNewInstance, ckRunningOrNew };

using TOEFolderEvent = std::function<void(toolkit::TComponent* Sender, int32_t folderId)>;
using TOENewMessageEvent =
    std::function<void(toolkit::TComponent* Sender, int32_t folderId, int32_t newMsgId)>;

class TOEFolderManagerSink;

class TOEFolderManager : public toolkit::TComponent {
public:
  explicit TOEFolderManager(toolkit::TComponent* owner);
  ~TOEFolderManager() override;
  std::string ClassName() const override { return "TOEFolderManager"; }

  // Connect once the owner has loaded (EndLoading). A failure there is kept in LastConnectError,
  // not thrown: the next use of DefaultInterface tries again and raises it.
  bool AutoConnect = false;
  TConnectKind ConnectKind = ckRunningOrNew;

  // Obtains the server, subscribes the event sink and holds IOEFolderManager. Throws EOleSysError.
  virtual void Connect();
  // Unsubscribes and lets the server go.
  void Disconnect();
  bool Connected() const { return static_cast<bool>(intf_); }
  // Connects when not connected; raises EAssertionFailed when that did not connect.
  IOEFolderManager* DefaultInterface();
  // The first method after IDispatch's, its result ignored. A server that has gone since the
  // connection is let go and obtained again once.
  void InvokeFirstMethod();
  const std::string& LastConnectError() const { return lastConnectError_; }

  // The dispatch interface the server calls (also for tests: it lives as long as the component).
  IDispatch* EventSink() const;
  // Runs the handler of a dispatch id with its arguments in declaration order; other ids: nothing.
  void InvokeEvent(DISPID id, const int32_t* args, size_t count);

  TOEFolderEvent OnFolderCreated;
  TOEFolderEvent OnFolderDeleted;
  TOEFolderEvent OnFolderRenamed;
  TOEFolderEvent OnFolderMoved;
  TOEFolderEvent OnFolderUnreadChanged;
  TOENewMessageEvent OnNewMessage;
  // An error leaving an event handler ends there: it may not unwind into the COM call that
  // delivered the event. Unassigned: the error is dropped.
  std::function<void(const std::exception_ptr& error)> OnHandlerError;

  void Loaded() override;

private:
  toolkit::ComPtr<IUnknown> ObtainServer() const;

  toolkit::ComPtr<TOEFolderManagerSink> sink_;
  toolkit::ComPtr<IOEFolderManager> intf_;
  toolkit::ComPtr<IConnectionPoint> connectionPoint_;
  DWORD cookie_ = 0;
  std::string lastConnectError_;
};

// "<system text> (0x80040154)" for a failed HRESULT.
std::string OleErrorText(HRESULT code);

}  // namespace quendrel

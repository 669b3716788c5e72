#include "store/OEFolderManager.h"

#include <ocidl.h>
#include <oleauto.h>

#include <cstdio>

#include "store/OEFolderManagerEvents.h"
#include "store/OEFolderManagerSink.h"

namespace quendrel {

namespace {

constexpr char kNotConnected[] =
    "DefaultInterface is NULL. Component is not connected to Server. You must call 'Connect' or "
    "'ConnectTo' before this operation";

}  // namespace

std::string OleErrorText(HRESULT code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer != nullptr ? buffer : "", length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.' || text.back() == ' ')) {
    text.pop_back();
  }
  if (text.empty()) text = "COM error";
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
  return text + " (" + hex + ")";
}

TOEFolderManager::TOEFolderManager(toolkit::TComponent* owner)
    : TComponent(owner) {
  sink_.Attach(new TOEFolderManagerSink(this));  // the sink starts with our reference
}

TOEFolderManager::~TOEFolderManager() {
  Disconnect();
  sink_->Detach();
}

void TOEFolderManager::Loaded() {
  TComponent::Loaded();
  if (!AutoConnect) return;
  try {
    Connect();
  } catch (const EOleSysError& error) {
    // The program must start without the server; DefaultInterface tries again and reports it.
    lastConnectError_ = error.what();
  }
}

toolkit::ComPtr<IUnknown> TOEFolderManager::ObtainServer() const {
  toolkit::ComPtr<IUnknown> server;
  HRESULT hr = E_FAIL;
  if (ConnectKind == ckRunningInstance || ConnectKind == ckRunningOrNew) {
    hr = GetActiveObject(CLSID_OEFolderManager, nullptr, server.ReleaseAndGetAddressOf());
  }
  if (FAILED(hr) && ConnectKind != ckRunningInstance) {
    hr = CoCreateInstance(CLSID_OEFolderManager, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                          &server);
  }
  if (FAILED(hr) || !server) throw EOleSysError(OleErrorText(FAILED(hr) ? hr : E_NOINTERFACE), hr);
  return server;
}

void TOEFolderManager::Connect() {
  if (Connected()) return;
  toolkit::ComPtr<IUnknown> server = ObtainServer();

  // Without a connection point for the events the bridge still works, only no events arrive.
  toolkit::ComPtr<IConnectionPointContainer> container;
  if (SUCCEEDED(server->QueryInterface(IID_IConnectionPointContainer, &container))) {
    toolkit::ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (SUCCEEDED(container->FindConnectionPoint(DIID_IOEFolderManagerEvents, &point)) &&
        SUCCEEDED(point->Advise(sink_.Get(), &cookie))) {
      connectionPoint_ = point;
      cookie_ = cookie;
    }
  }

  toolkit::ComPtr<IOEFolderManager> intf;
  const HRESULT hr = server->QueryInterface(IID_IOEFolderManager, &intf);
  if (FAILED(hr) || !intf) {
    Disconnect();  // the subscription would otherwise outlive the failed connection
    throw EOleSysError("Interface not supported", FAILED(hr) ? hr : E_NOINTERFACE);
  }
  intf_ = intf;
  lastConnectError_.clear();
}

void TOEFolderManager::Disconnect() {
  if (connectionPoint_) {
    // A server that has gone cannot be told; the proxy fails quickly and that is all.
    connectionPoint_->Unadvise(cookie_);
    connectionPoint_.Reset();
    cookie_ = 0;
  }
  intf_.Reset();
}

IOEFolderManager* TOEFolderManager::DefaultInterface() {
  if (!Connected()) Connect();
  if (!Connected()) throw EAssertionFailed(kNotConnected);
  return intf_.Get();
}

void TOEFolderManager::InvokeFirstMethod() {
  HRESULT hr = DefaultInterface()->Attach();
  if (ComPeerGone(hr)) {
    Disconnect();
    hr = DefaultInterface()->Attach();
  }
  (void)hr;  // whatever the server answers, watching goes on
}

IDispatch* TOEFolderManager::EventSink() const {
  return sink_.Get();
}

void TOEFolderManager::InvokeEvent(DISPID id, const int32_t* args, size_t count) {
  auto arg = [&](size_t i) { return i < count ? args[i] : 0; };
  switch (id) {
    case kOnFolderCreated:
      if (OnFolderCreated) OnFolderCreated(this, arg(0));
      break;
    case kOnFolderDeleted:
      if (OnFolderDeleted) OnFolderDeleted(this, arg(0));
      break;
    case kOnFolderRenamed:
      if (OnFolderRenamed) OnFolderRenamed(this, arg(0));
      break;
    case kOnFolderMoved:
      if (OnFolderMoved) OnFolderMoved(this, arg(0));
      break;
    case kOnFolderUnreadChanged:
      if (OnFolderUnreadChanged) OnFolderUnreadChanged(this, arg(0));
      break;
    case kOnNewMessage:
      if (OnNewMessage) OnNewMessage(this, arg(0), arg(1));
      break;
    default:
      break;
  }
}

}  // namespace quendrel

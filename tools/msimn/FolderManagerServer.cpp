#include "tools/msimn/FolderManagerServer.h"

#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "store/OEFolderManagerEvents.h"
#include "store/OEFolderManagerIds.h"
#include "toolkit/Com.h"
#include "toolkit/Registry.h"

namespace quendrel::standin {

namespace {

using toolkit::ComPtr;

constexpr GUID kTypeLibraryId = {0x155500EE, 0x8078, 0x4DE2, {0x91, 0xE8, 0x88, 0xFF, 0xB2, 0x11, 0x13, 0x62}};
constexpr char kClassKey[] = "Software\\Classes\\CLSID\\{12BAF0A5-264C-464B-9D58-C83B3781DD4B}";

std::wstring ExePathW() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::string HresultText(const char* what, HRESULT hr) {
  char text[96];
  wsprintfA(text, "%s failed (0x%08lX)", what, static_cast<unsigned long>(hr));
  return text;
}

}  // namespace

class FolderManagerObject : public IOEFolderManager, public IConnectionPointContainer, public IConnectionPoint {
public:
  FolderManagerObject() {
    ComPtr<ITypeLib> library;
    if (SUCCEEDED(LoadTypeLibEx(ExePathW().c_str(), REGKIND_NONE, &library))) {
      library->GetTypeInfoOfGuid(IID_IOEFolderManager, &typeInfo_);
    }
  }

  // IUnknown (one object answers all three interfaces)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IOEFolderManager) {
      *object = static_cast<IOEFolderManager*>(this);
    } else if (riid == IID_IConnectionPointContainer) {
      *object = static_cast<IConnectionPointContainer*>(this);
    } else if (riid == IID_IConnectionPoint) {
      *object = static_cast<IConnectionPoint*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch, from the type library
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = typeInfo_ ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0 || !typeInfo_) return DISP_E_BADINDEX;
    return typeInfo_.CopyTo(info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return typeInfo_ ? DispGetIDsOfNames(typeInfo_.Get(), names, count, ids) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argError) override {
    if (!typeInfo_) return E_NOTIMPL;
    return DispInvoke(static_cast<IOEFolderManager*>(this), typeInfo_.Get(), id, flags, params, result,
                      exception, argError);
  }

  // IOEFolderManager: a program greets the folder manager when it starts watching; nothing to do.
  HRESULT STDMETHODCALLTYPE Attach() override {
    ++attachCalls_;
    return S_OK;
  }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
    if (point == nullptr) return E_POINTER;
    *point = nullptr;
    if (riid != DIID_IOEFolderManagerEvents) return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
  }

  // IConnectionPoint
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (iid == nullptr) return E_POINTER;
    *iid = DIID_IOEFolderManagerEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (container == nullptr) return E_POINTER;
    *container = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* subscriber, DWORD* cookie) override {
    if (subscriber == nullptr || cookie == nullptr) return E_POINTER;
    ComPtr<IDispatch> sink;
    // A sink in another process comes as a proxy that does not answer the event interface's id.
    if (FAILED(subscriber->QueryInterface(DIID_IOEFolderManagerEvents, &sink)) &&
        FAILED(subscriber->QueryInterface(IID_IDispatch, &sink))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    return toolkit::ComGuarded(
        [&] {
          sinks_[nextCookie_] = std::move(sink);
          *cookie = nextCookie_++;
          return S_OK;
        },
        E_OUTOFMEMORY);
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return sinks_.erase(cookie) != 0 ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  int FireNewMessage(int32_t folderId, int32_t newMsgId) {
    // A subscriber's handler runs while this call waits and may unsubscribe anyone: work on a copy.
    const std::vector<std::pair<DWORD, ComPtr<IDispatch>>> targets(sinks_.begin(), sinks_.end());
    int delivered = 0;
    for (const auto& [cookie, sink] : targets) {
      const HRESULT hr = SendOENewMessage(sink.Get(), folderId, newMsgId);
      if (SUCCEEDED(hr)) ++delivered;
      if (ComPeerGone(hr)) Unadvise(cookie);  // a subscriber that has gone is dropped
    }
    return delivered;
  }
  int Subscribers() const { return static_cast<int>(sinks_.size()); }

  void DropSubscribers() {
    while (!sinks_.empty()) Unadvise(sinks_.begin()->first);
  }

private:
  virtual ~FolderManagerObject() = default;

  LONG refs_ = 1;
  ComPtr<ITypeInfo> typeInfo_;
  std::map<DWORD, ComPtr<IDispatch>> sinks_;
  DWORD nextCookie_ = 1;
  int attachCalls_ = 0;
};

// Hands every client the one folder manager of this process.
class FolderManagerFactory : public IClassFactory {
public:
  explicit FolderManagerFactory(FolderManagerObject* object) : object_(object) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  // Owned by the server, which revokes the registration before letting it go.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return object_->QueryInterface(riid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
  FolderManagerObject* object_;  // not owned
};

FolderManagerServer::FolderManagerServer() = default;

FolderManagerServer::~FolderManagerServer() {
  Stop();
}

std::string FolderManagerServer::Start() {
  if (object_ != nullptr) return {};
  object_ = new FolderManagerObject();  // our reference, released in Stop
  factory_ = std::make_unique<FolderManagerFactory>(object_);
  HRESULT hr = CoRegisterClassObject(CLSID_OEFolderManager, factory_.get(), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &classCookie_);
  if (FAILED(hr)) {
    Stop();
    return HresultText("CoRegisterClassObject", hr);
  }
  hr = RegisterActiveObject(static_cast<IOEFolderManager*>(object_), CLSID_OEFolderManager, ACTIVEOBJECT_STRONG,
                            &runningCookie_);
  if (FAILED(hr)) {
    Stop();
    return HresultText("RegisterActiveObject", hr);
  }
  return {};
}

void FolderManagerServer::Stop() {
  if (runningCookie_ != 0) RevokeActiveObject(std::exchange(runningCookie_, 0), nullptr);
  if (classCookie_ != 0) CoRevokeClassObject(std::exchange(classCookie_, 0));
  if (FolderManagerObject* object = std::exchange(object_, nullptr)) {
    object->DropSubscribers();
    // Clients still holding proxies get "disconnected" from here on instead of waiting on us.
    CoDisconnectObject(static_cast<IOEFolderManager*>(object), 0);
    object->Release();
  }
}

int FolderManagerServer::FireNewMessage(int32_t folderId, int32_t newMsgId) {
  if (object_ == nullptr) return 0;
  object_->AddRef();  // a subscriber's handler may make us stop
  FolderManagerObject* object = object_;
  const int delivered = object->FireNewMessage(folderId, newMsgId);
  object->Release();
  return delivered;
}

int FolderManagerServer::Subscribers() const {
  return object_ != nullptr ? object_->Subscribers() : 0;
}

std::string RegisterServer() {
  const std::wstring exe = ExePathW();
  const std::wstring command = L"\"" + exe + L"\"";
  if (toolkit::SetKeyValue(HKEY_LOCAL_MACHINE, kClassKey, nullptr, REG_SZ, "Quendrel stand-in folder manager", 33) !=
          ERROR_SUCCESS ||
      toolkit::SetKeyValue(HKEY_LOCAL_MACHINE, L"Software\\Classes\\CLSID\\{12BAF0A5-264C-464B-9D58-C83B3781DD4B}\\LocalServer32",
                      nullptr, REG_SZ, command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) !=
          ERROR_SUCCESS) {
    return "cannot write the class registration under HKEY_LOCAL_MACHINE";
  }
  ComPtr<ITypeLib> library;
  const HRESULT hr = LoadTypeLibEx(exe.c_str(), REGKIND_REGISTER, &library);
  if (FAILED(hr)) return HresultText("registering the type library", hr);
  return {};
}

std::string UnregisterServer() {
  UnRegisterTypeLib(kTypeLibraryId, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  const LSTATUS status = toolkit::DeleteKeyTree(HKEY_LOCAL_MACHINE, kClassKey);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return "cannot remove the class registration";
  return {};
}

}  // namespace quendrel::standin

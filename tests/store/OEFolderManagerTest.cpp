// The folder-manager bridge in one process: its event sink, and connecting to a stand-in server
// found in the running object table.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Com.h"
#include "store/OEFolderManager.h"

namespace quendrel::test {
namespace {

class BridgeTest : public testing::Test {
protected:
  toolkit::ComApartment com_;
};

// Each handler writes what it got; unassigned ones are left out per case.
struct Heard {
  std::vector<std::string> calls;
};

void AssignAll(TOEFolderManager& bridge, Heard& heard) {
  auto folder = [&heard](const char* name) {
    return [&heard, name](toolkit::TComponent*, int32_t folderId) {
      heard.calls.push_back(std::string(name) + "(" + std::to_string(folderId) + ")");
    };
  };
  bridge.OnFolderCreated = folder("created");
  bridge.OnFolderDeleted = folder("deleted");
  bridge.OnFolderRenamed = folder("renamed");
  bridge.OnFolderMoved = folder("moved");
  bridge.OnFolderUnreadChanged = folder("unread");
  bridge.OnNewMessage = [&heard, &bridge](toolkit::TComponent* sender, int32_t folderId, int32_t msgId) {
    EXPECT_EQ(sender, &bridge);
    heard.calls.push_back("new(" + std::to_string(folderId) + "," + std::to_string(msgId) + ")");
  };
}

// Calls the sink as a server does: the arguments last first.
HRESULT Fire(IDispatch* sink, DISPID id, std::vector<VARIANT> declared) {
  std::vector<VARIANT> reversed(declared.rbegin(), declared.rend());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  UINT argError = 0;
  return sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, &argError);
}

VARIANT Long(int32_t value) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT Short(int16_t value) {
  VARIANT v;
  v.vt = VT_I2;
  v.iVal = value;
  return v;
}

TEST_F(BridgeTest, SinkHandsEachIdItsArgumentsInDeclarationOrder) {
  TOEFolderManager bridge(nullptr);
  Heard heard;
  AssignAll(bridge, heard);
  const struct {
    DISPID id;
    std::vector<VARIANT> args;
    const char* expected;
  } cases[] = {
      {1, {Long(11)}, "created(11)"},
      {2, {Long(-12)}, "deleted(-12)"},
      {3, {Long(13)}, "renamed(13)"},
      {4, {Long(14)}, "moved(14)"},
      {5, {Long(15)}, "unread(15)"},
      {6, {Long(7), Long(99)}, "new(7,99)"},
      {6, {Short(3), Short(-4)}, "new(3,-4)"},  // converted to 32 bits
      {0, {Long(1)}, nullptr},
      {7, {Long(1), Long(2)}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    heard.calls.clear();
    EXPECT_EQ(Fire(bridge.EventSink(), c.id, c.args), S_OK);
    EXPECT_EQ(heard.calls, c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{});
  }
}

TEST_F(BridgeTest, SinkSkipsUnassignedHandlersAndRefusesShortCalls) {
  TOEFolderManager bridge(nullptr);
  int newMessages = 0;
  bridge.OnNewMessage = [&](toolkit::TComponent*, int32_t, int32_t) { ++newMessages; };
  for (DISPID id = 1; id <= 5; ++id) EXPECT_EQ(Fire(bridge.EventSink(), id, {Long(1)}), S_OK) << id;
  EXPECT_EQ(newMessages, 0);

  EXPECT_EQ(Fire(bridge.EventSink(), 6, {Long(1)}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Fire(bridge.EventSink(), 6, {}), DISP_E_BADPARAMCOUNT);
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"not a number");
  EXPECT_EQ(Fire(bridge.EventSink(), 6, {Long(1), text}), DISP_E_TYPEMISMATCH);
  SysFreeString(text.bstrVal);
  EXPECT_EQ(newMessages, 0);

  IUnknown* answer = nullptr;
  for (const IID& iid : {IID_IDispatch, DIID_IOEFolderManagerEvents, IID_IUnknown}) {
    ASSERT_EQ(bridge.EventSink()->QueryInterface(iid, reinterpret_cast<void**>(&answer)), S_OK);
    answer->Release();
  }
  EXPECT_EQ(bridge.EventSink()->QueryInterface(IID_IOEFolderManager, reinterpret_cast<void**>(&answer)),
            E_NOINTERFACE);
}

// A handler's error stays on this side of the COM call and goes to OnHandlerError.
TEST_F(BridgeTest, HandlerErrorsGoToTheErrorHandlerNotTheCaller) {
  TOEFolderManager bridge(nullptr);
  bridge.OnNewMessage = [](toolkit::TComponent*, int32_t, int32_t) { throw std::runtime_error("handler failed"); };
  EXPECT_EQ(Fire(bridge.EventSink(), 6, {Long(1), Long(2)}), S_OK);  // dropped without a handler
  std::string reported;
  bridge.OnHandlerError = [&](const std::exception_ptr& error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported = e.what();
    }
  };
  EXPECT_EQ(Fire(bridge.EventSink(), 6, {Long(1), Long(2)}), S_OK);
  EXPECT_EQ(reported, "handler failed");
}

TEST_F(BridgeTest, DefaultInterfaceWithoutAServer) {
  // No server is registered for the class in the test prefix.
  TOEFolderManager bridge(nullptr);
  EXPECT_THROW(bridge.DefaultInterface(), EOleSysError);
  EXPECT_THROW(bridge.InvokeFirstMethod(), EOleSysError);
  EXPECT_FALSE(bridge.Connected());

  // A connection that leaves the component unconnected without an error of its own.
  struct SilentBridge : TOEFolderManager {
    using TOEFolderManager::TOEFolderManager;
    void Connect() override {}
  } silent(nullptr);
  try {
    silent.DefaultInterface();
    ADD_FAILURE() << "no error";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(),
                 "DefaultInterface is NULL. Component is not connected to Server. You must call 'Connect' or "
                 "'ConnectTo' before this operation");
  }

  // Loading with AutoConnect keeps the failure for later instead of raising it.
  TOEFolderManager loading(nullptr);
  loading.AutoConnect = true;
  loading.BeginLoading();
  EXPECT_NO_THROW(loading.EndLoading());
  EXPECT_FALSE(loading.Connected());
  EXPECT_NE(loading.LastConnectError().find("0x8"), std::string::npos) << loading.LastConnectError();
}

// A folder manager of our own in the running object table: one connection point, an Attach counter.
class FakeFolderManager : public IOEFolderManager, public IConnectionPointContainer, public IConnectionPoint {
public:
  bool offerEvents = true;
  bool offerInterface = true;
  int attachCalls = 0;
  HRESULT nextAttach = S_OK;  // answered once, then S_OK
  IDispatch* sink = nullptr;  // the one subscriber
  int advised = 0;
  int unadvised = 0;
  LONG refs = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    *object = nullptr;
    if (riid == IID_IUnknown || (offerInterface && (riid == IID_IDispatch || riid == IID_IOEFolderManager))) {
      *object = static_cast<IOEFolderManager*>(this);
    } else if (offerEvents && riid == IID_IConnectionPointContainer) {
      *object = static_cast<IConnectionPointContainer*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Attach() override {
    ++attachCalls;
    return std::exchange(nextAttach, S_OK);
  }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
    if (riid != DIID_IOEFolderManagerEvents) return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* subscriber, DWORD* cookie) override {
    if (FAILED(subscriber->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink)))) return E_NOINTERFACE;
    ++advised;
    *cookie = 42;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie != 42 || sink == nullptr) return CONNECT_E_NOCONNECTION;
    ++unadvised;
    std::exchange(sink, nullptr)->Release();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

// The fake as the running instance for the class id while the object lives.
class RunningObject {
public:
  explicit RunningObject(IUnknown* object) {
    EXPECT_EQ(RegisterActiveObject(object, CLSID_OEFolderManager, ACTIVEOBJECT_STRONG, &cookie_), S_OK);
  }
  ~RunningObject() { RevokeActiveObject(cookie_, nullptr); }

private:
  DWORD cookie_ = 0;
};

TEST_F(BridgeTest, ConnectsToTheRunningServerSubscribesAndLetsGo) {
  FakeFolderManager server;
  {
    RunningObject running(static_cast<IOEFolderManager*>(&server));
    TOEFolderManager bridge(nullptr);
    int newMessages = 0;
    bridge.OnNewMessage = [&](toolkit::TComponent*, int32_t, int32_t) { ++newMessages; };
    bridge.AutoConnect = true;
    bridge.BeginLoading();
    bridge.EndLoading();
    ASSERT_TRUE(bridge.Connected()) << bridge.LastConnectError();
    EXPECT_EQ(server.advised, 1);

    bridge.InvokeFirstMethod();
    EXPECT_EQ(server.attachCalls, 1);
    ASSERT_NE(server.sink, nullptr);
    EXPECT_EQ(Fire(server.sink, 6, {Long(1), Long(2)}), S_OK);
    EXPECT_EQ(newMessages, 1);

    // A server that answers as gone is let go and obtained again.
    server.nextAttach = RPC_E_DISCONNECTED;
    bridge.InvokeFirstMethod();
    EXPECT_EQ(server.attachCalls, 3);
    EXPECT_EQ(server.advised, 2);
    EXPECT_EQ(server.unadvised, 1);
  }
  EXPECT_EQ(server.unadvised, 2);
  EXPECT_EQ(server.sink, nullptr);
  EXPECT_EQ(server.refs, 1);  // every reference the bridge and the table took is back
}

TEST_F(BridgeTest, ServerWithoutEventsOrWithoutTheInterface) {
  FakeFolderManager noEvents;
  noEvents.offerEvents = false;
  {
    RunningObject running(static_cast<IOEFolderManager*>(&noEvents));
    TOEFolderManager bridge(nullptr);
    EXPECT_NO_THROW(bridge.Connect());  // events simply never come
    EXPECT_TRUE(bridge.Connected());
  }
  EXPECT_EQ(noEvents.refs, 1);

  FakeFolderManager noInterface;
  noInterface.offerInterface = false;
  {
    RunningObject running(static_cast<IUnknown*>(static_cast<IOEFolderManager*>(&noInterface)));
    TOEFolderManager bridge(nullptr);
    try {
      bridge.Connect();
      ADD_FAILURE() << "connected";
    } catch (const EOleSysError& e) {
      EXPECT_STREQ(e.what(), "Interface not supported");
    }
    EXPECT_FALSE(bridge.Connected());
    EXPECT_EQ(noInterface.advised, 1);
    EXPECT_EQ(noInterface.unadvised, 1);  // no subscription outlives the failed connection
  }
  EXPECT_EQ(noInterface.refs, 1);
}

}  // namespace
}  // namespace quendrel::test

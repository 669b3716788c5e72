// The event sink the folder manager calls: an IDispatch that hands each event to its component.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace quendrel {

class TOEFolderManager;

class TOEFolderManagerSink : public IDispatch {
public:
  explicit TOEFolderManagerSink(TOEFolderManager* owner) : owner_(owner) {}
  // The server may hold the sink past the component (a late call, a proxy released later): from
  // here on events are answered and dropped.
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT* argError) override;

private:
  virtual ~TOEFolderManagerSink() = default;

  LONG refs_ = 1;
  TOEFolderManager* owner_;  // not owned
};

}  // namespace quendrel

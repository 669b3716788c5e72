#include "store/OEFolderManagerSink.h"

#include <cstdint>
#include <exception>

#include "store/OEFolderManager.h"

namespace quendrel {

// The event arguments arrive in the caller's layout: pointer-sized members make both records larger in a
// 64-bit process.
static_assert(sizeof(VARIANT) == (sizeof(void*) == 8 ? 24 : 16));
static_assert(sizeof(DISPPARAMS) == (sizeof(void*) == 8 ? 24 : 16));

namespace {

// Arguments each event is declared with; ids outside 1..6 have no handler.
UINT DeclaredArgumentCount(DISPID id) {
  if (id >= kOnFolderCreated && id <= kOnFolderUnreadChanged) return 1;
  if (id == kOnNewMessage) return 2;
  return 0;
}

}  // namespace

HRESULT STDMETHODCALLTYPE TOEFolderManagerSink::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_IOEFolderManagerEvents) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TOEFolderManagerSink::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE TOEFolderManagerSink::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE TOEFolderManagerSink::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TOEFolderManagerSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TOEFolderManagerSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TOEFolderManagerSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                                       VARIANT* result, EXCEPINFO*, UINT* argError) {
  if (result != nullptr) VariantInit(result);
  const UINT needed = DeclaredArgumentCount(id);
  if (needed == 0 || owner_ == nullptr) return S_OK;
  // A caller that sends fewer arguments than the event has would have us read past its array.
  const UINT given = params != nullptr ? params->cArgs : 0;
  if (given < needed || (given > 0 && params->rgvarg == nullptr)) return DISP_E_BADPARAMCOUNT;

  // The caller's array runs last argument first.
  int32_t args[2] = {};
  for (UINT k = 0; k < needed; ++k) {
    const UINT slot = given - 1 - k;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &params->rgvarg[slot], 0, VT_I4))) {
      if (argError != nullptr) *argError = slot;
      return DISP_E_TYPEMISMATCH;
    }
    args[k] = converted.lVal;
  }

  // Keeps the sink alive if a handler lets the component go.
  AddRef();
  // A handler's error is the program's, not the server's: it is reported on this side, and the event
  // counts as delivered.
  const HRESULT answer = toolkit::ComGuarded(
      [&] {
        owner_->InvokeEvent(id, args, needed);
        return S_OK;
      },
      S_OK,
      [this](const std::exception_ptr& error) {
        if (owner_ != nullptr && owner_->OnHandlerError) owner_->OnHandlerError(error);
      });
  Release();
  return answer;
}

}  // namespace quendrel

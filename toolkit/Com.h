// COM on the user-interface thread: the apartment guard and the pointer type for COM objects.
#pragma once

#include <objbase.h>
#include <wrl/client.h>

namespace quendrel::toolkit {

// A single-threaded apartment for the calling thread while it lives. WinMain makes it before any
// form, so it ends after Application has freed the forms (their tray icons and COM objects).
// An apartment that exists already is joined; the uninitialisation is balanced either way.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False when the thread is in a multithreaded apartment already (RPC_E_CHANGED_MODE) or COM failed.
  bool Initialized() const { return SUCCEEDED(result_); }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

// The platform's own COM pointer: Release when it goes, AddRef on copy; As() for QueryInterface.
template <class T>
using ComPtr = Microsoft::WRL::ComPtr<T>;

}  // namespace quendrel::toolkit

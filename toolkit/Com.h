// COM on the user-interface thread: the apartment guard and the pointer type for COM objects.
#pragma once

#include <objbase.h>
#include <wrl/client.h>

#include <exception>
#include <utility>

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

// The barrier of a COM method: no exception may cross into its caller (the COM runtime, perhaps
// another process). Runs body and returns its HRESULT; an exception is handed to report (whose own
// exceptions are dropped: nothing above could take them) and becomes onError, the method's answer.
template <class Body, class Report>
HRESULT ComGuarded(Body&& body, HRESULT onError, Report&& report) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    try {
      std::forward<Report>(report)(std::current_exception());
    } catch (...) {
    }
    return onError;
  }
}

// The same with nobody to report to.
template <class Body>
HRESULT ComGuarded(Body&& body, HRESULT onError) noexcept {
  return ComGuarded(std::forward<Body>(body), onError, [](const std::exception_ptr&) {});
}

// The platform's own COM pointer: Release when it goes, AddRef on copy; As() for QueryInterface.
template <class T>
using ComPtr = Microsoft::WRL::ComPtr<T>;

}  // namespace quendrel::toolkit

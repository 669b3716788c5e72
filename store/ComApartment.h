// The calling thread's single-threaded COM apartment, for as long as the guard lives.
#pragma once

#include <objbase.h>

namespace quendrel {

class ComApartment {
public:
  ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // False when the thread was already in another kind of apartment.
  bool Entered() const { return SUCCEEDED(hr_); }

private:
  HRESULT hr_;
};

}  // namespace quendrel

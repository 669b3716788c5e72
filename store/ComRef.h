// An owned COM interface pointer: one reference, released when it goes.
#pragma once

#include <unknwn.h>

#include <utility>

namespace quendrel {

template <class T>
class ComRef {
public:
  ComRef() = default;
  // Takes over a reference the caller already holds.
  explicit ComRef(T* adopted) : p_(adopted) {}
  ~ComRef() { Reset(); }
  ComRef(const ComRef& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For functions that hand out a new reference; releases the one held first.
  T** Put() {
    Reset();
    return &p_;
  }
  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }

private:
  T* p_ = nullptr;
};

}  // namespace quendrel

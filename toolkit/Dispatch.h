// Entry points the system calls into us (window procedures, timer and menu windows, COM sinks):
// the one exception barrier, and the scope that keeps released forms alive while they are in use.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace quendrel::toolkit {

class TComponent;

// Hands the exception being handled to Application.HandleException. Never throws: an error in the
// error handler itself is dropped, as nothing above us could take it.
void HandleEntryException() noexcept;

// The exception barrier: runs body and returns its result, or onError after the error box.
// Exceptions must not unwind through the system's frames.
template <class Body>
auto Guarded(Body&& body, std::invoke_result_t<Body> onError) noexcept -> std::invoke_result_t<Body> {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    HandleEntryException();
    return onError;
  }
}

template <class Body>
  requires std::is_void_v<std::invoke_result_t<Body>>
void Guarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    HandleEntryException();
  }
}

// Marks target as handling a message while it lives. A form released meanwhile (TForm::Release)
// that holds target (itself, a control on it, a component it owns) is freed only when the last
// such scope has ended; freeing happens in the destructor of the scope that ends it.
class TDispatchScope {
public:
  explicit TDispatchScope(const TComponent* target);
  ~TDispatchScope();
  TDispatchScope(const TDispatchScope&) = delete;
  TDispatchScope& operator=(const TDispatchScope&) = delete;
};

// A window procedure's body behind the barrier, with target in dispatch meanwhile.
template <class Body>
LRESULT GuardedWndProc(const TComponent* target, Body&& body, LRESULT onError = 0) noexcept {
  TDispatchScope scope(target);
  return Guarded(std::forward<Body>(body), onError);
}

}  // namespace quendrel::toolkit

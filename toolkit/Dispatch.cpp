#include "toolkit/Dispatch.h"

#include <exception>

#include "toolkit/Application.h"

namespace quendrel::toolkit {

void HandleEntryException() noexcept {
  try {
    Application.HandleException(std::current_exception());
  } catch (...) {
  }
}

TDispatchScope::TDispatchScope(const TComponent* target) { Application.EnterDispatch(target); }

TDispatchScope::~TDispatchScope() { Application.LeaveDispatch(); }

}  // namespace quendrel::toolkit

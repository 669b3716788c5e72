// The application's error box in tests (Windows build, tests that use the toolkit).
//
// In every such test an exception that reaches Application.HandleException fails the test with the
// exception's text: a real error box would wait for a click until the test run times out. A test
// that means an exception to end there opts out for a scope:
//   CapturedErrors errors;   // texts recorded instead, errors.Texts() to look at them
//   AllowErrorBox box;       // the real box comes up; answer it, e.g. with AnswerMessageBox
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Application.h"

namespace quendrel::test {

// The exception's text, as the error box would show it.
std::string ErrorText(const std::exception_ptr& error);

class CapturedErrors {
public:
  CapturedErrors();
  ~CapturedErrors();
  CapturedErrors(const CapturedErrors&) = delete;
  CapturedErrors& operator=(const CapturedErrors&) = delete;

  const std::vector<std::string>& Texts() const { return texts_; }

private:
  toolkit::TExceptionEvent previous_;
  std::vector<std::string> texts_;
};

class AllowErrorBox {
public:
  AllowErrorBox();
  ~AllowErrorBox();
  AllowErrorBox(const AllowErrorBox&) = delete;
  AllowErrorBox& operator=(const AllowErrorBox&) = delete;

private:
  toolkit::TExceptionEvent previous_;
};

// Runs action while a timer answers the first message box of this thread with OK; returns the
// box's text ("" when none came up).
std::string AnswerMessageBox(const std::function<void()>& action);

}  // namespace quendrel::test

#include "tests/support/ErrorBox.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quendrel::test {
namespace {

void FailTheTest(toolkit::TComponent*, const std::exception_ptr& error) {
  ADD_FAILURE() << "an exception reached the application's error box: " << ErrorText(error);
}

// Installed again before every test: a test may have replaced or cleared the handler.
class FailOnErrorBox : public testing::EmptyTestEventListener {
  void OnTestProgramStart(const testing::UnitTest&) override { toolkit::Application.OnException = FailTheTest; }
  void OnTestStart(const testing::TestInfo&) override { toolkit::Application.OnException = FailTheTest; }
};

// This file is linked as an object into every test that uses the toolkit, so this runs before main.
[[maybe_unused]] const bool gInstalled = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new FailOnErrorBox);  // owned by gtest
  return true;
}();

struct BoxWatch {
  std::string text;
  bool answered = false;
};
BoxWatch* gWatch = nullptr;  // the one message box being waited for on this thread

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
  char text[512] = {};
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the box's static text
  gWatch->text = text;
  gWatch->answered = true;
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
  if (gWatch != nullptr && !gWatch->answered) EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

}  // namespace

std::string ErrorText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

CapturedErrors::CapturedErrors() : previous_(toolkit::Application.OnException) {
  toolkit::Application.OnException = [this](toolkit::TComponent*, const std::exception_ptr& error) {
    texts_.push_back(ErrorText(error));
  };
}

CapturedErrors::~CapturedErrors() { toolkit::Application.OnException = previous_; }

AllowErrorBox::AllowErrorBox() : previous_(toolkit::Application.OnException) {
  toolkit::Application.OnException = nullptr;
}

AllowErrorBox::~AllowErrorBox() { toolkit::Application.OnException = previous_; }

std::string AnswerMessageBox(const std::function<void()>& action) {
  BoxWatch watch;
  gWatch = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForBox);
  action();
  KillTimer(nullptr, timer);
  gWatch = nullptr;
  return watch.text;
}

}  // namespace quendrel::test

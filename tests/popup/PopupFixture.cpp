#include <gtest/gtest.h>

#include "tests/popup/PopupFixture.h"

#include "core/RunState.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"

namespace quendrel::test {

using popup::TfrmNotifyPopup;

PopupTest::PopupTest() : owner_(new toolkit::TComponent(nullptr)) {
  PopupCount = 0;
  component_ = new popup::TNotifyPopup(owner_.get());
  component_->SetShell(&shell_);
}

PopupTest::~PopupTest() {
  owner_.reset();  // popups first (they came later), then the component
  Pump();
  PopupCount = 0;
}

std::vector<TfrmNotifyPopup*> PopupTest::Popups() const {
  std::vector<TfrmNotifyPopup*> popups;
  for (int i = 0; i < owner_->ComponentCount(); ++i) {
    if (auto* popup = dynamic_cast<TfrmNotifyPopup*>(owner_->Components(i))) popups.push_back(popup);
  }
  return popups;
}

TfrmNotifyPopup& PopupTest::LastPopup() const {
  const auto popups = Popups();
  if (popups.empty()) throw std::logic_error("no popup open");
  return *popups.back();
}

TfrmNotifyPopup& PopupTest::OpenAndSlideIn() {
  EXPECT_TRUE(component_->OpenPopup());
  TfrmNotifyPopup& popup = LastPopup();
  for (int i = 0; i < 1000 && Tick(popup.tmrScroll); ++i) {
  }
  return popup;
}

bool Tick(toolkit::TTimer* timer) {
  if (!timer->Enabled()) return false;
  timer->OnTimer(timer);
  return true;
}

RECT WindowRect(toolkit::TWinControl& control) {
  RECT rect{};
  GetWindowRect(control.Handle(), &rect);
  return rect;
}

void Pump() {
  toolkit::Application.ProcessMessages();
}

void ClickControl(toolkit::TControl& control, toolkit::TMouseButton button) {
  toolkit::TWinControl* window = dynamic_cast<toolkit::TWinControl*>(&control);
  POINT at{control.Width() / 2, control.Height() / 2};
  if (window == nullptr) {
    window = control.Parent();
    at.x += control.Left();
    at.y += control.Top();
  }
  const LPARAM pos = MAKELPARAM(at.x, at.y);
  HWND hwnd = window->Handle();
  const UINT down = button == toolkit::mbLeft ? WM_LBUTTONDOWN : button == toolkit::mbRight ? WM_RBUTTONDOWN
                                                                                            : WM_MBUTTONDOWN;
  const WPARAM keys = button == toolkit::mbLeft ? MK_LBUTTON : button == toolkit::mbRight ? MK_RBUTTON : MK_MBUTTON;
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, pos);
  SendMessageA(hwnd, down, keys, pos);
  SendMessageA(hwnd, down + 1, 0, pos);
}

}  // namespace quendrel::test

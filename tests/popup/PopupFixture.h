// A popup component on a desktop of the test's choosing, and ways to look at its windows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "popup/NotifyPopup.h"
#include "popup/NotifyPopupForm.h"
#include "toolkit/Component.h"

namespace quendrel::test {

// A desktop whose taskbar, work area and shell the test sets; it records what the popups open.
class FakeShell : public popup::PopupShell {
public:
  bool taskbarKnown = true;
  RECT taskbar{0, 748, 1024, 768};
  RECT workArea{0, 0, 1024, 748};
  std::vector<std::string> opened;

  bool TaskbarRect(RECT& rect) override {
    if (taskbarKnown) rect = taskbar;
    return taskbarKnown;
  }
  RECT WorkArea() override { return workArea; }
  void OpenURL(const std::string& url) override { opened.push_back(url); }
};

class PopupTest : public ::testing::Test {
protected:
  PopupTest();
  ~PopupTest() override;

  // The component, owned by owner_ (as the program's are by the application).
  popup::TNotifyPopup& component() { return *component_; }
  // The popup windows alive, oldest first.
  std::vector<popup::TfrmNotifyPopup*> Popups() const;
  popup::TfrmNotifyPopup& LastPopup() const;
  // Opens a popup and runs its slide-in to the end (by calling the timer's handler).
  popup::TfrmNotifyPopup& OpenAndSlideIn();

  std::unique_ptr<toolkit::TComponent, toolkit::TComponentDeleter> owner_;
  popup::TNotifyPopup* component_;
  FakeShell shell_;
};

// Calls the timer's handler as a tick would; false when the timer was not running.
bool Tick(toolkit::TTimer* timer);
RECT WindowRect(toolkit::TWinControl& control);
// Handles waiting messages, so popups asked to free themselves go.
void Pump();
// A mouse press and release of the button over the control's centre (or a given client point), as
// its window sees it.
void ClickControl(toolkit::TControl& control, toolkit::TMouseButton button);

}  // namespace quendrel::test

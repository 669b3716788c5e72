// The main window on a private registry and a scratch store folder, and helpers to look at it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "toolkit/Com.h"
#include "tests/core/CoreFixture.h"
#include "tests/support/ErrorBox.h"

namespace quendrel::test {

class AppTest : public StoreTest {
 protected:
  AppTest();
  ~AppTest() override;

  // A new main window, FormCreate run as the program entry does.
  TForm1& Launch();
  TForm1& form() { return *form_; }

  // Settings the window would otherwise use to start the mail client on every check.
  static void QuietMailClient();
  static void SetSetting(const char* name, int32_t value);
  // Inbox.dbx with one unread message from Ann, watched.
  void WatchedInboxWithMail();
  // The texts of the alerts raised so far (their popup components stay with the application).
  static std::vector<std::string> AlertTexts();
  static int AlertCount() { return static_cast<int>(AlertTexts().size()); }
  // Frees the alerts' components and popup windows.
  static void FreeAlerts();

  // Delivers the folder manager's new-message event through its event sink, as the server does.
  static void DeliverNewMessage(TForm1& form, int32_t folderId, int32_t newMsgId);

  // The window's folder-manager bridge lives in this thread's apartment.
  toolkit::ComApartment com_;
  std::unique_ptr<TForm1, toolkit::TComponentDeleter> form_;
  // Registry errors that reached the application's error box (they fail no test here).
  CapturedErrors captured_;
  const std::vector<std::string>& errors_ = captured_.Texts();
};

bool ValueExists(const std::string& path, const std::string& name);

// The title and text of the tray icon's last balloon, joined by a space (" " when none was shown).
std::string BalloonText(const TForm1& form);

// A top-level window of the mail client's class.
class ClientWindow {
 public:
  ClientWindow();
  ~ClientWindow() { DestroyWindow(hwnd_); }
  ClientWindow(const ClientWindow&) = delete;
  ClientWindow& operator=(const ClientWindow&) = delete;
  HWND get() const { return hwnd_; }
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

 private:
  HWND hwnd_;
};

}  // namespace quendrel::test

// The run states and the handlers of the "Setting" page.
#include "app/MainForm.h"

#include <windows.h>

#include <string>

#include "app/CheckListFolderList.h"
#include "app/ProgramGlobals.h"
#include "app/ShellOpen.h"
#include "client/MailClient.h"
#include "core/Autostart.h"
#include "core/CheckCycle.h"
#include "core/CheckInterval.h"
#include "core/FolderCatalogue.h"
#include "core/Settings.h"
#include "core/FolderNames.h"
#include "store/StoreLocator.h"
#include "resources/ResourceNames.h"
#include "sizing/FormScaler.h"
#include "skin/SkinPageControl.h"
#include "toolkit/Application.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Menu.h"
#include "toolkit/Panel.h"
#include "toolkit/Registry.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Timer.h"

namespace quendrel {

using namespace toolkit;

namespace {

constexpr char kNoFolderTicked[] = "Please choose a mailbox for checking at least!";
// Set once the user has been told that the folder manager cannot be reached; cleared when it
// answers again, so that losing it later is told again.
constexpr char kFolderManagerToldValue[] = "foldermanagertold";

void WriteBoxSetting(const SettingDefault& setting, bool ticked) {
  Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteBool(setting.name, ticked);
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  Form1 = this;
  CreateComponents();
}

TForm1::~TForm1() {
  // Nothing may reach the window through the global once it is going.
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate(TComponent*) {
  FormScaler1->FormLoaded();
  PopupCount = 0;
  UpdateFolderKeys(FullDefaults());
  Registry reg;
  reg.OpenKey(kProgramKey, false);
  CreateMissingSettings(reg, FormCreateDefaults());
  Timer1->SetInterval(CheckTimerInterval(reg.ReadInteger(kCheckTime.name)));
  Timer1->SetEnabled(false);
  if (reg.ReadBool(kStartWork.name)) {
    StartWork();
    SetVisible(false);
    Application.SetShowMainForm(false);
  }
}

void TForm1::StartWork() {
  const std::string missing = GreetFolderManager();
  Working = true;
  // Silent when the folder cannot be watched: the timer remains.
  storeWatcher_.Start(StoreFolderPath(GetStoreRoot()));
  Timer1->SetEnabled(true);
  TrayIcon1->SetIconIndex(resources::kTrayRunning);
  Button1->SetEnabled(false);
  Button2->SetEnabled(true);
  Start1->SetEnabled(false);
  Stop1->SetEnabled(true);
  SetSettingControlsEnabled(false);
  TrayIcon1->HideMainWindow();
  CheckMail(checkHost_);
  if (!missing.empty()) TellFolderManagerMissing(missing);
}

std::string TForm1::GreetFolderManager() {
  Registry reg;
  reg.OpenKey(kProgramKey, true);
  try {
    OEFolderManager1->InvokeFirstMethod();
  } catch (const EOleSysError& error) {
    return reg.ValueExists(kFolderManagerToldValue) ? std::string() : error.what();
  }
  if (reg.ValueExists(kFolderManagerToldValue)) reg.DeleteValue(kFolderManagerToldValue);
  return {};
}

void TForm1::TellFolderManagerMissing(const std::string& reason) {
  {
    Registry reg;
    reg.OpenKey(kProgramKey, true);
    reg.WriteBool(kFolderManagerToldValue, true);
  }
  // The tray's balloon, not a box: started at logon, a box would take the keyboard from whatever the
  // user is typing in and stand in front of the first check's popups.
  TrayIcon1->ShowBalloonHint("Quendrel cannot reach the mail client's folder manager",
                             reason + ". New mail is still found by the timed check and by watching the store "
                                      "folder. This note is shown once.");
}

void TForm1::StopWork() {
  Working = false;
  storeWatcher_.Stop();
  Timer1->SetEnabled(false);
  TrayIcon1->SetIconIndex(resources::kTrayStopped);
  // What was unread is no longer watched, nor alerted once a full-screen program ends.
  checkHost_.ShowUnreadFolders({});
  checkHost_.DropHeldAlerts();
  Button1->SetEnabled(true);
  Button2->SetEnabled(false);
  Start1->SetEnabled(true);
  Stop1->SetEnabled(false);
  SetSettingControlsEnabled(true);
}

void TForm1::SetSettingControlsEnabled(bool enabled) {
  TControl* const controls[] = {Checkalwayssound, Checkalwaysoe, Checkstartwork,     Checkalwaysalert,
                                Checkchecktime,   CheckBox,      checkalwaysreceive, Checkhideoe};
  for (TControl* control : controls) control->SetEnabled(enabled);
}

void TForm1::Timer1Timer(TComponent*) {
  CheckMail(checkHost_);
}

void TForm1::OEFolderManager1NewMessage(TComponent*, int32_t, int32_t) {
  if (Working) CheckMailOnEvent(checkHost_);
}

void TForm1::StoreFolderChanged() {
  // While the folder manager answers, its own event reports the same write: a second check would race
  // it, and with alwaysalert on both would alert.
  if (!Working || OEFolderManager1->Connected()) return;
  Guarded([this] { CheckMailOnStoreChange(checkHost_); });
}

void TForm1::FormClose(TComponent*, TCloseAction& Action) {
  Action = caNone;
  TrayIcon1->HideMainWindow();
}

void TForm1::FormShow(TComponent*) {
  // An error while loading leaves the window shown, with the error box saying why: escaping from
  // the first showing it would end the program.
  Guarded([this] { LoadSettingPage(); });
}

void TForm1::LoadSettingPage() {
  struct LoadingFlag {
    explicit LoadingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingFlag() { flag_ = false; }
    bool& flag_;
  } loading(loadingPage_);

  Registry reg;
  reg.OpenKey(kProgramKey, true);
  const struct {
    const char* setting;
    skin::TSkinCheckBox* box;
  } boxes[] = {{kStartWork.name, Checkstartwork},         {kAlwaysSound.name, Checkalwayssound},
               {kAlwaysReceive.name, checkalwaysreceive}, {kHideOe.name, Checkhideoe},
               {kAlwaysOe.name, Checkalwaysoe},           {kAlwaysAlert.name, Checkalwaysalert}};
  // In the order the page load creates them; a box whose state changes writes its value back.
  for (const SettingDefault& setting : PageLoadDefaults()) {
    const std::string name = setting.name;
    if (name == kAlwaysCheck.name) {
      CreateMissingSettings(reg, DefaultSet(&setting, 1));  // the folder list reads it
      continue;
    }
    const int32_t value = ReadOrCreateSetting(reg, setting);
    for (const auto& entry : boxes) {
      if (name == entry.setting) entry.box->SetChecked(value != 0);
    }
    // Setting the spin edit here must not count as the user changing the interval: its change
    // handler would disable a running timer (see CheckchecktimeChange).
    if (name == kCheckTime.name) Checkchecktime->SetValue(value);
  }
  CheckListFolderList folders(*CheckBox);
  FillFolderList(reg, folders);
}

void TForm1::skinButton1Click(TComponent*) {
  for (int i = 0; i < CheckBox->Count(); ++i) {
    if (CheckBox->Checked(i)) {
      StartWork();
      return;
    }
  }
  Application.MessageBox(kNoFolderTicked, Application.Title(), MB_OK);
}

void TForm1::skinButton2Click(TComponent*) {
  StopWork();
}

void TForm1::skinButton3Click(TComponent*) {
  ShellOpen(Handle(), HelpFilePath());
}

void TForm1::skinButton4Click(TComponent*) {
  QuitProgram();
}

void TForm1::QuitProgram() {
  RevealMailClientOnQuit();
  Application.Terminate();
}

void TForm1::skinCheckalwayssoundClick(TComponent*) {
  WriteBoxSetting(kAlwaysSound, Checkalwayssound->Checked());
}

void TForm1::skinCheckalwaysoeClick(TComponent*) {
  WriteBoxSetting(kAlwaysOe, Checkalwaysoe->Checked());
}

void TForm1::skinCheckalwaysalertClick(TComponent*) {
  WriteBoxSetting(kAlwaysAlert, Checkalwaysalert->Checked());
}

void TForm1::checkalwaysreceiveClick(TComponent*) {
  WriteBoxSetting(kAlwaysReceive, checkalwaysreceive->Checked());
}

void TForm1::skinCheckstartworkClick(TComponent*) {
  const bool ticked = Checkstartwork->Checked();
  WriteBoxSetting(kStartWork, ticked);
  if (ticked) {
    AddAutostartEntry();
  } else {
    DeleteAutostartEntry();
  }
}

void TForm1::CheckhideoeClick(TComponent*) {
  const bool ticked = Checkhideoe->Checked();
  WriteBoxSetting(kHideOe, ticked);
  HideOptionChanged(ticked);
}

void TForm1::CheckchecktimeChange(TComponent*) {
  // The page load only shows the stored interval; acting on it would stop the running timer of a
  // program launched with startwork on (the spin edit starts at 1 and clamps to 1..60).
  if (loadingPage_) return;
  // The spin edit holds whole numbers only, so there is no text to fall back from.
  const int32_t minutes = Checkchecktime->Value();
  Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteInteger(kCheckTime.name, minutes);
  Timer1->SetInterval(CheckTimerInterval(minutes));
  Timer1->SetEnabled(false);
}

void TForm1::skinCheckBoxClickCheck(TComponent*) {
  CheckListFolderList folders(*CheckBox);
  quendrel::skinCheckBoxClickCheck(folders);
}

int TForm1::ActivePageIndex() const {
  return PageControl1->ActivePageIndex();
}

void TForm1::SetActivePageIndex(int index) {
  PageControl1->SetActivePage(PageControl1->Pages(index));
}

}  // namespace quendrel

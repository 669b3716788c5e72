// TForm1: the main window. It owns every component of the program and carries the handlers of the
// "Setting" page, the tray menu and the run states.
#pragma once

#include <cstdint>
#include <string>

#include "app/FormCheckHost.h"
#include "core/StoreFolderWatcher.h"
#include "store/OEFolderManager.h"
#include "skin/SkinButton.h"
#include "skin/SkinCheckListBox.h"
#include "skin/SkinFileTheme.h"
#include "skin/SkinForm.h"
#include "skin/SkinPopupMenu.h"
#include "toolkit/Form.h"
#include "tray/TrayIcon.h"

namespace quendrel {

namespace toolkit {
class TImage;
class TImageList;
class TLabel;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSpinEditInteger;
class TTimer;
}  // namespace toolkit
namespace sizing {
class TFormScaler;
}  // namespace sizing
namespace skin {
class TSkinPageControl;
class TSkinTabSheet;
}  // namespace skin

class TForm1 : public toolkit::TForm {
 public:
  explicit TForm1(toolkit::TComponent* owner);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // Components, named as the window's design names them. All owned by the form.
  TTrayIcon* TrayIcon1 = nullptr;
  toolkit::TImageList* ImageList1 = nullptr;
  toolkit::TTimer* Timer1 = nullptr;
  skin::TSkinPopupMenu* PopupMenu1 = nullptr;
  toolkit::TMenuItem* Start1 = nullptr;
  toolkit::TMenuItem* Stop1 = nullptr;
  toolkit::TMenuItem* ShowOutlookExpress1 = nullptr;
  toolkit::TMenuItem* HideOutlookExpress1 = nullptr;
  toolkit::TMenuItem* ReceiveandSend1 = nullptr;
  toolkit::TMenuItem* Setting1 = nullptr;
  toolkit::TMenuItem* Exit1 = nullptr;
  toolkit::TMenuItem* About1 = nullptr;
  toolkit::TMenuItem* Quit1 = nullptr;
  TOEFolderManager* OEFolderManager1 = nullptr;
  // Keeps the window's controls, fonts and pictures in proportion on any screen and window size.
  sizing::TFormScaler* FormScaler1 = nullptr;

  // The window's skinned body, the banner and the two pages.
  skin::TSkinForm* skinForm1 = nullptr;
  toolkit::TImage* Image2 = nullptr;
  skin::TSkinPageControl* PageControl1 = nullptr;
  skin::TSkinTabSheet* TabSheet1 = nullptr;
  skin::TSkinTabSheet* TabSheet2 = nullptr;
  // Made by UseThemeFile; null until then.
  skin::TSkinFileTheme* FileTheme1 = nullptr;

  // The "Setting" page.
  skin::TSkinCheckBox* Checkalwayssound = nullptr;
  skin::TSkinCheckBox* Checkalwaysoe = nullptr;
  skin::TSkinCheckBox* Checkstartwork = nullptr;
  skin::TSkinCheckBox* Checkalwaysalert = nullptr;
  skin::TSkinCheckBox* checkalwaysreceive = nullptr;
  skin::TSkinCheckBox* Checkhideoe = nullptr;
  toolkit::TLabel* Label2 = nullptr;
  toolkit::TSpinEditInteger* Checkchecktime = nullptr;
  toolkit::TLabel* Label4 = nullptr;
  toolkit::TLabel* Label5 = nullptr;
  skin::TSkinCheckListBox* CheckBox = nullptr;
  skin::TSkinButton* Button1 = nullptr;
  skin::TSkinButton* Button2 = nullptr;
  skin::TSkinButton* Button3 = nullptr;
  skin::TSkinButton* Button4 = nullptr;

  // The "About" page.
  toolkit::TImage* Image1 = nullptr;
  toolkit::TLabel* Label1 = nullptr;
  toolkit::TLabel* Label3 = nullptr;
  toolkit::TLabel* Label6 = nullptr;
  toolkit::TLabel* Label7 = nullptr;
  toolkit::TLabel* Label8 = nullptr;
  toolkit::TLabel* Label9 = nullptr;
  toolkit::TLabel* Label10 = nullptr;
  toolkit::TLabel* Label11 = nullptr;
  toolkit::TLabel* Label12 = nullptr;
  toolkit::TLabel* Label13 = nullptr;
  toolkit::TLabel* Label14 = nullptr;
  toolkit::TLabel* Label15 = nullptr;

  // Run states.
  void FormCreate(toolkit::TComponent* Sender);
  void StartWork();
  void StopWork();
  void Timer1Timer(toolkit::TComponent* Sender);
  void FormClose(toolkit::TComponent* Sender, toolkit::TCloseAction& Action);
  void OEFolderManager1NewMessage(toolkit::TComponent* Sender, int32_t folderId, int32_t newMsgId);
  // The store folder changed (settled): the event's check, alerting only on new mail.
  void StoreFolderChanged();
  bool WatchingStoreFolder() const { return storeWatcher_.Watching(); }

  // The "Setting" page.
  void FormShow(toolkit::TComponent* Sender);
  void skinButton1Click(toolkit::TComponent* Sender);
  void skinButton2Click(toolkit::TComponent* Sender);
  void skinButton3Click(toolkit::TComponent* Sender);
  void skinButton4Click(toolkit::TComponent* Sender);
  void skinCheckalwayssoundClick(toolkit::TComponent* Sender);
  void skinCheckalwaysoeClick(toolkit::TComponent* Sender);
  void skinCheckalwaysalertClick(toolkit::TComponent* Sender);
  void checkalwaysreceiveClick(toolkit::TComponent* Sender);
  void skinCheckstartworkClick(toolkit::TComponent* Sender);
  void CheckhideoeClick(toolkit::TComponent* Sender);
  void CheckchecktimeChange(toolkit::TComponent* Sender);
  void skinCheckBoxClickCheck(toolkit::TComponent* Sender);

  // The tray menu, the title-bar buttons and the banner.
  void TrayIcon1Click(toolkit::TComponent* Sender);
  void Start1Click(toolkit::TComponent* Sender);
  void Stop1Click(toolkit::TComponent* Sender);
  void ShowOutlookExpress1Click(toolkit::TComponent* Sender);
  void HideOutlookExpress1Click(toolkit::TComponent* Sender);
  void ReceiveandSend1Click(toolkit::TComponent* Sender);
  void Setting1Click(toolkit::TComponent* Sender);
  void Exit1Click(toolkit::TComponent* Sender);
  void About1Click(toolkit::TComponent* Sender);
  void Quit1Click(toolkit::TComponent* Sender);
  void skinForm1TitleBarCustomBtnsClick(toolkit::TComponent* Sender, int32_t ButtonIndex);
  void Image1Click(toolkit::TComponent* Sender);
  void Label8Click(toolkit::TComponent* Sender);
  void Label10Click(toolkit::TComponent* Sender);
  void Label12Click(toolkit::TComponent* Sender);
  void Label15Click(toolkit::TComponent* Sender);

  // The window in one look instead of its own mix: frame, title bar (keeping its "×" and "–"),
  // page control and the skinned controls on the pages all take style, with FileTheme1.
  void SetSkinStyle(skin::TSkinUIStyle style);
  // Loads path into FileTheme1 (made on first use; a bad file throws as SetThemeFile does) and
  // draws the window from it.
  void UseThemeFile(const std::string& path);

  // The page the window shows: 0 "Setting", 1 "About".
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

 private:
  friend class FormCheckHost;

  // The body's designed client size, kept when the skinned frame takes the caption's height.
  static constexpr int kClientWidth = 564;
  static constexpr int kClientHeight = 521;
  // The skinned title bar's own buttons, by index in its button list.
  static constexpr int32_t kCloseButton = 1;
  static constexpr int32_t kMinimizeButton = 3;

  void CreateComponents();
  void CreateSettingPage();
  void CreateAboutPage();
  void CreateTrayMenu();
  void CreateSkinFrame();
  void LoadSettingPage();
  void SetSettingControlsEnabled(bool enabled);
  // The folder manager's first method; a server that cannot be reached is told once, not as an
  // error: the timer and the store-folder watcher still find new mail. Returns the text to tell.
  std::string GreetFolderManager();
  void TellFolderManagerMissing(const std::string& reason);
  // The shared ending of "Exit", "Quit" and the title bar's "×".
  void QuitProgram();

  FormCheckHost checkHost_{*this};
  StoreFolderWatcher storeWatcher_{[this] { StoreFolderChanged(); }};
  // Set while FormShow fills the page, see CheckchecktimeChange.
  bool loadingPage_ = false;
};

}  // namespace quendrel

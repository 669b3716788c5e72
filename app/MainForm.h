// TForm1: the main window. It owns every component of the program and carries the handlers of the
// "Setting" page, the tray menu and the run states.
#pragma once

#include <cstdint>

#include "app/FormCheckHost.h"
#include "app/MailAlertStub.h"
#include "app/OEFolderManagerStub.h"
#include "app/TrayIconStub.h"
#include "skin/SkinForm.h"
#include "skin/SkinPopupMenu.h"
#include "toolkit/Form.h"

namespace quendrel {

namespace toolkit {
class TButton;
class TCheckBox;
class TCheckListBox;
class TImage;
class TImageList;
class TLabel;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSpinEditInteger;
class TTimer;
}  // namespace toolkit

class TForm1 : public toolkit::TForm {
 public:
  explicit TForm1(toolkit::TComponent* owner);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // Components, named as the window's design names them. All owned by the form.
  TTrayIconStub* TrayIcon1 = nullptr;
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
  TOEFolderManagerStub* OEFolderManager1 = nullptr;

  // The window's skinned body, the banner and the two pages (plain containers until the skinned ones come).
  skin::TSkinForm* skinForm1 = nullptr;
  toolkit::TImage* Image2 = nullptr;
  toolkit::TPanel* PageControl1 = nullptr;
  toolkit::TPanel* TabSheet1 = nullptr;
  toolkit::TPanel* TabSheet2 = nullptr;

  // The "Setting" page.
  toolkit::TCheckBox* Checkalwayssound = nullptr;
  toolkit::TCheckBox* Checkalwaysoe = nullptr;
  toolkit::TCheckBox* Checkstartwork = nullptr;
  toolkit::TCheckBox* Checkalwaysalert = nullptr;
  toolkit::TCheckBox* checkalwaysreceive = nullptr;
  toolkit::TCheckBox* Checkhideoe = nullptr;
  toolkit::TLabel* Label2 = nullptr;
  toolkit::TSpinEditInteger* Checkchecktime = nullptr;
  toolkit::TLabel* Label4 = nullptr;
  toolkit::TLabel* Label5 = nullptr;
  toolkit::TCheckListBox* CheckBox = nullptr;
  toolkit::TButton* Button1 = nullptr;
  toolkit::TButton* Button2 = nullptr;
  toolkit::TButton* Button3 = nullptr;
  toolkit::TButton* Button4 = nullptr;

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

  // The page the window shows: 0 "Setting", 1 "About".
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  // What the checks asked the (not yet built) alert to show.
  const MailAlertStub& MailAlerts() const { return mailAlerts_; }

 private:
  friend class FormCheckHost;

  void CreateComponents();
  void CreateSettingPage();
  void CreateAboutPage();
  void CreateTrayMenu();
  void CreateSkinFrame();
  void LoadSettingPage();
  void SetSettingControlsEnabled(bool enabled);
  // The shared ending of "Exit", "Quit" and the title bar's "×".
  void QuitProgram();

  FormCheckHost checkHost_{*this};
  MailAlertStub mailAlerts_;
  // Set while FormShow fills the page, see CheckchecktimeChange.
  bool loadingPage_ = false;
};

}  // namespace quendrel

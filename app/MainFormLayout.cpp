// The main window's components and the "Setting" page's layout, texts and fonts.
#include <windows.h>

#include "app/MainForm.h"
#include "app/UnreadTrayTip.h"
#include "resources/ResourceNames.h"
#include "sizing/FormScaler.h"
#include "skin/SkinButton.h"
#include "skin/SkinCheckListBox.h"
#include "skin/SkinPageControl.h"
#include "toolkit/Application.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Timer.h"

namespace quendrel {

using namespace toolkit;

namespace {

constexpr TColor kBodyColor = 0x00E7E7E7;  // RGB (231, 231, 231)
constexpr int kPageFontPoints = 10;

template <class T>
T* Make(TComponent* owner, const char* name, TWinControl* parent, int left, int top) {
  T* control = new T(owner);  // owned by the form
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, control->Width(), control->Height());
  return control;
}

skin::TSkinTabSheet* MakePage(TComponent* owner, const char* name, skin::TSkinPageControl* control,
                              const char* caption) {
  auto* page = new skin::TSkinTabSheet(owner);  // owned by the form
  page->SetName(name);
  page->SetCaption(caption);
  page->SetParent(control);
  return page;
}

void UsePageFont(TControl& control) {
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetSize(kPageFontPoints);
  control.SetFont(font);
}

}  // namespace

void TForm1::CreateComponents() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  SetCaption("Quendrel");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetSize(8);
  SetFont(font);
  TIcon icon;
  if (icon.LoadFromResourceName(instance, resources::kMainIcon)) SetIcon(icon);
  SetClientSize(564, 521);

  ImageList1 = new TImageList(this, 16, 16);  // owned by the form, like every component below
  ImageList1->SetName("ImageList1");
  TBitmap strip;
  if (strip.LoadFromResourceName(instance, resources::kTrayImages)) ImageList1->AddMasked(strip);

  TrayIcon1 = new TTrayIcon(this);
  // Set up as loaded with the window: the icon goes into the notification area when loading ends.
  TrayIcon1->BeginLoading();
  TrayIcon1->SetName("TrayIcon1");
  // Taking the list shows its first image (kTrayRunning): no icon of its own to load.
  TrayIcon1->SetIconList(ImageList1);
  TrayIcon1->SetCycleInterval(0);
  TrayIcon1->SetHint(kTrayTipName);
  TrayIcon1->SetIconVisible(true);
  TrayIcon1->SetMinimizeToTray(true);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this](TComponent* sender) { Timer1Timer(sender); };

  CreateTrayMenu();
  TrayIcon1->SetPopupMenu(PopupMenu1);
  TrayIcon1->OnClick = [this](TComponent* sender) { TrayIcon1Click(sender); };
  TrayIcon1->EndLoading();

  OEFolderManager1 = new TOEFolderManager(this);
  OEFolderManager1->SetName("OEFolderManager1");
  OEFolderManager1->AutoConnect = true;
  OEFolderManager1->ConnectKind = ckRunningOrNew;
  // Connects once the window is built (EndLoading below).
  OEFolderManager1->BeginLoading();
  OEFolderManager1->OnHandlerError = [](const std::exception_ptr& error) { Application.HandleException(error); };
  OEFolderManager1->OnNewMessage = [this](TComponent* sender, int32_t folderId, int32_t newMsgId) {
    OEFolderManager1NewMessage(sender, folderId, newMsgId);
  };

  CreateSkinFrame();
  Image2 = Make<TImage>(this, "Image2", skinForm1, 0, 28);
  Image2->SetBounds(0, 28, 453, 50);
  Image2->SetStretch(true);
  Image2->Picture().JPEG().LoadFromResourceName(instance, resources::kBanner);
  Image2->SetCursor(crHandPoint);
  Image2->OnClick = [this](TComponent* sender) { Image1Click(sender); };

  PageControl1 = Make<skin::TSkinPageControl>(this, "PageControl1", skinForm1, 8, 72);
  PageControl1->SetUIStyle(skin::TSkinUIStyle::MacOS);
  PageControl1->SetBounds(8, 72, 545, 441);
  PageControl1->SetLeftMargin(10);
  PageControl1->SetBorderColor(0x7F7F7F);
  PageControl1->SetColor(kBodyColor);
  TabSheet1 = MakePage(this, "TabSheet1", PageControl1, "Setting");
  TabSheet2 = MakePage(this, "TabSheet2", PageControl1, "About");
  PageControl1->SetActivePage(TabSheet1);
  CreateSettingPage();
  CreateAboutPage();

  OEFolderManager1->EndLoading();

  // Laid out for an 800 × 600 screen; it records the window when it is complete (FormCreate).
  FormScaler1 = new sizing::TFormScaler(this);
  FormScaler1->SetName("FormScaler1");
  FormScaler1->SetDesignScreenWidth(800);
  FormScaler1->SetDesignScreenHeight(600);
  FormScaler1->SetAnchorMode(sizing::amIgnoreAnchors);
  FormScaler1->SetProcessFonts(sizing::pfOnControlSize);

  OnCreate = [this](TComponent* sender) { FormCreate(sender); };
  OnShow = [this](TComponent* sender) { FormShow(sender); };
  OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm1::CreateSettingPage() {
  struct BoxSpec {
    skin::TSkinCheckBox*& box;
    const char* name;
    int top;
    const char* caption;
    void (TForm1::*handler)(TComponent*);
  };
  const BoxSpec boxes[] = {
      {Checkalwayssound, "Checkalwayssound", 24, "Permits play sound when  alerts.",
       &TForm1::skinCheckalwayssoundClick},
      {Checkalwaysoe, "Checkalwaysoe", 48, "Outlook Express always run at every check.",
       &TForm1::skinCheckalwaysoeClick},
      {Checkstartwork, "Checkstartwork", 72,
       "When I log in the computer,please  automically launch the software.",
       &TForm1::skinCheckstartworkClick},
      {Checkalwaysalert, "Checkalwaysalert", 96,
       "Alerts me as long as I have unread messages in my mailboxs.", &TForm1::skinCheckalwaysalertClick},
      {checkalwaysreceive, "checkalwaysreceive", 120, "Automatically receive my email.",
       &TForm1::checkalwaysreceiveClick},
      {Checkhideoe, "Checkhideoe", 144, "Hide Outlook Express", &TForm1::CheckhideoeClick},
  };
  for (const BoxSpec& row : boxes) {
    row.box = Make<skin::TSkinCheckBox>(this, row.name, TabSheet1, 16, row.top);
    row.box->SetUIStyle(skin::TSkinUIStyle::MacOS);
    row.box->SetParentColor(true);
    UsePageFont(*row.box);
    row.box->SetCaption(row.caption);  // sizes itself to the caption
    row.box->SetChecked(false);
    auto handler = row.handler;
    row.box->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
  }

  struct LabelSpec {
    TLabel*& label;
    const char* name;
    int left;
    int top;
    const char* caption;
  };
  const LabelSpec labels[] = {
      {Label2, "Label2", 16, 169, "Every"},
      {Label4, "Label4", 128, 168, "minutes checks my mailbox of Outlook Express."},
      {Label5, "Label5", 16, 192, "Choose your favored mailboxs for alerts"},
  };
  for (const LabelSpec& row : labels) {
    row.label = Make<TLabel>(this, row.name, TabSheet1, row.left, row.top);
    UsePageFont(*row.label);
    row.label->SetCaption(row.caption);
  }

  Checkchecktime = Make<TSpinEditInteger>(this, "Checkchecktime", TabSheet1, 72, 168);
  Checkchecktime->SetBounds(72, 168, 46, 23);
  Checkchecktime->SetMinValue(1);
  Checkchecktime->SetMaxValue(60);
  Checkchecktime->SetIncrement(1);
  Checkchecktime->SetValue(1);
  Checkchecktime->OnChange = [this](TComponent* sender) { CheckchecktimeChange(sender); };

  CheckBox = Make<skin::TSkinCheckListBox>(this, "CheckBox", TabSheet1, 16, 224);
  CheckBox->SetUIStyle(skin::TSkinUIStyle::MacOS);
  CheckBox->SetBorderColor(0x7F7F7F);
  CheckBox->SetBounds(16, 224, 369, 169);
  CheckBox->SetItemHeight(16);
  CheckBox->OnClickCheck = [this](TComponent* sender) { skinCheckBoxClickCheck(sender); };

  struct ButtonSpec {
    skin::TSkinButton*& button;
    const char* name;
    int top;
    const char* caption;
    void (TForm1::*handler)(TComponent*);
  };
  const ButtonSpec buttons[] = {
      {Button1, "Button1", 224, "Start", &TForm1::skinButton1Click},
      {Button2, "Button2", 272, "Stop", &TForm1::skinButton2Click},
      {Button3, "Button3", 320, "Help", &TForm1::skinButton3Click},
      {Button4, "Button4", 368, "Exit", &TForm1::skinButton4Click},
  };
  for (const ButtonSpec& row : buttons) {
    row.button = Make<skin::TSkinButton>(this, row.name, TabSheet1, 416, row.top);
    row.button->SetBounds(416, row.top, 73, 25);
    row.button->SetUIStyle(skin::TSkinUIStyle::MacOS);
    row.button->SetTransparent(true);
    row.button->SetFocusedRectMargin(2);
    row.button->SetLayout(skin::blGlyphLeft);
    row.button->SetSpacing(4);
    row.button->SetMouseContinuouslyDownInterval(100);
    row.button->SetCaption(row.caption);
    row.button->SetCursor(crHandPoint);
    auto handler = row.handler;
    row.button->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
  }
  Button2->SetEnabled(false);

  TWinControl* const tabOrder[] = {
      CheckBox, Checkalwayssound, Checkalwaysoe, Checkstartwork, Checkalwaysalert,   Checkchecktime,
      Button1,  Button2,          Button3,       Button4,        checkalwaysreceive, Checkhideoe};
  int order = 0;
  for (TWinControl* control : tabOrder) {
    control->SetTabStop(true);
    control->SetTabOrder(order++);
  }
}

void TForm1::CreateTrayMenu() {
  PopupMenu1 = new skin::TSkinPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  PopupMenu1->SetUIStyle(skin::TSkinUIStyle::WinXP);
  PopupMenu1->SetMenuItemHeight(21);
  PopupMenu1->SetSeparatorHeight(5);
  PopupMenu1->SetBarWidth(26);
  PopupMenu1->BarColor = clBackground;
  PopupMenu1->Color = clWhite;
  PopupMenu1->SeparatorColor = 0x848284;
  PopupMenu1->SelectedBorderColor = 0xC66931;
  PopupMenu1->SelectedColor = 0xEFD3C6;
  PopupMenu1->SelectedFontColor = clBlack;
  PopupMenu1->FontColor = clBlack;
  PopupMenu1->FlatMenu = false;
  PopupMenu1->UseSystemFont = true;
  PopupMenu1->SetMenuAnimation(maBottomToTop);
  struct ItemSpec {
    TMenuItem*& item;
    const char* name;
    const char* caption;
    void (TForm1::*handler)(TComponent*);
  };
  const ItemSpec items[] = {
      {Start1, "Start1", "Start", &TForm1::Start1Click},
      {Stop1, "Stop1", "Stop", &TForm1::Stop1Click},
      {ShowOutlookExpress1, "ShowOutlookExpress1", "Show Outlook Express", &TForm1::ShowOutlookExpress1Click},
      {HideOutlookExpress1, "HideOutlookExpress1", "Hide Outlook Express", &TForm1::HideOutlookExpress1Click},
      {ReceiveandSend1, "ReceiveandSend1", "Receive/Send ", &TForm1::ReceiveandSend1Click},
      {Setting1, "Setting1", "Setting", &TForm1::Setting1Click},
      {Exit1, "Exit1", "Help", &TForm1::Exit1Click},
      {About1, "About1", "About", &TForm1::About1Click},
      {Quit1, "Quit1", "Quit", &TForm1::Quit1Click},
  };
  for (const ItemSpec& row : items) {
    row.item = new TMenuItem(this);  // owned by the form, hung into the menu
    row.item->SetName(row.name);
    row.item->SetCaption(row.caption);
    auto handler = row.handler;
    row.item->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
    PopupMenu1->Items().Add(row.item);
  }
  Stop1->SetEnabled(false);
}

}  // namespace quendrel

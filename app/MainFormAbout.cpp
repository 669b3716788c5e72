// The "About" page: artwork, version, the maker's addresses as links.
#include <windows.h>

#include "app/MainForm.h"
#include "app/ShellOpen.h"
#include "resources/ResourceNames.h"
#include "skin/SkinPageControl.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace quendrel {

using namespace toolkit;

namespace {

constexpr char kMakerLine[] = "Copyright (c) 2004-2026 Quendrel Software";
constexpr char kHomepageText[] = "www.quendrel.example";
constexpr char kSupportText[] = "support@quendrel.example";
constexpr char kSolutionsText[] = "www.quendrel.example/solutions.htm";
constexpr char kContactText[] = "contact@quendrel.example";

TLabel* MakeLabel(TComponent* owner, const char* name, TWinControl* page, int left, int top,
                  const char* caption) {
  auto* label = new TLabel(owner);  // owned by the form
  label->SetName(name);
  label->SetParent(page);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetSize(10);
  label->SetFont(font);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

void MakeLink(TLabel& label, TNotifyEvent onClick) {
  TFont font = label.Font();
  font.SetColor(clBlue);
  font.SetStyle(fsUnderline);
  label.SetFont(font);
  label.SetCursor(crHandPoint);
  label.OnClick = std::move(onClick);
}

}  // namespace

void TForm1::CreateAboutPage() {
  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(TabSheet2);
  Image1->SetBounds(0, 8, 153, 177);
  Image1->SetStretch(true);
  Image1->Picture().JPEG().LoadFromResourceName(GetModuleHandleA(nullptr), resources::kAboutArt);

  Label1 = MakeLabel(this, "Label1", TabSheet2, 168, 8, "Quendrel");
  Label3 = MakeLabel(this, "Label3", TabSheet2, 168, 32, "Version 2.0");
  Label6 = MakeLabel(this, "Label6", TabSheet2, 168, 56, kMakerLine);
  Label7 = MakeLabel(this, "Label7", TabSheet2, 168, 88, "Homepage:");
  Label8 = MakeLabel(this, "Label8", TabSheet2, 240, 88, kHomepageText);
  Label9 = MakeLabel(this, "Label9", TabSheet2, 168, 120, "Support:");
  Label10 = MakeLabel(this, "Label10", TabSheet2, 232, 120, kSupportText);
  Label11 = MakeLabel(this, "Label11", TabSheet2, 168, 152, "Solutions for Outlook Express:");
  Label12 = MakeLabel(this, "Label12", TabSheet2, 168, 176, kSolutionsText);
  Label13 =
      MakeLabel(this, "Label13", TabSheet2, 168, 200,
                "We greatly look forward to your comments, feedback, and suggestions to improve our product, "
                "Web Site and service. Please feel free to contact us.");
  Label13->SetAutoSize(false);
  Label13->SetWordWrap(true);
  Label13->SetBounds(168, 200, 230, 64);
  Label14 = MakeLabel(this, "Label14", TabSheet2, 168, 296, "Contact:");
  Label15 = MakeLabel(this, "Label15", TabSheet2, 232, 296, kContactText);

  MakeLink(*Label8, [this](TComponent* sender) { Label8Click(sender); });
  MakeLink(*Label10, [this](TComponent* sender) { Label10Click(sender); });
  MakeLink(*Label12, [this](TComponent* sender) { Label12Click(sender); });
  MakeLink(*Label15, [this](TComponent* sender) { Label15Click(sender); });
}

void TForm1::Label8Click(TComponent*) {
  ShellOpen(Handle(), kHomepage);
}

void TForm1::Label10Click(TComponent*) {
  ShellOpen(Handle(), kSupportMail);
}

void TForm1::Label12Click(TComponent*) {
  ShellOpen(Handle(), kSolutionsPage);
}

void TForm1::Label15Click(TComponent*) {
  ShellOpen(Handle(), kContactMail);
}

}  // namespace quendrel

// The standard controls the main window uses, driven by the messages a user would cause.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/RenderToBitmap.h"
#include "toolkit/SpinEdit.h"

namespace quendrel::toolkit {
namespace {

class StandardControlsTest : public ::testing::Test {
protected:
  StandardControlsTest() : form_(new TForm(&owner_)) {
    form_->SetBorderStyle(bsNone);
    form_->SetBounds(40, 40, 320, 240);
    form_->SetColor(clWhite);
    form_->Show();
  }
  template <class T>
  T* Place(int left, int top, int width, int height) {
    auto* control = new T(&owner_);
    control->SetBounds(left, top, width, height);
    control->SetParent(form_);
    return control;
  }
  TComponent owner_{nullptr};
  TForm* form_;
};

TEST_F(StandardControlsTest, CheckListBoxTogglesOnTheBoxAndOnSpace) {
  auto* list = Place<TCheckListBox>(10, 10, 200, 120);
  list->SetItems({"Inbox", "Outbox", "Sent Items", "Deleted Items"});
  list->SetItemEnabled(3, false);
  struct Report {
    int index;
    bool checked;
  };
  std::vector<Report> reports;
  list->OnClickCheck = [&](TComponent*) { reports.push_back({list->ItemIndex(), list->Checked(list->ItemIndex())}); };
  const int h = list->ItemHeight();
  HWND hwnd = list->Handle();
  auto clickAt = [hwnd](int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  };
  struct Step {
    const char* what;
    int x;  // -1: press Space instead of clicking
    int item;
    bool reported;
    bool checkedAfter;
  } steps[] = {
      {"box of item 1", 5, 1, true, true},
      {"text of item 2 selects only", 80, 2, false, false},
      {"space toggles the selected item", -1, 2, true, true},
      {"space again unticks it", -1, 2, true, false},
      {"box of item 1 again unticks it", 8, 1, true, false},
      {"box of a disabled item", 5, 3, false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    reports.clear();
    if (step.x < 0) {
      SendMessageA(hwnd, WM_CHAR, ' ', 0);
    } else {
      clickAt(step.x, step.item * h + h / 2);
    }
    EXPECT_EQ(list->ItemIndex(), step.item);
    EXPECT_EQ(list->Checked(step.item), step.checkedAfter);
    ASSERT_EQ(reports.size(), step.reported ? 1u : 0u);
    if (step.reported) {
      EXPECT_EQ(reports[0].index, step.item);  // the clicked item is current when the event runs
      EXPECT_EQ(reports[0].checked, step.checkedAfter);  // and its state has already changed
    }
  }
  list->SetChecked(0, true);  // from code: no event
  EXPECT_TRUE(list->Checked(0));
  EXPECT_TRUE(reports.empty());
}

TEST_F(StandardControlsTest, SpinEditClampsStepsAndReportsRealChanges) {
  auto* spin = Place<TSpinEditInteger>(10, 10, 80, 21);
  int changes = 0;
  spin->OnChange = [&changes](TComponent*) { ++changes; };
  HWND hwnd = spin->Handle();
  auto key = [hwnd](WORD vk) { SendMessageA(hwnd, WM_KEYDOWN, vk, 0); };
  spin->SetMinValue(1);
  spin->SetMaxValue(60);
  EXPECT_EQ(spin->Value(), 1);  // 0 was below the new limits
  EXPECT_EQ(changes, 1);
  struct Case {
    const char* what;
    std::function<void()> act;
    int value;
    int changes;
  } cases[] = {
      {"program sets a value", [&] { spin->SetValue(2); }, 2, 1},
      {"program sets the same value", [&] { spin->SetValue(2); }, 2, 0},
      {"above the maximum", [&] { spin->SetValue(99); }, 60, 1},
      {"up at the maximum", [&] { key(VK_UP); }, 60, 0},
      {"down", [&] { key(VK_DOWN); }, 59, 1},
      {"page up and page down do nothing", [&] { key(VK_PRIOR); key(VK_NEXT); }, 59, 0},
      {"below the minimum", [&] { spin->SetValue(-5); }, 1, 1},
      {"typing does nothing", [&] { SendMessageA(hwnd, WM_CHAR, '7', 0); }, 1, 0},
      {"up button", [&] {
         const RECT up = spin->UpButtonRect();
         SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(up.left + 2, up.top + 2));
         SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(up.left + 2, up.top + 2));
       }, 2, 1},
      {"down button", [&] {
         const RECT down = spin->DownButtonRect();
         SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.left + 2, down.bottom - 2));
         SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(down.left + 2, down.bottom - 2));
       }, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    changes = 0;
    c.act();
    EXPECT_EQ(spin->Value(), c.value);
    EXPECT_EQ(changes, c.changes);
  }
  // Without limits, a step at the end of the integer range stops there instead of wrapping.
  spin->SetMinValue(0);
  spin->SetMaxValue(0);
  spin->SetValue(INT_MAX - 1);
  spin->SetIncrement(5);
  key(VK_UP);
  EXPECT_EQ(spin->Value(), INT_MAX);
}

TEST_F(StandardControlsTest, CheckBoxClicksFromUserAndProgram) {
  auto* box = Place<TCheckBox>(10, 10, 120, 17);
  box->SetCaption("Start with Windows");
  int clicks = 0;
  box->OnClick = [&clicks](TComponent*) { ++clicks; };
  SendMessageA(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 1);
  box->SetChecked(true);  // no change, no click
  EXPECT_EQ(clicks, 1);
  box->SetChecked(false);  // a change from code clicks too
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  box->BeginLoading();
  box->SetChecked(true);  // streamed values stay quiet
  box->EndLoading();
  EXPECT_EQ(clicks, 2);

  auto* button = Place<TButton>(10, 40, 75, 25);
  int pushes = 0;
  button->OnClick = [&pushes](TComponent*) { ++pushes; };
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(pushes, 1);
}

TEST_F(StandardControlsTest, TabMovesTheFocusInTabOrder) {
  auto* first = Place<TButton>(10, 10, 75, 25);
  auto* second = Place<TCheckBox>(10, 40, 100, 17);
  auto* third = Place<TSpinEditInteger>(10, 70, 60, 21);
  third->SetTabOrder(0);  // now: third, first, second
  auto* skipped = Place<TButton>(10, 100, 75, 25);
  skipped->SetTabStop(false);
  EXPECT_EQ(first->TabOrder(), 1);
  auto tab = [](bool backwards) {
    HWND focus = GetFocus();
    if (backwards) {
      BYTE keys[256];
      GetKeyboardState(keys);
      keys[VK_SHIFT] = 0x80;
      SetKeyboardState(keys);
    }
    PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0);
    Application.ProcessMessages();
    if (backwards) {
      BYTE keys[256];
      GetKeyboardState(keys);
      keys[VK_SHIFT] = 0;
      SetKeyboardState(keys);
    }
  };
  third->SetFocus();
  ASSERT_TRUE(third->Focused());
  tab(false);
  EXPECT_TRUE(first->Focused());
  tab(false);
  EXPECT_TRUE(second->Focused());
  tab(false);
  EXPECT_TRUE(third->Focused());  // round again, past the control that is no tab stop
  tab(true);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(form_->ActiveControl(), second);
}

TEST_F(StandardControlsTest, LabelSizesToItsTextAndPaintsIt) {
  auto* label = Place<TLabel>(20, 20, 10, 10);
  label->Font().SetColor(clRed);
  label->SetCaption("Check every");
  const int oneLine = label->Height();
  EXPECT_GT(label->Width(), 40);
  EXPECT_GT(oneLine, 8);
  label->SetCaption("&Check every");  // the accelerator mark takes no room
  const int withAccel = label->Width();
  label->SetShowAccelChar(false);
  EXPECT_GT(label->Width(), withAccel);

  auto* wrapped = Place<TLabel>(20, 60, 60, 10);
  wrapped->SetWordWrap(true);
  wrapped->SetWidth(60);  // an auto-sized label took the width of its (empty) text when placed
  wrapped->SetCaption("You got mail in Inbox and in Sent Items");
  EXPECT_EQ(wrapped->Width(), 60);
  EXPECT_GE(wrapped->Height(), 3 * oneLine);

  TBitmap picture;
  ASSERT_TRUE(RenderWindow(form_->Handle(), picture, TRenderMethod::kPaintWithDC));
  const RECT inside = label->BoundsRect();
  EXPECT_GT(CountPixels(picture, clRed, 60, &inside), 10);
  EXPECT_EQ(CountPixels(picture, clRed, 60), CountPixels(picture, clRed, 60, &inside));
}

TEST_F(StandardControlsTest, FormsOfControlsGiveBackTheirGdiObjects) {
  auto build = [this] {
    auto* form = new TForm(&owner_);
    form->SetBounds(60, 60, 300, 200);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("Label");
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    auto* list = new TCheckListBox(form);
    list->SetParent(form);
    list->SetItems({"a", "b"});
    auto* spin = new TSpinEditInteger(form);
    spin->SetParent(form);
    spin->SetTop(150);
    form->Show();
    Application.ProcessMessages();
    return form;
  };
  delete build();  // classes registered, stock objects made
  Application.ProcessMessages();
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 20; ++i) {
    TForm* form = build();
    form->Hide();
    form->Show();
    Application.ProcessMessages();
    delete form;
  }
  Application.ProcessMessages();
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace quendrel::toolkit

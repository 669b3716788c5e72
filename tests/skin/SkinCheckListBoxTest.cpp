// The skinned check list on a real window: glyph column, border, and ticking by mouse and keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "skin/SkinButton.h"
#include "skin/SkinCheckListBox.h"
#include "tests/support/Pump.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/RenderToBitmap.h"

namespace quendrel::skin {
namespace {

using namespace quendrel::toolkit;

struct ListWindow {
  ListWindow() {
    form = new TForm(&owner);
    form->SetBounds(100, 100, 400, 260);
    list = new TSkinCheckListBox(form);
    list->SetParent(form);
    list->SetBounds(16, 16, 369, 169);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetSize(10);
    list->SetFont(font);
    list->SetUIStyle(TSkinUIStyle::MacOS);
    for (const char* name : {"Inbox", "Work", "Lists"}) list->AddItem(name);
    list->OnClickCheck = [this](TComponent*) { ticks.push_back(list->ItemIndex()); };
    form->Show();
    SetForegroundWindow(form->Handle());
    list->SetFocus();
    test::PumpFor(50);
  }
  // The list's client area as the screen shows it (the system list box may not print).
  TBitmap Shot() {
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    TBitmap shot(list->Width(), list->Height());
    const WholeWindowDC dc(list->Handle());
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), dc.Get(), 0, 0, SRCCOPY);
    shot.Flush();
    return shot;
  }
  TComponent owner{nullptr};
  TForm* form = nullptr;
  TSkinCheckListBox* list = nullptr;
  std::vector<int> ticks;
};

TEST(SkinCheckListBox, GlyphColumnAndBorderFollowTheStyle) {
  ListWindow w;
  EXPECT_EQ(w.list->BorderColor(), 0x7F7F7F);  // the MacOS control border
  w.list->SetChecked(0, true);
  w.list->SetItemEnabled(2, false);
  const TBitmap shot = w.Shot();
  EXPECT_EQ(PixelAt(shot, 0, 0), 0x7F7F7F);
  EXPECT_EQ(PixelAt(shot, shot.Width() - 1, shot.Height() / 2), 0x7F7F7F);
  const struct {
    int item;
    int frame;
  } cases[] = {{0, 1}, {1, 2}, {2, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    TBitmap frame;
    ASSERT_TRUE(LoadStateFrame(nullptr, TSkinUIStyle::MacOS, keys::CheckListBoxImage, 4, c.frame, frame));
    ASSERT_EQ(frame.Width(), 10);
    const RECT item = w.list->ItemRect(c.item);
    const POINT at = w.list->GlyphOrigin(item, frame.Height());
    EXPECT_EQ(at.y - item.top, (16 - 11) / 2);  // item height 16, "W" 16 high
    int wrong = 0;
    // +1: the client area starts inside the one-pixel border.
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x)
        wrong += !NearColor(PixelAt(shot, 1 + at.x + x, 1 + at.y + y), PixelAt(frame, x, y), 2);
    EXPECT_EQ(wrong, 0);
  }
}

TEST(SkinCheckListBox, MouseSpaceAndArrowsTickAndMove) {
  ListWindow w;
  HWND h = w.list->Handle();
  const RECT second = w.list->ItemRect(1);
  const LPARAM onBox = MAKELPARAM(second.left + 5, second.top + 5);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, onBox);
  SendMessageA(h, WM_LBUTTONUP, 0, onBox);
  EXPECT_TRUE(w.list->Checked(1));
  // A click on the text selects without ticking.
  const LPARAM onText = MAKELPARAM(second.left + 120, w.list->ItemRect(0).top + 5);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, onText);
  SendMessageA(h, WM_LBUTTONUP, 0, onText);
  EXPECT_EQ(w.list->ItemIndex(), 0);
  EXPECT_FALSE(w.list->Checked(0));

  SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(w.list->ItemIndex(), 2);
  SendMessageA(h, WM_CHAR, ' ', 0);
  EXPECT_TRUE(w.list->Checked(2));
  SendMessageA(h, WM_KEYDOWN, VK_UP, 0);
  SendMessageA(h, WM_CHAR, ' ', 0);
  EXPECT_FALSE(w.list->Checked(1));
  EXPECT_EQ(w.ticks, (std::vector<int>{1, 2, 1}));

  w.list->SetEnabled(false);
  SendMessageA(h, WM_CHAR, ' ', 0);
  EXPECT_EQ(w.ticks.size(), 3u);
}

}  // namespace
}  // namespace quendrel::skin

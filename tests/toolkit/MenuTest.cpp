// Popup menus: flags, shortcut texts, owner drawing and click dispatch. The menu loop is ended from
// a window timer (thread timers without a window do not fire inside TrackPopupMenu under Wine).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"
#include "toolkit/RenderToBitmap.h"

namespace quendrel::toolkit {
namespace {

TEST(Menu, ShortCutTexts) {
  struct Case {
    TShortCut shortCut;
    const char* text;
  };
  const Case cases[] = {
      {0, ""},
      {ShortCut('S', scCtrl), "Ctrl+S"},
      {ShortCut(VK_F5, 0), "F5"},
      {ShortCut(VK_DELETE, scShift | scCtrl), "Shift+Ctrl+Del"},
      {ShortCut('4', scAlt), "Alt+4"},
      {ShortCut(VK_RETURN, 0), "Enter"},
  };
  for (const Case& c : cases)
    if (ShortCutToText(c.shortCut) != c.text)
      ADD_FAILURE() << std::hex << c.shortCut << " gives \"" << ShortCutToText(c.shortCut) << "\", expected \""
                    << c.text << "\"";
  EXPECT_EQ(AcceleratorOf("E&xit"), 'x');
  EXPECT_EQ(AcceleratorOf("Save && &Quit"), 'Q');
  EXPECT_EQ(AcceleratorOf("Plain"), 0);
  EXPECT_EQ(AcceleratorOf("Trailing&"), 0);
}

TEST(Menu, TrackFlagsCombineAlignmentButtonAndAnimation) {
  struct Case {
    TPopupAlignment alignment;
    TTrackButton button;
    TMenuAnimations animation;
    UINT flags;
  };
  const Case cases[] = {
      {paLeft, tbRightButton, 0, TPM_LEFTALIGN | TPM_RIGHTBUTTON},
      {paRight, tbLeftButton, maBottomToTop, TPM_RIGHTALIGN | TPM_VERNEGANIMATION},
      {paCenter, tbLeftButton, maLeftToRight | maTopToBottom, TPM_CENTERALIGN | 0x0400 | 0x1000},
      {paLeft, tbLeftButton, maRightToLeft, 0x0800},
      {paLeft, tbLeftButton, maNone, TPM_NOANIMATION},
  };
  TPopupMenu menu(nullptr);
  for (const Case& c : cases) {
    menu.SetAlignment(c.alignment);
    menu.SetTrackButton(c.button);
    menu.SetMenuAnimation(c.animation);
    if (menu.TrackFlags() != c.flags)
      ADD_FAILURE() << "flags " << std::hex << menu.TrackFlags() << ", expected " << c.flags;
  }
}

TEST(Menu, ItemTreeAndOwnership) {
  TComponent form(nullptr);
  TPopupMenu* menu = new TPopupMenu(&form);
  auto* file = new TMenuItem(&form);
  auto* open = new TMenuItem(&form);
  auto* quit = new TMenuItem(&form);
  menu->Items().Add(file);
  file->Add(open);
  menu->Items().Add(quit);
  EXPECT_EQ(open->GetParentMenu(), menu);
  file->Add(file);  // not below itself
  open->Add(file);  // nor below its own child
  EXPECT_EQ(file->Parent(), &menu->Items());
  menu->Items().Insert(0, quit);  // moves
  EXPECT_EQ(menu->Items().IndexOf(quit), 0);
  EXPECT_EQ(menu->Items().Count(), 2);

  delete file;  // takes its sub-item along and leaves the owner
  EXPECT_EQ(menu->Items().Count(), 1);
  EXPECT_EQ(form.ComponentCount(), 2);  // menu and quit

  auto* images = new TImageList(&form);
  menu->SetImages(images);
  delete images;
  EXPECT_EQ(menu->Images(), nullptr);
}

// Runs `action` from a window timer while a menu is being tracked.
class MenuDriver {
 public:
  MenuDriver(HWND window, std::function<void(int tick)> action) : window_(window), action_(std::move(action)) {
    Current() = this;
    SetTimer(window_, kTimerId, 100, &MenuDriver::Tick);
  }
  ~MenuDriver() {
    KillTimer(window_, kTimerId);
    Current() = nullptr;
  }

 private:
  static constexpr UINT_PTR kTimerId = 0x5151;
  static MenuDriver*& Current() {
    static MenuDriver* current = nullptr;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (MenuDriver* self = Current()) self->action_(++self->ticks_);
  }
  HWND window_;
  std::function<void(int)> action_;
  int ticks_ = 0;
};

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct OwnerDrawMenu {
  OwnerDrawMenu() {
    menu.SetOwnerDraw(true);
    for (const char* caption : {"Start", "-", "Hidden", "Quit"}) {
      auto* item = new TMenuItem(&owner);
      item->SetCaption(caption);
      item->OnMeasureItem = [this](TMenuItem* sender, TCanvas& canvas, int& width, int& height) {
        measured.push_back(sender->Caption());
        width = canvas.TextWidth(sender->Caption()) + 66;
        height = sender->IsLine() ? 5 : 21;
      };
      item->OnDrawItem = [this](TMenuItem* sender, TCanvas& canvas, const RECT& rect, bool) {
        drawn[sender->Caption()] = rect;
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect(rect);
      };
      item->OnClick = [this](TComponent* sender) { clicked.push_back(static_cast<TMenuItem*>(sender)->Caption()); };
      menu.Items().Add(item);
    }
    menu.Items().Items(2)->SetVisible(false);
  }
  TComponent owner{nullptr};
  TPopupMenu menu{&owner};
  std::vector<std::string> measured;
  std::map<std::string, RECT> drawn;
  std::vector<std::string> clicked;
};

TEST(Menu, OwnerDrawnItemsAreMeasuredAndDrawnThroughTheirEvents) {
  OwnerDrawMenu m;
  int popups = 0;
  m.menu.OnPopup = [&](TComponent*) { ++popups; };
  {
    MenuDriver driver(m.menu.WindowHandle(), [](int tick) {
      if (tick >= 3) EndMenu();
    });
    m.menu.Popup(100, 100);
  }
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(m.measured, (std::vector<std::string>{"Start", "-", "Quit"}));
  ASSERT_EQ(m.drawn.count("Start"), 1u);
  ASSERT_EQ(m.drawn.count("Quit"), 1u);
  EXPECT_EQ(m.drawn.count("Hidden"), 0u);
  const RECT start = m.drawn["Start"], quit = m.drawn["Quit"];
  EXPECT_EQ(start.bottom - start.top, 21);
  EXPECT_EQ(quit.top - start.bottom, 5);  // the separator's height in between
  EXPECT_TRUE(m.clicked.empty());
}

TEST(Menu, AChosenItemIsClickedAfterPopupReturns) {
  OwnerDrawMenu m;
  {
    MenuDriver driver(m.menu.WindowHandle(), [](int tick) {
      HWND menuWindow = FindWindowA("#32768", nullptr);
      if (tick == 2 && menuWindow) {
        // Down to "Start", down over the separator (the hidden item is not in the menu) to "Quit".
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
      }
      if (tick >= 10) EndMenu();  // a safety net when the keys are not taken
    });
    m.menu.Popup(100, 100);
  }
  PumpMessages();
  EXPECT_EQ(m.clicked, std::vector<std::string>{"Quit"});
}

TEST(Menu, TheAcceleratorOfAnOwnerDrawnCaptionChoosesItsItem) {
  OwnerDrawMenu m;
  m.menu.Items().Items(3)->SetCaption("&Quit");
  {
    MenuDriver driver(m.menu.WindowHandle(), [](int tick) {
      HWND menuWindow = FindWindowA("#32768", nullptr);
      if (tick == 2 && menuWindow) PostMessageA(menuWindow, WM_CHAR, 'q', 0);
      if (tick >= 10) EndMenu();
    });
    m.menu.Popup(100, 100);
  }
  PumpMessages();
  EXPECT_EQ(m.clicked, std::vector<std::string>{"&Quit"});
}

// A menu whose first item shows the red image of its image list.
struct ImageMenu {
  ImageMenu() {
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect(RECT{0, 0, 16, 16});
    images.Add(red);
    menu.SetImages(&images);
    for (const char* caption : {"Start", "Quit"}) {
      auto* item = new TMenuItem(&owner);
      item->SetCaption(caption);
      menu.Items().Add(item);
    }
    menu.Items().Items(0)->SetImageIndex(0);
  }
  TComponent owner{nullptr};
  TImageList images{&owner};
  TPopupMenu menu{&owner};
};

TEST(Menu, APoppedUpMenuHasTheForegroundShowsItemImagesAndIsFollowedByANullMessage) {
  ImageMenu m;
  bool foreground = false;
  std::vector<bool> itemBitmaps;
  {
    MenuDriver driver(m.menu.WindowHandle(), [&](int tick) {
      HWND menuWindow = FindWindowA("#32768", nullptr);
      if (tick == 2 && menuWindow) {
        foreground = GetForegroundWindow() == m.menu.WindowHandle();
        HMENU shown = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        for (UINT i = 0; i < 2; ++i) {
          MENUITEMINFOA info{};
          info.cbSize = sizeof(info);
          info.fMask = MIIM_BITMAP;
          GetMenuItemInfoA(shown, i, TRUE, &info);
          itemBitmaps.push_back(info.hbmpItem != nullptr);
        }
      }
      if (tick >= 3) EndMenu();
    });
    m.menu.Popup(100, 100);
  }
  EXPECT_TRUE(foreground);
  EXPECT_EQ(itemBitmaps, (std::vector<bool>{true, false}));
  // Without it a menu opened from the notification area opens only every second time.
  MSG null;
  EXPECT_TRUE(PeekMessageA(&null, m.menu.WindowHandle(), WM_NULL, WM_NULL, PM_REMOVE));
  PumpMessages();
}

TEST(Menu, OwnerDrawnItemsWithoutDrawEventsShowTheirImage) {
  ImageMenu m;
  m.menu.SetOwnerDraw(true);
  TBitmap canvas;
  canvas.SetPixelFormat(TPixelFormat::pf24bit);
  canvas.SetSize(100, 22);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    canvas.Canvas().Brush().SetColor(clWhite);
    canvas.Canvas().FillRect(RECT{0, 0, 100, 22});
    m.menu.Items().Items(i)->DrawItem(canvas.Canvas(), RECT{0, 0, 100, 22}, false);
    canvas.Flush();
    EXPECT_EQ(CountPixels(canvas, clRed), i == 0 ? 256 : 0);
  }
}

}  // namespace
}  // namespace quendrel::toolkit

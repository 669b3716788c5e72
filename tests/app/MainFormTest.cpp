// The window as the user sees it: frame, layout, texts, fonts, and its pixels.
#include <gtest/gtest.h>

#include <vector>

#include "app/ProgramGlobals.h"
#include "app/ShellOpen.h"
#include "skin/SkinPageControl.h"
#include "skin/SkinTabControl.h"
#include "tests/app/AppFixture.h"
#include "tests/support/Pump.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/RenderToBitmap.h"
#include "toolkit/SpinEdit.h"
#include "tools/theme/ThemeFolder.h"

namespace quendrel::test {
namespace {

using namespace toolkit;

class MainFormTest : public AppTest {};

TEST_F(MainFormTest, WindowFrame) {
  TForm1& form = Launch();
  EXPECT_EQ(form.Caption(), "Quendrel");
  EXPECT_EQ(form.BorderStyle(), bsDialog);
  EXPECT_EQ(form.Position(), poScreenCenter);
  EXPECT_EQ(form.Font().Name(), "MS Sans Serif");
  EXPECT_EQ(form.Font().Size(), 8);
  form.Show();
  EXPECT_EQ(form.ClientWidth(), 564);
  EXPECT_EQ(form.ClientHeight(), 521);
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NE(SendMessageA(form.Handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(form.ImageList1->Count(), 4);
}

// "×" and "–" must read on the blue title in every look: a light sign inside a dark outline.
TEST_F(MainFormTest, TitleBarSignsAreLightWithADarkOutline) {
  TForm1& form = Launch();
  skin::TSkinTitleBar& bar = form.skinForm1->TitleBar();
  for (int index : {1, 3}) {
    skin::TSkinTitleBarButton& b = bar.Buttons(index);
    for (const TBitmap* pic : {&b.PicNormal, &b.PicMouseOn, &b.PicMouseDown}) {
      ASSERT_EQ(pic->Width(), 19);
      EXPECT_GE(CountPixels(*pic, clWhite, 0x18), 8) << index;
      EXPECT_GE(CountPixels(*pic, 0x501814, 0x18), 8) << index;
    }
  }
}

// A real press on the title bar's empty part, a move and a release (queued like a hand's input):
// the platform's move loop takes the window along by the distance the pointer went.
TEST_F(MainFormTest, DraggingTheTitleBarMovesTheWindow) {
  TForm1& form = Launch();
  form.Show();
  SetForegroundWindow(form.Handle());
  PumpFor(200);
  RECT before{};
  GetWindowRect(form.Handle(), &before);
  skin::TSkinTitleBar& bar = form.skinForm1->TitleBar();
  const POINT grip = bar.ClientToScreen(POINT{150, bar.Height() / 2});
  constexpr int kDx = 37, kDy = 23, kSteps = 4;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const auto at = [&](int x, int y, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + sw - 1) / sw;  // the first normalised value that lands on pixel x
    in.mi.dy = (y * 65536 + sh - 1) / sh;
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
  };
  std::vector<INPUT> inputs{at(grip.x, grip.y, 0), at(grip.x, grip.y, MOUSEEVENTF_LEFTDOWN)};
  for (int i = 1; i <= kSteps; ++i) inputs.push_back(at(grip.x + kDx * i / kSteps, grip.y + kDy * i / kSteps, 0));
  inputs.push_back(at(grip.x + kDx, grip.y + kDy, MOUSEEVENTF_LEFTUP));
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
  RECT after = before;
  PumpUntil([&] {
    GetWindowRect(form.Handle(), &after);
    return after.left != before.left || after.top != before.top;
  });
  PumpFor(100);
  GetWindowRect(form.Handle(), &after);
  POINT pointer{};
  GetCursorPos(&pointer);
  EXPECT_NEAR(pointer.x - grip.x, kDx, 1);
  EXPECT_NEAR(pointer.y - grip.y, kDy, 1);
  EXPECT_EQ(after.left - before.left, pointer.x - grip.x);
  EXPECT_EQ(after.top - before.top, pointer.y - grip.y);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MainFormTest, SettingPageLayoutAndTexts) {
  TForm1& form = Launch();
  const struct {
    TControl* control;
    TWinControl* parent;
    int left, top, width, height;  // 0: sized by the control itself
    const char* text;
  } layout[] = {
      {form.Image2, form.skinForm1, 0, 28, 453, 50, ""},
      {form.PageControl1, form.skinForm1, 8, 72, 545, 441, nullptr},
      {form.Checkalwayssound, form.TabSheet1, 16, 24, 0, 0, "Permits play sound when  alerts."},
      {form.Checkalwaysoe, form.TabSheet1, 16, 48, 0, 0, "Outlook Express always run at every check."},
      {form.Checkstartwork, form.TabSheet1, 16, 72, 0, 0,
       "When I log in the computer,please  automically launch the software."},
      {form.Checkalwaysalert, form.TabSheet1, 16, 96, 0, 0,
       "Alerts me as long as I have unread messages in my mailboxs."},
      {form.checkalwaysreceive, form.TabSheet1, 16, 120, 0, 0, "Automatically receive my email."},
      {form.Checkhideoe, form.TabSheet1, 16, 144, 0, 0, "Hide Outlook Express"},
      {form.Label2, form.TabSheet1, 16, 169, 0, 0, "Every"},
      {form.Checkchecktime, form.TabSheet1, 72, 168, 46, 23, nullptr},
      {form.Label4, form.TabSheet1, 128, 168, 0, 0, "minutes checks my mailbox of Outlook Express."},
      {form.Label5, form.TabSheet1, 16, 192, 0, 0, "Choose your favored mailboxs for alerts"},
      {form.CheckBox, form.TabSheet1, 16, 224, 369, 169, nullptr},
      {form.Button1, form.TabSheet1, 416, 224, 73, 25, "Start"},
      {form.Button2, form.TabSheet1, 416, 272, 73, 25, "Stop"},
      {form.Button3, form.TabSheet1, 416, 320, 73, 25, "Help"},
      {form.Button4, form.TabSheet1, 416, 368, 73, 25, "Exit"},
  };
  for (const auto& c : layout) {
    SCOPED_TRACE(c.control->Name());
    EXPECT_EQ(c.control->Parent(), c.parent);
    EXPECT_EQ(c.control->Left(), c.left);
    EXPECT_EQ(c.control->Top(), c.top);
    if (c.width != 0) {
      EXPECT_EQ(c.control->Width(), c.width);
      EXPECT_EQ(c.control->Height(), c.height);
    }
    if (c.text != nullptr) {
      EXPECT_EQ(c.control->Caption(), c.text);
    }
    if (c.parent == form.TabSheet1 && c.width == 0) {
      EXPECT_EQ(c.control->Font().Name(), "MS Sans Serif");
      EXPECT_EQ(c.control->Font().Size(), 10);
    }
  }
  for (TControl* hand : {static_cast<TControl*>(form.Image2), static_cast<TControl*>(form.Button1),
                         static_cast<TControl*>(form.Button4)}) {
    EXPECT_EQ(hand->Cursor(), crHandPoint) << hand->Name();
  }

  const std::vector<TWinControl*> expectedOrder = {form.CheckBox,
                                                   form.Checkalwayssound,
                                                   form.Checkalwaysoe,
                                                   form.Checkstartwork,
                                                   form.Checkalwaysalert,
                                                   form.Checkchecktime,
                                                   form.Button1,
                                                   form.Button2,
                                                   form.Button3,
                                                   form.Button4,
                                                   form.checkalwaysreceive,
                                                   form.Checkhideoe};
  EXPECT_EQ(form.TabSheet1->TabList(), expectedOrder);

  // The two pages under their tabs, the first one active and the other one disabled.
  skin::TSkinPageControl& pages = *form.PageControl1;
  EXPECT_EQ(pages.UIStyle(), skin::TSkinUIStyle::MacOS);
  EXPECT_EQ(pages.LeftMargin(), 10);
  ASSERT_EQ(pages.PageCount(), 2);
  EXPECT_EQ(pages.Pages(0), form.TabSheet1);
  EXPECT_EQ(pages.Pages(1), form.TabSheet2);
  EXPECT_EQ(form.TabSheet1->Caption(), "Setting");
  EXPECT_EQ(form.TabSheet2->Caption(), "About");
  EXPECT_EQ(pages.ActivePage(), form.TabSheet1);
  EXPECT_FALSE(form.TabSheet2->Enabled());
  const RECT page = form.TabSheet1->BoundsRect();
  EXPECT_EQ(page.left, 3);
  EXPECT_EQ(page.top, 37);
  EXPECT_EQ(page.right - page.left, 539);
  EXPECT_EQ(page.bottom - page.top, 401);
}

TEST_F(MainFormTest, HelpFileSitsBesideTheProgram) {
  EXPECT_EQ(HelpFilePathIn("C:\\Program Files\\Quendrel\\quendrel.exe"),
            "C:\\Program Files\\Quendrel\\quendrelhelp.chm");
  const std::string path = HelpFilePath();
  EXPECT_NE(path.find("\\quendrelhelp.chm"), std::string::npos) << path;
}

// The client area as the screen shows it: system controls (check boxes, the list's frame) do not
// all paint into a print DC under Wine, so the page is copied from the screen.
bool ScreenShot(TForm1& form, TBitmap& shot) {
  const RECT client = form.ClientRect();
  POINT origin{0, 0};
  ClientToScreen(form.Handle(), &origin);
  return CopyScreen({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom}, shot);
}

TEST_F(MainFormTest, SettingPagePixels) {
  QuietMailClient();
  WriteFolder("Inbox.dbx", {});
  TForm1& form = Launch();
  form.Show();
  SetForegroundWindow(form.Handle());
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application.ProcessMessages();

  TBitmap shot;
  ASSERT_TRUE(ScreenShot(form, shot));
  // The banner is a picture, not the body colour.
  const RECT banner{0, 28, 453, 78};
  EXPECT_LT(CountPixels(shot, 0x00E7E7E7, 4, &banner), 453 * 50 / 2);
  // The folder list: a frame darker than the page around a white inside, holding the item's text.
  const POINT list{8 + 3 + 16, 72 + 37 + 224};
  const TColor frame = PixelAt(shot, list.x, list.y + 80);
  EXPECT_FALSE(NearColor(frame, 0x00E7E7E7, 24)) << std::hex << frame;
  EXPECT_FALSE(NearColor(frame, clWhite, 24)) << std::hex << frame;
  EXPECT_TRUE(NearColor(PixelAt(shot, list.x + 200, list.y + 150), clWhite, 8));
  const RECT firstItem{list.x + 2, list.y + 2, list.x + 200, list.y + 18};
  EXPECT_GT(CountPixels(shot, clBlack, 80, &firstItem), 10);
  // The boxes the defaults tick (alwayssound, alwaysalert) show the style's blue ticked glyph,
  // the others a plain one.
  const auto blueInBox = [&](int top) {
    const RECT box{8 + 3 + 16, 72 + 37 + top, 8 + 3 + 16 + 16, 72 + 37 + top + 22};
    return CountPixels(shot, 0xCC8855, 48, &box);
  };
  const int unticked = blueInBox(72);  // startwork
  EXPECT_GT(blueInBox(24), unticked + 20);
  EXPECT_GT(blueInBox(96), unticked + 20);
}

// The whole window, frame included, as the screen shows it after a full repaint.
TBitmap WindowShot(TForm1& form) {
  RedrawWindow(form.Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(100);
  form.skinForm1->PaintFrame();
  TBitmap shot;
  EXPECT_TRUE(RenderWholeWindow(form.Handle(), shot, true));
  return shot;
}

// A theme file compiled from a built-in style draws the window as the style does: frame, title
// bar, tab strip, a button, a check box and the folder list, pixel for pixel. Only the backgrounds
// may differ: a theme file has neither the styles' body tiles nor WinXP's white page.
TEST_F(MainFormTest, ThemeFileCompiledFromAStyleDrawsTheWindow) {
  QuietMailClient();
  WriteFolder("Inbox.dbx", {});
  ScratchDir dir("theme");
  TForm1& form = Launch();
  form.Show();
  SetForegroundWindow(form.Handle());
  PumpFor(150);
  const TBitmap own = WindowShot(form);

  RECT window;
  GetWindowRect(form.Handle(), &window);
  const auto inWindow = [&](TWinControl& c, int width = 0, int height = 0) {
    RECT r;
    GetWindowRect(c.Handle(), &r);
    OffsetRect(&r, -window.left, -window.top);
    if (width > 0) r.right = r.left + width;
    if (height > 0) r.bottom = r.top + height;
    return r;
  };
  POINT body{0, 0};  // where the skinned body's tile starts, in window coordinates
  ClientToScreen(form.skinForm1->Handle(), &body);
  body = {body.x - window.left, body.y - window.top};

  for (const skin::TSkinUIStyle style : {skin::TSkinUIStyle::WinXP, skin::TSkinUIStyle::MacOS}) {
    const int s = static_cast<int>(style);
    const std::string name = "style" + std::to_string(s);
    theme::ExportBuiltinStyle(style, QUENDREL_SKIN_ART_DIR, dir.Path() / name);
    const std::string path = dir.File(name + ".qst");
    WriteFile(path, theme::BuildThemeFile(dir.Path() / name));

    form.SetSkinStyle(style);
    const TBitmap builtIn = WindowShot(form);
    const TColor builtInBody = form.skinForm1->Color(), builtInPage = form.PageControl1->Color();
    TBitmap tile;
    if (style == skin::TSkinUIStyle::MacOS) {
      ASSERT_TRUE(tile.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_FORM_BACKGROUND"));
    }
    const int bar = form.skinForm1->TitleBar().Height();
    form.UseThemeFile(path);
    ASSERT_TRUE(form.FileTheme1->Valid()) << path;
    const TBitmap fromFile = WindowShot(form);
    const TColor fileBody = form.skinForm1->Color(), filePage = form.PageControl1->Color();
    ASSERT_EQ(fromFile.Width(), builtIn.Width());
    ASSERT_EQ(fromFile.Height(), builtIn.Height());
    const int w = builtIn.Width(), h = builtIn.Height();

    const auto background = [&](int x, int y) {
      const TColor b = builtIn.PixelColor(x, y), f = fromFile.PixelColor(x, y);
      if (f != fileBody && f != filePage) return false;
      if (b == builtInBody || b == builtInPage) return true;
      return !tile.Empty() && b == tile.PixelColor((x - body.x) % tile.Width(), (y - body.y) % tile.Height());
    };
    skin::TSkinTabControlTopPanel& strip = form.PageControl1->Strip();
    const struct {
      const char* part;
      RECT area;
    } parts[] = {
        {"title bar", {0, 0, w, bar + 3}},
        {"left rim", {0, 0, 3, h}},
        {"right rim", {w - 3, 0, w, h}},
        {"bottom rim", {0, h - 3, w, h}},
        {"tab strip", inWindow(strip, strip.TabRect(1).right, strip.StripHeight())},
        {"button", inWindow(*form.Button1)},
        {"check box", inWindow(*form.Checkalwayssound)},
        {"folder list", inWindow(*form.CheckBox)},
    };
    int changed = 0;
    for (const auto& p : parts) {
      int differing = 0;
      POINT first{-1, -1};
      for (int y = p.area.top; y < p.area.bottom; ++y)
        for (int x = p.area.left; x < p.area.right; ++x) {
          if (own.PixelColor(x, y) != builtIn.PixelColor(x, y)) ++changed;
          if (fromFile.PixelColor(x, y) == builtIn.PixelColor(x, y) || background(x, y)) continue;
          if (differing++ == 0) first = {x, y};
        }
      EXPECT_EQ(differing, 0) << "style " << s << ", " << p.part << ", first at " << first.x << "," << first.y
                              << ": " << std::hex << builtIn.PixelColor(first.x, first.y) << " built in, "
                              << fromFile.PixelColor(first.x, first.y) << " from the file";
    }
    EXPECT_GT(changed, 2000) << "style " << s << " looks like the window's own mix";
  }
}

TEST_F(MainFormTest, AboutPageFromTheTrayMenuKeepsTheRunState) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Start1->Click();
  ASSERT_FALSE(form.Visible());

  form.About1->Click();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.ActivePageIndex(), 1);
  EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet2);
  EXPECT_TRUE(form.TabSheet2->Enabled());
  EXPECT_FALSE(form.TabSheet1->Enabled() || form.TabSheet1->Visible());
  EXPECT_TRUE(Working);
  Application.ProcessMessages();

  TBitmap shot;
  ASSERT_TRUE(ScreenShot(form, shot));
  const POINT page{8 + 3, 72 + 37};
  const RECT art{page.x, page.y + 8, page.x + 153, page.y + 8 + 177};
  EXPECT_LT(CountPixels(shot, 0x00E7E7E7, 4, &art), 153 * 177 / 2);
  const RECT homepage{page.x + 240, page.y + 88, page.x + 420, page.y + 106};
  EXPECT_GT(CountPixels(shot, clBlue, 60, &homepage), 20);

  form.Setting1->Click();
  EXPECT_EQ(form.ActivePageIndex(), 0);
  EXPECT_FALSE(Working);
}

}  // namespace
}  // namespace quendrel::test

// The skin's costs on the main window under Wine: painting the skinned frame (the non-client
// message) and a full repaint; live GDI objects after 1,000 repaints and after 100 style switches;
// switching pages and repainting the page control;
// loading a theme file that holds every key and drawing the window from it. Settings go into a
// scratch key that stands in for HKEY_CURRENT_USER.
//   skin_bench [ART_DIR]   ART_DIR: the skin's bitmaps (skin/art) for the theme file; default: the
//                          art folder of the source tree this was built from
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/MainForm.h"
#include "app/ProgramGlobals.h"
#include "skin/SkinFileTheme.h"
#include "skin/SkinForm.h"
#include "skin/SkinPageControl.h"
#include "tests/support/PrivateRegistry.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "tools/theme/ThemeFolder.h"

namespace {

using namespace quendrel;
using Clock = std::chrono::steady_clock;
using skin::TSkinUIStyle;

double UsSince(Clock::time_point start, int rounds) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;
}

void Pump() {
  for (int i = 0; i < 10; ++i) {
    toolkit::Application.ProcessMessages();
    Sleep(10);
  }
}

void FullRepaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path art = argc > 1 ? argv[1] : QUENDREL_SKIN_ART_DIR;
  quendrel::test::PrivateCurrentUser privateHkcu;
  toolkit::Application.Initialize();
  toolkit::Application.CreateForm(Form1);
  TForm1& form = *Form1;
  form.Show();
  SetForegroundWindow(form.Handle());
  Pump();
  const HWND window = form.Handle();
  skin::TSkinForm& skinForm = *form.skinForm1;

  constexpr int kFrames = 1000, kRepaints = 1000, kSwitches = 100;
  auto start = Clock::now();
  for (int i = 0; i < kFrames; ++i) SendMessageA(window, WM_NCPAINT, 1, 0);
  std::printf("skinned frame (WM_NCPAINT), main window %dx%d: %.1f us\n", form.Width(), form.Height(),
              UsSince(start, kFrames));

  const DWORD gdiStart = toolkit::GdiObjectCount();
  start = Clock::now();
  for (int i = 0; i < kRepaints; ++i) FullRepaint(window);
  std::printf("full repaint (frame, title bar, every control): %.0f us\n", UsSince(start, kRepaints));
  Pump();
  const DWORD gdiRepaints = toolkit::GdiObjectCount();

  // Two rounds of switches: a first-time cost (a bitmap loaded on first use) shows in the first only.
  DWORD gdiSwitches[2] = {};
  double switchUs = 0;
  for (DWORD& count : gdiSwitches) {
    start = Clock::now();
    for (int i = 0; i < kSwitches; ++i) {
      const auto style = static_cast<TSkinUIStyle>(1 + i % 5);
      skinForm.SetUIStyle(style);
      form.PopupMenu1->SetUIStyle(style);
    }
    switchUs = UsSince(start, kSwitches);
    skinForm.SetUIStyle(TSkinUIStyle::MacOS);
    form.PopupMenu1->SetUIStyle(TSkinUIStyle::WinXP);
    FullRepaint(window);
    Pump();
    count = toolkit::GdiObjectCount();
  }
  std::printf("style switch (frame and tray menu): %.0f us\n", switchUs);
  std::printf("GDI objects: %lu at start, %lu after %d repaints, %lu after %d style switches, %lu after %d more\n",
              static_cast<unsigned long>(gdiStart), static_cast<unsigned long>(gdiRepaints), kRepaints,
              static_cast<unsigned long>(gdiSwitches[0]), kSwitches, static_cast<unsigned long>(gdiSwitches[1]),
              kSwitches);

  // Where a full repaint's time goes: the skinned client area alone, the title bar alone.
  const auto repaintOnly = [](HWND w) {
    const auto t = Clock::now();
    for (int i = 0; i < 100; ++i) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    return UsSince(t, 100);
  };
  std::printf("of which skinned client area %.0f us, title bar %.0f us\n", repaintOnly(skinForm.Handle()),
              repaintOnly(skinForm.TitleBar().Handle()));

  // Switching between the two pages as the tabs do, and the page control's repaint alone.
  skin::TSkinPageControl& pages = *form.PageControl1;
  constexpr int kPageSwitches = 1000;
  const DWORD gdiPages = toolkit::GdiObjectCount();
  // Two rounds again: the first showing of the other page makes what its controls keep.
  DWORD gdiAfterPages[2] = {};
  double pageUs = 0;
  for (DWORD& count : gdiAfterPages) {
    start = Clock::now();
    for (int i = 0; i < kPageSwitches; ++i) {
      pages.SetActivePage(pages.Pages((i + 1) % 2));
      UpdateWindow(window);
    }
    pageUs = UsSince(start, kPageSwitches);
    Pump();
    count = toolkit::GdiObjectCount();
  }
  start = Clock::now();
  for (int i = 0; i < 100; ++i)
    RedrawWindow(pages.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  std::printf("page switch (Setting <-> About, painted): %.0f us; page control repaint %.0f us; GDI objects %lu, "
              "%lu after %d switches, %lu after %d more\n",
              pageUs, UsSince(start, 100), static_cast<unsigned long>(gdiPages),
              static_cast<unsigned long>(gdiAfterPages[0]), kPageSwitches,
              static_cast<unsigned long>(gdiAfterPages[1]), kPageSwitches);
  pages.SetActivePage(pages.Pages(0));

  // A theme file with every key: the MacOS style's values and art, written as quendrel-theme does.
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::filesystem::path dir = std::filesystem::path(temp) / "quendrel-skin-bench";
  std::filesystem::remove_all(dir);
  theme::ExportBuiltinStyle(TSkinUIStyle::MacOS, art, dir / "folder");
  const std::string bytes = theme::BuildThemeFile(dir / "folder");
  // Two copies: setting the same file name again does nothing.
  const std::string files[2] = {(dir / "a.qst").string(), (dir / "b.qst").string()};
  for (const std::string& f : files) std::ofstream(f, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  skin::TSkinFileTheme theme(nullptr);
  constexpr int kLoads = 200;
  start = Clock::now();
  for (int i = 0; i < kLoads; ++i) theme.SetThemeFile(files[i % 2]);
  const double loadUs = UsSince(start, kLoads);
  start = Clock::now();
  skinForm.SetFileTheme(&theme);
  skinForm.SetUIStyle(TSkinUIStyle::FromThemeFile);
  FullRepaint(window);
  const double applyUs = UsSince(start, 1);
  std::printf("theme file with every key (%zu bytes): loaded in %.0f us; frame restyled from it and window repainted in %.0f us (valid %d)\n",
              bytes.size(), loadUs, applyUs, theme.Valid() ? 1 : 0);
  skinForm.SetFileTheme(nullptr);
  skinForm.SetUIStyle(TSkinUIStyle::MacOS);

  delete Form1;
  std::filesystem::remove_all(dir);
  return 0;
}

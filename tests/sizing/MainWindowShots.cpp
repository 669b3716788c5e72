// main_window_shots: shows the main window on whatever screen it is started on (a Wine virtual
// desktop of the size under test), saves a picture of it and of the screen, and reports the
// window's size, every control that does not fit its parent, and the scaler's costs.
//   main_window_shots OUTPREFIX   writes OUTPREFIX-window.bmp, OUTPREFIX-screen.bmp, OUTPREFIX.txt
// Exit code 0 when the window has the expected size and every control fits.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/MainForm.h"
#include "app/ProgramGlobals.h"
#include "sizing/FormScaler.h"
#include "tests/support/PrivateRegistry.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Label.h"
#include "toolkit/RenderToBitmap.h"

namespace {

using namespace quendrel;
using toolkit::Application;
using toolkit::TControl;
using toolkit::TWinControl;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Visible controls sticking out of their parent's client area.
int ReportCutOff(const TWinControl& parent, FILE* out) {
  int bad = 0;
  const RECT area = parent.ClientRect();
  for (int i = 0; i < parent.ControlCount(); ++i) {
    const TControl* c = parent.Controls(i);
    if (!c->Visible()) continue;
    const RECT b = c->BoundsRect();
    if (b.left < area.left || b.top < area.top || b.right > area.right || b.bottom > area.bottom) {
      std::fprintf(out, "cut off: %s (%ld,%ld)-(%ld,%ld) in %s %ldx%ld\n", c->Name().c_str(), b.left, b.top,
                   b.right, b.bottom, parent.Name().c_str(), area.right, area.bottom);
      ++bad;
    }
    if (const auto* w = dynamic_cast<const TWinControl*>(c)) bad += ReportCutOff(*w, out);
  }
  return bad;
}

bool SaveScreen(const std::string& file) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  toolkit::TBitmap shot;
  return toolkit::CopyScreen(screen, shot) && shot.SaveToFile(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: main_window_shots OUTPREFIX\n", stderr);
    return 2;
  }
  const std::string prefix = argv[1];
  FILE* out = std::fopen((prefix + ".txt").c_str(), "w");
  if (out == nullptr) return 2;
  quendrel::test::PrivateCurrentUser privateHkcu;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);

  Application.Initialize();
  const auto created = Clock::now();
  Application.CreateForm(Form1);
  const double createMs = MsSince(created);
  TForm1& form = *Form1;
  form.Show();
  for (int i = 0; i < 20; ++i) {
    Application.ProcessMessages();
    Sleep(25);
  }

  // The client the window should have: 564 × 521 scaled by the screen, none on the design screen.
  const bool design = sw == 800 && sh == 600;
  const int wantW = design ? 564 : 564 * sw / 800, wantH = design ? 521 : 521 * sh / 600;
  std::fprintf(out, "screen %dx%d\nwindow %d,%d %dx%d client %dx%d (expected client %dx%d)\n", sw, sh, form.Left(),
               form.Top(), form.Width(), form.Height(), form.ClientWidth(), form.ClientHeight(), wantW, wantH);
  int bad = ReportCutOff(form, out);
  std::fprintf(out, "fonts: check box %d pt (%s, %dx%d), every-label %d pt\n", form.Checkalwayssound->Font().Size(),
               form.Checkalwayssound->Font().Name().c_str(), form.Checkalwayssound->Width(),
               form.Checkalwayssound->Height(), form.Label2 ? form.Label2->Font().Size() : 0);
  const bool sized = form.ClientWidth() == wantW && form.ClientHeight() == wantH;

  toolkit::TBitmap window;
  const bool rendered = toolkit::RenderWindow(form.Handle(), window) && window.SaveToFile(prefix + "-window.bmp");
  const bool screen = SaveScreen(prefix + "-screen.bmp");

  // Costs: set-up of a scaler over the finished window (records and hook; on the design screen so
  // it does not scale the window again), and one resize pass of FormScaler1 over the whole window.
  const auto setUp = Clock::now();
  {
    sizing::TFormScaler probe(&form);
    probe.SetScreenSource([] { return sizing::SizeI{800, 600}; });
    probe.SetDesignScreenWidth(800);
    probe.SetDesignScreenHeight(600);
    probe.FormLoaded();
    std::fprintf(out, "scaler set-up (records %zu controls, hook): %.2f ms\n", probe.Core().Controls().Count(),
                 MsSince(setUp));
  }
  constexpr int kPasses = 20;
  const auto passes = Clock::now();
  for (int i = 0; i < kPasses; ++i) form.FormScaler1->Dispatch(sizing::ScalerMessage::ResizePass);
  std::fprintf(out, "one resize pass over the main window: %.2f ms\n", MsSince(passes) / kPasses);
  std::fprintf(out, "main window created in %.1f ms (scaler included)\n", createMs);
  std::fprintf(out, "rendered %d, screen %d, cut off %d\nresult %s\n", rendered, screen, bad,
               sized && bad == 0 && rendered ? "ok" : "FAILED");
  std::fclose(out);
  const int rc = sized && bad == 0 && rendered ? 0 : 1;
  delete Form1;
  return rc;
}

// Benchmark (not a test): creating, showing and freeing a form of 20 controls, and the GDI and
// window objects left after 1,000 show/hide cycles of one such form.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/toolkit/GdiObjectCount.h"
#include "tests/toolkit/ThreadWindowCount.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/SpinEdit.h"

using namespace quendrel::toolkit;

namespace {

// The main window's kind of content: a panel, labels, buttons, check boxes, a list, a spin edit.
TForm* MakeForm(TComponent* owner) {
  auto* form = new TForm(owner);
  form->SetBorderStyle(bsDialog);
  form->SetBounds(100, 100, 564, 521);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alTop);
  panel->SetHeight(60);
  for (int i = 0; i < 6; ++i) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 70 + i * 20, 100, 13);
    label->SetCaption("Label number " + std::to_string(i));
  }
  for (int i = 0; i < 4; ++i) {
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10 + i * 80, 480, 73, 25);
    button->SetCaption("Button");
  }
  for (int i = 0; i < 6; ++i) {
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    box->SetBounds(200, 70 + i * 20, 150, 17);
    box->SetCaption("Check box");
  }
  auto* list = new TCheckListBox(form);
  list->SetParent(form);
  list->SetBounds(10, 200, 300, 200);
  for (int i = 0; i < 10; ++i) list->AddItem("Folder " + std::to_string(i));
  auto* spin = new TSpinEditInteger(form);
  spin->SetParent(form);
  spin->SetBounds(400, 70, 60, 21);
  auto* caption = new TLabel(form);
  caption->SetParent(panel);
  caption->SetCaption("Setting");
  return form;  // 20 controls
}

}  // namespace

int main() {
  TComponent owner(nullptr);
  {
    // Warm-up: window classes, fonts.
    TForm* form = MakeForm(&owner);
    form->Show();
    Application.ProcessMessages();
    delete form;
  }
  std::vector<double> times;
  for (int i = 0; i < 50; ++i) {
    const auto start = std::chrono::steady_clock::now();
    TForm* form = MakeForm(&owner);
    form->Show();
    form->Update();
    Application.ProcessMessages();
    delete form;
    Application.ProcessMessages();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("create+show+free, form of 20 controls: median %.2f ms, min %.2f ms, max %.2f ms (50 runs)\n",
              times[times.size() / 2], times.front(), times.back());

  TForm* form = MakeForm(&owner);
  form->Show();
  Application.ProcessMessages();
  const DWORD gdiBefore = GdiObjectCount();
  const int windowsBefore = ThreadWindowCount();
  const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 1000; ++i) {
    form->Hide();
    form->Show();
    Application.ProcessMessages();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("1,000 show/hide cycles: %.2f s; GDI objects %lu -> %lu; windows %d -> %d; "
              "GetGuiResources(USER) %lu -> %lu\n",
              seconds, gdiBefore, GdiObjectCount(), windowsBefore, ThreadWindowCount(), userBefore,
              GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  delete form;
  return 0;
}

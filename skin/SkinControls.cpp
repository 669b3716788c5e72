#include "skin/SkinControls.h"

#include "toolkit/Application.h"
#include "toolkit/Color.h"
#include "toolkit/Form.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {

using toolkit::TComponent;

TSkinUIStyle GetOwnerFormStyle(const TComponent* component) {
  const auto* form = dynamic_cast<const toolkit::TForm*>(component);
  if (!form) return TSkinUIStyle::DeepBlue;
  for (int i = 0; i < form->ControlCount(); ++i) {
    const toolkit::TControl* c = form->Controls(i);
    if (c->ClassName() == "TSkinForm" && toolkit::IsPublishedProp(*c, "UIStyle"))
      return static_cast<TSkinUIStyle>(toolkit::GetOrdProp(*c, "UIStyle"));
  }
  return TSkinUIStyle::DeepBlue;
}

void ApplyStyleToChildren(toolkit::TWinControl& parent, TSkinUIStyle style, TSkinFileTheme* fileTheme) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    toolkit::TControl* c = parent.Controls(i);
    if (!toolkit::IsPublishedProp(*c, "FileTheme") || !toolkit::IsPublishedProp(*c, "UIStyle")) continue;
    toolkit::SetObjectProp(*c, "FileTheme", toolkit::TObjectRef(fileTheme));
    toolkit::SetOrdProp(*c, "UIStyle", static_cast<std::int64_t>(style));
  }
}

void PaintParentBackground(toolkit::TCanvas& canvas, const toolkit::TControl& control) {
  toolkit::TWinControl* parent = control.Parent();
  HDC dc = canvas.Handle();
  if (!parent || !dc) return;
  parent->HandleNeeded();  // a parent not yet shown still paints: its window is made now
  control.PaintParentBackground(dc);
}

void GetWorkArea(RECT& rect) {
  if (toolkit::TForm* main = toolkit::Application.MainForm(); main && main->HandleAllocated()) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTONEAREST), &info)) {
      rect = info.rcWork;
      return;
    }
  }
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
}

void SetControlBounds(toolkit::TControl& control, const RECT& rect) {
  control.SetLeft(rect.left);
  control.SetTop(rect.top);
  control.SetWidth(rect.right - rect.left);
  control.SetHeight(rect.bottom - rect.top);
}

void GetMenuFont(toolkit::TFont& font) {
  NONCLIENTMETRICSA metrics{};
  // The size without iPaddedBorderWidth: every Windows version accepts it.
  static_assert(sizeof(NONCLIENTMETRICSA) == 340);
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return;
  font.SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
  font.SetColor(toolkit::clMenuText);
}

}  // namespace quendrel::skin

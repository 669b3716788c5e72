#include "sizing/FormScaler.h"

#include <windows.h>

#include <stdexcept>

#include "sizing/WinSizingActions.h"
#include "toolkit/Application.h"
#include "toolkit/Font.h"
#include "toolkit/Properties.h"
#include "toolkit/Screen.h"

namespace quendrel::sizing {

using toolkit::TComponent;
using toolkit::TControl;
using toolkit::TForm;
using toolkit::TMessage;
using toolkit::TWinControl;

namespace {

TForm& RequireForm(TComponent* owner) {
  auto* form = dynamic_cast<TForm*>(owner);
  if (form == nullptr) throw std::invalid_argument("Owner must be TForm or descendant!");
  return *form;
}

SizeI PrimaryScreen() {
  return {toolkit::Screen.Width(), toolkit::Screen.Height()};
}

FormPlacement PlacementOf(const TForm& form) {
  return {form.Left(), form.Top(), form.Width(), form.Height()};
}

}  // namespace

TFormScaler::TFormScaler(TComponent* owner)
    : TComponent(owner),
      form_(&RequireForm(owner)),
      screen_(PrimaryScreen),
      core_(PrimaryScreen(), PlacementOf(*form_)) {
  RegisterStandardSizingActions(core_.Registry());
  core_.SetMessagePump([] { toolkit::Application.ProcessMessages(); });
}

// The hook owner takes the hook out of the form's chain, whichever hooks came and went meanwhile.
TFormScaler::~TFormScaler() = default;

const toolkit::TPropertyList& TFormScaler::ClassProperties() {
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TComponent::ClassProperties();
    using C = TFormScaler;
    l.Enum<C>("AnchorMode", "TAnchorMode", [](const C& c) { return c.AnchorMode(); },
              [](C& c, auto v) { c.SetAnchorMode(static_cast<TAnchorMode>(v)); });
    l.Integer<C>("DesignScreenHeight", [](const C& c) { return c.DesignScreenHeight(); },
                 [](C& c, auto v) { c.SetDesignScreenHeight(static_cast<int>(v)); });
    l.Integer<C>("DesignScreenWidth", [](const C& c) { return c.DesignScreenWidth(); },
                 [](C& c, auto v) { c.SetDesignScreenWidth(static_cast<int>(v)); });
    l.Boolean<C>("Enabled", [](const C& c) { return c.Enabled(); }, [](C& c, auto v) { c.SetEnabled(v != 0); });
    l.Enum<C>("GridColumnSizing", "TGridColumns", [](const C& c) { return c.GridColumnSizing(); },
              [](C& c, auto v) { c.SetGridColumnSizing(static_cast<TGridColumns>(v)); });
    l.Enum<C>("GridRowSizing", "TGridRows", [](const C& c) { return c.GridRowSizing(); },
              [](C& c, auto v) { c.SetGridRowSizing(static_cast<TGridRows>(v)); });
    l.Boolean<C>("FormToScreenRatio", [](const C& c) { return c.FormToScreenRatio(); },
                 [](C& c, auto v) { c.SetFormToScreenRatio(v != 0); });
    l.Boolean<C>("MinimumSize", [](const C& c) { return c.MinimumSize(); },
                 [](C& c, auto v) { c.SetMinimumSize(v != 0); });
    l.Enum<C>("ProcessFonts", "TProcessFonts", [](const C& c) { return c.ProcessFonts(); },
              [](C& c, auto v) { c.SetProcessFonts(static_cast<TProcessFonts>(v)); });
    l.Boolean<C>("StretchFonts", [](const C& c) { return c.StretchFonts(); },
                 [](C& c, auto v) { c.SetStretchFonts(v != 0); });
    l.Boolean<C>("StretchImages", [](const C& c) { return c.StretchImages(); },
                 [](C& c, auto v) { c.SetStretchImages(v != 0); });
    l.Boolean<C>("StretchOnResize", [](const C& c) { return c.StretchOnResize(); },
                 [](C& c, auto v) { c.SetStretchOnResize(v != 0); });
    return l;
  }();
  return list;
}

void TFormScaler::SetEnabled(bool v) {
  if (core_.SetEnabled(v, FormOuter())) Dispatch(ScalerMessage::ResizePass);
}

SizeI TFormScaler::FormOuter() const {
  // The window's own size: during WM_SIZE the form's bounds still hold the size before the change (the
  // toolkit takes them over once the default procedure has sent it), and a maximize would look like no
  // change. A minimized window's rectangle is its icon's; the form keeps the size it will come back to.
  RECT r{};
  if (form_->HandleAllocated() && !IsIconic(form_->Handle()) && GetWindowRect(form_->Handle(), &r)) {
    return {r.right - r.left, r.bottom - r.top};
  }
  return {form_->Width(), form_->Height()};
}

void TFormScaler::Loaded() {
  TComponent::Loaded();
  FormLoaded();
}

void TFormScaler::FormLoaded() {
  if (setUp_) return;
  setUp_ = true;
  const bool scaleToScreen = core_.SetUpBounds(Screen(), PlacementOf(*form_));
  Dispatch(ScalerMessage::Register, form_);
  hook_ = form_->HookWindowProc([this](TMessage& m, const toolkit::TWndNext& next) { Hook(m, next); });
  if (scaleToScreen) Dispatch(ScalerMessage::ScreenScaling);
}

void TFormScaler::Notification(TComponent* component, toolkit::TOperation operation) {
  TComponent::Notification(component, operation);
  // Before set-up the form is still being built: its controls are recorded then, as they stand.
  if (!setUp_ || Destroying() || component == this || dynamic_cast<TForm*>(component) != nullptr) return;
  std::erase(inserted_, component);
  if (operation == toolkit::opRemove) {
    Dispatch(ScalerMessage::Unregister, component);
    return;
  }
  // A component is inserted by its base constructor, before it is a control with a name and
  // bounds; it is registered at the next turn of the message loop (or pass), as it stands then.
  inserted_.push_back(component);
  if (inserted_.size() == 1 && form_->HandleAllocated())
    PostMessageA(form_->Handle(), static_cast<UINT>(ScalerMessage::Register), 0, 0);
}

void TFormScaler::RegisterInserted() {
  while (!inserted_.empty()) {
    TComponent* component = inserted_.front();
    inserted_.erase(inserted_.begin());
    Dispatch(ScalerMessage::Register, component);
  }
}

void TFormScaler::Dispatch(ScalerMessage message, TComponent* component) {
  switch (message) {
    case ScalerMessage::Snapshot:
      core_.State().Snapshot(FormOuter());
      break;
    case ScalerMessage::ResizePass:
      core_.State().RequestPass(passHost_);
      break;
    case ScalerMessage::ResolutionChange:
      if (OnResolutionChange) OnResolutionChange(this);
      break;
    case ScalerMessage::Maximize:
      core_.State().MaximizeRequested();
      if (OnFormMaximize) OnFormMaximize(this);
      break;
    case ScalerMessage::Restore:
      core_.State().RestoreRequested();
      if (OnFormRestore) OnFormRestore(this);
      break;
    case ScalerMessage::RefreshControl:
      RefreshControl(component, *form_, core_.Controls(), core_, *this);
      break;
    case ScalerMessage::Unregister:
      UnregisterControl(component, core_.Controls());
      break;
    case ScalerMessage::Register:
      RegisterControl(component, *form_, core_.Controls(), core_, *this);
      break;
    case ScalerMessage::ScreenScaling:
      ScreenScaling();
      break;
  }
}

void TFormScaler::ScreenScaling() {
  const std::optional<SizeI> client =
      core_.BeginScreenScaling({form_->ClientWidth(), form_->ClientHeight()}, Screen());
  if (client) {
    form_->SetLeft(core_.Scaled().Left);
    form_->SetTop(core_.Scaled().Top);
    form_->SetClientHeight(client->Height);
    form_->SetClientWidth(client->Width);
  }
  core_.EndScreenScaling(FormOuter());
  Dispatch(ScalerMessage::ResizePass);
}

void TFormScaler::Hook(TMessage& m, const toolkit::TWndNext& next) {
  if (m.Msg == static_cast<UINT>(ScalerMessage::Register) && m.WParam == 0 && m.LParam == 0) {
    RegisterInserted();
    return;
  }
  const HookReaction r = core_.Filter(m.Msg, m.WParam, FormOuter());
  if (r.ClampPosition && m.LParam != 0) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if ((pos->flags & SWP_NOMOVE) == 0) {
      pos->x = ClampedPosition(pos->x);
      pos->y = ClampedPosition(pos->y);
    }
  }
  for (int i = 0; i < r.RaiseCount; ++i) Dispatch(r.Raise[i]);
  next(m);
  // After the form's own handler, so its size constraints cannot widen the scaler's limits.
  if (r.FillMinMaxInfo && m.LParam != 0) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    const TrackingLimits limits = core_.Tracking(Screen());
    info->ptMinTrackSize = POINT{limits.MinTrack.Width, limits.MinTrack.Height};
    info->ptMaxTrackSize = POINT{limits.MaxTrack.Width, limits.MaxTrack.Height};
    m.Result = 0;
  }
}

bool TFormScaler::PassHost::AllowPass() {
  bool allow = true;
  if (s_.BeforeSize) s_.BeforeSize(&s_, allow);
  return allow;
}

void TFormScaler::PassHost::RunPass() {
  s_.RegisterInserted();
  s_.core_.Fonts().Clear();
  TForm& form = *s_.form_;
  form.DisableAlign();
  struct Realign {
    TForm& form;
    ~Realign() { form.EnableAlign(); }
  } realign{form};
  ResizeTree(form, form, s_.core_.Controls(), s_.core_, s_);
  if (s_.ProcessFonts() == pfOnFormSize) ApplyCachedFonts(form, s_.core_.Controls(), s_.core_, s_);
}

void TFormScaler::PassHost::AfterSize() {
  if (s_.AfterSize) s_.AfterSize(&s_);
}

std::optional<ControlPlacement> TFormScaler::Placement(const TComponent& component) const {
  const auto* control = dynamic_cast<const TControl*>(&component);
  if (control == nullptr) return std::nullopt;
  return ControlPlacement{control->Top(), control->Left(), {control->ClientWidth(), control->ClientHeight()}};
}

bool TFormScaler::IsWindowed(const TComponent& control) const {
  return dynamic_cast<const TWinControl*>(&control) != nullptr;
}

int TFormScaler::ChildCount(const TComponent& control) const {
  const auto* windowed = dynamic_cast<const TWinControl*>(&control);
  return windowed ? windowed->ControlCount() : 0;
}

TComponent* TFormScaler::Child(const TComponent& control, int index) const {
  const auto* windowed = dynamic_cast<const TWinControl*>(&control);
  if (windowed == nullptr || index < 0 || index >= windowed->ControlCount()) return nullptr;
  return windowed->Controls(index);
}

std::optional<int32_t> TFormScaler::Size(TComponent& component, std::string_view propName) {
  const toolkit::TFont* font = PropertyObject<toolkit::TFont>(component, propName);
  if (font == nullptr) return std::nullopt;
  return font->Size();
}

void TFormScaler::SetSize(TComponent& component, std::string_view propName, int32_t points) {
  if (toolkit::TFont* font = PropertyObject<toolkit::TFont>(component, propName)) font->SetSize(points);
}

}  // namespace quendrel::sizing

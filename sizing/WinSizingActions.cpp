#include "sizing/WinSizingActions.h"

#include <windows.h>

#include <algorithm>

#include "sizing/BoundsRule.h"
#include "sizing/FontRule.h"
#include "sizing/FontWalk.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Font.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Properties.h"

namespace quendrel::sizing {

using toolkit::TBitmap;
using toolkit::TComponent;
using toolkit::TControl;
using toolkit::TFont;

static_assert(static_cast<int>(BoundsAlign::None) == toolkit::alNone &&
              static_cast<int>(BoundsAlign::Top) == toolkit::alTop &&
              static_cast<int>(BoundsAlign::Bottom) == toolkit::alBottom &&
              static_cast<int>(BoundsAlign::Left) == toolkit::alLeft &&
              static_cast<int>(BoundsAlign::Right) == toolkit::alRight &&
              static_cast<int>(BoundsAlign::Client) == toolkit::alClient &&
              static_cast<int>(BoundsAlign::Custom) == toolkit::alCustom);
static_assert(unsigned{kAnchorLeft} == unsigned{toolkit::akLeft} && unsigned{kAnchorTop} == unsigned{toolkit::akTop} &&
              unsigned{kAnchorRight} == unsigned{toolkit::akRight} &&
              unsigned{kAnchorBottom} == unsigned{toolkit::akBottom});

namespace {

// The one-line extent of `text` in `font` at `points`, on the DC of the control's parent window.
std::optional<SizeI> MeasureOneLine(const TControl& control, const TFont& font, const std::string& text,
                                    int32_t points) {
  TFont copy(font);
  copy.SetSize(points);
  HWND window = nullptr;
  if (toolkit::TWinControl* parent = control.Parent(); parent != nullptr && parent->HandleAllocated())
    window = parent->Handle();
  const toolkit::WindowDC dc(window);
  if (dc.Get() == nullptr) return std::nullopt;
  const toolkit::SelectGuard selected(dc.Get(), copy.Handle());
  SIZE extent{};
  if (!GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent)) return std::nullopt;
  return SizeI{extent.cx, extent.cy};
}

}  // namespace

void TWinControlSizingAction::ApplySizing(TComponent& component, TControlExtents& record, SizerContext& sizer) {
  if (auto* control = dynamic_cast<TControl*>(&component)) ApplyBounds(*control, record, sizer);
  ApplyPropertyActions(component, record, sizer);
}

void TWinControlSizingAction::ApplyBounds(TControl& control, const TControlExtents& record, SizerContext& sizer) {
  BoundsInput in;
  in.Current = {control.Left(), control.Top(), control.Width(), control.Height()};
  in.Align = static_cast<BoundsAlign>(control.Align());
  in.Anchors = control.Anchors();
  if (const auto* owner = dynamic_cast<const TControl*>(control.Owner()))
    in.OwnerClient = {owner->ClientWidth(), owner->ClientHeight()};
  else
    return;  // no owner client to scale by
  const BoundsRectI b = ScaledBounds(in, record, sizer.AnchorMode());
  if (b == in.Current) return;
  control.SetBounds(b.Left, b.Top, b.Width, b.Height);
}

void TBitmapSizingAction::StoreOriginal(TComponent&, const toolkit::TObjectRef& object, TPropertyExtents& extents) {
  if (const TBitmap* bitmap = object.As<TBitmap>()) {
    extents.OrigHeight = bitmap->Height();
    extents.OrigWidth = bitmap->Width();
  }
}

void TBitmapSizingAction::ApplySizing(TComponent& component, TControlExtents& record, SizerContext& sizer) {
  if (!sizer.StretchImages()) return;
  auto* control = dynamic_cast<TControl*>(&component);
  if (control == nullptr) return;
  for (const TPropertyExtents& entry : record.Properties.All()) {
    if (CompareNames(entry.TypeName, kBitmapType) != 0) continue;
    TBitmap* bitmap = PropertyObject<TBitmap>(component, entry.PropName);
    if (bitmap == nullptr || bitmap->Empty()) continue;
    const SizeI size = ScaledBitmapSize({control->Width(), control->Height()}, record, entry,
                                        {bitmap->Width(), bitmap->Height()});
    if (size.Width <= 0 || size.Height <= 0) continue;
    if (size.Width == bitmap->Width() && size.Height == bitmap->Height()) continue;
    TBitmap picture(*bitmap);
    bitmap->SetSize(size.Width, size.Height);
    bitmap->Canvas().SetCopyMode(SRCCOPY);
    bitmap->Canvas().StretchDraw(RECT{0, 0, size.Width, size.Height}, picture);
  }
}

void TFontSizingAction::StoreOriginal(TComponent&, const toolkit::TObjectRef& object, TPropertyExtents& extents) {
  if (const TFont* font = object.As<TFont>()) extents.OrigHeight = font->Size();
}

void TFontSizingAction::ApplySizing(TComponent& component, TControlExtents& record, SizerContext& sizer) {
  if (!sizer.StretchFonts()) return;
  auto* control = dynamic_cast<TControl*>(&component);
  if (control == nullptr) return;
  const std::string text = TextForFit(component);
  for (const TPropertyExtents& entry : record.Properties.All()) {
    if (CompareNames(entry.TypeName, kFontType) != 0) continue;
    TFont* font = PropertyObject<TFont>(component, entry.PropName);
    if (font == nullptr) continue;
    FontResizeInput in;
    in.RecordedSize = entry.OrigHeight;
    in.ControlSize = {control->Width(), control->Height()};
    in.RecordedClient = {record.ClientWidth, record.ClientHeight};
    in.ClientArea = {control->ClientWidth(), control->ClientHeight()};
    // Each measurement sizes its own copy of the font, so the font itself can be measured.
    const MeasureText measure = [&](int32_t points) { return MeasureOneLine(*control, *font, text, points); };
    if (const std::optional<int32_t> size = ResizeFont(in, measure, sizer.Fonts(), sizer.ProcessFonts());
        size && *size != font->Size()) {
      font->SetSize(*size);
    }
    sizer.ProcessMessages();
  }
}

void RegisterStandardSizingActions(SizingActionRegistry& registry) {
  registry.RegisterSizingAction(std::string(kWinControlAction), TargetClass<toolkit::TWinControl>(),
                                [] { return std::make_unique<TWinControlSizingAction>(); });
  registry.RegisterSizingAction(std::string(kBitmapType), TargetClass<TBitmap>(),
                                [] { return std::make_unique<TBitmapSizingAction>(); });
  registry.RegisterSizingAction(std::string(kFontType), TargetClass<TFont>(),
                                [] { return std::make_unique<TFontSizingAction>(); });
}

}  // namespace quendrel::sizing

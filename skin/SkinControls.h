// Helpers every skinned control shares: where a new control takes its style from, passing a style
// down to children, the parent's background under a transparent control, and a few geometry and
// font helpers.
#pragma once

#include <windows.h>

#include "skin/SkinFileTheme.h"
#include "skin/SkinTheme.h"
#include "toolkit/Canvas.h"
#include "toolkit/Component.h"
#include "toolkit/Control.h"
#include "toolkit/Font.h"

namespace quendrel::skin {

// For a form: the UIStyle of its first child control that is a TSkinForm (in control order). For
// anything else, or a form without one: DeepBlue.
TSkinUIStyle GetOwnerFormStyle(const toolkit::TComponent* component);

// Each direct child of parent that publishes both FileTheme and UIStyle gets fileTheme, then style
// (in that order, so the style is worked out with the new theme). Grandchildren are left alone.
void ApplyStyleToChildren(toolkit::TWinControl& parent, TSkinUIStyle style, TSkinFileTheme* fileTheme);

// Has the control's parent paint itself into the canvas, shifted so that what lies under the
// control lands at the canvas's origin (TControl::PaintParentBackground on the canvas's DC, the
// parent's window made first when needed). Nothing without a parent.
void PaintParentBackground(toolkit::TCanvas& canvas, const toolkit::TControl& control);

// The work area of the monitor that holds the application's main form, or of the desktop.
void GetWorkArea(RECT& rect);

// Left, Top, Width, Height from rect, in that order.
void SetControlBounds(toolkit::TControl& control, const RECT& rect);

// The system's menu font in clMenuText; the font stays as it was when the system does not answer.
void GetMenuFont(toolkit::TFont& font);

}  // namespace quendrel::skin

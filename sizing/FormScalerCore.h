// Everything of the form scaler that needs no window: its settings with their initial values, the
// design and start-up placement, the tracking sizes, the sizing state, the control records and the
// font cache. The scaler component on the form owns one and feeds it the window's messages.
#pragma once

#include <functional>
#include <optional>

#include "sizing/Extents.h"
#include "sizing/ScalerTypes.h"
#include "sizing/SizingActions.h"
#include "sizing/SizingState.h"
#include "sizing/StartupRule.h"

namespace quendrel::sizing {

struct FormScalerSettings {
  TAnchorMode AnchorMode = amIgnoreAnchors;
  int32_t DesignScreenHeight = 0;  // the screen at construction
  int32_t DesignScreenWidth = 0;
  bool Enabled = true;
  TGridColumns GridColumnSizing = gcSizeAllColumns;  // stored only
  TGridRows GridRowSizing = grSizeByDefaults;        // stored only
  bool FormToScreenRatio = true;
  bool MinimumSize = true;
  TProcessFonts ProcessFonts = pfOnControlSize;
  bool StretchFonts = true;
  bool StretchImages = true;
  bool StretchOnResize = true;  // stored only
};

class FormScalerCore : public SizerContext {
public:
  // The screen now is taken as the design screen, the form's placement now (its stored one while
  // it loads) as the design placement.
  FormScalerCore(SizeI screen, const FormPlacement& form);

  const FormScalerSettings& Settings() const { return settings_; }
  // Every setting but Enabled and StretchFonts is stored as given.
  FormScalerSettings& MutableSettings() { return settings_; }
  // Stores the value; true when a resize pass is to be raised now (it became true and the form's
  // outer size is not the one of the last snapshot).
  bool SetEnabled(bool enabled, SizeI formOuter);
  // A change to true also turns StretchOnResize on.
  void SetStretchFonts(bool stretch);

  SizeI DesignScreen() const { return {settings_.DesignScreenWidth, settings_.DesignScreenHeight}; }
  const FormPlacement& DesignPlacement() const { return design_; }
  // ScaledLeft, ScaledTop and the minimum tracking size (as Width, Height).
  const FormPlacement& Scaled() const { return scaled_; }

  // Set-up after the form has loaded, first step: start-up position and minimum. True when the
  // screen is not the design screen: the sizing state is then "screen scaling about to start" and
  // the caller registers the controls, hooks the form and raises screen scaling.
  bool SetUpBounds(SizeI screen, const FormPlacement& current);
  // Screen scaling: the client size the form is to get (none without FormToScreenRatio); the caller
  // then sets left, top, client height, client width, and calls EndScreenScaling.
  std::optional<SizeI> BeginScreenScaling(SizeI formClient, SizeI screen);
  // The minimum tracking size becomes the form's outer size after scaling; then raise a pass.
  void EndScreenScaling(SizeI formOuter);

  // WM_GETMINMAXINFO's tracking sizes, never a minimum above the screen.
  TrackingLimits Tracking(SizeI screen) const;
  // What the hook does with a message, for the form's outer size now.
  HookReaction Filter(uint32_t msg, uint64_t wParam, SizeI formOuter) const;

  SizingStateMachine& State() { return state_; }
  const SizingStateMachine& State() const { return state_; }
  ControlList& Controls() { return controls_; }
  SizingActionRegistry& Registry() { return actions_; }

  // How the message loop is given a turn (nothing until the window side says).
  void SetMessagePump(std::function<void()> pump) { pump_ = std::move(pump); }

  // SizerContext
  TAnchorMode AnchorMode() const override { return settings_.AnchorMode; }
  bool StretchImages() const override { return settings_.StretchImages; }
  bool StretchFonts() const override { return settings_.StretchFonts; }
  TProcessFonts ProcessFonts() const override { return settings_.ProcessFonts; }
  FontCache& Fonts() override { return fonts_; }
  const SizingActionRegistry& Actions() const override { return actions_; }
  void ProcessMessages() override {
    if (pump_) pump_();
  }

private:
  FormScalerSettings settings_;
  FormPlacement design_;
  FormPlacement scaled_;
  SizingStateMachine state_;
  ControlList controls_;
  FontCache fonts_;
  SizingActionRegistry actions_;
  std::function<void()> pump_;
};

}  // namespace quendrel::sizing

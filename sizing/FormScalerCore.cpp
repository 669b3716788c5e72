#include "sizing/FormScalerCore.h"

namespace quendrel::sizing {

FormScalerCore::FormScalerCore(SizeI screen, const FormPlacement& form) : design_(form) {
  settings_.DesignScreenWidth = screen.Width;
  settings_.DesignScreenHeight = screen.Height;
}

bool FormScalerCore::SetEnabled(bool enabled, SizeI formOuter) {
  const bool becameTrue = enabled && !settings_.Enabled;
  settings_.Enabled = enabled;
  return becameTrue && state_.SizeChanged(formOuter);
}

void FormScalerCore::SetStretchFonts(bool stretch) {
  if (stretch && !settings_.StretchFonts) settings_.StretchOnResize = true;
  settings_.StretchFonts = stretch;
}

bool FormScalerCore::SetUpBounds(SizeI screen, const FormPlacement& current) {
  scaled_ = StartupBounds(screen, DesignScreen(), design_, current);
  const bool differs = ScreenDiffers(screen, DesignScreen());
  if (differs) state_.ScreenScalingAboutToStart();
  return differs;
}

std::optional<SizeI> FormScalerCore::BeginScreenScaling(SizeI formClient, SizeI screen) {
  state_.ScreenScalingStarted();
  if (!settings_.FormToScreenRatio) return std::nullopt;
  return ScreenScaledClient(formClient, screen, DesignScreen());
}

void FormScalerCore::EndScreenScaling(SizeI formOuter) {
  scaled_.Width = formOuter.Width;
  scaled_.Height = formOuter.Height;
}

TrackingLimits FormScalerCore::Tracking(SizeI screen) const {
  return TrackingSize({scaled_.Width, scaled_.Height}, screen);
}

HookReaction FormScalerCore::Filter(uint32_t msg, uint64_t wParam, SizeI formOuter) const {
  return state_.Filter(msg, wParam, settings_.MinimumSize, state_.SizeChanged(formOuter));
}

}  // namespace quendrel::sizing

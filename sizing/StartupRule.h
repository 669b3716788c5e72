// Start-up scaling from the design screen to the screen the program runs on, and the tracking
// limits the form is kept within afterwards.
#pragma once

#include <cstdint>

#include "sizing/ScalerTypes.h"

namespace quendrel::sizing {

struct FormPlacement {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;  // outer size
  int32_t Height = 0;
  friend bool operator==(const FormPlacement&, const FormPlacement&) = default;
};

// True when the form has to be scaled at start-up: the screen is not the design screen. A design
// screen without a positive size gives no ratio to scale by, so nothing is scaled then.
bool ScreenDiffers(SizeI screen, SizeI designScreen);

// ScaledLeft, ScaledTop and the first minimum tracking size (Width, Height) at set-up: the design
// placement scaled to the screen when it differs, else the form's placement now.
FormPlacement StartupBounds(SizeI screen, SizeI designScreen, const FormPlacement& design,
                            const FormPlacement& current);

// The form's client size scaled by the ratio of screen to design screen.
SizeI ScreenScaledClient(SizeI client, SizeI screen, SizeI designScreen);

struct TrackingLimits {
  SizeI MinTrack;
  SizeI MaxTrack;
  friend bool operator==(const TrackingLimits&, const TrackingLimits&) = default;
};

// Between the start-up size and the screen. A start-up size beyond the screen (a stored form larger
// than a small screen) is cut to the screen, so the user can still make the form fit it.
TrackingLimits TrackingSize(SizeI minimum, SizeI screen);

// A window moved to a negative x or y is put at 0 on that axis.
inline int32_t ClampedPosition(int32_t xOrY) {
  return xOrY < 0 ? 0 : xOrY;
}

}  // namespace quendrel::sizing

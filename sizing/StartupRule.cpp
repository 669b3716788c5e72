#include "sizing/StartupRule.h"

#include <algorithm>

#include "sizing/ScaleMath.h"

namespace quendrel::sizing {

bool ScreenDiffers(SizeI screen, SizeI designScreen) {
  if (designScreen.Width <= 0 || designScreen.Height <= 0) return false;
  return screen != designScreen;
}

FormPlacement StartupBounds(SizeI screen, SizeI designScreen, const FormPlacement& design,
                            const FormPlacement& current) {
  if (!ScreenDiffers(screen, designScreen)) return current;
  FormPlacement out;
  out.Top = ScaleOrKeep(screen.Height, design.Top, designScreen.Height);
  out.Left = ScaleOrKeep(screen.Width, design.Left, designScreen.Width);
  out.Height = ScaleOrKeep(screen.Height, design.Height, designScreen.Height);
  out.Width = ScaleOrKeep(screen.Width, design.Width, designScreen.Width);
  return out;
}

SizeI ScreenScaledClient(SizeI client, SizeI screen, SizeI designScreen) {
  if (!ScreenDiffers(screen, designScreen)) return client;
  return SizeI{ScaleOrKeep(client.Width, screen.Width, designScreen.Width),
               ScaleOrKeep(client.Height, screen.Height, designScreen.Height)};
}

TrackingLimits TrackingSize(SizeI minimum, SizeI screen) {
  TrackingLimits limits;
  limits.MaxTrack = screen;
  limits.MinTrack.Width = std::clamp(minimum.Width, 0, std::max(screen.Width, 0));
  limits.MinTrack.Height = std::clamp(minimum.Height, 0, std::max(screen.Height, 0));
  return limits;
}

}  // namespace quendrel::sizing

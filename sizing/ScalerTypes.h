// Settings and private message numbers of the form scaler, shared by its rules and its window side.
#pragma once

#include <cstdint>

namespace quendrel::sizing {

enum TAnchorMode { amIgnoreAnchors, amHonorAnchors };
enum TGridColumns { gcSizeAllColumns, gcSizeByDefaults, gcNoColumnSizing };
enum TGridRows { grSizeAllRows, grSizeByDefaults, grNoRowSizing };
enum TProcessFonts { pfOnControlSize, pfOnFormSize };

// The scaler's private messages: plain calls on the component, never posted to a window.
enum class ScalerMessage : uint32_t {
  Snapshot = 0x83E8,
  ResizePass = 0x83E9,
  ResolutionChange = 0x83EB,
  Maximize = 0x83EC,
  Restore = 0x83ED,
  RefreshControl = 0x83EE,
  Unregister = 0x83EF,
  Register = 0x83F0,
  ScreenScaling = 0x83F1,
};

struct SizeI {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const SizeI&, const SizeI&) = default;
};

}  // namespace quendrel::sizing

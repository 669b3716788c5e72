// Font sizes in a resize pass: the proportional target, the fit by area, the shared cache.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "sizing/Extents.h"
#include "sizing/ScalerTypes.h"

namespace quendrel::sizing {

// recorded × d / d0 truncated toward zero, d and d0 the diagonals of squares with sides m and m0
// (side × √2), every step in 80-bit extended precision: 8 points with m0 14 and m 21 gives 11,
// not 12. A non-positive m0 has no diagonal to divide by: the recorded size stands.
int32_t FontTarget(int32_t recordedSize, int32_t m, int32_t m0);

// One-line extent of the control's text at a font size in points; none when it cannot be measured.
using MeasureText = std::function<std::optional<SizeI>(int32_t size)>;

// The largest size from `startSize` down to 0 whose one-line text extent covers no more pixels than
// the client area; -1 when none does or the start is negative. Only areas are compared.
int32_t FitFontSize(int32_t startSize, SizeI clientArea, const MeasureText& measure);

// At most this many characters of a text are measured.
inline constexpr size_t kMeasuredTextLength = 255;
std::string_view MeasuredText(std::string_view text);

struct FontResizeInput {
  int32_t RecordedSize = 0;  // OrigHeight of the font's record
  SizeI ControlSize;         // the control's outer size now
  SizeI RecordedClient;      // the control's recorded client size
  SizeI ClientArea;          // the area the text must fit in (the control's client size now)
};

// Target and fit for one recorded font, updating the cache as a pass goes along. Returns the size
// the font gets now with pfOnControlSize; with pfOnFormSize nothing is set during the walk (none).
std::optional<int32_t> ResizeFont(const FontResizeInput& in, const MeasureText& measure, FontCache& cache,
                                  TProcessFonts processFonts);

// After a pfOnFormSize walk: the cached size a font recorded at `recordedSize` gets, or none when
// there is none or it already has it.
std::optional<int32_t> CachedFontSize(const FontCache& cache, int32_t recordedSize, int32_t currentSize);

}  // namespace quendrel::sizing

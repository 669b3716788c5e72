#include "sizing/FontRule.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quendrel::sizing {

// The target is defined by 80-bit arithmetic (MinGW and x86-64 clang both have it as long double);
// a double evaluation lands on 12 where the rule gives 11.
static_assert(std::numeric_limits<long double>::digits == 64, "font targets need the 80-bit extended format");

int32_t FontTarget(int32_t recordedSize, int32_t m, int32_t m0) {
  if (m0 <= 0) return recordedSize;
  const long double root2 = std::sqrt(2.0L);
  const long double d = static_cast<long double>(m) * root2;
  const long double d0 = static_cast<long double>(m0) * root2;
  const long double q = (static_cast<long double>(recordedSize) * d) / d0;
  constexpr long double kMax = std::numeric_limits<int32_t>::max();
  constexpr long double kMin = std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::clamp(std::trunc(q), kMin, kMax));
}

int32_t FitFontSize(int32_t startSize, SizeI clientArea, const MeasureText& measure) {
  const int64_t area = int64_t{clientArea.Width} * clientArea.Height;
  for (int32_t size = startSize; size >= 0; --size) {
    const std::optional<SizeI> extent = measure(size);
    if (extent && area >= int64_t{extent->Width} * extent->Height) return size;
  }
  return -1;
}

std::string_view MeasuredText(std::string_view text) {
  return text.substr(0, kMeasuredTextLength);
}

std::optional<int32_t> ResizeFont(const FontResizeInput& in, const MeasureText& measure, FontCache& cache,
                                  TProcessFonts processFonts) {
  const int32_t m = std::min(in.ControlSize.Width, in.ControlSize.Height);
  const int32_t m0 = std::min(in.RecordedClient.Width, in.RecordedClient.Height);
  const std::optional<int32_t> cached = cache.Find(in.RecordedSize);
  const int32_t target = cached ? *cached : FontTarget(in.RecordedSize, m, m0);
  const int32_t fit = FitFontSize(target, in.ClientArea, measure);
  // A text that fits at no size is not helped by any size: the font keeps the proportional target
  // and the other fonts of its recorded size are not dragged down to -1 through the cache.
  const int32_t chosen = fit < 0 ? target : std::min(target, fit);
  if (!cached) {
    cache.Set(in.RecordedSize, target);
  } else if (target != fit && fit >= 0) {
    cache.Set(in.RecordedSize, chosen);
  }
  if (processFonts == pfOnControlSize) return chosen;
  return std::nullopt;
}

std::optional<int32_t> CachedFontSize(const FontCache& cache, int32_t recordedSize, int32_t currentSize) {
  const std::optional<int32_t> cached = cache.Find(recordedSize);
  if (!cached || *cached == currentSize) return std::nullopt;
  return cached;
}

}  // namespace quendrel::sizing

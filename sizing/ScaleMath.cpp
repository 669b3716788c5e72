#include "sizing/ScaleMath.h"

#include <algorithm>
#include <limits>

namespace quendrel::sizing {

std::optional<int32_t> ScaleInt(int32_t value, int32_t to, int32_t from) {
  if (from == 0) return std::nullopt;
  // |value × to| < 2^62 and C++ division truncates toward zero, as the 32-bit rule does.
  const int64_t q = int64_t{value} * int64_t{to} / int64_t{from};
  return static_cast<int32_t>(
      std::clamp<int64_t>(q, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace quendrel::sizing

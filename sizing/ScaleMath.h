// The one integer rule every scaling step uses.
#pragma once

#include <cstdint>
#include <optional>

namespace quendrel::sizing {

// value × to / from: multiplied first, then divided, truncated toward zero. None when `from` is 0
// (a size recorded as 0 cannot be a ratio's base). The product is taken in 64 bits and the result
// saturates at the 32-bit limits, so no input overflows.
std::optional<int32_t> ScaleInt(int32_t value, int32_t to, int32_t from);

// As ScaleInt, but a zero base leaves `value` as it is.
inline int32_t ScaleOrKeep(int32_t value, int32_t to, int32_t from) {
  return ScaleInt(value, to, from).value_or(value);
}

}  // namespace quendrel::sizing

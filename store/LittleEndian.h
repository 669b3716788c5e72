// Little-endian integers of the store file.
#pragma once

#include <cstdint>

namespace quendrel {

inline uint32_t LoadU32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline int32_t LoadI32(const uint8_t* p) {
  return static_cast<int32_t>(LoadU32(p));
}

}  // namespace quendrel

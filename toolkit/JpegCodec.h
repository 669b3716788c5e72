// JPEG decoding with libjpeg, without Win32. Damaged or hostile data ends in an error text, never a
// crash, and a forged header cannot make it allocate without bound.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "toolkit/BmpCodec.h"

namespace quendrel::toolkit {

struct JpegDecodeResult {
  DecodedImage image;  // empty (0 × 0) on failure
  std::string error;   // empty on success
  bool Ok() const { return error.empty(); }
};

JpegDecodeResult DecodeJpeg(std::span<const std::byte> data);

}  // namespace quendrel::toolkit

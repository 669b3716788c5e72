// libFuzzer target: BMP files, packed DIBs and JPEG data from arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "toolkit/BmpCodec.h"
#include "toolkit/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = std::as_bytes(std::span(data, size));
  quendrel::toolkit::DecodeBmp(bytes);
  quendrel::toolkit::DecodeDib(bytes);
  quendrel::toolkit::DecodeJpeg(bytes);
  return 0;
}

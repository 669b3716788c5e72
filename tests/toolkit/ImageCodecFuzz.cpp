// libFuzzer target: BMP files, packed DIBs and JPEG data from arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "toolkit/BmpCodec.h"
#ifdef QUENDREL_HAVE_JPEG
#include "toolkit/JpegCodec.h"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = std::as_bytes(std::span(data, size));
  quendrel::toolkit::DecodeBmp(bytes);
  quendrel::toolkit::DecodeDib(bytes);
#ifdef QUENDREL_HAVE_JPEG
  quendrel::toolkit::DecodeJpeg(bytes);
#endif
  return 0;
}

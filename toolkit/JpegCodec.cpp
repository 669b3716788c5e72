#include "toolkit/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

namespace quendrel::toolkit {

namespace {

// More scans than any sane progressive file has; hostile files with thousands of tiny scans would
// otherwise keep the decoder busy for minutes.
constexpr long kMaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr base;  // first: libjpeg sees only this part
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  jpeg_progress_mgr progress;
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  // level -1 is a warning about damaged data; data that ends early is a failure for us, the rest
  // libjpeg repairs well enough.
  if (level == -1 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

void OnProgress(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    info->err->msg_code = JERR_NOTIMPL;
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(errors->message, sizeof(errors->message), "too many scans in progressive JPEG data");
    std::longjmp(errors->jump, 1);
  }
}

// Everything between setjmp and the last libjpeg call lives in C structures or in `result`, which
// exists before setjmp; a longjmp out of libjpeg skips no C++ destructor.
void Decode(std::span<const std::byte> data, JpegDecodeResult& result, jpeg_decompress_struct& info,
            ErrorManager& errors) {
  if (setjmp(errors.jump)) {
    result.error = errors.message;
    return;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = 256L * 1024 * 1024;
  info.progress = &errors.progress;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    std::snprintf(errors.message, sizeof(errors.message), "no JPEG image in the data");
    result.error = errors.message;
    return;
  }
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxDimension ||
      info.image_height > kMaxDimension ||
      static_cast<long long>(info.image_width) * info.image_height > kMaxDecodedPixels) {
    std::snprintf(errors.message, sizeof(errors.message), "JPEG image too large (%u x %u)", info.image_width,
                  info.image_height);
    result.error = errors.message;
    return;
  }
#ifdef JCS_ALPHA_EXTENSIONS
  info.out_color_space = JCS_EXT_BGRA;  // straight into our pixel layout
  const int components = 4;
#else
  info.out_color_space = JCS_RGB;
  const int components = 3;
#endif
  jpeg_start_decompress(&info);
  const size_t width = info.output_width, height = info.output_height;
  result.image.bgra.resize(width * height * 4);
  result.image.width = static_cast<int>(width);
  result.image.height = static_cast<int>(height);
  result.image.bitsPerPixel = 24;
  while (info.output_scanline < info.output_height) {
    unsigned char* row = result.image.bgra.data() + size_t{info.output_scanline} * width * 4;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    if (components == 3) {
      // RGB to BGRA in place, from the right so no pixel is overwritten before it is read.
      for (size_t x = width; x-- > 0;) {
        const unsigned char r = row[x * 3], g = row[x * 3 + 1], b = row[x * 3 + 2];
        row[x * 4] = b;
        row[x * 4 + 1] = g;
        row[x * 4 + 2] = r;
        row[x * 4 + 3] = 255;
      }
    }
  }
  jpeg_finish_decompress(&info);
}

}  // namespace

JpegDecodeResult DecodeJpeg(std::span<const std::byte> data) {
  JpegDecodeResult result;
  if (data.size() < 4) {
    result.error = "no JPEG image in the data";
    return result;
  }
  // Reserved before setjmp so that no allocation is needed to report an error.
  result.error.reserve(JMSG_LENGTH_MAX);
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  errors.progress.progress_monitor = OnProgress;
  Decode(data, result, info, errors);
  jpeg_destroy_decompress(&info);
  if (!result.error.empty()) result.image = DecodedImage{};
  return result;
}

}  // namespace quendrel::toolkit

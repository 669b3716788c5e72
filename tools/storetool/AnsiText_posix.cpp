#include "tools/storetool/AnsiText.h"

namespace quendrel::storetool {

// Native builds have no ANSI code page; the bytes are taken for ISO 8859-1, which keeps every
// byte and always gives valid UTF-8.
std::string AnsiToUtf8(std::string_view ansi) {
  std::string utf8;
  for (char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

}  // namespace quendrel::storetool

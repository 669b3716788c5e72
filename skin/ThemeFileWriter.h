// Writes theme files in the layout the reader takes: header, directory chain ending in a
// terminating entry, then the data blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/ThemeFile.h"

namespace quendrel::skin {

struct ThemeFileItem {
  std::string name;  // at most 64 bytes
  ThemeEntryType type = ThemeEntryType::Integer;
  std::string data;  // image: a whole BMP file; integer: 4 bytes; boolean: 1 byte; text: the text

  static ThemeFileItem Integer(std::string name, std::int32_t value);
  static ThemeFileItem Boolean(std::string name, bool value);
  static ThemeFileItem Image(std::string name, std::string bmp);
  static ThemeFileItem Text(std::string name, std::string text);
};

// The file's bytes; throws std::invalid_argument for a name longer than 64 bytes or a file that
// would not fit 32-bit offsets.
std::string WriteThemeFile(const std::vector<ThemeFileItem>& items);

}  // namespace quendrel::skin

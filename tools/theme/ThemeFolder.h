// A theme as a folder: "values.txt" (one NAME=VALUE line per integer, colour, boolean or text entry)
// and one NAME.bmp per image entry. quendrel-theme turns such a folder into a theme file and back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/SkinTheme.h"

namespace quendrel::theme {

inline constexpr char kValuesFile[] = "values.txt";

// Bad input for the tool (a line it cannot read, a bitmap that is no BMP, an unsafe name...).
class ThemeToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// values.txt lines: "Key=Value" for the table's keys (kind from the table: integers in decimal,
// colours as $BBGGRR or decimal, booleans True/False or a byte value); other names need a kind prefix:
// "int:Name=5", "bool:Name=True", "text:Name=any text". Blank lines and lines starting with '#' are
// skipped. Every *.bmp file becomes an image entry named after the file. The table's keys come first,
// in key order, then other names in name order.
std::string BuildThemeFile(const std::filesystem::path& folder);

// Writes values.txt and the bitmaps of a theme file into folder (created when missing); returns
// notes about entries it left out (unknown entry types, names unsafe as file names).
std::vector<std::string> DumpThemeFile(const std::string& themeBytes, const std::filesystem::path& folder);

// The font colour a theme file gives for a black title-bar caption, where its style has one.
inline constexpr std::int32_t kDarkCaptionFontColor = 0x010000;

// A built-in style as a folder: values from the table (ControlFontColor kDarkCaptionFontColor
// for MacOS, so that its caption stays black), bitmaps copied from artDir (skin/art).
void ExportBuiltinStyle(skin::TSkinUIStyle style, const std::filesystem::path& artDir,
                        const std::filesystem::path& folder);

}  // namespace quendrel::theme

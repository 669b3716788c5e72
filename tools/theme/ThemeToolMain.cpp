// quendrel-theme: writes a theme file from a folder of bitmaps and values, and back.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "skin/SkinTheme.h"
#include "skin/ThemeFile.h"
#include "tools/theme/ThemeFolder.h"

namespace {

constexpr char kUsage[] =
    "usage: quendrel-theme build FOLDER THEME_FILE   folder (values.txt, NAME.bmp) -> theme file\n"
    "       quendrel-theme dump THEME_FILE FOLDER    theme file -> folder\n"
    "       quendrel-theme style STYLE ART_DIR FOLDER\n"
    "                                   a built-in style (MacOS, WinXP, DeepBlue, Protein, BlueGlass)\n"
    "                                   as a folder, its bitmaps taken from ART_DIR (skin/art)\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quendrel;
  const std::string_view command = argc > 1 ? argv[1] : "";
  try {
    if (command == "build" && argc == 4) {
      const std::string bytes = theme::BuildThemeFile(argv[2]);
      std::ofstream out(argv[3], std::ios::binary);
      if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        std::fprintf(stderr, "quendrel-theme: cannot write %s\n", argv[3]);
        return 1;
      }
      return 0;
    }
    if (command == "dump" && argc == 4) {
      const auto raw = skin::ReadThemeFileBytes(argv[2]);
      const std::string bytes(reinterpret_cast<const char*>(raw.data()), raw.size());
      for (const std::string& note : theme::DumpThemeFile(bytes, argv[3]))
        std::fprintf(stderr, "quendrel-theme: %s\n", note.c_str());
      return 0;
    }
    if (command == "style" && argc == 5) {
      const std::string_view names[] = {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
      for (int s = 0; s < 5; ++s)
        if (names[s] == argv[2]) {
          theme::ExportBuiltinStyle(static_cast<skin::TSkinUIStyle>(s + 1), argv[3], argv[4]);
          return 0;
        }
      std::fprintf(stderr, "quendrel-theme: no built-in style %s\n", argv[2]);
      return 2;
    }
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrel-theme: %s\n", e.what());
    return 1;
  }
}

// Writes the seed corpus of the theme-file fuzzer: small theme files, intact and damaged.
//   theme_fuzz_corpus OUT_DIR   (creates OUT_DIR/theme)
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/SkinTheme.h"
#include "skin/ThemeFileWriter.h"

namespace {

using namespace quendrel::skin;

void Save(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Set32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 2 x 1 24-bit BMP.
std::string TinyBmp() {
  std::string b = "BM";
  b.resize(62, '\0');
  Set32(b, 2, 62);
  Set32(b, 10, 54);
  Set32(b, 14, 40);
  Set32(b, 18, 2);
  Set32(b, 22, 1);
  b[26] = 1;
  b[28] = 24;
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path dir = std::filesystem::path(argv[1]) / "theme";
  std::vector<ThemeFileItem> items;
  for (int k = 1; k <= kThemeKeyCount; ++k) {
    const std::string name(ThemeKeyName(k));
    switch (ThemeKeyKind(k)) {
      case TThemeKeyKind::Image: items.push_back(ThemeFileItem::Image(name, TinyBmp())); break;
      case TThemeKeyKind::Boolean: items.push_back(ThemeFileItem::Boolean(name, GetThemeBool(TSkinUIStyle::MacOS, k))); break;
      default: items.push_back(ThemeFileItem::Integer(name, GetThemeInt(TSkinUIStyle::MacOS, k))); break;
    }
  }
  items.push_back(ThemeFileItem::Text("Author", "seed"));
  const std::string all = WriteThemeFile(items);
  Save(dir, "every_key.qst", all);
  Save(dir, "empty_chain.qst", WriteThemeFile({}));
  std::string loop = WriteThemeFile({ThemeFileItem::Integer("FormRoundCornerInt", 11),
                                     ThemeFileItem::Boolean("ButtonTransparentBool", true)});
  Set32(loop, 24 + 77 + 73, 24);
  Save(dir, "loop.qst", loop);
  std::string past = WriteThemeFile({ThemeFileItem::Image("ButtonImage", TinyBmp())});
  Set32(past, 24 + 69, 0xFFFFFF00u);
  Save(dir, "size_past_end.qst", past);
  Save(dir, "truncated.qst", all.substr(0, 24 + 77 * 5 + 30));
  return 0;
}

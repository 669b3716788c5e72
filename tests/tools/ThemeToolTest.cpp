// quendrel-theme's folders: built-in styles round-trip through theme files byte for byte, and bad
// folders or hostile files are refused.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "skin/SkinTheme.h"
#include "skin/ThemeFile.h"
#include "skin/ThemeFileWriter.h"
#include "tests/support/TestFiles.h"
#include "tools/theme/ThemeFolder.h"

namespace quendrel::theme {
namespace {

namespace fs = std::filesystem;
using skin::TSkinUIStyle;

#ifndef QUENDREL_SKIN_ART_DIR
#error "QUENDREL_SKIN_ART_DIR names the folder of the skin's bitmaps"
#endif

std::span<const std::byte> Bytes(const std::string& s) { return std::as_bytes(std::span(s.data(), s.size())); }

TEST(ThemeTool, BuiltinStylesRoundTrip) {
  for (int s = 1; s <= 5; ++s) {
    const auto style = static_cast<TSkinUIStyle>(s);
    test::ScratchDir dir("theme");
    ExportBuiltinStyle(style, QUENDREL_SKIN_ART_DIR, dir.Path() / "style");
    const std::string file = BuildThemeFile(dir.Path() / "style");

    // The file answers every key as the table does (but for the MacOS caption's mark), and holds
    // the style's own bitmaps.
    const skin::TSkinThemeFileReader reader(Bytes(file));
    EXPECT_EQ(reader.Entries().size(), size_t(skin::kThemeKeyCount)) << s;
    for (int k = 1; k <= skin::kThemeKeyCount; ++k) {
      const auto name = skin::ThemeKeyName(k);
      skin::ThemeEntry e = skin::LookupThemeEntry(style, k);
      if (k == skin::keys::ControlFontColor && style == TSkinUIStyle::MacOS) e.value = kDarkCaptionFontColor;
      switch (e.kind) {
        case skin::TThemeKeyKind::Image: {
          const auto image = reader.GetStream(name);
          ASSERT_TRUE(image) << name;
          EXPECT_EQ(std::string(reinterpret_cast<const char*>(image->data()), image->size()),
                    test::ReadFile(std::string(QUENDREL_SKIN_ART_DIR) + "/" + std::string(e.image) + ".bmp"))
              << name;
          break;
        }
        case skin::TThemeKeyKind::Boolean: EXPECT_EQ(reader.GetBool(name), e.value != 0) << name; break;
        default: EXPECT_EQ(reader.GetInt(name), e.value) << name; break;
      }
    }

    // Dumped and built again: the same bytes.
    EXPECT_TRUE(DumpThemeFile(file, dir.Path() / "dumped").empty());
    EXPECT_EQ(BuildThemeFile(dir.Path() / "dumped"), file) << s;
  }
}

// Figure: parsing a theme file that holds every key (the MacOS style's, about 60 KB).
TEST(ThemeTool, LoadTimeOfAFileWithEveryKey) {
  test::ScratchDir dir("theme");
  ExportBuiltinStyle(TSkinUIStyle::MacOS, QUENDREL_SKIN_ART_DIR, dir.Path());
  const std::string file = BuildThemeFile(dir.Path());
  const std::string path = dir.File("macos.qst");
  test::WriteFile(path, file);
  constexpr int kRounds = 200;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) {
    const skin::TSkinThemeFileReader reader(path);
    ASSERT_EQ(reader.Entries().size(), size_t(skin::kThemeKeyCount));
  }
  const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kRounds;
  std::printf("theme file with every key: %zu bytes, loaded from disk in %.1f us\n", file.size(), us);
  RecordProperty("load_us", std::to_string(us));
}

TEST(ThemeTool, NamesOfOurOwnAndRawBooleans) {
  test::ScratchDir dir("theme");
  test::WriteFile(dir.File("values.txt"),
                  "# comment\n\nFormBorderColor=$C82C00\nTitleBarButtonRightOffsetInt = -3\n"
                  "ButtonTransparentBool=2\nint:Revision=7\nbool:Beta=True\ntext:Author= A. Person \n");
  const std::string file = BuildThemeFile(dir.Path());
  const skin::TSkinThemeFileReader reader(Bytes(file));
  EXPECT_EQ(reader.GetInt("FormBorderColor"), 0xC82C00);
  EXPECT_EQ(reader.GetInt("TitleBarButtonRightOffsetInt"), -3);
  EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
  EXPECT_EQ(reader.GetInt("Revision"), 7);
  EXPECT_TRUE(reader.GetBool("Beta"));
  EXPECT_EQ(reader.GetText("Author"), " A. Person ");
  DumpThemeFile(file, dir.Path() / "again");
  EXPECT_EQ(BuildThemeFile(dir.Path() / "again"), file);
  EXPECT_NE(test::ReadFile(dir.File("again/values.txt")).find("ButtonTransparentBool=2\n"), std::string::npos);
}

TEST(ThemeTool, RefusesBadFolders) {
  struct Case {
    const char* what;
    std::function<void(test::ScratchDir&)> make;
  };
  const Case cases[] = {
      {"line without '='", [](auto& d) { test::WriteFile(d.File("values.txt"), "FormBorderColor\n"); }},
      {"value not a number", [](auto& d) { test::WriteFile(d.File("values.txt"), "FormBorderWidthInt=wide\n"); }},
      {"name of our own without a kind", [](auto& d) { test::WriteFile(d.File("values.txt"), "Revision=7\n"); }},
      {"kind given for a table key", [](auto& d) { test::WriteFile(d.File("values.txt"), "text:FormBorderWidthInt=1\n"); }},
      {"image key in the values", [](auto& d) { test::WriteFile(d.File("values.txt"), "ButtonImage=1\n"); }},
      {"boolean out of a byte", [](auto& d) { test::WriteFile(d.File("values.txt"), "ButtonTransparentBool=300\n"); }},
      {"same name twice", [](auto& d) { test::WriteFile(d.File("values.txt"), "FormMinWidthInt=1\nformminwidthint=2\n"); }},
      {"name too long", [](auto& d) { test::WriteFile(d.File("values.txt"), "int:" + std::string(65, 'n') + "=1\n"); }},
      {"bitmap that is no BMP", [](auto& d) { test::WriteFile(d.File("ButtonImage.bmp"), "not a bitmap"); }},
      {"bitmap for a key that is no image",
       [](auto& d) {
         test::WriteFile(d.File("FormBorderColor.bmp"),
                         test::ReadFile(std::string(QUENDREL_SKIN_ART_DIR) + "/MENU_CHECKED.bmp"));
       }},
  };
  for (const Case& c : cases) {
    test::ScratchDir dir("theme");
    c.make(dir);
    EXPECT_THROW(BuildThemeFile(dir.Path()), ThemeToolError) << c.what;
  }
}

// A theme file is untrusted: names that would leave the folder are not used as file names.
TEST(ThemeTool, DumpKeepsToItsFolder) {
  const std::string file = skin::WriteThemeFile({skin::ThemeFileItem::Image("../escape", "BM"),
                                                 skin::ThemeFileItem::Image("C:evil", "BM"),
                                                 skin::ThemeFileItem::Image("ButtonImage", "BM"),
                                                 {"odd", static_cast<skin::ThemeEntryType>(9), "x"}});
  test::ScratchDir dir("theme");
  const auto notes = DumpThemeFile(file, dir.Path() / "out");
  EXPECT_EQ(notes.size(), 3u);
  EXPECT_TRUE(fs::exists(dir.Path() / "out" / "ButtonImage.bmp"));
  EXPECT_FALSE(fs::exists(dir.Path() / "escape.bmp"));
  size_t files = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 2u);  // values.txt and ButtonImage.bmp
  std::string wrongMagic = file;
  wrongMagic[0] = 'X';
  EXPECT_THROW(DumpThemeFile(wrongMagic, dir.Path() / "out2"), ThemeToolError);
}

}  // namespace
}  // namespace quendrel::theme

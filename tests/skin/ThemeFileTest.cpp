// Theme files: what the reader loads from intact files, and how it ends on damaged ones.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "skin/FileThemeMgr.h"
#include "skin/SkinTheme.h"
#include "skin/ThemeFile.h"
#include "skin/ThemeFileWriter.h"

namespace quendrel::skin {
namespace {

std::span<const std::byte> Bytes(const std::string& s) { return std::as_bytes(std::span(s.data(), s.size())); }

void Set32(std::string& s, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
size_t EntryAt(int index) { return kThemeHeaderSize + index * kThemeEntrySize; }
constexpr size_t kType = 64, kOffset = 65, kSize = 69, kNext = 73;

const std::string kBmp = "BM fake image bytes";

// Four entries: an image, an integer, a boolean holding 2, a text; then the terminating entry.
std::string Sample() {
  return WriteThemeFile({ThemeFileItem::Image("ButtonImage", kBmp), ThemeFileItem::Integer("FormBorderWidthInt", -7),
                         {"ButtonTransparentBool", ThemeEntryType::Boolean, std::string(1, '\2')},
                         ThemeFileItem::Text("Author", "someone")});
}

TEST(ThemeFile, ReadsWhatTheWriterWrote) {
  const TSkinThemeFileReader reader(Bytes(Sample()));
  const auto image = reader.GetStream("buttonimage");  // names compare case-insensitively
  ASSERT_TRUE(image);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image->data()), image->size()), kBmp);
  EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), -7);
  EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));  // any non-zero byte
  EXPECT_EQ(reader.GetText("Author"), "someone");
  EXPECT_EQ(reader.Entries().size(), 4u);
  // Absent names: -1, False, nothing.
  EXPECT_EQ(reader.GetInt("FormRoundCornerInt"), -1);
  EXPECT_FALSE(reader.GetBool("TitleBarButtonTransparentBool"));
  EXPECT_FALSE(reader.GetStream("CheckBoxImage"));
  // Kinds do not mix: the image's name is no integer.
  EXPECT_EQ(reader.GetInt("ButtonImage"), -1);
}

TEST(ThemeFile, Magic) {
  std::string ok = Sample();
  EXPECT_TRUE(HasThemeFileMagic(Bytes(ok)));
  std::string letter = ok;
  letter[10] = 'X';  // "QSkinThemeX"
  EXPECT_FALSE(HasThemeFileMagic(Bytes(letter)));
  std::string shorter = ok;
  shorter[9] = '\0';  // "QSkinThem"
  EXPECT_FALSE(HasThemeFileMagic(Bytes(shorter)));
  EXPECT_FALSE(HasThemeFileMagic(Bytes(std::string("QSkinTheme"))));  // fewer than 12 bytes
  EXPECT_TRUE(HasThemeFileMagic(Bytes(std::string("QSkinTheme\0\0", 12))));
}

TEST(ThemeFile, FirstEntryOfANameWins) {
  const std::string file = WriteThemeFile({ThemeFileItem::Integer("FormMinWidthInt", 1),
                                           ThemeFileItem::Integer("FORMMINWIDTHINT", 2),
                                           ThemeFileItem::Image("x", "first"), ThemeFileItem::Image("X", "second")});
  const TSkinThemeFileReader reader(Bytes(file));
  EXPECT_EQ(reader.GetInt("formminwidthint"), 1);
  EXPECT_EQ(reader.GetStream("x")->size(), 5u);
}

TEST(ThemeFile, NameOfSixtyFourCharacters) {
  const std::string name(64, 'n');
  const TSkinThemeFileReader reader(Bytes(WriteThemeFile({ThemeFileItem::Integer(name, 5)})));
  EXPECT_EQ(reader.GetInt(name), 5);
  EXPECT_THROW(WriteThemeFile({ThemeFileItem::Integer(name + "n", 5)}), std::invalid_argument);
}

// Damaged files: each either loads a known number of entries or ends in the stream error; none
// reads outside the bytes or allocates by a forged size (the sanitizer build checks that).
TEST(ThemeFile, DamagedFiles) {
  struct Case {
    const char* what;
    std::function<void(std::string&)> damage;
    int entries;  // -1: the stream error
  };
  const Case cases[] = {
      {"intact", [](std::string&) {}, 4},
      {"one entry ending the chain", [](std::string& s) { Set32(s, EntryAt(0) + kNext, 0); }, 0},
      {"chain back to the first entry", [](std::string& s) { Set32(s, EntryAt(1) + kNext, EntryAt(0)); }, 2},
      {"entry pointing at itself", [](std::string& s) { Set32(s, EntryAt(2) + kNext, EntryAt(2)); }, 3},
      {"next entry past the end", [](std::string& s) { Set32(s, EntryAt(1) + kNext, 0xFFFFFF00u); }, -1},
      {"next entry cut short", [](std::string& s) { Set32(s, EntryAt(1) + kNext, uint32_t(s.size() - 40)); }, -1},
      {"first entry past the end", [](std::string& s) { Set32(s, 20, uint32_t(s.size())); }, -1},
      {"header size past the end", [](std::string& s) { Set32(s, 12, 0x7FFFFFFFu); }, -1},
      {"header size 40 keeps the 24-byte fields", [](std::string& s) { Set32(s, 12, 40); }, 4},
      {"image size past the end", [](std::string& s) { Set32(s, EntryAt(0) + kSize, 0xFFFFFFFFu); }, -1},
      {"image offset past the end", [](std::string& s) { Set32(s, EntryAt(0) + kOffset, 0xFFFFFFF0u); }, -1},
      {"image ending one byte late",
       [](std::string& s) { Set32(s, EntryAt(0) + kOffset, uint32_t(s.size() - kBmp.size() + 1)); }, -1},
      {"text size past the end", [](std::string& s) { Set32(s, EntryAt(3) + kSize, 0x80000000u); }, -1},
      {"integer at the last two bytes",
       [](std::string& s) { Set32(s, EntryAt(1) + kOffset, uint32_t(s.size() - 2)); }, -1},
      {"integer with a large data size reads 4 bytes", [](std::string& s) { Set32(s, EntryAt(1) + kSize, 1u << 30); },
       4},
      {"boolean at the very last byte", [](std::string& s) { Set32(s, EntryAt(2) + kOffset, uint32_t(s.size() - 1)); },
       4},
      {"unknown type with a wild offset is skipped",
       [](std::string& s) {
         s[EntryAt(0) + kType] = 9;
         Set32(s, EntryAt(0) + kOffset, 0xFFFFFFFFu);
       },
       4},
      {"cut inside the directory", [](std::string& s) { s.resize(EntryAt(2) + 10); }, -1},
      {"shorter than the header's size field", [](std::string& s) { s.resize(14); }, -1},
      {"empty", [](std::string& s) { s.clear(); }, -1},
  };
  for (const Case& c : cases) {
    std::string file = Sample();
    c.damage(file);
    try {
      const TSkinThemeFileReader reader(Bytes(file));
      EXPECT_EQ(static_cast<int>(reader.Entries().size()), c.entries) << c.what;
    } catch (const EReadError& e) {
      EXPECT_EQ(c.entries, -1) << c.what << ": " << e.what();
      EXPECT_STREQ(e.what(), "Stream read error") << c.what;
    }
  }
}

// Entries placed so that every one starts inside the previous one still end: the chain is never
// longer than the file could hold.
TEST(ThemeFile, OverlappingChainEnds) {
  std::string file = Sample();
  file.resize(4096, '\0');
  // Entries at 100, 101, 102, ... each naming the next byte: all distinct offsets, all overlapping.
  Set32(file, 20, 100);
  for (uint32_t at = 100; at + kThemeEntrySize + 4 < file.size(); ++at) {
    file[at + kType] = 7;
  }
  for (uint32_t at = 100; at + kThemeEntrySize < file.size(); ++at) Set32(file, at + kNext, at + 1);
  try {
    const TSkinThemeFileReader reader(Bytes(file));
    EXPECT_LE(reader.Entries().size(), file.size() / kThemeEntrySize + 1);
  } catch (const EReadError&) {
    SUCCEED();  // the overlapping writes left a field pointing outside: also a clean end
  }
}

class TempFile {
 public:
  explicit TempFile(const std::string& bytes)
      : path_(std::filesystem::temp_directory_path() /
              ("quendrel-theme-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + ".qst")) {
    std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::filesystem::remove(path_); }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

TEST(FileThemeMgr, LoadingAnswersAndFailures) {
  TSkinFileThemeMgr mgr;
  // Without a file: False, 0, 0 and no image.
  EXPECT_FALSE(mgr.GetBool(keys::ButtonTransparentBool));
  EXPECT_EQ(mgr.GetInt(keys::FormRoundCornerInt), 0);
  EXPECT_EQ(mgr.GetColor(keys::FormBorderColor), 0);
  EXPECT_FALSE(mgr.GetImageBytes(keys::ButtonImage));

  const TempFile good(Sample());
  ASSERT_TRUE(mgr.LoadFromFile(good.Path()));
  EXPECT_EQ(mgr.GetInt(keys::FormBorderWidthInt), -7);
  EXPECT_EQ(mgr.GetInt(keys::FormRoundCornerInt), -1);  // absent from the file
  EXPECT_TRUE(mgr.GetBool(keys::ButtonTransparentBool));
  EXPECT_TRUE(mgr.GetImageBytes(keys::ButtonImage));
  EXPECT_EQ(mgr.GetInt(99), -1);

  // A file that does not exist keeps the loaded one.
  EXPECT_FALSE(mgr.LoadFromFile(good.Path() + ".missing"));
  EXPECT_EQ(mgr.GetInt(keys::FormBorderWidthInt), -7);

  // A damaged file: the old one is gone, the error comes through, lookups answer as without a file.
  std::string bad = Sample();
  bad.resize(EntryAt(1));
  const TempFile damaged(bad);
  EXPECT_THROW(mgr.LoadFromFile(damaged.Path()), EReadError);
  EXPECT_FALSE(mgr.Loaded());
  EXPECT_EQ(mgr.GetInt(keys::FormBorderWidthInt), 0);

  EXPECT_TRUE(IsThemeFile(good.Path()));
  EXPECT_FALSE(IsThemeFile(good.Path() + ".missing"));
}

}  // namespace
}  // namespace quendrel::skin

// Theme files: a 24-byte header, a chain of 77-byte directory entries and the data blocks they point
// to, all little-endian, offsets absolute. The reader takes bytes and checks every offset and size
// against them: theme files come from anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quendrel::skin {

inline constexpr char kThemeFileMagic[] = "QSkinTheme";
inline constexpr std::size_t kThemeMagicSize = 12;
inline constexpr std::size_t kThemeHeaderSize = 24;
inline constexpr std::size_t kThemeEntrySize = 77;
inline constexpr std::size_t kThemeEntryNameSize = 64;

enum class ThemeEntryType : std::uint8_t { Image = 0, Integer = 1, Boolean = 2, Text = 3 };

// A read past the end of the file, or to an offset outside it: the file is damaged.
class EReadError : public std::runtime_error {
 public:
  EReadError() : std::runtime_error("Stream read error") {}
};
// The file could not be opened.
class EFOpenError : public std::runtime_error {
 public:
  explicit EFOpenError(const std::string& fileName) : std::runtime_error("Cannot open file \"" + fileName + "\"") {}
};

// The first 12 bytes, read as text up to the first NUL, are exactly "QSkinTheme".
bool HasThemeFileMagic(std::span<const std::byte> bytes);
// The same for a file; false when it cannot be opened or read.
bool IsThemeFile(const std::string& fileName);

// One loaded entry of the chain, in file order (the dump tool lists them).
struct ThemeFileEntry {
  std::string name;
  std::uint8_t type = 0;
  std::uint32_t dataOffset = 0;
  std::uint32_t dataSize = 0;
};

class TSkinThemeFileReader {
 public:
  // Parses the whole file; throws EReadError when the chain or a data block leaves the bytes.
  explicit TSkinThemeFileReader(std::span<const std::byte> bytes);
  // Reads the file first (EFOpenError when it cannot be opened).
  explicit TSkinThemeFileReader(const std::string& fileName);

  // The image block of that name (a whole BMP file), or nullopt. Names compare case-insensitively;
  // the first entry of a name wins.
  std::optional<std::span<const std::byte>> GetStream(std::string_view name) const;
  // -1 when absent or not a number.
  std::int32_t GetInt(std::string_view name) const;
  // False when absent or not a number.
  bool GetBool(std::string_view name) const;
  std::optional<std::string> GetText(std::string_view name) const;

  // Every entry the chain loaded, including those of unknown type (which carry no data here).
  const std::vector<ThemeFileEntry>& Entries() const { return entries_; }

 private:
  void Parse();

  // One copy of the file; image and text blocks are ranges of it, so entries that share a block
  // cost nothing extra.
  std::vector<std::byte> bytes_;
  std::vector<ThemeFileEntry> entries_;
  std::map<std::string, std::span<const std::byte>> streams_;  // lower-case name
  std::map<std::string, std::string> ints_;                    // "name=value" split at the first '='
  std::map<std::string, std::string> bools_;
  std::map<std::string, std::span<const std::byte>> texts_;
};

// Files above this size are refused (EReadError) before anything is allocated for them.
inline constexpr std::uint64_t kMaxThemeFileSize = 64u * 1024 * 1024;

// The file's bytes; EFOpenError when it cannot be opened, EReadError when it is too large.
std::vector<std::byte> ReadThemeFileBytes(const std::string& fileName);

}  // namespace quendrel::skin

#include "skin/ThemeFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <fstream>
#include <set>

namespace quendrel::skin {

namespace {

std::uint32_t U32(std::span<const std::byte> b, std::size_t at) {
  return std::to_integer<std::uint32_t>(b[at]) | std::to_integer<std::uint32_t>(b[at + 1]) << 8 |
         std::to_integer<std::uint32_t>(b[at + 2]) << 16 | std::to_integer<std::uint32_t>(b[at + 3]) << 24;
}

// The bytes [offset, offset + size) of the file, or EReadError when they are not all there.
std::span<const std::byte> Range(std::span<const std::byte> file, std::uint64_t offset, std::uint64_t size) {
  if (offset > file.size() || size > file.size() - offset) throw EReadError();
  return file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Adds "name=value" the way a name=value list holds it: the name is what precedes the first '='.
void AddLine(std::map<std::string, std::string>& list, const std::string& name, const std::string& value) {
  const std::string line = name + "=" + value;
  const std::size_t eq = line.find('=');
  list.try_emplace(Lower(line.substr(0, eq)), line.substr(eq + 1));
}

std::optional<std::int64_t> Number(const std::map<std::string, std::string>& list, std::string_view name) {
  const auto it = list.find(Lower(name));
  if (it == list.end()) return std::nullopt;
  std::int64_t v = 0;
  const char* first = it->second.data();
  const char* last = first + it->second.size();
  const auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || it->second.empty()) return std::nullopt;
  return v;
}

struct RawEntry {
  std::string name;
  std::uint8_t type;
  std::uint32_t dataOffset, dataSize, next;
};

RawEntry ReadEntry(std::span<const std::byte> file, std::uint64_t offset) {
  const auto e = Range(file, offset, kThemeEntrySize);
  RawEntry r;
  const char* name = reinterpret_cast<const char*>(e.data());
  r.name.assign(name, strnlen(name, kThemeEntryNameSize));  // 64 characters leave no room for a NUL
  r.type = std::to_integer<std::uint8_t>(e[64]);
  r.dataOffset = U32(e, 65);
  r.dataSize = U32(e, 69);
  r.next = U32(e, 73);
  return r;
}

}  // namespace

bool HasThemeFileMagic(std::span<const std::byte> bytes) {
  if (bytes.size() < kThemeMagicSize) return false;
  const char* text = reinterpret_cast<const char*>(bytes.data());
  return std::string_view(text, strnlen(text, kThemeMagicSize)) == kThemeFileMagic;
}

bool IsThemeFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return false;
  std::byte magic[kThemeMagicSize];
  if (!in.read(reinterpret_cast<char*>(magic), sizeof(magic))) return false;
  return HasThemeFileMagic(magic);
}

std::vector<std::byte> ReadThemeFileBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary | std::ios::ate);
  if (!in) throw EFOpenError(fileName);
  const std::streamoff size = in.tellg();
  if (size < 0) throw EReadError();
  if (static_cast<std::uint64_t>(size) > kMaxThemeFileSize) throw EReadError();
  std::vector<std::byte> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) throw EReadError();
  return bytes;
}

TSkinThemeFileReader::TSkinThemeFileReader(std::span<const std::byte> bytes) : bytes_(bytes.begin(), bytes.end()) {
  Parse();
}

TSkinThemeFileReader::TSkinThemeFileReader(const std::string& fileName) : bytes_(ReadThemeFileBytes(fileName)) {
  Parse();
}

void TSkinThemeFileReader::Parse() {
  const std::span<const std::byte> file(bytes_);
  // The header says how long it is; only its 24 bytes of fields are taken, and a shorter header
  // leaves the remaining fields zero.
  const std::uint32_t headerSize = U32(Range(file, 0, 16), 12);
  std::byte header[kThemeHeaderSize] = {};
  const auto stored = Range(file, 0, headerSize);
  std::copy_n(stored.begin(), std::min<std::size_t>(stored.size(), kThemeHeaderSize), header);
  std::uint64_t offset = U32(header, 20);

  // A chain that comes back to an entry it has passed ends there; so does one longer than the
  // file could hold without overlapping entries.
  std::set<std::uint64_t> visited{offset};
  const std::size_t maxEntries = file.size() / kThemeEntrySize + 1;
  RawEntry entry = ReadEntry(file, offset);
  while (entry.next != 0) {
    ThemeFileEntry loaded{entry.name, entry.type, entry.dataOffset, entry.dataSize};
    switch (entry.type) {
      case static_cast<std::uint8_t>(ThemeEntryType::Image):
        streams_.try_emplace(Lower(entry.name), Range(file, entry.dataOffset, entry.dataSize));
        break;
      case static_cast<std::uint8_t>(ThemeEntryType::Integer): {
        // Exactly 4 bytes, whatever the data size says.
        const auto v = static_cast<std::int32_t>(U32(Range(file, entry.dataOffset, 4), 0));
        AddLine(ints_, entry.name, std::to_string(v));
        break;
      }
      case static_cast<std::uint8_t>(ThemeEntryType::Boolean): {
        const auto b = std::to_integer<unsigned>(Range(file, entry.dataOffset, 1)[0]);
        AddLine(bools_, entry.name, std::to_string(b));
        break;
      }
      case static_cast<std::uint8_t>(ThemeEntryType::Text): {
        const auto text = Range(file, entry.dataOffset, entry.dataSize);
        const std::string line = entry.name + "=";
        const std::string key = Lower(line.substr(0, line.find('=')));
        // A name holding '=' keeps its tail in the text, as a name=value list would.
        if (entry.name.find('=') == std::string::npos) texts_.try_emplace(key, text);
        break;
      }
      default:
        break;  // unknown types are skipped
    }
    entries_.push_back(std::move(loaded));
    offset = entry.next;
    if (!visited.insert(offset).second || visited.size() > maxEntries) break;
    entry = ReadEntry(file, offset);
  }
}

std::optional<std::span<const std::byte>> TSkinThemeFileReader::GetStream(std::string_view name) const {
  const auto it = streams_.find(Lower(name));
  if (it == streams_.end()) return std::nullopt;
  return it->second;
}

std::int32_t TSkinThemeFileReader::GetInt(std::string_view name) const {
  const auto v = Number(ints_, name);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) return -1;
  return static_cast<std::int32_t>(*v);
}

bool TSkinThemeFileReader::GetBool(std::string_view name) const {
  const auto v = Number(bools_, name);
  return v && *v != 0;
}

std::optional<std::string> TSkinThemeFileReader::GetText(std::string_view name) const {
  const auto it = texts_.find(Lower(name));
  if (it == texts_.end()) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(it->second.data()), it->second.size());
}

}  // namespace quendrel::skin

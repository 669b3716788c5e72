#include "tools/theme/ThemeFolder.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "skin/ThemeFile.h"
#include "skin/ThemeFileWriter.h"
#include "toolkit/BmpCodec.h"

namespace quendrel::theme {

namespace fs = std::filesystem;
using skin::ThemeEntryType;
using skin::ThemeFileItem;
using skin::TThemeKeyKind;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ThemeToolError("cannot read " + path.string());
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) throw ThemeToolError("cannot write " + path.string());
}

std::string Trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  const auto e = s.find_last_not_of(" \t\r");
  return std::string(s.substr(b, e - b + 1));
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::int32_t ParseInt(const std::string& text, const std::string& where) {
  std::string_view v = text;
  int base = 10;
  if (v.starts_with("$")) {
    v.remove_prefix(1);
    base = 16;
  } else if (v.starts_with("0x") || v.starts_with("0X")) {
    v.remove_prefix(2);
    base = 16;
  }
  std::int64_t n = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n, base);
  if (v.empty() || ec != std::errc() || end != v.data() + v.size() || n < INT32_MIN || n > UINT32_MAX)
    throw ThemeToolError(where + ": not a number: " + text);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
}

std::uint8_t ParseBool(const std::string& text, const std::string& where) {
  const std::string l = Lower(text);
  if (l == "true") return 1;
  if (l == "false") return 0;
  const std::int32_t n = ParseInt(text, where);
  if (n < 0 || n > 255) throw ThemeToolError(where + ": a boolean is True, False or a byte: " + text);
  return static_cast<std::uint8_t>(n);
}

// Entry names become file names when dumped: letters, digits, '_', '-' and '.', not leading.
bool SafeFileName(const std::string& name) {
  if (name.empty() || name.size() > 64 || name[0] == '.') return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
  });
}

void CheckName(const std::string& name, const std::string& where) {
  if (name.empty() || name.size() > skin::kThemeEntryNameSize || name.find('=') != std::string::npos)
    throw ThemeToolError(where + ": an entry name has 1 to 64 characters and no '=': " + name);
}

// Sort key: the table's keys by number, then the rest by name.
std::pair<int, std::string> Order(const std::string& name) {
  const int k = skin::ThemeKeyNumber(name);
  return {k ? k : skin::kThemeKeyCount + 1, k ? std::string() : name};
}

std::string FormatValue(TThemeKeyKind kind, std::int32_t v) {
  if (kind == TThemeKeyKind::Color && v >= 0 && v <= 0xFFFFFF) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%06X", static_cast<unsigned>(v));
    return buf;
  }
  return std::to_string(v);
}

}  // namespace

std::string BuildThemeFile(const fs::path& folder) {
  std::map<std::pair<int, std::string>, ThemeFileItem> items;
  std::set<std::string> names;  // lower case: the reader would only see the first of a name
  auto add = [&](ThemeFileItem item, const std::string& where) {
    CheckName(item.name, where);
    if (!names.insert(Lower(item.name)).second) throw ThemeToolError(where + ": entry given twice: " + item.name);
    items.emplace(Order(item.name), std::move(item));
  };

  const fs::path values = folder / kValuesFile;
  if (fs::exists(values)) {
    std::istringstream lines(ReadAll(values));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
      const std::string where = values.filename().string() + ":" + std::to_string(number);
      std::string t = line;
      if (!t.empty() && t.back() == '\r') t.pop_back();
      t.erase(0, t.find_first_not_of(" \t"));  // a text value keeps its own spaces
      if (t.empty() || t[0] == '#') continue;
      const auto eq = t.find('=');
      if (eq == std::string::npos) throw ThemeToolError(where + ": expected Name=Value");
      std::string name = Trim(t.substr(0, eq));
      const std::string value = t.substr(eq + 1);  // text keeps its spaces
      std::string kind;
      if (const auto colon = name.find(':'); colon != std::string::npos) {
        kind = Lower(name.substr(0, colon));
        name = name.substr(colon + 1);
      }
      const int key = skin::ThemeKeyNumber(name);
      if (key && !kind.empty()) throw ThemeToolError(where + ": " + name + " is a key of the table; its kind is fixed");
      if (key) {
        switch (skin::ThemeKeyKind(key)) {
          case TThemeKeyKind::Image: throw ThemeToolError(where + ": " + name + " is an image: give " + name + ".bmp");
          case TThemeKeyKind::Boolean:
            add({name, ThemeEntryType::Boolean, std::string(1, static_cast<char>(ParseBool(Trim(value), where)))}, where);
            break;
          default: add(ThemeFileItem::Integer(name, ParseInt(Trim(value), where)), where); break;
        }
      } else if (kind == "int") {
        add(ThemeFileItem::Integer(name, ParseInt(Trim(value), where)), where);
      } else if (kind == "bool") {
        add({name, ThemeEntryType::Boolean, std::string(1, static_cast<char>(ParseBool(Trim(value), where)))}, where);
      } else if (kind == "text") {
        add(ThemeFileItem::Text(name, value), where);
      } else {
        throw ThemeToolError(where + ": unknown key " + name + " (write int:, bool: or text: before a name of your own)");
      }
    }
  }

  std::vector<fs::path> bitmaps;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && Lower(entry.path().extension().string()) == ".bmp") bitmaps.push_back(entry.path());
  std::sort(bitmaps.begin(), bitmaps.end());
  for (const fs::path& path : bitmaps) {
    const std::string name = path.stem().string();
    const int key = skin::ThemeKeyNumber(name);
    if (key && skin::ThemeKeyKind(key) != TThemeKeyKind::Image)
      throw ThemeToolError(path.filename().string() + ": " + name + " is not an image key");
    std::string bmp = ReadAll(path);
    if (!toolkit::DecodeBmp(std::as_bytes(std::span(bmp.data(), bmp.size()))))
      throw ThemeToolError(path.filename().string() + ": not a BMP file the skin can load");
    add(ThemeFileItem::Image(name, std::move(bmp)), path.filename().string());
  }

  std::vector<ThemeFileItem> ordered;
  for (auto& [order, item] : items) ordered.push_back(std::move(item));
  return skin::WriteThemeFile(ordered);
}

std::vector<std::string> DumpThemeFile(const std::string& themeBytes, const fs::path& folder) {
  const auto bytes = std::as_bytes(std::span(themeBytes.data(), themeBytes.size()));
  if (!skin::HasThemeFileMagic(bytes)) throw ThemeToolError("Invalid skin file!");
  const skin::TSkinThemeFileReader reader(bytes);
  fs::create_directories(folder);
  std::vector<std::string> notes;
  std::set<std::string> done;
  std::map<std::pair<int, std::string>, std::string> lines;
  for (const auto& e : reader.Entries()) {
    if (!done.insert(Lower(e.name)).second) {
      notes.push_back(e.name + ": a later entry of the same name (never read), left out");
      continue;
    }
    const int key = skin::ThemeKeyNumber(e.name);
    const std::string prefix = key ? "" : e.type == 1 ? "int:" : e.type == 2 ? "bool:" : "text:";
    switch (e.type) {
      case static_cast<std::uint8_t>(ThemeEntryType::Image): {
        if (!SafeFileName(e.name)) {
          notes.push_back("image \"" + e.name + "\": name not usable as a file name, left out");
          break;
        }
        const auto block = *reader.GetStream(e.name);
        WriteAll(folder / (e.name + ".bmp"), std::string(reinterpret_cast<const char*>(block.data()), block.size()));
        break;
      }
      case static_cast<std::uint8_t>(ThemeEntryType::Integer):
        lines[Order(e.name)] = prefix + e.name + "=" +
                               FormatValue(key ? skin::ThemeKeyKind(key) : TThemeKeyKind::Integer, reader.GetInt(e.name));
        break;
      case static_cast<std::uint8_t>(ThemeEntryType::Boolean): {
        // The byte itself (the reader checked it lies in the file), so values other than 0 and 1 survive.
        const auto raw = static_cast<unsigned char>(themeBytes[e.dataOffset]);
        lines[Order(e.name)] = prefix + e.name + "=" + (raw == 0 ? "False" : raw == 1 ? "True" : std::to_string(raw));
        break;
      }
      case static_cast<std::uint8_t>(ThemeEntryType::Text): {
        const std::string text = reader.GetText(e.name).value_or("");
        if (e.name.find('=') != std::string::npos || text.find_first_of("\r\n") != std::string::npos) {
          notes.push_back("text \"" + e.name + "\": does not fit one line, left out");
          break;
        }
        lines[Order(e.name)] = prefix + e.name + "=" + text;
        break;
      }
      default:
        notes.push_back("\"" + e.name + "\": entry type " + std::to_string(e.type) + " is not read, left out");
    }
  }
  std::string out = "# Theme values, one Name=Value per line (quendrel-theme)\n";
  for (const auto& [order, line] : lines) out += line + "\n";
  WriteAll(folder / kValuesFile, out);
  return notes;
}

void ExportBuiltinStyle(skin::TSkinUIStyle style, const fs::path& artDir, const fs::path& folder) {
  fs::create_directories(folder);
  std::string out = "# Theme values, one Name=Value per line (quendrel-theme)\n";
  for (int k = 1; k <= skin::kThemeKeyCount; ++k) {
    skin::ThemeEntry e = skin::LookupThemeEntry(style, k);
    // A theme file asks for a black caption by this near-black font colour; MacOS has one.
    if (k == skin::keys::ControlFontColor && style == skin::TSkinUIStyle::MacOS) e.value = kDarkCaptionFontColor;
    const std::string name(skin::ThemeKeyName(k));
    switch (e.kind) {
      case TThemeKeyKind::Image:
        fs::copy_file(artDir / (std::string(e.image) + ".bmp"), folder / (name + ".bmp"),
                      fs::copy_options::overwrite_existing);
        break;
      case TThemeKeyKind::Boolean: out += name + "=" + (e.value ? "True" : "False") + "\n"; break;
      default: out += name + "=" + FormatValue(e.kind, e.value) + "\n"; break;
    }
  }
  WriteAll(folder / kValuesFile, out);
}

}  // namespace quendrel::theme

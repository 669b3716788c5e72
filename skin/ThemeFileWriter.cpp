#include "skin/ThemeFileWriter.h"

#include <limits>
#include <stdexcept>

namespace quendrel::skin {

namespace {

void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutEntry(std::string& s, const std::string& name, std::uint8_t type, std::uint32_t offset, std::uint32_t size,
              std::uint32_t next) {
  std::string field = name;
  field.resize(kThemeEntryNameSize, '\0');
  s += field;
  s.push_back(static_cast<char>(type));
  Put32(s, offset);
  Put32(s, size);
  Put32(s, next);
}

}  // namespace

ThemeFileItem ThemeFileItem::Integer(std::string name, std::int32_t value) {
  std::string data;
  Put32(data, static_cast<std::uint32_t>(value));
  return {std::move(name), ThemeEntryType::Integer, std::move(data)};
}

ThemeFileItem ThemeFileItem::Boolean(std::string name, bool value) {
  return {std::move(name), ThemeEntryType::Boolean, std::string(1, value ? '\1' : '\0')};
}

ThemeFileItem ThemeFileItem::Image(std::string name, std::string bmp) {
  return {std::move(name), ThemeEntryType::Image, std::move(bmp)};
}

ThemeFileItem ThemeFileItem::Text(std::string name, std::string text) {
  return {std::move(name), ThemeEntryType::Text, std::move(text)};
}

std::string WriteThemeFile(const std::vector<ThemeFileItem>& items) {
  std::uint64_t total = kThemeHeaderSize + (items.size() + 1) * kThemeEntrySize;
  for (const auto& item : items) {
    if (item.name.size() > kThemeEntryNameSize) throw std::invalid_argument("entry name longer than 64 bytes: " + item.name);
    total += item.data.size();
  }
  if (total > std::numeric_limits<std::uint32_t>::max()) throw std::invalid_argument("theme file larger than 4 GB");

  std::string s;
  s.reserve(static_cast<std::size_t>(total));
  std::string magic = kThemeFileMagic;
  magic.resize(kThemeMagicSize, '\0');
  s += magic;
  Put32(s, kThemeHeaderSize);
  Put32(s, 0);
  Put32(s, kThemeHeaderSize);  // the directory follows the header

  std::uint32_t data = static_cast<std::uint32_t>(kThemeHeaderSize + (items.size() + 1) * kThemeEntrySize);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto next = static_cast<std::uint32_t>(kThemeHeaderSize + (i + 1) * kThemeEntrySize);
    const auto size = static_cast<std::uint32_t>(items[i].data.size());
    PutEntry(s, items[i].name, static_cast<std::uint8_t>(items[i].type), data, size, next);
    data += size;
  }
  PutEntry(s, "", 0xFF, 0, 0, 0);  // ends the chain; never loaded
  for (const auto& item : items) s += item.data;
  return s;
}

}  // namespace quendrel::skin

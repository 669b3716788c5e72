#include "skin/FileThemeMgr.h"

#include <filesystem>
#include <system_error>

#include "skin/SkinTheme.h"

namespace quendrel::skin {

bool TSkinFileThemeMgr::LoadFromFile(const std::string& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::path(fileName), ec)) return false;
  reader_.reset();
  reader_ = std::make_unique<TSkinThemeFileReader>(fileName);
  return true;
}

void TSkinFileThemeMgr::LoadFromBytes(std::span<const std::byte> bytes) {
  reader_.reset();
  reader_ = std::make_unique<TSkinThemeFileReader>(bytes);
}

// A key number outside the table names no entry (not even one with an empty name).
std::optional<std::span<const std::byte>> TSkinFileThemeMgr::GetImageBytes(int keyNumber) const {
  if (!reader_ || ThemeKeyName(keyNumber).empty()) return std::nullopt;
  return reader_->GetStream(ThemeKeyName(keyNumber));
}

bool TSkinFileThemeMgr::GetBool(int keyNumber) const {
  return reader_ && !ThemeKeyName(keyNumber).empty() && reader_->GetBool(ThemeKeyName(keyNumber));
}

std::int32_t TSkinFileThemeMgr::GetInt(int keyNumber) const {
  if (!reader_) return 0;
  return ThemeKeyName(keyNumber).empty() ? -1 : reader_->GetInt(ThemeKeyName(keyNumber));
}

std::int32_t TSkinFileThemeMgr::GetColor(int keyNumber) const { return GetInt(keyNumber); }

}  // namespace quendrel::skin

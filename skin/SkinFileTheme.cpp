#include "skin/SkinFileTheme.h"

#include <filesystem>
#include <system_error>

#include "skin/ThemeFile.h"

namespace quendrel::skin {

namespace {

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

}  // namespace

std::string ThemeFileNamePart(const std::string& path) {
  const auto cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

TResolvedStyle ResolveUIStyle(const TSkinFileTheme* fileTheme, TSkinUIStyle style) {
  if (style != TSkinUIStyle::FromThemeFile) return {false, style};
  if (fileTheme && fileTheme->Valid()) return {true, style};
  return {false, TSkinUIStyle::DeepBlue};
}

bool GetThemeBool(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber) {
  return resolved.fromFile ? fileTheme->GetBool(keyNumber) : GetThemeBool(resolved.style, keyNumber);
}

std::int32_t GetThemeInt(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber) {
  return resolved.fromFile ? fileTheme->GetInt(keyNumber) : GetThemeInt(resolved.style, keyNumber);
}

std::int32_t GetThemeColor(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber) {
  return resolved.fromFile ? fileTheme->GetColor(keyNumber) : GetThemeColor(resolved.style, keyNumber);
}

TSkinFileTheme::TSkinFileTheme(toolkit::TComponent* owner) : TComponent(owner) {}

const toolkit::TPropertyList& TSkinFileTheme::ClassProperties() {
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TComponent::ClassProperties();
    l.String<TSkinFileTheme>(
        "ThemeFile", [](const TSkinFileTheme& t) { return t.ThemeFile(); },
        [](TSkinFileTheme& t, const std::string& v) { t.SetThemeFile(v); });
    return l;
  }();
  return list;
}

bool TSkinFileTheme::IsThemeFile(const std::string& fileName) { return skin::IsThemeFile(fileName); }

void TSkinFileTheme::SetThemeFile(const std::string& value) {
  if (value == themeFile_) return;
  std::string found;
  if (FileExists(value)) {
    found = value;
  } else {
    const std::string name = ThemeFileNamePart(value);
    for (const std::string& dir : SearchDirs ? SearchDirs() : std::vector<std::string>())
      if (FileExists(dir + name)) {
        found = dir + name;
        break;
      }
  }
  if (found.empty()) return;
  if (!IsThemeFile(found)) throw std::runtime_error("Invalid skin file!");
  themeFile_ = found;
  valid_ = mgr_.LoadFromFile(found);
  if (!valid_ || !Owner()) return;
  // Controls already set to draw from this theme pick up the new file through their FileTheme setter.
  toolkit::TComponent* owner = Owner();
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    toolkit::TComponent* c = owner->Components(i);
    if (!c->ClassName().starts_with("TSkin") || !toolkit::IsPublishedProp(*c, "FileTheme")) continue;
    const toolkit::TPropInfo* info = toolkit::GetPropInfo(*c, "FileTheme");
    if (info->Kind != toolkit::tkClass || !info->SetObj) continue;
    if (toolkit::GetObjectProp(*c, "FileTheme").Component() == this)
      toolkit::SetObjectProp(*c, "FileTheme", toolkit::TObjectRef(this));
  }
}

}  // namespace quendrel::skin

// TSkinFileTheme: the component that loads a theme file for the skinned controls that reference it
// through their FileTheme property.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/FileThemeMgr.h"
#include "skin/SkinTheme.h"
#include "toolkit/Component.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {

// Folders, each ending in a separator, where a theme file is looked for by its name part when the
// given path names no file: the program's folder, the Windows folder, the system folder.
std::vector<std::string> DefaultThemeSearchDirs();

class TSkinFileTheme : public toolkit::TComponent {
 public:
  explicit TSkinFileTheme(toolkit::TComponent* owner);

  std::string ClassName() const override { return "TSkinFileTheme"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  // The resolved path of the loaded file. Setting it: the same value does nothing; a file found
  // nowhere changes nothing; a file without the theme magic throws "Invalid skin file!"; otherwise
  // the path is stored and the file loaded (a damaged one throws EReadError and leaves no file
  // loaded, Valid as it was); after a good load, the owner's skinned components that reference
  // this theme are given it again, so they redraw from the new file.
  const std::string& ThemeFile() const { return themeFile_; }
  void SetThemeFile(const std::string& value);
  bool Valid() const { return valid_; }

  static bool IsThemeFile(const std::string& fileName);

  const TSkinFileThemeMgr& Manager() const { return mgr_; }
  bool GetBool(int keyNumber) const { return mgr_.GetBool(keyNumber); }
  std::int32_t GetInt(int keyNumber) const { return mgr_.GetInt(keyNumber); }
  std::int32_t GetColor(int keyNumber) const { return mgr_.GetColor(keyNumber); }

  // Where SetThemeFile looks; DefaultThemeSearchDirs unless a test replaces it.
  std::function<std::vector<std::string>()> SearchDirs = DefaultThemeSearchDirs;

 private:
  std::string themeFile_;
  bool valid_ = false;
  TSkinFileThemeMgr mgr_;
};

// Where a control's look comes from: the file theme only under FromThemeFile and with a valid
// theme; FromThemeFile without one falls back to DeepBlue.
struct TResolvedStyle {
  bool fromFile = false;
  TSkinUIStyle style = TSkinUIStyle::DeepBlue;
};
TResolvedStyle ResolveUIStyle(const TSkinFileTheme* fileTheme, TSkinUIStyle style);
// A key's value from where resolved says: fileTheme (then not null) or the built-in table.
bool GetThemeBool(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber);
std::int32_t GetThemeInt(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber);
std::int32_t GetThemeColor(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber);

// The name part of a path: what follows its last '\', '/' or ':'.
std::string ThemeFileNamePart(const std::string& path);

}  // namespace quendrel::skin

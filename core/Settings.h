// The program's settings in the registry: key paths, value names and the defaults each operation
// creates when a value is missing.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "toolkit/Registry.h"

namespace quendrel {

inline constexpr char kProgramKey[] = "\\SOFTWARE\\Quendrel";

// Folder key of one store file, named after the file, extension included.
std::string FolderKeyPath(const std::string& folderName);

// One setting and the value written when it is missing. Booleans are written as 0 or 1, integers
// as they are (alwaysalert is created as the integer -1 but its check box writes booleans).
struct SettingDefault {
  const char* name;
  int32_t value;
  bool isBoolean;
};

inline constexpr SettingDefault kAlwaysCheck{"alwayscheck", 1, true};
inline constexpr SettingDefault kAlwaysSound{"alwayssound", 1, true};
inline constexpr SettingDefault kAlwaysReceive{"alwaysreceive", 1, true};
inline constexpr SettingDefault kStartWork{"startwork", 0, true};
inline constexpr SettingDefault kAlwaysOe{"alwaysoe", 1, true};
inline constexpr SettingDefault kHideOe{"hideoe", 0, true};
inline constexpr SettingDefault kAlwaysAlert{"alwaysalert", -1, false};
inline constexpr SettingDefault kCheckTime{"checktime", 2, false};
// The settings page alone creates a missing startwork as on.
inline constexpr SettingDefault kStartWorkOnPageLoad{"startwork", 1, true};

// The sets of values created when missing, in the order they are written.
using DefaultSet = std::span<const SettingDefault>;
// At startup: every setting.
DefaultSet FullDefaults();
// At the start of every timer cycle.
DefaultSet ShortDefaults();
// When the settings page loads; a missing startwork is created as 1 there, unlike anywhere else.
DefaultSet PageLoadDefaults();
// When the window is created, before the timer interval is read.
DefaultSet FormCreateDefaults();
// When a new-message event starts a check.
DefaultSet EventCheckDefaults();

// Writes each missing value of the set into the open key.
void CreateMissingSettings(toolkit::Registry& reg, DefaultSet defaults);

// Reads a setting from the open key; a missing one is written with its default, which is used.
int32_t ReadOrCreateSetting(toolkit::Registry& reg, const SettingDefault& setting);

// Value names of a folder key.
inline constexpr char kChecked[] = "checked";
inline constexpr char kMailReceived[] = "mailreceived";
inline constexpr char kMailTime[] = "mailtime";
inline constexpr char kSound[] = "sound";

}  // namespace quendrel

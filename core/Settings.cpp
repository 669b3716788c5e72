#include "core/Settings.h"

namespace quendrel {
namespace {

constexpr SettingDefault kFull[] = {kAlwaysCheck, kAlwaysSound, kAlwaysReceive, kStartWork,
                                    kAlwaysOe,    kHideOe,      kAlwaysAlert,   kCheckTime};
constexpr SettingDefault kShort[] = {kAlwaysCheck, kAlwaysOe, kAlwaysAlert, kCheckTime};
constexpr SettingDefault kPageLoad[] = {kAlwaysCheck, kStartWorkOnPageLoad, kAlwaysSound, kAlwaysReceive,
                                        kHideOe,      kAlwaysOe,            kAlwaysAlert, kCheckTime};
constexpr SettingDefault kFormCreate[] = {kCheckTime};
constexpr SettingDefault kEventCheck[] = {kAlwaysSound, kAlwaysAlert};

void WriteDefault(toolkit::Registry& reg, const SettingDefault& setting) {
  if (setting.isBoolean) {
    reg.WriteBool(setting.name, setting.value != 0);
  } else {
    reg.WriteInteger(setting.name, setting.value);
  }
}

}  // namespace

std::string FolderKeyPath(const std::string& folderName) {
  return std::string(kProgramKey) + "\\" + folderName;
}

DefaultSet FullDefaults() { return kFull; }
DefaultSet ShortDefaults() { return kShort; }
DefaultSet PageLoadDefaults() { return kPageLoad; }
DefaultSet FormCreateDefaults() { return kFormCreate; }
DefaultSet EventCheckDefaults() { return kEventCheck; }

void CreateMissingSettings(toolkit::Registry& reg, DefaultSet defaults) {
  for (const SettingDefault& setting : defaults) {
    if (!reg.ValueExists(setting.name)) WriteDefault(reg, setting);
  }
}

int32_t ReadOrCreateSetting(toolkit::Registry& reg, const SettingDefault& setting) {
  if (!reg.ValueExists(setting.name)) {
    WriteDefault(reg, setting);
    return setting.value;
  }
  return reg.ReadInteger(setting.name);
}

}  // namespace quendrel

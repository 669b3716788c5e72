#include "skin/SkinTheme.h"

#include <array>
#include <cctype>

namespace quendrel::skin {

namespace {

using K = TThemeKeyKind;

constexpr std::array<std::string_view, kThemeKeyCount> kKeyNames = {
    "ButtonImage", "ButtonTransparentBool", "CheckBoxImage", "RadioButtonImage", "TitleBarButtonImage",
    "TitleBarButtonTransparentBool", "TitleBarButtonLeftOffsetInt", "TitleBarButtonRightOffsetInt",
    "TitleBarButtonTopInt", "TitleBarLeftImage", "TitleBarClientImage", "TitleBarRightImage", "FormMinWidthInt",
    "FormRoundCornerInt", "FormBackgroundColor", "FormBorderColor", "FormBorderWidthInt",
    "MenuSelectedBorderColor", "MenuSelectedBackgroundColor", "MenuSelectedFontColor", "MenuBackgroundColor",
    "MenuFontColor", "MenuBarColor", "ProgressBarImage", "ControlBorderColor", "ControlBackgroundColor",
    "ControlFontColor", "TrackBarBarImage", "TrackBarSliderImage", "TrackBarSliderVImage",
    "ScrollBarBackgroundColor", "ScrollBarButtonImage", "ScrollBarSliderImage", "CheckListBoxImage",
    "ToolBarButtonBorderColor", "ToolBarButtonBackgroundColor", "ToolBarButtonDownBackgroundColor",
    "ScrollButtonImage", "TabControlTabImage", "TabControlBarImage", "SideChannelHandleImage",
    "SideChannelBarImage"};

constexpr std::array<K, kThemeKeyCount> kKeyKinds = {
    K::Image,   K::Boolean, K::Image,   K::Image,   K::Image,   K::Boolean, K::Integer, K::Integer, K::Integer,
    K::Image,   K::Image,   K::Image,   K::Integer, K::Integer, K::Color,   K::Color,   K::Integer, K::Color,
    K::Color,   K::Color,   K::Color,   K::Color,   K::Color,   K::Image,   K::Color,   K::Color,   K::Color,
    K::Image,   K::Image,   K::Image,   K::Color,   K::Image,   K::Image,   K::Image,   K::Color,   K::Color,
    K::Color,   K::Image,   K::Image,   K::Image,   K::Image,   K::Image};

// A slot holds a number or, for image keys, a resource name.
struct Slot {
  std::int32_t value = 0;
  std::string_view image;
  constexpr Slot(std::int32_t v) : value(v) {}  // NOLINT: the table reads best without wrappers
  constexpr Slot(const char* name) : image(name) {}
};
using StyleSlots = std::array<Slot, kThemeKeyCount>;

constexpr StyleSlots kMacOS = {
    "MACOS_BUTTON", 1, "MACOS_CHECKBOX", "MACOS_RADIOBUTTON", "MACOS_TITLEBTN", 0, 3, -2, 4,
    "MACOS_TITLE_LEFT", "MACOS_TITLE_CLIENT", "MACOS_TITLE_RIGHT", 130, 0, 0xE7E7E7, 0x7F7F7F, 1,
    0xC47339, 0xC47339, 0xFFFFFF, 0x000000, 0x000000, 0x000000, "MACOS_PROGRESSBAR", 0x7F7F7F, 0xE7E7E7,
    0x000000, "MACOS_TRACKBAR_BAR", "MACOS_TRACKBAR_SLIDER", "MACOS_TRACKBAR_SLIDER_V", 0xC9C9C9,
    "MACOS_SCROLLBAR_BUTTON", "MACOS_SCROLLBAR_TRACK", "MACOS_CHECKLIST", 0x474747, 0xEFEFEF, 0xD8D8D8,
    "MACOS_SCROLLBUTTON", "MACOS_TAB", "MACOS_TAB_LINE", "MACOS_SIDECHENNEL_HANDLE", "MACOS_SIDECHENNEL_BAR"};

constexpr StyleSlots kWinXP = {
    "WINXP_BUTTON", 0, "WINXP_CHECKBOX", "WINXP_RADIOBUTTON", "WINXP_TITLEBTN", 0, 2, -2, 5,
    "WINXP_TITLE_LEFT", "WINXP_TITLE_CLIENT", "WINXP_TITLE_RIGHT", 150, 13, 0xDEEBEF, 0xC82C00, 3,
    0xC66931, 0xEFD3C6, 0x000000, 0xFFFFFF, 0x000000, 0xCED3D6, "WINXP_PROGRESSBAR", 0x686868, 0xDEEBEF,
    0xCF4602, "WINXP_TRACKBAR_BAR", "WINXP_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER_V", 0xF9F9F9,
    "WINXP_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_TRACK", "WINXP_CHECKLIST", 0xC66931, 0xEFD3C6, 0xE1AC93,
    "WINXP_SCROLLBUTTON", "WINXP_TAB", "WINXP_TAB_LINE", "WINXP_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_BAR"};

constexpr StyleSlots kDeepBlue = {
    "DEEPBLUE_BUTTON", 0, "DEEPBLUE_CHECKBOX", "DEEPBLUE_RADIOBUTTON", "DEEPBLUE_TITLEBTN", 0, 0, 0, 2,
    "DEEPBLUE_TITLE_LEFT", "DEEPBLUE_TITLE_CLIENT", "DEEPBLUE_TITLE_RIGHT", 130, 0, 0xE8E8E8, 0x000000, 1,
    0xA04A44, 0xA04A44, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xCED3D6, "DEEPBLUE_PROGRESSBAR", 0x000000, 0xE8E8E8,
    0x000000, "DEEPBLUE_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER_V", 0xF5F5F5,
    "DEEPBLUE_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_TRACK", "DEEPBLUE_CHECKLIST", 0x474747, 0xEFEFEF,
    0xD8D8D8, "MORE_SCROLLBUTTON", "DEEPBLUE_TAB", "DEEPBLUE_TAB_LINE", "DEEPBLUE_SIDECHENNEL_HANDLE",
    "DEEPBLUE_SIDECHENNEL_BAR"};

constexpr StyleSlots kProtein = {
    "PROTEIN_BUTTON", 0, "PROTEIN_CHECKBOX", "PROTEIN_RADIOBUTTON", "PROTEIN_TITLEBTN", 1, 0, 0, 2,
    "PROTEIN_TITLE_LEFT", "PROTEIN_TITLE_CLIENT", "PROTEIN_TITLE_RIGHT", 130, 0, 0xFBFBFB, 0x000000, 1,
    0xC4302D, 0xC4302D, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xCED3D6, "PROTEIN_PROGRESSBAR", 0x000000, 0xFBFBFB,
    0x000000, "PROTEIN_TRACKBAR_BAR", "PROTEIN_TRACKBAR_SLIDER", "PROTEIN_TRACKBAR_SLIDER_V", 0xF5F5F5,
    "PROTEIN_SCROLLBAR_BUTTON", "PROTEIN_SCROLLBAR_TRACK", "PROTEIN_CHECKLIST", 0x474747, 0xEFEFEF, 0xD8D8D8,
    "MORE_SCROLLBUTTON", "PROTEIN_TAB", "PROTEIN_TAB_LINE", "PROTEIN_SIDECHENNEL_HANDLE",
    "PROTEIN_SIDECHENNEL_BAR"};

constexpr StyleSlots kBlueGlass = {
    "BLUEGLASS_BUTTON", 1, "BLUEGLASS_CHECKBOX", "BLUEGLASS_RADIOBUTTON", "BLUEGLASS_TITLEBTN", 1, 4, -3, 6,
    "BLUEGLASS_TITLE_LEFT", "BLUEGLASS_TITLE_CLIENT", "BLUEGLASS_TITLE_RIGHT", 270, 11, 0xE7E7E7, 0x000000, 1,
    0xEC5E5E, 0xEC5E5E, 0xFFFFFF, 0xE7E7E7, 0x000000, 0xCED3D6, "BLUEGLASS_PROGRESSBAR", 0x000000, 0xE7E7E7,
    0x000000, "BLUEGLASS_TRACKBAR_BAR", "BLUEGLASS_TRACKBAR_SLIDER", "BLUEGLASS_TRACKBAR_SLIDER_V", 0xF4F4F4,
    "BLUEGLASS_SCROLLBAR_BUTTON", "BLUEGLASS_SCROLLBAR_TRACK", "BLUEGLASS_CHECKLIST", 0x474747, 0xEFEFEF,
    0xD8D8D8, "MORE_SCROLLBUTTON", "BLUEGLASS_TAB", "BLUEGLASS_TAB_LINE", "BLUEGLASS_SIDECHENNEL_HANDLE",
    "BLUEGLASS_SIDECHENNEL_BAR"};

constexpr std::array<const StyleSlots*, 5> kStyles = {&kMacOS, &kWinXP, &kDeepBlue, &kProtein, &kBlueGlass};

bool ValidKey(int keyNumber) { return keyNumber >= 1 && keyNumber <= kThemeKeyCount; }

}  // namespace

std::string_view ThemeKeyName(int keyNumber) {
  return ValidKey(keyNumber) ? kKeyNames[keyNumber - 1] : std::string_view();
}

TThemeKeyKind ThemeKeyKind(int keyNumber) {
  return ValidKey(keyNumber) ? kKeyKinds[keyNumber - 1] : TThemeKeyKind::Integer;
}

int ThemeKeyNumber(std::string_view name) {
  for (int i = 0; i < kThemeKeyCount; ++i) {
    const std::string_view key = kKeyNames[i];
    if (key.size() != name.size()) continue;
    bool same = true;
    for (size_t c = 0; c < key.size() && same; ++c)
      same = std::tolower(static_cast<unsigned char>(key[c])) == std::tolower(static_cast<unsigned char>(name[c]));
    if (same) return i + 1;
  }
  return 0;
}

ThemeEntry LookupThemeEntry(TSkinUIStyle style, int keyNumber) {
  const int s = static_cast<int>(style) & 0x7F;
  if (s < 1 || s > 5 || !ValidKey(keyNumber)) return {};
  const Slot& slot = (*kStyles[s - 1])[keyNumber - 1];
  ThemeEntry entry;
  entry.kind = kKeyKinds[keyNumber - 1];
  entry.value = slot.value;
  entry.image = slot.image;
  return entry;
}

bool GetThemeBool(TSkinUIStyle style, int keyNumber) {
  const ThemeEntry e = LookupThemeEntry(style, keyNumber);
  return e.kind == TThemeKeyKind::Boolean && e.value != 0;
}

std::int32_t GetThemeColor(TSkinUIStyle style, int keyNumber) {
  const ThemeEntry e = LookupThemeEntry(style, keyNumber);
  return e.kind == TThemeKeyKind::Color ? e.value : 0;
}

std::int32_t GetThemeInt(TSkinUIStyle style, int keyNumber) {
  const ThemeEntry e = LookupThemeEntry(style, keyNumber);
  return e.kind == TThemeKeyKind::Integer ? e.value : -1;
}

std::string_view GetThemeImageName(TSkinUIStyle style, int keyNumber) {
  const ThemeEntry e = LookupThemeEntry(style, keyNumber);
  return e.kind == TThemeKeyKind::Image ? e.image : std::string_view();
}

}  // namespace quendrel::skin

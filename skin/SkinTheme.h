// The skin's styles and its table of 42 theme keys: what every skinned control asks for its look.
// Plain C++: the table and its lookups build natively too.
#pragma once

#include <cstdint>
#include <string_view>

namespace quendrel::skin {

// Stored in one byte; any byte may arrive from a form file, so lookups mask and range-check it.
enum class TSkinUIStyle : std::uint8_t {
  FromThemeFile = 0,
  MacOS = 1,
  WinXP = 2,
  DeepBlue = 3,  // also the fallback style
  Protein = 4,
  BlueGlass = 5,
};

enum class TThemeKeyKind : std::uint8_t { Integer = 0, Color = 1, Image = 2, Boolean = 3 };

constexpr int kThemeKeyCount = 42;

// Key numbers (1-based, as theme files and controls address them).
namespace keys {
inline constexpr int ButtonImage = 1;
inline constexpr int ButtonTransparentBool = 2;
inline constexpr int CheckBoxImage = 3;
inline constexpr int RadioButtonImage = 4;
inline constexpr int TitleBarButtonImage = 5;
inline constexpr int TitleBarButtonTransparentBool = 6;
inline constexpr int TitleBarButtonLeftOffsetInt = 7;
inline constexpr int TitleBarButtonRightOffsetInt = 8;
inline constexpr int TitleBarButtonTopInt = 9;
inline constexpr int TitleBarLeftImage = 10;
inline constexpr int TitleBarClientImage = 11;
inline constexpr int TitleBarRightImage = 12;
inline constexpr int FormMinWidthInt = 13;
inline constexpr int FormRoundCornerInt = 14;
inline constexpr int FormBackgroundColor = 15;
inline constexpr int FormBorderColor = 16;
inline constexpr int FormBorderWidthInt = 17;
inline constexpr int MenuSelectedBorderColor = 18;
inline constexpr int MenuSelectedBackgroundColor = 19;
inline constexpr int MenuSelectedFontColor = 20;
inline constexpr int MenuBackgroundColor = 21;
inline constexpr int MenuFontColor = 22;
inline constexpr int MenuBarColor = 23;
inline constexpr int ProgressBarImage = 24;
inline constexpr int ControlBorderColor = 25;
inline constexpr int ControlBackgroundColor = 26;
inline constexpr int ControlFontColor = 27;
inline constexpr int TrackBarBarImage = 28;
inline constexpr int TrackBarSliderImage = 29;
inline constexpr int TrackBarSliderVImage = 30;
inline constexpr int ScrollBarBackgroundColor = 31;
inline constexpr int ScrollBarButtonImage = 32;
inline constexpr int ScrollBarSliderImage = 33;
inline constexpr int CheckListBoxImage = 34;
inline constexpr int ToolBarButtonBorderColor = 35;
inline constexpr int ToolBarButtonBackgroundColor = 36;
inline constexpr int ToolBarButtonDownBackgroundColor = 37;
inline constexpr int ScrollButtonImage = 38;
inline constexpr int TabControlTabImage = 39;
inline constexpr int TabControlBarImage = 40;
inline constexpr int SideChannelHandleImage = 41;
inline constexpr int SideChannelBarImage = 42;
}  // namespace keys

// One answer of the built-in table. Integer, colour ($00BBGGRR) and boolean (0 or 1) values sit in
// value; an image value is the name of a BITMAP resource of the program (image), value then 0.
struct ThemeEntry {
  TThemeKeyKind kind = TThemeKeyKind::Integer;
  std::int32_t value = -1;
  std::string_view image;
};

// Name and kind of key 1..42; an empty name and kind Integer outside that range.
std::string_view ThemeKeyName(int keyNumber);
TThemeKeyKind ThemeKeyKind(int keyNumber);
// The key number of a name (case-insensitive, as theme files match names), 0 when there is none.
int ThemeKeyNumber(std::string_view name);

// The style's slot of the key. Styles are masked to 7 bits first; a style outside 1..5 (including
// FromThemeFile), or a key number outside 1..42, answers kind Integer, value -1.
ThemeEntry LookupThemeEntry(TSkinUIStyle style, int keyNumber);
// The value when the key has that kind, else the neutral answer (False, 0, -1).
bool GetThemeBool(TSkinUIStyle style, int keyNumber);
std::int32_t GetThemeColor(TSkinUIStyle style, int keyNumber);
std::int32_t GetThemeInt(TSkinUIStyle style, int keyNumber);
// The resource name of an image key, empty when the key is no image or the style no built-in one.
std::string_view GetThemeImageName(TSkinUIStyle style, int keyNumber);

}  // namespace quendrel::skin

// The built-in table: its values, the neutral answers, and the art it names.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "skin/SkinTheme.h"
#include "toolkit/BmpCodec.h"

namespace quendrel::skin {
namespace {

using S = TSkinUIStyle;

TEST(SkinTheme, TableCells) {
  struct Case {
    S style;
    int key;
    TThemeKeyKind kind;
    std::int32_t value;
    const char* image;
  };
  const Case cases[] = {
      {S::MacOS, keys::ButtonImage, TThemeKeyKind::Image, 0, "MACOS_BUTTON"},
      {S::MacOS, keys::ButtonTransparentBool, TThemeKeyKind::Boolean, 1, ""},
      {S::MacOS, keys::TitleBarButtonRightOffsetInt, TThemeKeyKind::Integer, -2, ""},
      {S::WinXP, keys::FormRoundCornerInt, TThemeKeyKind::Integer, 13, ""},
      {S::WinXP, keys::FormBorderColor, TThemeKeyKind::Color, 0xC82C00, ""},
      {S::WinXP, keys::FormBorderWidthInt, TThemeKeyKind::Integer, 3, ""},
      {S::WinXP, keys::MenuSelectedBackgroundColor, TThemeKeyKind::Color, 0xEFD3C6, ""},
      {S::WinXP, keys::ControlFontColor, TThemeKeyKind::Color, 0xCF4602, ""},
      {S::WinXP, keys::ToolBarButtonDownBackgroundColor, TThemeKeyKind::Color, 0xE1AC93, ""},
      {S::DeepBlue, keys::ScrollButtonImage, TThemeKeyKind::Image, 0, "MORE_SCROLLBUTTON"},
      {S::DeepBlue, keys::TitleBarButtonTopInt, TThemeKeyKind::Integer, 2, ""},
      {S::Protein, keys::TitleBarButtonTransparentBool, TThemeKeyKind::Boolean, 1, ""},
      {S::Protein, keys::FormBackgroundColor, TThemeKeyKind::Color, 0xFBFBFB, ""},
      {S::Protein, keys::SideChannelHandleImage, TThemeKeyKind::Image, 0, "PROTEIN_SIDECHENNEL_HANDLE"},
      {S::BlueGlass, keys::FormMinWidthInt, TThemeKeyKind::Integer, 270, ""},
      {S::BlueGlass, keys::MenuBackgroundColor, TThemeKeyKind::Color, 0xE7E7E7, ""},
      {S::BlueGlass, keys::TitleBarButtonRightOffsetInt, TThemeKeyKind::Integer, -3, ""},
      {S::BlueGlass, keys::SideChannelBarImage, TThemeKeyKind::Image, 0, "BLUEGLASS_SIDECHENNEL_BAR"},
      // Masked to 7 bits: 0x81 is MacOS.
      {static_cast<S>(0x81), keys::FormMinWidthInt, TThemeKeyKind::Integer, 130, ""},
      // No built-in style, or no such key: integer -1.
      {S::FromThemeFile, keys::ButtonImage, TThemeKeyKind::Integer, -1, ""},
      {static_cast<S>(6), keys::ButtonImage, TThemeKeyKind::Integer, -1, ""},
      {S::MacOS, 0, TThemeKeyKind::Integer, -1, ""},
      {S::MacOS, 43, TThemeKeyKind::Integer, -1, ""},
  };
  for (const Case& c : cases) {
    const ThemeEntry e = LookupThemeEntry(c.style, c.key);
    const std::string where = "style " + std::to_string(int(c.style)) + " key " + std::to_string(c.key);
    EXPECT_EQ(e.kind, c.kind) << where;
    if (c.kind == TThemeKeyKind::Image) {
      EXPECT_EQ(e.image, c.image) << where;
    } else {
      EXPECT_EQ(e.value, c.value) << where;
    }
  }
}

TEST(SkinTheme, AccessorsAnswerNeutrallyForOtherKinds) {
  EXPECT_EQ(GetThemeInt(S::FromThemeFile, 7), -1);
  EXPECT_EQ(GetThemeColor(S::FromThemeFile, 15), 0);
  EXPECT_FALSE(GetThemeBool(S::FromThemeFile, 2));
  EXPECT_EQ(GetThemeInt(S::MacOS, 7), 3);
  EXPECT_EQ(GetThemeInt(S::MacOS, keys::FormBackgroundColor), -1);  // a colour
  EXPECT_EQ(GetThemeColor(S::MacOS, keys::ButtonTransparentBool), 0);
  EXPECT_FALSE(GetThemeBool(S::MacOS, keys::FormBorderWidthInt));
  EXPECT_TRUE(GetThemeBool(S::BlueGlass, keys::ButtonTransparentBool));
  EXPECT_EQ(GetThemeColor(S::DeepBlue, keys::MenuSelectedBorderColor), 0xA04A44);
  EXPECT_EQ(GetThemeImageName(S::WinXP, keys::TabControlBarImage), "WINXP_TAB_LINE");
  EXPECT_EQ(GetThemeImageName(S::WinXP, keys::FormBorderColor), "");
}

TEST(SkinTheme, KeyNamesAndNumbers) {
  for (int k = 1; k <= kThemeKeyCount; ++k) EXPECT_EQ(ThemeKeyNumber(ThemeKeyName(k)), k) << k;
  EXPECT_EQ(ThemeKeyName(1), "ButtonImage");
  EXPECT_EQ(ThemeKeyName(42), "SideChannelBarImage");
  EXPECT_EQ(ThemeKeyNumber("formbackgroundcolor"), keys::FormBackgroundColor);
  EXPECT_EQ(ThemeKeyNumber("NoSuchKey"), 0);
  EXPECT_EQ(ThemeKeyName(43), "");
  // Each name's suffix tells its kind.
  for (int k = 1; k <= kThemeKeyCount; ++k) {
    const std::string_view n = ThemeKeyName(k);
    const TThemeKeyKind kind = ThemeKeyKind(k);
    const TThemeKeyKind bySuffix = n.ends_with("Int")     ? TThemeKeyKind::Integer
                                   : n.ends_with("Color") ? TThemeKeyKind::Color
                                   : n.ends_with("Bool")  ? TThemeKeyKind::Boolean
                                                          : TThemeKeyKind::Image;
    EXPECT_EQ(kind, bySuffix) << n;
  }
}

#ifndef QUENDREL_SKIN_ART_DIR
#error "QUENDREL_SKIN_ART_DIR names the folder of the skin's bitmaps"
#endif

std::optional<toolkit::DecodedImage> LoadArt(std::string_view name) {
  std::ifstream in(std::string(QUENDREL_SKIN_ART_DIR) + "/" + std::string(name) + ".bmp", std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream s;
  s << in.rdbuf();
  const std::string bytes = s.str();
  return toolkit::DecodeBmp(std::as_bytes(std::span(bytes.data(), bytes.size())));
}

// Every bitmap the table names exists, 24 bits per pixel, at the size the skin cuts it by.
TEST(SkinTheme, ArtOfEveryImageKey) {
  const std::map<std::string, std::pair<int, int>> sizes = {
      {"MACOS_BUTTON", {252, 23}},         {"WINXP_BUTTON", {54, 21}},          {"DEEPBLUE_BUTTON", {222, 21}},
      {"PROTEIN_BUTTON", {222, 21}},       {"BLUEGLASS_BUTTON", {231, 27}},     {"MACOS_CHECKBOX", {60, 17}},
      {"WINXP_CHECKBOX", {52, 13}},        {"BLUEGLASS_CHECKBOX", {52, 13}},    {"MACOS_RADIOBUTTON", {64, 17}},
      {"PROTEIN_RADIOBUTTON", {52, 13}},   {"MACOS_TITLEBTN", {306, 17}},       {"WINXP_TITLEBTN", {378, 21}},
      {"DEEPBLUE_TITLEBTN", {342, 19}},    {"PROTEIN_TITLEBTN", {342, 19}},     {"BLUEGLASS_TITLEBTN", {342, 19}},
      {"MACOS_TITLE_LEFT", {48, 23}},      {"MACOS_TITLE_CLIENT", {49, 23}},    {"MACOS_TITLE_RIGHT", {48, 23}},
      {"WINXP_TITLE_LEFT", {35, 29}},      {"WINXP_TITLE_CLIENT", {37, 29}},    {"WINXP_TITLE_RIGHT", {35, 29}},
      {"DEEPBLUE_TITLE_LEFT", {97, 32}},   {"DEEPBLUE_TITLE_CLIENT", {98, 32}}, {"DEEPBLUE_TITLE_RIGHT", {97, 32}},
      {"PROTEIN_TITLE_LEFT", {441, 23}},   {"PROTEIN_TITLE_CLIENT", {1, 23}},   {"PROTEIN_TITLE_RIGHT", {1, 23}},
      {"BLUEGLASS_TITLE_LEFT", {162, 33}}, {"BLUEGLASS_TITLE_CLIENT", {179, 33}},
      {"BLUEGLASS_TITLE_RIGHT", {101, 33}}, {"MACOS_CHECKLIST", {40, 11}},      {"DEEPBLUE_CHECKLIST", {44, 11}},
      {"MACOS_SCROLLBUTTON", {72, 18}},    {"WINXP_SCROLLBUTTON", {72, 18}},    {"MORE_SCROLLBUTTON", {72, 17}},
      {"MACOS_TAB", {36, 27}},             {"WINXP_TAB", {18, 18}},             {"DEEPBLUE_TAB", {12, 17}},
      {"PROTEIN_TAB", {18, 17}},           {"BLUEGLASS_TAB", {18, 17}},         {"MACOS_TAB_LINE", {17, 7}},
      {"WINXP_TAB_LINE", {8, 1}},          {"DEEPBLUE_TAB_LINE", {5, 5}},       {"PROTEIN_TAB_LINE", {10, 5}},
      {"BLUEGLASS_TAB_LINE", {10, 5}},     {"MACOS_MENU_BAR", {1, 22}},         {"MACOS_MENU_SELECT", {1, 21}},
      {"MACOS_FORM_BACKGROUND", {8, 8}},   {"PROTEIN_FORM_BACKGROUND", {8, 8}}, {"MENU_CHECKED", {16, 16}},
  };
  std::map<std::string, int> seen;
  for (int style = 1; style <= 5; ++style)
    for (int k = 1; k <= kThemeKeyCount; ++k)
      if (const auto name = GetThemeImageName(static_cast<S>(style), k); !name.empty()) ++seen[std::string(name)];
  for (const auto& [name, size] : sizes) seen.try_emplace(name, 0);
  EXPECT_EQ(seen["MORE_SCROLLBUTTON"], 3);
  for (const auto& [name, uses] : seen) {
    const auto image = LoadArt(name);
    if (!image) {
      ADD_FAILURE() << name << ": missing or not a BMP";
      continue;
    }
    EXPECT_EQ(image->bitsPerPixel, 24) << name;
    if (const auto it = sizes.find(name); it != sizes.end()) {
      EXPECT_EQ(image->width, it->second.first) << name;
      EXPECT_EQ(image->height, it->second.second) << name;
    }
  }
}

// Title-bar buttons drawn transparent are masked by their bottom-left pixel: every frame keeps it
// magenta, and the opaque styles keep magenta out of their art entirely.
TEST(SkinTheme, TitleButtonTransparentColour) {
  for (int style = 1; style <= 5; ++style) {
    const auto s = static_cast<S>(style);
    const auto image = LoadArt(GetThemeImageName(s, keys::TitleBarButtonImage));
    ASSERT_TRUE(image);
    const int frame = image->width / 18;
    int magenta = 0, corners = 0;
    for (int y = 0; y < image->height; ++y)
      for (int x = 0; x < image->width; ++x) {
        const std::uint8_t* p = &image->bgra[(size_t(y) * image->width + x) * 4];
        const bool key = p[0] == 255 && p[1] == 0 && p[2] == 255;
        magenta += key;
        if (key && y == image->height - 1 && x % frame == 0) ++corners;
      }
    if (GetThemeBool(s, keys::TitleBarButtonTransparentBool)) {
      EXPECT_EQ(corners, 18) << style;
    } else {
      EXPECT_EQ(magenta, 0) << style;
    }
  }
}

}  // namespace
}  // namespace quendrel::skin

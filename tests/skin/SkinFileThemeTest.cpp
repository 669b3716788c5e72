// The theme component: where it finds its file, what it does with bad ones, and how the controls
// that use it hear of a new file.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "skin/SkinFileTheme.h"
#include "skin/ThemeFileWriter.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {
namespace {

std::string Theme(std::int32_t roundCorner) {
  return WriteThemeFile({ThemeFileItem::Integer("FormRoundCornerInt", roundCorner),
                         ThemeFileItem::Boolean("ButtonTransparentBool", true)});
}

// A skinned control as far as the theme sees it: a published FileTheme whose setter is counted.
class TSkinProbe : public toolkit::TComponent {
 public:
  TSkinProbe(TComponent* owner, std::string className) : TComponent(owner), className_(std::move(className)) {}
  std::string ClassName() const override { return className_; }
  const toolkit::TPropertyList& PublishedProperties() const override {
    static const toolkit::TPropertyList list = [] {
      toolkit::TPropertyList l = TComponent::ClassProperties();
      l.Object<TSkinProbe, TSkinFileTheme>(
          "FileTheme", "TSkinFileTheme", [](TSkinProbe& p) { return p.theme; },
          [](TSkinProbe& p, TSkinFileTheme* t) {
            p.theme = t;
            ++p.assigned;
          });
      return l;
    }();
    return list;
  }
  TSkinFileTheme* theme = nullptr;
  int assigned = 0;

 private:
  std::string className_;
};

struct Fixture {
  test::ScratchDir dir{"skintheme"};
  toolkit::TComponent form{nullptr};
  TSkinFileTheme* theme = new TSkinFileTheme(&form);
  Fixture() {
    test::WriteFile(dir.File("a.qst"), Theme(11));
    test::WriteFile(dir.File("b.qst"), Theme(13));
    test::WriteFile(dir.File("plain.txt"), "QSkinThemX and more bytes than a header");
    theme->SearchDirs = [this] { return std::vector<std::string>{dir.File("nowhere/"), dir.File("")}; };
  }
};

TEST(SkinFileTheme, FindsLoadsAndRefuses) {
  Fixture f;
  // Found nowhere: nothing changes, nothing is raised.
  f.theme->SetThemeFile("missing.qst");
  EXPECT_EQ(f.theme->ThemeFile(), "");
  EXPECT_FALSE(f.theme->Valid());

  // A bare name found in a search folder: loaded, its full path kept.
  f.theme->SetThemeFile("a.qst");
  EXPECT_EQ(f.theme->ThemeFile(), f.dir.File("a.qst"));
  EXPECT_TRUE(f.theme->Valid());
  EXPECT_EQ(f.theme->GetInt(keys::FormRoundCornerInt), 11);
  EXPECT_EQ(f.theme->GetInt(keys::FormMinWidthInt), -1);

  // The same value again does not read the file again.
  test::WriteFile(f.dir.File("a.qst"), Theme(12));
  f.theme->SetThemeFile(f.dir.File("a.qst"));
  EXPECT_EQ(f.theme->GetInt(keys::FormRoundCornerInt), 11);

  // Not a theme file: "Invalid skin file!", nothing changes.
  try {
    f.theme->SetThemeFile(f.dir.File("plain.txt"));
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Invalid skin file!");
  }
  EXPECT_EQ(f.theme->ThemeFile(), f.dir.File("a.qst"));
  EXPECT_EQ(f.theme->GetInt(keys::FormRoundCornerInt), 11);

  // Damaged after the magic: the path is taken, the old file is gone, Valid stays as it was.
  std::string damaged = Theme(1);
  damaged.resize(60);
  test::WriteFile(f.dir.File("damaged.qst"), damaged);
  EXPECT_THROW(f.theme->SetThemeFile(f.dir.File("damaged.qst")), EReadError);
  EXPECT_EQ(f.theme->ThemeFile(), f.dir.File("damaged.qst"));
  EXPECT_TRUE(f.theme->Valid());
  EXPECT_EQ(f.theme->GetInt(keys::FormRoundCornerInt), 0);  // the no-file answer
  EXPECT_FALSE(f.theme->GetBool(keys::ButtonTransparentBool));
}

TEST(SkinFileTheme, NewFileReachesTheControlsThatUseIt) {
  Fixture f;
  auto* user = new TSkinProbe(&f.form, "TSkinButton");
  auto* other = new TSkinProbe(&f.form, "TSkinCheckBox");          // references no theme
  auto* foreign = new TSkinProbe(&f.form, "TButton");              // not a skinned class
  user->theme = f.theme;
  foreign->theme = f.theme;
  f.theme->SetThemeFile(f.dir.File("b.qst"));
  EXPECT_EQ(user->assigned, 1);
  EXPECT_EQ(other->assigned, 0);
  EXPECT_EQ(foreign->assigned, 0);
  EXPECT_EQ(toolkit::GetStrProp(*f.theme, "ThemeFile"), f.dir.File("b.qst"));
}

TEST(SkinFileTheme, ResolveUIStyle) {
  Fixture f;
  using S = TSkinUIStyle;
  auto check = [](TResolvedStyle r, bool fromFile, S style) {
    EXPECT_EQ(r.fromFile, fromFile);
    EXPECT_EQ(r.style, style);
  };
  check(ResolveUIStyle(nullptr, S::FromThemeFile), false, S::DeepBlue);
  check(ResolveUIStyle(f.theme, S::FromThemeFile), false, S::DeepBlue);  // not loaded yet
  f.theme->SetThemeFile("a.qst");
  check(ResolveUIStyle(f.theme, S::FromThemeFile), true, S::FromThemeFile);
  check(ResolveUIStyle(f.theme, S::MacOS), false, S::MacOS);  // the file only under FromThemeFile
  check(ResolveUIStyle(nullptr, S::Protein), false, S::Protein);

  // Values come from the file, or from the built-in table, as resolved.
  const TResolvedStyle fromFile = ResolveUIStyle(f.theme, S::FromThemeFile);
  EXPECT_EQ(GetThemeInt(fromFile, f.theme, keys::FormRoundCornerInt), 11);
  EXPECT_TRUE(GetThemeBool(fromFile, f.theme, keys::ButtonTransparentBool));
  EXPECT_EQ(GetThemeColor(fromFile, f.theme, keys::FormBorderColor), -1);  // the file has none
  const TResolvedStyle builtIn = ResolveUIStyle(f.theme, S::WinXP);
  EXPECT_EQ(GetThemeInt(builtIn, f.theme, keys::FormRoundCornerInt), 13);
  EXPECT_FALSE(GetThemeBool(builtIn, f.theme, keys::ButtonTransparentBool));
  EXPECT_EQ(GetThemeColor(builtIn, nullptr, keys::FormBorderColor), 0xC82C00);
}

TEST(SkinFileTheme, FileNamePart) {
  EXPECT_EQ(ThemeFileNamePart("C:\\themes\\blue.qst"), "blue.qst");
  EXPECT_EQ(ThemeFileNamePart("C:blue.qst"), "blue.qst");
  EXPECT_EQ(ThemeFileNamePart("/x/y.qst"), "y.qst");
  EXPECT_EQ(ThemeFileNamePart("plain"), "plain");
}

}  // namespace
}  // namespace quendrel::skin

// The style link of a skinned component: a new theme restyles it in the style it has, a freed theme
// is forgotten and leaves it in DeepBlue, and neither side outliving the other leaves a dangling
// reference.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/SkinFileTheme.h"
#include "skin/SkinStyleLink.h"
#include "toolkit/Component.h"

namespace quendrel::skin {
namespace {

// A skinned component reduced to its link: records what its style setter was given.
class TLinked : public toolkit::TComponent {
 public:
  explicit TLinked(TComponent* owner)
      : TComponent(owner), look(*this, TSkinUIStyle::MacOS, [this](TSkinUIStyle style) {
          restyled.push_back(style);
          look.SetStyle(style);
        }) {}
  TSkinStyleLink look;
  std::vector<TSkinUIStyle> restyled;

 protected:
  void Notification(TComponent* component, toolkit::TOperation operation) override {
    TComponent::Notification(component, operation);
    look.Notification(component, operation);
  }
};

using Styles = std::vector<TSkinUIStyle>;

TEST(SkinStyleLink, ThemeSetRestylesAndAFreedThemeFallsBackToDeepBlue) {
  toolkit::TComponent form(nullptr);
  auto* linked = new TLinked(&form);
  auto first = std::make_unique<TSkinFileTheme>(nullptr);  // owned elsewhere, as a shared theme may be
  auto second = std::make_unique<TSkinFileTheme>(nullptr);

  linked->look.SetTheme(first.get());
  linked->look.SetTheme(first.get());  // the same theme again: its file was reloaded
  EXPECT_EQ(linked->restyled, (Styles{TSkinUIStyle::MacOS, TSkinUIStyle::MacOS}));
  EXPECT_EQ(linked->look.Theme(), first.get());

  // A theme given up is no longer heard: freeing it leaves the component alone.
  linked->look.SetTheme(second.get());
  first.reset();
  EXPECT_EQ(linked->look.Theme(), second.get());
  EXPECT_EQ(linked->restyled.size(), 3u);
  // Another component going is none of the link's business.
  delete new toolkit::TComponent(&form);
  EXPECT_EQ(linked->restyled.size(), 3u);

  second.reset();
  EXPECT_EQ(linked->look.Theme(), nullptr);
  EXPECT_EQ(linked->look.Style(), TSkinUIStyle::DeepBlue);
  EXPECT_EQ(linked->restyled.back(), TSkinUIStyle::DeepBlue);

  // The component going first: the theme, freed later, has nobody left to tell.
  auto third = std::make_unique<TSkinFileTheme>(nullptr);
  linked->look.SetTheme(third.get());
  delete linked;
  third.reset();
}

}  // namespace
}  // namespace quendrel::skin

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sizing/ResizeTree.h"
#include "tests/sizing/FakeControls.h"

namespace quendrel::sizing {
namespace {

using namespace test;

class Tree : public ControlTree {
public:
  bool IsWindowed(const TComponent& c) const override { return windowed.count(&c) != 0; }
  int ChildCount(const TComponent& c) const override {
    auto it = children.find(&c);
    return it == children.end() ? 0 : static_cast<int>(it->second.size());
  }
  TComponent* Child(const TComponent& c, int index) const override {
    return children.at(&c)[static_cast<size_t>(index)];
  }
  std::set<const TComponent*> windowed;
  std::map<const TComponent*, std::vector<TComponent*>> children;
};

// Form1 holds Panel1 and Label1 (in that order); Panel1 holds Label2 and Late, which joined the form
// without being registered. The form owns all of them.
struct WalkFixture {
  WalkFixture() {
    form.SetName("Form1");
    for (auto [c, name] :
         {std::pair{&panel, "Panel1"}, {&label1, "Label1"}, {&label2, "Label2"}, {&late, "Late"}}) {
      *c = new Glyphed(&form);
      (*c)->SetName(name);
    }
    tree.windowed = {&form, panel};
    tree.children[&form] = {panel, label1};
    tree.children[panel] = {label2, late};
    for (TComponent* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(panel),
                          static_cast<TComponent*>(label1), static_cast<TComponent*>(label2)}) {
      controls.Add(c->Name(), TControlExtents{});
    }
  }
  std::vector<std::string> Bounds() const {
    std::vector<std::string> out;
    for (const auto& s : sizer.applied) {
      if (s.rfind("bounds ", 0) == 0) out.push_back(s.substr(7));
    }
    return out;
  }
  Glyphed form{nullptr};
  Glyphed *panel = nullptr, *label1 = nullptr, *label2 = nullptr, *late = nullptr;
  Tree tree;
  ControlList controls;
  Sizer sizer;
};

TEST(ResizeTree, DepthFirstInControlOrderRegisteredControlsOnlyNeverTheForm) {
  WalkFixture f;
  ResizeTree(f.form, f.form, f.controls, f.sizer, f.tree);
  EXPECT_EQ(f.Bounds(), (std::vector<std::string>{"Panel1", "Label2", "Label1"}));
  // Each rescaled control hands its font and bitmap to their actions.
  EXPECT_EQ(f.sizer.applied.size(), 9u);
}

TEST(ResizeTree, ControlWithoutAnActionIsSkippedWithEverythingBelowIt) {
  WalkFixture f;
  f.sizer.actions.UnregisterSizingAction("TWinControl");
  ResizeTree(f.form, f.form, f.controls, f.sizer, f.tree);
  EXPECT_TRUE(f.sizer.applied.empty());
}

TEST(ResizeTree, ControlFreedDuringATurnOfTheMessageLoopIsNotWalked) {
  WalkFixture f;
  f.sizer.onTurn = [&f] {
    if (f.label1 == nullptr || f.Bounds().size() < 2) return;
    // Label2 is being rescaled when a message frees Label1 (its window and record go with it).
    auto& formChildren = f.tree.children[&f.form];
    formChildren.erase(std::find(formChildren.begin(), formChildren.end(), f.label1));
    f.controls.Remove("Label1");
    delete f.label1;
    f.label1 = nullptr;
  };
  ResizeTree(f.form, f.form, f.controls, f.sizer, f.tree);
  EXPECT_EQ(f.label1, nullptr);
  EXPECT_EQ(f.Bounds(), (std::vector<std::string>{"Panel1", "Label2"}));
}

}  // namespace
}  // namespace quendrel::sizing

// The owner tree: who frees what, who hears about it, and what loading suppresses.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Component.h"

namespace quendrel::toolkit {
namespace {

// Writes its name into a shared log when it goes, and records the notifications it hears.
class Probe : public TComponent {
public:
  Probe(TComponent* owner, std::string name, std::vector<std::string>* log) : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override {
    if (log_ != nullptr) log_->push_back("free " + Name());
  }
  std::string ClassName() const override { return "Probe"; }
  std::vector<std::string> heard;
  TComponent* watched = nullptr;
  int loadedCalls = 0;
  bool firedWhileLoading = false;
  void SetValue(int value) {
    value_ = value;
    if (Loading()) return;  // the way a streamed property stays quiet
    ++events;
  }
  int events = 0;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    // Components join their owner in their constructor, before they have a name.
    heard.push_back(operation == opInsert ? "insert" : "remove " + component->Name());
    if (operation == opRemove && component == watched) watched = nullptr;
    TComponent::Notification(component, operation);
  }
  void Loaded() override { ++loadedCalls; }

private:
  std::vector<std::string>* log_;
  int value_ = 0;
};

TEST(ComponentTest, OwnerFreesOwnedInReverseOrderOfInsertion) {
  std::vector<std::string> log;
  {
    auto root = std::make_unique<Probe>(nullptr, "root", &log);
    auto* a = new Probe(root.get(), "a", &log);
    new Probe(root.get(), "b", &log);
    new Probe(a, "a1", &log);
    new Probe(root.get(), "c", &log);
    EXPECT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(root->Components(1)->Name(), "b");
    EXPECT_EQ(root->FindComponent("A"), a);  // names ignore case
    EXPECT_EQ(root->FindComponent("a1"), nullptr);  // only directly owned ones
  }
  const std::vector<std::string> expected{"free root", "free c", "free b", "free a", "free a1"};
  EXPECT_EQ(log, expected);
}

TEST(ComponentTest, ComponentFreedOnItsOwnLeavesItsOwner) {
  std::vector<std::string> log;
  Probe root(nullptr, "root", &log);
  auto* a = new Probe(&root, "a", &log);
  new Probe(&root, "b", &log);
  delete a;
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0)->Name(), "b");
  EXPECT_EQ(log, std::vector<std::string>{"free a"});  // and not a second time at the end
}

TEST(ComponentTest, DuplicateNamesAreRefusedWithinOneOwner) {
  Probe root(nullptr, "root", nullptr);
  new Probe(&root, "a", nullptr);
  auto* b = new Probe(&root, "b", nullptr);
  EXPECT_THROW(b->SetName("A"), std::invalid_argument);
  EXPECT_EQ(b->Name(), "b");
  EXPECT_NO_THROW(b->SetName("B"));
}

TEST(ComponentTest, SiblingsHearInsertAndRemove) {
  Probe root(nullptr, "root", nullptr);
  auto* menuUser = new Probe(&root, "user", nullptr);
  auto* menu = new Probe(&root, "menu", nullptr);
  menuUser->watched = menu;
  delete menu;
  EXPECT_EQ(menuUser->watched, nullptr);  // the reference was cleared, not left dangling
  EXPECT_EQ(root.heard, (std::vector<std::string>{"insert", "insert", "remove menu"}));
  EXPECT_EQ(menuUser->heard, (std::vector<std::string>{"insert", "remove menu"}));
}

TEST(ComponentTest, FreeNotificationReachesComponentsOfOtherOwners) {
  Probe formA(nullptr, "formA", nullptr);
  auto watcher = std::make_unique<Probe>(nullptr, "watcher", nullptr);
  auto* menu = new Probe(&formA, "menu", nullptr);
  watcher->watched = menu;
  watcher->FreeNotification(menu);
  delete menu;
  EXPECT_EQ(watcher->watched, nullptr);
  // And the other way: a watcher that goes first is forgotten by the watched one.
  auto* menu2 = new Probe(&formA, "menu2", nullptr);
  watcher->FreeNotification(menu2);
  watcher.reset();
  delete menu2;  // must not notify the freed watcher
}

TEST(ComponentTest, LoadingSuppressesEventsAndEndsWithLoaded) {
  Probe root(nullptr, "root", nullptr);
  auto* a = new Probe(&root, "a", nullptr);
  root.BeginLoading();
  auto* b = new Probe(&root, "b", nullptr);  // joins while loading: loads too
  a->SetValue(1);
  b->SetValue(2);
  EXPECT_TRUE(b->Loading());
  EXPECT_EQ(a->events + b->events, 0);
  root.EndLoading();
  EXPECT_FALSE(a->Loading());
  EXPECT_EQ(a->loadedCalls, 1);
  EXPECT_EQ(b->loadedCalls, 1);
  EXPECT_EQ(root.loadedCalls, 1);
  a->SetValue(3);
  EXPECT_EQ(a->events, 1);
}

TEST(ComponentTest, InsertComponentMovesOwnership) {
  std::vector<std::string> log;
  Probe first(nullptr, "first", &log);
  {
    Probe second(nullptr, "second", &log);
    auto* moved = new Probe(&first, "moved", &log);
    second.InsertComponent(moved);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(moved->Owner(), &second);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"free second", "free moved"}));
}

}  // namespace
}  // namespace quendrel::toolkit

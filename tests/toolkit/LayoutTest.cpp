// Alignment and anchors: where children land when their parent is laid out and resized.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

namespace quendrel::toolkit {
namespace {

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

// A bevel-less panel, so its client area is exactly its size.
TPanel* PlainPanel(TComponent* owner, TWinControl* parent, int width, int height) {
  auto* panel = new TPanel(owner);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, width, height);
  panel->SetParent(parent);
  return panel;
}

TEST(LayoutTest, AlignedChildrenShareTheClientAreaAndFollowResizes) {
  TComponent owner(nullptr);
  TPanel* parent = PlainPanel(&owner, nullptr, 200, 100);
  struct Child {
    TAlign align;
    RECT start;  // left, top, width, height as set before aligning
    const char* at200x100;
    const char* at300x150;
  } children[] = {
      {alTop, {0, 0, 0, 10}, "0,0 200x10", "0,0 300x10"},
      {alBottom, {0, 0, 0, 20}, "0,80 200x20", "0,130 300x20"},
      {alLeft, {0, 0, 30, 0}, "0,10 30x70", "0,10 30x120"},
      {alRight, {0, 0, 40, 0}, "160,10 40x70", "260,10 40x120"},
      {alClient, {5, 5, 5, 5}, "30,10 130x70", "30,10 230x120"},
  };
  std::vector<TControl*> controls;
  for (const Child& c : children) {
    TPanel* panel = PlainPanel(&owner, parent, c.start.right, c.start.bottom);
    panel->SetAlign(c.align);
    controls.push_back(panel);
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Describe(controls[i]->BoundsRect()), children[i].at200x100);
  }
  parent->SetBounds(0, 0, 300, 150);
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Describe(controls[i]->BoundsRect()), children[i].at300x150);
  }
  // A hidden control gives its space back.
  controls[0]->Hide();
  EXPECT_EQ(Describe(controls[4]->BoundsRect()), "30,0 230x130");
}

TEST(LayoutTest, AnchorsKeepDistancesToTheAnchoredEdges) {
  struct Case {
    TAnchors anchors;
    const char* after;  // control at 10,10 50x20 in 200x100, parent grown to 300x160
  } cases[] = {
      {akLeft | akTop, "10,10 50x20"},
      {akLeft | akTop | akRight, "10,10 150x20"},
      {akRight | akBottom, "110,70 50x20"},
      {akLeft | akTop | akRight | akBottom, "10,10 150x80"},
      {0, "60,40 50x20"},  // no anchor on an axis: keeps its relative position (half the growth)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.after);
    TComponent owner(nullptr);
    TPanel* parent = PlainPanel(&owner, nullptr, 200, 100);
    TPanel* child = PlainPanel(&owner, parent, 50, 20);
    child->SetBounds(10, 10, 50, 20);
    child->SetAnchors(c.anchors);
    parent->SetBounds(0, 0, 300, 160);
    EXPECT_EQ(Describe(child->BoundsRect()), c.after);
    parent->SetBounds(0, 0, 200, 100);  // and back without drift
    EXPECT_EQ(Describe(child->BoundsRect()), "10,10 50x20");
  }
}

TEST(LayoutTest, ConstraintsLimitTheSize) {
  TComponent owner(nullptr);
  TPanel* parent = PlainPanel(&owner, nullptr, 200, 100);
  TPanel* child = PlainPanel(&owner, parent, 50, 20);
  child->SetConstraints(TSizeConstraints{10, 10, 60, 30});
  child->SetAlign(alClient);
  EXPECT_EQ(Describe(child->BoundsRect()), "0,0 60x30");
  child->SetAlign(alNone);
  child->SetBounds(0, 0, 1, 1);
  EXPECT_EQ(Describe(child->BoundsRect()), "0,0 10x10");
}

TEST(LayoutTest, ChildrenFreedOnTheirOwnLeaveTheirParent) {
  TComponent owner(nullptr);
  TPanel* parent = PlainPanel(&owner, nullptr, 200, 100);
  TPanel* first = PlainPanel(&owner, parent, 10, 30);
  TPanel* second = PlainPanel(&owner, parent, 10, 10);
  first->SetAlign(alTop);
  second->SetAlign(alClient);
  delete first;
  ASSERT_EQ(parent->ControlCount(), 1);
  EXPECT_EQ(parent->Controls(0), second);
  ASSERT_EQ(parent->TabList().size(), 1u);
  EXPECT_EQ(parent->TabList()[0], second);
  EXPECT_EQ(Describe(second->BoundsRect()), "0,0 200x100");  // the space was given back
  // And a parent freed first leaves its children without a parent, still owned.
  delete parent;
  EXPECT_EQ(second->Parent(), nullptr);
}

TEST(LayoutTest, ClientSizeSetBeforeTheWindowExistsHoldsOnScreen) {
  TComponent owner(nullptr);
  struct Case {
    TFormBorderStyle style;
    const char* name;
  } cases[] = {{bsDialog, "dialog"}, {bsSizeable, "sizeable"}, {bsSingle, "single"}, {bsNone, "none"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* form = new TForm(&owner);
    form->SetBorderStyle(c.style);
    form->SetClientWidth(564);
    form->SetClientHeight(521);
    form->Show();
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 564);
    EXPECT_EQ(client.bottom, 521);
    EXPECT_EQ(form->ClientWidth(), 564);
    delete form;
  }
}

TEST(LayoutTest, WindowsFollowTheLayout) {
  TComponent owner(nullptr);
  auto* form = new TForm(&owner);
  form->SetBorderStyle(bsNone);
  form->SetBounds(100, 100, 300, 200);
  TPanel* top = PlainPanel(&owner, form, 10, 25);
  top->SetAlign(alTop);
  TPanel* rest = PlainPanel(&owner, form, 10, 10);
  rest->SetAlign(alClient);
  form->Show();
  form->SetBounds(100, 100, 400, 300);
  RECT rect;
  GetWindowRect(rest->Handle(), &rect);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(Describe(rect), "0,25 400x275");
  EXPECT_EQ(form->ClientWidth(), 400);
}

TEST(LayoutTest, AnchorsGoOnFromWhereAReleasedAlignmentLeftTheControl) {
  TComponent owner(nullptr);
  TPanel* parent = PlainPanel(&owner, nullptr, 200, 100);
  TPanel* child = PlainPanel(&owner, parent, 50, 20);
  child->SetBounds(10, 10, 50, 20);
  child->SetAnchors(akLeft | akTop | akRight | akBottom);
  child->SetAlign(alClient);
  EXPECT_EQ(Describe(child->BoundsRect()), "0,0 200x100");
  child->SetAlign(alNone);
  parent->SetBounds(0, 0, 300, 160);
  EXPECT_EQ(Describe(child->BoundsRect()), "0,0 300x160");
}

TEST(LayoutTest, AWordWrappedAutoSizeLabelRefitsItsHeightToItsWidth) {
  TComponent owner(nullptr);
  TPanel* parent = PlainPanel(&owner, nullptr, 400, 200);
  auto* label = new TLabel(&owner);
  label->SetParent(parent);
  label->SetWordWrap(true);
  label->SetWidth(400);
  label->SetCaption("You got mail in Inbox and in two other folders of the store");
  const int oneLine = label->Height();
  label->SetWidth(80);
  const int narrow = label->Height();
  EXPECT_GE(narrow, 3 * oneLine);
  EXPECT_EQ(label->Width(), 80);
  label->SetBounds(5, 5, 400, narrow);  // widened by a layout: back to one line
  EXPECT_EQ(label->Height(), oneLine);
  EXPECT_EQ(label->Left(), 5);
}

}  // namespace
}  // namespace quendrel::toolkit

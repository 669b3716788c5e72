#include <gtest/gtest.h>

#include <array>
#include <map>
#include <utility>

#include "sizing/Registration.h"
#include "tests/sizing/FakeControls.h"

namespace quendrel::sizing {
namespace {

using namespace test;

class Placements : public ControlProbe {
public:
  std::optional<ControlPlacement> Placement(const TComponent& c) const override {
    auto it = at.find(&c);
    if (it == at.end()) return std::nullopt;  // not a control
    return it->second;
  }
  std::map<const TComponent*, ControlPlacement> at;
};

// Form1 (client 400 × 300) owns Label1, a nameless control, a non-control holding a control of
// its own, Panel1 holding Inner, and a control that already carries the name the nameless one
// would be given.
struct FormFixture {
  FormFixture() {
    form.SetName("Form1");
    auto* label = new Glyphed(&form);
    label->SetName("Label1");
    nameless = new Glyphed(&form);
    auto* timer = new TComponent(&form);
    timer->SetName("Timer1");
    auto* hidden = new Glyphed(timer);
    hidden->SetName("Hidden");
    auto* panel = new Glyphed(&form);
    panel->SetName("Panel1");
    auto* inner = new Glyphed(panel);
    inner->SetName("Inner");
    auto* taken = new Glyphed(&form);
    taken->SetName("Form1Glyphed1");
    probe.at[&form] = {11, 141, {400, 300}};
    probe.at[label] = {10, 20, {100, 20}};
    probe.at[nameless] = {50, 60, {30, 30}};
    probe.at[hidden] = {1, 1, {1, 1}};
    probe.at[panel] = {100, 0, {400, 100}};
    probe.at[inner] = {5, 5, {10, 10}};
    probe.at[taken] = {0, 0, {8, 8}};
    this->label = label;
  }
  Glyphed form{nullptr};
  Glyphed* label;
  Glyphed* nameless;
  Placements probe;
  Sizer sizer;
  ControlList controls;
};

TEST(Registration, FormAndTheControlsItOwnsAreRecordedNamelessOnesNamedFirst) {
  FormFixture f;
  RegisterControl(&f.form, f.form, f.controls, f.sizer, f.probe);

  EXPECT_EQ(f.nameless->Name(), "Form1Glyphed2");  // index 1, but that name was taken
  EXPECT_EQ(f.controls.Count(), 5u);               // Form1, Label1, Form1Glyphed2, Panel1, Form1Glyphed1
  EXPECT_FALSE(f.controls.Contains("Timer1"));     // not a control, nor what it owns
  EXPECT_FALSE(f.controls.Contains("Hidden"));
  EXPECT_FALSE(f.controls.Contains("Inner"));  // owned by the panel, not the form

  const TControlExtents* formRecord = f.controls.Find("Form1");
  ASSERT_NE(formRecord, nullptr);
  EXPECT_EQ(formRecord->OwnerClientWidth, 0);  // no owner
  const TControlExtents* label = f.controls.Find("label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ((std::array{label->Top, label->Left, label->ClientWidth, label->ClientHeight}),
            (std::array{10, 20, 100, 20}));
  EXPECT_EQ((std::pair{label->OwnerClientWidth, label->OwnerClientHeight}), (std::pair{400, 300}));
  ASSERT_NE(label->Properties.Find("Font"), nullptr);
  EXPECT_EQ(label->Properties.Find("Font")->OrigHeight, 8);

  // Registered once: a second registration changes nothing.
  f.probe.at[f.label] = {99, 99, {99, 99}};
  RegisterControl(f.label, f.form, f.controls, f.sizer, f.probe);
  EXPECT_EQ(f.controls.Find("Label1")->Top, 10);
}

TEST(Registration, RefreshTakesBoundsAfreshButKeepsRecordedSizes) {
  FormFixture f;
  RegisterControl(&f.form, f.form, f.controls, f.sizer, f.probe);
  f.probe.at[f.label] = {20, 40, {200, 40}};
  f.probe.at[&f.form] = {0, 0, {800, 600}};
  f.label->font.size = 16;
  RefreshControl(f.label, f.form, f.controls, f.sizer, f.probe);
  const TControlExtents* label = f.controls.Find("Label1");
  EXPECT_EQ((std::array{label->Top, label->Left, label->ClientWidth, label->ClientHeight}),
            (std::array{20, 40, 200, 40}));
  EXPECT_EQ((std::pair{label->OwnerClientWidth, label->OwnerClientHeight}), (std::pair{800, 600}));
  EXPECT_EQ(label->Properties.Find("Font")->OrigHeight, 8);

  UnregisterControl(f.label, f.controls);
  EXPECT_FALSE(f.controls.Contains("Label1"));
  RefreshControl(f.label, f.form, f.controls, f.sizer, f.probe);  // not registered: registers it
  EXPECT_EQ(f.controls.Find("Label1")->Properties.Find("Font")->OrigHeight, 16);
}

}  // namespace
}  // namespace quendrel::sizing

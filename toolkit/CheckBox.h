// TCheckBox: a check box of the system's BUTTON class whose state the control keeps.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Panel.h"

namespace quendrel::toolkit {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* owner);
  std::string ClassName() const override { return "TCheckBox"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  bool Checked() const { return state_ == cbChecked; }
  // A change fires OnClick, from code as from the mouse (not while loading).
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  // Side of the caption: taRightJustify puts it right of the box.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& message) override;
  virtual void Toggle();

private:
  TCheckBoxState state_ = cbUnchecked;
  TAlignment alignment_ = taRightJustify;
};

}  // namespace quendrel::toolkit

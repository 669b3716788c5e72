// TSpinEditInteger: a whole number between limits, changed only by its up/down buttons and keys.
#pragma once

#include "toolkit/CustomControl.h"

namespace quendrel::toolkit {

// The number cannot be typed (the field is read-only); only the buttons and the Up/Down keys step
// it by Increment, PageUp/PageDown do nothing. MinValue == MaxValue means no limits. OnChange fires
// whenever Value really changes, whether the user or the program changed it; setting the value it
// already has fires nothing.
class TSpinEditInteger : public TCustomControl {
public:
  explicit TSpinEditInteger(TComponent* owner);
  std::string ClassName() const override { return "TSpinEditInteger"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  int Value() const { return value_; }
  void SetValue(int value);
  int MinValue() const { return minValue_; }
  void SetMinValue(int value);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value);
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }
  // Steps by Increment (times count), within the limits.
  void Step(int count);

  // Width of the up/down button column at the right.
  static constexpr int kButtonWidth = 15;
  RECT UpButtonRect() const;
  RECT DownButtonRect() const;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint() override;

private:
  int Clamp(int value) const;

  int value_ = 0;
  int minValue_ = 0;
  int maxValue_ = 0;
  int increment_ = 1;
  int pressed_ = 0;  // +1 up button held, -1 down button held
};

}  // namespace quendrel::toolkit

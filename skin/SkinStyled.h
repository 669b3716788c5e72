// What the skinned controls built on a toolkit control share: UIStyle and FileTheme (through the
// style link) and the state frames cut from their strip.
#pragma once

#include "skin/SkinControls.h"
#include "skin/SkinFileTheme.h"
#include "skin/SkinStateFrames.h"
#include "skin/SkinStyleLink.h"
#include "skin/SkinTheme.h"

namespace quendrel::skin {

template <class Base>
class TSkinStyled : public Base {
 public:
  // Starts in the style of the skinned form on its owner (DeepBlue without one).
  explicit TSkinStyled(toolkit::TComponent* owner)
      : Base(owner), look_(*this, GetOwnerFormStyle(owner), [this](TSkinUIStyle style) { SetUIStyle(style); }) {}

  TSkinUIStyle UIStyle() const { return look_.Style(); }
  void SetUIStyle(TSkinUIStyle style) {
    look_.SetStyle(style);
    StyleChanged();
  }
  TSkinFileTheme* FileTheme() const { return look_.Theme(); }
  // Also after the theme object reloaded its file: the frames are cut again.
  void SetFileTheme(TSkinFileTheme* theme) {
    frames_.Reset();
    look_.SetTheme(theme);
  }

 protected:
  // The style or the theme changed: take over style values, redraw.
  virtual void StyleChanged() { this->Invalidate(); }
  TResolvedStyle Resolved() const { return look_.Resolved(); }
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override {
    Base::Notification(component, operation);
    look_.Notification(component, operation);
  }
  TStateFrames frames_;

 private:
  TSkinStyleLink look_;
};

}  // namespace quendrel::skin

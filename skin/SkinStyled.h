// What the skinned controls built on a toolkit control share: UIStyle and FileTheme, the free
// notification that drops a theme as it goes, and the state frames cut from their strip.
#pragma once

#include "skin/SkinControls.h"
#include "skin/SkinFileTheme.h"
#include "skin/SkinStateFrames.h"
#include "skin/SkinTheme.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {

template <class Base>
class TSkinStyled : public Base {
 public:
  // Starts in the style of the skinned form on its owner (DeepBlue without one).
  explicit TSkinStyled(toolkit::TComponent* owner) : Base(owner), style_(GetOwnerFormStyle(owner)) {}
  ~TSkinStyled() override {
    if (fileTheme_) fileTheme_->RemoveFreeNotification(this);
  }

  TSkinUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TSkinUIStyle style) {
    style_ = style;
    StyleChanged();
  }
  TSkinFileTheme* FileTheme() const { return fileTheme_; }
  // Also after the theme object reloaded its file: the frames are cut again.
  void SetFileTheme(TSkinFileTheme* theme) {
    if (fileTheme_) fileTheme_->RemoveFreeNotification(this);
    fileTheme_ = theme;
    frames_.Reset();
    if (fileTheme_) fileTheme_->FreeNotification(this);
    SetUIStyle(style_);
  }

 protected:
  // The style or the theme changed: take over style values, redraw.
  virtual void StyleChanged() { this->Invalidate(); }
  TResolvedStyle Resolved() const { return ResolveUIStyle(fileTheme_, style_); }
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override {
    Base::Notification(component, operation);
    if (operation == toolkit::opRemove && component == fileTheme_) {
      fileTheme_ = nullptr;
      SetUIStyle(TSkinUIStyle::DeepBlue);
    }
  }
  // Publishes FileTheme and UIStyle of control class C.
  template <class C>
  static void AddStyleProperties(toolkit::TPropertyList& l) {
    l.Object<C, TSkinFileTheme>("FileTheme", "TSkinFileTheme", [](C& c) { return c.FileTheme(); },
                                [](C& c, TSkinFileTheme* t) { c.SetFileTheme(t); });
    l.Enum<C>("UIStyle", "TSkinUIStyle", [](const C& c) { return c.UIStyle(); },
              [](C& c, std::int64_t v) { c.SetUIStyle(static_cast<TSkinUIStyle>(v)); });
  }

  TStateFrames frames_;

 private:
  TSkinUIStyle style_;
  TSkinFileTheme* fileTheme_ = nullptr;  // not owned
};

}  // namespace quendrel::skin

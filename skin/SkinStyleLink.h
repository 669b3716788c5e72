// TSkinStyleLink: where a skinned component takes its look from, its UIStyle and FileTheme, and
// what happens when either changes or the theme goes.
#pragma once

#include <functional>
#include <utility>

#include "skin/SkinFileTheme.h"
#include "skin/SkinTheme.h"
#include "toolkit/Component.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {

// Held by a skinned component (the holder), which restyles itself through restyle, its UIStyle
// setter: after a new theme with the style it has, after its theme was freed with DeepBlue (the
// theme forgotten first). The theme is not owned; the holder is registered for its free
// notification and hands its Notification on to the link.
class TSkinStyleLink {
 public:
  using TRestyle = std::function<void(TSkinUIStyle)>;
  TSkinStyleLink(toolkit::TComponent& holder, TSkinUIStyle style, TRestyle restyle)
      : holder_(holder), style_(style), restyle_(std::move(restyle)) {}
  ~TSkinStyleLink() {
    if (theme_) theme_->RemoveFreeNotification(&holder_);
  }
  TSkinStyleLink(const TSkinStyleLink&) = delete;
  TSkinStyleLink& operator=(const TSkinStyleLink&) = delete;

  TSkinUIStyle Style() const { return style_; }
  // Records the style only: the holder's setter calls it and does the rest.
  void SetStyle(TSkinUIStyle style) { style_ = style; }
  TSkinFileTheme* Theme() const { return theme_; }
  // Also for the same theme again (its file was reloaded): the holder is restyled either way.
  void SetTheme(TSkinFileTheme* theme) {
    if (theme_) theme_->RemoveFreeNotification(&holder_);
    theme_ = theme;
    if (theme_) theme_->FreeNotification(&holder_);
    restyle_(style_);
  }
  // When component is the theme going away, it is forgotten and the holder restyled.
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) {
    if (operation != toolkit::opRemove || !theme_ || component != theme_) return;
    theme_ = nullptr;
    restyle_(TSkinUIStyle::DeepBlue);
  }
  TResolvedStyle Resolved() const { return ResolveUIStyle(theme_, style_); }

 private:
  toolkit::TComponent& holder_;
  TSkinUIStyle style_;
  TRestyle restyle_;
  TSkinFileTheme* theme_ = nullptr;  // not owned
};

// Publishes FileTheme and UIStyle of skinned component class C.
template <class C>
void AddStyleProperties(toolkit::TPropertyList& l) {
  l.Object<C, TSkinFileTheme>("FileTheme", "TSkinFileTheme", [](C& c) { return c.FileTheme(); },
                              [](C& c, TSkinFileTheme* t) { c.SetFileTheme(t); });
  l.Enum<C>("UIStyle", "TSkinUIStyle", [](const C& c) { return c.UIStyle(); },
            [](C& c, std::int64_t v) { c.SetUIStyle(static_cast<TSkinUIStyle>(v)); });
}

}  // namespace quendrel::skin

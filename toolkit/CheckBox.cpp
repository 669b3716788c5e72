#include "toolkit/CheckBox.h"

#include "toolkit/Properties.h"

namespace quendrel::toolkit {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  width_ = 97;
  height_ = 17;
  tabStop_ = true;
  parentColor_ = true;
  clickOnMouseUp_ = false;  // clicks come as BN_CLICKED and toggle the state, which fires OnClick
}

const TPropertyList& TCheckBox::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TWinControl::ClassProperties();
    using C = TCheckBox;
    l.String<C>("Caption", [](const C& c) { return c.Caption(); },
                [](C& c, const std::string& v) { c.SetCaption(v); });
    l.Boolean<C>("Checked", [](const C& c) { return c.Checked(); }, [](C& c, auto v) { c.SetChecked(v != 0); });
    l.Enum<C>("State", "TCheckBoxState", [](const C& c) { return c.State(); },
              [](C& c, auto v) { c.SetState(static_cast<TCheckBoxState>(v)); });
    l.Enum<C>("Alignment", "TAlignment", [](const C& c) { return c.Alignment(); },
              [](C& c, auto v) { c.SetAlignment(static_cast<TAlignment>(v)); });
    return l;
  }();
  return list;
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = "BUTTON";
  // A plain (not automatic) 3-state box: the control decides the state, the window shows it.
  params.Style = (params.Style & ~WS_CLIPCHILDREN) | BS_3STATE;
  if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateHandleDone() {
  SendMessageA(handle_, BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  if (handle_ != nullptr) SendMessageA(handle_, BM_SETCHECK, static_cast<WPARAM>(state_), 0);
  if (!Loading()) Click();
}

void TCheckBox::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TCheckBox::Toggle() {
  SetState(state_ == cbChecked ? cbUnchecked : cbChecked);
}

void TCheckBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    Toggle();
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace quendrel::toolkit

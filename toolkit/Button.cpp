#include "toolkit/Button.h"

#include "toolkit/Properties.h"

namespace quendrel::toolkit {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  width_ = 75;
  height_ = 25;
  tabStop_ = true;
  clickOnMouseUp_ = false;  // the button reports its clicks itself (BN_CLICKED)
}

const TPropertyList& TButton::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TWinControl::ClassProperties();
    l.String<TButton>("Caption", [](const TButton& c) { return c.Caption(); },
                      [](TButton& c, const std::string& v) { c.SetCaption(v); });
    return l;
  }();
  return list;
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = "BUTTON";
  params.Style = (params.Style & ~WS_CLIPCHILDREN) | BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace quendrel::toolkit

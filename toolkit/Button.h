// TButton: a push button of the system's BUTTON class.
#pragma once

#include "toolkit/Control.h"

namespace quendrel::toolkit {

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);
  std::string ClassName() const override { return "TButton"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  // Pushes the button from code: OnClick runs as for a real click.
  void Click() override { TWinControl::Click(); }

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
};

}  // namespace quendrel::toolkit

// The parts of font sizing that read a control's published properties: the text its fonts are
// fitted to, and the cached sizes handed out after a pass that sizes fonts by the form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sizing/Extents.h"
#include "sizing/SizingActions.h"
#include "toolkit/Component.h"

namespace quendrel::sizing {

// The control's published "Text" when it has one that is not empty, else its "Caption", else
// nothing; at most the measured length of it.
std::string TextForFit(const toolkit::TComponent& control);

// Reads and sets the size (points) of the font a component holds in a property.
class FontSizes {
public:
  // None when the property holds no font.
  virtual std::optional<int32_t> Size(toolkit::TComponent& component, std::string_view propName) = 0;
  virtual void SetSize(toolkit::TComponent& component, std::string_view propName, int32_t points) = 0;

protected:
  ~FontSizes() = default;
};

// After a walk with pfOnFormSize: every recorded font of the registered components the form owns
// gets the size cached for its recorded size, where that differs from its size now. The message
// loop gets a turn after each registered component.
void ApplyCachedFonts(toolkit::TComponent& form, const ControlList& controls, SizerContext& sizer,
                      FontSizes& fonts);

}  // namespace quendrel::sizing

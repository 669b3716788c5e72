#include "sizing/FontWalk.h"

#include "sizing/FontRule.h"
#include "toolkit/Properties.h"

namespace quendrel::sizing {
namespace {

std::string StringProp(const toolkit::TComponent& c, std::string_view name) {
  const toolkit::TPropInfo* info = toolkit::GetPropInfo(c, name);
  if (info == nullptr || info->Kind != toolkit::tkString || !info->GetStr) return {};
  return info->GetStr(c);
}

}  // namespace

std::string TextForFit(const toolkit::TComponent& control) {
  std::string text = StringProp(control, "Text");
  if (text.empty()) text = StringProp(control, "Caption");
  return std::string(MeasuredText(text));
}

void ApplyCachedFonts(toolkit::TComponent& form, const ControlList& controls, SizerContext& sizer,
                      FontSizes& fonts) {
  // By index: a turn of the message loop may free components of the form.
  for (int i = 0; i < form.ComponentCount(); ++i) {
    toolkit::TComponent* c = form.Components(i);
    const TControlExtents* record = controls.Find(c->Name());
    if (record == nullptr) continue;
    for (const TPropertyExtents& p : record->Properties.All()) {
      if (CompareNames(p.TypeName, kFontType) != 0) continue;
      const std::optional<int32_t> now = fonts.Size(*c, p.PropName);
      if (!now) continue;
      if (const auto cached = CachedFontSize(sizer.Fonts(), p.OrigHeight, *now)) {
        fonts.SetSize(*c, p.PropName, *cached);
      }
    }
    sizer.ProcessMessages();
  }
}

}  // namespace quendrel::sizing

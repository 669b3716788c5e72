// Layout of a windowed control's children: alignment, then anchors.
#include <algorithm>

#include "toolkit/Control.h"

namespace quendrel::toolkit {

void TWinControl::AlignControls(RECT rect) {
  auto aligned = [this](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* control : controls_) {
      if (control->Align() == align && control->Visible()) list.push_back(control);
    }
    // Controls of one kind stack in the order of their current position, so moving one reorders.
    std::stable_sort(list.begin(), list.end(), [align](const TControl* a, const TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    return list;
  };
  auto width = [&rect] { return std::max(0L, rect.right - rect.left); };
  auto height = [&rect] { return std::max(0L, rect.bottom - rect.top); };

  for (TControl* c : aligned(alTop)) {
    c->SetAlignedBounds(rect.left, rect.top, width(), c->Height());
    rect.top += c->Height();
  }
  for (TControl* c : aligned(alBottom)) {
    c->SetAlignedBounds(rect.left, rect.bottom - c->Height(), width(), c->Height());
    rect.bottom -= c->Height();
  }
  for (TControl* c : aligned(alLeft)) {
    c->SetAlignedBounds(rect.left, rect.top, c->Width(), height());
    rect.left += c->Width();
  }
  for (TControl* c : aligned(alRight)) {
    c->SetAlignedBounds(rect.right - c->Width(), rect.top, c->Width(), height());
    rect.right -= c->Width();
  }
  for (TControl* c : aligned(alClient)) {
    c->SetAlignedBounds(rect.left, rect.top, width(), height());
  }

  const RECT area = AlignRect();
  const int areaWidth = area.right - area.left;
  const int areaHeight = area.bottom - area.top;
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->Align() != alNone) continue;
    if (c->Loading() || !c->anchorRules_.valid) {
      // Built or loaded in any order: anchors take the layout as it is once loading ends.
      c->UpdateAnchorRules();
      continue;
    }
    const TAnchors anchors = c->Anchors();
    if (anchors == (akLeft | akTop)) continue;
    const auto& rules = c->anchorRules_;
    const int dx = areaWidth - rules.parentWidth;
    const int dy = areaHeight - rules.parentHeight;
    int left = rules.bounds.left;
    int top = rules.bounds.top;
    int w = rules.bounds.right - rules.bounds.left;
    int h = rules.bounds.bottom - rules.bounds.top;
    if ((anchors & akLeft) && (anchors & akRight)) {
      w += dx;
    } else if (anchors & akRight) {
      left += dx;
    } else if (!(anchors & akLeft)) {
      left += dx / 2;
    }
    if ((anchors & akTop) && (anchors & akBottom)) {
      h += dy;
    } else if (anchors & akBottom) {
      top += dy;
    } else if (!(anchors & akTop)) {
      top += dy / 2;
    }
    c->SetAlignedBounds(left, top, w, h);
  }
}

}  // namespace quendrel::toolkit

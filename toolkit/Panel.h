// TCustomPanel / TPanel: a container with bevels and a centred caption.
#pragma once

#include "toolkit/CustomControl.h"

namespace quendrel::toolkit {

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* owner);
  std::string ClassName() const override { return "TCustomPanel"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

protected:
  RECT AlignRect() const override;
  void Paint() override;

private:
  int BevelSpace() const;

  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
  std::string ClassName() const override { return "TPanel"; }
};

}  // namespace quendrel::toolkit

// TFormScaler: the component that keeps a form's controls, fonts and bitmaps in proportion to the
// form's size, scales the form to the screen at start-up and keeps it between that size and the
// screen's.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "sizing/FontWalk.h"
#include "sizing/FormScalerCore.h"
#include "sizing/Registration.h"
#include "sizing/ResizeTree.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"

namespace quendrel::sizing {

using TBeforeSizeEvent = std::function<void(toolkit::TComponent* Sender, bool& AllowAction)>;

class TFormScaler : public toolkit::TComponent,
                    private ControlProbe,
                    private ControlTree,
                    private FontSizes {
public:
  // The owner must be a form: throws std::invalid_argument "Owner must be TForm or descendant!".
  explicit TFormScaler(toolkit::TComponent* owner);
  ~TFormScaler() override;
  std::string ClassName() const override { return "TFormScaler"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  TAnchorMode AnchorMode() const { return core_.Settings().AnchorMode; }
  void SetAnchorMode(TAnchorMode v) { core_.MutableSettings().AnchorMode = v; }
  int DesignScreenHeight() const { return core_.Settings().DesignScreenHeight; }
  void SetDesignScreenHeight(int v) { core_.MutableSettings().DesignScreenHeight = v; }
  int DesignScreenWidth() const { return core_.Settings().DesignScreenWidth; }
  void SetDesignScreenWidth(int v) { core_.MutableSettings().DesignScreenWidth = v; }
  bool Enabled() const { return core_.Settings().Enabled; }
  void SetEnabled(bool v);
  TGridColumns GridColumnSizing() const { return core_.Settings().GridColumnSizing; }
  void SetGridColumnSizing(TGridColumns v) { core_.MutableSettings().GridColumnSizing = v; }
  TGridRows GridRowSizing() const { return core_.Settings().GridRowSizing; }
  void SetGridRowSizing(TGridRows v) { core_.MutableSettings().GridRowSizing = v; }
  bool FormToScreenRatio() const { return core_.Settings().FormToScreenRatio; }
  void SetFormToScreenRatio(bool v) { core_.MutableSettings().FormToScreenRatio = v; }
  bool MinimumSize() const { return core_.Settings().MinimumSize; }
  void SetMinimumSize(bool v) { core_.MutableSettings().MinimumSize = v; }
  TProcessFonts ProcessFonts() const { return core_.Settings().ProcessFonts; }
  void SetProcessFonts(TProcessFonts v) { core_.MutableSettings().ProcessFonts = v; }
  bool StretchFonts() const { return core_.Settings().StretchFonts; }
  void SetStretchFonts(bool v) { core_.SetStretchFonts(v); }
  bool StretchImages() const { return core_.Settings().StretchImages; }
  void SetStretchImages(bool v) { core_.MutableSettings().StretchImages = v; }
  bool StretchOnResize() const { return core_.Settings().StretchOnResize; }
  void SetStretchOnResize(bool v) { core_.MutableSettings().StretchOnResize = v; }

  toolkit::TNotifyEvent AfterSize;
  TBeforeSizeEvent BeforeSize;
  toolkit::TNotifyEvent OnFormMaximize;
  toolkit::TNotifyEvent OnFormRestore;
  toolkit::TNotifyEvent OnResolutionChange;

  // Set-up once the form is complete: records the controls, hooks the form, scales it to the
  // screen. Runs from Loaded() for a form that loads; a form built in code calls it when its
  // components are in place. Runs once.
  void FormLoaded();
  bool SetUpDone() const { return setUp_; }

  // The private messages, handled at once (`component` where the message names one).
  void Dispatch(ScalerMessage message, toolkit::TComponent* component = nullptr);

  // Where the screen size comes from (the primary display unless a test says otherwise).
  void SetScreenSource(std::function<SizeI()> source) { screen_ = std::move(source); }

  const FormScalerCore& Core() const { return core_; }
  FormScalerCore& Core() { return core_; }
  uint8_t SizingState() const { return core_.State().SizingState(); }

protected:
  void Loaded() override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;

private:
  toolkit::TForm& Form() const { return *form_; }
  SizeI Screen() const { return screen_(); }
  SizeI FormOuter() const;
  void Hook(toolkit::TMessage& message, const toolkit::TWndNext& next);
  void ScreenScaling();
  void RegisterInserted();

  // The resize pass as the sizing state runs it.
  class PassHost final : public ResizePassHost {
  public:
    explicit PassHost(TFormScaler& scaler) : s_(scaler) {}
    bool Enabled() const override { return s_.Enabled(); }
    SizeI FormOuterSize() const override { return s_.FormOuter(); }
    bool AllowPass() override;
    void RunPass() override;
    void AfterSize() override;

  private:
    TFormScaler& s_;
  };
  // ControlProbe
  std::optional<ControlPlacement> Placement(const toolkit::TComponent& component) const override;
  // ControlTree
  bool IsWindowed(const toolkit::TComponent& control) const override;
  int ChildCount(const toolkit::TComponent& control) const override;
  toolkit::TComponent* Child(const toolkit::TComponent& control, int index) const override;
  // FontSizes
  std::optional<int32_t> Size(toolkit::TComponent& component, std::string_view propName) override;
  void SetSize(toolkit::TComponent& component, std::string_view propName, int32_t points) override;

  toolkit::TForm* form_;
  std::function<SizeI()> screen_;
  FormScalerCore core_;
  PassHost passHost_{*this};
  toolkit::TWndHookOwner hook_;
  bool setUp_ = false;
  // Components inserted since the last turn of the message loop: still being constructed when
  // they were inserted, they are recorded once they are complete.
  std::vector<toolkit::TComponent*> inserted_;
};

}  // namespace quendrel::sizing

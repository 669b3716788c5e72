// TSkinTitleBar: the skinned title bar a TSkinForm puts on top of its form: picture sections, a row
// of picture buttons with hot and pressed looks, the caption, window dragging and a system menu.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/SkinFileTheme.h"
#include "skin/SkinStyleLink.h"
#include "skin/SkinPopupMenu.h"
#include "skin/SkinTheme.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace quendrel::skin {

enum TSkinTitleBarBtnType { tbMax, tbMin, tbClose, tbHelp, tbControlBox, tbCustom };
enum TSkinTitleBarAlign { saLeft, saRight, saClient };

using TSkinTitleBarButtonClickEvent = std::function<void(toolkit::TComponent* Sender, int ButtonIndex)>;

class TSkinTitleBar;

// Sections are drawn by position (0 left, 1 right, 2 stretched between); the other fields are
// kept for form files and theme round trips.
struct TSkinTitleBarSection {
  int Width = 10;
  TSkinTitleBarAlign Align = saLeft;
  toolkit::TBitmap Picture;
  bool Stretch = false;
  bool AutoSize = false;
};

class TSkinTitleBarButton {
 public:
  explicit TSkinTitleBarButton(TSkinTitleBar& bar) : bar_(bar) {}

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TSkinTitleBarBtnType ButtonType() const { return type_; }
  // A second control box is refused with an error box; the type stays as it was.
  void SetButtonType(TSkinTitleBarBtnType type);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Stored only: the bar places every button on its own button row.
  int Top() const { return top_; }
  void SetTop(int value) { top_ = value; }
  TSkinUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TSkinUIStyle style);
  toolkit::TPopupMenu* ControlBoxMenu = nullptr;  // not owned

  toolkit::TBitmap PicNormal;
  toolkit::TBitmap PicMouseOn;
  toolkit::TBitmap PicMouseDown;

  void PerformAction();
  void RefreshMaxRestoreGlyph();

 private:
  void LoadPictures();
  void LoadFrames(int first);

  TSkinTitleBar& bar_;
  bool visible_ = true;
  TSkinTitleBarBtnType type_ = tbCustom;
  bool transparent_ = false;
  int top_ = 2;
  TSkinUIStyle style_ = TSkinUIStyle::DeepBlue;
};

// The system menu: minimize, maximize/restore, a line and close, enabled by the buttons the bar has.
class TSkinTitleBarPopupMenu : public TSkinPopupMenu {
 public:
  explicit TSkinTitleBarPopupMenu(TSkinTitleBar& bar);
  std::string ClassName() const override { return "TSkinTitleBarPopupMenu"; }
  void UpdateItems();
  void Popup(int x, int y) override;

 private:
  TSkinTitleBar& bar_;
};

class TSkinTitleBar : public toolkit::TCustomPanel {
 public:
  explicit TSkinTitleBar(toolkit::TComponent* owner);
  ~TSkinTitleBar() override;
  std::string ClassName() const override { return "TSkinTitleBar"; }

  bool Custom() const { return custom_; }
  void SetCustom(bool value) { custom_ = value; }
  TSkinUIStyle UIStyle() const { return look_.Style(); }
  void SetUIStyle(TSkinUIStyle style);
  TSkinFileTheme* FileTheme() const { return look_.Theme(); }
  void SetFileTheme(TSkinFileTheme* theme);

  int SectionCount() const { return static_cast<int>(sections_.size()); }
  TSkinTitleBarSection& Sections(int index) { return *sections_.at(static_cast<size_t>(index)); }
  TSkinTitleBarSection& AddSection();
  void ClearSections();
  // Only one section may take the client part; that one always stretches. False when refused.
  bool SetSectionAlign(int index, TSkinTitleBarAlign align);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TSkinTitleBarButton& Buttons(int index) { return *buttons_.at(static_cast<size_t>(index)); }
  TSkinTitleBarButton& AddButton();
  void ClearButtons();
  int IndexOfButton(const TSkinTitleBarButton* button) const;

  int ButtonInterval() const { return buttonInterval_; }
  void SetButtonInterval(int value);
  bool FormActive() const { return formActive_; }
  void SetFormActive(bool value);
  int LeftBtnXOffset() const { return leftOffset_; }
  void SetLeftBtnXOffset(int value);
  int RightBtnXOffset() const { return rightOffset_; }
  void SetRightBtnXOffset(int value);
  bool DrawAppIcon() const { return drawAppIcon_; }
  void SetDrawAppIcon(bool value);
  int RoundCorner() const { return roundCorner_; }
  void SetRoundCorner(int value) { roundCorner_ = value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  int ButtonRowTop() const { return rowTop_; }
  int ButtonRowHeight() const { return rowHeight_; }
  int HotIndex() const { return hotIndex_; }
  bool Pressed() const { return pressed_; }
  TSkinTitleBarPopupMenu& SystemMenu() { return *systemMenu_; }

  TSkinTitleBarButtonClickEvent OnCustomBtnsClick;
  TSkinTitleBarButtonClickEvent OnHelpBtnClick;

  // What the bar shows, drawn into bitmap (sized to the bar).
  void RenderTo(toolkit::TBitmap& bitmap);
  // The caption cut to width: its longest prefix that fits with "..." after it, or "" when not even
  // "..." fits.
  static std::string FitCaption(toolkit::TCanvas& canvas, const std::string& caption, int width);
  // Collection index of the visible button at point, -1 for none.
  int ButtonAt(POINT point);
  toolkit::TForm* HostForm() const;
  bool OnSkinForm() const;

 protected:
  void Paint() override;
  virtual void DrawSections(toolkit::TCanvas& canvas);
  virtual void DrawButtons(toolkit::TCanvas& canvas);
  void WndProc(toolkit::TMessage& message) override;
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseMove(toolkit::TShiftState shift, int x, int y) override;
  void DblClick() override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;
  // Lets the platform move the window (a modal loop until the button goes up).
  virtual void BeginWindowDrag(toolkit::TForm& form);

 private:
  friend class TSkinTitleBarButton;
  struct Layout {
    std::vector<std::pair<int, RECT>> buttons;  // collection index and rectangle, controlBox included
    int controlBox = -1;
    int captionLeft = 0;
    int captionRight = 0;
  };
  Layout ComputeLayout();
  // The whole bar at bar coordinates: RenderTo and Paint both draw with it.
  void PaintOn(toolkit::TCanvas& canvas);
  void Changed() { Invalidate(); }

  bool custom_ = false;
  TSkinStyleLink look_;
  std::vector<std::unique_ptr<TSkinTitleBarSection>> sections_;
  std::vector<std::unique_ptr<TSkinTitleBarButton>> buttons_;
  int buttonInterval_ = 0;
  bool formActive_ = true;
  int leftOffset_ = 0;
  int rightOffset_ = 0;
  bool drawAppIcon_ = false;
  int roundCorner_ = 0;
  bool autoSize_ = false;
  toolkit::TColor captionColor_ = toolkit::clWhite;
  int hotIndex_ = -1;
  bool pressed_ = false;
  POINT mouse_{-1, -1};  // last mouse position in bar coordinates; (-1, -1) when outside
  int rowTop_ = 0;
  int rowHeight_ = 0;
  bool settingFileTheme_ = false;
  std::unique_ptr<TSkinTitleBarPopupMenu> systemMenu_;
};

}  // namespace quendrel::skin

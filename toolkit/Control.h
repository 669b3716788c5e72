// Controls: TControl (anything with bounds in a parent) and TWinControl (a control with a window).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/Component.h"
#include "toolkit/Font.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/HookChain.h"

namespace quendrel::toolkit {

class TWinControl;
class TPopupMenu;
class TForm;

// Messages of the toolkit itself, delivered to controls through Perform/WindowProc.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;  // 0xB013
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;  // 0xB014
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
// Ctrl+Tab, Ctrl+PgUp or Ctrl+PgDn (wParam) pressed in a control: performed on it and its parents
// in turn until one answers non-zero (a page control switching pages).
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;
// Performed by RecreateWnd once the new window exists (hooks re-apply what they did to the old one).
constexpr UINT CM_RECREATEWND = CM_BASE + 0x33;
// Notifications a parent window receives about a child window (WM_COMMAND, WM_DRAWITEM, ...) are
// handed to the child as CN_BASE + the message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;  // a set of TAnchorKind bits

// 0 means no limit.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftBits : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

class TControl;

// Hands a message on to the rest of a control's hook chain: the older hooks, then the control's
// own handler. Valid only while the hook that got it runs.
class TWndNext {
public:
  void operator()(TMessage& message) const;

private:
  friend class TControl;
  TWndNext(TControl* control, const std::vector<std::shared_ptr<THookNode>>* hooks, size_t below)
      : control_(control), hooks_(hooks), below_(below) {}
  TControl* control_;
  const std::vector<std::shared_ptr<THookNode>>* hooks_;
  size_t below_;
};

// A hook sees a message before the hooks installed before it and the control itself; it calls
// next(message) to pass it on, or answers it by setting message.Result and returning.
using TWndHook = std::function<void(TMessage& message, const TWndNext& next)>;
using TWndHookOwner = THookOwner;

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TComponent* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent* Sender, char& Key)>;

// Shift state from the keyboard and the mouse-button bits of a mouse message's wParam.
TShiftState ShiftStateFromKeys(WPARAM mouseKeys);
TShiftState KeyboardShiftState();

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form this control sits on (following parents), or null.
  TForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
  void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
  POINT ClientToScreen(POINT point) const;
  POINT ScreenToClient(POINT point) const;
  // Client origin of this control in its window's client coordinates (non-zero for graphic controls).
  virtual POINT ClientOrigin() const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& constraints);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }  // copied, not taken over
  TFont* FontObject() { return &font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);  // not owned; forgotten when the menu goes
  // Caption and Text are one string, as for every control of the toolkit.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // Sends a message straight through WindowProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void Invalidate();
  virtual void Update() {}
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  bool MouseInControl() const { return mouseInControl_; }
  virtual void Click();
  // Shows PopupMenu (when it has one that pops up by itself) at a screen point; false when none.
  bool ContextPopup(POINT screenPoint);
  // Paints what the parent shows under this control (its background and the graphic controls
  // below) into dc, whose origin is this control's top-left: the backdrop of a transparent
  // windowed control. Nothing without a parent window.
  void PaintParentBackground(HDC dc) const;

  // The message entry of the control: the installed hooks, newest first, then WndProc.
  void WindowProc(TMessage& message);
  // Puts hook in front of the chain; it sees window messages and Perform alike. The chain belongs
  // to the control, not to its window, so it survives RecreateWnd.
  [[nodiscard]] TWndHookOwner HookWindowProc(TWndHook hook);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

protected:
  friend class TWinControl;
  friend class TWndNext;
  // The control's own message handler: a switch over the messages it knows, then DefaultHandler.
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage&) {}
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual void Resize();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged() {}
  virtual void EnabledChanged() {}
  virtual void VisibleChanged() {}
  // Called after the size changed (windowed controls lay out their children first).
  virtual void SizeChanged() { Resize(); }
  // Graphic controls draw themselves here on their parent's DC, origin at their top-left.
  virtual void PaintControl(HDC) {}
  // Applies the new bounds to the screen (window move or parent repaint).
  virtual void BoundsChanged(const RECT& oldBounds);
  // Bounds as the parent's alignment sets them: keeps the anchor reference of the control.
  void SetAlignedBounds(int left, int top, int width, int height);
  void RequestAlign();
  // Remembers the current position relative to the parent's size for the anchors.
  void UpdateAnchorRules();
  // Runs the newest hook still installed below index `below` of hooks (a snapshot), else WndProc.
  void RunHooks(const std::vector<std::shared_ptr<THookNode>>& hooks, size_t below, TMessage& message);

  // Bounds and the parent's client size when the anchors last took their reference.
  struct AnchorRules {
    RECT bounds{};
    int parentWidth = 0;
    int parentHeight = 0;
    bool valid = false;
  };

  THookChain<TWndHook> hooks_;
  TWinControl* parent_ = nullptr;  // not owned
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  AnchorRules anchorRules_;
  TSizeConstraints constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool showHint_ = false;
  TPopupMenu* popupMenu_ = nullptr;  // not owned
  TComponent* popupMenuComponent_ = nullptr;  // the same object, as a component
  std::string text_;
  int tag_ = 0;
  bool mouseInControl_ = false;
  bool clicked_ = false;  // left button went down in the control; a click needs the up inside
  bool applyingParentFont_ = false;
  bool inAlign_ = false;
  // Windows of system classes report clicks themselves (CN_COMMAND); ours click on mouse-up.
  bool clickOnMouseUp_ = true;
};

// How a TWinControl's window is made. Filled by CreateParams.
struct TCreateParams {
  std::string Caption;
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  // Our own window class (registered on first use) unless SystemClass names a system one
  // ("BUTTON", "LISTBOX", "EDIT") that the control then subclasses.
  std::string WinClassName;
  UINT ClassStyle = CS_DBLCLKS;
  std::string SystemClass;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  // The window, made now when there is none (parents first).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window (and the children's); the control keeps its state and makes a new one on demand.
  void DestroyHandle();
  // Destroys the window and makes a fresh one when it existed (after a style change), then
  // performs CM_RECREATEWND.
  void RecreateWnd();
  // Paints through an off-screen bitmap (background included), so nothing flickers.
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value);

  // Child controls in control order (z-order of graphic controls: later ones paint on top).
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // The visible child (graphic children first, topmost first) at a client point, or null.
  TControl* ControlAtPos(POINT point, bool allowDisabled = false) const;

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  // Windowed children in tab order.
  std::vector<TWinControl*> TabList() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);

  // Lays the children out again: alignment, then anchors.
  void Realign();
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();

  RECT ClientRect() const override;
  POINT ClientOrigin() const override { return POINT{0, 0}; }
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  void Invalidate() override;
  void Update() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  // The control of a window made by this toolkit (or subclassed by it), else null.
  static TWinControl* FromHandle(HWND hwnd);

protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // After the window exists: fonts, children's windows, etc.
  virtual void CreateHandleDone() {}
  virtual void DestroyWnd();
  // The window goes while the control is whole.
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void BoundsChanged(const RECT& oldBounds) override;
  void SizeChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  // Space the children are aligned in (client rectangle less the border).
  virtual RECT AlignRect() const;
  virtual void AlignControls(RECT rect);
  virtual void PaintWindow(HDC dc);
  // Paints the graphic children that intersect the DC's clip box.
  void PaintControls(HDC dc);
  void PaintBackground(HDC dc);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;  // the class's procedure of a subclassed system window
  std::vector<TControl*> controls_;  // not owned (owners free controls)
  std::vector<TWinControl*> tabList_;  // windowed children in tab order, not owned
  TControl* mouseControl_ = nullptr;  // graphic child under the mouse, not owned
  TControl* captureControl_ = nullptr;  // graphic child that got a button down, not owned
  BrushHandle colorBrush_;  // Color, for WM_CTLCOLOR* answers
  int nextChildId_ = 100;
  bool trackingMouse_ = false;
  bool tabStop_ = false;
  int borderWidth_ = 0;
  int alignDisabled_ = 0;
  bool aligning_ = false;
  bool creatingWnd_ = false;
  bool doubleBuffered_ = false;

private:
  // The background when asked, the window, then the graphic controls on it.
  void PaintAll(HDC dc, bool withBackground);
  void PaintBuffered(HDC dc, const RECT& area);
  static LRESULT CALLBACK WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND hwnd);
  void Detach();
  bool HandleMouseForChildren(TMessage& message);
  bool ReflectToChild(TMessage& message);
  bool SetCursorFor(TMessage& message);
  void SyncBoundsFromWindow();
};

}  // namespace quendrel::toolkit

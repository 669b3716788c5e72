// Message handling of TWinControl: painting, mouse routing to graphic children, keys, reflection.
#include <windowsx.h>

#include "toolkit/BufferedPaint.h"
#include "toolkit/Control.h"
#include "toolkit/Screen.h"

namespace quendrel::toolkit {
namespace {

bool IsButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
}
bool IsButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

}  // namespace

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (defWndProc_ != nullptr) break;
      if (message.WParam != 0) {
        // Painting into a DC someone hands us (a parent drawing us, a render to a bitmap).
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        PaintAll(dc, message.Msg == WM_PRINTCLIENT && (message.LParam & PRF_ERASEBKGND));
      } else {
        PaintDC paint(handle_);
        try {
          if (doubleBuffered_) {
            PaintBuffered(paint.Get(), paint.Info().rcPaint);
          } else {
            PaintAll(paint.Get(), false);
          }
        } catch (...) {
          // Whatever the painting invalidated again would bring WM_PAINT, and the error, back at
          // once and for ever; the queue would never run empty.
          ValidateRect(handle_, nullptr);
          throw;
        }
      }
      return;
    case WM_ERASEBKGND:
      if (defWndProc_ != nullptr) break;
      // Double buffered: WM_PAINT paints the background into its bitmap.
      if (!doubleBuffered_) PaintBackground(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(message);
      if (!IsIconic(handle_)) SyncBoundsFromWindow();
      return;
    case WM_MOUSELEAVE:
      trackingMouse_ = false;
      if (mouseControl_ != nullptr) {
        TControl* left = mouseControl_;
        mouseControl_ = nullptr;
        left->Perform(CM_MOUSELEAVE);
      }
      Perform(CM_MOUSELEAVE);
      DefaultHandler(message);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(message.WParam);
      if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN) {
        KeyDown(key, KeyboardShiftState());
      } else {
        KeyUp(key, KeyboardShiftState());
      }
      if (key == 0) return;  // a handler took the key
      message.WParam = key;
      break;
    }
    case WM_CHAR: {
      char key = static_cast<char>(message.WParam);
      KeyPress(key);
      if (key == 0) return;
      message.WParam = static_cast<unsigned char>(key);
      break;
    }
    case WM_SETFOCUS:
      DefaultHandler(message);
      DoEnter();
      return;
    case WM_KILLFOCUS:
      DefaultHandler(message);
      DoExit();
      return;
    case WM_CONTEXTMENU: {
      POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      if (point.x == -1 && point.y == -1) {
        point = ClientToScreen(POINT{width_ / 2, height_ / 2});  // from the keyboard
      }
      TControl* target = ControlAtPos(ScreenToClient(point));
      if (target == nullptr || dynamic_cast<TWinControl*>(target) != nullptr) target = this;
      if (target->ContextPopup(point)) return;
      break;  // DefWindowProc passes it on to the parent window
    }
    case WM_SETCURSOR:
      if (SetCursorFor(message)) return;
      break;
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (ReflectToChild(message)) return;
      break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      SetTextColor(dc, ColorToRGB(font_.Color()));
      SetBkColor(dc, ColorToRGB(color_));
      if (!colorBrush_) colorBrush_.Reset(CreateSolidBrush(ColorToRGB(color_)));
      message.Result = reinterpret_cast<LRESULT>(colorBrush_.Get());
      return;
    }
    default:
      if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
        if (message.Msg == WM_MOUSEMOVE && !trackingMouse_) {
          TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle_, 0};
          trackingMouse_ = TrackMouseEvent(&track) != FALSE;
          Perform(CM_MOUSEENTER);
        }
        if (defWndProc_ == nullptr && HandleMouseForChildren(message)) return;  // went to a graphic child
      }
      break;
  }
  TControl::WndProc(message);
}

void TWinControl::PaintAll(HDC dc, bool withBackground) {
  if (withBackground) PaintBackground(dc);
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::PaintBuffered(HDC dc, const RECT& area) {
  toolkit::PaintBuffered(dc, area, [this](HDC buffer) { PaintAll(buffer, true); });
}

bool TWinControl::HandleMouseForChildren(TMessage& message) {
  const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TControl* hover = ControlAtPos(point);
  if (hover != nullptr && dynamic_cast<TWinControl*>(hover) != nullptr) hover = nullptr;
  if (message.Msg == WM_MOUSEMOVE && hover != mouseControl_) {
    // The parent tracks its graphic children, which have no window to be told by the system.
    TControl* left = mouseControl_;
    mouseControl_ = hover;
    if (left != nullptr) left->Perform(CM_MOUSELEAVE);
    if (hover != nullptr && mouseControl_ == hover) hover->Perform(CM_MOUSEENTER);
  }
  TControl* target = captureControl_ != nullptr ? captureControl_ : hover;
  if (target == nullptr) return false;
  if (IsButtonDown(message.Msg)) {
    captureControl_ = target;
    SetCapture(handle_);
  }
  const bool up = IsButtonUp(message.Msg);
  const LPARAM childPoint = MAKELPARAM(point.x - target->Left(), point.y - target->Top());
  message.Result = target->Perform(message.Msg, message.WParam, childPoint);
  if (up && captureControl_ != nullptr) {
    captureControl_ = nullptr;
    ReleaseCapture();
  }
  return true;
}

bool TWinControl::SetCursorFor(TMessage& message) {
  if (LOWORD(message.LParam) != HTCLIENT || reinterpret_cast<HWND>(message.WParam) != handle_) return false;
  POINT point;
  GetCursorPos(&point);
  ::ScreenToClient(handle_, &point);
  TCursor cursor = cursor_;
  if (TControl* child = ControlAtPos(point); child != nullptr && child->Cursor() != crDefault) {
    cursor = child->Cursor();
  }
  if (cursor == crDefault) return false;
  ::SetCursor(Screen.CursorHandle(cursor));
  message.Result = TRUE;
  return true;
}

bool TWinControl::ReflectToChild(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (draw->CtlType != ODT_MENU) child = draw->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
      if (measure->CtlType != ODT_MENU) child = GetDlgItem(handle_, static_cast<int>(measure->CtlID));
      break;
    }
    default:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
  }
  TWinControl* control = FromHandle(child);
  if (control == nullptr || control == this) return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

}  // namespace quendrel::toolkit

#include "toolkit/Screen.h"

#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

TScreen Screen;

RECT TScreen::WorkArea() const {
  RECT area{0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

int TScreen::WorkAreaWidth() const {
  const RECT area = WorkArea();
  return area.right - area.left;
}

int TScreen::WorkAreaHeight() const {
  const RECT area = WorkArea();
  return area.bottom - area.top;
}

int TScreen::PixelsPerInch() const {
  const WindowDC screen;
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

HCURSOR TScreen::CursorHandle(TCursor cursor) const {
  if (auto it = cursors_.find(cursor); it != cursors_.end()) return it->second;
  LPCSTR id = IDC_ARROW;
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorA(nullptr, id);
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

}  // namespace quendrel::toolkit

// TScreen: what the toolkit knows about the display (the `Screen` object).
#pragma once

#include <windows.h>

#include <map>

#include "toolkit/Control.h"

namespace quendrel::toolkit {

class TScreen {
public:
  TScreen() = default;
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  // Size of the primary display in pixels.
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The primary display less the taskbar.
  RECT WorkArea() const;
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;
  int PixelsPerInch() const;

  // The cursor for a TCursor: the stock ones (crHandPoint...) and those added with SetCursor.
  HCURSOR CursorHandle(TCursor cursor) const;
  // Registers a cursor under an index (not owned: cursors loaded from resources are shared).
  void SetCursor(TCursor index, HCURSOR cursor) { cursors_[index] = cursor; }
  // The cursor shown over every window of the program while not crDefault (crHourGlass while busy).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

private:
  std::map<TCursor, HCURSOR> cursors_;
  TCursor cursor_ = crDefault;
};

// The toolkit's one screen object, as the program's design expects it.
extern TScreen Screen;

}  // namespace quendrel::toolkit

// Owners for GDI handles: each deletes or releases what it holds, exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace quendrel::toolkit {

// An owned GDI object (HBITMAP, HFONT, HPEN, HBRUSH, HRGN); DeleteObject when it goes.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using BitmapHandle = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using PenHandle = GdiObject<HPEN>;
using BrushHandle = GdiObject<HBRUSH>;
using RegionHandle = GdiObject<HRGN>;

// An owned icon; DestroyIcon when it goes.
class IconHandle {
 public:
  IconHandle() = default;
  explicit IconHandle(HICON icon) : icon_(icon) {}
  ~IconHandle() { Reset(); }
  IconHandle(IconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  IconHandle& operator=(IconHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.icon_, nullptr));
    return *this;
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;

  HICON Get() const { return icon_; }
  explicit operator bool() const { return icon_ != nullptr; }
  HICON Release() { return std::exchange(icon_, nullptr); }
  void Reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_ = nullptr;
};

// A memory DC compatible with the screen (or with a given DC); DeleteDC when it goes.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A DC borrowed from a window (or the screen); ReleaseDC when it goes. The guards below differ only
// in how they get it.
class ReleasedDC {
 public:
  ~ReleasedDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ReleasedDC(const ReleasedDC&) = delete;
  ReleasedDC& operator=(const ReleasedDC&) = delete;
  HDC Get() const { return dc_; }

 protected:
  ReleasedDC(HWND window, HDC dc) : window_(window), dc_(dc) {}

 private:
  HWND window_;
  HDC dc_;
};

// A window's (or the screen's) client DC from GetDC.
class WindowDC : public ReleasedDC {
 public:
  explicit WindowDC(HWND window = nullptr) : ReleasedDC(window, GetDC(window)) {}
};

// A whole window's DC from GetWindowDC (frame included: non-client painting).
class WholeWindowDC : public ReleasedDC {
 public:
  explicit WholeWindowDC(HWND window) : ReleasedDC(window, GetWindowDC(window)) {}
};

// A DC from GetDCEx. With DCX_INTERSECTRGN or DCX_EXCLUDERGN the system takes the clip region over
// once the call succeeds, so the guard takes it from the caller (pass a copy of a region you do not
// own, such as WM_NCPAINT's).
class WindowDCEx : public ReleasedDC {
 public:
  WindowDCEx(HWND window, DWORD flags, RegionHandle clip = RegionHandle())
      : ReleasedDC(window, GetDCEx(window, clip.Get(), flags)) {
    if (Get() && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) static_cast<void>(clip.Release());
  }
};

// BeginPaint now, EndPaint when it goes, however painting ends.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() {
    if (dc_) EndPaint(window_, &paint_);
  }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return dc_; }
  const PAINTSTRUCT& Info() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Hands region to the window (SetWindowRgn): on success the window owns it and the handle is
// emptied; on failure region still owns it. A null region removes the window's region.
inline bool SetWindowRegion(HWND window, RegionHandle& region, bool redraw) {
  if (!SetWindowRgn(window, region.Get(), redraw ? TRUE : FALSE)) return false;
  static_cast<void>(region.Release());
  return true;
}

// Selects an object into a DC and puts the previous one back when it goes.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// SaveDC now, RestoreDC to exactly that state when it goes.
class SavedDCState {
 public:
  explicit SavedDCState(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
  ~SavedDCState() {
    if (state_) RestoreDC(dc_, state_);
  }
  SavedDCState(const SavedDCState&) = delete;
  SavedDCState& operator=(const SavedDCState&) = delete;

 private:
  HDC dc_;
  int state_;
};

}  // namespace quendrel::toolkit

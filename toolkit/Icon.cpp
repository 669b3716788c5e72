#include "toolkit/Icon.h"

#include "toolkit/Canvas.h"

namespace quendrel::toolkit {

namespace {

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  // GetIconInfo hands over copies of both bitmaps.
  BitmapHandle mask(info.hbmMask), color(info.hbmColor);
  BITMAP bm{};
  if (color) {
    GetObjectA(color.Get(), sizeof(bm), &bm);
    return {bm.bmWidth, bm.bmHeight};
  }
  // Monochrome icons keep image and mask stacked in one bitmap of double height.
  GetObjectA(mask.Get(), sizeof(bm), &bm);
  return {bm.bmWidth, bm.bmHeight / 2};
}

}  // namespace

void TIcon::Assign(const TIcon& other) {
  if (this == &other) return;
  SetHandle(other.handle_ ? CopyIcon(other.handle_.Get()) : nullptr);
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(*this);
  copy->SetTransparent(Transparent());
  return copy;
}

void TIcon::SetHandle(HICON icon) {
  handle_.Reset(icon);
  const SIZE size = IconSize(icon);
  width_ = size.cx;
  height_ = size.cy;
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON icon = handle_.Release();
  width_ = height_ = 0;
  Changed();
  return icon;
}

bool TIcon::Load(HINSTANCE instance, LPCSTR name, int size, UINT flags) {
  const int cx = size > 0 ? size : GetSystemMetrics(SM_CXICON);
  const int cy = size > 0 ? size : GetSystemMetrics(SM_CYICON);
  SetHandle(static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, cx, cy, flags)));
  return !Empty();
}

bool TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name, int size) {
  return Load(instance, name.c_str(), size, 0);
}

bool TIcon::LoadFromResourceID(HINSTANCE instance, int id, int size) {
  return Load(instance, MAKEINTRESOURCEA(id), size, 0);
}

bool TIcon::LoadFromFile(const std::string& fileName, int size) {
  return Load(nullptr, fileName.c_str(), size, LR_LOADFROMFILE);
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
  if (HDC dc = canvas.Handle(); dc && handle_)
    DrawIconEx(dc, rect.left, rect.top, handle_.Get(), rect.right - rect.left, rect.bottom - rect.top, 0,
               nullptr, DI_NORMAL);
}

}  // namespace quendrel::toolkit

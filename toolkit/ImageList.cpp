#include "toolkit/ImageList.h"

#include <algorithm>

#include "toolkit/Canvas.h"

namespace quendrel::toolkit {

namespace {

// Key colour for the greyed copy: grey pixels have r = g = b, so magenta is never one of them.
constexpr COLORREF kGreyKey = RGB(255, 0, 255);

}  // namespace

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  Create();
}

TImageList::~TImageList() {
  if (list_) ImageList_Destroy(list_);
}

void TImageList::Create() {
  if (list_) ImageList_Destroy(list_);
  list_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
}

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Create();
  Changed();
}

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  if (!list_ || image.Empty()) return -1;
  const COLORREF key = ColorToRGB(maskColor == clDefault ? image.TransparentColor() : maskColor);
  // ImageList_AddMasked blackens the masked pixels of the bitmap it is given: it gets a copy, so the
  // caller's bitmap stays as it was.
  TBitmap copy(image);
  const int index = ImageList_AddMasked(list_, copy.ReleasedHandle(), key);
  if (index >= 0) Changed();
  return index;
}

int TImageList::Add(const TBitmap& image) {
  if (!list_ || image.Empty()) return -1;
  // A copy: the list selects the bitmap into a DC of its own, which the canvas of image may hold.
  TBitmap copy(image);
  const int index = ImageList_Add(list_, copy.ReleasedHandle(), nullptr);
  if (index >= 0) Changed();
  return index;
}

int TImageList::AddIcon(const TIcon& icon) {
  if (!list_ || icon.Empty()) return -1;
  const int index = ImageList_ReplaceIcon(list_, -1, icon.Handle());
  if (index >= 0) Changed();
  return index;
}

void TImageList::Delete(int index) {
  if (list_ && index >= 0 && index < Count() && ImageList_Remove(list_, index)) Changed();
}

void TImageList::Clear() {
  if (list_ && Count() > 0 && ImageList_Remove(list_, -1)) Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  HDC dc = canvas.Handle();
  if (!dc || !list_ || index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
  } else {
    DrawGreyed(dc, x, y, index);
  }
}

void TImageList::DrawGreyed(HDC dc, int x, int y, int index) {
  // The image and its mask drawn on our own bitmaps, then merged into a grey copy whose
  // transparent pixels carry the key colour.
  TBitmap image(width_, height_), mask(width_, height_);
  // White first: depending on the image list's version the mask is copied or ANDed in.
  mask.Canvas().Brush().SetColor(clWhite);
  mask.Canvas().FillRect({0, 0, width_, height_});
  ImageList_Draw(list_, index, image.Canvas().Handle(), 0, 0, ILD_NORMAL);
  ImageList_Draw(list_, index, mask.Canvas().Handle(), 0, 0, ILD_MASK);
  image.Flush();
  for (int row = 0; row < height_; ++row) {
    std::uint8_t* p = image.ScanLine(row);
    const std::uint8_t* m = mask.ScanLine(row);
    for (int col = 0; col < width_; ++col, p += 3, m += 3) {
      if (m[0] != 0) {  // white in the mask: transparent
        p[0] = GetBValue(kGreyKey);
        p[1] = GetGValue(kGreyKey);
        p[2] = GetRValue(kGreyKey);
        continue;
      }
      const int luma = (p[2] * 77 + p[1] * 150 + p[0] * 29) >> 8;
      // Lifted towards light grey so the image reads as unavailable on any background.
      const auto grey = static_cast<std::uint8_t>(96 + luma * 5 / 8);
      p[0] = p[1] = p[2] = grey;
    }
  }
  TransparentBlt(dc, x, y, width_, height_, image.Canvas().Handle(), 0, 0, width_, height_, kGreyKey);
}

IconHandle TImageList::GetIcon(int index) const {
  if (!list_ || index < 0 || index >= Count()) return IconHandle();
  return IconHandle(ImageList_GetIcon(list_, index, ILD_TRANSPARENT));
}

bool TImageList::GetIcon(int index, TIcon& icon) const {
  IconHandle handle = GetIcon(index);
  if (!handle) return false;
  icon.SetHandle(handle.Release());
  return true;
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const {
  if (!list_ || index < 0 || index >= Count()) return false;
  bitmap.SetSize(0, 0);
  bitmap.SetSize(width_, height_);
  ImageList_Draw(list_, index, bitmap.Canvas().Handle(), 0, 0, ILD_NORMAL);
  return true;
}

void TImageList::Changed() {
  if (OnChange) OnChange(*this);
}

}  // namespace quendrel::toolkit

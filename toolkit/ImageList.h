// TImageList: equal-sized images with masks (a comctl32 image list), drawn normal or greyed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"
#include "toolkit/Component.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Icon.h"

namespace quendrel::toolkit {

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner, int width = 16, int height = 16);
  ~TImageList() override;

  std::string ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;

  // Adds image (one image, or several side by side when it is a multiple of Width wide); pixels of
  // maskColor become transparent (clDefault: the bitmap's TransparentColor). Returns the index of
  // the first image added, -1 on failure. image itself is left unchanged.
  int AddMasked(const TBitmap& image, TColor maskColor = clDefault);
  // Opaque: every pixel of the image is drawn.
  int Add(const TBitmap& image);
  int AddIcon(const TIcon& icon);
  void Delete(int index);
  void Clear();

  // enabled false: a desaturated, lightened copy of the image, with the same transparency.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  // A new icon of the image, owned by the caller (for the notification area).
  IconHandle GetIcon(int index) const;
  bool GetIcon(int index, TIcon& icon) const;
  // The image on a black background, without its mask.
  bool GetBitmap(int index, TBitmap& bitmap) const;

  HIMAGELIST Handle() const { return list_; }

  std::function<void(TImageList&)> OnChange;

 private:
  void Create();
  void DrawGreyed(HDC dc, int x, int y, int index);
  void Changed();

  int width_;
  int height_;
  HIMAGELIST list_ = nullptr;
};

}  // namespace quendrel::toolkit

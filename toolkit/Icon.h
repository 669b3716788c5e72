// TIcon: an owned HICON that a canvas can draw.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/GdiHandles.h"
#include "toolkit/Graphic.h"

namespace quendrel::toolkit {

class TIcon : public TGraphic {
 public:
  TIcon() = default;
  ~TIcon() override = default;

  // A copy of the other icon's image (its own HICON).
  void Assign(const TIcon& other);
  std::unique_ptr<TGraphic> Clone() const override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return !handle_; }

  HICON Handle() const { return handle_.Get(); }
  // Takes ownership of icon.
  void SetHandle(HICON icon);
  // Gives the HICON to the caller, who must destroy it; the icon is empty afterwards.
  HICON ReleaseHandle();

  // An icon group resource by name or MAKEINTRESOURCE id, in the given size (0: the system's
  // large icon size). False and empty when there is none.
  bool LoadFromResourceName(HINSTANCE instance, const std::string& name, int size = 0);
  bool LoadFromResourceID(HINSTANCE instance, int id, int size = 0);
  bool LoadFromFile(const std::string& fileName, int size = 0);

  void Draw(TCanvas& canvas, const RECT& rect) override;

 private:
  bool Load(HINSTANCE instance, LPCSTR name, int size, UINT flags);

  IconHandle handle_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace quendrel::toolkit

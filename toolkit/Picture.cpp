#include "toolkit/Picture.h"

#include <algorithm>
#include <cctype>

namespace quendrel::toolkit {

void TPicture::Assign(const TPicture& other) {
  if (this != &other) SetGraphic(other.graphic_.get());
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  SetGraphic(graphic ? graphic->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TGraphic&) { Changed(); };
  Changed();
}

template <class T>
T& TPicture::As() {
  if (auto* existing = dynamic_cast<T*>(graphic_.get())) return *existing;
  auto fresh = std::make_unique<T>();
  T& result = *fresh;
  SetGraphic(std::move(fresh));
  return result;
}

TBitmap& TPicture::Bitmap() { return As<TBitmap>(); }
TIcon& TPicture::Icon() { return As<TIcon>(); }
TJPEGImage& TPicture::JPEG() { return As<TJPEGImage>(); }

bool TPicture::LoadFromFile(const std::string& fileName) {
  std::string extension = fileName.substr(std::min(fileName.size(), fileName.rfind('.')));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  bool ok = false;
  if (extension == ".bmp") {
    auto bitmap = std::make_unique<TBitmap>();
    ok = bitmap->LoadFromFile(fileName);
    if (ok) SetGraphic(std::move(bitmap));
  } else if (extension == ".ico") {
    auto icon = std::make_unique<TIcon>();
    ok = icon->LoadFromFile(fileName);
    if (ok) SetGraphic(std::move(icon));
  } else if (extension == ".jpg" || extension == ".jpeg") {
    auto jpeg = std::make_unique<TJPEGImage>();
    ok = jpeg->LoadFromFile(fileName);
    if (ok) SetGraphic(std::move(jpeg));
  }
  if (!ok) SetGraphic(std::unique_ptr<TGraphic>());
  return ok;
}

void TPicture::Changed() {
  if (OnChange) OnChange(*this);
}

}  // namespace quendrel::toolkit

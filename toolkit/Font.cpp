#include "toolkit/Font.h"

#include <cstring>

namespace quendrel::toolkit {

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      style_(other.style_),
      color_(other.color_),
      charset_(other.charset_),
      pitch_(other.pitch_),
      pixelsPerInch_(other.pixelsPerInch_) {}

TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  charset_ = other.charset_;
  pitch_ = other.pitch_;
  pixelsPerInch_ = other.pixelsPerInch_;
  Changed();
}

void TFont::AssignLogFont(const LOGFONTA& logFont) {
  name_.assign(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE));
  height_ = logFont.lfHeight;
  style_ = (logFont.lfWeight >= FW_BOLD ? fsBold : 0u) | (logFont.lfItalic ? fsItalic : 0u) |
           (logFont.lfUnderline ? fsUnderline : 0u) | (logFont.lfStrikeOut ? fsStrikeOut : 0u);
  charset_ = logFont.lfCharSet;
  switch (logFont.lfPitchAndFamily & 3) {
    case FIXED_PITCH: pitch_ = TFontPitch::fpFixed; break;
    case VARIABLE_PITCH: pitch_ = TFontPitch::fpVariable; break;
    default: pitch_ = TFontPitch::fpDefault; break;
  }
  Changed();
}

void TFont::SetHandle(HFONT font) {
  LOGFONTA logFont{};
  if (!font || GetObjectA(font, sizeof(logFont), &logFont) != sizeof(logFont)) return;
  AssignLogFont(logFont);  // drops the old handle
  handle_.Reset(font);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_) return;
  name_ = name;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::SetHeight(int pixels) {
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed(false);  // the colour is drawn with SetTextColor, not part of the HFONT
}

void TFont::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::SetPixelsPerInch(int pixelsPerInch) {
  if (pixelsPerInch <= 0 || pixelsPerInch == pixelsPerInch_) return;
  const int size = Size();
  pixelsPerInch_ = pixelsPerInch;
  height_ = -MulDiv(size, pixelsPerInch_, 72);
  Changed();
}

LOGFONTA TFont::ToLogFont() const {
  LOGFONTA lf{};
  lf.lfHeight = height_;
  lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
  lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  switch (pitch_) {
    case TFontPitch::fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case TFontPitch::fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT TFont::Handle() const {
  if (!handle_) {
    const LOGFONTA lf = ToLogFont();
    handle_.Reset(CreateFontIndirectA(&lf));
  }
  return handle_.Get();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
         color_ == other.color_ && charset_ == other.charset_ && pitch_ == other.pitch_ &&
         pixelsPerInch_ == other.pixelsPerInch_;
}

void TFont::Changed(bool handleChanges) {
  // The old font may still be selected in a canvas: it is deleted only after OnChange let the
  // canvas put it back.
  FontHandle old(handleChanges ? handle_.Release() : nullptr);
  if (OnChange) OnChange(*this);
}

}  // namespace quendrel::toolkit

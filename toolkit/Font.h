// TFont: a font description (face, size, style, colour, charset) with a lazily created HFONT.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Color.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // a set of TFontStyle bits

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont {
 public:
  static constexpr int kDefaultPixelsPerInch = 96;

  TFont();
  // Copies the description only: the copy makes its own handle and has no OnChange.
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);
  ~TFont() = default;

  // Takes over every attribute of another font and notifies OnChange once.
  void Assign(const TFont& other);
  // Takes the description from a LOGFONT (e.g. the system's message font).
  void AssignLogFont(const LOGFONTA& logFont);
  // Takes ownership of font and takes its description; an invalid handle changes nothing.
  void SetHandle(HFONT font);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Size in points, derived from Height and PixelsPerInch.
  int Size() const;
  void SetSize(int points);
  // Height in pixels; negative means character height (without internal leading).
  int Height() const { return height_; }
  void SetHeight(int pixels);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  // Resolution that Size converts with; keeps Size, so Height follows.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int pixelsPerInch);

  // The HFONT for this description, created on first use and owned by the font.
  HFONT Handle() const;
  LOGFONTA ToLogFont() const;

  bool SameAs(const TFont& other) const;

  // Called after every change of the description (colour included).
  std::function<void(TFont&)> OnChange;

 private:
  void Changed(bool handleChanges = true);

  std::string name_ = "MS Sans Serif";
  int height_ = -11;  // 8 pt at 96 dpi
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  BYTE charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = TFontPitch::fpDefault;
  int pixelsPerInch_ = kDefaultPixelsPerInch;
  mutable FontHandle handle_;
};

}  // namespace quendrel::toolkit

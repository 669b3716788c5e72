// Drawing primitives of the skin: theme bitmaps from the program's resources or a theme file,
// state frames cut from strips, and three- and nine-slice stretching that keeps the ends and corners.
#pragma once

#include <windows.h>

#include "skin/FileThemeMgr.h"
#include "skin/SkinFileTheme.h"
#include "skin/SkinTheme.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Color.h"

namespace quendrel::skin {

// The skin's transparent colour.
inline constexpr toolkit::TColor kSkinMaskColor = 0xFF00FF;

// Loads the key's bitmap of a built-in style from the program's resources into graphic: the whole
// bitmap when frameCount is 0, else frame frameIndex (1-based) of frameCount. Nothing happens (false)
// for a null graphic, a style without built-in table (FromThemeFile) or a key that is no image. A
// resource the program lacks throws toolkit::EResNotFound.
bool GetThemeImage(TSkinUIStyle style, int keyNumber, toolkit::TBitmap* graphic, int frameCount = 0,
                   int frameIndex = 1);
// The same from a loaded theme file; a missing entry, or one that is no bitmap, leaves graphic as it
// is (false).
bool GetThemeImage(const TSkinFileThemeMgr& theme, int keyNumber, toolkit::TBitmap* graphic, int frameCount = 0,
                   int frameIndex = 1);
// From where resolved says: fileTheme (then not null) or the built-in table.
bool GetThemeImage(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber,
                   toolkit::TBitmap* graphic, int frameCount = 0, int frameIndex = 1);

// Frame k (1-based) of a strip of n equal frames, w = strip width / n wide, into dest (resized to
// w x strip height). Columns past n * w are never used. A count below 1 counts as 1, and an index
// outside 1..n takes the nearest frame, so a bad count or index never reads outside the strip.
void CutFrame(const toolkit::TBitmap& strip, toolkit::TBitmap& dest, int frameCount, int frameIndex);

// The strip's left and right thirds unscaled at the ends of rect (masked by the strip's pixel (0, 0)
// with useCornerPixel, else by magenta), its middle third stretched, opaque, between them.
void DrawThreeSlice(toolkit::TBitmap& strip, toolkit::TCanvas& canvas, const RECT& rect, bool useCornerPixel);

// bitmap stretched over rect with its four corners unscaled (cut smaller when rect is small); corners
// masked by magenta when masked, edges and centre always.
void DrawNineSlice(toolkit::TBitmap& bitmap, toolkit::TCanvas& canvas, const RECT& rect, bool masked);

// True when left <= x <= right and top <= y <= bottom: the right and bottom edges count.
bool PtInRectInclusive(POINT point, const RECT& rect);

}  // namespace quendrel::skin

// One resize pass's computation over the main window's ~40 controls, without the window: the
// record look-up, the new bounds, each control's font target and fit by area (with a measuring
// stand-in that costs nothing, so the figure is the rules' own share of a pass), and the bitmaps.
//   sizing_bench [PASSES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sizing/BoundsRule.h"
#include "sizing/Extents.h"
#include "sizing/FontRule.h"

namespace {

using namespace quendrel::sizing;
using Clock = std::chrono::steady_clock;

struct Control {
  std::string name;
  BoundsRectI bounds;
  int32_t fontSize = 8;
  int32_t captionLength = 0;  // characters of its caption
  bool hasGlyph = false;
};

constexpr int kControls = 40;
constexpr SizeI kDesignClient{564, 521};

std::vector<Control> MainWindowLike(ControlList& list) {
  std::vector<Control> controls;
  for (int i = 0; i < kControls; ++i) {
    Control c;
    c.name = "Control" + std::to_string(i);
    c.bounds = {8 + (i % 4) * 136, 40 + (i / 4) * 46, 120, 21 + (i % 3) * 8};
    c.captionLength = 4 + (i * 7) % 30;
    c.hasGlyph = i % 5 == 0;
    TControlExtents r;
    r.Left = c.bounds.Left;
    r.Top = c.bounds.Top;
    r.ClientWidth = c.bounds.Width;
    r.ClientHeight = c.bounds.Height;
    r.OwnerClientWidth = kDesignClient.Width;
    r.OwnerClientHeight = kDesignClient.Height;
    r.Properties.Add({"Font", "TFont", c.fontSize, 0});
    if (c.hasGlyph) r.Properties.Add({"Glyph", "TBitmap", 16, 16});
    list.Add(c.name, std::move(r));
    controls.push_back(std::move(c));
  }
  return controls;
}

// Returns the number of text measurements the pass made.
int Pass(std::vector<Control>& controls, ControlList& list, FontCache& cache, SizeI client) {
  cache.Clear();
  int measured = 0;
  for (Control& c : controls) {
    const TControlExtents* r = list.Find(c.name);
    if (r == nullptr) continue;
    c.bounds =
        ScaledBounds({c.bounds, BoundsAlign::None, kAnchorLeft | kAnchorTop, client}, *r, amIgnoreAnchors);
    const SizeI size{c.bounds.Width, c.bounds.Height};
    for (const TPropertyExtents& p : r->Properties.All()) {
      if (p.TypeName == "TBitmap") {
        (void)ScaledBitmapSize(size, *r, p, {p.OrigWidth, p.OrigHeight});
        continue;
      }
      const int32_t chars = c.captionLength;
      auto measure = [&measured, chars](int32_t points) -> std::optional<SizeI> {
        ++measured;
        return SizeI{chars * points * 6 / 8, points * 4 / 3 + 2};
      };
      if (auto s = ResizeFont({p.OrigHeight, size, {r->ClientWidth, r->ClientHeight}, size}, measure, cache,
                              pfOnControlSize)) {
        c.fontSize = *s;
      }
    }
  }
  return measured;
}

}  // namespace

int main(int argc, char** argv) {
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  ControlList list;
  FontCache cache;
  std::vector<Control> controls = MainWindowLike(list);
  const SizeI sizes[] = {{721, 666}, {564, 521}, {1128, 1042}, {600, 450}};
  std::vector<double> perPass;
  int measured = 0;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (int i = 0; i < passes; ++i) measured = Pass(controls, list, cache, sizes[i % 4]);
    perPass.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / passes);
  }
  std::sort(perPass.begin(), perPass.end());
  std::printf(
      "%d controls, %d passes x 5 rounds: median %.2f us per pass (best %.2f), %d text measurements "
      "in the last pass\n",
      kControls, passes, perPass[2], perPass[0], measured);
  return 0;
}

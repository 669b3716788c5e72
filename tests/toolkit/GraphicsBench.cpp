// Benchmark: JPEG decoding of the banner, GDI objects over canvas/bitmap cycles, and buffered painting of
// a title-bar-sized strip onto a window.
// Run under Wine: tools/wine/run.sh <state> toolkit_graphics_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "resources/ResourceNames.h"
#include "toolkit/Bitmap.h"
#include "toolkit/BufferedPaint.h"
#include "toolkit/JPEGImage.h"
#include "toolkit/JpegCodec.h"
#include "toolkit/Resources.h"
#include "tests/toolkit/GdiObjectCount.h"

using namespace quendrel::toolkit;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <class F>
std::vector<double> TimeEach(int runs, F&& run) {
  std::vector<double> micros;
  micros.reserve(runs);
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    run();
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return micros;
}

DWORD GdiObjects() { return GdiObjectCount(); }

}  // namespace

int main() {
  HINSTANCE self = GetModuleHandleA(nullptr);
  const auto banner = FindResourceBytes(self, quendrel::resources::kBanner, RT_RCDATA);
  if (banner.empty()) {
    std::printf("no banner resource\n");
    return 1;
  }
  constexpr int kRuns = 500;
  const auto decodeOnly = TimeEach(kRuns, [&] { DecodeJpeg(banner); });
  TJPEGImage picture;
  const auto intoBitmap = TimeEach(kRuns, [&] { picture.LoadFromMemory(banner); });
  std::printf("banner %dx%d, %zu bytes, %d runs\n", picture.Width(), picture.Height(), banner.size(), kRuns);
  std::printf("  libjpeg decode:           median %.1f us, min %.1f us\n", Median(decodeOnly),
              *std::min_element(decodeOnly.begin(), decodeOnly.end()));
  std::printf("  decode into a TBitmap:    median %.1f us, min %.1f us\n", Median(intoBitmap),
              *std::min_element(intoBitmap.begin(), intoBitmap.end()));

  auto cycle = [] {
    TBitmap bitmap(64, 32);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(2, 2, "Quendrel");
    canvas.Pen().SetColor(clRed);
    canvas.LineTo(60, 30);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect({0, 0, 10, 10});
    TBitmap copy(bitmap);
    copy.Canvas().Draw(0, 0, bitmap);
  };
  {
    // The counter must see what it is meant to count: ten brushes more.
    const DWORD base = GdiObjects();
    std::vector<BrushHandle> brushes;
    for (int i = 0; i < 10; ++i) brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
    std::printf("GDI counter check: 10 brushes add %ld\n", static_cast<long>(GdiObjects() - base));
  }
  {
    // Plain GDI text output first: Wine creates objects of its own at the first one.
    MemoryDC dc;
    BitmapHandle bitmap(CreateCompatibleBitmap(dc.Get(), 8, 8));
    FontHandle font(CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif"));
    SelectGuard selectBitmap(dc.Get(), bitmap.Get());
    SelectGuard selectFont(dc.Get(), font.Get());
    TextOutA(dc.Get(), 0, 0, "Q", 1);
  }
  const DWORD before = GdiObjects();
  cycle();
  const DWORD afterFirst = GdiObjects();
  std::printf("GDI objects: before %lu, after the first cycle %lu, after every further 100 cycles:", before,
              afterFirst);
  std::vector<double> micros;
  for (int hundred = 0; hundred < 10; ++hundred) {
    const auto times = TimeEach(100, cycle);
    micros.insert(micros.end(), times.begin(), times.end());
    std::printf(" %lu", GdiObjects());
  }
  std::printf("\n1000 canvas/bitmap cycles: median %.1f us per cycle\n", Median(micros));

  // A strip the size of the main window's title bar: a 24-bit picture stretched over it, as the skin
  // draws its sections. Through the toolkit's buffer, and through a 24-bit bitmap of the whole strip
  // copied to the window (the hand-written buffers the skin had), rounds taken in turn.
  constexpr int kStripWidth = 908, kStripHeight = 30;
  HWND strip = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, kStripWidth, kStripHeight, nullptr,
                               nullptr, self, nullptr);
  TBitmap section(40, kStripHeight);
  section.Canvas().Brush().SetColor(clNavy);
  section.Canvas().FillRect({0, 0, 40, kStripHeight});
  const auto drawStrip = [&section](TCanvas& canvas) {
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect({0, 0, kStripWidth, kStripHeight});
    StretchBlt(canvas.Handle(), 20, 0, kStripWidth - 40, kStripHeight, section.Canvas().Handle(), 0, 0, 40,
               kStripHeight, SRCCOPY);
    canvas.TextOut(30, 8, "Quendrel");
  };
  std::vector<double> helper, wholeBitmap;
  {
    WindowDC dc(strip);
    TCanvas target(dc.Get());
    for (int i = 0; i < 500; ++i) {
      const auto a = TimeEach(1, [&] { PaintBuffered(target, {0, 0, kStripWidth, kStripHeight}, drawStrip); });
      const auto b = TimeEach(1, [&] {
        TBitmap buffer;
        PaintToBitmap(buffer, kStripWidth, kStripHeight, drawStrip);
        BitBlt(dc.Get(), 0, 0, kStripWidth, kStripHeight, buffer.Canvas().Handle(), 0, 0, SRCCOPY);
      });
      helper.push_back(a[0]);
      wholeBitmap.push_back(b[0]);
    }
  }
  DestroyWindow(strip);
  std::printf("%dx%d strip onto a window, 500 rounds: PaintBuffered median %.1f us (min %.1f); "
              "24-bit bitmap and copy median %.1f us (min %.1f)\n",
              kStripWidth, kStripHeight, Median(helper), *std::min_element(helper.begin(), helper.end()),
              Median(wholeBitmap), *std::min_element(wholeBitmap.begin(), wholeBitmap.end()));
  return 0;
}

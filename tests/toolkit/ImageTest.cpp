// Icons, JPEG pictures, pictures, image lists and the program's resources.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/ResourceNames.h"
#include "tests/support/TestFiles.h"
#include "toolkit/ImageList.h"
#include "toolkit/JPEGImage.h"
#include "toolkit/Picture.h"
#include "toolkit/RenderToBitmap.h"
#include "toolkit/Resources.h"

namespace quendrel::toolkit {
namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

std::string ResourceText(const char* name) {
  const auto bytes = FindResourceBytes(Self(), name, RT_RCDATA);
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(Resources, TheProgramsPicturesLoadByName) {
  TIcon icon;
  EXPECT_TRUE(icon.LoadFromResourceName(Self(), resources::kMainIcon, 16));
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_TRUE(icon.LoadFromResourceName(Self(), resources::kMainIcon, 32));
  EXPECT_EQ(icon.Height(), 32);

  TBitmap tray;
  ASSERT_TRUE(tray.LoadFromResourceName(Self(), resources::kTrayImages));
  EXPECT_EQ(tray.Width(), 64);
  EXPECT_EQ(tray.Height(), 16);
  EXPECT_EQ(tray.TransparentColor(), clFuchsia);

  TJPEGImage banner, about;
  ASSERT_TRUE(banner.LoadFromResourceName(Self(), resources::kBanner)) << banner.LastError();
  EXPECT_EQ(banner.Width(), 453);
  EXPECT_EQ(banner.Height(), 50);
  ASSERT_TRUE(about.LoadFromResourceName(Self(), resources::kAboutArt)) << about.LastError();
  EXPECT_EQ(about.Width(), 153);
  EXPECT_EQ(about.Height(), 177);

  EXPECT_FALSE(tray.LoadFromResourceName(Self(), "NO_SUCH_BITMAP"));
  EXPECT_TRUE(tray.Empty());
  EXPECT_FALSE(icon.LoadFromResourceName(Self(), "NO_SUCH_ICON"));
  EXPECT_TRUE(icon.Empty());
  EXPECT_FALSE(about.LoadFromResourceName(Self(), "NO_SUCH_PICTURE"));
  EXPECT_NE(about.LastError().find("NO_SUCH_PICTURE"), std::string::npos);
}

TEST(JPEGImage, DecodesKnownColourRegions) {
  TJPEGImage jpeg;
  ASSERT_TRUE(jpeg.LoadFromResourceName(Self(), "QUADRANTS")) << jpeg.LastError();
  ASSERT_EQ(jpeg.Width(), 32);
  ASSERT_EQ(jpeg.Height(), 32);
  struct Region {
    int x, y;
    TColor color;
  };
  for (const Region& r : {Region{8, 8, clRed}, Region{24, 8, clLime}, Region{8, 24, clBlue}, Region{24, 24, clWhite}}) {
    const TColor got = PixelAt(jpeg.Bitmap(), r.x, r.y);
    if (!NearColor(got, r.color, 12))
      ADD_FAILURE() << "pixel (" << r.x << ", " << r.y << ") is " << std::hex << got << ", expected " << r.color;
  }
  // Drawn through a canvas like any graphic.
  TBitmap target(32, 32);
  target.Canvas().Draw(0, 0, jpeg);
  EXPECT_TRUE(NearColor(PixelAt(target, 24, 8), clLime, 12));
}

TEST(JPEGImage, DamagedDataGivesAnEmptyPictureAndAReason) {
  // A baseline header declaring 60000 x 60000 pixels, to see the size limit refuse it.
  std::string huge = ResourceText("QUADRANTS");
  const size_t sof = huge.find("\xFF\xC0", 0, 2);
  ASSERT_NE(sof, std::string::npos);
  huge[sof + 5] = huge[sof + 7] = '\xEA';
  huge[sof + 6] = huge[sof + 8] = '\x60';
  struct Case {
    const char* name;
    std::string data;
  };
  const Case cases[] = {
      {"cut short", ResourceText("QUADRANTS_TRUNCATED")},
      {"not a JPEG", "GIF89a this is something else entirely"},
      {"empty", ""},
      {"marker only", std::string("\xFF\xD8\xFF", 3)},
      {"huge", huge},
      {"scan data zeroed", [] {
         std::string d = ResourceText("QUADRANTS");
         for (size_t i = d.size() / 2; i < d.size(); ++i) d[i] = 0;
         return d;
       }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TJPEGImage jpeg;
    ASSERT_TRUE(jpeg.LoadFromResourceName(Self(), "QUADRANTS"));
    EXPECT_FALSE(jpeg.LoadFromMemory(std::as_bytes(std::span(c.data))));
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_EQ(jpeg.LastError().rfind("JPEG: ", 0), 0u) << jpeg.LastError();
  }
}

TEST(Picture, LoadsByExtensionAndCopiesOnAssign) {
  test::ScratchDir dir("picture");
  test::WriteFile(dir.File("art.JPG"), ResourceText("QUADRANTS"));
  TBitmap bmp(3, 2);
  bmp.SaveToFile(dir.File("small.bmp"));
  test::WriteFile(dir.File("notes.txt"), "hello");

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TPicture&) { ++changes; };
  ASSERT_TRUE(picture.LoadFromFile(dir.File("art.JPG")));
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 32);
  ASSERT_TRUE(picture.LoadFromFile(dir.File("small.bmp")));
  EXPECT_EQ(picture.Bitmap().Width(), 3);
  EXPECT_GE(changes, 2);

  TPicture copy;
  copy.Assign(picture);
  picture.Bitmap().SetSize(9, 9);
  EXPECT_EQ(copy.Width(), 3);  // a copy, not the same bitmap

  EXPECT_FALSE(picture.LoadFromFile(dir.File("notes.txt")));
  EXPECT_TRUE(picture.Empty());
  EXPECT_FALSE(picture.LoadFromFile(dir.File("missing.jpg")));
  // Asking for an icon replaces the graphic with an empty icon.
  copy.Icon();
  EXPECT_TRUE(copy.Empty());
}

class TrayImages : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(strip_.LoadFromResourceName(Self(), resources::kTrayImages));
    original_.Assign(strip_);
    ASSERT_EQ(list_.AddMasked(strip_), 0);
  }
  TImageList list_{nullptr};
  TBitmap strip_;
  TBitmap original_;
};

TEST_F(TrayImages, MaskedAddSplitsTheStripAndDrawsTransparently) {
  EXPECT_EQ(list_.Width(), 16);
  EXPECT_EQ(list_.Count(), 4);
  EXPECT_EQ(CountPixels(strip_, clFuchsia), CountPixels(original_, clFuchsia));  // the strip is not touched
  TBitmap target(16, 16);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect({0, 0, 16, 16});
  list_.Draw(target.Canvas(), 0, 0, resources::kTrayRunning);
  EXPECT_EQ(CountPixels(target, clFuchsia), 0);
  EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
  EXPECT_GT(CountPixels(target, RGBToColor(0xFF, 0x9A, 0x1F), 8), 20);  // orange body
}

TEST_F(TrayImages, OpaqueAddDrawsEveryPixel) {
  TImageList opaque(nullptr);
  ASSERT_EQ(opaque.Add(strip_), 0);
  EXPECT_EQ(opaque.Count(), 4);
  TBitmap target(16, 16);
  opaque.Draw(target.Canvas(), 0, 0, resources::kTrayEnvelope);
  EXPECT_EQ(PixelAt(target, 0, 0), clFuchsia);
}

TEST_F(TrayImages, GreyedDrawKeepsTheShapeWithoutColour) {
  TBitmap normal(16, 16), greyed(16, 16);
  for (TBitmap* b : {&normal, &greyed}) {
    b->Canvas().Brush().SetColor(clBlue);
    b->Canvas().FillRect({0, 0, 16, 16});
  }
  list_.Draw(normal.Canvas(), 0, 0, resources::kTrayAlerted, true);
  list_.Draw(greyed.Canvas(), 0, 0, resources::kTrayAlerted, false);
  int shape = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const TColor n = PixelAt(normal, x, y), g = PixelAt(greyed, x, y);
      if (n == clBlue) {
        if (g != clBlue) ADD_FAILURE() << "background changed at " << x << ", " << y;
        continue;
      }
      ++shape;
      if (RedOf(g) != GreenOf(g) || GreenOf(g) != BlueOf(g))
        ADD_FAILURE() << "not grey at " << x << ", " << y << ": " << std::hex << g;
    }
  }
  EXPECT_GT(shape, 30);
}

TEST_F(TrayImages, IconsForTheNotificationArea) {
  for (int i = 0; i < 4; ++i) {
    IconHandle icon = list_.GetIcon(i);
    ASSERT_TRUE(icon) << i;
    TIcon wrapped;
    wrapped.SetHandle(icon.Release());
    EXPECT_EQ(wrapped.Width(), 16);
  }
  EXPECT_FALSE(list_.GetIcon(4));
  EXPECT_FALSE(list_.GetIcon(-1));

  TIcon icon;
  ASSERT_TRUE(list_.GetIcon(resources::kTrayStopped, icon));
  TBitmap target(16, 16);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect({0, 0, 16, 16});
  target.Canvas().Draw(0, 0, icon);
  EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
  EXPECT_GT(CountPixels(target, RGBToColor(0xA8, 0xA8, 0xA8), 8), 20);  // grey bell body
}

}  // namespace
}  // namespace quendrel::toolkit

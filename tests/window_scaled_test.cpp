// SPDX-License-Identifier: MIT
// The picture on a screen scaled by 2 (the program sets QT_SCALE_FACTOR=2):
// drawn at the screen's resolution, with lines and outlines one device pixel
// wide rather than the 1:1 picture blown up into 2 x 2 blocks.
#include <QImage>
#include <map>

#include "window_driver.h"

namespace {

struct Ink {
  int Pixels = 0;
  int InBlocks = 0;  // pixels that belong to a 2 x 2 block of their colour
};

// Every colour other than the background, with how much of it lies in blocks.
std::map<QRgb, Ink> InkOf(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  std::map<QRgb, Ink> ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (c == background) continue;
      Ink& i = ink[c];
      ++i.Pixels;
      bool block = false;
      for (int dy = -1; dy <= 0 && !block; ++dy)
        for (int dx = -1; dx <= 0 && !block; ++dx) {
          const int x0 = x + dx, y0 = y + dy;
          if (x0 < 0 || y0 < 0 || x0 + 1 >= image.width() || y0 + 1 >= image.height()) continue;
          block = image.pixel(x0, y0) == c && image.pixel(x0 + 1, y0) == c &&
                  image.pixel(x0, y0 + 1) == c && image.pixel(x0 + 1, y0 + 1) == c;
        }
      i.InBlocks += block;
    }
  return ink;
}

}  // namespace

TEST(WindowScaled, ThePictureIsDrawnAtTheScreensResolution) {
  WindowDriver w;
  ASSERT_EQ(w.form.devicePixelRatioF(), 2.0) << "the screen is scaled by 2";
  auto* picture = w.Find<QWidget>("Image2");
  EXPECT_EQ(picture->size(), QSize(350, 400)) << "the box keeps its place and size";
  const QPixmap shown = picture->grab();
  EXPECT_EQ(shown.devicePixelRatio(), 2.0);
  const QImage image = shown.toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(700, 800));

  struct Layout {
    const char* Name;
    const char* X3;
    const char* Y3;
  };
  for (const Layout& layout :
       {Layout{"design layout", "70", "10"}, Layout{"tensioner below", "70", "-60"}}) {
    SCOPED_TRACE(layout.Name);
    w.Type("Edit7", layout.X3);
    w.Type("Edit8", layout.Y3);
    w.Calculate();
    const auto ink = InkOf(picture->grab().toImage().convertToFormat(QImage::Format_RGB32));
    // The three wheels in their colours and the belt in black, each thin.
    for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 128, 0), qRgb(0, 0, 0)}) {
      const auto found = ink.find(colour);
      ASSERT_NE(found, ink.end()) << std::hex << colour;
      EXPECT_GT(found->second.Pixels, 100) << std::hex << colour;
      // Where a belt span leaves its wheel the two lines may touch; a blown-up
      // picture would have every pixel in a block.
      EXPECT_LT(found->second.InBlocks * 20, found->second.Pixels) << std::hex << colour;
    }
  }
}

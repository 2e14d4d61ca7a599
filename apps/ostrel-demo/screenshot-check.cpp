// Checks a screenshot of the demo: the picture has the expected size, shows caption bands
// in silver and one in the selection colour, and a column of raised letter buttons at the left.
//   screenshot-check PNG WIDTH HEIGHT
// Runs on the same display as the demo, so the system highlight resolves alike.

#include <QColor>
#include <QImage>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "Forms.h"
#include "Graphics.h"
#include "QtEmbedding.h"

using namespace vcl;

namespace {

// Pixels of exactly this colour in the columns below MaxX.
long CountColor(const QImage& Image, QRgb Color, int MaxX = INT_MAX) {
  long Count = 0;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < std::min(Image.width(), MaxX); ++X) Count += (Image.pixel(X, Y) & 0xFFFFFF) == (Color & 0xFFFFFF);
  return Count;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 4) {
    std::fprintf(stderr, "usage: screenshot-check PNG WIDTH HEIGHT\n");
    return 2;
  }
  Application->Initialize(Argc, Argv);
  const QImage Image(QString::fromLocal8Bit(Argv[1]));
  if (Image.isNull()) {
    std::fprintf(stderr, "screenshot-check: cannot read %s\n", Argv[1]);
    return 1;
  }
  const int Width = std::atoi(Argv[2]);
  const int Height = std::atoi(Argv[3]);
  bool Ok = true;
  if (Image.width() != Width || Image.height() != Height) {
    std::fprintf(stderr, "size %dx%d, expected %dx%d\n", Image.width(), Image.height(), Width, Height);
    Ok = false;
  }
  // A caption band is at least a card wide and a caption high.
  const long Band = 100L * 16;
  const long Silver = CountColor(Image, ToQColor(clSilver).rgb());
  const long Selection = CountColor(Image, ToQColor(clHighlight).rgb());
  if (Silver < 10 * Band) {
    std::fprintf(stderr, "only %ld silver pixels: caption bands missing\n", Silver);
    Ok = false;
  }
  if (Selection < Band / 2) {
    std::fprintf(stderr, "only %ld pixels in the selection colour: no selected card\n", Selection);
    Ok = false;
  }
  // The letter bar, 60 pixels wide: every raised button has a dark bottom edge 50 pixels long.
  const long BarShadow = CountColor(Image, ToQColor(clBtnShadow).rgb(), 60);
  if (BarShadow < 20 * 50) {
    std::fprintf(stderr, "only %ld button-shadow pixels at the left: letter bar missing\n", BarShadow);
    Ok = false;
  }
  std::printf("%s: %dx%d, %ld silver, %ld selection, %ld letter-bar shadow pixels: %s\n", Argv[1], Image.width(),
              Image.height(), Silver, Selection, BarShadow, Ok ? "ok" : "FAILED");
  return Ok ? 0 : 1;
}

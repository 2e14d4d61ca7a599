// Pictures of an X screen for the tests that drive programs by real input:
//   screen-picture grab OUT.png     the whole screen of $DISPLAY
//   screen-picture diff A.png B.png "X Y WIDTH HEIGHT" of the smallest rectangle holding
//                                   every pixel that differs, or "none"
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

int Grab(int Argc, char** Argv, const char* Out) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication App(Argc, Argv);
  QScreen* Screen = QGuiApplication::primaryScreen();
  if (!Screen || !Screen->grabWindow(0).save(Out)) {
    std::fprintf(stderr, "screen-picture: cannot grab the screen into %s\n", Out);
    return 1;
  }
  return 0;
}

int Diff(const char* PathA, const char* PathB) {
  const QImage A = QImage(PathA).convertToFormat(QImage::Format_RGB32);
  const QImage B = QImage(PathB).convertToFormat(QImage::Format_RGB32);
  if (A.isNull() || B.isNull() || A.size() != B.size()) {
    std::fprintf(stderr, "screen-picture: unreadable pictures, or their sizes differ\n");
    return 1;
  }
  int Left = A.width(), Top = A.height(), Right = -1, Bottom = -1;
  for (int Y = 0; Y < A.height(); ++Y) {
    const auto* RowA = reinterpret_cast<const QRgb*>(A.constScanLine(Y));
    const auto* RowB = reinterpret_cast<const QRgb*>(B.constScanLine(Y));
    for (int X = 0; X < A.width(); ++X) {
      if (RowA[X] == RowB[X]) continue;
      Left = std::min(Left, X);
      Right = std::max(Right, X);
      Top = std::min(Top, Y);
      Bottom = std::max(Bottom, Y);
    }
  }
  if (Right < 0) std::printf("none\n");
  else std::printf("%d %d %d %d\n", Left, Top, Right - Left + 1, Bottom - Top + 1);
  return 0;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc == 3 && std::strcmp(Argv[1], "grab") == 0) return Grab(Argc, Argv, Argv[2]);
  if (Argc == 4 && std::strcmp(Argv[1], "diff") == 0) return Diff(Argv[2], Argv[3]);
  std::fprintf(stderr, "usage: screen-picture grab OUT.png | screen-picture diff A.png B.png\n");
  return 2;
}

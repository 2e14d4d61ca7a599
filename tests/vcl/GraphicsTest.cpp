// Colours, fonts, brushes, bitmaps and resources; rectangles; the shell hook.

#include <QGuiApplication>
#include <QPalette>

#include "Harness.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace vcltest;

namespace {

class GraphicsTest : public THostTest {};

TEST_F(GraphicsTest, SystemColoursResolveThroughTheApplicationPalette) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(0x00123456), 0x123456);
  const QColor Base = QGuiApplication::palette().color(QPalette::Base);
  EXPECT_EQ(ColorToRGB(clWindow), RGB(Base.red(), Base.green(), Base.blue()));
  const QColor Highlight = QGuiApplication::palette().color(QPalette::Highlight);
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(Highlight.red(), Highlight.green(), Highlight.blue()));
  EXPECT_EQ(clHighlight, static_cast<TColor>(0x8000000D));
}

TEST_F(GraphicsTest, FontSizeAndHeightConvertAtNinetySixPixelsPerInch) {
  TFont Font;
  EXPECT_EQ(Font.GetName(), "MS Sans Serif");
  EXPECT_EQ(Font.GetHeight(), -11);
  EXPECT_EQ(Font.GetSize(), 8);
  Font.SetSize(12);
  EXPECT_EQ(Font.GetHeight(), -16);
  Font.SetHeight(-13);
  EXPECT_EQ(Font.GetSize(), 10);
}

TEST_F(GraphicsTest, FontChangesNotifyOnceAndAssignCopiesEverything) {
  TFont Font;
  int Changes = 0;
  Font.SetOnChange([&](TObject*) { ++Changes; });
  Font.SetColor(clRed);
  Font.SetColor(clRed);
  Font.SetStyle(TFontStyles{fsBold, fsItalic});
  Font.SetName("");
  EXPECT_EQ(Changes, 2);
  TFont Copy;
  Copy.Assign(&Font);
  EXPECT_TRUE(Copy.Equals(Font));
  EXPECT_TRUE(Copy.GetStyle().Contains(fsItalic));
  EXPECT_FALSE(Copy.GetStyle().Contains(fsUnderline));
  TBrush NotAFont;
  EXPECT_THROW(Copy.Assign(&NotAFont), Exception);
}

TEST_F(GraphicsTest, FocusBitmapResourceIsAnEightByEightCheckerboard) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  ASSERT_EQ(Bitmap.GetWidth(), 8);
  ASSERT_EQ(Bitmap.GetHeight(), 8);
  EXPECT_TRUE(Bitmap.GetMonochrome());
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) EXPECT_EQ(Bitmap.GetPixel(X, Y), (X + Y) % 2 == 0 ? clBlack : clWhite) << X << "," << Y;
  std::size_t Size = 0;
  ASSERT_NE(FindResourceBytes("FOCUS_BITMAP", Size), nullptr);
  EXPECT_EQ(Size, 14u + 80u);
}

TEST_F(GraphicsTest, MissingResourceRaisesResNotFound) {
  TBitmap Bitmap;
  try {
    Bitmap.LoadFromResourceName(HInstance, "NO_SUCH_BITMAP");
    FAIL() << "no exception";
  } catch (const EResNotFound& E) {
    EXPECT_EQ(E.Message(), "Resource NO_SUCH_BITMAP not found");
  }
  EXPECT_TRUE(Bitmap.Empty());
}

std::vector<Byte> FocusBytes() {
  std::size_t Size = 0;
  const Byte* Data = FindResourceBytes("FOCUS_BITMAP", Size);
  return std::vector<Byte>(Data, Data + Size);
}

void LoadBytes(TBitmap& Bitmap, const std::vector<Byte>& Bytes) {
  TMemoryStream Stream;
  if (!Bytes.empty()) Stream.WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
  Stream.SetPosition(0);
  Bitmap.LoadFromStream(&Stream);
}

TEST_F(GraphicsTest, BadBitmapBytesRaiseInvalidGraphicAndKeepTheOldImage) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  const std::vector<Byte> Good = FocusBytes();
  auto Broken = [&](std::size_t Offset, Byte Value) {
    std::vector<Byte> B = Good;
    B[Offset] = Value;
    return B;
  };
  const std::vector<std::vector<Byte>> Cases = {
      {},
      std::vector<Byte>(Good.begin(), Good.begin() + 60),  // rows cut off
      Broken(14 + 4, 0),                                    // zero width
      Broken(14 + 14, 3),                                   // 3 bits per pixel
      Broken(14 + 16, 1),                                   // run-length compressed
      Broken(10, 200),                                      // rows start past the end
      Broken(14 + 32, 0xFF),                                // too many palette entries
  };
  for (std::size_t I = 0; I < Cases.size(); ++I) {
    EXPECT_THROW(LoadBytes(Bitmap, Cases[I]), EInvalidGraphic) << "case " << I;
    EXPECT_EQ(Bitmap.GetWidth(), 8) << "case " << I;
  }
  EXPECT_THROW(Bitmap.LoadFromFile("/nonexistent/dir/x.bmp"), EFOpenError);
}

TEST_F(GraphicsTest, TwentyFourBitBottomUpAndTopDownBitmapsDecode) {
  // 2 x 2 pixels, rows padded to 8 bytes.
  auto Make = [](int Height) {
    std::vector<Byte> B(40 + 16, 0);
    B[0] = 40;
    B[4] = 2;
    const auto H = static_cast<std::uint32_t>(Height);
    for (int I = 0; I < 4; ++I) B[8 + static_cast<std::size_t>(I)] = static_cast<Byte>(H >> (8 * I));
    B[12] = 1;
    B[14] = 24;
    // first stored row: red, green; second: blue, white (BGR order)
    const Byte Rows[] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    std::copy(std::begin(Rows), std::end(Rows), B.begin() + 40);
    return B;
  };
  TBitmap BottomUp, TopDown;
  LoadBytes(BottomUp, Make(2));
  LoadBytes(TopDown, Make(-2));
  EXPECT_EQ(BottomUp.GetPixel(0, 1), clRed);
  EXPECT_EQ(BottomUp.GetPixel(1, 0), clWhite);
  EXPECT_EQ(TopDown.GetPixel(0, 0), clRed);
  EXPECT_EQ(TopDown.GetPixel(1, 0), clLime);
  EXPECT_EQ(TopDown.GetPixel(0, 1), clBlue);
  EXPECT_EQ(TopDown.GetPixel(5, 5), clNone);
}

TEST_F(GraphicsTest, PatternBrushOutlivesItsBitmapAndDiesWithItsLastBrush) {
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  const HBRUSH Handle = CreatePatternBrush(Bitmap->GetHandle());
  ASSERT_NE(Handle, nullptr);
  Bitmap.reset();
  auto First = std::make_unique<TBrush>();
  First->SetHandle(Handle);
  TBrush Second;
  Second.Assign(First.get());
  EXPECT_EQ(Second.GetHandle(), Handle);
  First.reset();
  Second.SetHandle(nullptr);  // the last holder lets go
  EXPECT_FALSE(DeleteObject(Handle));
  EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
}

TEST_F(GraphicsTest, RectangleHelpersUseExclusiveRightAndBottom) {
  const TRect R = Rect(10, 10, 20, 20);
  EXPECT_TRUE(PtInRect(R, Point(10, 10)));
  EXPECT_FALSE(PtInRect(R, Point(20, 15)));
  EXPECT_FALSE(PtInRect(R, Point(15, 20)));
  TRect Common;
  EXPECT_TRUE(IntersectRect(Common, R, Rect(15, 5, 30, 12)));
  EXPECT_EQ(Common, Rect(15, 10, 20, 12));
  EXPECT_FALSE(IntersectRect(Common, R, Rect(20, 10, 30, 20)));
  EXPECT_EQ(Common, TRect{});
  TRect Grown = R;
  InflateRect(Grown, 3, -2);
  EXPECT_EQ(Grown, Rect(7, 12, 23, 18));
  OffsetRect(Grown, -7, 1);
  EXPECT_EQ(Grown, Rect(0, 13, 16, 19));
  EXPECT_EQ(R.Width(), 10);
}

TEST_F(GraphicsTest, ShellExecuteOpensThroughTheHookAndRejectsOtherVerbs) {
  std::vector<std::string> Opened;
  SetShellExecuteHook([&](const AnsiString& Op, const AnsiString& File) {
    Opened.push_back(Op + " " + File);
    return File != "bad://";
  });
  EXPECT_GT(ShellExecute(nullptr, "open", "http://example.invalid/", nullptr, nullptr, SW_SHOWNORMAL), 32);
  EXPECT_LE(ShellExecute(nullptr, "open", "bad://", nullptr, nullptr, SW_SHOWNORMAL), 32);
  EXPECT_EQ(ShellExecute(nullptr, "print", "x", nullptr, nullptr, SW_SHOWNORMAL), SE_ERR_NOASSOC);
  EXPECT_EQ(ShellExecute(nullptr, "open", "", nullptr, nullptr, SW_SHOWNORMAL), SE_ERR_FNF);
  SetShellExecuteHook(nullptr);
  EXPECT_EQ(Opened, (std::vector<std::string>{"open http://example.invalid/", "open bad://"}));
}

}  // namespace

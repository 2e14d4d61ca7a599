#pragma once
// A shown form holding a white probe control whose Paint runs what the test hands to Draw,
// and the pixels of the probe's surface.

#include <functional>
#include <memory>

#include "Harness.h"
#include "Probe.h"

namespace vcltest {

class TDrawingFixture : public THostTest {
protected:
  TDrawingFixture(int FormWidth, int FormHeight, vcl::TRect ProbeBounds)
      : FFormWidth(FormWidth), FFormHeight(FormHeight), FProbeBounds(ProbeBounds) {}
  TDrawingFixture() : TDrawingFixture(300, 200, vcl::TRect{0, 0, 200, 100}) {}

  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(FFormWidth, FFormHeight);
    Probe = std::make_unique<TProbe>(nullptr, Form.get(), FProbeBounds);
    Probe->SetColor(vcl::clWhite);
    Probe->Update();
  }
  void TearDown() override {
    Probe.reset();
    Form.reset();
    THostTest::TearDown();
  }
  // Draws through Paint, as a control does on every repaint.
  void Draw(std::function<void(vcl::TCanvas*)> Painter) {
    Probe->OnPaint = std::move(Painter);
    Probe->Repaint();
  }
  vcl::TColor At(int X, int Y) { return PixelAt(Probe.get(), X, Y); }
  // How many pixels of the rectangle have the colour.
  int Count(const vcl::TRect& R, vcl::TColor Color) {
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X) N += At(X, Y) == Color;
    return N;
  }
  bool Has(const vcl::TRect& R, vcl::TColor Color) { return Count(R, Color) > 0; }

  std::unique_ptr<vcl::TForm> Form;
  std::unique_ptr<TProbe> Probe;

private:
  int FFormWidth, FFormHeight;
  vcl::TRect FProbeBounds;
};

}  // namespace vcltest

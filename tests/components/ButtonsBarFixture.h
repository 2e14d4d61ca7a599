#pragma once
// A letter index bar at the left of a card view on a shown form, linked to it, with a log
// of what the user's input set off, in order.

#include <string>
#include <utility>
#include <vector>

#include "CardViewFixture.h"
#include "OstrelButtonsBar.h"

namespace cardview_test {

class ButtonsBarTest : public CardViewTest {
protected:
  void SetUp() override {
    CardViewTest::SetUp();
    View->SetBounds(100, 0, 400, 300);
    Bar = new TOstrelButtonsBar(Form);
    Bar->SetParent(Form);
    Bar->SetOstrel(View);
    vcltest::ProcessMessages();
  }

  // Gives the bar a client area of Width x Height (it has no frame).
  void SetBarSize(int Width, int Height) {
    Bar->SetBounds(0, 0, Width, Height);
    vcltest::ProcessMessages();
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> Result;
    for (int I = 0; I < Bar->GetButtonCount(); ++I) Result.push_back(Bar->GetButton(I).Caption);
    return Result;
  }
  std::vector<TRect> Rects() const {
    std::vector<TRect> Result;
    for (int I = 0; I < Bar->GetButtonCount(); ++I) Result.push_back(Bar->GetButton(I).Rect);
    return Result;
  }
  TPoint Centre(int Index) const {
    const TRect& R = Bar->GetButton(Index).Rect;
    return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  }

  // Records the bar's mouse events, its clicks and the card view's selection changes.
  void RecordEvents() {
    Bar->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("down"); });
    Bar->SetOnMouseUp([this](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("up"); });
    Bar->SetOnButtonClick([this](TObject* Sender, int Index, AnsiString Caption) {
      EXPECT_EQ(Sender, Bar);
      Log.push_back("click " + std::to_string(Index) + " " + Caption);
    });
    View->SetOnChange([this](TObject*, TOstrelItem* Item) { Log.push_back("select " + (Item ? Item->GetText() : "-")); });
  }
  std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }

  TOstrelButtonsBar* Bar = nullptr;
  std::vector<std::string> Log;
};

}  // namespace cardview_test

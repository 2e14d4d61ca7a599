// The card view's side: a form whose client area is the card view.

#include "BenchCards.h"
#include "Forms.h"
#include "Ostrel.h"
#include "Sides.h"
#include "Timing.h"

using namespace vcl;
using namespace ostrel;

namespace bench {

TFigures MeasureOstrel(int Count, int& Argc, char** Argv) {
  Application->Initialize(Argc, Argv);
  auto* Form = new TForm(Application);
  Form->SetClientWidth(ViewWidth);
  Form->SetClientHeight(ViewHeight);
  auto* View = new TOstrel(Form);
  View->SetBorderStyle(bsNone);
  View->SetParent(Form);
  View->SetAlign(alClient);

  AddCards(*View->GetItems(), Count);
  Form->Show();
  Application->ProcessMessages();

  TFigures F;
  F.LayoutMs = MedianMs(5, [&] {
    View->CalcItemsPos();
    View->RecalcDimensions();
  });
  View->SetHScrollPosition((View->GetTotalWidth() - View->GetClientWidth()) / 2);
  F.RepaintMs = MedianMs(21, [&] { View->Repaint(); });
  F.PageScrollMs = MedianMs(21, [&] {
    View->Perform(WM_HSCROLL, SB_PAGERIGHT, 0);
    View->Update();
  });
  const auto Points = HitPoints(HitTests, View->GetClientWidth(), View->GetClientHeight());
  int Found = 0;
  F.HitTestsMs = MedianMs(5, [&] {
    for (const auto& [X, Y] : Points) Found += View->GetItemAt(X, Y) != nullptr;
  });
  if (Found == 0) F.HitTestsMs = -1;  // nothing laid out: the figure would mean nothing
  return F;
}

}  // namespace bench

// The card view's side: a form whose client area is the card view.

#include <QApplication>
#include <algorithm>
#include <vector>

#include "BenchCards.h"
#include "Forms.h"
#include "KeyTiming.h"
#include "Ostrel.h"
#include "QtEmbedding.h"
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
  // Untimed: the caption and every value of each card in view become texts never drawn.
  std::vector<TOstrelItem*> InView;
  for (int X = 0; X < View->GetClientWidth(); X += 8)
    for (int Y = 0; Y < View->GetClientHeight(); Y += 8)
      if (TOstrelItem* Item = View->GetItemAt(X, Y); Item && std::find(InView.begin(), InView.end(), Item) == InView.end())
        InView.push_back(Item);
  int Run = 0;
  F.RepaintColdMs = MedianMs(
      21,
      [&] {
        ++Run;
        for (TOstrelItem* Item : InView) {
          Item->SetText(FreshText(Item->GetText(), Run));
          TStrings* Lines = Item->GetSubItems();
          for (int L = 0; L < Lines->GetCount(); ++L) Lines->Put(L, FreshText(Lines->Get(L), Run));
        }
      },
      [&] { View->Repaint(); });
  F.PageScrollMs = MedianMs(21, [&] {
    View->Perform(WM_HSCROLL, SB_PAGERIGHT, 0);
    View->Update();
  });
  F.LineScrollMs = MedianMs(21, [&] {
    View->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    View->Update();
    QCoreApplication::sendPostedEvents();
  });
  const auto Points = HitPoints(HitTests, View->GetClientWidth(), View->GetClientHeight());
  int Found = 0;
  F.HitTestsMs = MedianMs(5, [&] {
    for (const auto& [X, Y] : Points) Found += View->GetItemAt(X, Y) != nullptr;
  });
  if (Found == 0) F.HitTestsMs = -1;  // nothing laid out: the figure would mean nothing

  // Timed: the key's handling (selection, focus, scrolling into view), Update painting the
  // invalid area into the control's surface, and Qt's posted repaint copying it to the window.
  View->SetFocus();
  Application->ProcessMessages();
  auto KeyFrom = [&](Qt::Key Key, TOstrelItem* Start) {
    return KeyPressMs(
        ControlWidget(View), Key,
        [&] {
          View->SetSelected(Start);  // scrolls it into view
          View->SetFocused(Start);
          View->Update();
        },
        [&] { View->Update(); }, [&] { return View->GetSelected(); });
  };
  F.PageDownMs = KeyFrom(Qt::Key_PageDown, View->GetItems()->GetItemFromIndex(Count / 2));
  F.EndMs = KeyFrom(Qt::Key_End, View->GetItems()->GetFirstItem());

  // Timed: the change, its relayout, and its repaint up to the window.
  TOstrelItems& Items = *View->GetItems();
  const int Middle = Count / 2;
  View->ScrollInView(Items[Middle]);
  auto Settle = [] { QApplication::processEvents(); };
  Settle();
  TOstrelItem* Changed = Items[Middle];
  const AnsiString Caption = Changed->GetText();
  const int Lines = Changed->GetSubItems()->GetCount();
  F.ChangeOneMs = MedianMs(
      21,
      [&] {
        Changed->SetText(Caption);
        while (Changed->GetSubItems()->GetCount() > Lines) Changed->GetSubItems()->Delete(Lines);
        Changed->Update();
        Settle();
      },
      [&] {
        Changed->SetText(Caption + " (changed)");
        Changed->GetSubItems()->Add("Note=changed");
        Changed->Update();
        Settle();
      });
  F.InsertMiddleMs = MedianMs(
      21,
      [&] {
        if (Items.GetCount() > Count) Items[Middle]->Delete();
        Settle();
      },
      [&] {
        Items.Insert(Middle, "Inserted card");
        Settle();
      });
  F.DeleteMiddleMs = MedianMs(
      21,
      [&] {
        if (Items.GetCount() == Count) Items.Insert(Middle, "Card to delete");
        Settle();
      },
      [&] {
        Items[Middle]->Delete();
        Settle();
      });
  return F;
}

}  // namespace bench

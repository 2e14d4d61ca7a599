#pragma once
// A card view without a border on a shown form, sized by its client area.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Forms.h"
#include "Harness.h"
#include "Ostrel.h"

namespace cardview_test {

using namespace vcl;
using namespace ostrel;

class CardViewTest : public vcltest::THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    OwnedForm = vcltest::MakeForm(640, 480);
    Form = OwnedForm.get();
    View = new TOstrel(Form);
    View->SetBorderStyle(bsNone);
    View->SetParent(Form);
    vcltest::ProcessMessages();
  }
  void TearDown() override {
    OwnedForm.reset();
    THostTest::TearDown();
  }

  // Gives the view a client area of Width x Height, scroll bar or not.
  void SetClientSize(int Width, int Height) {
    View->SetBounds(0, 0, Width, Height);
    for (int Round = 0; Round < 3 && (View->GetClientWidth() != Width || View->GetClientHeight() != Height); ++Round)
      View->SetBounds(0, 0, View->GetWidth() + Width - View->GetClientWidth(),
                      View->GetHeight() + Height - View->GetClientHeight());
    vcltest::ProcessMessages();
  }

  // A card with Lines sub-items "Line<i>=<i>".
  TOstrelItem* AddCard(const AnsiString& Text, int Lines) {
    View->GetItems()->BeginUpdate();
    TOstrelItem* Item = View->GetItems()->Add(Text);
    for (int I = 0; I < Lines; ++I) Item->GetSubItems()->Add("Line" + std::to_string(I) + "=" + std::to_string(I));
    View->GetItems()->EndUpdate();
    return Item;
  }

  TOstrelItem* Card(int Index) const { return View->GetItems()->GetItemFromIndex(Index); }

  // The worked example: five cards of three sub-items in a 300 x 200 client area.
  void MakeFiveCards() {
    SetClientSize(300, 200);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < 5; ++I) AddCard("Card " + std::to_string(I), 3);
    View->GetItems()->EndUpdate();
    SetClientSize(300, 200);
  }

  SCROLLINFO ScrollInfo() {
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(View->GetHandle(), SB_HORZ, &Info);
    return Info;
  }

  void Scroll(int Code) { View->Perform(WM_HSCROLL, static_cast<WPARAM>(Code), 0); }

  std::unique_ptr<TForm> OwnedForm;
  TForm* Form = nullptr;
  TOstrel* View = nullptr;
};

}  // namespace cardview_test

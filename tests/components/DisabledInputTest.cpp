// A disabled window takes no mouse input, whatever its kind, and the controls inside a
// disabled parent take none either: a click on one changes nothing and fires nothing. The
// click goes on to the enabled window beneath, as the classic window system sends it.

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Harness.h"
#include "Ostrel.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace ostrel;
using namespace vcltest;

namespace {

class DisabledInputTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(640, 400);
  }
  void TearDown() override {
    Form.reset();
    THostTest::TearDown();
  }

public:
  template <class T>
  T* Add(TWinControl* Parent, int X, int Y, int W, int H) {
    auto* C = new T(Form.get());
    C->SetBounds(X, Y, W, H);
    C->SetParent(Parent);
    return C;
  }
  std::unique_ptr<TForm> Form;
  std::vector<std::string> Clicks;
};

// One kind of control: Make builds it on Parent and records its clicks; State tells what a
// click would change.
struct TKind {
  const char* Name;
  std::function<TWinControl*(DisabledInputTest&, TWinControl* Parent)> Make;
  std::function<std::string(TWinControl*)> State;
};

TEST_F(DisabledInputTest, AClickOnADisabledControlOrOneInADisabledParentChangesNothingAndFiresNothing) {
  auto Record = [](DisabledInputTest& T, TControl* C, const char* Name) {
    C->SetOnClick([&T, Name](TObject*) { T.Clicks.push_back(Name); });
  };
  const TKind Kinds[] = {
      {"button",
       [&](DisabledInputTest& T, TWinControl* P) {
         auto* B = T.Add<TButton>(P, 10, 10, 80, 25);
         Record(T, B, "button");
         return B;
       },
       [](TWinControl*) { return std::string(); }},
      {"check box",
       [&](DisabledInputTest& T, TWinControl* P) {
         auto* B = T.Add<TCheckBox>(P, 10, 10, 100, 20);
         B->SetCaption("Check");
         Record(T, B, "check box");
         return B;
       },
       [](TWinControl* C) { return std::string(static_cast<TCheckBox*>(C)->GetChecked() ? "checked" : "unchecked"); }},
      {"edit",
       [&](DisabledInputTest& T, TWinControl* P) {
         auto* E = T.Add<TEdit>(P, 10, 10, 120, 21);
         Record(T, E, "edit");
         return E;
       },
       [](TWinControl* C) { return std::string(C->Focused() ? "focused" : "not focused"); }},
      {"list view",
       [&](DisabledInputTest& T, TWinControl* P) {
         auto* L = T.Add<TListView>(P, 10, 10, 200, 120);
         L->SetViewStyle(vsReport);
         L->GetColumns()->Add()->SetWidth(150);
         L->GetItems()->Add()->SetCaption("Row");
         Record(T, L, "list view");
         return L;
       },
       [](TWinControl* C) {
         auto* L = static_cast<TListView*>(C);
         return std::string(L->GetSelected() ? "selected" : "none") + (C->Focused() ? ", focused" : "");
       }},
      {"card view",
       [&](DisabledInputTest& T, TWinControl* P) {
         auto* V = T.Add<TOstrel>(P, 10, 10, 300, 200);
         V->GetItems()->Add("Ann");
         Record(T, V, "card view");
         return V;
       },
       [](TWinControl* C) {
         auto* V = static_cast<TOstrel*>(C);
         return std::string(V->GetSelected() ? "selected" : "none") + (C->Focused() ? ", focused" : "");
       }},
  };
  // Where the disabled state comes from: the control itself, or the panel that holds it.
  for (const bool ParentDisabled : {false, true}) {
    for (const TKind& Kind : Kinds) {
      SCOPED_TRACE(std::string(Kind.Name) + (ParentDisabled ? " in a disabled panel" : ""));
      auto* Panel = Add<TPanel>(Form.get(), 0, 0, 400, 300);
      TWinControl* Control = Kind.Make(*this, Panel);
      std::vector<std::string> Beneath;
      Form->SetOnClick([&Beneath](TObject*) { Beneath.push_back("form"); });
      Panel->SetOnClick([&Beneath](TObject*) { Beneath.push_back("panel"); });
      ProcessMessages();
      const std::string Before = Kind.State(Control);
      (ParentDisabled ? static_cast<TWinControl*>(Panel) : Control)->SetEnabled(false);
      ProcessMessages();
      Clicks.clear();
      Click(Control, 15, 8);
      DoubleClick(Control, 15, 8);
      ProcessMessages();
      EXPECT_EQ(Kind.State(Control), Before);
      EXPECT_TRUE(Clicks.empty()) << "nothing disabled fires";
      EXPECT_EQ(Beneath.empty() ? "nothing" : Beneath.front(), ParentDisabled ? "form" : "panel")
          << "the enabled window beneath has the click";
      (ParentDisabled ? static_cast<TWinControl*>(Panel) : Control)->SetEnabled(true);
      ProcessMessages();
      Click(Control, 15, 8);
      ProcessMessages();
      EXPECT_EQ(Clicks, std::vector<std::string>{Kind.Name}) << "enabled again, the same click acts";
      Form->SetOnClick(nullptr);
      delete Panel;
      ProcessMessages();
    }
  }
}

}  // namespace

// The letter index bar's link to its card view: cleared when the card view goes, whoever
// owns it; kept by name in form files; and the bar's palette registration.

#include <algorithm>

#include "ButtonsBarFixture.h"
#include "TypInfo.h"

namespace cardview_test {
namespace {

using TStrings = std::vector<std::string>;

// A bar that records which components it was told are going.
class TBarProbe : public TOstrelButtonsBar {
public:
  using TOstrelButtonsBar::TOstrelButtonsBar;
  std::vector<TComponent*> Removed;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TOstrelButtonsBar::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) Removed.push_back(AComponent);
  }
};

TEST_F(ButtonsBarTest, TheLinkIsClearedWhenTheCardViewGoesWhoeverOwnsIt) {
  enum TOwner { FormOwns, OtherOwns, NobodyOwns };
  struct TRow {
    const char* Name;
    TOwner Owner;
    bool FreedByOwner;
  };
  const TRow Rows[] = {
      {"the bar's form, freed directly", FormOwns, false},
      {"another owner, freed by it", OtherOwns, true},
      {"another owner, freed directly", OtherOwns, false},
      {"no owner", NobodyOwns, false},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    auto* Other = new TComponent(nullptr);
    TComponent* Owner = Row.Owner == FormOwns ? Form : Row.Owner == OtherOwns ? Other : nullptr;
    auto* Cards = new TOstrel(Owner);
    Cards->SetParent(Form);
    Bar->SetOstrel(Cards);
    ASSERT_EQ(Bar->GetOstrel(), Cards);
    if (!Row.FreedByOwner) delete Cards;
    delete Other;
    EXPECT_EQ(Bar->GetOstrel(), nullptr);
  }
  RecordEvents();
  vcltest::Click(Bar, Centre(1).X, Centre(1).Y);
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "click 1 a-e"}));
}

TEST_F(ButtonsBarTest, ARelinkedBarNoLongerHearsOfItsFormerCardView) {
  auto* Probe = new TBarProbe(nullptr);
  auto* Former = new TOstrel(nullptr);
  auto* Current = new TOstrel(nullptr);
  Probe->SetOstrel(Former);
  Probe->SetOstrel(Current);
  delete Former;
  EXPECT_TRUE(Probe->Removed.empty());
  EXPECT_EQ(Probe->GetOstrel(), Current);
  Probe->SetOstrel(Current);  // the same again: still one link
  delete Current;
  EXPECT_EQ(Probe->Removed, (std::vector<TComponent*>{Current}));
  EXPECT_EQ(Probe->GetOstrel(), nullptr);
  delete Probe;
}

// A card view that records which components it was told are going.
class TCardViewProbe : public TOstrel {
public:
  using TOstrel::TOstrel;
  std::vector<TComponent*> Removed;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TOstrel::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) Removed.push_back(AComponent);
  }
};

TEST_F(ButtonsBarTest, ACardViewThatOutlivesTheBarDoesNotTellIt) {
  auto* Lasting = new TCardViewProbe(nullptr);
  auto* Survivor = new TOstrelButtonsBar(nullptr);
  Bar->SetOstrel(Lasting);
  Survivor->SetOstrel(Lasting);
  const TComponent* Freed = Bar;
  OwnedForm.reset();  // frees the bar
  // The card view heard that the bar went, so it keeps no reference to tell later.
  EXPECT_EQ(std::count(Lasting->Removed.begin(), Lasting->Removed.end(), Freed), 1);
  delete Lasting;  // tells the bar still linked, and only that one
  EXPECT_EQ(Survivor->GetOstrel(), nullptr);
  delete Survivor;
}

// A form that names the bar's handler, so that OnButtonClick travels by name.
class TLettersForm : public TForm {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info = TClassInfoBuilder<TLettersForm>("TLettersForm", &TForm::StaticClassInfo())
                                       .Field("Cards", &TLettersForm::Cards)
                                       .Field("Letters", &TLettersForm::Letters)
                                       .Method("LettersButtonClick", &TLettersForm::LettersButtonClick)
                                       .Build();
    return Info;
  }
  using TForm::TForm;
  void LettersButtonClick(TObject*, int Index, AnsiString Caption) { Clicks.push_back(std::to_string(Index) + Caption); }

  TOstrel* Cards = nullptr;
  TOstrelButtonsBar* Letters = nullptr;
  TStrings Clicks;
};

bool Has(const AnsiString& Text, const AnsiString& Part) { return Text.find(Part) != AnsiString::npos; }

TEST(ButtonsBarFormFile, TheCardViewTravelsByNameAndLoadingBuildsTheButtons) {
  TLettersForm Written(nullptr);
  Written.SetName("LettersForm");
  // The bar comes first, so that its reference names a card view not read yet.
  auto* Letters = new TOstrelButtonsBar(&Written);
  Letters->SetName("Letters");
  Letters->SetParent(&Written);
  auto* Cards = new TOstrel(&Written);
  Cards->SetName("Cards");
  Cards->SetParent(&Written);
  Letters->SetOstrel(Cards);
  Letters->SetBarAlignment(baHorizontal);
  Letters->SetShow123Button(false);
  Letters->SetBounds(0, 0, 300, 30);
  Letters->SetOnButtonClick(
      TOstrelButtonClickEvent(&Written, &TLettersForm::LettersButtonClick, AnsiString("LettersButtonClick")));
  const AnsiString Text = WriteComponentText(&Written);
  for (const char* Line : {"object Letters: TOstrelButtonsBar", "BarAlignment = baHorizontal", "Show123Button = False",
                           "Ostrel = Cards", "OnButtonClick = LettersButtonClick"})
    EXPECT_TRUE(Has(Text, Line)) << Line << " missing in\n" << Text;
  for (const char* Default : {"ButtonWidth", "ButtonHeight", "BorderWidth", "ButtonColor"})
    EXPECT_FALSE(Has(Text, Default)) << Default << " in\n" << Text;

  TLettersForm Read(nullptr);
  ReadComponentText(Text, &Read);
  ASSERT_TRUE(Read.Letters && Read.Cards);
  EXPECT_EQ(Read.Letters->GetOstrel(), Read.Cards);
  ASSERT_EQ(Read.Letters->GetButtonCount(), 8);
  EXPECT_EQ(Read.Letters->GetButton(7).Caption, "xyz");
  EXPECT_EQ(WriteComponentText(&Read), Text);
  Read.Letters->GetOnButtonClick()(Read.Letters, 7, "xyz");
  EXPECT_EQ(Read.Clicks, TStrings{"7xyz"});

  delete Read.Cards;
  EXPECT_EQ(Read.Letters->GetOstrel(), nullptr);
  EXPECT_FALSE(Has(WriteComponentText(&Read), "Ostrel ="));
}

TEST(ButtonsBarRegistration, RegisterPutsTheBarOnThePalettePageVelmora) {
  std::vector<std::pair<AnsiString, std::vector<const TClassInfo*>>> Calls;
  RegisterComponentsProc = [&](const AnsiString& Page, const std::vector<const TClassInfo*>& Classes) {
    Calls.emplace_back(Page, Classes);
  };
  OstrelButtonsBar::Register();
  RegisterComponentsProc = nullptr;
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].first, "Velmora");
  EXPECT_EQ(Calls[0].second, (std::vector<const TClassInfo*>{&TOstrelButtonsBar::StaticClassInfo()}));
  EXPECT_EQ(GetClass("TOstrelButtonsBar"), &TOstrelButtonsBar::StaticClassInfo());
}

}  // namespace
}  // namespace cardview_test

namespace cardview_test {
namespace {

// The bar moves its card view from its own click: a selection handler that frees the card
// view must not leave the move focusing a card of a freed control.
TEST_F(ButtonsBarTest, ALetterClickSurvivesASelectionHandlerThatFreesTheCardView) {
  AddCard("Anna", 1);
  AddCard("Bert", 1);
  SetBarSize(40, 300);
  View->SetOnChange([this](TObject*, TOstrelItem*) {
    delete View;
    View = nullptr;
  });
  vcltest::Click(Bar, Centre(1).X, Centre(1).Y);
  EXPECT_EQ(View, nullptr) << "the click reached the card view";
  EXPECT_EQ(Bar->GetOstrel(), nullptr);
}

}  // namespace
}  // namespace cardview_test

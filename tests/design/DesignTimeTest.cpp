// The card view in the form designer: the palette page, the editors the registration gives,
// and the items editor opened by either editor on a copy, copied back only on OK.
#include <algorithm>
#include <fstream>

#include "DesignTimeFixture.h"

#include "Dialogs.h"
#include "OstrelButtonsBar.h"

namespace designtime_test {
namespace {

// A card list of another class, on a component that is no card view, under another name.
class TMoreItems : public TOstrelItems {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info = TClassInfoBuilder<TMoreItems>("TMoreItems", &TOstrelItems::StaticClassInfo()).Build();
    return Info;
  }
  TMoreItems() : TOstrelItems(nullptr) {}
};

class TCardHolder : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info = TClassInfoBuilder<TCardHolder>("TCardHolder", &TComponent::StaticClassInfo())
                                       .Object("Addresses", &TCardHolder::GetAddresses)
                                       .Build();
    return Info;
  }
  using TComponent::TComponent;
  TMoreItems* GetAddresses() { return &Addresses; }
  TMoreItems Addresses;
};

TEST_F(DesignTimeTest, RegistersBothControlsOnVelmoraOnceAndTheEditors) {
  EXPECT_EQ(Palette, (std::vector<TPaletteCall>{{"Velmora", {"TOstrelButtonsBar"}}, {"Velmora", {"TOstrel"}}}));
  RegisterPackage();
  EXPECT_EQ(Palette.size(), 2u);

  auto Items = ItemsEditor();
  ASSERT_NE(Items, nullptr);
  EXPECT_EQ(Items->GetAttributes(), TPropertyAttributes{paDialog});
  EXPECT_EQ(Items->GetValue(), "(TOstrelItems)");  // also for an empty list
  AddCards({"Ann"});
  EXPECT_EQ(Items->GetValue(), "(TOstrelItems)");

  auto Verbs = CardsEditor();
  EXPECT_EQ(Verbs->GetVerbCount(), 1);
  EXPECT_EQ(Verbs->GetVerb(0), "&Items Editor");
  EXPECT_EQ(Verbs->GetVerb(1), "");

  // The letter bar has no editor of its own.
  auto* Bar = new TOstrelButtonsBar(Form.get());
  EXPECT_EQ(GetComponentEditor(Bar, Designer)->GetVerbCount(), 0);
}

TEST_F(DesignTimeTest, ThePropertyEditorServesDerivedListsOnAnyComponentUnderAnyName) {
  TCardHolder Holder(nullptr);
  auto Editors = GetComponentProperties({&Holder}, Designer);
  ASSERT_EQ(Editors.back()->GetName(), "Addresses");
  EXPECT_EQ(Editors.back()->GetValue(), "(TOstrelItems)");
  EXPECT_EQ(Editors.back()->GetAttributes(), TPropertyAttributes{paDialog});

  Holder.Addresses.Add("Zoe");
  WhenShown([](TOstrelItemsEditorForm& Dialog) {
    EXPECT_EQ(Dialog.Table->GetBiDiMode(), bdLeftToRight);  // a list without a control
    Press(Dialog.NewItemButton);
    Press(Dialog.OKButton);
  });
  Editors.back()->Edit();
  EXPECT_EQ(Texts(&Holder.Addresses), (std::vector<std::string>{"New Item", "Zoe"}));  // in the dialog's sorted order
  EXPECT_EQ(Designer->Count, 1);
}

TEST_F(DesignTimeTest, WithoutAnEnvironmentThePackageStaysUninstalledAndCanBeInstalledLater) {
  UnregisterPackage();
  RegisterComponentsProc = nullptr;
  EXPECT_THROW(RegisterPackage(), EComponentError);
  EXPECT_EQ(CardsEditor()->GetVerbCount(), 0);
  RegisterComponentsProc = [](const AnsiString&, const std::vector<const TClassInfo*>&) {};
  RegisterPackage();
  EXPECT_EQ(CardsEditor()->GetVerbCount(), 1);
}

// Every way into the dialog: the Items button of the inspector, a double click on the card
// view, its verb.
enum TOpener { ByProperty, ByDoubleClick, ByVerb };

class OpenerTest : public DesignTimeTest, public testing::WithParamInterface<TOpener> {
protected:
  void Open() {
    switch (GetParam()) {
      case ByProperty: ItemsEditor()->Edit(); break;
      case ByDoubleClick: CardsEditor()->Edit(); break;
      case ByVerb: CardsEditor()->ExecuteVerb(0); break;
    }
  }
  void EditAndClose(bool Ok);
};

TEST_P(OpenerTest, EditsACopyAndCopiesBackOnlyOnOk) {
  for (const bool Ok : {false, true}) {
    SCOPED_TRACE(Ok ? "OK" : "Cancel");
    Cards->GetItems()->Clear();
    Designer->Count = 0;
    EditAndClose(Ok);
  }
}

void OpenerTest::EditAndClose(bool Ok) {
  AddCards({"Bea", "Al"});
  TOstrelItem* Original = Cards->GetItems()->GetItemFromIndex(0);
  const int FormsBefore = Screen->GetFormCount();
  WhenShown([&](TOstrelItemsEditorForm& Dialog) {
    EXPECT_EQ(Texts(Dialog.Table->GetItems()), (std::vector<std::string>{"Al", "Bea"}));  // sorted copy
    EXPECT_EQ(Dialog.FEditedItems, Cards->GetItems());
    EXPECT_EQ(Dialog.FFormDesigner, Designer);
    EXPECT_EQ(Dialog.Table->GetSelected(), nullptr);
    Press(Dialog.NewItemButton);
    EXPECT_EQ(Cards->GetItems()->GetCount(), 2);  // only the copy changed
    Press(Ok ? Dialog.OKButton : Dialog.CancelButton);
  });
  Open();
  EXPECT_EQ(Steps, 1);
  if (Ok) {
    EXPECT_EQ(Texts(Cards->GetItems()), (std::vector<std::string>{"Al", "Bea", "New Item"}));
    EXPECT_EQ(Designer->Count, 1);
  } else {
    EXPECT_EQ(Texts(Cards->GetItems()), (std::vector<std::string>{"Bea", "Al"}));
    EXPECT_EQ(Cards->GetItems()->GetItemFromIndex(0), Original);
    EXPECT_EQ(Designer->Count, 0);
  }
  EXPECT_EQ(Screen->GetFormCount(), FormsBefore);  // the dialog is freed
}

TEST_P(OpenerTest, AnEmptyListClosedWithOkStaysEmptyAndStillReportsAChange) {
  WhenShown([](TOstrelItemsEditorForm& Dialog) {
    EXPECT_EQ(Dialog.Table->GetItems()->GetCount(), 0);
    EXPECT_FALSE(Dialog.TextEdit->GetEnabled());
    Press(Dialog.OKButton);
  });
  Open();
  EXPECT_EQ(Cards->GetItems()->GetCount(), 0);
  EXPECT_EQ(Designer->Count, 1);
}

TEST_P(OpenerTest, CancelAfterApplyKeepsTheAppliedCardsAndReportsNothingFurther) {
  AddCards({"Al"});
  WhenShown([&](TOstrelItemsEditorForm& Dialog) {
    Press(Dialog.NewItemButton);
    Press(Dialog.ApplyButton);
    EXPECT_EQ(Designer->Count, 1);
    Press(Dialog.ClearButton);
    Press(Dialog.CancelButton);
  });
  Open();
  EXPECT_EQ(Texts(Cards->GetItems()), (std::vector<std::string>{"Al", "New Item"}));
  EXPECT_EQ(Designer->Count, 1);
}

TEST_P(OpenerTest, TheDialogsCardViewTakesTheControlsReadingOrder) {
  for (TBiDiMode Mode : {bdRightToLeft, bdLeftToRight}) {
    Cards->SetBiDiMode(Mode);
    TBiDiMode Shown = Mode == bdLeftToRight ? bdRightToLeft : bdLeftToRight;
    WhenShown([&](TOstrelItemsEditorForm& Dialog) {
      Shown = Dialog.Table->GetBiDiMode();
      Press(Dialog.CancelButton);
    });
    Open();
    EXPECT_EQ(Shown, Mode);
  }
}

TEST_P(OpenerTest, AnErrorInsideTheDialogIsReportedAndTheEditGoesOn) {
  AddCards({"Al"});
  // A file that exists (the open dialog only takes existing files) but is no card file.
  const std::string Damaged = testing::TempDir() + "ostrel-designtime-damaged.cards";
  std::ofstream(Damaged, std::ios::binary) << "not a card file";
  SetFileDialogHook([Damaged](TOpenDialog& Dialog) {
    Dialog.SetFileName(Damaged);
    return true;
  });
  std::vector<std::string> AtOk;
  WhenShown([&AtOk](TOstrelItemsEditorForm& Dialog) {
    Press(Dialog.NewItemButton);
    // OK comes as the user's next action, from the loop, whatever the failed load unwinds.
    QTimer::singleShot(0, [&Dialog, &AtOk] {
      AtOk = Texts(Dialog.Table->GetItems());
      Press(Dialog.OKButton);
    });
    Press(Dialog.LoadFromFileButton);
  });
  Open();
  SetFileDialogHook(nullptr);
  EXPECT_EQ(TakeExceptions().size(), 1u);
  // The load emptied the dialog's list before it failed; OK still copies back what it shows.
  EXPECT_EQ(Texts(Cards->GetItems()), AtOk);
  EXPECT_EQ(std::count(AtOk.begin(), AtOk.end(), "New Item"), 0);
}

std::string OpenerName(const testing::TestParamInfo<TOpener>& Info) {
  return Info.param == ByProperty ? "Property" : Info.param == ByDoubleClick ? "DoubleClick" : "Verb";
}
INSTANTIATE_TEST_SUITE_P(Openers, OpenerTest, testing::Values(ByProperty, ByDoubleClick, ByVerb), OpenerName);

TEST_F(DesignTimeTest, VerbsOtherThanTheFirstDoNothing) {
  AddCards({"Al"});
  const int FormsBefore = Screen->GetFormCount();
  WhenShown([](TOstrelItemsEditorForm& Dialog) { Press(Dialog.OKButton); });
  auto Editor = CardsEditor();
  Editor->ExecuteVerb(1);
  Editor->ExecuteVerb(-1);
  vcltest::ProcessMessages();
  EXPECT_EQ(Steps, 0);
  EXPECT_EQ(Screen->GetFormCount(), FormsBefore);
  EXPECT_EQ(Designer->Count, 0);
  EXPECT_EQ(Texts(Cards->GetItems()), std::vector<std::string>{"Al"});
}

TEST_F(DesignTimeTest, ThePaletteBitmapsAre24By24In16Colours) {
  for (const char* Name : {"TOSTREL", "TOSTRELBUTTONSBAR"}) {
    std::size_t Size = 0;
    const Byte* Bytes = FindResourceBytes(Name, Size);
    ASSERT_NE(Bytes, nullptr) << Name;
    ASSERT_GT(Size, 30u);
    EXPECT_EQ(Bytes[28] | (Bytes[29] << 8), 4) << Name;  // bits per pixel
    TBitmap Bitmap;
    Bitmap.LoadFromResourceName(HInstance, Name);
    EXPECT_EQ(Bitmap.GetWidth(), 24) << Name;
    EXPECT_EQ(Bitmap.GetHeight(), 24) << Name;
    std::set<TColor> Colours;
    for (int Y = 0; Y < 24; ++Y)
      for (int X = 0; X < 24; ++X) Colours.insert(Bitmap.GetPixel(X, Y));
    EXPECT_GE(Colours.size(), 3u) << Name << " is no picture";
  }
}

}  // namespace
}  // namespace designtime_test

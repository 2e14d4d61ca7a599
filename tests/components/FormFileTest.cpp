// The card view in form files: which properties a form stores, the cards as the binary
// property Items.Data, and inherited forms that store only what differs.

#include <gtest/gtest.h>

#include <algorithm>

#include "OstrelProbe.h"
#include "TypInfo.h"

namespace ostrel_test {
namespace {

bool Has(const AnsiString& Text, const AnsiString& Part) { return Text.find(Part) != AnsiString::npos; }

void NameIt(TOstrel& Table) { Table.SetName("Cards"); }

TEST(OstrelFormFile, ANewControlStoresColorAndTabStopButNotItsDefaults) {
  TOstrel Table(nullptr);
  NameIt(Table);
  const AnsiString Text = WriteComponentText(&Table);
  EXPECT_TRUE(Has(Text, "object Cards: TOstrel"));
  EXPECT_TRUE(Has(Text, "Color = clWhite"));
  EXPECT_TRUE(Has(Text, "TabStop = True"));
  EXPECT_TRUE(Has(Text, "Sorted = False"));  // no default clause: always stored
  EXPECT_TRUE(Has(Text, "NoItemsText = 'No Items'"));
  for (const char* Default : {"ColumnWidth", "ItemTextWidth", "BorderWidth", "CaptionHeight", "ItemLineHeight",
                              "CaptionColor", "ShowDividers", "SelectionColor", "AllowSizing", "Items.Data",
                              "MaxItemHintWidth", "BorderStyle", "RightClickSelect"})
    EXPECT_FALSE(Has(Text, Default)) << Default;

  Table.SetColumnWidth(120);
  EXPECT_TRUE(Has(WriteComponentText(&Table), "ColumnWidth = 120"));
}

TEST(OstrelFormFile, CardsTravelAsTheirStreamBytesAndReplaceTheReadersCards) {
  TOstrel Written(nullptr);
  NameIt(Written);
  TOstrelItem* Ann = Written.GetItems()->Add("Ann");
  Ann->GetSubItems()->Add("Phone=1");
  Ann->SetHint("hint");
  Written.GetItems()->Add("Bob")->SetShowHint(false);
  Written.SetSorted(true);
  Written.SetColumnWidth(140);
  const AnsiString Text = WriteComponentText(&Written);
  EXPECT_TRUE(Has(Text, "Items.Data = {"));
  EXPECT_TRUE(Has(Text, "C800000002000000C800000003000000416E6E"));  // version, count, "Ann"

  TOstrel Read(nullptr);
  AddCards(*Read.GetItems(), {"old", "older"});
  ReadComponentText(Text, &Read);
  ASSERT_EQ(Texts(*Read.GetItems()), (std::vector<std::string>{"Ann", "Bob"}));
  for (int I = 0; I < 2; ++I) {
    const TOstrelItem* A = Written.GetItems()->GetItemFromIndex(I);
    const TOstrelItem* B = Read.GetItems()->GetItemFromIndex(I);
    EXPECT_TRUE(A->IsEqual(B));
    EXPECT_EQ(A->GetHint(), B->GetHint());
    EXPECT_EQ(A->GetShowHint(), B->GetShowHint());
  }
  EXPECT_TRUE(Read.GetSorted());
  EXPECT_EQ(Read.GetColumnWidth(), 140);
  EXPECT_EQ(WriteComponentText(&Read), Text);
}

TEST(OstrelFormFile, AnInheritedFormStoresCardsOnlyWhenTheyDifferBeyondHints) {
  TOstrel Ancestor(nullptr), Derived(nullptr);
  NameIt(Ancestor);
  NameIt(Derived);
  for (TOstrel* Table : {&Ancestor, &Derived}) {
    AddCards(*Table->GetItems(), {"Ann", "Bob"});
    Table->GetItems()->GetFirstItem()->GetSubItems()->Add("Phone=1");
  }
  Derived.GetItems()->GetFirstItem()->SetHint("only a hint");
  Derived.GetItems()->GetLastItem()->SetShowHint(false);
  EXPECT_FALSE(Has(WriteComponentText(&Derived, &Ancestor), "Items.Data"));

  Derived.GetItems()->GetFirstItem()->GetSubItems()->Add("City=Rome");
  EXPECT_TRUE(Has(WriteComponentText(&Derived, &Ancestor), "Items.Data"));
  Derived.GetItems()->GetFirstItem()->GetSubItems()->Delete(1);
  Derived.GetItems()->GetLastItem()->SetData(reinterpret_cast<void*>(3));
  EXPECT_TRUE(Has(WriteComponentText(&Derived, &Ancestor), "Items.Data"));
  Derived.GetItems()->GetLastItem()->Delete();
  EXPECT_TRUE(Has(WriteComponentText(&Derived, &Ancestor), "Items.Data"));  // fewer cards

  // Both empty: nothing to store.
  Derived.GetItems()->Clear();
  Ancestor.GetItems()->Clear();
  EXPECT_FALSE(Has(WriteComponentText(&Derived, &Ancestor), "Items.Data"));
}

// Every property the card view publishes beside its ancestors', generically: a new control's
// value is the default clause (else a form would store it and an older reader could refuse
// it), so the file leaves it out; any other value is written and read back unchanged.
TEST(OstrelFormFile, EachOwnPropertyOmitsItsDefaultAndCarriesAnyOtherValue) {
  const TClassInfo& Info = TOstrel::StaticClassInfo();
  const TClassInfo& Inherited = TCustomControl::StaticClassInfo();
  int Checked = 0;
  for (const TPropInfo* Prop : Info.Properties()) {
    if (Inherited.FindAnyProperty(Prop->Name) || !Prop->OrdDefault || !Prop->GetOrd) continue;
    SCOPED_TRACE(Prop->Name);
    ++Checked;
    TOstrel Fresh(nullptr);
    NameIt(Fresh);
    EXPECT_EQ(Prop->GetOrd(&Fresh), *Prop->OrdDefault);
    EXPECT_FALSE(Has(WriteComponentText(&Fresh), "  " + Prop->Name + " = "));

    // Another value each kind takes: a flag flipped, a first enumeration value instead of a
    // later one, a colour's low byte changed, a metric a little larger (within every clamp).
    const long long Default = *Prop->OrdDefault;
    long long Other = Default + 7;
    if (Prop->TypeName == "Boolean") Other = !Default;
    else if (Prop->Kind == TTypeKind::tkEnumeration) Other = Default == 0 ? 1 : 0;
    else if (Prop->TypeName == "TColor") Other = Default ^ 0x1F;
    TOstrel Written(nullptr);
    NameIt(Written);
    Prop->SetOrd(&Written, Other);
    ASSERT_EQ(Prop->GetOrd(&Written), Other);
    const AnsiString Text = WriteComponentText(&Written);
    EXPECT_TRUE(Has(Text, "  " + Prop->Name + " = ")) << Text;
    TOstrel Read(nullptr);
    ReadComponentText(Text, &Read);
    EXPECT_EQ(Prop->GetOrd(&Read), Other);
  }
  EXPECT_GE(Checked, 15);  // the metrics, colours and switches, not a handful
}

TEST(OstrelFormFile, SelectionIsNotStoredAndFormsFindTheClassByName) {
  const TClassInfo& Info = TOstrel::StaticClassInfo();
  EXPECT_EQ(Info.FindProperty("Selected"), nullptr);
  EXPECT_EQ(Info.FindProperty("ItemFocused"), nullptr);
  EXPECT_EQ(GetClass("TOstrel"), &Info);
}

}  // namespace
}  // namespace ostrel_test

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

TEST(OstrelFormFile, PublishedPropertiesComeInStreamingOrderWithTheirDefaults) {
  const TClassInfo& Info = TOstrel::StaticClassInfo();
  std::vector<AnsiString> Names;
  for (const TPropInfo* Prop : Info.Properties()) Names.push_back(Prop->Name);
  const auto Position = [&Names](const char* Name) {
    return std::find(Names.begin(), Names.end(), Name) - Names.begin();
  };
  const std::vector<AnsiString> Common = {"Name", "Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint", "HelpContext"};
  ASSERT_GE(Names.size(), Common.size());
  EXPECT_EQ(std::vector<AnsiString>(Names.begin(), Names.begin() + 9), Common);
  const char* Own[] = {"Items", "CustomDrawing", "ItemLineHeight", "CaptionHeight", "CaptionColor", "CaptionFont",
                       "ColumnWidth", "ItemTextWidth", "BorderWidth", "BorderStyle", "NoItemsText", "ShowDividers",
                       "DividersColor", "SelectionColor", "SelectionTextColor", "AllowSizing", "HideSelection",
                       "Sorted", "CustomSort", "RightClickSelect", "ReadOnly", "MaxItemHintWidth", "ItemsHints",
                       "TypeAhead"};
  for (std::size_t I = 1; I < std::size(Own); ++I) EXPECT_LT(Position(Own[I - 1]), Position(Own[I])) << Own[I];
  for (const char* Inherited : {"Align", "BiDiMode", "Color", "Ctl3D", "Font", "PopupMenu", "TabStop", "Visible",
                                "OnDeletion", "OnItemHint", "OnClick", "OnKeyDown", "OnUnDock"})
    EXPECT_NE(Info.FindProperty(Inherited), nullptr) << Inherited;
  EXPECT_EQ(Info.FindProperty("Selected"), nullptr);
  EXPECT_EQ(Info.FindProperty("ItemFocused"), nullptr);
  EXPECT_EQ(Info.FindProperty("ColumnWidth")->OrdDefault, 100);
  EXPECT_EQ(Info.FindProperty("SelectionColor")->OrdDefault, static_cast<long long>(clHighlight));
  EXPECT_FALSE(Info.FindProperty("Sorted")->HasDefault());
  EXPECT_FALSE(Info.FindProperty("NoItemsText")->HasDefault());
  EXPECT_EQ(GetClass("TOstrel"), &Info);
}

}  // namespace
}  // namespace ostrel_test

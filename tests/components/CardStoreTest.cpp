// A card's strings in one block: the sub-items behave as a string list does whether the
// card was read in bulk (its block in the list's arena) or made one by one; the block
// outlives nothing it must not; the sort by text orders exactly as the list's quicksort
// with the ordinal comparison; Assign gives what a card stream round trip gives.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

using TLines = std::vector<std::string>;

TLines Lines(const TStrings& Strings) {
  TLines Result;
  for (int I = 0; I < Strings.GetCount(); ++I) Result.push_back(Strings.Get(I));
  return Result;
}

// A list whose cards were read from a stream inside a batch: their blocks are packed.
void LoadCards(TOstrel& Table, const std::vector<std::pair<std::string, TLines>>& Cards) {
  TOstrel Source(nullptr);
  for (const auto& [Text, CardLines] : Cards) {
    TOstrelItem* Item = Source.GetItems()->Add(Text);
    for (const auto& Line : CardLines) Item->GetSubItems()->Add(Line);
    Item->SetHint("hint of " + Text);
  }
  TMemoryStream Stream;
  Source.SaveToStream(&Stream);
  Stream.SetPosition(0);
  Table.LoadFromStream(&Stream);
}

// Every operation of the string list, applied to a card's sub-items and to a TStringList
// side by side; after each, both hold the same lines and objects, and the card keeps its
// caption and hint.
struct TStep {
  const char* Name;
  void (*Apply)(TStrings& Lines);
};

const std::string Long(70000, 'x');  // past 64 KiB: the offsets of a packed block widen

const TStep Steps[] = {
    {"add", [](TStrings& L) { L.Add("Phone=123"); }},
    {"add empty", [](TStrings& L) { L.Add(""); }},
    {"insert first", [](TStrings& L) { L.Insert(0, "First"); }},
    {"insert middle", [](TStrings& L) { L.Insert(L.GetCount() / 2, "Middle=1"); }},
    {"put longer", [](TStrings& L) { L.Put(0, "A much longer first line than before"); }},
    {"put shorter", [](TStrings& L) { L.Put(L.GetCount() - 1, "s"); }},
    {"object", [](TStrings& L) { L.PutObject(1, reinterpret_cast<void*>(std::uintptr_t{0x1234})); }},
    {"insert before object", [](TStrings& L) { L.Insert(0, "Shifts the object"); }},
    {"put keeps object", [](TStrings& L) { L.Put(2, "Replaced"); }},
    {"zero byte inside", [](TStrings& L) { L.Add(std::string("a\0b", 3)); }},
    {"long line", [](TStrings& L) { L.Add(Long); }},
    {"delete first", [](TStrings& L) { L.Delete(0); }},
    {"delete last", [](TStrings& L) { L.Delete(L.GetCount() - 1); }},
    {"value", [](TStrings& L) { L.SetValue("Mail", "a@b"); }},
    {"text", [](TStrings& L) { L.SetTextStr("one\r\ntwo\nthree\rfour"); }},
    {"add after text", [](TStrings& L) { L.Add("five"); }},
    {"clear", [](TStrings& L) { L.Clear(); }},
    {"add after clear", [](TStrings& L) { L.Add("again"); }},
};

void ExpectSameAsStringList(TOstrelItem* Card, const char* How) {
  TStringList Reference;
  Reference.Assign(Card->GetSubItems());
  const std::string Caption = Card->GetText(), Hint = Card->GetHint();
  for (const TStep& Step : Steps) {
    SCOPED_TRACE(std::string(How) + ", after " + Step.Name);
    Step.Apply(*Card->GetSubItems());
    Step.Apply(Reference);
    ASSERT_EQ(Lines(*Card->GetSubItems()), Lines(Reference));
    for (int I = 0; I < Reference.GetCount(); ++I)
      EXPECT_EQ(Card->GetSubItems()->GetObject(I), Reference.GetObject(I)) << "object " << I;
    EXPECT_EQ(Card->GetSubItems()->GetTextStr(), Reference.GetTextStr());
    EXPECT_EQ(Card->GetText(), Caption);
    EXPECT_EQ(Card->GetHint(), Hint);
  }
}

TEST(OstrelCardStore, SubItemsOfALoadedCardActAsAStringList) {
  TOstrel Table(nullptr);
  LoadCards(Table, {{"Ann", {"Phone=1", "City=Rome", "Note"}}, {"Bob", {}}});
  ExpectSameAsStringList(Table.GetItems()->GetItemFromIndex(0), "loaded card with lines");
  ExpectSameAsStringList(Table.GetItems()->GetItemFromIndex(1), "loaded card without lines");
}

TEST(OstrelCardStore, SubItemsOfAnAddedCardActAsAStringList) {
  TOstrel Table(nullptr);
  TOstrelItem* Card = Table.GetItems()->Add("Carl");
  ExpectSameAsStringList(Card, "added card");
  TOstrelItem Loose(Table.GetItems());  // never attached
  ExpectSameAsStringList(&Loose, "unattached card");
}

TEST(OstrelCardStore, CaptionAndHintChangeWithoutDisturbingTheLines) {
  struct TRow {
    const char* Text;
    const char* Hint;
  };
  const TRow Rows[] = {{"", "only a hint"}, {"a caption far longer than the one it replaces", ""}, {"", ""},
                       {"x", "y"}};
  TOstrel Table(nullptr);
  LoadCards(Table, {{"Ann", {"Phone=1", "", "City=Rome"}}});
  TOstrelItem* Card = Table.GetItems()->GetFirstItem();
  for (const TRow& Row : Rows) {
    Card->SetText(Row.Text);
    Card->SetHint(Row.Hint);
    EXPECT_EQ(Card->GetText(), Row.Text);
    EXPECT_EQ(Card->GetHint(), Row.Hint);
    EXPECT_EQ(Lines(*Card->GetSubItems()), (TLines{"Phone=1", "", "City=Rome"}));
  }
}

TEST(OstrelCardStore, BadIndexesFailAsInAStringList) {
  TOstrel Table(nullptr);
  LoadCards(Table, {{"Ann", {"Phone=1"}}});
  TStrings* Lines = Table.GetItems()->GetFirstItem()->GetSubItems();
  EXPECT_THROW(Lines->Get(1), EStringListError);
  EXPECT_THROW(Lines->Get(-1), EStringListError);
  EXPECT_THROW(Lines->Put(1, "x"), EStringListError);
  EXPECT_THROW(Lines->Delete(1), EStringListError);
  EXPECT_THROW(Lines->Insert(2, "x"), EStringListError);
  EXPECT_THROW(Lines->PutObject(1, nullptr), EStringListError);
  EXPECT_EQ(Lines->GetTextStr(), "Phone=1\r\n");
}

// A card whose deletion is running when its list is emptied, or when the whole control
// goes, still has its strings: the arena that held them is not freed under it.
TEST(OstrelCardStore, ACardBeingDeletedKeepsItsStringsWhenTheListIsCleared) {
  TOstrel Table(nullptr);
  LoadCards(Table, {{"Ann", {"Phone=1"}}, {"Bob", {"City=Rome"}}});
  std::string SeenAfterClear;
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    if (Item->GetText() != "Ann") return;
    Table.GetItems()->Clear();
    SeenAfterClear = Item->GetText() + " " + Item->GetSubItems()->Get(0) + " " + Item->GetHint();
  });
  Table.GetItems()->GetFirstItem()->Delete();
  EXPECT_EQ(SeenAfterClear, "Ann Phone=1 hint of Ann");
  EXPECT_EQ(Table.GetItems()->GetCount(), 0);
}

TEST(OstrelCardStore, ACardBeingDeletedKeepsItsStringsWhenTheControlGoes) {
  auto* Table = new TOstrel(nullptr);
  LoadCards(*Table, {{"Ann", {"Phone=1"}}, {"Bob", {}}});
  TOstrelItem* Ann = Table->GetItems()->GetFirstItem();
  std::string SeenAfterFree;
  Table->SetOnDeletion([&](TObject* Sender, TOstrelItem* Item) {
    if (Item != Ann || !SeenAfterFree.empty()) return;
    SeenAfterFree = "freeing";
    delete static_cast<TOstrel*>(Sender);
    SeenAfterFree = Item->GetText() + " " + Item->GetSubItems()->Get(0);
  });
  Ann->Delete();
  EXPECT_EQ(SeenAfterFree, "Ann Phone=1");
}

// The sort by text against the ordinal comparison, on cards with many equal texts and
// texts that share long beginnings: every card once, none above the next. Equal texts may
// end in any order.
int OrdinalCompare(void* A, void* B) {
  const int R = CompareStr(static_cast<TOstrelItem*>(A)->GetText(), static_cast<TOstrelItem*>(B)->GetText());
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

std::vector<std::string> TextPool(const char* Kind) {
  const std::string Shared(30, 'p');
  if (std::string(Kind) == "short")
    return {"b", "a", "B", "", "ab", "a", "b"};
  if (std::string(Kind) == "shared beginnings")
    return {Shared + "b", Shared + "a", Shared, Shared + "a", Shared.substr(0, 8), Shared.substr(0, 16) + "z"};
  if (std::string(Kind) == "zero bytes and high bytes")
    return {std::string("a\0", 2), "a", std::string("a\0b", 3), "\xC3\x89", "\xFF", std::string(24, '\0')};
  return {"Müller, José", "Смирнова, Наталья", "Смирнова, Ольга", "Παπαδόπουλος, Νίκος", "王伟", "Müller, Ana"};
}

TEST(OstrelCardStore, SortByTextPutsEveryCardInOrdinalOrder) {
  for (const char* Kind : {"short", "shared beginnings", "zero bytes and high bytes", "contacts"}) {
    SCOPED_TRACE(Kind);
    const std::vector<std::string> Pool = TextPool(Kind);
    TOstrel Table(nullptr);
    TOstrelItems& Items = *Table.GetItems();
    Items.BeginUpdate();
    std::uint64_t State = 7;
    for (int I = 0; I < 2000; ++I) {
      State = State * 6364136223846793005ull + 1442695040888963407ull;
      Items.Add(Pool[(State >> 33) % Pool.size()]);
    }
    Items.EndUpdate();
    std::multiset<TOstrelItem*> Before;
    for (int I = 0; I < Items.GetCount(); ++I) Before.insert(Items[I]);
    Items.Sort();
    std::multiset<TOstrelItem*> After;
    for (int I = 0; I < Items.GetCount(); ++I) After.insert(Items[I]);
    EXPECT_EQ(After, Before);
    for (int I = 1; I < Items.GetCount(); ++I) ASSERT_LE(OrdinalCompare(Items[I - 1], Items[I]), 0) << "at " << I;
  }
}

// Assign copies what a card stream carries: Data's low 32 bits, a line holding a line
// break as several lines, the hint and its flag, lines past 64 KiB, an empty card; then
// sorts. Copied again, the cards' packed blocks copy as they are.
TEST(OstrelCardStore, AssignGivesWhatAStreamRoundTripGives) {
  TOstrel Source(nullptr);
  TOstrelItems& From = *Source.GetItems();
  From.AddObject("b", reinterpret_cast<void*>(std::uintptr_t{0x1'0000'0005}));
  From[0]->GetSubItems()->Add("one\r\ntwo");
  From[0]->GetSubItems()->Add(std::string("cut\0off", 7));
  From[0]->GetSubItems()->PutObject(0, &Source);
  From[0]->SetShowHint(false);
  From.Add("a")->SetHint("Hi");
  From[1]->GetSubItems()->Add("Phone=1");
  From.Add("c")->GetSubItems()->Add(std::string(70000, 'w'));
  From[2]->GetSubItems()->Add("tail");
  From.Add("");

  TOstrel ByStream(nullptr);
  TMemoryStream Stream;
  Source.SaveToStream(&Stream);
  Stream.SetPosition(0);
  ByStream.LoadFromStream(&Stream);
  ByStream.GetItems()->Sort();

  TOstrel ByAssign(nullptr);
  ByAssign.GetItems()->Add("old");
  ByAssign.SetTableItems(&From);
  TMemoryStream Written, Expected;
  ByAssign.SaveToStream(&Written);
  ByStream.SaveToStream(&Expected);
  EXPECT_EQ(Bytes(Written), Bytes(Expected));
  EXPECT_EQ(Texts(*ByAssign.GetItems()), (std::vector<std::string>{"", "a", "b", "c"}));
  EXPECT_EQ(Lines(*ByAssign.GetItems()->GetItemFromIndex(2)->GetSubItems()), (TLines{"one", "two", "cut"}));
  EXPECT_EQ(ByAssign.GetItems()->GetItemFromIndex(2)->GetSubItems()->GetObject(0), nullptr);
  EXPECT_EQ(ByAssign.GetItems()->GetItemFromIndex(2)->GetData(), reinterpret_cast<void*>(std::uintptr_t{5}));
  EXPECT_EQ(Lines(*ByAssign.GetItems()->GetItemFromIndex(3)->GetSubItems()), (TLines{std::string(70000, 'w'), "tail"}));
  EXPECT_EQ(ByAssign.GetItems()->GetItemFromIndex(0)->GetSubItems()->GetCount(), 0);

  // Onto itself: the same content in new cards, sorted.
  ByAssign.SetTableItems(ByAssign.GetItems());
  TMemoryStream Again;
  ByAssign.SaveToStream(&Again);
  EXPECT_EQ(Bytes(Again), Bytes(Expected));
}

}  // namespace
}  // namespace ostrel_test

// Collections: items made by the owner's factory, positions, moves, copies, and changes
// reported once per batch.

#include <gtest/gtest.h>

#include "Classes.h"
#include "TypInfo.h"

using namespace vcl;

namespace {

class TBook : public TCollectionItem {
public:
  AnsiString Title;
  void SetTitle(const AnsiString& Value) {
    Title = Value;
    Changed();
  }
  void Assign(TPersistent* Source) override {
    auto* Other = dynamic_cast<TBook*>(Source);
    if (!Other) return TCollectionItem::Assign(Source);
    Title = Other->Title;
  }
};

class TShelf : public TCollection {
public:
  TShelf() : TCollection([] { return new TBook(); }) {}
  TBook* Book(int Index) const { return static_cast<TBook*>(GetItem(Index)); }
  std::vector<std::string> Updates;  // "all", or the title of the item that changed

protected:
  void Update(TCollectionItem* Item) override { Updates.push_back(Item ? static_cast<TBook*>(Item)->Title : "all"); }
};

std::vector<std::string> Titles(const TShelf& Shelf) {
  std::vector<std::string> Result;
  for (int I = 0; I < Shelf.GetCount(); ++I) Result.push_back(Shelf.Book(I)->Title);
  return Result;
}

TEST(CollectionTest, ItemsKnowTheirPlaceAndMoveAndLeave) {
  TShelf Shelf;
  for (const char* Title : {"a", "b", "c"}) static_cast<TBook*>(Shelf.Add())->Title = Title;
  static_cast<TBook*>(Shelf.Insert(1))->Title = "x";
  EXPECT_EQ(Titles(Shelf), (std::vector<std::string>{"a", "x", "b", "c"}));
  EXPECT_EQ(Shelf.Book(2)->GetIndex(), 2);
  EXPECT_EQ(Shelf.Book(2)->GetCollection(), &Shelf);
  Shelf.Book(0)->SetIndex(99);  // clamped to the end
  EXPECT_EQ(Titles(Shelf), (std::vector<std::string>{"x", "b", "c", "a"}));
  delete Shelf.Book(1);  // an item freed by itself leaves the collection
  Shelf.Delete(0);
  EXPECT_EQ(Titles(Shelf), (std::vector<std::string>{"c", "a"}));
  EXPECT_THROW(Shelf.Delete(2), EListError);
  EXPECT_THROW(Shelf.Insert(3), EListError);
  EXPECT_THROW(Shelf.GetItem(-1), EListError);
  TBook Loose;
  EXPECT_EQ(Loose.GetIndex(), -1);
}

TEST(CollectionTest, ChangesReportOncePerBatchAndItemChangesNameTheItem) {
  TShelf Shelf;
  Shelf.Add();
  Shelf.Book(0)->SetTitle("first");
  EXPECT_EQ(Shelf.Updates, (std::vector<std::string>{"all", "first"}));
  Shelf.Updates.clear();
  Shelf.BeginUpdate();
  Shelf.BeginUpdate();
  Shelf.Add();
  Shelf.Book(0)->SetTitle("renamed");
  Shelf.Clear();
  Shelf.EndUpdate();
  EXPECT_TRUE(Shelf.Updates.empty()) << "an inner batch ends without a report";
  Shelf.EndUpdate();
  EXPECT_EQ(Shelf.Updates, std::vector<std::string>{"all"});
  Shelf.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(Shelf.GetUpdateCount(), 0);
}

TEST(CollectionTest, AssignCopiesTheItemsAndRefusesOtherKinds) {
  TShelf Source, Target;
  for (const char* Title : {"p", "q"}) static_cast<TBook*>(Source.Add())->Title = Title;
  static_cast<TBook*>(Target.Add())->Title = "old";
  Target.Assign(&Source);
  EXPECT_EQ(Titles(Target), (std::vector<std::string>{"p", "q"}));
  EXPECT_NE(Target.Book(0), Source.Book(0));
  EXPECT_EQ(Target.Updates.back(), "all");
  Target.Assign(&Target);
  EXPECT_EQ(Titles(Target), (std::vector<std::string>{"p", "q"}));
  TStringList Lines;
  EXPECT_THROW(Target.Assign(&Lines), EConvertError);
}

}  // namespace

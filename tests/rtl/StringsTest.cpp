// TStrings and TStringList: text splitting and joining, names and values, change events.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Classes.h"

using namespace vcl;

namespace {

std::vector<AnsiString> Lines(const TStrings& S) {
  std::vector<AnsiString> Result;
  for (int I = 0; I < S.GetCount(); ++I) Result.push_back(S.Get(I));
  return Result;
}

}  // namespace

TEST(StringsTest, SetTextSplitsOnEveryKindOfLineBreak) {
  struct Case {
    AnsiString Text;
    std::vector<AnsiString> Expected;
  };
  const std::vector<Case> Cases = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two breaks
      {"a\r\rb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {AnsiString("a\r\nb\0c\r\nd", 9), {"a", "b"}},  // a zero byte ends the text
      {AnsiString("\0a", 2), {}},
  };
  TStringList List;
  List.Add("old");
  for (const Case& C : Cases) {
    List.SetTextStr(C.Text);
    EXPECT_EQ(Lines(List), C.Expected) << "text of " << C.Text.size() << " bytes";
  }
}

TEST(StringsTest, GetTextEndsEveryLineWithCrLf) {
  TStringList List;
  EXPECT_EQ(List.GetTextStr(), "");
  List.Add("Phone=123");
  List.Add("");
  List.Add("City=Rome");
  EXPECT_EQ(List.GetTextStr(), "Phone=123\r\n\r\nCity=Rome\r\n");
  TStringList Copy;
  Copy.SetTextStr(List.GetTextStr());
  EXPECT_TRUE(Copy.Equals(&List));
}

TEST(StringsTest, NamesAndValues) {
  TStringList List;
  List.SetTextStr("Phone=123\n=first\nplain\nCity=Rome=Italy\nempty=\n");
  EXPECT_EQ(List.GetName(0), "Phone");
  EXPECT_EQ(List.GetName(1), "");  // "=" first
  EXPECT_EQ(List.GetName(2), "");  // no "="
  EXPECT_EQ(List.GetName(3), "City");
  EXPECT_EQ(List.GetValueFromIndex(0), "123");
  EXPECT_EQ(List.GetValueFromIndex(1), "first");
  EXPECT_EQ(List.GetValueFromIndex(2), "");
  EXPECT_EQ(List.GetValueFromIndex(3), "Rome=Italy");
  EXPECT_EQ(List.GetValue("City"), "Rome=Italy");
  EXPECT_EQ(List.GetValue("Missing"), "");
  EXPECT_EQ(List.IndexOfName("empty"), 4);
  EXPECT_EQ(List.IndexOfName(""), -1);
  List.SetValue("Phone", "456");
  EXPECT_EQ(List.Get(0), "Phone=456");
  List.SetValue("Mail", "a@b");
  EXPECT_EQ(List.Get(5), "Mail=a@b");
  List.SetValue("Phone", "");  // an empty value deletes the line
  EXPECT_EQ(List.IndexOfName("Phone"), -1);
  EXPECT_EQ(List.GetCount(), 5);
  EXPECT_EQ(List.IndexOf("plain"), 1);
  EXPECT_EQ(List.IndexOf("PLAIN"), -1);  // ordinal
  EXPECT_THROW(List.GetName(5), EStringListError);
}

TEST(StringsTest, IndexErrorsLeaveTheListAlone) {
  TStringList List;
  List.Add("a");
  EXPECT_THROW(List.Get(1), EStringListError);
  EXPECT_THROW(List.Put(-1, "x"), EStringListError);
  EXPECT_THROW(List.Insert(2, "x"), EStringListError);
  EXPECT_THROW(List.Delete(1), EStringListError);
  List.Insert(1, "b");
  EXPECT_EQ(Lines(List), (std::vector<AnsiString>{"a", "b"}));
}

TEST(StringsTest, AssignAndEquals) {
  TStringList A, B;
  int X = 0;
  A.AddObject("one", &X);
  A.Add("two");
  B.Add("stale");
  B.Assign(&A);
  EXPECT_TRUE(B.Equals(&A));
  EXPECT_EQ(B.GetObject(0), &X);
  B.Put(1, "TWO");
  EXPECT_FALSE(B.Equals(&A));
  B.Delete(1);
  EXPECT_FALSE(B.Equals(&A));
  EXPECT_FALSE(B.Equals(nullptr));
  TPersistent Other;
  try {
    B.Assign(&Other);
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TPersistent to a TStringList");
  }
  EXPECT_EQ(B.GetCount(), 1);
}

TEST(StringsTest, ChangeEventsRespectUpdates) {
  TStringList List;
  std::vector<AnsiString> Events;
  List.SetOnChanging([&](TObject* Sender) {
    EXPECT_EQ(Sender, &List);
    Events.push_back("changing");
  });
  List.SetOnChange([&](TObject*) { Events.push_back("change"); });
  List.Add("a");
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
  Events.clear();
  List.BeginUpdate();
  List.BeginUpdate();
  List.Add("b");
  List.Delete(0);
  List.EndUpdate();
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing"}));
  List.EndUpdate();
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
  Events.clear();
  List.SetTextStr("x\ny\nz");
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
}

// A handler that throws passes its exception on; the list stays usable and consistent.
TEST(StringsTest, ThrowingHandlerDoesNotCorruptTheList) {
  TStringList List;
  List.SetOnChange([](TObject*) { throw Exception("boom"); });
  EXPECT_THROW(List.Add("a"), Exception);
  EXPECT_EQ(List.GetCount(), 1);
  EXPECT_THROW(List.SetTextStr("b\nc"), Exception);
  EXPECT_EQ(List.GetUpdateCount(), 0);
  EXPECT_EQ(Lines(List), (std::vector<AnsiString>{"b", "c"}));
}

// Objects are kept apart from the lines and only once one is set; they follow their lines.
TEST(StringsTest, ObjectsFollowTheirLinesAndAreNullUntilSet) {
  TStringList List;
  List.SetTextStr("a\nb\nc");
  for (int I = 0; I < 3; ++I) EXPECT_EQ(List.GetObject(I), nullptr);
  List.PutObject(0, nullptr);  // nothing to keep
  EXPECT_EQ(List.GetObject(0), nullptr);
  int X = 0, Y = 0;
  List.PutObject(1, &X);
  EXPECT_EQ(List.GetObject(0), nullptr);
  EXPECT_EQ(List.GetObject(1), &X);
  EXPECT_EQ(List.GetObject(2), nullptr);
  List.Insert(0, "first");
  List.AddObject("last", &Y);
  EXPECT_EQ(List.GetObject(2), &X);
  EXPECT_EQ(List.GetObject(4), &Y);
  List.Delete(1);
  EXPECT_EQ(Lines(List), (std::vector<AnsiString>{"first", "b", "c", "last"}));
  EXPECT_EQ(List.GetObject(1), &X);
  EXPECT_EQ(List.GetObject(3), &Y);
  List.Put(1, "B");  // a new text keeps the object
  EXPECT_EQ(List.GetObject(1), &X);
  EXPECT_THROW(List.GetObject(4), EStringListError);
  EXPECT_THROW(List.PutObject(4, &X), EStringListError);
  List.SetTextStr("x\ny");  // new lines come without objects
  EXPECT_EQ(List.GetObject(0), nullptr);
  EXPECT_EQ(List.GetObject(1), nullptr);
  List.PutObject(1, &Y);
  List.Clear();
  List.Add("z");
  EXPECT_EQ(List.GetObject(0), nullptr);
}

TEST(StringsTest, HandlersCanBeSetReplacedAndRemoved) {
  TStringList List;
  EXPECT_FALSE(List.GetOnChange());
  EXPECT_FALSE(List.GetOnChanging());
  List.SetOnChange(nullptr);  // removing what is not there
  List.Add("a");
  std::vector<AnsiString> Events;
  List.SetOnChange([&](TObject*) { Events.push_back("first"); });
  List.Add("b");
  List.SetOnChange([&](TObject*) { Events.push_back("second"); });
  List.SetOnChanging([&](TObject*) { Events.push_back("changing"); });
  List.PutObject(0, &Events);
  EXPECT_EQ(Events, (std::vector<AnsiString>{"first", "changing", "second"}));
  List.SetOnChange(nullptr);
  EXPECT_FALSE(List.GetOnChange());
  EXPECT_TRUE(List.GetOnChanging());
  Events.clear();
  List.Delete(0);
  EXPECT_EQ(Events, std::vector<AnsiString>{"changing"});
  // Objects and handlers share their storage: clearing one leaves the other.
  List.SetOnChanging(nullptr);
  List.PutObject(0, &Events);
  EXPECT_EQ(List.GetObject(0), &Events);
  EXPECT_FALSE(List.GetOnChanging());
}

TEST(StringsTest, ListsFilledInOneGoKeepNoSpareRoom) {
  TStringList Source;
  for (int I = 0; I < 5; ++I) Source.Add("line");
  EXPECT_GE(Source.GetCapacity(), 5);
  TStringList Copy;
  Copy.Assign(&Source);
  EXPECT_EQ(Copy.GetCapacity(), 5);
  Copy.SetTextStr("a\nb\nc");
  EXPECT_EQ(Copy.GetCapacity(), 3);
  Copy.SetCapacity(10);
  EXPECT_EQ(Copy.GetCapacity(), 10);
  EXPECT_EQ(Lines(Copy), (std::vector<AnsiString>{"a", "b", "c"}));
  Copy.SetCapacity(3);
  EXPECT_EQ(Copy.GetCapacity(), 3);
  try {
    Copy.SetCapacity(2);
    FAIL();
  } catch (const EStringListError& E) {
    EXPECT_EQ(E.Message(), "List capacity out of bounds (2)");
  }
  EXPECT_EQ(Copy.GetCount(), 3);
  Copy.Clear();
  EXPECT_EQ(Copy.GetCapacity(), 0);
}

// Lines are stored packed; every edit must move the other lines' bytes along correctly.
TEST(StringsTest, LinesKeepTheirBytesThroughEveryEdit) {
  TStringList List;
  std::vector<AnsiString> Model;
  std::mt19937 Random(7);
  auto Text = [&Random] {
    const int Length = std::uniform_int_distribution<int>(0, 3)(Random) == 0 ? 300 : 12;
    AnsiString S(static_cast<size_t>(std::uniform_int_distribution<int>(0, Length)(Random)), 'x');
    for (char& C : S) C = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(Random));
    return S;  // zero bytes and line breaks included: a line is any bytes
  };
  for (int Step = 0; Step < 3000; ++Step) {
    const int Count = static_cast<int>(Model.size());
    const int Choice = std::uniform_int_distribution<int>(0, 9)(Random);
    if (Choice < 5 || Count == 0) {
      const int Index = std::uniform_int_distribution<int>(0, Count)(Random);
      const AnsiString S = Text();
      List.Insert(Index, S);
      Model.insert(Model.begin() + Index, S);
    } else if (Choice < 8) {
      const int Index = std::uniform_int_distribution<int>(0, Count - 1)(Random);
      const AnsiString S = Text();
      List.Put(Index, S);
      Model[static_cast<size_t>(Index)] = S;
    } else {
      const int Index = std::uniform_int_distribution<int>(0, Count - 1)(Random);
      List.Delete(Index);
      Model.erase(Model.begin() + Index);
    }
    ASSERT_EQ(Lines(List), Model) << "after step " << Step;
  }
  ASSERT_GT(Model.size(), 100u);
  TStringList Copy;
  Copy.Assign(&List);
  EXPECT_EQ(Lines(Copy), Model);
}

TEST(StringsTest, AssigningAStringListCopiesLinesAndObjectsWithoutSpareRoom) {
  TStringList Source, Copy;
  int X = 0;
  Source.Add("one");
  Source.AddObject("two", &X);
  Source.Add("");
  Copy.SetTextStr("stale\nlines\nhere\nand\nmore");
  Copy.PutObject(4, &X);
  std::vector<AnsiString> Events;
  Copy.SetOnChanging([&](TObject*) { Events.push_back("changing"); });
  Copy.SetOnChange([&](TObject*) { Events.push_back("change"); });
  Copy.Assign(&Source);
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
  EXPECT_EQ(Lines(Copy), (std::vector<AnsiString>{"one", "two", ""}));
  EXPECT_EQ(Copy.GetCapacity(), 3);
  EXPECT_EQ(Copy.GetObject(0), nullptr);
  EXPECT_EQ(Copy.GetObject(1), &X);
  EXPECT_EQ(Copy.GetObject(2), nullptr);
  Copy.Put(0, "ONE");  // the copy is its own
  Copy.PutObject(1, nullptr);
  EXPECT_EQ(Source.Get(0), "one");
  EXPECT_EQ(Source.GetObject(1), &X);
  Copy.Assign(&Copy);  // itself: nothing changes
  EXPECT_EQ(Lines(Copy), (std::vector<AnsiString>{"ONE", "two", ""}));
  TStringList Empty;
  Copy.Assign(&Empty);
  EXPECT_EQ(Copy.GetCount(), 0);
  EXPECT_EQ(Copy.GetCapacity(), 0);
  Copy.Add("after");
  EXPECT_EQ(Copy.GetObject(0), nullptr);
}

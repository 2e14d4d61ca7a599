// The generic property editors: a text given to SetValue comes back from GetValue as the
// inspector shows it, reported once to the designer; text that is no value of the property
// is refused with EPropertyError and changes nothing.
#include <gtest/gtest.h>

#include "DesignClasses.h"

using namespace vcl;
using namespace designtest;

namespace {

struct TRoundTrip {
  const char* Property;
  const char* Text;
  const char* Shown;  // null: the text is refused
};

class GenericEditorsTest : public testing::TestWithParam<TRoundTrip> {
protected:
  GenericEditorsTest() {
    Other.SetName("Other");
    Holder.SetName("Holder");
    Designer->Root = &Root;
  }
  std::unique_ptr<TPropertyEditor> EditorOf(const char* Property) {
    for (auto& E : GetComponentProperties({&Holder}, Designer))
      if (E->GetName() == Property) return std::move(E);
    ADD_FAILURE() << "no editor for " << Property;
    return nullptr;
  }
  TRoot Root{nullptr};
  THolder& Holder = *new THolder(&Root);
  THolder& Other = *new THolder(&Root);
  std::shared_ptr<TRecordingDesigner> Designer = std::make_shared<TRecordingDesigner>();
};

TEST_P(GenericEditorsTest, TextRoundTrip) {
  const TRoundTrip& Row = GetParam();
  auto Editor = EditorOf(Row.Property);
  ASSERT_NE(Editor, nullptr);
  const AnsiString Before = Editor->GetValue();
  if (Row.Shown != nullptr) {
    Editor->SetValue(Row.Text);
    EXPECT_EQ(Editor->GetValue(), Row.Shown);
    EXPECT_EQ(Designer->Count, 1);
  } else {
    EXPECT_THROW(Editor->SetValue(Row.Text), EPropertyError);
    EXPECT_EQ(Editor->GetValue(), Before);
    EXPECT_EQ(Designer->Count, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GenericEditorsTest,
    testing::Values(TRoundTrip{"Count", "42", "42"}, TRoundTrip{"Count", " -7 ", "-7"},
                    TRoundTrip{"Count", "$1F", "31"}, TRoundTrip{"Count", "32767", "32767"},
                    TRoundTrip{"Count", "32768", nullptr}, TRoundTrip{"Count", "4x", nullptr},
                    TRoundTrip{"Count", "", nullptr}, TRoundTrip{"Count", "$", nullptr},
                    TRoundTrip{"Count", "$-1", nullptr}, TRoundTrip{"Count", "99999999999999999999", nullptr},
                    TRoundTrip{"Tint", "clRed", "clRed"}, TRoundTrip{"Tint", "clbtnface", "clBtnFace"},
                    TRoundTrip{"Tint", "255", "clRed"}, TRoundTrip{"Tint", "$00123456", "$00123456"},
                    TRoundTrip{"Tint", "clNoSuch", nullptr}, TRoundTrip{"Active", "true", "True"},
                    TRoundTrip{"Active", "False", "False"}, TRoundTrip{"Active", "yes", nullptr},
                    TRoundTrip{"Shape", "shstar", "shStar"}, TRoundTrip{"Shape", "2", nullptr},
                    TRoundTrip{"Shape", "shTriangle", nullptr},
                    TRoundTrip{"Sides", "[sdTop, sdLeft]", "[sdLeft, sdTop]"}, TRoundTrip{"Sides", "[ ]", "[]"},
                    TRoundTrip{"Sides", "sdLeft", nullptr}, TRoundTrip{"Sides", "[sdLeft, sdLeft]", nullptr},
                    TRoundTrip{"Sides", "[sdLeft,]", nullptr}, TRoundTrip{"Sides", "[sdNope]", nullptr},
                    TRoundTrip{"Caption", "Hello, world", "Hello, world"}, TRoundTrip{"Caption", "", ""},
                    TRoundTrip{"Buddy", "other", "Other"}, TRoundTrip{"Buddy", "Nobody", nullptr},
                    TRoundTrip{"OnPing", "PingHandler", "PingHandler"},
                    TRoundTrip{"OnPing", "Missing", nullptr}, TRoundTrip{"OnPing", "WrongHandler", nullptr},
                    TRoundTrip{"OnPing", "1abc", nullptr}));

TEST_F(GenericEditorsTest, ClearingAReferenceOrAnEventTakesAnEmptyText) {
  Holder.Buddy = &Other;
  EditorOf("Buddy")->SetValue("");
  EXPECT_EQ(Holder.Buddy, nullptr);
  auto OnPing = EditorOf("OnPing");
  OnPing->SetValue("PingHandler");
  Holder.OnPing(&Holder);
  EXPECT_EQ(Root.Pings, 1);
  OnPing->SetValue("");
  EXPECT_FALSE(Holder.OnPing);
}

TEST_F(GenericEditorsTest, ValueListsOfferWhatSetValueTakes) {
  auto Listed = [this](const char* Property) {
    std::vector<AnsiString> Values;
    EditorOf(Property)->GetValues([&](const AnsiString& V) { Values.push_back(V); });
    return Values;
  };
  EXPECT_EQ(Listed("Shape"), (std::vector<AnsiString>{"shRound", "shSquare", "shStar"}));
  EXPECT_EQ(Listed("Active"), (std::vector<AnsiString>{"False", "True"}));
  // Only components of the property's class: the root is no THolder.
  EXPECT_EQ(Listed("Buddy"), (std::vector<AnsiString>{"Holder", "Other"}));
  const auto Colors = Listed("Tint");
  ASSERT_FALSE(Colors.empty());
  for (const AnsiString& Name : Colors) EXPECT_NO_THROW(EditorOf("Tint")->SetValue(Name)) << Name;
  EXPECT_TRUE(EditorOf("Tint")->GetAttributes().Contains(paValueList));
  EXPECT_FALSE(EditorOf("Count")->GetAttributes().Contains(paValueList));
}

}  // namespace

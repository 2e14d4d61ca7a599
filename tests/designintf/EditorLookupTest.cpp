// Which property editor the designer gets for a property: registrations by type (and derived
// types), component class and name, the most specific one winning; the generic editors
// otherwise; and which properties a selection of components shows.
#include <gtest/gtest.h>

#include "DesignClasses.h"

using namespace vcl;
using namespace designtest;

namespace {

// Editors that say which one was chosen.
template <char Mark>
class TMarkEditor : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  AnsiString GetValue() override { return AnsiString(1, Mark); }
};
constexpr TPropertyEditorClass A = NewPropertyEditor<TMarkEditor<'A'>>;
constexpr TPropertyEditorClass B = NewPropertyEditor<TMarkEditor<'B'>>;

struct TRegistration {
  TTypeInfo Type;
  const TClassInfo* ComponentClass;
  const char* Name;
  TPropertyEditorClass Editor;
};

struct TLookupRow {
  const char* Case;
  std::vector<TRegistration> Registrations;
  const char* Property;
  bool OnDerived;        // asked for a TDerivedHolder rather than a THolder
  const char* Expected;  // the chosen editor's value; the generic editors show the value
};

class EditorLookupTest : public testing::TestWithParam<TLookupRow> {
protected:
  void TearDown() override { UnregisterDesignEditors(); }
};

const TClassInfo* Holder() { return &THolder::StaticClassInfo(); }
const TClassInfo* Derived() { return &TDerivedHolder::StaticClassInfo(); }
TTypeInfo Gadget() { return TypeInfo<TGadget>(); }
TTypeInfo Special() { return TypeInfo<TSpecialGadget>(); }

TEST_P(EditorLookupTest, ChoosesTheMostSpecificFittingRegistration) {
  const TLookupRow& Row = GetParam();
  for (const TRegistration& R : Row.Registrations) RegisterPropertyEditor(R.Type, R.ComponentClass, R.Name, R.Editor);
  TDerivedHolder Instance(nullptr);
  const TClassInfo* Class = Row.OnDerived ? Derived() : Holder();
  const TPropInfo* Prop = Class->FindProperty(Row.Property);
  ASSERT_NE(Prop, nullptr);
  auto Editor = GetEditorClass(*Prop, Class)(nullptr, 1);
  Editor->SetPropEntry(0, &Instance, Prop);
  EXPECT_EQ(Editor->GetValue(), Row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditorLookupTest,
    testing::Values(
        TLookupRow{"none: generic object editor", {}, "Gadget", false, "(TGadget)"},
        TLookupRow{"type serves its own class", {{Gadget(), nullptr, "", A}}, "Gadget", false, "A"},
        TLookupRow{"type serves derived classes", {{Gadget(), nullptr, "", A}}, "Special", false, "A"},
        TLookupRow{"derived type does not serve its base", {{Special(), nullptr, "", A}}, "Gadget", false, "(TGadget)"},
        TLookupRow{"component class limits", {{Gadget(), Derived(), "", A}}, "Gadget", false, "(TGadget)"},
        TLookupRow{"component class serves descendants", {{Gadget(), Holder(), "", A}}, "Gadget", true, "A"},
        TLookupRow{"name limits", {{Gadget(), nullptr, "special", A}}, "Gadget", false, "(TGadget)"},
        TLookupRow{"name compared without case", {{Gadget(), nullptr, "special", A}}, "Special", false, "A"},
        TLookupRow{"name beats no name", {{Gadget(), nullptr, "Gadget", B}, {Gadget(), nullptr, "", A}}, "Gadget",
                   false, "B"},
        TLookupRow{"nearer type beats farther, whatever the order",
                   {{Special(), nullptr, "", B}, {Gadget(), nullptr, "", A}}, "Special", false, "B"},
        TLookupRow{"nearer component class beats farther",
                   {{Gadget(), Derived(), "", B}, {Gadget(), Holder(), "", A}}, "Gadget", true, "B"},
        TLookupRow{"a component class beats none", {{Gadget(), Holder(), "", B}, {Gadget(), nullptr, "", A}},
                   "Gadget", true, "B"},
        TLookupRow{"later registration wins a tie", {{Gadget(), nullptr, "", A}, {Gadget(), nullptr, "", B}},
                   "Gadget", false, "B"},
        TLookupRow{"named type", {{TypeInfo("TColor"), nullptr, "", A}}, "Tint", false, "A"},
        TLookupRow{"named type leaves other integers", {{TypeInfo("TColor"), nullptr, "", A}}, "Count", false, "0"}),
    [](const testing::TestParamInfo<TLookupRow>& Info) {
      std::string Name;
      for (const char* C = Info.param.Case; *C; ++C) Name += std::isalnum(static_cast<unsigned char>(*C)) ? *C : '_';
      return Name;
    });

TEST(EditorRegistration, RefusesARegistrationWithoutEditorOrType) {
  EXPECT_THROW(RegisterPropertyEditor(TypeInfo<TGadget>(), nullptr, "", nullptr), EComponentError);
  EXPECT_THROW(RegisterPropertyEditor(TTypeInfo{}, nullptr, "", A), EComponentError);
  EXPECT_THROW(RegisterComponentEditor(nullptr, NewComponentEditor<TComponentEditor>), EComponentError);
  // A class without a class info of its own would stand for its ancestor.
  class TNoInfo : public TGadget {};
  EXPECT_THROW(TypeInfo<TNoInfo>(), EPropertyError);
}

TEST(ComponentProperties, ASelectionShowsOnlyWhatAllShareAndWritesAll) {
  THolder First(nullptr);
  TDerivedHolder Second(nullptr);
  auto Designer = std::make_shared<TRecordingDesigner>();
  auto Names = [](const std::vector<std::unique_ptr<TPropertyEditor>>& Editors) {
    std::vector<AnsiString> Result;
    for (const auto& E : Editors) Result.push_back(E->GetName());
    return Result;
  };
  const auto Alone = GetComponentProperties({&Second}, Designer);
  const auto Both = GetComponentProperties({&First, &Second}, Designer);
  const auto AloneNames = Names(Alone);
  EXPECT_NE(std::find(AloneNames.begin(), AloneNames.end(), "Extra"), AloneNames.end());
  const auto BothNames = Names(Both);
  EXPECT_EQ(std::find(BothNames.begin(), BothNames.end(), "Extra"), BothNames.end());
  EXPECT_EQ(BothNames.front(), "Name");

  auto Caption = std::find_if(Both.begin(), Both.end(), [](const auto& E) { return E->GetName() == "Caption"; });
  ASSERT_NE(Caption, Both.end());
  First.Caption = "one";
  EXPECT_FALSE((*Caption)->AllEqual());
  (*Caption)->SetValue("same");
  EXPECT_EQ(First.Caption, "same");
  EXPECT_EQ(Second.Caption, "same");
  EXPECT_TRUE((*Caption)->AllEqual());
  EXPECT_EQ(Designer->Count, 1);  // one change, one report
}

TEST(ComponentProperties, AnObjectPropertyOffersItsOwnPropertiesAndItsAddress) {
  THolder Holder(nullptr);
  auto Editors = GetComponentProperties({&Holder}, nullptr);
  auto Gadget = std::find_if(Editors.begin(), Editors.end(), [](const auto& E) { return E->GetName() == "Gadget"; });
  ASSERT_NE(Gadget, Editors.end());
  EXPECT_TRUE((*Gadget)->GetAttributes().Contains(paSubProperties));
  EXPECT_EQ((*Gadget)->GetOrdValue(), reinterpret_cast<std::intptr_t>(&Holder.Gadget));
  std::vector<std::unique_ptr<TPropertyEditor>> Subs;
  (*Gadget)->GetProperties([&](std::unique_ptr<TPropertyEditor> E) { Subs.push_back(std::move(E)); });
  ASSERT_EQ(Subs.size(), 1u);
  EXPECT_EQ(Subs[0]->GetName(), "Size");
  Subs[0]->SetValue("12");
  EXPECT_EQ(Holder.Gadget.GetSize(), 12);
  EXPECT_EQ(Holder.Special.GetSize(), 3);
}

}  // namespace

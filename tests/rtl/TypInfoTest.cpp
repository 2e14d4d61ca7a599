// Class infos: streaming order, accessors, defaults, events bound by name, the registry.
#include <gtest/gtest.h>

#include "TestClasses.h"

using namespace vcl;
using namespace rtltest;

namespace {

std::vector<AnsiString> PropertyNames(const TClassInfo& Info) {
  std::vector<AnsiString> Names;
  for (const TPropInfo* Prop : Info.Properties()) Names.push_back(Prop->Name);
  return Names;
}

}  // namespace

TEST(TypInfoTest, PropertiesInStreamingOrderAncestorsFirst) {
  EXPECT_EQ(PropertyNames(TWidget::StaticClassInfo()),
            (std::vector<AnsiString>{"Name", "Tag", "Count", "Big", "Color", "Visible", "Shape", "Ratio", "Caption",
                                     "Hint", "Font", "Blob", "Lines", "Buddy", "OnClick", "OnCount"}));
  EXPECT_EQ(TWidget::StaticClassInfo().Parent(), &TComponent::StaticClassInfo());
  EXPECT_TRUE(TDerivedForm::StaticClassInfo().InheritsFrom(&TComponent::StaticClassInfo()));
  EXPECT_FALSE(TComponent::StaticClassInfo().InheritsFrom(&TTestForm::StaticClassInfo()));
}

TEST(TypInfoTest, ClassNamesAndClassInfoOfInstances) {
  TComponent Owner(nullptr);
  TWidget Widget(nullptr);
  TStringList Unregistered;
  EXPECT_EQ(Widget.ClassName(), "TWidget");
  EXPECT_EQ(Owner.ClassName(), "TComponent");
  EXPECT_EQ(Unregistered.ClassName(), "TStringList");  // falls back to the C++ name
  EXPECT_EQ(Unregistered.ClassInfo(), &TPersistent::StaticClassInfo());
  EXPECT_TRUE(Widget.InheritsFrom(&TComponent::StaticClassInfo()));
  EXPECT_FALSE(Owner.InheritsFrom(&TWidget::StaticClassInfo()));
  EXPECT_EQ(CheckedCast<TWidget>(static_cast<TComponent*>(&Widget)), &Widget);
  EXPECT_THROW(CheckedCast<TWidget>(&Owner), EInvalidCast);
}

TEST(TypInfoTest, AccessorsConvertAndCheckRanges) {
  TWidget Widget(nullptr);
  const TPropInfo* Count = GetPropInfo(&Widget, "count");
  ASSERT_NE(Count, nullptr);
  Count->SetOrd(&Widget, 42);
  EXPECT_EQ(Widget.GetCount(), 42);
  EXPECT_THROW(Count->SetOrd(&Widget, 1LL << 40), EPropertyError);
  EXPECT_EQ(Widget.GetCount(), 42);
  const TPropInfo* Color = GetPropInfo(&Widget, "Color");
  Color->SetOrd(&Widget, 0x8000000F);  // the unsigned pattern of a 32-bit colour
  EXPECT_EQ(Widget.GetColor(), clTestSystem);
  EXPECT_EQ(Color->TypeName, "TColor");
  const TPropInfo* Visible = GetPropInfo(&Widget, "Visible");
  EXPECT_EQ(GetEnumName(*Visible, Visible->GetOrd(&Widget)), "True");
  EXPECT_THROW(Visible->SetOrd(&Widget, 2), EPropertyError);
  const TPropInfo* Shape = GetPropInfo(&Widget, "Shape");
  EXPECT_EQ(GetEnumValue(*Shape, "shTriangle"), 2);
  EXPECT_EQ(GetEnumValue(*Shape, "shHexagon"), -1);
  Shape->SetOrd(&Widget, 2);
  EXPECT_EQ(Widget.GetShape(), shTriangle);
  EXPECT_THROW(Shape->SetOrd(&Widget, 3), EPropertyError);
  EXPECT_THROW(Shape->SetOrd(&Widget, -1), EPropertyError);
  const TPropInfo* Style = GetPropInfo(Widget.GetFont(), "Style");
  Style->SetOrd(Widget.GetFont(), 0b101);
  EXPECT_EQ(Widget.GetFont()->GetStyle(), (TStyles{stBold, stUnderline}));
  EXPECT_EQ(SetToString(*Style, Style->GetOrd(Widget.GetFont())), "[stBold, stUnderline]");
  EXPECT_THROW(Style->SetOrd(Widget.GetFont(), 0b1000), EPropertyError);
  EXPECT_EQ(GetPropInfo(&Widget, "Ratio")->GetFloat(&Widget), 1.5);
  EXPECT_EQ(*GetPropInfo(&Widget, "Ratio")->FloatDefault, 1.5);
  EXPECT_FALSE(GetPropInfo(&Widget, "Caption")->HasDefault());
  EXPECT_EQ(GetPropInfo(&Widget, "NoSuch"), nullptr);
  // An accessor handed an object of another class refuses it.
  TComponent Other(nullptr);
  EXPECT_THROW(Count->GetOrd(&Other), EInvalidCast);
}

TEST(TypInfoTest, ObjectAndComponentProperties) {
  TWidget A(nullptr), B(nullptr);
  TComponent Plain(nullptr);
  const TPropInfo* Font = GetPropInfo(&A, "Font");
  EXPECT_EQ(Font->GetObject(&A), A.GetFont());
  B.GetFont()->SetSize(20);
  Font->SetObject(&A, B.GetFont());  // copies, keeps its own object
  EXPECT_EQ(A.GetFont()->GetSize(), 20);
  EXPECT_NE(A.GetFont(), B.GetFont());
  EXPECT_THROW(Font->SetObject(&A, B.GetBlob()), EPropertyError);
  const TPropInfo* Buddy = GetPropInfo(&A, "Buddy");
  Buddy->SetComponent(&A, &B);
  EXPECT_EQ(A.GetBuddy(), &B);
  EXPECT_THROW(Buddy->SetComponent(&A, &Plain), EPropertyError);
  Buddy->SetComponent(&A, nullptr);
  EXPECT_EQ(A.GetBuddy(), nullptr);
}

TEST(TypInfoTest, EventsBindPublishedMethodsByName) {
  TTestForm Form(nullptr);
  auto* Widget = new TWidget(&Form);
  Widget->SetName("Widget1");
  const TPropInfo* OnClick = GetPropInfo(Widget, "OnClick");
  const TPropInfo* OnCount = GetPropInfo(Widget, "OnCount");
  SetMethodProp(Widget, *OnClick, &Form, "WidgetClick");
  SetMethodProp(Widget, *OnCount, &Form, "CountChanged");
  Widget->GetOnClick()(Widget);
  Widget->GetOnCount()(Widget, 7);
  EXPECT_EQ(Form.Calls, (std::vector<AnsiString>{"WidgetClick Widget1", "CountChanged 7"}));
  const TMethod Bound = OnClick->GetMethod(Widget);
  EXPECT_EQ(Bound.MethodName, "WidgetClick");
  EXPECT_EQ(Bound.Data, static_cast<const void*>(&Form));
  try {
    SetMethodProp(Widget, *OnClick, &Form, "CountChanged");
    FAIL();
  } catch (const EPropertyError& E) {
    EXPECT_EQ(E.Message(), "Method CountChanged does not match the signature of event OnClick");
  }
  EXPECT_THROW(SetMethodProp(Widget, *OnClick, &Form, "Missing"), EPropertyError);
  EXPECT_THROW(OnClick->SetMethod(Widget, std::any(42)), EPropertyError);
  EXPECT_EQ(Widget->GetOnClick().MethodName(), "WidgetClick");  // unchanged by the failures
  SetMethodProp(Widget, *OnClick, &Form, "");
  EXPECT_FALSE(Widget->GetOnClick());
  // A derived form binds its ancestor's handlers too.
  TDerivedForm Derived(nullptr);
  EXPECT_NE(Derived.ClassInfo()->FindMethod("WidgetClick"), nullptr);
  EXPECT_NE(Derived.ClassInfo()->FindMethod("ExtraClick"), nullptr);
  EXPECT_EQ(Form.ClassInfo()->FindMethod("ExtraClick"), nullptr);
}

TEST(TypInfoTest, FieldsFollowComponentNames) {
  TDerivedForm Form(nullptr);
  auto* Widget = new TWidget(&Form);
  EXPECT_EQ(Form.Widget1, nullptr);
  Widget->SetName("Widget1");
  EXPECT_EQ(Form.Widget1, Widget);
  Widget->SetName("Extra");  // renamed: the old field lets go, the new one takes it
  EXPECT_EQ(Form.Widget1, nullptr);
  EXPECT_EQ(Form.Extra, Widget);
  delete Widget;
  EXPECT_EQ(Form.Extra, nullptr);
  auto* Plain = new TComponent(&Form);
  Plain->SetName("Widget2");  // not a TWidget: the field stays empty
  EXPECT_EQ(Form.Widget2, nullptr);
  EXPECT_EQ(Form.ClassInfo()->FindFieldClass("TWidget"), &TWidget::StaticClassInfo());
}

TEST(TypInfoTest, RegistryFindsClassesByName) {
  RegisterTestClasses();
  EXPECT_EQ(&FindClass("TWidget"), &TWidget::StaticClassInfo());
  EXPECT_EQ(GetClass("twidget"), &TWidget::StaticClassInfo());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  try {
    FindClass("TNothing");
    FAIL();
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), "Class TNothing not found");
  }
  TComponent Owner(nullptr);
  TComponent* Created = FindClass("TWidget").CreateComponent(&Owner);
  EXPECT_NE(dynamic_cast<TWidget*>(Created), nullptr);
  EXPECT_EQ(Created->GetOwner(), &Owner);
  EXPECT_THROW(TTestForm::StaticClassInfo().CreateComponent(&Owner), EComponentError);
}

TEST(TypInfoTest, IntegerIdentifiers) {
  RegisterIntegerConsts(
      "TTestColour",
      [](const AnsiString& Ident, long long& Value) {
        if (Ident != "clTestRed") return false;
        Value = 0xFF;
        return true;
      },
      [](long long Value, AnsiString& Ident) {
        if (Value != 0xFF) return false;
        Ident = "clTestRed";
        return true;
      });
  long long Value = 0;
  AnsiString Ident;
  EXPECT_TRUE(IdentToIntegerValue("TTestColour", "clTestRed", Value));
  EXPECT_EQ(Value, 0xFF);
  EXPECT_FALSE(IdentToIntegerValue("TTestColour", "clBlue", Value));
  EXPECT_TRUE(IntegerValueToIdent("TTestColour", 0xFF, Ident));
  EXPECT_EQ(Ident, "clTestRed");
  EXPECT_FALSE(IntegerValueToIdent("Integer", 0xFF, Ident));
}

// Form text that controls cannot take: the error names the component, the property and the
// line, and the components the read made are gone again.

#include "FormFileClasses.h"
#include "Harness.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ControlFormFileErrorTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    RegisterSampleClasses();
  }

  // The message of the error that reading Body (the lines inside the form's block) raised.
  static std::string ReadError(TSampleForm& Form, const std::string& Body) {
    try {
      ReadComponentText("object SampleForm: TSampleForm\n" + Body + "end\n", &Form);
    } catch (const EReadError& E) {
      return E.Message();
    }
    return "no error";
  }

  static void ExpectNothingLeft(TSampleForm& Form) {
    EXPECT_EQ(Form.GetComponentCount(), 0);
    EXPECT_EQ(Form.GetControlCount(), 0);
    EXPECT_TRUE(!Form.Panel1 && !Form.Sample1 && !Form.Sample2 && !Form.Shape1 && !Form.Menu1);
    EXPECT_FALSE(Form.HasState(csLoading) || Form.HasState(csReading));
  }
};

}  // namespace

TEST_F(ControlFormFileErrorTest, AnUnknownPropertyOfANestedControlNamesItsLine) {
  TSampleForm Form(nullptr);
  EXPECT_EQ(ReadError(Form,
                      "  object Panel1: TSamplePanel\n"
                      "    Left = 4\n"
                      "    object Sample1: TSampleControl\n"
                      "      Bogus = 1\n"
                      "    end\n"
                      "  end\n"),
            "Error reading Sample1.Bogus on line 5: Property does not exist");
  ExpectNothingLeft(Form);
}

TEST_F(ControlFormFileErrorTest, PropertiesAClassKeepsProtectedDoNotExistForIt) {
  TSampleForm Form(nullptr);
  EXPECT_EQ(ReadError(Form,
                      "  object Shape1: TSampleShape\n"
                      "    Font.Name = 'Arial'\n"
                      "  end\n"),
            "Error reading Shape1.Font.Name on line 3: Property does not exist");
  ExpectNothingLeft(Form);
  EXPECT_EQ(ReadError(Form, "  TabOrder = 1\n"), "Error reading SampleForm.TabOrder on line 2: Property does not exist");
}

TEST_F(ControlFormFileErrorTest, ValuesAPropertyCannotTakeAreRefused) {
  const std::vector<std::pair<std::string, std::string>> Cases{
      {"Align = alMiddle", "Error reading Sample1.Align on line 3: Invalid property value alMiddle"},
      {"Anchors = [akLeft, akSideways]", "Error reading Sample1.Anchors on line 3: Invalid property value akSideways"},
      {"Color = clNotAColour", "Error reading Sample1.Color on line 3: Invalid property value clNotAColour"},
      {"Cursor = 40000", "Error reading Sample1.Cursor on line 3: Invalid value for property Cursor"},
      {"Cursor = crNotACursor", "Error reading Sample1.Cursor on line 3: Invalid property value crNotACursor"},
      {"Font.Charset = 256", "Error reading Sample1.Font.Charset on line 3: Invalid value for property Charset"},
      {"Font.Style = [fsBold, fsBlinking]", "Error reading Sample1.Font.Style on line 3: Invalid property value fsBlinking"},
      {"TabStop = Maybe", "Error reading Sample1.TabStop on line 3: Invalid property value Maybe"},
      {"Constraints = 5", "Error reading Sample1.Constraints on line 3: an object property takes values only for its own properties"},
  };
  for (const auto& [Line, Message] : Cases) {
    TSampleForm Form(nullptr);
    EXPECT_EQ(ReadError(Form, "  object Sample1: TSampleControl\n    " + Line + "\n  end\n"), Message) << Line;
    ExpectNothingLeft(Form);
  }
}

TEST_F(ControlFormFileErrorTest, AControlCannotNestInAWindowlessControl) {
  TSampleForm Form(nullptr);
  EXPECT_EQ(ReadError(Form,
                      "  object Shape1: TSampleShape\n"
                      "    object Sample1: TSampleControl\n"
                      "    end\n"
                      "  end\n"),
            "Error reading Sample1 on line 3: Shape1 cannot hold the control Sample1: it is not a windowed control");
  ExpectNothingLeft(Form);
}

TEST_F(ControlFormFileErrorTest, ReferencesAndHandlersThatDoNotFitAreRefused) {
  TSampleForm Form(nullptr);
  EXPECT_EQ(ReadError(Form,
                      "  ActiveControl = Shape1\n"
                      "  object Shape1: TSampleShape\n"
                      "  end\n"),
            "Error reading SampleForm.ActiveControl on line 2: Invalid value for property ActiveControl");
  ExpectNothingLeft(Form);
  EXPECT_EQ(ReadError(Form,
                      "  object Sample1: TSampleControl\n"
                      "    PopupMenu = Menu2\n"
                      "  end\n"),
            "Error reading Sample1.PopupMenu on line 3: Component Menu2 not found");
  ExpectNothingLeft(Form);
  EXPECT_EQ(ReadError(Form,
                      "  object Sample1: TSampleControl\n"
                      "    OnKeyDown = SampleClick\n"
                      "  end\n"),
            "Error reading Sample1.OnKeyDown on line 3: Method SampleClick does not match the signature of event "
            "OnKeyDown");
  ExpectNothingLeft(Form);
  EXPECT_EQ(ReadError(Form, "  OnPaint = FormPainted\n"),
            "Error reading SampleForm.OnPaint on line 2: Method FormPainted not found in TSampleForm");
  EXPECT_FALSE(Form.GetOnPaint());
}

// The active control is set while the form loads, when its controls need not be focusable
// yet; once loaded, a control that still cannot take the focus is dropped.
TEST_F(ControlFormFileErrorTest, AnActiveControlThatCannotTakeTheFocusIsDroppedAfterLoading) {
  TSampleForm Form(nullptr);
  ReadComponentText(
      "object SampleForm: TSampleForm\n"
      "  ActiveControl = Sample1\n"
      "  object Sample1: TSampleControl\n"
      "    Visible = False\n"
      "  end\n"
      "end\n",
      &Form);
  ASSERT_NE(Form.Sample1, nullptr);
  EXPECT_EQ(Form.GetActiveControl(), nullptr);
  EXPECT_THROW(Form.SetActiveControl(Form.Sample1), EInvalidOperation);
}

TEST_F(ControlFormFileErrorTest, AFailedReadKeepsTheControlsTheFormAlreadyHad) {
  TSampleForm Form(nullptr);
  auto* Existing = new TSampleControl(&Form);
  Existing->SetName("Sample2");
  Existing->SetParent(&Form);
  try {
    ReadComponentText(
        "object SampleForm: TSampleForm\n"
        "  object Panel1: TSamplePanel\n"
        "    object Sample1: TSampleControl\n"
        "      TabOrder = 0\n"
        "    end\n"
        "    Left = 4\n"
        "  end\n"
        "end\n",
        &Form);
    FAIL() << "no exception";
  } catch (const EParserError& E) {
    EXPECT_EQ(E.Message(), "'end' expected but 'Left' found on line 6");
  }
  EXPECT_EQ(Form.GetComponentCount(), 1);
  EXPECT_EQ(Form.GetControlCount(), 1);
  EXPECT_EQ(Form.GetControl(0), Existing);
  EXPECT_EQ(Form.Sample2, Existing);
  EXPECT_EQ(Form.Panel1, nullptr);
  EXPECT_EQ(Existing->GetTabOrder(), 0);
  EXPECT_FALSE(Existing->HasState(csLoading));
}

TEST_F(ControlFormFileErrorTest, AnUnknownControlClassNamesItsLine) {
  TSampleForm Form(nullptr);
  try {
    ReadComponentText(
        "object SampleForm: TSampleForm\n"
        "  object Panel1: TSamplePanel\n"
        "    object Grid1: TStringGrid\n"
        "    end\n"
        "  end\n"
        "end\n",
        &Form);
    FAIL() << "no exception";
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), "Class TStringGrid not found on line 3");
  }
  ExpectNothingLeft(Form);
}

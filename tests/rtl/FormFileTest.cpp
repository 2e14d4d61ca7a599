// Form files: written, read back and written again identically; inherited forms store
// only what differs; bad text fails with the line and leaves nothing half-built.
#include <gtest/gtest.h>

#include <random>

#include "TestClasses.h"

using namespace vcl;
using namespace rtltest;

namespace {

class FormFileTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

// A form with two widgets, the second nested in the first, and a value in every property.
void FillForm(TTestForm* Form) {
  Form->SetName("Form1");
  Form->SetTag(7);
  auto* W1 = new TWidget(Form);
  W1->SetName("Widget1");
  auto* W2 = new TWidget(Form);
  W2->SetName("Widget2");
  W2->Parent = W1;
  W1->SetCount(-12);
  W1->SetBig(1234567890123L);
  W1->SetColor(clTestSystem);
  W1->SetVisible(false);
  W1->SetShape(shTriangle);
  W1->SetRatio(0.1);
  W1->SetCaption("It's\r\n\"quoted\" caf\xC3\xA9 and a tab\t" + AnsiString(70, 'x') + "\xE2\x82\xAC end");
  W1->SetHint("a hint");
  W1->GetFont()->SetName("Mono");
  W1->GetFont()->SetStyle({stBold, stUnderline});
  for (int I = 0; I < 70; ++I) W1->GetBlob()->Bytes.push_back(static_cast<Byte>(I * 37));
  W1->GetLines()->SetTextStr("first\r\n\r\nthird 'line'\r\n");
  W1->SetBuddy(W2);
  W1->SetOnClick(TNotifyEvent(static_cast<TTestForm*>(Form), &TTestForm::WidgetClick, "WidgetClick"));
  W1->SetOnCount(TCountEvent(static_cast<TTestForm*>(Form), &TTestForm::CountChanged, "CountChanged"));
  W2->SetHint("auto");  // not stored: the predicate says so
  W2->SetBuddy(W1);
}

void ExpectSameWidget(TWidget* A, TWidget* B) {
  EXPECT_EQ(A->GetCount(), B->GetCount());
  EXPECT_EQ(A->GetBig(), B->GetBig());
  EXPECT_EQ(A->GetColor(), B->GetColor());
  EXPECT_EQ(A->GetVisible(), B->GetVisible());
  EXPECT_EQ(A->GetShape(), B->GetShape());
  EXPECT_EQ(A->GetRatio(), B->GetRatio());
  EXPECT_EQ(A->GetCaption(), B->GetCaption());
  EXPECT_EQ(A->GetFont()->GetName(), B->GetFont()->GetName());
  EXPECT_EQ(A->GetFont()->GetStyle(), B->GetFont()->GetStyle());
  EXPECT_EQ(A->GetBlob()->Bytes, B->GetBlob()->Bytes);
  EXPECT_TRUE(A->GetLines()->Equals(B->GetLines()));
}

}  // namespace

TEST_F(FormFileTest, SmallFormHasTheClassicText) {
  TTestForm Form(nullptr);
  Form.SetName("Form1");
  auto* W = new TWidget(&Form);
  W->SetName("Widget1");
  W->SetCaption("It's\r\nok");
  W->SetShape(shCircle);
  W->GetFont()->SetStyle({stItalic});
  W->GetBlob()->Bytes = {0xC8, 0, 0x0A};
  W->GetLines()->Add("one");
  W->SetOnClick(TNotifyEvent(&Form, &TTestForm::WidgetClick, "WidgetClick"));
  EXPECT_EQ(WriteComponentText(&Form),
            "object Form1: TTestForm\n"
            "  object Widget1: TWidget\n"
            "    Big = 0\n"
            "    Shape = shCircle\n"
            "    Caption = 'It''s'#13#10'ok'\n"
            "    Font.Style = [stItalic]\n"
            "    Blob.Data = {\n"
            "      C8000A}\n"
            "    Lines.Strings = (\n"
            "      'one')\n"
            "    OnClick = WidgetClick\n"
            "  end\n"
            "end\n");
}

TEST_F(FormFileTest, WrittenReadAndWrittenAgainIdentically) {
  RegisterIntegerConsts(
      "TColor",
      [](const AnsiString& Ident, long long& Value) {
        if (Ident != "clTestSystem") return false;
        Value = clTestSystem;
        return true;
      },
      [](long long Value, AnsiString& Ident) {
        if (Value != clTestSystem) return false;
        Ident = "clTestSystem";
        return true;
      });
  TTestForm Original(nullptr);
  FillForm(&Original);
  const AnsiString Text = WriteComponentText(&Original);
  EXPECT_NE(Text.find("    Color = clTestSystem\n"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("    Ratio = 0.1\n"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("    Buddy = Widget2\n"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("    Caption = \n      'It''s'#13#10'\"quoted\" caf\xC3\xA9 and a tab'#9'xxx"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("    object Widget2: TWidget\n"), AnsiString::npos) << "nested in its parent:\n" << Text;
  EXPECT_EQ(Text.find("Hint = 'auto'"), AnsiString::npos) << "not stored:\n" << Text;
  EXPECT_EQ(Text.find("  Name ="), AnsiString::npos) << Text;

  TTestForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(Copy.GetName(), "Form1");
  EXPECT_EQ(Copy.GetTag(), 7);
  ASSERT_NE(Copy.Widget1, nullptr);
  ASSERT_NE(Copy.Widget2, nullptr);
  EXPECT_EQ(Copy.GetComponentCount(), 2);
  ExpectSameWidget(Original.Widget1, Copy.Widget1);
  ExpectSameWidget(Original.Widget2, Copy.Widget2);
  EXPECT_EQ(Copy.Widget2->Parent, Copy.Widget1);
  EXPECT_EQ(Copy.Widget1->GetBuddy(), Copy.Widget2);
  EXPECT_EQ(Copy.Widget2->GetBuddy(), Copy.Widget1);
  EXPECT_EQ(Copy.Widget1->GetHint(), "a hint");
  EXPECT_EQ(Copy.Widget2->GetHint(), "");
  // Handlers are bound to the form that read them.
  Copy.Widget1->GetOnClick()(Copy.Widget1);
  Copy.Widget1->GetOnCount()(Copy.Widget1, 3);
  EXPECT_EQ(Copy.Calls, (std::vector<AnsiString>{"WidgetClick Widget1", "CountChanged 3"}));
  EXPECT_TRUE(Original.Calls.empty());
  // Loaded comes once per component, after the loading flags are gone.
  EXPECT_EQ(Copy.Widget1->Events, (std::vector<AnsiString>{"loaded"}));
  EXPECT_EQ(Copy.Widget2->Events, (std::vector<AnsiString>{"loaded"}));
  EXPECT_FALSE(Copy.HasState(csLoading) || Copy.HasState(csReading));

  EXPECT_EQ(WriteComponentText(&Copy), Text);
}

TEST_F(FormFileTest, InheritedFormStoresOnlyWhatDiffers) {
  TTestForm Base(nullptr);
  FillForm(&Base);
  const AnsiString BaseText = WriteComponentText(&Base);

  // An inherited form reads its ancestor's text, then is changed.
  TTestForm Ancestor(nullptr);
  ReadComponentText(BaseText, &Ancestor);
  TDerivedForm Derived(nullptr);
  ReadComponentText(BaseText, &Derived);
  Derived.Widget1->SetCount(99);
  Derived.Widget1->GetFont()->SetSize(14);
  Derived.Widget2->GetBlob()->Bytes = {1, 2, 3};
  Derived.Widget1->SetOnClick(TNotifyEvent(static_cast<TDerivedForm*>(&Derived), &TDerivedForm::ExtraClick, "ExtraClick"));
  auto* Extra = new TWidget(&Derived);
  Extra->SetName("Extra");
  Extra->SetCaption("new");

  const AnsiString DerivedText = WriteComponentText(&Derived, &Ancestor);
  EXPECT_EQ(DerivedText,
            "inherited Form1: TDerivedForm\n"
            "  inherited Widget1: TWidget\n"
            "    Count = 99\n"
            "    Font.Size = 14\n"
            "    OnClick = ExtraClick\n"
            "    inherited Widget2: TWidget\n"
            "      Blob.Data = {\n"
            "        010203}\n"
            "    end\n"
            "  end\n"
            "  object Extra: TWidget\n"
            "    Big = 0\n"
            "    Caption = 'new'\n"
            "  end\n"
            "end\n");

  // Reading the ancestor's text and then the difference gives the same form again.
  TDerivedForm Again(nullptr);
  ReadComponentText(BaseText, &Again);
  ReadComponentText(DerivedText, &Again);
  ASSERT_NE(Again.Extra, nullptr);
  ExpectSameWidget(Derived.Widget1, Again.Widget1);
  ExpectSameWidget(Derived.Widget2, Again.Widget2);
  EXPECT_EQ(Again.Extra->GetCaption(), "new");
  EXPECT_EQ(WriteComponentText(&Again, &Ancestor), DerivedText);
  EXPECT_EQ(Again.Widget1->Events, (std::vector<AnsiString>{"loaded", "loaded"}));
}

// What the reader could not bind again is left out: a handler of another object, a
// reference to a component of another form.
TEST_F(FormFileTest, HandlersAndReferencesOutsideTheFormAreNotWritten) {
  TTestForm Form(nullptr), OtherForm(nullptr);
  Form.SetName("Form1");
  auto* W = new TWidget(&Form);
  W->SetName("Widget1");
  auto* Stranger = new TWidget(&OtherForm);
  Stranger->SetName("Stranger");
  W->SetOnClick(TNotifyEvent(&OtherForm, &TTestForm::WidgetClick, "WidgetClick"));
  W->SetOnCount([](TObject*, int) {});
  W->SetBuddy(Stranger);
  const AnsiString Text = WriteComponentText(&Form);
  EXPECT_EQ(Text.find("OnClick"), AnsiString::npos) << Text;
  EXPECT_EQ(Text.find("OnCount"), AnsiString::npos) << Text;
  EXPECT_EQ(Text.find("Buddy"), AnsiString::npos) << Text;
  delete Stranger;  // the free notification clears the reference
  EXPECT_EQ(W->GetBuddy(), nullptr);
}

TEST_F(FormFileTest, SyntaxVariantsAreRead) {
  TTestForm Form(nullptr);
  ReadComponentText("OBJECT Form1 : TTestForm\r\n"
                    "  Tag = $10\r\n"
                    "  object Widget1: TWidget\r\n"
                    "    Count = -$A\n"
                    "    Ratio = 25\n"
                    "    Caption = 'a' +\n"
                    "       'b'#$41#8364\n"
                    "    Font.Style = []\n"
                    "    Blob.Data = { 0a0B\n"
                    "       0c }\n"
                    "    Lines.Strings = ()\n"
                    "    Buddy = Form1.Widget1\n"
                    "    OnClick = nil\n"
                    "  END\n"
                    "end",
                    &Form);
  ASSERT_NE(Form.Widget1, nullptr);
  EXPECT_EQ(Form.GetTag(), 16);
  EXPECT_EQ(Form.Widget1->GetCount(), -10);
  EXPECT_EQ(Form.Widget1->GetRatio(), 25.0);
  EXPECT_EQ(Form.Widget1->GetCaption(), "abA\xE2\x82\xAC");
  EXPECT_EQ(Form.Widget1->GetBlob()->Bytes, (std::vector<Byte>{0x0A, 0x0B, 0x0C}));
  EXPECT_EQ(Form.Widget1->GetBuddy(), Form.Widget1);
}

// Each bad text fails with its class and message, frees what it created and leaves no
// component loading.
TEST_F(FormFileTest, BadTextFailsCleanlyWithTheLine) {
  struct Case {
    const char* Text;
    const char* Message;
  };
  const AnsiString Head = "object Form1: TTestForm\n  object Widget1: TWidget\n  end\n";
  const std::vector<Case> Cases = {
      {"  object W: TNoSuch\n  end\nend\n", "Class TNoSuch not found on line 4"},
      {"  object Widget2: TWidget\n    Nope = 1\n  end\nend\n", "Error reading Widget2.Nope on line 5: Property does not exist"},
      {"  object Widget2: TWidget\n    Font.Nope = 1\n  end\nend\n", "Error reading Widget2.Font.Nope on line 5: Property does not exist"},
      {"  object Widget2: TWidget\n    Count.Size = 1\n  end\nend\n", "Error reading Widget2.Count.Size on line 5: Property does not exist"},
      {"  object Widget2: TWidget\n    Shape = shOval\n  end\nend\n", "Error reading Widget2.Shape on line 5: Invalid property value shOval"},
      {"  object Widget2: TWidget\n    Count = 99999999999\n  end\nend\n", "Error reading Widget2.Count on line 5: Invalid value for property Count"},
      {"  object Widget2: TWidget\n    Count = 'x'\n  end\nend\n", "Integer expected but string found on line 5"},
      {"  object Widget2: TWidget\n    Visible = Maybe\n  end\nend\n", "Error reading Widget2.Visible on line 5: Invalid property value Maybe"},
      {"  object Widget2: TWidget\n    Font.Style = [stBold stItalic]\n  end\nend\n", "']' expected but 'stItalic' found on line 5"},
      {"  object Widget2: TWidget\n    Font.Style = [stHuge]\n  end\nend\n", "Invalid property value stHuge"},
      {"  object Widget2: TWidget\n    Caption = 'open\n  end\nend\n", "Unterminated string on line 5"},
      {"  object Widget2: TWidget\n    Caption = 'a' +\n  end\nend\n", "String expected but 'end' found on line 6"},
      {"  object Widget2: TWidget\n    Blob.Data = {ABC}\n  end\nend\n", "Odd number of hexadecimal digits in binary value on line 5"},
      {"  object Widget2: TWidget\n    Blob.Data = {AG}\n  end\nend\n", "Invalid binary value on line 5"},
      {"  object Widget2: TWidget\n    Blob.Data = {AB\n", "Unterminated binary value on line 5"},
      {"  object Widget2: TWidget\n    Count 1\n  end\nend\n", "'=' expected but '1' found on line 5"},
      {"  object Widget2: TWidget\n    OnClick = NoHandler\n  end\nend\n", "Error reading Widget2.OnClick on line 5: Method NoHandler not found in TTestForm"},
      {"  object Widget2: TWidget\n    OnClick = CountChanged\n  end\nend\n", "Method CountChanged does not match the signature of event OnClick"},
      {"  object Widget2: TWidget\n    Buddy = Ghost\n  end\nend\n", "Error reading Widget2.Buddy on line 5: Component Ghost not found"},
      {"  object Widget2: TWidget\n    Buddy = Form1\n  end\nend\n", "Error reading Widget2.Buddy on line 5: Invalid value for property Buddy"},
      {"  object Widget1: TWidget\n  end\nend\n", "Error reading Widget1 on line 4: A component named Widget1 already exists"},
      {"  inherited Ghost: TWidget\n  end\nend\n", "Ancestor for 'Ghost' not found"},
      {"  object Widget2: TWidget\n  end\n", "'end' expected but end of text found on line 6"},
      {"  object Widget2: TWidget\n  end\nend\nend\n", "End of text expected but 'end' found on line 7"},
      {"  object Widget2: TWidget\n  end\n  Tag = 1\nend\n", "'end' expected but 'Tag' found on line 6"},
      {"  object Widget2: TWidget\n    Caption = #\n  end\nend\n", "Character code expected"},
      {"  object Widget2: TWidget\n    Count = 12abc\n  end\nend\n", "Invalid number on line 5"},
      {"  object Widget2: TWidget\n    Font = 1\n  end\nend\n", "an object property takes values only for its own properties"},
  };
  for (const Case& C : Cases) {
    TTestForm Form(nullptr);
    try {
      ReadComponentText(Head + C.Text, &Form);
      ADD_FAILURE() << "no error for:\n" << C.Text;
    } catch (const Exception& E) {
      EXPECT_NE(E.Message().find(C.Message), AnsiString::npos) << E.Message() << "\nexpected: " << C.Message;
    }
    EXPECT_EQ(Form.GetComponentCount(), 0) << C.Text;
    EXPECT_EQ(Form.Widget1, nullptr);
    EXPECT_EQ(Form.Widget2, nullptr);
    EXPECT_FALSE(Form.HasState(csLoading) || Form.HasState(csReading));
  }
}

// Every piece of the text that a reading error quotes is cut to 80 characters: a message
// that quoted a class name of 5 MB whole took a message box 20 seconds to show.
TEST_F(FormFileTest, ReadingErrorsQuoteHugeInputCutShort) {
  const AnsiString Huge(5 << 20, 'Z');
  const AnsiString Ellipsis = "\xE2\x80\xA6";
  const AnsiString Head = "object Form1: TTestForm\n";
  struct TRow {
    const char* Name;
    AnsiString Body;
  };
  const TRow Rows[] = {
      {"an unknown class", "  object W: T" + Huge + "\n  end\nend\n"},
      {"a component name", "  object Widget1: TWidget\n  end\n  object Widget1" + Huge + ": TWidget\n    Nope = 1\n  end\nend\n"},
      {"a duplicate huge name", "  object A" + Huge + ": TWidget\n  end\n  object A" + Huge + ": TWidget\n  end\nend\n"},
      {"a property name", "  object Widget1: TWidget\n    P" + Huge + " = 1\n  end\nend\n"},
      {"a nested property name", "  object Widget1: TWidget\n    P" + Huge + ".Size = 1\n  end\nend\n"},
      {"an enumeration value", "  object Widget1: TWidget\n    Shape = sh" + Huge + "\n  end\nend\n"},
      {"a set element", "  object Widget1: TWidget\n    Font.Style = [st" + Huge + "]\n  end\nend\n"},
      {"a component reference", "  object Widget1: TWidget\n    Buddy = W" + Huge + "\n  end\nend\n"},
      {"a handler", "  object Widget1: TWidget\n    OnClick = H" + Huge + "\n  end\nend\n"},
      {"an unexpected symbol", "  object Widget1: TWidget\n  end\n  X" + Huge + "\nend\n"},
      {"an ancestor", "  inherited A" + Huge + ": TWidget\n  end\nend\n"},
      {"a root class", ""},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TTestForm Form(nullptr);
    const AnsiString Text = Row.Body.empty() ? "object Form1: T" + Huge + "\nend\n" : Head + Row.Body;
    try {
      ReadComponentText(Text, &Form);
      ADD_FAILURE() << "read without an error";
    } catch (const Exception& E) {
      EXPECT_LT(E.Message().size(), 400u) << E.Message().substr(0, 400);
      EXPECT_NE(E.Message().find(AnsiString(70, 'Z') + Ellipsis), AnsiString::npos) << E.Message().substr(0, 400);
    }
    EXPECT_EQ(Form.GetComponentCount(), 0);
  }
}

TEST_F(FormFileTest, ErrorClassesAndRootChecks) {
  TTestForm Form(nullptr);
  EXPECT_THROW(ReadComponentText("object Form1: TTestForm\n  object W: TNoSuch\n  end\nend\n", &Form), EClassNotFound);
  EXPECT_THROW(ReadComponentText("object Form1: TTestForm\n  Nope = 1\nend\n", &Form), EReadError);
  EXPECT_THROW(ReadComponentText("object Form1: TTestForm\n  Tag = ]\nend\n", &Form), EParserError);
  EXPECT_THROW(ReadComponentText("", &Form), EParserError);
  EXPECT_THROW(ReadComponentText("object Form1: TWidget\nend\n", &Form), EReadError);
  // A derived form reads the text of its ancestor's class; not the other way round.
  TDerivedForm Derived(nullptr);
  ReadComponentText("object Form1: TTestForm\nend\n", &Derived);
  EXPECT_THROW(ReadComponentText("object Form1: TDerivedForm\nend\n", &Form), EReadError);
  // A component kept by an earlier read is not touched by a failed one.
  TTestForm Kept(nullptr);
  ReadComponentText("object Form1: TTestForm\n  object Widget1: TWidget\n    Count = 1\n  end\nend\n", &Kept);
  EXPECT_THROW(ReadComponentText("object Form1: TTestForm\n  inherited Widget1: TWidget\n    Count = 2\n"
                                 "  end\n  object Widget2: TWidget\n    Count = x\n  end\nend\n",
                                 &Kept),
               EReadError);
  ASSERT_NE(Kept.Widget1, nullptr);
  EXPECT_EQ(Kept.Widget1->GetCount(), 2);  // set before the failure, and kept
  EXPECT_EQ(Kept.GetComponentCount(), 1);
  EXPECT_FALSE(Kept.Widget1->HasState(csLoading) || Kept.Widget1->HasState(csReading));
}

TEST_F(FormFileTest, DeepNestingIsRefusedNotOverflowed) {
  AnsiString Text = "object Form1: TTestForm\n";
  for (int I = 0; I < 5000; ++I) Text += "object TWidget\n";
  TTestForm Form(nullptr);
  try {
    ReadComponentText(Text, &Form);
    FAIL();
  } catch (const EParserError& E) {
    EXPECT_NE(E.Message().find("Objects nested too deeply"), AnsiString::npos);
  }
  EXPECT_EQ(Form.GetComponentCount(), 0);
}

// Random damage to a valid form text: each read either succeeds or raises the framework's
// exception; the sanitizer build checks that nothing else goes wrong.
TEST_F(FormFileTest, DamagedTextNeverCrashes) {
  TTestForm Original(nullptr);
  FillForm(&Original);
  const AnsiString Text = WriteComponentText(&Original);
  std::mt19937 Rng(2024);
  const char Noise[] = "'#${}[](),.=+-:0123456789abcdefXYZ \n\r\t\x80\xFF";
  int Failures = 0;
  for (int Round = 0; Round < 1500; ++Round) {
    AnsiString Damaged = Text;
    const int Edits = 1 + static_cast<int>(Rng() % 4);
    for (int E = 0; E < Edits && !Damaged.empty(); ++E) {
      const size_t At = Rng() % Damaged.size();
      switch (Rng() % 3) {
        case 0: Damaged[At] = Noise[Rng() % (sizeof Noise - 1)]; break;
        case 1: Damaged.erase(At, 1 + Rng() % 8); break;
        default: Damaged.insert(At, 1, Noise[Rng() % (sizeof Noise - 1)]); break;
      }
    }
    TTestForm Form(nullptr);
    try {
      ReadComponentText(Damaged, &Form);
    } catch (const Exception&) {
      ++Failures;
      EXPECT_LE(Form.GetComponentCount(), 0);
    }
  }
  EXPECT_GT(Failures, 0);
}

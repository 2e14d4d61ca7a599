// Controls in form files: the classic set of properties, nesting under parents, the
// stored rules of properties that follow the parent, tab order and handlers by name.

#include "FormFileClasses.h"
#include "Harness.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ControlFormFileTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    RegisterSampleClasses();
  }
};

template <class T>
T* Place(TSampleForm& Form, const char* Name, TWinControl* Parent) {
  auto* Control = new T(&Form);
  Control->SetName(Name);
  Control->SetParent(Parent);
  return Control;
}

// The lines of the object block of the component with that name, nested blocks included.
std::string BlockOf(const std::string& Text, const std::string& Name) {
  const auto Begin = Text.find("object " + Name + ":");
  if (Begin == std::string::npos) return {};
  const auto Indent = Begin - Text.rfind('\n', Begin) - 1;
  const auto End = Text.find("\n" + std::string(Indent, ' ') + "end\n", Begin);
  return Text.substr(Begin, End - Begin);
}

bool Has(const std::string& Text, const std::string& Line) { return Text.find(Line) != std::string::npos; }

// Every kind of property a control stores, two levels deep, with a windowless control, a
// non-visual component a control refers to, and handlers of the form.
void FillForm(TSampleForm& Form) {
  Form.SetName("SampleForm");
  Form.SetBounds(10, 20, 400, 300);
  Form.SetCaption("Cards");
  Form.SetOnPaint(TNotifyEvent(&Form, &TSampleForm::FormPaint, "FormPaint"));
  auto* Menu = new TSampleMenu(&Form);
  Menu->SetName("Menu1");
  auto* Panel = Place<TSamplePanel>(Form, "Panel1", &Form);
  Panel->SetAlign(alTop);
  Panel->SetHeight(150);
  Panel->SetCaption("Top");
  auto* S1 = Place<TSampleControl>(Form, "Sample1", Panel);
  S1->SetBounds(4, 6, 200, 90);
  S1->SetTag(-3);
  S1->SetCursor(crHandPoint);
  S1->SetHint("Contacts");
  S1->SetHelpContext(42);
  S1->SetAnchors({akLeft, akTop, akRight});
  S1->SetBiDiMode(bdRightToLeft);
  S1->SetColor(0x123456);
  S1->GetConstraints()->SetMaxWidth(300);
  S1->GetConstraints()->SetMinHeight(20);
  S1->SetCtl3D(false);
  S1->SetDragCursor(crNo);
  S1->SetDragKind(dkDock);
  S1->SetDragMode(dmAutomatic);
  S1->SetEnabled(false);
  TFont* Font = S1->GetFont();
  Font->SetCharset(204);
  Font->SetColor(clNavy);
  Font->SetHeight(-15);
  Font->SetName("DejaVu Sans");
  Font->SetPitch(fpFixed);
  Font->SetStyle({fsUnderline});
  S1->SetImeMode(imOpen);
  S1->SetImeName("Pinyin");
  S1->SetPopupMenu(Menu);
  S1->SetShowHint(true);
  S1->SetOnClick(TNotifyEvent(&Form, &TSampleForm::SampleClick, "SampleClick"));
  S1->SetOnKeyDown(TKeyEvent(&Form, &TSampleForm::SampleKeyDown, "SampleKeyDown"));
  auto* Shape = Place<TSampleShape>(Form, "Shape1", Panel);
  Shape->SetBounds(210, 6, 30, 30);
  Shape->SetColor(clLime);
  Shape->SetVisible(false);
  auto* S2 = Place<TSampleControl>(Form, "Sample2", &Form);
  S2->SetBounds(8, 160, 100, 40);
  S2->SetOnClick(TNotifyEvent(&Form, &TSampleForm::SampleClick, "SampleClick"));
  // The panel is drawn over Sample2, yet stays first in the tab order.
  Panel->BringToFront();
  Form.SetActiveControl(S2);
}

}  // namespace

TEST_F(ControlFormFileTest, ANewControlRecordsItsBoundsAndWhatItsConstructorChanged) {
  TSampleForm Form(nullptr);
  Form.SetName("SampleForm");
  Place<TSampleControl>(Form, "Sample1", &Form)->SetBounds(8, 16, 120, 60);
  Place<TSamplePanel>(Form, "Panel1", &Form);
  EXPECT_EQ(WriteComponentText(&Form),
            "object SampleForm: TSampleForm\n"
            "  Left = 0\n"
            "  Top = 0\n"
            "  Width = 320\n"
            "  Height = 240\n"
            "  Color = clBtnFace\n"
            "  Font.Charset = DEFAULT_CHARSET\n"
            "  Font.Color = clWindowText\n"
            "  Font.Height = -11\n"
            "  Font.Name = 'MS Sans Serif'\n"
            "  Font.Style = []\n"
            "  object Sample1: TSampleControl\n"
            "    Left = 8\n"
            "    Top = 16\n"
            "    Width = 120\n"
            "    Height = 60\n"
            "    Color = clWhite\n"
            "    ParentColor = False\n"
            "    TabOrder = 0\n"
            "    TabStop = True\n"
            "  end\n"
            "  object Panel1: TSamplePanel\n"
            "    Left = 0\n"
            "    Top = 0\n"
            "    Width = 0\n"
            "    Height = 0\n"
            "    TabOrder = 1\n"
            "  end\n"
            "end\n");
}

TEST_F(ControlFormFileTest, PropertiesThatFollowTheParentAreStoredOnlyWhileTheyDoNot) {
  TSampleForm Form(nullptr);
  Form.SetName("SampleForm");
  auto* Panel = Place<TSamplePanel>(Form, "Panel1", &Form);
  auto* Sample = Place<TSampleControl>(Form, "Sample1", &Form);
  Form.GetFont()->SetName("Arial");
  Form.SetColor(clTeal);
  std::string Text = WriteComponentText(&Form);
  EXPECT_FALSE(Has(BlockOf(Text, "Panel1"), "Font")) << Text;
  EXPECT_FALSE(Has(BlockOf(Text, "Panel1"), "Color")) << Text;
  EXPECT_EQ(Panel->GetColor(), clTeal);

  Panel->GetFont()->SetStyle({fsBold, fsItalic});
  Panel->SetColor(clRed);
  Sample->SetShowHint(false);
  Sample->SetCtl3D(true);
  Sample->SetBiDiMode(bdLeftToRight);
  Text = WriteComponentText(&Form);
  EXPECT_TRUE(Has(BlockOf(Text, "Panel1"),
                  "    Color = clRed\n"
                  "    Font.Charset = DEFAULT_CHARSET\n"
                  "    Font.Color = clWindowText\n"
                  "    Font.Height = -11\n"
                  "    Font.Name = 'Arial'\n"
                  "    Font.Style = [fsBold, fsItalic]\n"
                  "    ParentColor = False\n"
                  "    ParentFont = False\n"))
      << Text;
  // Values equal to the parent's are still stored once they are the control's own.
  const std::string SampleBlock = BlockOf(Text, "Sample1");
  for (const char* Line : {"BiDiMode = bdLeftToRight", "Ctl3D = True", "ShowHint = False", "ParentBiDiMode = False",
                           "ParentCtl3D = False", "ParentShowHint = False"})
    EXPECT_TRUE(Has(SampleBlock, Line)) << Line << " missing in\n" << SampleBlock;

  Panel->SetParentFont(true);
  Panel->SetParentColor(true);
  EXPECT_EQ(Panel->GetFont()->GetStyle(), TFontStyles{});
  EXPECT_EQ(Panel->GetColor(), clTeal);
  Text = WriteComponentText(&Form);
  EXPECT_FALSE(Has(BlockOf(Text, "Panel1"), "Font")) << Text;
  EXPECT_FALSE(Has(BlockOf(Text, "Panel1"), "Color")) << Text;
}

TEST_F(ControlFormFileTest, NestedControlsAreWrittenReadAndWrittenAgainIdentically) {
  TSampleForm Original(nullptr);
  FillForm(Original);
  const std::string Text = WriteComponentText(&Original);
  // Nested under their parents, in z-order, the non-visual component after the controls.
  EXPECT_LT(Text.find("  object Sample2: TSampleControl"), Text.find("  object Panel1: TSamplePanel")) << Text;
  EXPECT_TRUE(Has(BlockOf(Text, "Panel1"), "    object Sample1: TSampleControl\n")) << Text;
  EXPECT_TRUE(Has(BlockOf(Text, "Panel1"), "    object Shape1: TSampleShape\n")) << Text;
  EXPECT_GT(Text.find("  object Menu1: TSampleMenu"), Text.find("  object Panel1:")) << Text;
  for (const char* Line : {"  Caption = 'Cards'\n", "  ActiveControl = Sample2\n", "  OnPaint = FormPaint\n",
                           "    Align = alTop\n", "      Cursor = crHandPoint\n", "      Color = 1193046\n",
                           "      Anchors = [akLeft, akTop, akRight]\n", "      Constraints.MaxWidth = 300\n",
                           "      Font.Charset = RUSSIAN_CHARSET\n", "      Font.Pitch = fpFixed\n",
                           "      DragCursor = crNo\n", "      ImeMode = imOpen\n", "      PopupMenu = Menu1\n",
                           "      OnKeyDown = SampleKeyDown\n", "      Visible = False\n"})
    EXPECT_TRUE(Has(Text, Line)) << Line << " missing in\n" << Text;
  EXPECT_FALSE(Has(Text, "Font.Size")) << Text;

  TSampleForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(WriteComponentText(&Copy), Text);

  ASSERT_TRUE(Copy.Panel1 && Copy.Sample1 && Copy.Sample2 && Copy.Shape1 && Copy.Menu1);
  EXPECT_EQ(Copy.GetComponentCount(), 5);
  EXPECT_EQ(Copy.Panel1->GetParent(), &Copy);
  EXPECT_EQ(Copy.Sample1->GetParent(), Copy.Panel1);
  EXPECT_EQ(Copy.Shape1->GetParent(), Copy.Panel1);
  EXPECT_EQ(Copy.GetControl(0), Copy.Sample2);
  EXPECT_EQ(Copy.Panel1->GetTabOrder(), 0);
  EXPECT_EQ(Copy.Sample2->GetTabOrder(), 1);
  EXPECT_EQ(Copy.Panel1->GetBoundsRect(), (TRect{0, 0, 400, 150}));
  EXPECT_EQ(Copy.GetActiveControl(), Copy.Sample2);
  EXPECT_EQ(Copy.GetCaption(), "Cards");

  TSampleControl* S1 = Copy.Sample1;
  EXPECT_EQ(S1->GetBoundsRect(), (TRect{4, 6, 204, 96}));
  EXPECT_EQ(S1->GetTag(), -3);
  EXPECT_EQ(S1->GetColor(), 0x123456);
  EXPECT_EQ(S1->GetAnchors(), (TAnchors{akLeft, akTop, akRight}));
  EXPECT_EQ(S1->GetBiDiMode(), bdRightToLeft);
  EXPECT_FALSE(S1->GetParentBiDiMode());
  EXPECT_EQ(S1->GetConstraints()->GetMaxWidth(), 300);
  EXPECT_EQ(S1->GetConstraints()->GetMinHeight(), 20);
  EXPECT_FALSE(S1->GetCtl3D());
  EXPECT_FALSE(S1->GetEnabled());
  EXPECT_TRUE(S1->GetFont()->Equals(*Original.Sample1->GetFont()));
  EXPECT_FALSE(S1->GetParentFont());
  EXPECT_EQ(S1->GetHint(), "Contacts");
  EXPECT_EQ(S1->GetImeName(), "Pinyin");
  EXPECT_EQ(S1->GetPopupMenu(), Copy.Menu1);
  EXPECT_TRUE(S1->GetShowHint());
  EXPECT_FALSE(Copy.Shape1->GetVisible());
  EXPECT_EQ(Copy.Shape1->GetColor(), clLime);

  // Handlers are bound to the form that read them.
  S1->GetOnClick()(S1);
  Copy.Sample2->GetOnClick()(Copy.Sample2);
  Word Key = VK_RETURN;
  S1->GetOnKeyDown()(S1, Key, {});
  EXPECT_EQ(Key, 0);
  EXPECT_EQ(Copy.Calls, (std::vector<std::string>{"SampleClick Sample1", "SampleClick Sample2", "SampleKeyDown Sample1 13"}));
  EXPECT_TRUE(Original.Calls.empty());
  // Loaded comes once, after the loading flags are gone and with the parent in place.
  EXPECT_EQ(S1->Events, (std::vector<std::string>{"loaded"}));
  EXPECT_FALSE(Copy.HasState(csLoading) || S1->HasState(csReading));
}

TEST_F(ControlFormFileTest, TheTabOrderOfTheFileHoldsWhateverOrderSiblingsAreReadIn) {
  TSampleForm Original(nullptr);
  Original.SetName("SampleForm");
  auto* A = Place<TSampleControl>(Original, "Sample1", &Original);
  auto* B = Place<TSamplePanel>(Original, "Panel1", &Original);
  auto* C = Place<TSampleControl>(Original, "Sample2", &Original);
  C->SetTabOrder(0);
  A->SetTabOrder(2);
  ASSERT_EQ(B->GetTabOrder(), 1);
  const std::string Text = WriteComponentText(&Original);
  EXPECT_TRUE(Has(BlockOf(Text, "Sample1"), "TabOrder = 2")) << Text;

  TSampleForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(Copy.Sample1->GetTabOrder(), 2);
  EXPECT_EQ(Copy.Panel1->GetTabOrder(), 1);
  EXPECT_EQ(Copy.Sample2->GetTabOrder(), 0);
  EXPECT_EQ(WriteComponentText(&Copy), Text);
}

TEST_F(ControlFormFileTest, FontSizeIsReadButHeightIsWhatIsStored) {
  TSampleForm Form(nullptr);
  ReadComponentText(
      "object SampleForm: TSampleForm\n"
      "  Font.Size = 12\n"
      "  object Sample1: TSampleControl\n"
      "    Font.Color = clHighlight\n"
      "    Font.Charset = 238\n"
      "    Color = $00FF8000\n"
      "  end\n"
      "end\n",
      &Form);
  EXPECT_EQ(Form.GetFont()->GetHeight(), -16);
  EXPECT_EQ(Form.Sample1->GetFont()->GetHeight(), -16) << "followed the form's font before its own change";
  EXPECT_EQ(Form.Sample1->GetFont()->GetColor(), clHighlight);
  EXPECT_EQ(Form.Sample1->GetColor(), 0xFF8000);
  const std::string Text = WriteComponentText(&Form);
  EXPECT_TRUE(Has(Text, "  Font.Height = -16\n")) << Text;
  EXPECT_TRUE(Has(Text, "    Font.Charset = EASTEUROPE_CHARSET\n    Font.Color = clHighlight\n")) << Text;
  EXPECT_TRUE(Has(Text, "    Color = 16744448\n")) << Text;
  EXPECT_FALSE(Has(Text, "Size")) << Text;
}

TEST_F(ControlFormFileTest, AReferenceToAComponentThatWentAwayIsClearedAndNotWritten) {
  TSampleForm Form(nullptr);
  Form.SetName("SampleForm");
  auto* Sample = Place<TSampleControl>(Form, "Sample1", &Form);
  auto* Sibling = new TSampleMenu(&Form);
  Sibling->SetName("Menu1");
  Sample->SetPopupMenu(Sibling);
  delete Sibling;
  EXPECT_EQ(Sample->GetPopupMenu(), nullptr);
  auto* Foreign = new TSampleMenu(nullptr);
  Sample->SetPopupMenu(Foreign);
  delete Foreign;
  EXPECT_EQ(Sample->GetPopupMenu(), nullptr);
  EXPECT_FALSE(Has(WriteComponentText(&Form), "PopupMenu")) << WriteComponentText(&Form);
}

TEST_F(ControlFormFileTest, ControlsReadIntoAShownFormGetWindowsAndPaint) {
  auto Form = std::make_unique<TSampleForm>(nullptr);
  Form->SetBounds(20, 20, 300, 200);
  Form->Show();
  ReadComponentText(
      "object SampleForm: TSampleForm\n"
      "  object Panel1: TSamplePanel\n"
      "    Width = 200\n"
      "    Height = 100\n"
      "    object Sample1: TSampleControl\n"
      "      Left = 10\n"
      "      Top = 10\n"
      "      Color = clYellow\n"
      "    end\n"
      "  end\n"
      "end\n",
      Form.get());
  ASSERT_NE(Form->Sample1, nullptr);
  EXPECT_TRUE(Form->Panel1->HandleAllocated());
  EXPECT_TRUE(Form->Sample1->HandleAllocated());
  EXPECT_EQ(PixelAt(Form->Sample1, 5, 5), clYellow);
  EXPECT_EQ(Form->Sample1->Events, (std::vector<std::string>{"loaded"}));
}

TEST_F(ControlFormFileTest, InheritedPropertiesStandAfterTheOnesEveryControlShows) {
  const auto Names = [](const TClassInfo& Info) {
    std::vector<std::string> Result;
    for (const TPropInfo* Prop : Info.Properties()) Result.push_back(Prop->Name);
    return Result;
  };
  const std::vector<std::string> Common{"Name", "Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint", "HelpContext"};
  EXPECT_EQ(Names(TCustomControl::StaticClassInfo()), Common);
  EXPECT_EQ(Names(TGraphicControl::StaticClassInfo()), Common);
  const std::vector<std::string> Sample = Names(TSampleControl::StaticClassInfo());
  ASSERT_GT(Sample.size(), Common.size() + 1);
  EXPECT_EQ(std::vector<std::string>(Sample.begin(), Sample.begin() + 9), Common);
  EXPECT_EQ(Sample[9], "Align");
  EXPECT_EQ(Sample.back(), "OnUnDock");
  // Registered but not shown until a class publishes it.
  EXPECT_EQ(TCustomControl::StaticClassInfo().FindProperty("Color"), nullptr);
  EXPECT_NE(TCustomControl::StaticClassInfo().FindAnyProperty("Color"), nullptr);
  EXPECT_EQ(TForm::StaticClassInfo().FindProperty("TabOrder"), nullptr);
}

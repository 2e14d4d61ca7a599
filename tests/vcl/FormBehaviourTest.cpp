// Forms: anchors when the parent resizes, size constraints and frames of top-level windows,
// placement on the screen, key preview and OnDestroy.

#include <QGuiApplication>
#include <QScreen>

#include "Harness.h"
#include "Probe.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class FormBehaviourTest : public THostTest {};

struct TAnchorCase {
  TAnchors Anchors;
  TRect Expected;  // after the parent grew from 300 x 200 to 400 x 260
};

TEST_F(FormBehaviourTest, ResizingTheParentMovesAndStretchesChildrenAsTheirAnchorsSay) {
  const TAnchorCase Cases[] = {
      {TAnchors{akLeft, akTop}, TRect{100, 50, 160, 80}},
      {TAnchors{akRight, akBottom}, TRect{200, 110, 260, 140}},
      {TAnchors{akLeft, akTop, akRight}, TRect{100, 50, 260, 80}},
      {TAnchors{akLeft, akTop, akRight, akBottom}, TRect{100, 50, 260, 140}},
      {TAnchors{akTop, akBottom}, TRect{150, 50, 210, 140}},  // no horizontal side: keeps its relative place
      {TAnchors{}, TRect{150, 80, 210, 110}},
  };
  auto Form = MakeForm(300, 200);
  std::vector<std::unique_ptr<TControl>> Children;
  for (const TAnchorCase& Case : Cases) {
    // Windowed and windowless children anchor alike.
    for (bool Windowed : {true, false}) {
      std::unique_ptr<TControl> C = Windowed ? std::unique_ptr<TControl>(new TProbe(nullptr))
                                             : std::unique_ptr<TControl>(new TLabel(nullptr));
      if (auto* L = dynamic_cast<TLabel*>(C.get())) L->SetAutoSize(false);
      C->SetBounds(100, 50, 60, 30);
      C->SetAnchors(Case.Anchors);
      C->SetParent(Form.get());
      Children.push_back(std::move(C));
    }
  }
  Form->SetBounds(Form->GetLeft(), Form->GetTop(), 400, 260);
  for (std::size_t I = 0; I < Children.size(); ++I)
    EXPECT_EQ(Children[I]->GetBoundsRect(), Cases[I / 2].Expected) << "case " << I / 2 << (I % 2 ? " windowless" : "");
  // Shrinking below the original size and growing back restores every child exactly.
  Form->SetBounds(Form->GetLeft(), Form->GetTop(), 150, 90);
  Form->SetBounds(Form->GetLeft(), Form->GetTop(), 300, 200);
  for (const auto& C : Children) EXPECT_EQ(C->GetBoundsRect(), (TRect{100, 50, 160, 80}));
}

TEST_F(FormBehaviourTest, AUserResizeOfTheWindowAnchorsTooAndNestedParentsPassItOn) {
  auto Form = MakeForm(300, 200);
  TProbe Panel(nullptr, Form.get(), TRect{10, 10, 290, 190});
  Panel.SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  TProbe Corner(nullptr, &Panel, TRect{240, 150, 270, 170});
  Corner.SetAnchors(TAnchors{akRight, akBottom});
  ControlWidget(Form.get())->resize(350, 230);  // as a window manager would
  ProcessMessages();
  EXPECT_EQ(Form->GetWidth(), 350);
  EXPECT_EQ(Panel.GetBoundsRect(), (TRect{10, 10, 340, 220}));
  EXPECT_EQ(Corner.GetBoundsRect(), (TRect{290, 180, 320, 200}));
}

TEST_F(FormBehaviourTest, ConstraintsKeepASizeableFormAtItsMinimumForCodeAndForTheUser) {
  auto Form = MakeForm(300, 200);
  Form->GetConstraints()->SetMinWidth(320);
  EXPECT_EQ(Form->GetWidth(), 320) << "a smaller form grows at once";
  Form->GetConstraints()->SetMinHeight(150);
  Form->SetBounds(Form->GetLeft(), Form->GetTop(), 100, 100);
  EXPECT_EQ(Form->GetBoundsRect().Width(), 320);
  EXPECT_EQ(Form->GetHeight(), 150);
  QWidget* Window = ControlWidget(Form.get());
  EXPECT_EQ(Window->minimumSize(), QSize(320, 150));
  Window->resize(50, 50);
  ProcessMessages();
  EXPECT_EQ(Form->GetWidth(), 320);
}

TEST_F(FormBehaviourTest, FixedFramesKeepTheSizeCodeGivesAndADialogHasNoMinimizeButton) {
  auto Form = MakeForm(300, 200);
  QWidget* Window = ControlWidget(Form.get());
  EXPECT_LT(Window->minimumWidth(), 300) << "bsSizeable by default";
  Form->SetBorderStyle(bsDialog);
  EXPECT_EQ(Window->minimumSize(), QSize(300, 200));
  EXPECT_EQ(Window->maximumSize(), QSize(300, 200));
  EXPECT_FALSE(Window->windowFlags() & Qt::WindowMinimizeButtonHint);
  Form->SetBounds(Form->GetLeft(), Form->GetTop(), 260, 180);
  EXPECT_EQ(Window->size(), QSize(260, 180)) << "code still sizes a fixed frame";
  Form->SetBorderStyle(bsSizeable);
  EXPECT_LT(Window->minimumWidth(), 260);
  Form->Hide();
}

TEST_F(FormBehaviourTest, ScreenCenterPlacesTheFormInTheMiddleOfTheScreenWhenShown) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 100);
  Form.SetPosition(poScreenCenter);
  Form.Show();
  const QRect Screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(Form.GetLeft(), Screen.left() + (Screen.width() - 200) / 2);
  EXPECT_EQ(Form.GetTop(), Screen.top() + (Screen.height() - 100) / 2);
  Form.Hide();
  TForm Designed(nullptr);
  Designed.SetBounds(7, 9, 200, 100);
  Designed.Show();
  EXPECT_EQ(Designed.GetLeft(), 7);
  Designed.Hide();
}

TEST_F(FormBehaviourTest, DefaultPositionPutsTheFormWithItsTitleBarOnTheScreenAndShrinksOneTooLarge) {
  const QRect Screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct TRow {
    const char* Name;
    int Width, Height;
    bool Shrinks;
  };
  const TRow Rows[] = {
      {"small", 200, 100, false},
      {"wider and taller than the screen", Screen.width() + 300, Screen.height() + 200, true},
      {"taller only", 300, Screen.height(), true},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TForm Form(nullptr);
    Form.SetBounds(0, 0, Row.Width, Row.Height);
    Form.SetPosition(poDefault);
    Form.Show();
    const QRect Client(Form.GetLeft(), Form.GetTop(), Form.GetWidth(), Form.GetHeight());
    EXPECT_TRUE(Screen.contains(Client)) << "on the work area";
    EXPECT_GT(Client.top() - Screen.top(), Screen.bottom() - Client.bottom()) << "room above for the title bar";
    EXPECT_EQ(Form.GetWidth() < Row.Width || Form.GetHeight() < Row.Height, Row.Shrinks);
    EXPECT_LE(std::abs((Client.left() - Screen.left()) - (Screen.right() - Client.right())), 10) << "centred";
    Form.Hide();
  }
}

TEST_F(FormBehaviourTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
  auto Form = MakeForm(300, 200);
  TProbe Probe(nullptr, Form.get(), TRect{0, 0, 100, 50});
  Probe.SetFocus();
  std::vector<Word> FormKeys;
  Form->SetOnKeyDown([&](TObject*, Word& Key, TShiftState) {
    FormKeys.push_back(Key);
    if (Key == 'B') Key = 0;
  });
  Form->SetOnKeyPress([&](TObject*, char& Key) {
    if (Key == 'c') Key = 'C';
  });
  PressKey('A');
  EXPECT_TRUE(FormKeys.empty()) << "without KeyPreview the form hears nothing";
  Form->SetKeyPreview(true);
  PressKey('B');
  PressKey('C');
  EXPECT_EQ(FormKeys, (std::vector<Word>{'B', 'C'}));
  EXPECT_EQ(Probe.KeysDown, (std::vector<Word>{'A', 'C'})) << "a key the form zeroes goes no further";
  EXPECT_EQ(Probe.Typed, "abC") << "the form may change a character";
}

TEST_F(FormBehaviourTest, OnDestroyRunsOnceWhileTheComponentsStillExist) {
  auto* Form = new TForm(nullptr);
  auto* Button = new TButton(Form);
  Button->SetName("Button1");
  std::vector<std::string> Seen;
  Form->SetOnDestroy([&](TObject* Sender) {
    Seen.push_back(static_cast<TComponent*>(Sender)->FindComponent("Button1") ? "button there" : "button gone");
  });
  delete Form;
  EXPECT_EQ(Seen, std::vector<std::string>{"button there"});
}

}  // namespace

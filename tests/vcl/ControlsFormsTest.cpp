// Controls and forms: windows, parent properties, alignment, recreation, modal runs, hints.

#include <QHBoxLayout>
#include <QTimer>

#include "Harness.h"
#include "Probe.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ControlsFormsTest : public THostTest {};

TEST_F(ControlsFormsTest, AWindowedControlWithoutParentHasNoWindow) {
  TProbe Orphan(nullptr);
  Orphan.SetName("Orphan");
  EXPECT_FALSE(Orphan.HandleAllocated());
  try {
    Orphan.GetHandle();
    FAIL() << "no exception";
  } catch (const EInvalidOperation& E) {
    EXPECT_EQ(E.Message(), "Control 'Orphan' has no parent window");
  }
  EXPECT_EQ(Orphan.GetClientRect(), (TRect{0, 0, 100, 60}));
}

TEST_F(ControlsFormsTest, WindowComesWithTheParentsWindowAndTheFirstSizeMessage) {
  auto Form = MakeForm(300, 200);
  TProbe Probe(nullptr);
  Probe.SetBounds(5, 5, 120, 60);
  EXPECT_FALSE(Probe.HandleAllocated());
  Probe.SetParent(Form.get());
  EXPECT_TRUE(Probe.HandleAllocated());
  ASSERT_FALSE(Probe.SizeMessages.empty());
  EXPECT_EQ(Probe.SizeMessages.front(), std::make_pair(120, 60));
  Probe.SetParent(nullptr);
  EXPECT_FALSE(Probe.HandleAllocated());
}

TEST_F(ControlsFormsTest, BorderStylesShrinkTheClientArea) {
  class TBordered : public TProbe {
  public:
    TBordered(TWinControl* Parent, unsigned Style, unsigned ExStyle) : TProbe(nullptr), FStyle(Style), FExStyle(ExStyle) {
      SetParent(Parent);
    }
    void CreateParams(TCreateParams& Params) override {
      TProbe::CreateParams(Params);
      Params.Style |= FStyle;
      Params.ExStyle |= FExStyle;
    }
    unsigned FStyle, FExStyle;
  };
  auto Form = MakeForm(300, 200);
  TBordered Line(Form.get(), WS_BORDER, 0);
  TBordered Sunken(Form.get(), 0, WS_EX_CLIENTEDGE);
  EXPECT_EQ(Line.GetClientRect(), (TRect{0, 0, 98, 58}));
  EXPECT_EQ(Sunken.GetClientRect(), (TRect{0, 0, 96, 56}));
  EXPECT_EQ(Sunken.ClientToScreen(Point(0, 0)).X - Line.ClientToScreen(Point(0, 0)).X, 1);
}

TEST_F(ControlsFormsTest, RecreateWndKeepsTheControlsState) {
  auto Form = MakeForm(300, 200);
  TProbe Probe(nullptr, Form.get(), TRect{10, 10, 110, 70});
  TProbe Child(nullptr, &Probe, TRect{2, 2, 20, 20});
  Probe.SetColor(clAqua);
  Probe.SetText("kept");
  Probe.SetFocus();
  const HWND Old = Probe.GetHandle();
  const HWND OldChild = Child.GetHandle();
  Probe.SizeMessages.clear();
  Probe.RecreateWnd();
  EXPECT_NE(Probe.GetHandle(), Old);
  EXPECT_FALSE(IsWindow(Old));
  EXPECT_FALSE(IsWindow(OldChild));
  EXPECT_TRUE(Child.HandleAllocated());
  EXPECT_EQ(Probe.GetColor(), clAqua);
  EXPECT_EQ(Probe.GetText(), "kept");
  EXPECT_EQ(Probe.GetBoundsRect(), (TRect{10, 10, 110, 70}));
  EXPECT_EQ(Probe.SizeMessages.size(), 1u);
  EXPECT_EQ(PixelAt(&Probe, 50, 50), clAqua);
  ProcessMessages();
  EXPECT_TRUE(Probe.Focused());
  EXPECT_EQ(Form->GetActiveControl(), &Probe);
}

TEST_F(ControlsFormsTest, ParentFontAndColourFollowTheParentUntilSetOwn) {
  auto Form = MakeForm(300, 200);
  TProbe Probe(nullptr, Form.get());
  Probe.SetParentColor(true);
  Form->GetFont()->SetHeight(-20);
  Form->SetColor(clTeal);
  EXPECT_EQ(Probe.GetFont()->GetHeight(), -20);
  EXPECT_TRUE(Probe.GetParentFont());
  EXPECT_EQ(Probe.GetColor(), clTeal);
  Probe.GetFont()->SetHeight(-9);
  EXPECT_FALSE(Probe.GetParentFont());
  Form->GetFont()->SetHeight(-30);
  EXPECT_EQ(Probe.GetFont()->GetHeight(), -9);
}

TEST_F(ControlsFormsTest, BiDiFlagsMirrorAlignmentAndAddRightToLeftReading) {
  TProbe Probe(nullptr);
  EXPECT_EQ(Probe.DrawTextBiDiModeFlags(DT_LEFT), static_cast<long>(DT_LEFT));
  Probe.SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(Probe.UseRightToLeftAlignment());
  EXPECT_EQ(Probe.DrawTextBiDiModeFlags(DT_LEFT), static_cast<long>(DT_RIGHT | DT_RTLREADING));
  EXPECT_EQ(Probe.DrawTextBiDiModeFlags(DT_RIGHT), static_cast<long>(DT_RTLREADING));
  EXPECT_EQ(Probe.DrawTextBiDiModeFlags(DT_CENTER), static_cast<long>(DT_CENTER | DT_RTLREADING));
  Probe.SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_FALSE(Probe.UseRightToLeftAlignment());
  EXPECT_EQ(Probe.DrawTextBiDiModeFlags(DT_LEFT), static_cast<long>(DT_RTLREADING));
  EXPECT_EQ(Probe.DrawTextBiDiModeFlagsReadingOnly(), static_cast<long>(DT_RTLREADING));
}

TEST_F(ControlsFormsTest, ConstraintsAndCanResizeLimitTheSize) {
  TProbe Probe(nullptr);
  Probe.GetConstraints()->SetMinWidth(50);
  Probe.GetConstraints()->SetMaxHeight(80);
  Probe.SetBounds(0, 0, 10, 500);
  EXPECT_EQ(Probe.GetWidth(), 50);
  EXPECT_EQ(Probe.GetHeight(), 80);
  Probe.SetOnCanResize([](TObject*, int& W, int&, bool& Resize) { Resize = W < 300; });
  Probe.SetWidth(400);
  EXPECT_EQ(Probe.GetWidth(), 50);
  Probe.SetWidth(-5);
  EXPECT_EQ(Probe.GetWidth(), 50) << "negative sizes are taken as 0, then constrained";
}

TEST_F(ControlsFormsTest, AlignedChildrenShareTheClientArea) {
  auto Form = MakeForm(300, 200);
  TProbe Top(nullptr, Form.get(), TRect{0, 0, 10, 30});
  TProbe Rest(nullptr, Form.get());
  Top.SetAlign(alTop);
  Rest.SetAlign(alClient);
  EXPECT_EQ(Top.GetBoundsRect(), (TRect{0, 0, 300, 30}));
  EXPECT_EQ(Rest.GetBoundsRect(), (TRect{0, 30, 300, 200}));
  Form->SetBounds(20, 20, 400, 250);
  EXPECT_EQ(Rest.GetBoundsRect(), (TRect{0, 30, 400, 250}));
}

TEST_F(ControlsFormsTest, ShowModalReturnsTheResultSetWhileItRuns) {
  TForm Dialog(nullptr);
  TProbe Probe(nullptr, &Dialog);
  Probe.OnMessage = [&](unsigned Msg) {
    if (Msg == WM_TIMER) Dialog.SetModalResult(mrOk);
  };
  Dialog.SetOnShow([&](TObject*) { SetTimer(Probe.GetHandle(), 1, 20); });
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_FALSE(Dialog.GetVisible());
  Probe.OnMessage = [&](unsigned Msg) {
    if (Msg == WM_TIMER) Dialog.Close();
  };
  EXPECT_EQ(Dialog.ShowModal(), mrCancel);
  KillTimer(Probe.GetHandle(), 1);
  Dialog.Show();
  EXPECT_THROW(Dialog.ShowModal(), EInvalidOperation);
  Dialog.Hide();
}

TEST_F(ControlsFormsTest, AfterAModalRunTheFormThatWasActiveTakesTheKeyboardAgain) {
  auto Main = MakeForm(300, 200);
  auto* Edit = new TEdit(Main.get());
  Edit->SetParent(Main.get());
  QWidget* MainWindow = ControlWidget(Main.get());
  MainWindow->activateWindow();
  ASSERT_TRUE(RunUntil([MainWindow] { return MainWindow->isActiveWindow(); }));
  Edit->SetFocus();
  TForm Dialog(nullptr);
  Dialog.SetOnShow([&](TObject*) { QTimer::singleShot(20, [&] { Dialog.SetModalResult(mrOk); }); });
  ASSERT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_TRUE(RunUntil([MainWindow] { return MainWindow->isActiveWindow(); }));
  TypeText("ok");
  EXPECT_EQ(Edit->GetText(), "ok");
}

TEST_F(ControlsFormsTest, OnDestroyRunsOnceAndAThrowingHandlerIsReported) {
  int Runs = 0;
  {
    TForm Form(nullptr);
    Form.SetOnDestroy([&](TObject*) {
      ++Runs;
      throw Exception("destroy failed");
    });
  }
  EXPECT_EQ(Runs, 1);
  EXPECT_EQ(TakeExceptions(), std::vector<std::string>{"destroy failed"});
}

TEST_F(ControlsFormsTest, ReleasedFormIsFreedFromTheEventLoop) {
  auto* Form = new TForm(nullptr);
  bool Destroyed = false;
  Form->SetOnDestroy([&](TObject*) { Destroyed = true; });
  Form->Show();
  Form->Release();
  EXPECT_FALSE(Destroyed);
  EXPECT_TRUE(RunUntil([&] { return Destroyed; }));
}

TEST_F(ControlsFormsTest, RunEndsByFreeingTheApplicationsFormsWhileQtIsWhole) {
  TForm* Main = nullptr;
  Application->CreateForm(Main);
  TForm* Second = nullptr;
  Application->CreateForm(Second);
  int Destroyed = 0;
  Main->SetOnDestroy([&](TObject*) { ++Destroyed; });
  Second->SetOnDestroy([&](TObject*) { ++Destroyed; });
  Main->SetOnShow([&](TObject*) { Application->Terminate(); });
  Application->Run();
  EXPECT_EQ(Destroyed, 2);
  EXPECT_EQ(Application->GetComponentCount(), 0);
  EXPECT_EQ(Application->GetMainForm(), nullptr);
  EXPECT_FALSE(Application->GetTerminated());
}

TEST_F(ControlsFormsTest, GetParentFormFindsTheFormOrNothing) {
  auto Form = MakeForm(100, 100);
  TProbe Outer(nullptr, Form.get());
  TProbe Inner(nullptr, &Outer);
  TProbe Loose(nullptr);
  EXPECT_EQ(GetParentForm(&Inner), Form.get());
  EXPECT_EQ(GetParentForm(&Loose), nullptr);
  EXPECT_EQ(GetParentForm(nullptr), nullptr);
}

TEST_F(ControlsFormsTest, HintWindowMeasuresShowsAsATopLevelWindowAndHides) {
  auto Form = MakeForm(100, 100);
  THintWindow Hint(Form.get());
  const TRect Short = Hint.CalcHintRect(200, "Short", nullptr);
  const TRect Long = Hint.CalcHintRect(60, "A much longer hint text that wraps", nullptr);
  EXPECT_EQ(Short.Left, 0);
  EXPECT_EQ(Short.Top, 0);
  EXPECT_GT(Long.Height(), Short.Height());
  EXPECT_LE(Long.Width(), 60 + 6 + 60);
  TRect At = Short;
  OffsetRect(At, 40, 50);
  Hint.ActivateHint(At, "Short");
  ASSERT_TRUE(Hint.HandleAllocated());
  QWidget* Widget = ControlWidget(&Hint);
  EXPECT_TRUE(Widget->isWindow());
  EXPECT_TRUE(Widget->isVisible());
  EXPECT_EQ(Widget->geometry().topLeft(), QPoint(40, 50));
  EXPECT_EQ(PixelAt(&Hint, 0, 0), ColorToRGB(clInfoBk));
  Hint.ReleaseHandle();
  EXPECT_FALSE(Hint.HandleAllocated());
  EXPECT_EQ(Application->GetHintPause(), 500);
  EXPECT_EQ(Application->GetHintHidePause(), 2500);
}

TEST_F(ControlsFormsTest, ControlEmbeddedInAQtWidgetFollowsItsLayout) {
  QWidget Host;
  auto* Layout = new QHBoxLayout(&Host);
  Layout->setContentsMargins(0, 0, 0, 0);
  TProbe Probe(nullptr);
  Probe.OnPaint = [](TCanvas* C) {
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect{0, 0, 4, 4});
  };
  Layout->addWidget(EmbedInWidget(&Probe, &Host));
  Host.resize(240, 90);
  Host.show();
  ProcessMessages();
  EXPECT_EQ(Probe.GetWidth(), 240);
  EXPECT_EQ(Probe.GetHeight(), 90);
  ASSERT_FALSE(Probe.SizeMessages.empty());
  EXPECT_EQ(Probe.SizeMessages.back(), std::make_pair(240, 90));
  EXPECT_EQ(PixelAt(&Probe, 1, 1), clRed);
  TProbe Parented(nullptr);
  auto Form = MakeForm(50, 50);
  Parented.SetParent(Form.get());
  EXPECT_THROW(EmbedInWidget(&Parented, &Host), EInvalidOperation);
  Host.hide();
}

}  // namespace

#pragma once
// The designer's window on a headless display, driven as a user drives it: palette clicks,
// clicks and drags on the designed form, typing in the inspector. Message boxes and file
// dialogs are answered by hooks; a modal dialog that opens is answered by a step run from
// a timer of its modal loop.

#include <QApplication>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DesignerForm.h"
#include "Dialogs.h"
#include "Harness.h"
#include "ModalWatch.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "OstrelItemsEditorFormUnit.h"
#include "QtEmbedding.h"

namespace designer_test {

using namespace vcl;
using namespace designer;
using ostrel::TOstrel;
using ostrel::TOstrelItemsEditorForm;

struct TMessageSeen {
  std::string Text;
  TMsgDlgType Type;
};

class DesignerTest : public vcltest::THostTest, protected vcltest::TModalWatch<TOstrelItemsEditorForm> {
protected:
  void SetUp() override {
    THostTest::SetUp();
    SetMessageDlgHook([this](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons) {
      Messages.push_back(TMessageSeen{Msg, Type});
      return Answer;
    });
    Window = OpenWindow();
    Designer = &Window->Designer();
  }
  void TearDown() override {
    StopWatching();
    Window.reset();
    SetMessageDlgHook(nullptr);
    SetFileDialogHook(nullptr);
    THostTest::TearDown();
  }

  static std::unique_ptr<TDesignerForm> OpenWindow() {
    auto Result = std::make_unique<TDesignerForm>(nullptr);
    Result->Show();
    QWidget* Widget = ControlWidget(Result.get());
    Widget->activateWindow();
    vcltest::RunUntil([Widget] { return Widget->isActiveWindow(); });
    return Result;
  }

  static void Press(TControl* Control) {
    vcltest::Click(Control, Control->GetWidth() / 2, Control->GetHeight() / 2);
    vcltest::ProcessMessages();
  }

  // Picks ClassName on its palette page and clicks the designed form at X, Y of its client
  // area (or of Container's).
  TComponent* DropThroughClicks(const AnsiString& Page, const AnsiString& ClassName, int X, int Y,
                                TControl* Container = nullptr) {
    Press(Window->Palette().PageTab(Page));
    TPanel* Entry = Window->Palette().Entry(ClassName);
    if (!Entry) {
      ADD_FAILURE() << ClassName << " is not on the page " << Page;
      return nullptr;
    }
    Press(Entry);
    vcltest::Click(Container ? Container : Designer->GetForm(), X, Y);
    vcltest::ProcessMessages();
    return Designer->GetSelection();
  }
  TOstrel* DropCards(int X = 60, int Y = 10) {
    return dynamic_cast<TOstrel*>(DropThroughClicks("Velmora", "TOstrel", X, Y));
  }

  // Presses the left button at From on Control, moves by DX, DY and releases there.
  static void Drag(TControl* Control, TPoint From, int DX, int DY) {
    const TPoint Start = Control->ClientToScreen(From);
    vcltest::MouseDown(Control, From.X, From.Y);
    const TPoint Mid = Control->ScreenToClient(TPoint{Start.X + DX / 2, Start.Y + DY / 2});
    vcltest::MouseMove(Control, Mid.X, Mid.Y);
    const TPoint End = Control->ScreenToClient(TPoint{Start.X + DX, Start.Y + DY});
    vcltest::MouseMove(Control, End.X, End.Y);
    vcltest::MouseUp(Control, End.X, End.Y);
    vcltest::ProcessMessages();
  }

  // Chooses the inspector's row and types Text over its value, then Enter.
  void SetInInspector(const AnsiString& Row, const std::string& Text) {
    TInspectorView& Inspector = Window->Inspector();
    ASSERT_TRUE(Inspector.ChooseRow(Row)) << Row;
    Press(Inspector.ValueEdit);
    Inspector.ValueEdit->SelectAll();
    vcltest::TypeText(Text);
    vcltest::PressKey(VK_RETURN);
    vcltest::ProcessMessages();
  }

  // A step that adds cards of these captions and closes with OK.
  static std::function<void(TOstrelItemsEditorForm&)> AddCardsAndOk(std::vector<std::string> Captions) {
    return [Captions](TOstrelItemsEditorForm& Dialog) {
      for (const std::string& Caption : Captions) {
        Press(Dialog.NewItemButton);
        vcltest::TypeText(Caption);
      }
      Press(Dialog.OKButton);
    };
  }

  static std::vector<std::string> CardTexts(TOstrel* Cards) {
    std::vector<std::string> Result;
    for (int I = 0; I < Cards->GetItems()->GetCount(); ++I) Result.push_back(Cards->GetItems()->GetItemFromIndex(I)->GetText());
    return Result;
  }
  bool TitleMarked() const { return Window->GetCaption().find("* - ") != std::string::npos; }

  std::unique_ptr<TDesignerForm> Window;
  TFormDesigner* Designer = nullptr;
  std::vector<TMessageSeen> Messages;
  int Answer = mrOk;
};

}  // namespace designer_test

#pragma once
// The items editor opened the way its opener does (a copy of an edited card view's cards),
// shown without a modal loop, and driven through Qt's event path: clicks on buttons, rows
// and cards, typing into edits, file dialogs answered by the hook.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Harness.h"
#include "OstrelItemsEditorFormUnit.h"
#include "QtEmbedding.h"
#include "Windows.h"

#include <QWidget>

namespace itemseditor_test {

using namespace vcl;
using namespace ostrel;

// Counts the changes the dialog reports to the form designer.
class TRecordingDesigner : public IFormDesigner {
public:
  void Modified() override { ++Count; }
  int Count = 0;
};

// A card: its text, then its sub-items.
using TCardLines = std::vector<std::string>;

class ItemsEditorTest : public vcltest::THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    EditedForm = std::make_unique<TForm>(nullptr);
    Edited = new TOstrel(EditedForm.get());
    Designer = std::make_shared<TRecordingDesigner>();
    SetFileDialogHook([this](TOpenDialog& Dialog) {
      DialogTitles.push_back(Dialog.GetTitle());
      if (FileAnswer.empty()) return false;
      Dialog.SetFileName(FileAnswer);
      return true;
    });
  }
  void TearDown() override {
    Dialog.reset();
    EditedForm.reset();
    SetFileDialogHook(nullptr);
    for (const auto& File : TempFiles) std::filesystem::remove(File);
    THostTest::TearDown();
  }

public:
  // Gives the edited control these cards, then opens the dialog on them as the opener does.
  void Open(const std::vector<TCardLines>& Cards = {}) {
    for (const TCardLines& Lines : Cards) {
      TOstrelItem* Card = Edited->GetItems()->Add(Lines.at(0));
      for (size_t I = 1; I < Lines.size(); ++I) Card->GetSubItems()->Add(Lines[I]);
    }
    Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
    Dialog->FEditedItems = Edited->GetItems();
    Dialog->Table->GetItems()->Assign(Edited->GetItems());
    Dialog->FFormDesigner = Designer;
    Dialog->Show();
    QWidget* Window = ControlWidget(Dialog.get());
    Window->activateWindow();
    vcltest::RunUntil([Window] { return Window->isActiveWindow(); });
  }

  // ----- input

  static void Press(TControl* Button) {
    vcltest::Click(Button, Button->GetWidth() / 2, Button->GetHeight() / 2);
    vcltest::ProcessMessages();
  }
  // A click on the caption band of the card at Index of the dialog's table.
  void ClickCard(int Index) {
    const TRect R = Dialog->Table->GetItemClientRect(TableCard(Index));
    vcltest::Click(Dialog->Table, R.Left + 4, R.Top + 3);
    vcltest::ProcessMessages();
  }
  // Selects the card whose text is Text; it must be there.
  void ClickCard(const std::string& Text) {
    const int Index = TableIndexOf(Text);
    ASSERT_GE(Index, 0) << Text;
    ClickCard(Index);
  }
  void ClickRow(int Index) {
    const TRect R = Dialog->SubItemsListView->GetItems()->GetItem(Index)->DisplayRect(drBounds);
    vcltest::Click(Dialog->SubItemsListView, R.Left + 4, (R.Top + R.Bottom) / 2);
    vcltest::ProcessMessages();
  }
  // Puts the caret at the end of Edit's text and types Text.
  static void TypeInto(TEdit* Edit, const std::string& Text) {
    vcltest::Click(Edit, Edit->GetWidth() - 4, Edit->GetHeight() / 2);
    vcltest::PressKey(VK_END);
    vcltest::TypeText(Text);
    vcltest::ProcessMessages();
  }
  // Selects the whole text of Edit with the keyboard and deletes it.
  static void Empty(TEdit* Edit) {
    vcltest::Click(Edit, Edit->GetWidth() - 4, Edit->GetHeight() / 2);
    vcltest::PressKey(VK_END);
    vcltest::PressKey(VK_HOME, TShiftState{ssShift});
    vcltest::PressKey(VK_BACK);
    vcltest::ProcessMessages();
  }

  // ----- what the dialog shows

  TOstrelItem* TableCard(int Index) const { return Dialog->Table->GetItems()->GetItemFromIndex(Index); }
  int TableIndexOf(const std::string& Text) const {
    TOstrelItems* Cards = Dialog->Table->GetItems();
    for (int I = 0; I < Cards->GetCount(); ++I)
      if (Cards->GetItemFromIndex(I)->GetText() == Text) return I;
    return -1;
  }
  static std::vector<std::string> Texts(TOstrelItems* Cards) {
    std::vector<std::string> Result;
    for (int I = 0; I < Cards->GetCount(); ++I) Result.push_back(Cards->GetItemFromIndex(I)->GetText());
    return Result;
  }
  static std::vector<std::string> Lines(const TOstrelItem* Card) {
    std::vector<std::string> Result;
    for (int I = 0; I < Card->GetSubItems()->GetCount(); ++I) Result.push_back(Card->GetSubItems()->Get(I));
    return Result;
  }
  // The rows as "caption|value", or the caption alone for a row without a value cell.
  std::vector<std::string> Rows() const {
    std::vector<std::string> Result;
    TListItems* Items = Dialog->SubItemsListView->GetItems();
    for (int I = 0; I < Items->GetCount(); ++I) {
      TListItem* Row = Items->GetItem(I);
      std::string Shown = Row->GetCaption();
      if (Row->GetSubItems()->GetCount() > 0) Shown += "|" + Row->GetSubItems()->Get(0);
      Result.push_back(Shown);
    }
    return Result;
  }
  bool ApplyOn() const { return Dialog->ApplyButton->GetEnabled(); }
  // The no-card state: every card field and the sub-item box off and empty.
  void ExpectNoCardState() const {
    EXPECT_EQ(Dialog->Table->GetSelected(), nullptr);
    for (TControl* Off : std::initializer_list<TControl*>{
             Dialog->TextEdit, Dialog->HintEdit, Dialog->ShowHintCheckBox, Dialog->DeleteItemButton,
             Dialog->SubItemsListView, Dialog->SubItemEdit, Dialog->SubItemValueEdit, Dialog->NewSubitemButton,
             Dialog->DeleteSubItemButton})
      EXPECT_FALSE(Off->GetEnabled()) << Off->GetName();
    EXPECT_EQ(Dialog->TextEdit->GetText(), "");
    EXPECT_EQ(Dialog->HintEdit->GetText(), "");
    EXPECT_FALSE(Dialog->ShowHintCheckBox->GetChecked());
    EXPECT_EQ(Dialog->SubItemsListView->GetItems()->GetCount(), 0);
  }

  // A file name in the temporary folder, removed after the test.
  std::string TempFile(const std::string& Name) {
    const auto Path = std::filesystem::temp_directory_path() /
                      ("ostrel-itemseditor-" + std::to_string(::getpid()) + "-" + Name);
    TempFiles.push_back(Path);
    return Path.string();
  }

  std::unique_ptr<TForm> EditedForm;
  TOstrel* Edited = nullptr;  // the control being edited, owned by EditedForm
  std::shared_ptr<TRecordingDesigner> Designer;
  std::unique_ptr<TOstrelItemsEditorForm> Dialog;
  std::string FileAnswer;  // empty: the file dialog is dismissed
  std::vector<std::string> DialogTitles;
  std::vector<std::filesystem::path> TempFiles;
};

}  // namespace itemseditor_test

// The dialog as its stored description makes it, before anything is shown or edited: the
// form, every control with its parent, caption, place, anchors, tab order, enabled state and
// handlers, and the further settings of the card view, the letter bar, the list of rows and
// the file dialogs.

#include <utility>

#include "ItemsEditorFixture.h"
#include "OstrelButtonsBar.h"
#include "TypInfo.h"

namespace itemseditor_test {
namespace {

// One control as the dialog's layout gives it. Tab -1: no tab order to check.
struct TControlSetting {
  const char* Name;
  const char* Class;
  const char* Parent;
  const char* Caption;  // null: a control without a caption
  int Left, Top, Width, Height;
  const char* Anchors;
  int Tab;
  bool Enabled;
  std::vector<std::pair<const char*, const char*>> Handlers;  // event, method
};

AnsiString AnchorsOf(TControl* Control) {
  const TPropInfo* Anchors = GetPropInfo(Control, "Anchors");
  return SetToString(*Anchors, Anchors->GetOrd(Control));
}

AnsiString HandlerOf(TComponent* Component, const char* Event) {
  const TPropInfo* Prop = GetPropInfo(Component, Event);
  return Prop ? Prop->GetMethod(Component).MethodName : "(no " + AnsiString(Event) + ")";
}

TEST_F(ItemsEditorTest, EveryControlHasTheSettingsOfTheLayout) {
  Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
  const TControlSetting Settings[] = {
      {"LogoPanel", "TPanel", "OstrelItemsEditorForm", nullptr, 4, 4, 401, 69, "[akLeft, akTop, akRight]", 9, true, {}},
      {"Image1", "TImage", "LogoPanel", nullptr, 0, -3, 218, 72, "[akLeft, akTop]", -1, true, {}},
      {"WebLabel", "TLabel", "LogoPanel", "Visit our Web site at:", 276, 20, 97, 13, "[akTop, akRight]", -1, true, {}},
      {"URLLabel", "TLabel", "LogoPanel", "https://ostrel.example", 260, 36, 125, 13, "[akTop, akRight]", -1, true,
       {{"OnClick", "URLLabelClick"}}},
      {"OstrelButtonsBar1", "TOstrelButtonsBar", "OstrelItemsEditorForm", nullptr, 4, 76, 33, 241,
       "[akLeft, akTop, akBottom]", -1, true, {}},
      {"Table", "TOstrel", "OstrelItemsEditorForm", nullptr, 40, 76, 109, 241, "[akLeft, akTop, akRight, akBottom]", 11,
       true, {{"OnChange", "TableChange"}, {"OnEditedSubItem", "TableEditedSubItem"}}},
      {"NewItemButton", "TButton", "OstrelItemsEditorForm", "&New item", 156, 76, 77, 25, "[akTop, akRight]", 0, true,
       {{"OnClick", "NewItemButtonClick"}}},
      {"DeleteItemButton", "TButton", "OstrelItemsEditorForm", "&Delete item", 156, 104, 77, 25, "[akTop, akRight]", 1,
       false, {{"OnClick", "DeleteItemButtonClick"}}},
      {"ClearButton", "TButton", "OstrelItemsEditorForm", "Clea&r", 156, 132, 77, 25, "[akTop, akRight]", 2, true,
       {{"OnClick", "ClearButtonClick"}}},
      {"SaveToFileButton", "TButton", "OstrelItemsEditorForm", "&Save to file", 156, 264, 77, 25, "[akRight, akBottom]", 3,
       true, {{"OnClick", "SaveToFileButtonClick"}}},
      {"LoadFromFileButton", "TButton", "OstrelItemsEditorForm", "&Load from file", 156, 292, 77, 25,
       "[akRight, akBottom]", 4, true, {{"OnClick", "LoadFromFileButtonClick"}}},
      {"TextLabel", "TLabel", "OstrelItemsEditorForm", "Text:", 240, 80, 24, 13, "[akTop, akRight]", -1, true, {}},
      {"TextEdit", "TEdit", "OstrelItemsEditorForm", nullptr, 268, 76, 137, 21, "[akTop, akRight]", 5, false,
       {{"OnChange", "TextEditChange"}}},
      {"HintLabel", "TLabel", "OstrelItemsEditorForm", "Hint:", 240, 108, 22, 13, "[akTop, akRight]", -1, true, {}},
      {"HintEdit", "TEdit", "OstrelItemsEditorForm", nullptr, 268, 104, 137, 21, "[akTop, akRight]", 13, false,
       {{"OnChange", "HintEditChange"}}},
      {"ShowHintCheckBox", "TCheckBox", "OstrelItemsEditorForm", "Show hint", 268, 132, 77, 17, "[akTop, akRight]", 14,
       false, {{"OnClick", "ShowHintCheckBoxClick"}}},
      {"SubItemsGroupBox", "TGroupBox", "OstrelItemsEditorForm", " Sub Items ", 240, 160, 165, 157,
       "[akTop, akRight, akBottom]", 10, true, {}},
      {"SubItemsListView", "TListView", "SubItemsGroupBox", nullptr, 8, 16, 149, 45, "[akLeft, akTop, akBottom]", 0,
       false, {{"OnChange", "SubItemsListViewChange"}, {"OnMouseDown", "SubItemsListViewMouseDown"}}},
      {"SubItemLabel", "TLabel", "SubItemsGroupBox", "Name:", 8, 72, 31, 13, "[akLeft, akBottom]", -1, true, {}},
      {"SubItemEdit", "TEdit", "SubItemsGroupBox", nullptr, 56, 68, 101, 21, "[akLeft, akBottom]", 1, false,
       {{"OnChange", "SubItemEditChange"}}},
      {"ValueLabel", "TLabel", "SubItemsGroupBox", "Value:", 8, 100, 30, 13, "[akLeft, akBottom]", -1, true, {}},
      {"SubItemValueEdit", "TEdit", "SubItemsGroupBox", nullptr, 56, 96, 101, 21, "[akLeft, akBottom]", 2, false,
       {{"OnChange", "SubItemValueEditChange"}}},
      {"NewSubitemButton", "TButton", "SubItemsGroupBox", "Ne&w", 8, 124, 69, 25, "[akLeft, akBottom]", 3, false,
       {{"OnClick", "NewSubitemButtonClick"}}},
      {"DeleteSubItemButton", "TButton", "SubItemsGroupBox", "D&elete", 88, 124, 69, 25, "[akLeft, akBottom]", 4, false,
       {{"OnClick", "DeleteSubItemButtonClick"}}},
      {"OKButton", "TButton", "OstrelItemsEditorForm", "&OK", 4, 332, 77, 25, "[akLeft, akBottom]", 6, true, {}},
      {"CancelButton", "TButton", "OstrelItemsEditorForm", "&Cancel", 84, 332, 77, 25, "[akLeft, akBottom]", 7, true, {}},
      {"ApplyButton", "TButton", "OstrelItemsEditorForm", "&Apply", 328, 332, 77, 25, "[akRight, akBottom]", 8, false,
       {{"OnClick", "ApplyButtonClick"}}},
  };
  for (const TControlSetting& S : Settings) {
    SCOPED_TRACE(S.Name);
    auto* Control = dynamic_cast<TControl*>(Dialog->FindComponent(S.Name));
    ASSERT_NE(Control, nullptr);
    EXPECT_EQ(Control->ClassName(), S.Class);
    ASSERT_NE(Control->GetParent(), nullptr);
    EXPECT_EQ(Control->GetParent()->GetName(), S.Parent);
    if (S.Caption) {
      EXPECT_EQ(GetPropInfo(Control, "Caption")->GetStr(Control), S.Caption);
    }
    // A label sizes itself to its caption in the font at hand, so only its place is fixed.
    const auto* Label = dynamic_cast<TLabel*>(Control);
    const int Width = Label && Label->GetAutoSize() ? Control->GetWidth() : S.Width;
    EXPECT_EQ(Control->GetBoundsRect(), (TRect{S.Left, S.Top, S.Left + Width, S.Top + S.Height}));
    EXPECT_EQ(AnchorsOf(Control), S.Anchors);
    if (S.Tab >= 0) {
      EXPECT_EQ(dynamic_cast<TWinControl&>(*Control).GetTabOrder(), S.Tab);
    }
    EXPECT_EQ(Control->GetEnabled(), S.Enabled);
    for (const auto& [Event, Method] : S.Handlers) EXPECT_EQ(HandlerOf(Control, Event), Method) << Event;
  }
  EXPECT_FALSE(Dialog->ShowHintCheckBox->GetChecked());
  for (const char* Edit : {"TextEdit", "HintEdit", "SubItemEdit", "SubItemValueEdit"})
    EXPECT_EQ(dynamic_cast<TEdit&>(*Dialog->FindComponent(Edit)).GetText(), "") << Edit;
}

TEST_F(ItemsEditorTest, TheFormAndItsControlsHaveTheirFurtherSettings) {
  Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
  TOstrelItemsEditorForm& F = *Dialog;
  EXPECT_EQ(F.GetName(), "OstrelItemsEditorForm");
  EXPECT_EQ(F.GetCaption(), "Ostrel V2.10 Items Editor");
  EXPECT_EQ(F.GetWidth(), 419);
  EXPECT_EQ(F.GetHeight(), 395);
  EXPECT_EQ(F.GetConstraints()->GetMinWidth(), 419);
  EXPECT_EQ(F.GetConstraints()->GetMinHeight(), 331);
  EXPECT_EQ(F.GetPosition(), poScreenCenter);
  EXPECT_EQ(F.GetBorderStyle(), bsSizeable);
  EXPECT_EQ(F.GetColor(), clBtnFace);
  EXPECT_EQ(HandlerOf(&F, "OnDestroy"), "FormDestroy");
  for (TFont* Font : {F.GetFont(), F.URLLabel->GetFont(), F.Table->GetCaptionFont()}) {
    EXPECT_EQ(Font->GetName(), "MS Sans Serif");
    EXPECT_EQ(Font->GetHeight(), -11);
    EXPECT_EQ(Font->GetCharset(), DEFAULT_CHARSET);
  }
  EXPECT_EQ(F.GetFont()->GetColor(), clWindowText);
  EXPECT_TRUE(F.GetFont()->GetStyle().Empty());
  EXPECT_EQ(F.Table->GetCaptionFont()->GetColor(), clWindowText);
  EXPECT_TRUE(F.Table->GetCaptionFont()->GetStyle().Empty());

  EXPECT_EQ(F.LogoPanel->GetColor(), clWhite);
  EXPECT_EQ(F.LogoPanel->GetBevelOuter(), bvNone);
  EXPECT_EQ(F.LogoPanel->GetBorderStyle(), bsSingle);
  EXPECT_TRUE(F.Image1->GetAutoSize());
  EXPECT_EQ(F.URLLabel->GetCursor(), crHandPoint);
  EXPECT_EQ(F.URLLabel->GetFont()->GetColor(), clBlue);
  EXPECT_EQ(F.URLLabel->GetFont()->GetStyle(), TFontStyles{fsUnderline});

  EXPECT_TRUE(F.NewItemButton->GetDefault());
  EXPECT_TRUE(F.CancelButton->GetCancel());
  EXPECT_EQ(F.OKButton->GetModalResult(), mrOk);
  EXPECT_EQ(F.CancelButton->GetModalResult(), mrCancel);

  EXPECT_EQ(F.Table->GetNoItemsText(), "No Items");
  EXPECT_TRUE(F.Table->GetSorted());
  EXPECT_FALSE(F.Table->GetCustomSort());
  EXPECT_FALSE(F.Table->GetReadOnly());
  EXPECT_FALSE(F.Table->GetItemsHints());
  EXPECT_EQ(F.Table->GetColor(), clWhite);
  EXPECT_FALSE(F.Table->GetParentColor());
  EXPECT_TRUE(F.Table->GetTabStop());
  EXPECT_EQ(F.OstrelButtonsBar1->GetButtonHeight(), 18);
  EXPECT_EQ(GetPropInfo(F.OstrelButtonsBar1, "BorderWidth")->GetOrd(F.OstrelButtonsBar1), 2);
  EXPECT_EQ(F.OstrelButtonsBar1->GetOstrel(), F.Table);

  TListView& Rows = *F.SubItemsListView;
  EXPECT_EQ(Rows.GetViewStyle(), vsReport);
  ASSERT_EQ(Rows.GetColumns()->GetCount(), 2);
  const std::pair<const char*, int> Columns[] = {{"Sub Item", 70}, {"Value", 70}};
  for (int I = 0; I < 2; ++I) {
    EXPECT_EQ(Rows.GetColumns()->GetItem(I)->GetCaption(), Columns[I].first);
    EXPECT_EQ(Rows.GetColumns()->GetItem(I)->GetWidth(), Columns[I].second);
  }
  EXPECT_FALSE(Rows.GetColumnClick());
  EXPECT_FALSE(Rows.GetHideSelection());
  EXPECT_TRUE(Rows.GetHotTrackStyles().Empty());
  EXPECT_TRUE(Rows.GetReadOnly());
  EXPECT_TRUE(Rows.GetRowSelect());
  EXPECT_FALSE(Rows.GetMultiSelect());

  EXPECT_EQ(F.OpenDialog->GetTitle(), "Load table from file");
  EXPECT_EQ(F.OpenDialog->GetFilter(), "All Files (*.*)|*.*");
  EXPECT_EQ(F.OpenDialog->GetOptions(), (TOpenOptions{ofPathMustExist, ofFileMustExist, ofEnableSizing}));
  EXPECT_EQ(F.SaveDialog->GetTitle(), "Save table to file");
  EXPECT_EQ(F.SaveDialog->GetFilter(), "All Files (*.*)|*.*");
  EXPECT_EQ(F.SaveDialog->GetOptions(),
            (TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing}));
}

}  // namespace
}  // namespace itemseditor_test

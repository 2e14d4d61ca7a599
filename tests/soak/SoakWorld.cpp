// The soak's world: making the controls, the hostile handlers, and carrying out operations.

#include "SoakWorld.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QApplication>

#include "Harness.h"

namespace soak {

namespace {

// Raises the nesting of mischief for a scope, so handlers set off by handlers calm down.
struct TDeeper {
  int& Depth;
  explicit TDeeper(int& D) : Depth(D) { ++Depth; }
  ~TDeeper() { --Depth; }
};

const char* const SortingMessage = "Cards cannot be added or deleted while they are being sorted";

bool IsInput(TOpKind Kind) {
  switch (Kind) {
    case TOpKind::Key: case TOpKind::Type: case TOpKind::Press: case TOpKind::Release: case TOpKind::Click:
    case TOpKind::DoubleClick: case TOpKind::Move: case TOpKind::DragDivider: case TOpKind::Wheel:
    case TOpKind::ClickToEdit: case TOpKind::HoverForHint: case TOpKind::Leave: case TOpKind::FireTimer:
    case TOpKind::PostHideEditor: case TOpKind::ProcessMessages: case TOpKind::ScrollMessage:
    case TOpKind::BarClick:
      return true;
    default: return false;
  }
}

}  // namespace

TWorld::TWorld() {
  Application->SetHintPause(1000000);  // the soak fires the hint timers itself
  Application->SetHintHidePause(1000000);
  Application->SetOnException([this](TObject*, const Exception& E) {
    if (!AllowedError(E.Message())) Faults.push_back("reported exception: " + E.Message());
  });
  FForm = vcltest::MakeForm(700, 500);
  FOther = new TEdit(FForm.get());
  FOther->SetParent(FForm.get());
  FOther->SetBounds(560, 460, 100, 24);
  MakeBar();
  MakeView();
  vcltest::ProcessMessages();
}

TWorld::~TWorld() {
  Quiet = true;
  View = nullptr;  // the form frees them; handlers that run meanwhile leave them alone
  Bar = nullptr;
  FForm.reset();
  vcltest::ProcessMessages();
  Application->SetOnException(nullptr);
}

void TWorld::MakeView() {
  View = new TOstrel(FForm.get());
  View->SetParent(FForm.get());
  View->SetBounds(70, 0, 400, 300);
  Batches = 0;
  InstallHandlers();
  if (Bar && BarLinked) Bar->SetOstrel(View);
}

void TWorld::MakeBar() {
  Bar = new TOstrelButtonsBar(FForm.get());
  Bar->SetParent(FForm.get());
  Bar->SetBounds(0, 0, 60, 400);
  Bar->SetOnButtonClick([this](TObject*, int, AnsiString) {
    Act(Pick({TMischief::Throw, TMischief::ClearList, TMischief::DestroyView, TMischief::DestroyBar}), nullptr);
  });
  if (View && BarLinked) Bar->SetOstrel(View);
}

// ------------------------------------------------------------------ hostile handlers

void TWorld::InstallHandlers() {
  View->SetOnChanging([this](TObject*, TOstrelItem* Item, bool& Allow) {
    Expect(!Item || Listed(Item), "OnChanging offers a card that is not listed");
    const TMischief What = Pick({TMischief::Refuse, TMischief::Throw, TMischief::DeleteItem, TMischief::ClearList,
                                 TMischief::StartEdit, TMischief::SortList, TMischief::DestroyView});
    if (What == TMischief::Refuse) Allow = false;
    else Act(What, Item);
  });
  View->SetOnChange([this](TObject*, TOstrelItem* Item) {
    Expect(!Item || Listed(Item), "OnChange reports a card that is not listed");
    Act(Pick({TMischief::Throw, TMischief::DeleteItem, TMischief::ClearList, TMischief::StartEdit, TMischief::SortList,
              TMischief::AddCard, TMischief::DestroyView}),
        Item);
  });
  View->SetOnDeletion([this](TObject*, TOstrelItem* Item) {
    Expect(Item != nullptr, "OnDeletion without a card");
    Act(Pick({TMischief::Throw, TMischief::DeleteItem, TMischief::ClearList, TMischief::SortList, TMischief::StartEdit,
              TMischief::DestroyView}),
        Item);
  });
  View->SetOnSortItems([this](TObject*, TOstrelItem* A, TOstrelItem* B, int& Result) {
    Expect(A && B, "OnSortItems without two cards");
    if (!A || !B) return;
    // Descending by text, then by line count: a consistent order unlike the default one.
    Result = -CompareStr(A->GetText(), B->GetText());
    if (Result == 0) Result = A->GetSubItems()->GetCount() - B->GetSubItems()->GetCount();
    Act(Pick({TMischief::Throw, TMischief::SortList, TMischief::AddCard}), nullptr);
  });
  View->SetOnItemHeight([](TObject*, TOstrelItem* Item, int& Height) {
    // The same answer until the card's lines change (which relayouts): some taller, some
    // flat, some taller than the view.
    const int Lines = Item->GetSubItems()->GetCount();
    if (Lines == 5) Height = 420;
    else if (Lines == 4) Height = 0;
    else Height += (Lines % 3) * 9;
  });
  View->SetOnDrawItem([this](TObject*, TCanvas* Canvas, TOstrelItem* Item, TRect& Rect) {
    Expect(Listed(Item), "OnDrawItem draws a card that is not listed");
    Canvas->FillRect(Rect);
  });
  View->SetOnEditingSubItem([this](TObject*, TOstrelItem* Item, int SubItem, bool& CanEdit) {
    Expect(Listed(Item), "OnEditingSubItem asks about a card that is not listed");
    Expect(Item && SubItem >= 0 && SubItem < Item->GetSubItems()->GetCount(), "OnEditingSubItem names no line");
    const TMischief What = Pick({TMischief::Refuse, TMischief::Throw, TMischief::DeleteItem, TMischief::ClearList,
                                 TMischief::StartEdit, TMischief::DestroyView});
    if (What == TMischief::Refuse) CanEdit = false;
    else Act(What, Item);
  });
  View->SetOnEditedSubItem([this](TObject*, TOstrelItem* Item, int SubItem, AnsiString& NewText) {
    Expect(Listed(Item), "OnEditedSubItem reports a card that is not listed");
    Expect(Item && SubItem >= 0 && SubItem < Item->GetSubItems()->GetCount(), "OnEditedSubItem names no line");
    const TMischief What = Pick({TMischief::Refuse, TMischief::Throw, TMischief::DeleteItem, TMischief::ClearList,
                                 TMischief::StartEdit, TMischief::SortList, TMischief::DestroyView});
    if (What == TMischief::Refuse) NewText.clear();  // an empty value removes a named line
    else Act(What, Item);
  });
  View->SetOnItemHint([this](TObject*, TOstrelItem* Item, AnsiString& Hint, int& MaxWidth, bool& Show) {
    Expect(Listed(Item), "OnItemHint asks about a card that is not listed");
    Hint = "Hint of " + (Item ? Item->GetText() : AnsiString("nothing"));
    MaxWidth = 40 + static_cast<int>(Hint.size());
    const TMischief What =
        Pick({TMischief::Refuse, TMischief::Throw, TMischief::DeleteItem, TMischief::ClearList, TMischief::DestroyView});
    if (What == TMischief::Refuse) Show = false;
    else Act(What, Item);
  });
  View->SetOnColumnSized([this](TObject*, int) {
    Act(Pick({TMischief::Throw, TMischief::ClearList, TMischief::SortList, TMischief::DestroyView}), nullptr);
  });
  View->SetOnKeyDown([this](TObject*, Word& Key, TShiftState) {
    const TMischief What = Pick({TMischief::Refuse, TMischief::Throw, TMischief::ClearList, TMischief::DeleteItem,
                                 TMischief::DestroyView, TMischief::StartEdit});
    if (What == TMischief::Refuse) Key = 0;
    else Act(What, View ? View->GetItemFocused() : nullptr);
  });
  View->SetOnKeyPress([this](TObject*, char& Key) {
    const TMischief What = Pick({TMischief::Refuse, TMischief::Throw, TMischief::DestroyView, TMischief::ClearList});
    if (What == TMischief::Refuse) Key = 0;
    else Act(What, nullptr);
  });
  View->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int) {
    Act(Pick({TMischief::Throw, TMischief::ClearList, TMischief::DestroyView, TMischief::StartEdit}), nullptr);
  });
  View->SetOnMouseUp([this](TObject*, TMouseButton, TShiftState, int, int) {
    Act(Pick({TMischief::Throw, TMischief::ClearList, TMischief::DestroyView, TMischief::SortList}), nullptr);
  });
}

TWorld::TMischief TWorld::Pick(std::initializer_list<TMischief> Allowed) {
  if (Quiet || FDepth > 2) return TMischief::None;
  std::uniform_int_distribution<int> Percent(0, 99);
  if (Percent(FRng) >= 15) return TMischief::None;
  std::vector<TMischief> Choices;
  for (TMischief M : Allowed)
    if (FInInput || (M != TMischief::DestroyView && M != TMischief::DestroyBar)) Choices.push_back(M);
  if (Choices.empty()) return TMischief::None;
  return Choices[std::uniform_int_distribution<std::size_t>(0, Choices.size() - 1)(FRng)];
}

void TWorld::Act(TMischief What, TOstrelItem* Item) {
  if (What == TMischief::None || What == TMischief::Refuse) return;
  if (What == TMischief::Throw) throw Exception(MischiefMessage);
  if (What == TMischief::DestroyBar) {
    delete std::exchange(Bar, nullptr);
    return;
  }
  if (!View) return;
  const TDeeper Deeper(FDepth);
  TOstrelItems* Items = View->GetItems();
  switch (What) {
    case TMischief::DeleteItem:
      if (Item && Listed(Item)) Item->Delete();
      break;
    case TMischief::ClearList: Items->Clear(); break;
    case TMischief::SortList: Items->Sort(); break;
    case TMischief::AddCard: Items->Add(MakeText(static_cast<std::uint32_t>(FRng()))); break;
    case TMischief::StartEdit:
      if (TOstrelItem* Card = CardAt(static_cast<std::uint32_t>(FRng())); Card && Card->GetSubItems()->GetCount() > 0)
        Card->EditSubItem(static_cast<int>(FRng() % static_cast<unsigned>(Card->GetSubItems()->GetCount())));
      break;
    case TMischief::DestroyView: delete std::exchange(View, nullptr); break;
    default: break;
  }
}

bool TWorld::Listed(const TOstrelItem* Item) const {
  if (!View || !Item) return false;
  const TOstrelItems* Items = View->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I)
    if ((*Items)[I] == Item) return true;
  return false;
}

void TWorld::Expect(bool Condition, const std::string& What) {
  if (!Condition && !Quiet) Faults.push_back(What);
}

bool TWorld::AllowedError(const std::string& Message) const {
  return Message == MischiefMessage || Message == SortingMessage;
}

// ------------------------------------------------------------------ choices

TOstrelItem* TWorld::CardAt(std::uint32_t Choice) const {
  if (!View || View->GetItems()->GetCount() == 0) return nullptr;
  return (*View->GetItems())[static_cast<int>(Choice % static_cast<unsigned>(View->GetItems()->GetCount()))];
}

AnsiString TWorld::MakeText(std::uint32_t Choice) const {
  static const char* const Initials[] = {"", "A", "b", "C", "d", "M", "m", "T", "x", "Z", "0", "7", "_", "\xc3\x89"};
  static const char* const Rests[] = {"", "nna", "ob", "lara", "ax", "all", "ylophone", "oe", "ed", "9"};
  return AnsiString(Initials[Choice % std::size(Initials)]) + Rests[(Choice / 16) % std::size(Rests)];
}

AnsiString TWorld::MakeLine(std::uint32_t Choice) const {
  static const char* const Lines[] = {"Phone=555", "Mail=a@b", "plain line", "=starts", "Name=", "City=Oslo", "x"};
  return Lines[Choice % std::size(Lines)];
}

// A point of the view's client area: anywhere, on a card's value, on a caption, or on a
// divider.
TPoint TWorld::PointFor(std::uint32_t Mode, std::uint32_t Choice) const {
  const int W = std::max(1, View->GetClientWidth());
  const int H = std::max(1, View->GetClientHeight());
  TOstrelItem* Card = CardAt(Choice);
  switch (Mode % 4) {
    case 1:
      if (Card && Card->GetSubItems()->GetCount() > 0) {
        const TRect R = Card->GetSubItemEditRect(static_cast<int>((Choice / 7) % static_cast<unsigned>(Card->GetSubItems()->GetCount())));
        return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
      }
      break;
    case 2:
      if (Card) {
        const TRect R = Card->GetClientRect();
        return TPoint{R.Left + 5, R.Top + 3};
      }
      break;
    case 3:
      if (View->GetColumnCount() > 0)
        return TPoint{View->GetDividerX(1 + static_cast<int>(Choice % static_cast<unsigned>(View->GetColumnCount()))), H / 2};
      break;
    default: break;
  }
  return TPoint{static_cast<int>(Choice % static_cast<unsigned>(W)), static_cast<int>((Choice / 1000) % static_cast<unsigned>(H))};
}

// ------------------------------------------------------------------ operations

std::string TWorld::Execute(const TOp& Op) {
  FRng.seed(Op.Mischief);
  FInInput = IsInput(Op.Kind);
  Faults.clear();
  try {
    ExecuteUnguarded(Op);
  } catch (const Exception& E) {
    // Code that calls the view hears of a handler's exception; input never throws out.
    if (FInInput) Faults.push_back("exception escaped the input path: " + E.Message());
    else if (!AllowedError(E.Message())) Faults.push_back("unexpected error: " + E.Message());
  } catch (const std::exception& E) {
    Faults.push_back(std::string("foreign exception: ") + E.what());
  }
  FInInput = false;
  if (!View) {
    // A handler destroyed the view: the bar must have let go of it.
    if (Bar && Bar->GetOstrel()) Faults.push_back("the bar still links a destroyed card view");
    MakeView();
  }
  if (!Bar) MakeBar();
  std::string Result;
  for (const std::string& F : Faults) Result += (Result.empty() ? "" : "; ") + F;
  return Result;
}

void TWorld::ExecuteUnguarded(const TOp& Op) {
  TOstrelItems* Items = View->GetItems();
  const int Count = Items->GetCount();
  switch (Op.Kind) {
    case TOpKind::Add:
    case TOpKind::Insert: {
      if (Count >= 150) {
        Items->Delete(CardAt(Op.B));
        break;
      }
      // Lines go in within a batch (laid out once) or after, followed by Update.
      const bool Batched = Op.C % 2 == 0;
      TOstrelItem* Item = nullptr;
      {
        std::optional<TUpdateGuard<TOstrelItems>> Batch;
        if (Batched) Batch.emplace(*Items);
        Item = Op.Kind == TOpKind::Add ? Items->Add(MakeText(Op.A))
                                       : Items->Insert(static_cast<int>(Op.B % static_cast<unsigned>(Count + 1)), MakeText(Op.A));
        for (unsigned I = 0; I < (Op.C / 2) % 6; ++I) Item->GetSubItems()->Add(MakeLine(Op.A / 7 + I * 3));
      }
      if (!Batched) Item->Update();
      break;
    }
    case TOpKind::Delete:
      if (TOstrelItem* Item = CardAt(Op.B)) {
        if (Op.C % 3 == 0) Items->Delete(Item);
        else if (Op.C % 3 == 1) Item->Delete();
        else delete Item;
      }
      break;
    case TOpKind::Clear: Items->Clear(); break;
    case TOpKind::Sort: Items->Sort(); break;
    case TOpKind::CustomSort:
      View->SetCustomSort(Op.A % 2 == 0);
      View->SetSorted(Op.B % 3 == 0);
      Items->Sort();
      break;
    case TOpKind::AssignCopy: {
      TOstrelItems Source(nullptr);
      for (unsigned I = 0; I < Op.A % 5; ++I) Source.Add(MakeText(Op.B + I * 17))->GetSubItems()->Add(MakeLine(I));
      if (Op.C % 2) View->SetTableItems(&Source);
      else Items->Assign(&Source);
      break;
    }
    case TOpKind::AssignSelf: Items->Assign(Items); break;
    case TOpKind::Save:
      FSaved.Clear();
      View->SaveToStream(&FSaved);
      break;
    case TOpKind::Load:
      if (FSaved.GetSize() == 0) View->SaveToStream(&FSaved);
      FSaved.SetPosition(0);
      View->LoadFromStream(&FSaved);
      break;
    case TOpKind::BeginBatch:
      if (Batches < 3) {
        Items->BeginUpdate();
        ++Batches;
      }
      break;
    case TOpKind::EndBatch:
      if (Batches > 0) {
        --Batches;
        Items->EndUpdate();
      }
      break;
    case TOpKind::Property: ExecuteProperty(Op); break;
    case TOpKind::BorderStyle: View->SetBorderStyle(View->GetBorderStyle() == bsSingle ? bsNone : bsSingle); break;
    case TOpKind::Ctl3D: View->SetCtl3D(!View->GetCtl3D()); break;
    case TOpKind::RightToLeft: View->SetBiDiMode(Op.A % 2 ? bdRightToLeft : bdLeftToRight); break;
    case TOpKind::SelectByCode:
      if (Op.A % 8 == 0) View->SetSelected(nullptr);
      else if (TOstrelItem* Item = CardAt(Op.B)) (Op.C % 2 ? View->SetSelected(Item) : Item->SetSelected(true));
      break;
    case TOpKind::FocusByCode:
      if (TOstrelItem* Item = CardAt(Op.B)) (Op.C % 2 ? View->SetFocused(Item) : Item->SetFocused(true));
      break;
    case TOpKind::Unselect:
      if (TOstrelItem* Item = View->GetSelected()) Item->SetSelected(false);
      break;
    case TOpKind::SelectByLetter: View->SelectByFirstLetter(static_cast<char>('0' + Op.A % 76)); break;
    case TOpKind::ChangeText:
      if (TOstrelItem* Item = CardAt(Op.B)) Item->SetText(MakeText(Op.A));
      break;
    case TOpKind::ChangeLines:
      if (TOstrelItem* Item = CardAt(Op.B)) {
        TStrings* Lines = Item->GetSubItems();
        if (Op.A % 3 == 0 && Lines->GetCount() > 0) Lines->Delete(static_cast<int>(Op.C % static_cast<unsigned>(Lines->GetCount())));
        else if (Op.A % 3 == 1 && Lines->GetCount() > 0) Lines->Put(static_cast<int>(Op.C % static_cast<unsigned>(Lines->GetCount())), MakeLine(Op.C));
        else Lines->Add(MakeLine(Op.C));
        Item->Update();
      }
      break;
    case TOpKind::EditByCode:
      if (TOstrelItem* Item = CardAt(Op.B); Item && Item->GetSubItems()->GetCount() > 0) {
        const int Line = static_cast<int>(Op.C % static_cast<unsigned>(Item->GetSubItems()->GetCount()));
        if (Op.A % 3 == 0) View->EditSubItem(Item, Line);
        else if (Op.A % 3 == 1) Item->EditSubItem(Line);
        else Item->EditSubItemByName(Item->GetSubItems()->GetName(Line).empty() ? Item->GetSubItems()->Get(Line)
                                                                               : Item->GetSubItems()->GetName(Line));
      }
      break;
    case TOpKind::EndEditByCode:
      if (Op.A % 2 == 0) View->HideItemEditor(Op.B % 2 == 0);
      else if (TOstrelItem* Item = View->GetEditItem()) Item->EndEdit(Op.B % 2 == 0);
      break;
    case TOpKind::Resize: View->SetBounds(70, 0, static_cast<int>(Op.A % 480), static_cast<int>(Op.B % 420)); break;
    case TOpKind::FocusView:
      if (View->CanFocus()) View->SetFocus();
      break;
    case TOpKind::FocusElsewhere:
      if (FOther->CanFocus()) FOther->SetFocus();
      break;
    case TOpKind::BarProperty:
    case TOpKind::BarLink: ExecuteBar(Op); break;
    default: ExecuteInput(Op); break;
  }
}

void TWorld::ExecuteProperty(const TOp& Op) {
  const int V = static_cast<int>(Op.C % 1000);
  switch (Op.B % 20) {
    case 0: View->SetColumnWidth(20 + V % 240); break;
    case 1: View->SetBorderWidth(V % 24 - 2); break;
    case 2: View->SetCaptionHeight(V % 32); break;
    case 3: View->SetItemLineHeight(V % 30 - 2); break;
    case 4: View->SetItemTextWidth(V % 200); break;
    case 5: View->SetSorted(!View->GetSorted()); break;
    case 6: View->SetCustomDrawing(!View->GetCustomDrawing()); break;
    case 7: View->SetReadOnly(!View->GetReadOnly()); break;
    case 8: View->SetAllowSizing(!View->GetAllowSizing()); break;
    case 9: View->SetShowDividers(!View->GetShowDividers()); break;
    case 10: View->SetHideSelection(!View->GetHideSelection()); break;
    case 11: View->SetRightClickSelect(!View->GetRightClickSelect()); break;
    case 12: View->SetItemsHints(!View->GetItemsHints()); break;
    case 13: View->SetNoItemsText(V % 2 ? "" : "Nothing here"); break;
    case 14: View->SetSelectionColor(static_cast<TColor>(V * 4099)); break;
    case 15: View->SetMaxItemHintWidth(V % 300 - 20); break;
    case 16: View->GetCaptionFont()->SetSize(6 + V % 20); break;
    case 17: View->SetCaptionColor(static_cast<TColor>(V * 65537)); break;
    case 18: View->SetDividersColor(static_cast<TColor>(V * 257)); break;
    default: View->SetCustomSort(!View->GetCustomSort()); break;
  }
}

void TWorld::ExecuteBar(const TOp& Op) {
  if (Op.Kind == TOpKind::BarLink) {
    BarLinked = Op.A % 2 == 0;
    Bar->SetOstrel(BarLinked ? View : nullptr);
    return;
  }
  const int V = static_cast<int>(Op.C % 100);
  switch (Op.B % 6) {
    case 0: Bar->SetBarAlignment(Bar->GetBarAlignment() == baVertical ? baHorizontal : baVertical); break;
    case 1: Bar->SetShow123Button(!Bar->GetShow123Button()); break;
    case 2: Bar->SetBorderWidth(V % 12 - 1); break;
    case 3: Bar->SetButtonHeight(V % 40); break;
    case 4: Bar->SetButtonWidth(V % 40); break;
    default: Bar->SetBounds(0, 0, 20 + V, 40 + static_cast<int>(Op.A % 460)); break;
  }
}

void TWorld::ExecuteInput(const TOp& Op) {
  static const Word Keys[] = {VK_LEFT, VK_RIGHT, VK_UP,  VK_DOWN, VK_HOME,  VK_END, VK_PRIOR, VK_NEXT,
                              VK_TAB,  VK_RETURN, VK_ESCAPE, VK_SPACE, VK_BACK, VK_F2, 'A', 'M'};
  static const TMouseButton Buttons[] = {mbLeft, mbLeft, mbLeft, mbRight, mbMiddle};
  const TPoint P = PointFor(Op.A, Op.B);
  const TMouseButton Button = Buttons[Op.C % std::size(Buttons)];
  switch (Op.Kind) {
    case TOpKind::Key: {
      TShiftState Shift;
      if (Op.B % 4 == 0) Shift << ssShift;
      if (Op.B % 7 == 0) Shift << ssCtrl;
      vcltest::PressKey(Keys[Op.A % std::size(Keys)], Shift);
      break;
    }
    case TOpKind::Type:
      // Typing needs a window with the keyboard focus; a destroyed view may have left none.
      if (QApplication::focusWidget()) vcltest::TypeText(std::string("ab 7Q").substr(Op.A % 4, 1 + Op.B % 3));
      break;
    case TOpKind::Press: vcltest::MouseDown(View, P.X, P.Y, Button); break;
    case TOpKind::Release: vcltest::MouseUp(View, P.X, P.Y, Button); break;
    case TOpKind::Click: vcltest::Click(View, P.X, P.Y, Button); break;
    case TOpKind::DoubleClick: vcltest::DoubleClick(View, P.X, P.Y); break;
    case TOpKind::Move: vcltest::MouseMove(View, P.X, P.Y); break;
    case TOpKind::DragDivider: {
      const TPoint D = PointFor(3, Op.B);
      const int To = D.X + static_cast<int>(Op.C % 241) - 120;
      vcltest::MouseMove(View, D.X, D.Y);
      if (View) vcltest::MouseDown(View, D.X, D.Y);
      if (View) vcltest::MouseMove(View, (D.X + To) / 2, D.Y);
      if (View) vcltest::MouseMove(View, To, D.Y);
      if (View) vcltest::MouseUp(View, To, D.Y);
      break;
    }
    case TOpKind::Wheel: {
      static const int Angles[] = {120, -120, 40, -40, 240, -360};
      vcltest::Wheel(View, P.X, P.Y, Op.C % 5 == 4 ? 0 : Angles[Op.C % std::size(Angles)], Op.C % 5 == 4 ? 60 : 0,
                     Op.B % 9 == 0);
      break;
    }
    case TOpKind::ClickToEdit: {
      const TPoint Value = PointFor(1, Op.B);
      vcltest::Click(View, Value.X, Value.Y);
      if (View) vcltest::Click(View, Value.X, Value.Y);
      vcltest::ProcessMessages();
      break;
    }
    case TOpKind::HoverForHint: {
      const TPoint On = PointFor(2, Op.B);
      vcltest::MouseMove(View, On.X + static_cast<int>(Op.A % 30), On.Y + static_cast<int>(Op.C % 30));
      if (View && View->HandleAllocated() && Op.C % 4 != 0) PostMessage(View->GetHandle(), WM_TIMER, 1, 0);
      vcltest::ProcessMessages();
      break;
    }
    case TOpKind::Leave:
      if (Bar) vcltest::MouseMove(Bar, 2, 2);
      break;
    case TOpKind::FireTimer:
      if (View->HandleAllocated()) PostMessage(View->GetHandle(), WM_TIMER, 1 + Op.A % 3, 0);
      vcltest::ProcessMessages();
      break;
    case TOpKind::PostHideEditor:
      if (View->HandleAllocated())
        PostMessage(View->GetHandle(), WM_HIDEEDITOR, Op.A % 2, static_cast<LPARAM>(Op.B % 3 == 0 ? 0 : Op.B % 40));
      if (Op.C % 2) vcltest::ProcessMessages();
      break;
    case TOpKind::ProcessMessages: vcltest::ProcessMessages(); break;
    case TOpKind::ScrollMessage:
      if (View->HandleAllocated()) PostMessage(View->GetHandle(), WM_HSCROLL, Op.A % 9, 0);
      vcltest::ProcessMessages();
      break;
    case TOpKind::BarClick:
      if (Bar->GetButtonCount() > 0) {
        const TRect R = Bar->GetButton(static_cast<int>(Op.A % static_cast<unsigned>(Bar->GetButtonCount()))).Rect;
        vcltest::Click(Bar, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
      }
      break;
    default: break;
  }
}

}  // namespace soak

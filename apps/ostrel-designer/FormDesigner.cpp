#include "FormDesigner.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "Windows.h"

using namespace vcl;

namespace designer {

namespace {

// The designer shows the form it edits; whether the form shows itself when it runs is its
// Visible property, which a new form leaves False.
const char* const ShownLine = "\n  Visible = True\n";

// The controls inside Control, deepest first, so that deleting them in order never leaves
// a control without its parent.
void CollectInside(TControl* Control, std::vector<TControl*>& Result) {
  if (auto* Container = dynamic_cast<TWinControl*>(Control))
    for (int I = 0; I < Container->GetControlCount(); ++I) CollectInside(Container->GetControl(I), Result);
  Result.push_back(Control);
}

// The form text of a designed form; the designer keeps it shown, which is not its Visible.
AnsiString DesignedFormText(TForm* Form) {
  AnsiString Text = WriteComponentText(Form);
  const std::size_t FirstChild = Text.find("\n  object ");
  const std::size_t Shown = Text.find(ShownLine);
  if (Shown != AnsiString::npos && Shown < FirstChild) Text.erase(Shown, std::char_traits<char>::length(ShownLine) - 1);
  return Text;
}

bool Contains(const TPoint& Origin, const TControl* C, const TPoint& P) {
  return P.X >= Origin.X && P.Y >= Origin.Y && P.X < Origin.X + C->GetWidth() && P.Y < Origin.Y + C->GetHeight();
}

}  // namespace

std::shared_ptr<TFormDesigner> TFormDesigner::Create(TWinControl* Host) {
  std::shared_ptr<TFormDesigner> Designer(new TFormDesigner(Host));
  Designer->NewForm();
  return Designer;
}

TFormDesigner::TFormDesigner(TWinControl* Host) : FHost(Host) {}

TFormDesigner::~TFormDesigner() {
  FHandles.Detach();
  if (FForm) FForm->SetDesigner(nullptr);
}

// ---------------------------------------------------------------- the form

void TFormDesigner::NewForm() {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetDesigning(true);
  Form->SetName("Form1");
  Form->SetCaption("Form1");
  Form->SetBounds(8, 8, 480, 360);
  InstallForm(std::move(Form));
  FHistory.Reset(SaveToText());
  Changed();
}

// Everything that can run out of memory happens before the new form replaces the old one.
void TFormDesigner::LoadFromText(const AnsiString& Text) {
  std::unique_ptr<TForm> Form = ReadForm(Text);
  AnsiString Written = DesignedFormText(Form.get());
  InstallForm(std::move(Form));
  FHistory.Reset(std::move(Written));
  Changed();
}

AnsiString TFormDesigner::SaveToText() const { return DesignedFormText(FForm.get()); }

std::unique_ptr<TForm> TFormDesigner::ReadForm(const AnsiString& Text) const {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetDesigning(true);
  ReadComponentText(Text, Form.get());
  if (Form->GetName().empty()) Form->SetName("Form1");
  return Form;
}

void TFormDesigner::InstallForm(std::unique_ptr<TForm> Form) {
  FDrag.reset();
  FHandles.Detach();
  FSelection = nullptr;
  FMenuEditor.reset();
  if (FForm) FForm->SetDesigner(nullptr);
  const std::unique_ptr<TForm> Old = std::exchange(FForm, std::move(Form));
  FForm->SetDesigner(this);
  if (FHost) FForm->SetParent(FHost);
  FForm->Show();
  if (OnSelectionChange) OnSelectionChange(nullptr);
}

// ---------------------------------------------------------------- changes

void TFormDesigner::Modified() {
  FHistory.Record(SaveToText());
  // An editor may have moved or sized the selected control.
  FHandles.Attach(dynamic_cast<TControl*>(FSelection));
  Changed();
}

void TFormDesigner::MarkSaved() {
  FHistory.MarkSaved();
  Changed();
}

void TFormDesigner::Undo() {
  if (!CanUndo()) return;
  const AnsiString Selected = FSelection ? FSelection->GetName() : AnsiString();
  // Read first: should the old text fail to read, the form and the history stay as they are.
  std::unique_ptr<TForm> Form = ReadForm(FHistory.Previous());
  FHistory.Undo();
  InstallForm(std::move(Form));
  if (!Selected.empty()) Select(FForm->FindComponent(Selected));
  Changed();
}

void TFormDesigner::Changed() {
  if (OnChange) OnChange(nullptr);
}

// ---------------------------------------------------------------- dropping

AnsiString TFormDesigner::UniqueName(const TClassInfo& Info) const {
  AnsiString Base = Info.ClassName();
  if (Base.size() > 1 && (Base[0] == 'T' || Base[0] == 't')) Base.erase(0, 1);
  for (int N = 1;; ++N) {
    const AnsiString Name = Base + IntToStr(N);
    if (FForm->FindComponent(Name) == nullptr && !SameText(FForm->GetName(), Name)) return Name;
  }
}

TComponent* TFormDesigner::DropComponent(const TClassInfo& Info, TWinControl* Parent, int X, int Y) {
  TComponent* Component = Info.CreateComponent(FForm.get());
  try {
    Component->SetName(UniqueName(Info));
    if (auto* Control = dynamic_cast<TControl*>(Component)) {
      const TPropInfo* Caption = Info.FindProperty("Caption");
      if (Caption && Caption->Kind == TTypeKind::tkString && Caption->GetStr(Control).empty())
        Caption->SetStr(Control, Control->GetName());
      Control->SetParent(Parent ? Parent : FForm.get());
      // A class that leaves its size to the designer gets a small one.
      const int Width = Control->GetWidth() > 0 ? Control->GetWidth() : 100;
      const int Height = Control->GetHeight() > 0 ? Control->GetHeight() : 25;
      Control->SetBounds(X, Y, Width, Height);
    }
  } catch (...) {
    delete Component;
    throw;
  }
  Select(Component);
  Modified();
  return Component;
}

// ---------------------------------------------------------------- selection

void TFormDesigner::Select(TComponent* Component) {
  if (Component == FForm.get() || (Component && Component->GetOwner() != FForm.get())) Component = nullptr;
  const bool Changed = Component != FSelection;
  FSelection = Component;
  FHandles.Attach(dynamic_cast<TControl*>(Component));
  if (Changed && OnSelectionChange) OnSelectionChange(nullptr);
}

void TFormDesigner::SetBoundsAndHandles(TControl* Control, const TRect& R) {
  Control->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  FHandles.Attach(Control);
}

void TFormDesigner::NudgeSelection(int DX, int DY, bool Size) {
  auto* Control = dynamic_cast<TControl*>(FSelection);
  if (!Control) return;
  TRect R = Control->GetBoundsRect();
  if (Size) {
    R = DragHandle(R, THandle::BottomRight, DX, DY);
  } else {
    R = TRect{R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
  }
  SetBoundsAndHandles(Control, R);
  Modified();
}

void TFormDesigner::DeleteSelection() {
  if (!FSelection) return;
  TComponent* Doomed = std::exchange(FSelection, nullptr);
  FHandles.Detach();
  FMenuEditor.reset();
  FDrag.reset();
  std::vector<TControl*> Inside;
  if (auto* Control = dynamic_cast<TControl*>(Doomed)) {
    CollectInside(Control, Inside);
    for (TControl* C : Inside) delete C;
  } else {
    delete Doomed;
  }
  if (OnSelectionChange) OnSelectionChange(nullptr);
  Modified();
}

// ---------------------------------------------------------------- component editors

TPopupMenu* TFormDesigner::ContextMenu() {
  if (!FContextMenu) FContextMenu = std::make_unique<TPopupMenu>(nullptr);
  TMenuItem* Items = FContextMenu->GetItems();
  Items->Clear();
  FMenuEditor = GetComponentEditor(GetSelection(), shared_from_this());
  for (int I = 0; I < FMenuEditor->GetVerbCount(); ++I) {
    auto* Item = new TMenuItem(nullptr);
    Item->SetCaption(FMenuEditor->GetVerb(I));
    // The editor lives while its verb runs, even when the menu is rebuilt meanwhile.
    Item->SetOnClick([this, I](TObject*) {
      if (const std::shared_ptr<TComponentEditor> Editor = FMenuEditor) Editor->ExecuteVerb(I);
    });
    FMenuEditor->PrepareItem(I, Item);
    Items->Add(Item);
  }
  return FContextMenu.get();
}

void TFormDesigner::ShowContextMenu(int ScreenX, int ScreenY) {
  TPopupMenu* Menu = ContextMenu();
  if (Menu->GetItems()->GetCount() > 0) Menu->Popup(ScreenX, ScreenY);
}

void TFormDesigner::EditSelection() {
  const std::unique_ptr<TComponentEditor> Editor = GetComponentEditor(GetSelection(), shared_from_this());
  Editor->Edit();
}

TForm* TFormDesigner::Preview() {
  auto Form = std::make_unique<TForm>(nullptr);
  ReadComponentText(SaveToText(), Form.get());
  FPreview = std::move(Form);
  FPreview->Show();
  return FPreview.get();
}

// ---------------------------------------------------------------- input

bool TFormDesigner::IsDesignMsg(TControl* Sender, TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      return MouseMessage(Sender, Message);
    case WM_CONTEXTMENU: {
      TPoint P = PointFromLParam(Message.LParam);
      if (P.X == -1 && P.Y == -1) {  // from the keyboard: at the selected control
        auto* Control = dynamic_cast<TControl*>(GetSelection());
        P = (Control ? Control : FForm.get())->ClientToScreen(TPoint{0, 0});
      }
      ShowContextMenu(P.X, P.Y);
      return true;
    }
    // Designed controls show no hints, scroll no wheel and take no typing.
    case CM_MOUSEENTER: case CM_MOUSELEAVE:
    case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL:
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
      return true;
    case CN_KEYDOWN:
      return KeyMessage(Message);
    default:
      return false;
  }
}

bool TFormDesigner::MouseMessage(TControl* Sender, TMessage& Message) {
  const TPoint Screen = Sender->ClientToScreen(PointFromLParam(Message.LParam));
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
      FocusForm();
      if (const TGrabHandle* Handle = FHandles.Find(Sender)) {
        if (auto* Control = dynamic_cast<TControl*>(FSelection))
          FDrag = TDrag{Control, Handle->Which(), Screen, Control->GetBoundsRect()};
        return true;
      }
      TControl* Target = DesignedControlAt(Screen);
      if (const TClassInfo* Info = std::exchange(FDropClass, nullptr)) {
        TWinControl* Parent = ContainerOf(Target);
        const TPoint P = Parent->ScreenToClient(Screen);
        DropComponent(*Info, Parent, P.X, P.Y);
        return true;
      }
      Select(Target);
      if (Target != FForm.get()) FDrag = TDrag{Target, std::nullopt, Screen, Target->GetBoundsRect()};
      return true;
    }
    case WM_MOUSEMOVE:
      if (FDrag) {
        const int DX = Screen.X - FDrag->Start.X, DY = Screen.Y - FDrag->Start.Y;
        const TRect& B = FDrag->Bounds;
        const TRect R = FDrag->Handle ? DragHandle(B, *FDrag->Handle, DX, DY)
                                      : TRect{B.Left + DX, B.Top + DY, B.Right + DX, B.Bottom + DY};
        SetBoundsAndHandles(FDrag->Control, R);
      }
      return true;
    case WM_LBUTTONUP:
      if (FDrag) {
        const bool Moved = FDrag->Control->GetBoundsRect() != FDrag->Bounds;
        FDrag.reset();
        if (Moved) Modified();
      }
      return true;
    case WM_LBUTTONDBLCLK:
      FDrag.reset();
      Select(DesignedControlAt(Screen));
      EditSelection();
      return true;
    case WM_RBUTTONDOWN:
      if (!FHandles.Find(Sender)) Select(DesignedControlAt(Screen));
      return true;
    case WM_RBUTTONUP:
      ShowContextMenu(Screen.X, Screen.Y);
      return true;
    default:
      return true;
  }
}

bool TFormDesigner::KeyMessage(TMessage& Message) {
  const bool Shift = KeyboardShiftState().Contains(ssShift);
  switch (Message.WParam) {
    case VK_LEFT: NudgeSelection(-1, 0, Shift); break;
    case VK_RIGHT: NudgeSelection(1, 0, Shift); break;
    case VK_UP: NudgeSelection(0, -1, Shift); break;
    case VK_DOWN: NudgeSelection(0, 1, Shift); break;
    case VK_DELETE: DeleteSelection(); break;
    default: return false;  // shortcuts of the designer's menus go on
  }
  Message.Result = 1;
  return true;
}

void TFormDesigner::FocusForm() {
  if (FForm->CanFocus() && !FForm->Focused()) FForm->SetFocus();
}

TControl* TFormDesigner::DesignedControlAt(const TPoint& Screen) const {
  TControl* Found = FForm.get();
  for (TWinControl* Container = FForm.get(); Container != nullptr;) {
    TControl* Hit = nullptr;
    for (int I = Container->GetControlCount() - 1; I >= 0 && !Hit; --I) {
      TControl* C = Container->GetControl(I);
      if (C->GetVisible() && C->GetOwner() == FForm.get() &&
          Contains(Container->ClientToScreen(TPoint{C->GetLeft(), C->GetTop()}), C, Screen))
        Hit = C;
    }
    if (!Hit) break;
    Found = Hit;
    Container = dynamic_cast<TWinControl*>(Hit);
  }
  return Found;
}

TWinControl* TFormDesigner::ContainerOf(TControl* Control) const {
  for (; Control && Control != FForm.get(); Control = Control->GetParent())
    if (dynamic_cast<TPanel*>(Control) || dynamic_cast<TGroupBox*>(Control)) return static_cast<TWinControl*>(Control);
  return FForm.get();
}

}  // namespace designer

// Menu items, main and popup menus, and shortcut keys. The window system shows them;
// which key fires which item is decided here.

#include "Menus.h"

#include <algorithm>
#include <cctype>

#include "Forms.h"
#include "TypInfo.h"
#include "backend/MenuBackend.h"

namespace vcl {

// ---------------------------------------------------------------- shortcuts

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key == 0 || Key > 0xFF) return scNone;
  TShortCut Result = Key;
  if (Shift.Contains(ssShift)) Result |= scShift;
  if (Shift.Contains(ssCtrl)) Result |= scCtrl;
  if (Shift.Contains(ssAlt)) Result |= scAlt;
  return Result;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = {};
  if (Value & scShift) Shift << ssShift;
  if (Value & scCtrl) Shift << ssCtrl;
  if (Value & scAlt) Shift << ssAlt;
}

namespace {

struct TKeyName {
  Word Key;
  const char* Name;
};
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},   {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};

AnsiString KeyName(Word Key) {
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return AnsiString(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F12) return "F" + IntToStr(Key - VK_F1 + 1);
  for (const TKeyName& N : KeyNames)
    if (N.Key == Key) return N.Name;
  return {};
}

Word KeyOfName(const AnsiString& Name) {
  for (Word Key = 1; Key <= 0xFF; ++Key)
    if (const AnsiString Known = KeyName(Key); !Known.empty() && SameText(Known, Name)) return Key;
  return 0;
}

}  // namespace

AnsiString ShortCutToText(TShortCut Value) {
  Word Key;
  TShiftState Shift;
  ShortCutToKey(Value, Key, Shift);
  const AnsiString Name = KeyName(Key);
  if (Name.empty()) return {};
  AnsiString Text;
  if (Shift.Contains(ssShift)) Text += "Shift+";
  if (Shift.Contains(ssCtrl)) Text += "Ctrl+";
  if (Shift.Contains(ssAlt)) Text += "Alt+";
  return Text + Name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
  TShiftState Shift;
  AnsiString Rest = Text;
  for (;;) {
    const auto Plus = Rest.find('+', 1);  // a lone "+" would be the key itself
    if (Plus == AnsiString::npos) break;
    const AnsiString Modifier = Rest.substr(0, Plus);
    if (SameText(Modifier, "Shift")) Shift << ssShift;
    else if (SameText(Modifier, "Ctrl")) Shift << ssCtrl;
    else if (SameText(Modifier, "Alt")) Shift << ssAlt;
    else return scNone;
    Rest = Rest.substr(Plus + 1);
  }
  return ShortCut(KeyOfName(Rest), Shift);
}

char GetHotkey(const AnsiString& Caption) {
  for (size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] != '&') continue;
    if (Caption[I + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(Caption[I + 1])));
    ++I;  // "&&" is a plain "&"
  }
  return 0;
}

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  backend::ForgetMenuItem(this);
  while (!FItems.empty()) delete FItems.back();  // each leaves this item as it goes
  if (FParent) FParent->Remove(this);
}

void TMenuItem::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  Changed(false);
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed(false);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (Value && FRadioItem && FParent)
    for (TMenuItem* Sibling : FParent->FItems)
      if (Sibling != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex) Sibling->SetChecked(false);
  Changed(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) return;
  FRadioItem = Value;
  Changed(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed(false);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item == nullptr) throw EMenuError("Cannot insert a nil menu item");
  if (Item->FParent != nullptr) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > GetCount()) throw EMenuError("Menu index out of range");
  for (const TMenuItem* Up = this; Up; Up = Up->FParent)
    if (Up == Item) throw EMenuError("A menu item cannot hold itself");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed(true);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), Item); }

void TMenuItem::Delete(int Index) { delete GetItem(Index); }

void TMenuItem::Remove(TMenuItem* Item) {
  const int Index = IndexOf(Item);
  if (Index < 0) throw EMenuError("Sub-menu is not in menu");
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
  backend::ForgetMenuItem(Item);
  Changed(true);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

TMenuItem* TMenuItem::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EMenuError("Menu index out of range");
  return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TMenu* TMenuItem::GetMenu() const {
  const TMenuItem* Root = this;
  while (Root->FParent) Root = Root->FParent;
  return Root->FMenu;
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

void TMenuItem::Changed(bool Structure) {
  if (TMenu* Menu = GetMenu()) Menu->MenuChanged(this, Structure);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (Value == nullptr) return;
  if (auto* Menu = dynamic_cast<TMenu*>(Value)) return Menu->GetItems()->Add(this);
  if (auto* Item = dynamic_cast<TMenuItem*>(Value)) return Item->Add(this);
  throw EMenuError("A menu item belongs in a menu or a menu item, not in a " + Value->ClassName());
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TMenuItem* Item : FItems)
    if (Item->GetOwner() == Root) Proc(Item);
}

// ---------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  FItems->Clear();
  FItems->FMenu = nullptr;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

void TMenu::MenuChanged(TMenuItem* Item, bool Structure) {
  if (Structure) backend::RebuildMenu(this);
  else backend::UpdateMenuItem(Item);
}

namespace {
TMenuItem* FindShortCutIn(TMenuItem* Parent, TShortCut Value) {
  for (int I = 0; I < Parent->GetCount(); ++I) {
    TMenuItem* Item = Parent->GetItem(I);
    if (!Item->GetVisible()) continue;
    if (Item->GetShortCut() == Value && !Item->IsLine()) return Item;
    if (TMenuItem* Found = FindShortCutIn(Item, Value)) return Found;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut Value) const {
  return Value == scNone ? nullptr : FindShortCutIn(FItems.get(), Value);
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift) {
  TMenuItem* Item = FindShortCut(ShortCut(Key, Shift));
  if (!Item) return false;
  // The submenus on the way open in spirit: their OnClick may update the items' states.
  std::vector<TMenuItem*> Path;
  for (TMenuItem* Up = Item->GetParent(); Up && Up->GetParent(); Up = Up->GetParent()) Path.insert(Path.begin(), Up);
  for (TMenuItem* Up : Path) {
    Up->Click();
    if (FindShortCut(ShortCut(Key, Shift)) != Item) return true;  // a handler rebuilt the menu
  }
  for (TMenuItem* Up = Item; Up; Up = Up->GetParent())
    if (!Up->GetEnabled()) return false;
  Item->Click();
  return true;
}

// ---------------------------------------------------------------- TMainMenu

TMainMenu::~TMainMenu() {
  if (FWindowHandle) backend::SetWindowMenu(FWindowHandle, nullptr);
}

void TMainMenu::SetWindowHandle(HWND Value) {
  if (Value == FWindowHandle) return;
  if (FWindowHandle) backend::SetWindowMenu(FWindowHandle, nullptr);
  FWindowHandle = Value;
  if (FWindowHandle) backend::SetWindowMenu(FWindowHandle, this);
}

void TMainMenu::MenuChanged(TMenuItem* Item, bool Structure) {
  if (FWindowHandle) TMenu::MenuChanged(Item, Structure);
}

// Alt with the accelerator of a visible, enabled top item opens it; F10 alone takes the
// keyboard into the bar.
bool TMainMenu::IsShortCut(Word Key, TShiftState Shift) {
  if (TMenu::IsShortCut(Key, Shift)) return true;
  if (!FWindowHandle) return false;
  if (Key == VK_F10 && Shift == TShiftState{}) return EnterBar();
  if (!(Shift == TShiftState{ssAlt}) || Key > 0xFF) return false;
  return OpenBarItem([Key](TMenuItem* Item) { return GetHotkey(Item->GetCaption()) == static_cast<char>(Key); });
}

// The bar's first usable item opens, from where the arrows move on.
bool TMainMenu::EnterBar() {
  return FWindowHandle && OpenBarItem([](TMenuItem*) { return true; });
}

bool TMainMenu::OpenBarItem(const std::function<bool(TMenuItem*)>& Wanted) {
  TMenuItem* Root = GetItems();
  for (int I = 0; I < Root->GetCount(); ++I) {
    TMenuItem* Item = Root->GetItem(I);
    if (Item->GetVisible() && Item->GetEnabled() && Wanted(Item)) {
      backend::OpenMenuBarItem(FWindowHandle, I);
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- TPopupMenu

TPopupMenu::~TPopupMenu() { SetPopupComponent(nullptr); }

void TPopupMenu::Popup(int X, int Y) {
  if (FOnPopup) FOnPopup(this);
  backend::PopupMenuAt(this, X, Y);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == FPopupComponent) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

// ---------------------------------------------------------------- published

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClassInfo())
          .Creates()
          .String("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption, "")
          .Bool("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked, false)
          .Bool("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled, true)
          .Integer("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex, 0)
          .String("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint, "")
          .Bool("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem, false)
          .Integer("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut, 0)
          .Bool("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible, true)
          .Event("OnClick", &TMenuItem::GetOnClick, &TMenuItem::SetOnClick)
          .Build();
  return Info;
}

const TClassInfo& TMenu::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TMenu>("TMenu", &TComponent::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClassInfo()).Creates().Build();
  return Info;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClassInfo())
          .Creates()
          .Bool("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup, true)
          .Event("OnPopup", &TPopupMenu::GetOnPopup, &TPopupMenu::SetOnPopup)
          .Build();
  return Info;
}

namespace {
[[maybe_unused]] const bool Registered =
    (RegisterClasses({&TMenuItem::StaticClassInfo(), &TMainMenu::StaticClassInfo(), &TPopupMenu::StaticClassInfo()}), true);
}  // namespace

TMenuItem* AddMenuItem(TMenuItem* Parent, const AnsiString& Caption, TNotifyEvent OnClick, TShortCut ShortCut) {
  auto* Item = new TMenuItem(Parent->GetMenu()->GetOwner());
  Item->SetCaption(Caption);
  Item->SetShortCut(ShortCut);
  Item->SetOnClick(std::move(OnClick));
  Parent->Add(Item);
  return Item;
}

}  // namespace vcl

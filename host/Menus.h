#pragma once
// Menus: the items, a form's main menu bar and context (popup) menus, and shortcut keys.

#include <functional>
#include <memory>
#include <vector>

#include "Controls.h"

namespace vcl {

class TMenu;

// ---------------------------------------------------------------- shortcuts

// A key with its shift keys: the virtual-key code in the low byte, scShift, scCtrl and
// scAlt above it; 0 (scNone) is no shortcut.
using TShortCut = Word;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+Ctrl+N", "F2", "Del"; empty for scNone.
AnsiString ShortCutToText(TShortCut ShortCut);
// The shortcut that text names (modifiers in any order, case ignored); scNone when it names none.
TShortCut TextToShortCut(const AnsiString& Text);
// The accelerator of a caption: the character after a single "&", upper-cased; 0 without one.
char GetHotkey(const AnsiString& Caption);

// Fires the shortcut of an item of the popup menus of Control and its parents, then of its
// form's main menu; true when one fired.
bool IsMenuKey(TControl* Control, Word Key, TShiftState Shift);

// ---------------------------------------------------------------- TMenuItem

// A menu command, a submenu (an item with items) or, with the caption "-", a separator.
// Items are components that the form owns; in form files they nest inside their menu and
// their parent item.
class TMenuItem : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TMenuItem(TComponent* AOwner);
  // Frees its own items and leaves its parent.
  ~TMenuItem() override;

  // Shown text; "&" marks the accelerator ("&&" is a plain "&"); "-" makes a separator.
  const AnsiString& GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  // Fires OnClick from anywhere in the form that shows its menu; shown beside the caption.
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // A disabled item is greyed and neither its click nor its shortcut fire. True by default.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Shows a check mark (a dot with RadioItem). False by default.
  bool GetChecked() const { return FChecked; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  // A hidden item takes no room and no shortcut. True by default.
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  const AnsiString& GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  // Also fires when the item's submenu opens, so that it can update its items first.
  const TNotifyEvent& GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }

  // Its items, in order. Add and Insert take an item that has no parent yet
  // (EMenuError otherwise); Delete frees the item; Remove only takes it out.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItem(int Index) const;  // EMenuError outside the range
  TMenuItem* operator[](int Index) const { return GetItem(Index); }
  int IndexOf(const TMenuItem* Item) const;  // -1 when absent
  TMenuItem* GetParent() const { return FParent; }
  // The menu the item belongs to, or null.
  TMenu* GetMenu() const;
  bool IsLine() const { return FCaption == "-"; }
  // Fires OnClick when the item is enabled.
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  // A menu or an item; EMenuError for anything else.
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

private:
  friend class TMenu;
  // Tells the menu's window: a property of this item changed, or (Structure) its items did.
  void Changed(bool Structure);
  AnsiString FCaption;
  TShortCut FShortCut = scNone;
  bool FEnabled = true;
  bool FChecked = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  bool FVisible = true;
  AnsiString FHint;
  TNotifyEvent FOnClick;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item only
  std::vector<TMenuItem*> FItems;
};

class EMenuError : public Exception { public: using Exception::Exception; };

// ---------------------------------------------------------------- menus

// The base of main and popup menus: a root item whose items the menu shows.
class TMenu : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* GetItems() const { return FItems.get(); }
  // Fires the enabled, visible item that has this shortcut (its parents' OnClick first, as
  // when its submenu opens); true when one fired.
  virtual bool IsShortCut(Word Key, TShiftState Shift);
  // The item with that shortcut among the visible ones, or null.
  TMenuItem* FindShortCut(TShortCut Value) const;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

protected:
  friend class TMenuItem;
  // An item's look changed (Structure false) or items were added, moved or removed.
  virtual void MenuChanged(TMenuItem* Item, bool Structure);

private:
  std::unique_ptr<TMenuItem> FItems;
};

// The menu bar of a form (TForm::Menu). Alt with an accelerator of its top items opens
// that item's submenu, whose own accelerators then choose an item; F10, or Alt pressed and
// released alone, opens the first.
class TMainMenu : public TMenu {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  ~TMainMenu() override;
  bool IsShortCut(Word Key, TShiftState Shift) override;
  // Takes the keyboard into the bar by opening its first visible, enabled item (F10, or Alt
  // pressed and released alone); false when there is no window or no such item.
  bool EnterBar();
  // The window that shows the menu as its bar; set by the form.
  HWND GetWindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND Value);

protected:
  void MenuChanged(TMenuItem* Item, bool Structure) override;

private:
  // Opens the first visible, enabled top item that Wanted accepts.
  bool OpenBarItem(const std::function<bool(TMenuItem*)>& Wanted);
  HWND FWindowHandle = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

// A context menu: shown at a screen point by Popup, or by a right click or the context-menu
// key on a control whose PopupMenu it is.
class TPopupMenu : public TMenu {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  ~TPopupMenu() override;
  // Fires OnPopup, then shows the menu with its top left corner at a screen point; returns
  // when the menu has closed, after the chosen item's OnClick (the menu may be freed by then).
  virtual void Popup(int X, int Y);
  // Whether a right click on the control shows the menu. True by default.
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control the menu was last shown for.
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  const TNotifyEvent& GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = std::move(Value); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TNotifyEvent FOnPopup;
};

// A new item at the end of Parent, owned by the owner of Parent's menu (the form), so it
// goes with the form. Caption "-" makes a separator; OnClick may be empty.
TMenuItem* AddMenuItem(TMenuItem* Parent, const AnsiString& Caption, TNotifyEvent OnClick,
                       TShortCut ShortCut = scNone);

}  // namespace vcl

#pragma once
// Common controls: the list view in report style (columns, rows of a caption and sub-items),
// the progress bar and the status bar.

#include <memory>
#include <vector>

#include "Controls.h"

namespace vcl {

class TCustomListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// What changed about a row: its texts, its image, or its state (selected, focused).
enum TItemChange { ctText, ctImage, ctState };
enum TListHotTrackStyle { htHandPoint, htUnderlineCold, htUnderlineHot };
using TListHotTrackStyles = TSet<TListHotTrackStyle>;
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };

// ---------------------------------------------------------------- columns

// One column of the report view: its header caption and width in pixels.
class TListColumn : public TCollectionItem {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  const AnsiString& GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  // 50 by default; negative widths are taken as 0.
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  void Assign(TPersistent* Source) override;

private:
  AnsiString FCaption;
  int FWidth = 50;
};

// The columns of a list view, in order; the first holds the rows' captions, the others
// their sub-items. Stored in form files as "Columns = < item ... end >".
class TListColumns : public TCollection {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TListColumns(TCustomListView* Owner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* GetItem(int Index) const { return static_cast<TListColumn*>(TCollection::GetItem(Index)); }
  TListColumn* operator[](int Index) const { return GetItem(Index); }
  TCustomListView* GetOwner() const { return FOwner; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TCustomListView* FOwner;
};

// ---------------------------------------------------------------- rows

// One row: a caption and the texts of the further columns (SubItems). Its state (Selected,
// Focused) belongs to the list view, which reports every change through OnChange.
class TListItem : public TPersistent {
public:
  explicit TListItem(TListItems* Owner);
  ~TListItem() override;
  TListItems* GetOwner() const { return FOwner; }
  TCustomListView* GetListView() const;

  const AnsiString& GetCaption() const { return FCaption; }
  // Reports ctText when the caption changes.
  void SetCaption(const AnsiString& Value);
  // The texts of columns 2, 3, ...; a change shows at once and reports ctText.
  TStrings* GetSubItems() const;
  void SetSubItems(TStrings* Value);  // copies
  void* GetData() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  // The position in the list.
  int GetIndex() const;
  bool GetSelected() const { return FSelected; }
  // Without MultiSelect, selecting a row deselects the others (reported first).
  void SetSelected(bool Value);
  bool GetFocused() const { return FFocused; }
  // One row at most has the focus; giving it to this one takes it from the other.
  void SetFocused(bool Value);
  // Removes the row from its list and frees it.
  void Delete();
  // Shows the row's texts again (after its sub-items were changed in place).
  void Update();
  // The row's rectangle in the list view's client area; empty without a window or when the
  // row is scrolled out of view.
  TRect DisplayRect(TDisplayCode Code = drBounds) const;
  void Assign(TPersistent* Source) override;

private:
  void SubItemsChanged(TObject*);
  TListItems* FOwner;
  AnsiString FCaption;
  std::unique_ptr<TStrings> FSubItems;
  void* FData = nullptr;
  bool FSelected = false;
  bool FFocused = false;
  friend class TListItems;
  friend class TCustomListView;
};

// The rows of a list view. They live here, not in the window: they exist before the window
// does and survive its re-creation. Stored in form files as the binary "Items.Data".
class TListItems : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TListItems(TCustomListView* Owner);
  ~TListItems() override;
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;

  TCustomListView* GetOwner() const { return FOwner; }
  TListItem* Add();
  // Index 0..Count; EListError outside.
  TListItem* Insert(int Index);
  // EListError outside the range; a selected row reports losing its state first.
  void Delete(int Index);
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TListItem* GetItem(int Index) const;  // EListError outside the range
  TListItem* operator[](int Index) const { return GetItem(Index); }
  int IndexOf(const TListItem* Item) const;  // -1 when absent
  // While a batch is open the window is not updated; the last EndUpdate shows all rows.
  void BeginUpdate();
  void EndUpdate();
  // Another TListItems: captions and sub-items copied, no row selected.
  void Assign(TPersistent* Source) override;

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
  bool FClearing = false;
  friend class TListItem;
  friend class TCustomListView;
};

using TLVChangeEvent = TMethodRef<TObject* /*Sender*/, TListItem* /*Item*/, TItemChange /*Change*/>;

// ---------------------------------------------------------------- TCustomListView

// A list of rows over the window system's item view; in report style (vsReport) it shows a
// header with the columns and one line per row. Clicks and arrow keys move the selection;
// every change of a row's state or texts, by the user or by code, fires OnChange with the
// row and the kind of change; a move of the selection reports the row that lost it, then
// the row that gained it.
class TCustomListView : public TWinControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns* GetColumns() const { return FColumns.get(); }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TListItems* GetItems() const { return FItems.get(); }
  void SetItems(TListItems* Value) { FItems->Assign(Value); }
  // vsIcon by default; only vsReport shows the column header, the others a plain list.
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  // The first selected row, or null. Setting selects that row alone (null deselects all).
  TListItem* GetSelected() const;
  void SetSelected(TListItem* Value);
  TListItem* GetItemFocused() const;
  void SetItemFocused(TListItem* Value);
  int GetSelCount() const;
  // The row at a client point, or null (the header and empty space have none).
  TListItem* GetItemAt(int X, int Y);
  // A click anywhere on a row selects it, and the whole row is highlighted. False by default.
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  // The selection is hidden while the control has not the focus. True by default.
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // Captions cannot be edited in place. False by default (F2 or a click on the selected
  // row's caption edits it; the new caption reports ctText).
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // The column headers act as buttons (OnColumnClick). True by default.
  bool GetColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value);
  // Empty (the default) means no hot tracking; otherwise the row under the pointer is
  // highlighted.
  TListHotTrackStyles GetHotTrackStyles() const { return FHotTrackStyles; }
  void SetHotTrackStyles(TListHotTrackStyles Value);
  // More than one row may be selected. False by default.
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  const TLVChangeEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TLVChangeEvent Value) { FOnChange = std::move(Value); }
  using TLVColumnClickEvent = TMethodRef<TObject* /*Sender*/, TListColumn* /*Column*/>;
  const TLVColumnClickEvent& GetOnColumnClick() const { return FOnColumnClick; }
  void SetOnColumnClick(TLVColumnClickEvent Value) { FOnColumnClick = std::move(Value); }

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change(TListItem* Item, TItemChange Change);

private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumns;
  // Gives each row its new state; rows that lose state report first, then rows that gain it.
  void ApplyStates(const std::vector<bool>& Selected, int Focused);
  void ItemTextChanged(TListItem* Item);
  // The window shows what the framework holds: everything, the columns, the options.
  void SyncRows();
  void SyncColumns();
  void SyncOptions();
  void SyncStates();
  void CNNotify(TMessage& Message);

  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  TViewStyle FViewStyle = vsIcon;
  bool FRowSelect = false;
  bool FHideSelection = true;
  bool FReadOnly = false;
  bool FColumnClick = true;
  TListHotTrackStyles FHotTrackStyles;
  bool FMultiSelect = false;
  TBorderStyle FBorderStyle = bsSingle;
  TLVChangeEvent FOnChange;
  TLVColumnClickEvent FOnColumnClick;
};

// The list view with its properties published.
class TListView : public TCustomListView {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};

// ---------------------------------------------------------------- progress bar

// A sunken bar that fills from the leading edge (the right one, right to left) in the
// highlight colour as Position goes from Min to Max. 150 x 16 by default.
class TProgressBar : public TCustomControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TProgressBar(TComponent* AOwner);

  // 0 and 100 by default. Setting one past the other moves the other along; Position is
  // clamped into the new range.
  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  // 0 by default, clamped to Min..Max; a change repaints the bar.
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value);
  // The filled part of the client area for the current position (empty at Min).
  TRect GetFilledRect() const;

protected:
  void Paint() override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
};

// ---------------------------------------------------------------- status bar

// The strip along the bottom of a form (Align alBottom, 19 pixels high by default) that
// shows SimpleText at its leading edge. Other controls (a progress bar, a button) can be
// placed on it.
class TStatusBar : public TCustomControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TStatusBar(TComponent* AOwner);

  // The text shown; empty by default. A change repaints the bar.
  const AnsiString& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const AnsiString& Value);

protected:
  void Paint() override;

private:
  AnsiString FSimpleText;
};

}  // namespace vcl

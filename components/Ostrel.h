#pragma once
// The card view: a card (TOstrelItem), the ordered card list (TOstrelItems) and the
// custom-drawn control that lays the cards out in columns and scrolls them sideways
// (TOstrel). The three refer to each other in a circle, so they share one header; the
// implementation is split by concern (item, list, stream, shell, layout, paint).

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Classes.h"
#include "OstrelCardLayout.h"
#include "OstrelCardSelection.h"
#include "OstrelCardStore.h"
#include "OstrelColumns.h"
#include "OstrelDividerDrag.h"
#include "OstrelSlides.h"
#include "OstrelTypeAhead.h"
#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"
#include "Messages.h"
#include "OleAcc.h"
#include "StdCtrls.h"
#include "SysUtils.h"
#include "Types.h"
#include "Windows.h"

namespace ostrel {

using namespace vcl;

class TOstrelItem;
class TOstrelItems;
class TOstrel;
class TOstrelEditor;
struct TTextKey;

// Posted by the in-place editor to its card view to end the edit: WParam 1 keeps the typed
// value, 0 discards it.
constexpr unsigned WM_HIDEEDITOR = WM_USER + 100;

using TOstrelItemNotifyEvent = TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/>;
using TOstrelItemHeightEvent = TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/, int& /*ItemHeight*/>;
using TOstrelChangingEvent = TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/, bool& /*AllowChange*/>;
using TOstrelItemDrawEvent =
    TMethodRef<TObject* /*Sender*/, TCanvas* /*Canvas*/, TOstrelItem* /*Item*/, TRect& /*Rect*/>;
using TOstrelSortItemsEvent =
    TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item1*/, TOstrelItem* /*Item2*/, int& /*CompareResult*/>;
// Appends the card's sort key to Key (empty on entry); see OnItemSortKey.
using TOstrelItemSortKeyEvent = TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/, AnsiString& /*Key*/>;
using TOstrelColumnSizedEvent = TMethodRef<TObject* /*Sender*/, int /*NewSize*/>;
using TOstrelEditingSubItemEvent =
    TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/, int /*SubItem*/, bool& /*CanEdit*/>;
using TOstrelEditedSubItemEvent =
    TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/, int /*SubItem*/, AnsiString& /*NewText*/>;
using TOstrelItemHintEvent = TMethodRef<TObject* /*Sender*/, TOstrelItem* /*Item*/, AnsiString& /*ItemHint*/,
                                        int& /*MaxWidth*/, bool& /*ShowHint*/>;

// ------------------------------------------------------------------ card stream errors

// Bytes that are not a card list as far as they go: where reading stopped and why. The
// source, when known, is the file the bytes came from.
class EOstrelReadError : public EReadError {
public:
  EOstrelReadError(const AnsiString& Source, std::int64_t Offset, const AnsiString& Problem);
  const AnsiString& GetSource() const { return FSource; }
  std::int64_t GetOffset() const { return FOffset; }
  const AnsiString& GetProblem() const { return FProblem; }

private:
  AnsiString FSource;
  std::int64_t FOffset;
  AnsiString FProblem;
};

// ------------------------------------------------------------------ card

// One card: a caption, sub-item lines ("Name=Value" pairs or plain lines), a hint and an
// opaque application value. Cards are made and owned by their list.
class TOstrelItem : public TPersistent {
public:
  // Makes an unattached card; cards for use come from TOstrelItems::Add and friends.
  explicit TOstrelItem(TOstrelItems* AOwner);
  // A plain delete of a listed card takes the same steps as Delete; a handler's exception
  // then goes to Application->HandleException.
  ~TOstrelItem() override;
  // Destroys the card: a selected card hands the selection to nobody (OnChanging may not
  // refuse), the focus passes to the card before (or after) it, OnDeletion fires, the card
  // leaves its list and, outside a batch, the control relayouts. EListError while the list
  // sorts. A handler's exception is raised once every step has run.
  void Delete();

  // The caption (empty by default). A change re-sorts a sorted control's list, otherwise
  // repaints the card.
  AnsiString GetText() const { return AnsiString(FSubItems.Entry(0)); }
  void SetText(const AnsiString& Value);
  // The card's lines, "Name=Value" or plain; owned by the card. After changing them, call
  // Update so that the control relayouts.
  TStrings* GetSubItems() const { return &FSubItems; }
  // An application value, null by default; never looked at. The card stream keeps its low
  // 32 bits only.
  void* GetData() const { return FData; }
  void SetData(void* Value);
  // The text of the card's hint window (empty by default); OnItemHint may rewrite it.
  AnsiString GetHint() const { return AnsiString(FSubItems.Entry(1)); }
  void SetHint(const AnsiString& Value);
  // Whether the card shows its hint while the control's ItemsHints is on; true by default.
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // Whether the card is its control's selected card; false for a card of no control.
  bool GetSelected() const;
  // True selects the card (OnChanging may refuse); false clears the selection when this card
  // is the selected one. Nothing for a card of no control.
  void SetSelected(bool Value);
  // Whether the card is its control's focused card.
  bool GetFocused() const;
  // True focuses the card; false does nothing, as a list with cards always has a focused card.
  void SetFocused(bool Value);
  int GetIndex() const;  // -1 while unattached
  // A flag kept for the application; false by default and never set by the control.
  bool GetEdited() const { return FEdited; }
  // The card view of the card's list, or null.
  TOstrel* GetTable() const;
  // The list that made the card.
  TOstrelItems* GetOwnerList() const { return FOwner; }
  // The column the control's last layout gave the card, 0-based; 0 before one.
  int GetColumn() const;
  // The card's top in client pixels from that layout; 0 before one.
  int GetTop() const;

  // Copies text, Data and sub-items of another card; nothing else.
  void Assign(TPersistent* Source) override;
  // Same text, Data and sub-items; the hint does not count.
  bool IsEqual(const TOstrelItem* Item) const;
  // Relayouts the control after the caller changed SubItems.
  void Update();

  // Opens the control's in-place editor on sub-item Index; false when refused or when the
  // card belongs to no control. "Index out of range" outside the sub-items.
  bool EditSubItem(int Index);
  // Opens the editor on the first sub-item called Name; "SubItem not found" when none is.
  void EditSubItemByName(const AnsiString& Name);
  // Ends whatever edit the control has open: the value is stored unless Cancel.
  void EndEdit(bool Cancel);

  // First sub-item whose name (or whole text, for a plain line) equals Name; -1 when none.
  int GetSubItemIndex(const AnsiString& Name) const;
  bool IsSubItemNameAndValue(int Index) const;  // "Index out of range" outside the sub-items

  // Geometry, from the control's last layout, in client pixels.
  // The card's rectangle; empty for a card of no control or not in a list.
  TRect GetClientRect() const;
  // The height the control gives the card when no handler decides it: a line height per
  // sub-item plus the caption height; 16 for a card of no control.
  int GetDefaultHeight() const;
  // Repaints the card and its focus frame later; nothing inside a batch or without a window.
  void Invalidate();
  // The rectangle of sub-item line Index across the card; empty for a card of no control.
  TRect GetSubItemRect(int Index) const;
  // The name part of that line: ItemTextWidth wide (at most the column) on the reading side
  // when the line has a name, else the whole line.
  TRect GetSubItemNameRect(int Index) const;
  // The value part of that line, which the in-place editor covers: the rest of the line
  // after the name, or the whole line less 3 pixels each side.
  TRect GetSubItemEditRect(int Index) const;

  // Card stream format: the card's record (version, caption, Data, sub-items, show-hint
  // flag, hint). Reading replaces the card's fields one by one; a short or broken stream
  // raises EOstrelReadError and leaves the fields read before it.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const;
  // One string of the format: a 32-bit length, then the bytes. Writing a string longer than
  // 2^31 - 1 bytes raises EWriteError.
  static AnsiString ReadString(TStream* Stream);
  static void WriteString(std::string_view S, TStream* Stream);

private:
  friend class TOstrelItems;
  friend class TOstrel;
  friend class TCardLayout;  // keeps the card's place while the engine cannot say it
  friend class TCardSelection;  // holds only cards that are listed and not going

  // The deletion steps before the card is freed (hand-over, notifications, removal). They
  // go on past a handler's exception; the first one is returned for the caller to raise.
  std::exception_ptr Unlink() noexcept;
  // Takes every field the card stream stores from Source, as writing Source and reading the
  // record back would: Data keeps its low 32 bits, a line holding a line break splits. The
  // strings go into Arena; Lines is room for splitting them, reused from card to card.
  void CopyStoredFields(const TOstrelItem& Source, TCardArena& Arena, std::vector<std::string_view>& Lines);
  // WriteData, with Lines as room for the sub-item text, reused from card to card.
  void WriteRecord(TStream* Stream, AnsiString& Lines) const;
  // Data as the card stream keeps it: its low 32 bits.
  static void* StoredData(void* Data);

  // Where the card last stood in its list's slots, as far as the field holds it.
  void RememberSlot(int Slot) const;

  TOstrelItems* FOwner;
  // What the layout reads of every card lies together: the place and, right after it, the
  // line count. The place is kept here only while its control's layout says so
  // (TCardLayout::PlaceOf), which otherwise works it out; only the layout writes it.
  int FColumn = 0;
  int FTop = 0;
  // The sub-items, and behind them the caption and the hint in the same block; handed out
  // for change even from a const card.
  mutable TOstrelSubItems FSubItems;
  void* FData = nullptr;
  // Where the card last stood in its list's slots: GetIndex checks it and searches outward
  // from it when the list has moved the card, so a card asked twice costs nothing.
  static constexpr std::uint32_t SlotHintLimit = (1u << 27) - 1;
  mutable std::uint32_t FSlotHint : 27 = 0;
  bool FAttached : 1 = false;
  bool FDeleting : 1 = false;  // the deletion steps have started; another Delete does nothing
  bool FTakenOut : 1 = false;  // Clear took the card out of the list before deleting it
  bool FEdited : 1 = false;
  bool FShowHint : 1 = true;
};

// A card is its object and one block of strings: the object stays within a cache line.
static_assert(sizeof(TOstrelItem) <= 64);

// ------------------------------------------------------------------ card list

// The cards of one control in display order. Changes outside a batch relayout the control.
class TOstrelItems : public TPersistent {
public:
  // A class of its own for the form designer, whose editors are chosen by property type;
  // no published properties (the cards are stored as the binary property "Data").
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  // An empty list of the card view ATable (null for a list of no control).
  explicit TOstrelItems(TOstrel* ATable);
  ~TOstrelItems() override;  // clears (OnDeletion per card), then frees the list

  // The number of cards; 0 at first.
  int GetCount() const { return FList.GetCount() - FCleared; }
  // The card at Index, 0-based in display order; EListError outside 0..Count-1.
  TOstrelItem* GetItemFromIndex(int Index) const;
  // Items[Index], as GetItemFromIndex.
  TOstrelItem* operator[](int Index) const { return GetItemFromIndex(Index); }
  // Copies Value's text, Data and sub-items into the card at Index (TOstrelItem::Assign);
  // EListError outside 0..Count-1.
  void SetItem(int Index, TOstrelItem* Value);
  // The first card, or null while the list is empty.
  TOstrelItem* GetFirstItem() const;
  // The last card, or null while the list is empty.
  TOstrelItem* GetLastItem() const;
  // The card view's window handle (made on demand).
  HWND GetHandle() const;
  // The card view the list belongs to.
  TOstrel* GetTable() const { return FTable; }

  // Adding a card: Add and AddObject put it last, Insert and InsertObject at Index
  // (0..Count, else EListError), with the text S and Data (null for Add and Insert). The
  // first card of an empty list becomes the focused one. Outside a batch, a sorted control
  // then sorts, any other relayouts. Returns the new card; EListError while the list sorts.
  TOstrelItem* Add(const AnsiString& S);
  TOstrelItem* AddObject(const AnsiString& S, void* Data);
  TOstrelItem* Insert(int Index, const AnsiString& S);
  TOstrelItem* InsertObject(int Index, const AnsiString& S, void* Data);
  // Deletes Item as TOstrelItem::Delete does; nothing for null.
  void Delete(TOstrelItem* Item);
  // Deletes every card, first card first, each with OnDeletion; the selection and focus end
  // up empty without OnChanging or OnChange. Relayouts once, outside a batch.
  void Clear();
  // A batch: changes between BeginUpdate and the matching EndUpdate neither sort nor
  // relayout; the last EndUpdate relayouts once. Nested batches count.
  void BeginUpdate();
  void EndUpdate();
  // The depth of open batches; 0 outside one.
  int GetUpdateCount() const { return FUpdateCount; }
  // Whether Clear is running (an OnDeletion handler may ask).
  bool GetClearing() const { return FClearing; }
  // Sorts the cards by caption, byte by byte as CompareStr does (equal captions in no
  // particular order), or by OnSortItems while the control's CustomSort is on. Relayouts
  // outside a batch; a comparison's exception goes on to the caller, the cards laid out as
  // they ended up. EListError when called from a comparison.
  void Sort();

  // Replaces all cards by copies of another list's cards, sorted.
  void Assign(TPersistent* Source) override;

  // The whole list in the card stream format: the header, then a record per card. ReadData
  // clears the list first; a short or broken stream raises EOstrelReadError and keeps the
  // cards read before it.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const;
  // The list's first 8 bytes, for readers and writers that go a card at a time: ReadHeader
  // gives the card count (a negative one is none).
  static int ReadHeader(TStream* Stream);
  static void WriteHeader(TStream* Stream, int Count);

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  friend class TOstrelItem;
  friend class TOstrel;
  friend class TCardLayout;  // walks the cards in list order

  bool ItemsDataDiffers(TFiler* Filer) const;
  void Relayout();
  TOstrelItem* NewItem(int Index, const AnsiString& S, void* Data);
  // Puts a new card of this list at Index, with the effects of adding one (focus, and
  // outside a batch the sort or relayout); returns it.
  TOstrelItem* Attach(std::unique_ptr<TOstrelItem> Item, int Index);
  // Before the arena goes: the cards still deleting keep their strings.
  void ReleaseArena() noexcept;
  void CheckNotSorting() const;  // the sort holds the list; changing it then is an error
  // Sorts by the event or by text; TextKeys, when not null, are the keys of the cards'
  // texts in list order, which a sort by text then need not read.
  void SortCards(std::vector<TTextKey>* TextKeys);
  void SortByText(std::vector<TTextKey>* Known);
  // Sorts by the keys of the card view's OnItemSortKey, one call per card.
  void SortByItemKeys();
  // Key of Item through OnItemSortKey; a card added or deleted meanwhile raises EListError.
  void ItemSortKey(TOstrelItem* Item, AnsiString& Key);
  // The cards take the order of Keys, whose slots are those of the cards now.
  void TakeOrderOf(const std::vector<TTextKey>& Keys);
  // For loops that read the strings of every card in list order.
  static void PrefetchAhead(void* const* Slots, int I, int Count);
  // Puts Cards, unattached cards of this list, at the end in one pass.
  void AttachAll(std::vector<std::unique_ptr<TOstrelItem>>& Cards);
  // The slot of FList that holds Item, or -1; searched outward from Hint, so that a card
  // that an insert or delete moved by a few slots is found after a few steps.
  int SlotOf(const TOstrelItem* Item, int Hint) const;
  void StructureChanged();                                // cannot be localised
  void StructureChanged(int At, int Removed, int Inserted);  // cards replaced at one index

  int FCleared = 0;  // slots at the front of FList that a running Clear has emptied
  bool FSorting = false;
  std::vector<TOstrelItem*> FUnlinking;  // cards whose deletion steps are running
  TCardArena FArena;  // the strings of the cards read in bulk

  bool FClearing = false;
  TList FList;
  TOstrel* FTable;
  int FUpdateCount = 0;
};

// ------------------------------------------------------------------ in-place editor

// The borderless single-line editor that a card view lays over one sub-item's value. Enter
// and Escape ask the card view to end the edit (posted, never from inside the editor's own
// handlers); typed characters also pass the card view's OnKeyPress. While it has the caret,
// the form still sees the card view as its active control.
class TOstrelEditor : public TCustomEdit {
public:
  explicit TOstrelEditor(TComponent* AOwner);
  // The card view that owns the editor; EInvalidCast when the owner is something else.
  TOstrel* GetOstrel() const;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  void CMWantSpecialKey(TWMKey& Message);
  // Asks the card view to end this edit once the current handler has returned.
  void PostHide(bool Accept);
};

// ------------------------------------------------------------------ card view

// The card view: a custom-drawn control that stacks its cards in columns from the top and
// scrolls the columns sideways. It owns one card list for its whole life.
class TOstrel : public TCustomControl {
public:
  // 120 x 60, white, a tab stop, double-buffered, with a single border and an empty list; the
  // property defaults are given below. No layout until the control has a window.
  explicit TOstrel(TComponent* AOwner);
  // Destroys every card, first card first, each with OnDeletion.
  ~TOstrel() override;

  // The class description that streaming and the form designer read: the published
  // properties and events below, in the order a form file stores them.
  static const TClassInfo& StaticClassInfo();
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }

  // Published properties. Setting the value a property already has does nothing.

  // The cards. The list object is the control's for its whole life: setting Items copies
  // the given list's cards into it (TOstrelItems::Assign). A form file keeps the cards in
  // the list's binary property "Data".
  TOstrelItems* GetItems() const { return FItems.get(); }
  void SetTableItems(TOstrelItems* Value);
  // False by default. While true, OnItemHeight gives the cards' heights and OnDrawItem draws
  // them, each when assigned; relayout and repaint.
  bool GetCustomDrawing() const { return FCustomDrawing; }
  void SetCustomDrawing(bool Value);
  // Pixel metrics are kept within +-MaxMetric (a form file's 2^31 would overflow every sum
  // of them); inside that range each setter stores what it is given.
  static constexpr int MaxMetric = 1 << 24;
  // Height of one sub-item line (default 16); relayout and repaint.
  int GetItemLineHeight() const { return FItemLineHeight; }
  void SetItemLineHeight(int Value);
  // Height of a card's caption band (default 16); relayout and repaint.
  int GetCaptionHeight() const { return FCaptionHeight; }
  void SetCaptionHeight(int Value);
  // The caption band of a card not drawn selected (default clSilver); repaint.
  TColor GetCaptionColor() const { return FCaptionColor; }
  void SetCaptionColor(TColor Value);
  // The captions' font, owned (the framework's default font at first). Setting it copies
  // the given font; any change of the owned font, of one attribute too, repaints.
  TFont* GetCaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(TFont* Value);
  // Width of every column (default 100); raised to 40 and at most MaxMetric; relayout.
  int GetColumnWidth() const { return FColumnWidth; }
  void SetColumnWidth(int Value);
  // Width of the name part of a line (default 70); lowered to ColumnWidth.
  int GetItemTextWidth() const { return FItemTextWidth; }
  void SetItemTextWidth(int Value);
  // Margin around and between cards (default 6; may be negative); relayout, repaint at once.
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // bsSingle (default): a sunken edge with Ctl3D on, else a one-pixel line; bsNone: no
  // border. A change re-creates the window; cards, selection and scroll position stay.
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // The text an empty control shows ("No Items" by default; always stored); repaint.
  const AnsiString& GetNoItemsText() const { return FNoItemsText; }
  void SetNoItemsText(const AnsiString& Value);
  // Whether lines are drawn between the columns; true by default; repaint.
  bool GetShowDividers() const { return FShowDividers; }
  void SetShowDividers(bool Value);
  // The colour of those lines (default clSilver); repaint.
  TColor GetDividersColor() const { return FDividersColor; }
  void SetDividersColor(TColor Value);
  // The caption band of the selected card (default clHighlight); repaint.
  TColor GetSelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value);
  // The caption text of the selected card (default clHighlightText); repaint.
  TColor GetSelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value);
  // Whether dragging a divider sizes the columns (firing OnColumnSized at the end); true by
  // default.
  bool GetAllowSizing() const { return FAllowSizing; }
  void SetAllowSizing(bool Value);
  // Whether the selected card looks unselected while the control lacks the focus; false by
  // default; repaint.
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // Whether the cards are kept sorted (see TOstrelItems::Sort); false by default. Turning it
  // on sorts at once; turning it off keeps the order.
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Whether sorting asks OnSortItems instead of comparing captions; false by default. A
  // change does not sort.
  bool GetCustomSort() const { return FCustomSort; }
  void SetCustomSort(bool Value);
  // Whether a right press selects the card under the pointer; true by default.
  bool GetRightClickSelect() const { return FRightClickSelect; }
  void SetRightClickSelect(bool Value);
  // Whether the mouse may not start an in-place edit; false by default. Every change closes
  // an open editor and drops its text, without OnEditedSubItem.
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // The widest a hint window may be, in pixels (default 100); values below 20 become 20.
  int GetMaxItemHintWidth() const { return FMaxItemHintWidth; }
  void SetMaxItemHintWidth(int Value);
  // Whether resting the pointer on a card shows its hint (see OnItemHint); false by default.
  bool GetItemsHints() const { return FItemsHints; }
  void SetItemsHints(bool Value) { FItemsHints = Value; }
  // Letters typed within a second of each other select, as a key move does, the first card
  // whose caption starts with them (Latin, Greek and Cyrillic letters in either case).
  // False by default: the keys then do what they always did.
  bool GetTypeAhead() const { return FTypeAhead; }
  void SetTypeAhead(bool Value);

  // Public, not published.
  // The selected card, or null (at first). Setting another card fires OnChanging (false
  // keeps the old one), repaints both cards, scrolls the new one into view and fires
  // OnChange; a card of another list is ignored.
  TOstrelItem* GetSelected() const { return FSelected; }
  void SetSelected(TOstrelItem* Value);
  // The focused card, the one the keys move from and the focus frame shows: the first card
  // added to an empty list, then wherever selection and keys put it. Setting it repaints
  // both cards and fires nothing; a card of another list is ignored.
  TOstrelItem* GetItemFocused() const { return FItemFocused; }
  void SetFocused(TOstrelItem* Value);

  // Published events, none assigned at first. An event fires only when assigned.

  // (Sender, Item): a card of the list is being destroyed (deleted, cleared, or with the
  // control); the card is still readable.
  const TOstrelItemNotifyEvent& GetOnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TOstrelItemNotifyEvent Value) { FOnDeletion = std::move(Value); }
  // (Sender, Item, ItemHeight): while CustomDrawing is on, the layout asks the card's height
  // in pixels; ItemHeight enters as the card's default height.
  const TOstrelItemHeightEvent& GetOnItemHeight() const { return FOnItemHeight; }
  // A new handler may answer other heights: the next layout is a full one.
  void SetOnItemHeight(TOstrelItemHeightEvent Value);
  // (Sender, Item): the selection changed to Item (null for none).
  const TOstrelItemNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TOstrelItemNotifyEvent Value) { FOnChange = std::move(Value); }
  // (Sender, Item, AllowChange): Item (or null) is about to be selected; AllowChange enters
  // true, and false keeps the selection as it is.
  const TOstrelChangingEvent& GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TOstrelChangingEvent Value) { FOnChanging = std::move(Value); }
  // (Sender, Canvas, Item, Rect): while CustomDrawing is on, draws the card in Rect, its
  // rectangle in client pixels, instead of the control.
  const TOstrelItemDrawEvent& GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TOstrelItemDrawEvent Value) { FOnDrawItem = std::move(Value); }
  // (Sender, Item1, Item2, CompareResult): while CustomSort is on, the sort's comparison;
  // CompareResult enters 0 and is to be negative, 0 or positive.
  const TOstrelSortItemsEvent& GetOnSortItems() const { return FOnSortItems; }
  void SetOnSortItems(TOstrelSortItemsEvent Value) { FOnSortItems = std::move(Value); }
  // (Sender, NewSize): a divider drag ended, leaving every column NewSize pixels wide.
  const TOstrelColumnSizedEvent& GetOnColumnSized() const { return FOnColumnSized; }
  void SetOnColumnSized(TOstrelColumnSizedEvent Value) { FOnColumnSized = std::move(Value); }
  // (Sender, Item, SubItem, CanEdit): an in-place edit of that line may start; CanEdit
  // enters with the control's answer, and false refuses. Also asked for the pointer's shape.
  const TOstrelEditingSubItemEvent& GetOnEditingSubItem() const { return FOnEditingSubItem; }
  void SetOnEditingSubItem(TOstrelEditingSubItemEvent Value) { FOnEditingSubItem = std::move(Value); }
  // (Sender, Item, SubItem, NewText): an in-place edit was accepted; NewText enters as the
  // typed text and is what gets stored.
  const TOstrelEditedSubItemEvent& GetOnEditedSubItem() const { return FOnEditedSubItem; }
  void SetOnEditedSubItem(TOstrelEditedSubItemEvent Value) { FOnEditedSubItem = std::move(Value); }
  // (Sender, Item, ItemHint, MaxWidth, ShowHint): a card's hint is about to show; each
  // enters as the card's Hint, MaxItemHintWidth and the card's ShowHint, and may be changed.
  const TOstrelItemHintEvent& GetOnItemHint() const { return FOnItemHint; }
  void SetOnItemHint(TOstrelItemHintEvent Value) { FOnItemHint = std::move(Value); }

  // ---------------------------------------------------------------- Extensions
  // Sorting by keys. Unassigned by default, and then every sort and SelectByFirstLetter are
  // as described above. When assigned, every sort (Sort, Sorted, a caption change, loading)
  // calls it once per card and orders the cards by their keys compared byte by byte, as
  // CompareStr does, instead of by OnSortItems or by caption; cards of equal keys end in no
  // particular order, and a list already in the keys' order is left as it is. The keys live
  // for the sort only. The handler may not add or delete cards: that raises EListError. Any
  // exception ends the sort with every card where it was. SelectByFirstLetter then finds the
  // first card whose key is not below the key of a card captioned with the letter alone.
  const TOstrelItemSortKeyEvent& GetOnItemSortKey() const { return FOnItemSortKey; }
  void SetOnItemSortKey(TOstrelItemSortKeyEvent Value) { FOnItemSortKey = std::move(Value); }

  // Card stream format.

  // Replaces the cards with those of a card file, sorting them when Sorted, with one
  // relayout. A short or broken file raises EOstrelReadError naming the file and the
  // offset, and keeps the cards read before it; EFOpenError when it cannot be opened.
  void LoadFromFile(const AnsiString& FileName);
  // LoadFromFile from a stream, from its position on.
  void LoadFromStream(TStream* Stream);
  // Writes the cards to a card file. The file is replaced only once all of it is written:
  // a failed save raises and leaves the old file as it was.
  void SaveToFile(const AnsiString& FileName);
  // Writes the cards to a stream at its position.
  void SaveToStream(TStream* Stream);

  // Layout and scrolling. Without a window there is no layout, and these do nothing.

  // Places the cards in columns from the top, a new column when a card would pass the
  // client area's bottom less BorderWidth; sets ColumnCount.
  void CalcItemsPos();
  // Works out TotalWidth from the columns and updates the scroll bar.
  void RecalcDimensions();
  // Sets the scroll bar's range and page for TotalWidth (no bar while everything fits);
  // Delta is the change of TotalWidth, which keeps a right-to-left view where it was.
  void UpdateHScrollBar(int Delta);
  // Scrolls to Pos pixels from the left, kept within 0..TotalWidth - ClientWidth.
  void SetHScrollPosition(int Pos);
  // A card's height in pixels: a line height per sub-item plus the caption height, or, with
  // CustomDrawing on, what OnItemHeight answers; kept within +-2^30.
  virtual int ItemHeight(TOstrelItem* Item);
  // The card's rectangle in client pixels, from the last layout.
  TRect GetItemClientRect(const TOstrelItem* Item);
  // The card at a client point, or null.
  TOstrelItem* GetItemAt(int X, int Y);
  // The sub-item line of Item at a client point (only the height counts), or -1 for the
  // caption, below the last line, or a null Item.
  int GetSubItemAt(TOstrelItem* Item, int X, int Y);
  // Scrolls sideways until the card and its margin show (its left edge, when it is wider
  // than the view); nothing for null, inside a batch or without a parent.
  void ScrollInView(TOstrelItem* Item);
  // The card in the column left of Item nearest to Item's top (the upper of two as near),
  // or null when there is no such column or Item is null.
  TOstrelItem* GetLeftItem(const TOstrelItem* Item);
  // The same in the column right of Item.
  TOstrelItem* GetRightItem(const TOstrelItem* Item);
  // Columns of the last layout; 0 without a window.
  int GetColumnCount() const { return FColumnCount; }
  // Width of the laid-out content in pixels, at least the client width.
  int GetTotalWidth() const { return FTotalWidth; }
  // The horizontal scroll position in pixels; 0 at first.
  int GetHScrollPos() const { return FHScrollPos; }
  // Client x of divider k (1-based), mirrored in right-to-left mode.
  int GetDividerX(int Divider) const;

  // Opens the in-place editor on a sub-item of Item (an open edit is ended and stored
  // first); false when Item is null or CanEdit refuses. SubItem must be a valid index.
  bool EditSubItem(TOstrelItem* Item, int SubItem);
  // Ends an open in-place edit; Accept stores the value (OnEditedSubItem may rewrite it; an
  // empty value removes a named sub-item). Without an open edit it does nothing.
  void HideItemEditor(bool Accept);
  // The open in-place editor, or null.
  TOstrelEditor* GetEditor() const { return FEditor; }
  // The card being edited, or null.
  TOstrelItem* GetEditItem() const { return FEditItem; }
  // The card whose hint is pending or shown, or null.
  TOstrelItem* GetHintItem() const { return FHintItem; }

  // Selects and focuses the first card, in list order, whose initial (a to z upper-cased)
  // is not below Letter's; a card without text counts as initial 0. Nothing changes when
  // every initial is below. OnChanging may refuse the selection. With OnItemSortKey
  // assigned, the cards are found by their keys instead (see Extensions).
  void SelectByFirstLetter(char Letter);

  // Frames a rectangle with the dotted focus pattern.
  void DrawFocusRect(const TRect& Rect);

  // The milliseconds type-ahead measures pauses with: the system's steady clock, unless a
  // test hands in its own (null restores the system's).
  using TTickClock = std::function<std::uint64_t()>;
  void SetTypeAheadClock(TTickClock Clock);

protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // After OnKeyPress, a typed character extends the type-ahead search when TypeAhead is on.
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A wheel notch scrolls sideways by half the distance between neighbouring columns,
  // unless OnMouseWheel took it.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  // Whether an edit of that sub-item may start: OnEditingSubItem decides (ReadOnly only
  // stops the mouse from starting one).
  virtual bool CanEdit(TOstrelItem* Item, int SubItem);
  // Whether every card's height is its caption and lines at this control's metrics, so that
  // the layout may keep heights it read while none of those changed: true unless
  // OnItemHeight answers (CustomDrawing with a handler). A descendant whose ItemHeight
  // answers otherwise returns false.
  virtual bool OwnCardHeights() const;
  // Whether this control paints every card from the card alone, so that a card that only
  // moved may keep its pixels: true unless OnDrawItem draws (CustomDrawing with a handler).
  // A descendant that paints cards otherwise returns false.
  virtual bool OwnCardDrawing() const;

  // Notification that a card is being destroyed; fires OnDeletion.
  virtual void Delete(TOstrelItem* Item);
  virtual void PaintNoItemsText();
  virtual void PaintItems();
  virtual void PaintItem(TOstrelItem* Item);
  virtual void PaintDividers();

  void WMSize(TWMSize& Message);
  void WMHScroll(TWMScroll& Message);
  void WMHideEditor(TMessage& Message);
  void WMTimer(TWMTimer& Message);
  // Describes the cards to assistive technology: a list of cards named by their captions,
  // each with its lines as labels ("Phone: 555-0102"), and the in-place editor while open.
  void WMGetObject(TWMGetObject& Message);
  // A screen reader's default action on a card, or its asking for the card's focus or
  // selection: the card becomes the selected and focused one, and the view takes the keyboard.
  void WMAccAction(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMWantSpecialKey(TWMKey& Message);
  // A context menu asked for from the keyboard opens at the selected card, not at the corner.
  void WMContextMenu(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CaptionFontChanged(TObject* Sender);

private:
  friend class TOstrelItem;
  friend class TOstrelItems;
  friend class TOstrelEditor;
  friend class TCardSelection;  // fires the selection events and announces the changes

  // Called by a card's destructor before OnDeletion: the control lets go of the card at
  // once, so nothing it holds (selection, focus, edit, hint) can point at a deleted card.
  void ItemDestroying(TOstrelItem* Item);
  // Repaints what shows whether the control has the input focus.
  void InvalidateFocusLook();
  // CalcItemsPos, RecalcDimensions, Invalidate: the one sequence after every change.
  void RelayoutAndInvalidate();
  // SelectByFirstLetter under OnItemSortKey: the index of the first card whose key is not
  // below the letter's, or -1.
  int FirstCardByKey(char Letter);
  // Scrolls by Pixels through the scroll bar's path, so an open edit is stored first.
  void ScrollBy(int Pixels);
  // Hint steps shared by the input handlers (OstrelHints.cpp).
  void TrackHintItem(TOstrelItem* Item);
  void CancelHint();
  void HideHint();
  // The edit ends without storing, because its card is going away.
  void DropEdit();
  void StoreEditedValue(TOstrelItem* Item, int SubItem, const AnsiString& NewText);
  void EndEditor();

  // Cards that a running operation still needs after calling a handler; ItemDestroying
  // clears a watch whose card goes away.
  struct TItemWatch {
    TOstrelItem* Item;
    TItemWatch* Outer;
  };
  TItemWatch* FItemWatches = nullptr;
  // Watches a card for the length of a scope: Item() turns null when the card is deleted,
  // and TableGone() turns true when a handler destroyed the control meanwhile.
  class TWatchedItem {
  public:
    TWatchedItem(TOstrel& Table, TOstrelItem* Item)
        : FTable(Table), FTableAlive(Table.LifetimeToken()), FWatch{Item, Table.FItemWatches} {
      Table.FItemWatches = &FWatch;
    }
    ~TWatchedItem() {
      if (!TableGone()) FTable.FItemWatches = FWatch.Outer;
    }
    TWatchedItem(const TWatchedItem&) = delete;
    TWatchedItem& operator=(const TWatchedItem&) = delete;
    TOstrelItem* Item() const { return FWatch.Item; }
    bool TableGone() const { return FTableAlive.expired(); }

  private:
    TOstrel& FTable;
    std::weak_ptr<char> FTableAlive;
    TItemWatch FWatch;
  };
  // The relayout after a change of the list: from the changed column on when the change was
  // one card and nothing else moved, repainting only the columns that moved; otherwise
  // CalcItemsPos, RecalcDimensions and Invalidate.
  void RelayoutChange();

  // Tells assistive technology of a move of the selection or the focused card (the
  // control's focus counts only while it has the keyboard).
  void AnnounceSelection(TOstrelItem* Old);
  void AnnounceFocus();
  // The window's accessible objects changed in number (the editor came or went).
  void AnnounceReorder();

  void InvalidateColumns(int First, int Last);
  // The repaint after a relayout that moves pixels (OstrelRelayoutPaint.cpp).
  // A card's place and height as the layout engine has them.
  struct TEnginePlace {
    int Column = 0;
    long long Top = 0;
    int Height = 0;
  };
  // What that repaint needs of the view as it was: the cards that could show in the columns
  // in view, the change noted, the client height and the focused card's place.
  struct TShownBefore {
    TColumnRows Rows;
    TCardColumns::TChange Change{};
    int ClientHeight = 0;
    std::optional<TEnginePlace> FocusedPlace;
  };
  // Whether a card's pixels follow from the card alone and stay within its rectangle and focus
  // frame, so that a card that only moved may keep them: this class's own heights and
  // drawing, no negative border, caption or line height, dividers in the gaps.
  bool PixelsMoveWithCards() const;
  // Taken before a relayout; nothing when the pixels cannot move with the cards.
  std::optional<TShownBefore> ShownBeforeRelayout();
  // After a relayout that changed columns First to Last, which kept their numbers: in each
  // of them in view, the cards that kept their column, height and content move up or down
  // with their pixels, and everything else there is painted, as is the focus frame. Columns
  // that reach into Scrolled (the area whose pixels the surface just moved sideways), and all
  // of them without Before, are painted whole.
  void RepaintRelaidColumns(const std::optional<TShownBefore>& Before, int First, int Last, const TRect* Scrolled);
  // Where the engine puts the focused card: as laid out last, with the noted change counted.
  std::optional<TEnginePlace> EnginePlaceOfFocused() const;
  // Invalidates the part of the client area that Rect covers, if any.
  void InvalidateInClient(TRect Rect);
  // Painting helpers (OstrelPaint.cpp).
  void PaintCard(TOstrelItem* Item, const TRect& R);
  int ShownLines(const TOstrelItem* Item, int Top);  // sub-item lines that reach into the client area
  bool ShowsFocus() const;  // focused, or the in-place editor is
  void DrawCardText(const AnsiString& Text, TRect Rect, unsigned Format);

  static constexpr unsigned HintTimerId = 1;
  static constexpr unsigned HideHintTimerId = 2;

  std::unique_ptr<THintWindow> FHintWindow;
  unsigned FHintTimer = HintTimerId;
  unsigned FHideHintTimer = HideHintTimerId;
  TOstrelItem* FHintItem = nullptr;
  std::unique_ptr<TBitmap> FFocusBitmap;
  std::unique_ptr<TBrush> FFocusBrush;
  std::unique_ptr<TOstrelItems> FItems;
  TDividerDrag FDividerDrag;
  int FColumnCount = 0;
  int FColumnWidth = 100;
  int FBorderWidth = 6;
  TBorderStyle FBorderStyle = bsSingle;
  int FHScrollPos = 0;
  int FTotalWidth = 0;
  AnsiString FNoItemsText;
  TOstrelItemNotifyEvent FOnDeletion;
  TOstrelItemHeightEvent FOnItemHeight;
  int FCaptionHeight = 16;
  TColor FCaptionColor = clSilver;
  std::unique_ptr<TFont> FCaptionFont;
  int FItemLineHeight = 16;
  bool FShowDividers = true;
  TColor FDividersColor = clSilver;
  bool FAllowSizing = true;
  // Which card is selected and which focused; it alone changes them.
  TCardSelection FSelection{*this};
  // Its two cards under the names the getters above read; not writable here.
  TOstrelItem* const& FSelected = FSelection.SelectedField();
  TOstrelItem* const& FItemFocused = FSelection.FocusedField();
  TOstrelItemNotifyEvent FOnChange;
  TOstrelChangingEvent FOnChanging;
  int FItemTextWidth = 70;
  bool FCustomDrawing = false;
  TOstrelItemDrawEvent FOnDrawItem;
  TColor FSelectionColor = clHighlight;
  TColor FSelectionTextColor = clHighlightText;
  bool FHideSelection = false;
  bool FCustomSort = false;
  bool FSorted = false;
  TOstrelSortItemsEvent FOnSortItems;
  TOstrelItemSortKeyEvent FOnItemSortKey;
  bool FRightClickSelect = true;
  TOstrelColumnSizedEvent FOnColumnSized;
  bool FReadOnly = false;
  TOstrelEditingSubItemEvent FOnEditingSubItem;
  TOstrelEditedSubItemEvent FOnEditedSubItem;
  bool FEditing = false;
  bool FEditEnding = false;  // OnEditedSubItem is reporting the end of the open edit
  TOstrelEditor* FEditor = nullptr;  // owned as a component of the control
  TOstrelItem* FEditItem = nullptr;
  int FEditSubItem = 0;
  // Counts edits, so that an end request posted by an edit that has ended meanwhile cannot
  // end the next one.
  unsigned FEditSerial = 0;
  // What wheel deltas leave below one pixel, carried to the next turn.
  int FWheelRemainder = 0;
  int FMaxItemHintWidth = 100;
  bool FItemsHints = false;
  TOstrelItemHintEvent FOnItemHint;
  bool FTypeAhead = false;
  TTypeAhead FTypeAheadSearch;
  // Where the cards stand; asks this control for heights.
  TCardLayout FLayout{*this};

};

}  // namespace ostrel

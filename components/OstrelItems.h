#pragma once
// A card (TOstrelItem) and the ordered card list (TOstrelItems), with the card view's event
// types and the error of a damaged card stream. A card reaches its card view, TOstrel
// (Ostrel.h), only through its list, so this header needs no more than its name.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "Messages.h"
#include "OstrelCardStore.h"
#include "SysUtils.h"
#include "Types.h"

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
  static constexpr const char* CardsChangedWhileSorting =
      "Cards cannot be added or deleted while they are being sorted";
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

}  // namespace ostrel

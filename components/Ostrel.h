#pragma once
// The card view (TOstrel): the custom-drawn control that lays its cards out in columns and
// scrolls them sideways, and its in-place editor. The cards and their list are in
// OstrelItems.h, which this header includes; the implementation is split by concern (item,
// list, stream, shell, layout, paint).

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Classes.h"
#include "OstrelItems.h"
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
  // CustomDrawing on, what OnItemHeight answers; kept within +-2^30. A descendant that
  // answers otherwise also overrides OwnCardHeights to return false.
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
  // Paints one card and its focus frame; a descendant that paints cards otherwise also
  // overrides OwnCardDrawing to return false.
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

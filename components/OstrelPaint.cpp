// Painting: caption bands, sub-item lines, the dotted focus frame, the column dividers and
// the text of an empty list. The host has erased the invalid part with Color already.

#include <algorithm>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

namespace {

// One line, vertically centred, "&" shown as itself, an ellipsis when the text is too wide.
constexpr unsigned CardTextFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr unsigned NoItemsTextFormat = CardTextFormat | DT_CENTER;

}  // namespace

void TOstrel::DrawCardText(const AnsiString& Text, TRect Rect, unsigned Format) {
  const auto Flags = static_cast<unsigned>(DrawTextBiDiModeFlags(static_cast<long>(Format)));
  DrawTextEx(GetCanvas()->GetHandle(), const_cast<char*>(Text.data()), static_cast<int>(Text.size()), &Rect, Flags,
             nullptr);
}

void TOstrel::Paint() {
  if (FItems->GetCount() == 0) {
    PaintNoItemsText();
    return;
  }
  PaintItems();
  if (FShowDividers) PaintDividers();
}

void TOstrel::PaintItems() {
  if (!FLayout.Columns().Current() || FBorderWidth < 0) {
    for (int I = 0; I < FItems->GetCount(); ++I) PaintItem(FItems->GetItemFromIndex(I));
    return;
  }
  // A card's horizontal place follows from its column alone, so the columns wholly out of
  // view are skipped: PaintItem would draw nothing for their cards. Within a column, a card
  // ends where the next one starts less the border, so the cards that miss the area being
  // repainted are known without asking their heights, and skipped: their pixels stay.
  const TCardGeometry G = TCardGeometry::Of(*this);
  const TCardGeometry::TSpan Visible = G.ColumnsInView(GetClientWidth());
  const int First = std::max(Visible.First, 0);
  const int Last = std::min(Visible.Last, FLayout.Columns().ColumnCount() - 1);
  const HDC DC = GetCanvas()->GetHandle();
  const int ClientHeight = GetClientHeight();
  const std::uint64_t Generation = FLayout.Generation();
  for (int Column = First; Column <= Last; ++Column) {
    const int Left = G.ColumnLeft(Column) - FocusFrameReach;
    const int Right = G.ColumnLeft(Column) + FColumnWidth + FocusFrameReach;
    const TRect Strip{Left, 0, Right, ClientHeight};
    if (!RectVisible(DC, &Strip)) continue;
    const int End = FLayout.Columns().End(Column);
    bool Stale = false;
    FLayout.Columns().ForEachInColumn(Column, [&](int I, long long LongTop) {
      const int Top = ClampCoordinate(LongTop);
      int Bottom = ClientHeight;
      if (I + 1 < End) {
        const long long NextTop = ClampCoordinate(LongTop + FLayout.Columns().HeightOf(I) + FBorderWidth);
        if (NextTop > Top) Bottom = ClampCoordinate(NextTop - FBorderWidth);
      }
      const TRect Reach{Left, Top - FocusFrameReach, Right, ClampCoordinate(static_cast<long long>(Bottom) + FocusFrameReach)};
      if (!RectVisible(DC, &Reach)) return true;
      PaintItem(FItems->GetItemFromIndex(I));
      // A drawing handler that changed the list asked for a new paint; this one is stale.
      Stale = FLayout.Generation() != Generation;
      return !Stale;
    });
    if (Stale) return;
  }
}

void TOstrel::PaintItem(TOstrelItem* Item) {
  TRect R = Item->GetClientRect();
  const TRect Client = GetClientRect();
  if (R.Right < Client.Left || R.Left > Client.Right) return;
  if (FCustomDrawing && FOnDrawItem) {
    const std::uint64_t Generation = FLayout.Generation();
    FOnDrawItem(this, GetCanvas(), Item, R);
    if (FLayout.Generation() != Generation) return;
  } else {
    PaintCard(Item, R);
  }
  if (ShowsFocus() && Item == FItemFocused) {
    InflateRect(R, 2, 2);
    DrawFocusRect(R);
  }
  // The row being edited keeps its frame through every repaint, not only the first one.
  if (FEditor && Item == FEditItem && FEditSubItem >= 0 && FEditSubItem < Item->GetSubItems()->GetCount())
    DrawFocusRect(Item->GetSubItemRect(FEditSubItem));
}

// The in-place editor holding the keyboard still counts as the card view's focus: the
// form's active control is the card view while the caret is in the editor.
bool TOstrel::ShowsFocus() const { return Focused() || (FEditor && FEditor->Focused()); }

// Lines below the client area never show (there is no vertical scrolling): a card of
// millions of lines paints the few that do.
int TOstrel::ShownLines(const TOstrelItem* Item, int Top) {
  const int Count = Item->GetSubItems()->GetCount();
  if (FItemLineHeight <= 0) return Count;
  const long long Room = static_cast<long long>(GetClientHeight()) - Top - FCaptionHeight;
  return static_cast<int>(std::clamp<long long>(Room / FItemLineHeight + 1, 0, Count));
}

void TOstrel::PaintCard(TOstrelItem* Item, const TRect& R) {
  TCanvas* Canvas = GetCanvas();
  // The band and each line clip what they draw to themselves: one that misses the area
  // being painted would draw nothing, and is passed over (a card that only reaches the area
  // with its edge then costs a look at each line).
  const HDC DC = Canvas->GetHandle();
  auto Missed = [DC](const TRect& Part) { return !Part.IsEmpty() && !RectVisible(DC, &Part); };
  TRect Band{R.Left, R.Top, R.Right, R.Top + FCaptionHeight};
  if (!Missed(Band)) {
    Canvas->SetFont(FCaptionFont.get());
    Canvas->GetBrush()->SetStyle(bsSolid);
    const bool ShowSelected = Item == FSelected && (ShowsFocus() || !FHideSelection);
    Canvas->GetBrush()->SetColor(ShowSelected ? FSelectionColor : FCaptionColor);
    Canvas->GetFont()->SetColor(ShowSelected ? FSelectionTextColor : FCaptionFont->GetColor());
    Canvas->FillRect(Band);
    Band.Left += 2;
    Band.Right -= 2;
    DrawCardText(Item->GetText(), Band, CardTextFormat);
  }

  const TCardGeometry G = TCardGeometry::Of(*this);
  TStrings* Lines = Item->GetSubItems();
  for (int I = 0, Shown = ShownLines(Item, R.Top); I < Shown; ++I) {
    const TRect Line = G.LineRect(R, R.Top, I);
    if (Missed(Line)) continue;
    Canvas->SetFont(GetFont());
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    const AnsiString Name = Lines->GetName(I);
    TRect NameRect = G.NameRect(Line, !Name.empty());
    NameRect.Left += 3;
    NameRect.Right -= 3;
    if (Name.empty()) {
      DrawCardText(Lines->Get(I), NameRect, CardTextFormat);
    } else {
      DrawCardText(Name, NameRect, CardTextFormat);
      DrawCardText(Lines->GetValueFromIndex(I), G.ValueRect(Line, true), CardTextFormat);
    }
  }
}

void TOstrel::PaintNoItemsText() {
  TCanvas* Canvas = GetCanvas();
  Canvas->SetFont(GetFont());
  Canvas->GetFont()->SetColor(clSilver);
  Canvas->GetBrush()->SetStyle(bsClear);
  DrawCardText(FNoItemsText, GetClientRect(), NoItemsTextFormat);
  if (!Focused() || FNoItemsText.empty()) return;
  const int W = Canvas->TextWidth(FNoItemsText);
  const int H = Canvas->TextHeight(FNoItemsText);
  const int Left = (GetClientWidth() - W) / 2;
  const int Top = (GetClientHeight() - H) / 2;
  TRect R{Left, Top, Left + W, Top + H};
  InflateRect(R, 2, 2);
  Canvas->DrawFocusRect(R);
}

void TOstrel::PaintDividers() {
  TCanvas* Canvas = GetCanvas();
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetColor(FDividersColor);
  Canvas->GetPen()->SetWidth(0);
  const int ClientWidth = GetClientWidth();
  const int Bottom = GetClientHeight() - FBorderWidth;
  const TCardGeometry G = TCardGeometry::Of(*this);
  // Only the dividers in view are visited; a long list has very many columns.
  const TCardGeometry::TSpan Visible = G.DividersInView(ClientWidth);
  for (int Divider = std::max(Visible.First, 1); Divider <= std::min(Visible.Last, FColumnCount); ++Divider) {
    const int X = G.DividerX(Divider);
    if (X < 0 || X >= ClientWidth) continue;
    Canvas->MoveTo(X, FBorderWidth);
    Canvas->LineTo(X, Bottom);
  }
}

// The pattern takes its two colours from the canvas: the font colour and the brush colour.
// The font colour is made black here, since the last text drawn may have left the selection
// text colour (white), and the frame of a selected card without lines would then vanish.
void TOstrel::DrawFocusRect(const TRect& Rect) {
  GetCanvas()->GetFont()->SetColor(clBlack);
  GetCanvas()->SetBrush(FFocusBrush.get());
  GetCanvas()->FrameRect(Rect);
}

}  // namespace ostrel

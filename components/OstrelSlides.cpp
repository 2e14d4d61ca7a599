#include "OstrelSlides.h"

#include <algorithm>

namespace ostrel {

void TColumnRows::Add(const TCardColumns& Columns, int Column, long long Bottom) {
  const std::size_t Begin = FRows.size();
  bool Taken = true;
  Columns.ForEachInColumn(Column, [&](int LaidOut, long long Top) {
    if (Top >= Bottom) return true;
    if (FRows.size() - Begin == MaxRows) {
      Taken = false;
      return false;
    }
    FRows.push_back(TCardRow{Columns.CurrentIndex(LaidOut), Top, Columns.HeightOf(LaidOut)});
    return true;
  });
  if (!Taken) {
    FRows.resize(Begin);
    return;
  }
  FColumns.push_back(Column);
  FEnds.push_back(FRows.size());
}

int TColumnRows::Find(int Column) const {
  const auto It = std::find(FColumns.begin(), FColumns.end(), Column);
  return It == FColumns.end() ? -1 : static_cast<int>(It - FColumns.begin());
}

std::span<const TCardRow> TColumnRows::Of(int Column) const {
  const int At = Find(Column);
  if (At < 0) return {};
  const std::size_t Begin = At == 0 ? 0 : FEnds[static_cast<std::size_t>(At) - 1];
  return std::span<const TCardRow>(FRows).subspan(Begin, FEnds[static_cast<std::size_t>(At)] - Begin);
}

namespace {

// The rows a block's move reads or writes.
struct TRows {
  long long Top;
  long long Bottom;
};

TRows Touched(const TSlide& S) { return TRows{std::min(S.Top, S.Top - S.Dy), std::max(S.Bottom, S.Bottom - S.Dy)}; }

bool Overlap(const TRows& A, const TRows& B) { return A.Top < B.Bottom && B.Top < A.Bottom; }

}  // namespace

std::vector<TSlide> Slides(std::span<const TCardRow> Before, std::span<const TCardRow> After, int ChangedFrom,
                           int ChangedTo) {
  std::vector<TSlide> Runs;
  std::size_t B = 0;
  bool Extends = false;  // whether the card above in After ends the last run
  for (const TCardRow& Card : After) {
    const bool Changed = Card.Index >= ChangedFrom && Card.Index < ChangedTo;
    // Both lists go in list order; removed cards (-1) are passed over.
    while (!Changed && B < Before.size() && Before[B].Index < Card.Index) ++B;
    const bool Kept = !Changed && Card.Height >= 0 && B < Before.size() && Before[B].Index == Card.Index &&
                      Before[B].Height == Card.Height;
    if (!Kept) {
      Extends = false;
      continue;
    }
    const long long Dy = Card.Top - Before[B].Top;
    const long long Bottom = Card.Top + Card.Height;
    if (Extends && Runs.back().Dy == Dy)
      Runs.back().Bottom = Bottom;
    else
      Runs.push_back(TSlide{Card.Top, Bottom, Dy});
    Extends = true;
  }
  std::vector<TSlide> Apart;
  for (const TSlide& Run : Runs) {
    if (Run.Top == Run.Bottom) continue;  // no pixels to keep
    const TRows Rows = Touched(Run);
    if (std::none_of(Apart.begin(), Apart.end(), [&](const TSlide& Other) { return Overlap(Rows, Touched(Other)); }))
      Apart.push_back(Run);
  }
  return Apart;
}

}  // namespace ostrel

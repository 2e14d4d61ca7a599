// The layout engine's bookkeeping and the pass over known heights; the passes that read
// heights are templates in the header.

#include "OstrelColumns.h"

namespace ostrel {

void TCardColumns::Changed(int At, int Removed, int Inserted) {
  if (FLaidOut) FPending.push_back(TChange{At, Removed, Inserted});
}

void TCardColumns::Resized(int At) { Changed(At, 1, 1); }

void TCardColumns::Forget() {
  FLaidOut = false;
  FPending.clear();
}

void TCardColumns::BeginPass(TMetrics Metrics) {
  FLaidOut = false;
  FNeedFull = false;
  FPending.clear();
  FMetrics = Metrics;
}

void TCardColumns::Commit(int Count) {
  FCount = Count;
  FLaidOut = true;
}

int TCardColumns::ColumnOf(int Index) const {
  const auto After = std::upper_bound(FStarts.begin(), FStarts.end(), Index);
  return static_cast<int>(After - FStarts.begin()) - 1;
}

void TCardColumns::StartsFromHeights(std::vector<int>& Starts) const {
  Starts.clear();
  if (FCount == 0) return;
  Starts.push_back(0);
  const int* Heights = FHeights.data();
  const long long Border = FMetrics.Border;
  const long long Bottom = FMetrics.Bottom;
  long long Y = Border;
  for (int I = 0; I < FCount; ++I) {
    const long long H = Heights[I];
    if (Y > Border && Y + H > Bottom) {
      Starts.push_back(I);
      Y = Border;
    }
    Y += H + Border;
  }
}

bool TCardColumns::LayOutKnown(TMetrics Metrics) {
  const bool OtherBorder = Metrics.Border != FMetrics.Border;
  FMetrics = Metrics;
  StartsFromHeights(FSpareStarts);
  if (FSpareStarts == FStarts) return OtherBorder;
  FStarts.swap(FSpareStarts);
  return true;
}

// A resize (one card for one) keeps every card's index; an insert or delete moves the cards
// after it.
int TCardColumns::LaidOutIndex(int Index) const {
  for (auto Change = FPending.rbegin(); Change != FPending.rend(); ++Change) {
    if (Index < Change->At || Change->Removed == Change->Inserted) continue;
    if (Index < Change->At + Change->Inserted) return -1;
    Index += Change->Removed - Change->Inserted;
  }
  return Index < FCount ? Index : -1;
}

int TCardColumns::CurrentIndex(int LaidOut) const {
  int Index = LaidOut;
  for (const TChange& Change : FPending) {
    if (Index < Change.At || Change.Removed == Change.Inserted) continue;
    if (Index < Change.At + Change.Removed) return -1;
    Index += Change.Inserted - Change.Removed;
  }
  return Index;
}

TCardColumns::TCardPlace TCardColumns::PlaceOf(int Index) const {
  TCardPlace Place{ColumnOf(Index), 0};
  ForEachInColumn(Place.Column, [&](int I, long long Top) {
    Place.Top = Top;
    return I < Index;
  });
  return Place;
}

}  // namespace ostrel

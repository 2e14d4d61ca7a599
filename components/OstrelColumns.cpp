// The layout engine's bookkeeping; the passes themselves are templates in the header.

#include "OstrelColumns.h"

namespace ostrel {

void TCardColumns::Changed(int At, int Removed, int Inserted) {
  if (!FLaidOut) return;
  if (FPending) {
    Forget();  // two changes: the next pass is a full one
    return;
  }
  FPending = TChange{At, Removed, Inserted};
}

void TCardColumns::Forget() {
  FLaidOut = false;
  FPending.reset();
}

void TCardColumns::BeginPass(TMetrics Metrics) {
  FLaidOut = false;
  FPending.reset();
  FMetrics = Metrics;
}

int TCardColumns::ColumnOf(int Index) const {
  const auto After = std::upper_bound(FStarts.begin(), FStarts.end(), Index);
  return static_cast<int>(After - FStarts.begin()) - 1;
}

}  // namespace ostrel

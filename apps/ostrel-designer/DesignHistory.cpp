#include "DesignHistory.h"

#include <algorithm>
#include <utility>

namespace designer {

void TDesignHistory::Reset(vcl::AnsiString Text) {
  FUndo.clear();
  FUndoBytes = 0;
  FCurrent = std::move(Text);
  FModified = false;
}

TDesignHistory::TStep TDesignHistory::Difference(const vcl::AnsiString& Older, const vcl::AnsiString& Newer) {
  const std::size_t Shorter = std::min(Older.size(), Newer.size());
  const std::size_t Start =
      static_cast<std::size_t>(std::mismatch(Older.begin(), Older.begin() + static_cast<std::ptrdiff_t>(Shorter), Newer.begin()).first -
                               Older.begin());
  // The common end may not reach into the common start.
  const auto Room = static_cast<std::ptrdiff_t>(Shorter - Start);
  const std::size_t End =
      static_cast<std::size_t>(std::mismatch(Older.rbegin(), Older.rbegin() + Room, Newer.rbegin()).first - Older.rbegin());
  return TStep{Start, End, Older.substr(Start, Older.size() - Start - End)};
}

vcl::AnsiString TDesignHistory::Apply(const TStep& Step, const vcl::AnsiString& Newer) {
  vcl::AnsiString Older;
  Older.reserve(Step.Start + Step.Middle.size() + Step.End);
  Older.append(Newer, 0, Step.Start).append(Step.Middle).append(Newer, Newer.size() - Step.End, Step.End);
  return Older;
}

void TDesignHistory::Record(vcl::AnsiString Text) {
  FModified = true;
  if (Text == FCurrent) return;
  TStep Step = Difference(FCurrent, Text);
  FCurrent = std::move(Text);
  if (Step.Bytes() > FMaxBytes) {  // that state cannot be kept, nor any before it
    FUndo.clear();
    FUndoBytes = 0;
    return;
  }
  FUndoBytes += Step.Bytes();
  FUndo.push_back(std::move(Step));
  while (FUndo.size() > MaxUndo || FUndoBytes > FMaxBytes) {
    FUndoBytes -= FUndo.front().Bytes();
    FUndo.pop_front();
  }
}

vcl::AnsiString TDesignHistory::Previous() const { return Apply(FUndo.back(), FCurrent); }

void TDesignHistory::Undo() {
  FCurrent = Previous();
  FUndoBytes -= FUndo.back().Bytes();
  FUndo.pop_back();
  FModified = true;
}

}  // namespace designer

#pragma once
// The designed form's past states as form text, for undo, and whether it changed since it
// was last opened or saved. Only the current text is kept whole: each older state is kept as
// its difference from the one after it (the bytes between their common start and end), so
// that a nudge on a form of many megabytes costs a few bytes; and all of them together stay
// under a number of bytes, dropping the oldest first.

#include <cstddef>
#include <deque>

#include "System.h"

namespace designer {

class TDesignHistory {
public:
  // How many states undo keeps at most, and how many bytes their differences may take.
  static constexpr std::size_t MaxUndo = 100;
  static constexpr std::size_t DefaultMaxBytes = 32u << 20;

  explicit TDesignHistory(std::size_t MaxBytes = DefaultMaxBytes) : FMaxBytes(MaxBytes) {}

  // A form was made or opened: no undo, nothing changed.
  void Reset(vcl::AnsiString Text);
  // The form changed and now reads Text: the state before becomes undoable (when Text is
  // really different) and the form counts as modified either way. A change whose
  // difference alone is over the bound of bytes leaves nothing to undo.
  void Record(vcl::AnsiString Text);
  bool CanUndo() const { return !FUndo.empty(); }
  // The state that Undo goes back to. Call only when CanUndo.
  vcl::AnsiString Previous() const;
  // Goes back to the state before the last recorded change, which becomes the current one;
  // the form stays modified. Call only when CanUndo.
  void Undo();
  // The form was saved.
  void MarkSaved() { FModified = false; }
  bool IsModified() const { return FModified; }
  const vcl::AnsiString& Current() const { return FCurrent; }

  // How many states can be undone, and the bytes their differences take.
  std::size_t UndoCount() const { return FUndo.size(); }
  std::size_t UndoBytes() const { return FUndoBytes; }

private:
  // An older state: the newer one with the bytes from Start to its End-th byte from the
  // end replaced by Middle.
  struct TStep {
    std::size_t Start = 0;
    std::size_t End = 0;
    vcl::AnsiString Middle;
    std::size_t Bytes() const { return sizeof(TStep) + Middle.size(); }
  };
  static TStep Difference(const vcl::AnsiString& Older, const vcl::AnsiString& Newer);
  static vcl::AnsiString Apply(const TStep& Step, const vcl::AnsiString& Newer);

  std::size_t FMaxBytes;
  std::deque<TStep> FUndo;  // oldest first
  std::size_t FUndoBytes = 0;
  vcl::AnsiString FCurrent;
  bool FModified = false;
};

}  // namespace designer

#pragma once
// The designed form's past states as form text, for undo, and whether it changed since it
// was last opened or saved.

#include <vector>

#include "System.h"

namespace designer {

class TDesignHistory {
public:
  // A form was made or opened: no undo, nothing changed.
  void Reset(const vcl::AnsiString& Text);
  // The form changed and now reads Text: the state before becomes undoable (when Text is
  // really different) and the form counts as modified either way.
  void Record(const vcl::AnsiString& Text);
  bool CanUndo() const { return !FUndo.empty(); }
  // The state that Undo goes back to. Call only when CanUndo.
  const vcl::AnsiString& Previous() const { return FUndo.back(); }
  // Goes back to the state before the last recorded change, which becomes the current one;
  // the form stays modified. Call only when CanUndo.
  void Undo();
  // The form was saved.
  void MarkSaved() { FModified = false; }
  bool IsModified() const { return FModified; }
  const vcl::AnsiString& Current() const { return FCurrent; }

  // How many states undo keeps; older ones are dropped.
  static constexpr std::size_t MaxUndo = 100;

private:
  std::vector<vcl::AnsiString> FUndo;
  vcl::AnsiString FCurrent;
  bool FModified = false;
};

}  // namespace designer

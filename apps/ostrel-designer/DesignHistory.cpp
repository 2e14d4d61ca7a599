#include "DesignHistory.h"

namespace designer {

void TDesignHistory::Reset(const vcl::AnsiString& Text) {
  FUndo.clear();
  FCurrent = Text;
  FModified = false;
}

void TDesignHistory::Record(const vcl::AnsiString& Text) {
  FModified = true;
  if (Text == FCurrent) return;
  if (FUndo.size() == MaxUndo) FUndo.erase(FUndo.begin());
  FUndo.push_back(std::move(FCurrent));
  FCurrent = Text;
}

void TDesignHistory::Undo() {
  FCurrent = std::move(FUndo.back());
  FUndo.pop_back();
  FModified = true;
}

}  // namespace designer

// Feeds arbitrary bytes to the card stream reader. Whatever it reads must write back to a
// stream that reads to the same cards, and bad bytes may only end in the stream errors.

#include <cstdint>
#include <cstdlib>

#include "Ostrel.h"

using namespace vcl;
using namespace ostrel;

namespace {

bool SameCards(const TOstrelItems& A, const TOstrelItems& B) {
  if (A.GetCount() != B.GetCount()) return false;
  for (int I = 0; I < A.GetCount(); ++I) {
    const TOstrelItem* X = A.GetItemFromIndex(I);
    const TOstrelItem* Y = B.GetItemFromIndex(I);
    if (!X->IsEqual(Y) || X->GetHint() != Y->GetHint() || X->GetShowHint() != Y->GetShowHint()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TOstrel* Read = new TOstrel(nullptr);
  static TOstrel* Again = new TOstrel(nullptr);
  TMemoryStream Input;
  if (Size > 0) Input.WriteBuffer(Data, static_cast<long>(Size));
  Input.SetPosition(0);
  try {
    Read->LoadFromStream(&Input);
  } catch (const EReadError&) {
    return 0;  // a short or lying stream
  }
  TMemoryStream Output;
  Read->SaveToStream(&Output);
  Output.SetPosition(0);
  Again->LoadFromStream(&Output);
  if (!SameCards(*Read->GetItems(), *Again->GetItems())) std::abort();
  return 0;
}

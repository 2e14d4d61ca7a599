// Feeds arbitrary bytes to the card stream reader three ways: from a memory stream, from a
// stream that cannot tell its size (as a pipe) and from a file. Bad bytes may only end in
// the reader's own error; the three must read the same cards, the memory stream and the
// file must stop at the same offset for the same reason, and what was read must write back
// to bytes that read to the same cards.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "Ostrel.h"

using namespace vcl;
using namespace ostrel;

namespace {

// The reader's view of a pipe: the bytes come, their number is not known beforehand.
class TUnknownSizeStream : public TMemoryStream {
public:
  bool SizeKnown() const override { return false; }
};

struct TOutcome {
  AnsiString Cards;     // as written back
  AnsiString Failure;   // empty when all was read
  std::int64_t Offset = -1;
};

template <class TRead>
TOutcome Load(TOstrel& View, TRead&& Read) {
  TOutcome Outcome;
  try {
    Read();
  } catch (const EOstrelReadError& E) {
    Outcome.Failure = E.GetProblem();
    Outcome.Offset = E.GetOffset();
  }
  TMemoryStream Out;
  View.SaveToStream(&Out);
  Outcome.Cards.assign(reinterpret_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.GetSize()));
  return Outcome;
}

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TOstrel* View = new TOstrel(nullptr);
  static const int File = ::memfd_create("cards", 0);

  TMemoryStream Memory;
  Memory.WriteBuffer(Data, static_cast<long>(Size));
  Memory.SetPosition(0);
  const TOutcome FromMemory = Load(*View, [&] { View->LoadFromStream(&Memory); });

  TUnknownSizeStream Pipe;
  Pipe.WriteBuffer(Data, static_cast<long>(Size));
  Pipe.SetPosition(0);
  const TOutcome FromPipe = Load(*View, [&] { View->LoadFromStream(&Pipe); });

  Check(::ftruncate(File, 0) == 0 && ::pwrite(File, Data, Size, 0) == static_cast<ssize_t>(Size));
  const TOutcome FromFile = Load(*View, [&] { View->LoadFromFile("/proc/self/fd/" + std::to_string(File)); });

  // A lying length ends a known-size read before the bytes, and a pipe read at their end.
  Check(FromMemory.Cards == FromPipe.Cards && FromMemory.Failure.empty() == FromPipe.Failure.empty());
  Check(FromMemory.Cards == FromFile.Cards && FromMemory.Failure == FromFile.Failure &&
        FromMemory.Offset == FromFile.Offset);
  Check(FromMemory.Offset <= static_cast<std::int64_t>(Size));

  TMemoryStream Again;
  Again.WriteBuffer(FromMemory.Cards.data(), static_cast<long>(FromMemory.Cards.size()));
  Again.SetPosition(0);
  Check(Load(*View, [&] { View->LoadFromStream(&Again); }).Cards == FromMemory.Cards);
  return 0;
}

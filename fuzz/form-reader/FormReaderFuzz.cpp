// Feeds arbitrary bytes to the form text reader: it must either read them or raise the
// framework's exception, never crash, leak or leave a component behind; what it read must
// write out again.
#include <cstddef>
#include <cstdint>

#include "TestClasses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  rtltest::RegisterTestClasses();
  const vcl::AnsiString Text(reinterpret_cast<const char*>(Data), Size);
  rtltest::TTestForm Form(nullptr);
  try {
    vcl::ReadComponentText(Text, &Form);
  } catch (const vcl::Exception&) {
    if (Form.GetComponentCount() != 0 || Form.HasState(vcl::csLoading)) __builtin_trap();
    return 0;
  }
  try {
    (void)vcl::WriteComponentText(&Form);
  } catch (const vcl::EWriteError&) {
  }
  return 0;
}

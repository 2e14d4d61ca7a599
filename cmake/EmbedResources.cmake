# Writes OUTPUT, a C++ file holding every file of INPUTS ("|"-separated) as a module
# resource named after the file without extension, in upper case.
string(REPLACE "|" ";" FILES "${INPUTS}")
set(ENTRIES "")
set(ARRAYS "")
set(INDEX 0)
foreach(FILE ${FILES})
  get_filename_component(NAME ${FILE} NAME_WE)
  string(TOUPPER ${NAME} NAME)
  file(READ ${FILE} HEX HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," BYTES "${HEX}")
  string(APPEND ARRAYS "const unsigned char Data${INDEX}[] = {${BYTES}};\n")
  string(APPEND ENTRIES "    {\"${NAME}\", Data${INDEX}, sizeof Data${INDEX}},\n")
  math(EXPR INDEX "${INDEX} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp "// Generated from resources/; do not edit.
#include <cstring>

#include \"Graphics.h\"

namespace vcl {
namespace {
${ARRAYS}
struct TResource {
  const char* Name;
  const unsigned char* Data;
  std::size_t Size;
};
const TResource Resources[] = {
${ENTRIES}    {nullptr, nullptr, 0},
};
}  // namespace

const Byte* FindResourceBytes(const AnsiString& Name, std::size_t& Size) {
  for (const TResource* R = Resources; R->Name; ++R) {
    if (Name == R->Name) {
      Size = R->Size;
      return R->Data;
    }
  }
  Size = 0;
  return nullptr;
}
}  // namespace vcl
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)

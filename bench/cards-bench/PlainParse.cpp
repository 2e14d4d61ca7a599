#include "PlainParse.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

class TCursor {
public:
  TCursor(const char* Begin, const char* End) : FPos(Begin), FEnd(End) {}
  std::int32_t Integer() {
    Need(4);
    std::uint32_t V;
    std::memcpy(&V, FPos, 4);  // the machine is little-endian, as the format
    FPos += 4;
    return static_cast<std::int32_t>(V);
  }
  std::string String() {
    const std::int32_t Length = Integer();
    if (Length < 0) throw std::runtime_error("negative length");
    Need(static_cast<std::size_t>(Length));
    std::string S(FPos, static_cast<std::size_t>(Length));
    FPos += Length;
    return S;
  }
  unsigned char Byte() {
    Need(1);
    return static_cast<unsigned char>(*FPos++);
  }

private:
  void Need(std::size_t N) const {
    if (static_cast<std::size_t>(FEnd - FPos) < N) throw std::runtime_error("file ends early");
  }
  const char* FPos;
  const char* FEnd;
};

std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> Result;
  std::size_t Start = 0;
  while (Start < Text.size()) {
    const std::size_t End = Text.find_first_of("\r\n", Start);
    if (End == std::string::npos) {
      Result.push_back(Text.substr(Start));
      break;
    }
    Result.push_back(Text.substr(Start, End - Start));
    Start = End + (Text[End] == '\r' && End + 1 < Text.size() && Text[End + 1] == '\n' ? 2 : 1);
  }
  return Result;
}

}  // namespace

std::vector<TPlainCard> ParseCardFilePlainly(const std::string& FileName) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> File(std::fopen(FileName.c_str(), "rb"), &std::fclose);
  if (!File) throw std::runtime_error("cannot open " + FileName);
  std::string Bytes(std::filesystem::file_size(FileName), '\0');
  if (std::fread(Bytes.data(), 1, Bytes.size(), File.get()) != Bytes.size())
    throw std::runtime_error("cannot read " + FileName);

  TCursor In(Bytes.data(), Bytes.data() + Bytes.size());
  In.Integer();
  const std::int32_t Count = In.Integer();
  std::vector<TPlainCard> Cards;
  Cards.reserve(Count > 0 ? static_cast<std::size_t>(Count) : 0);
  for (std::int32_t I = 0; I < Count; ++I) {
    TPlainCard& Card = Cards.emplace_back();
    const std::int32_t Version = In.Integer();
    Card.Text = In.String();
    Card.Data = static_cast<std::uint32_t>(In.Integer());
    Card.SubItems = Lines(In.String());
    if (Version > 100) {
      Card.ShowHint = In.Byte() != 0;
      Card.Hint = In.String();
    }
  }
  return Cards;
}

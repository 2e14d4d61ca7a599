// Streams: short transfers raise, files open and fail by name, the read buffer follows seeks.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "Classes.h"

using namespace vcl;

namespace {

class TempDir {
public:
  TempDir() {
    char Template[] = "/tmp/rtl-stream-XXXXXX";
    FPath = mkdtemp(Template);
  }
  ~TempDir() { std::system(("rm -rf " + FPath).c_str()); }
  AnsiString File(const char* Name) const { return FPath + "/" + Name; }

private:
  AnsiString FPath;
};

AnsiString ReadAll(const AnsiString& FileName) {
  TFileStream Stream(FileName, fmOpenRead);
  AnsiString Result(static_cast<size_t>(Stream.GetSize()), '\0');
  Stream.ReadBuffer(Result.data(), static_cast<long>(Result.size()));
  return Result;
}

}  // namespace

TEST(StreamTest, MemoryStreamReadsWritesAndSeeks) {
  TMemoryStream Stream;
  Stream.WriteBuffer("hello", 5);
  EXPECT_EQ(Stream.GetSize(), 5);
  EXPECT_EQ(Stream.GetPosition(), 5);
  Stream.SetPosition(1);
  char Buffer[8] = {};
  Stream.ReadBuffer(Buffer, 3);
  EXPECT_STREQ(Buffer, "ell");
  EXPECT_EQ(Stream.Read(Buffer, 8), 1);  // only what is left
  EXPECT_EQ(Stream.Read(Buffer, 8), 0);
  EXPECT_EQ(Stream.Seek(-2, soFromEnd), 3);
  Stream.WriteBuffer("LOWORLD", 7);  // overwrites and grows
  EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(Stream.Memory()), 10), "helLOWORLD");
  Stream.SetPosition(12);  // past the end: a write fills the gap with zeros
  Stream.WriteBuffer("!", 1);
  EXPECT_EQ(Stream.GetSize(), 13);
  EXPECT_EQ(Stream.Memory()[10], 0);
  Stream.SetSize(4);
  EXPECT_EQ(Stream.GetPosition(), 4);
  Stream.Clear();
  EXPECT_EQ(Stream.GetSize(), 0);
}

TEST(StreamTest, ShortReadRaisesAndReadsNothingPastTheEnd) {
  TMemoryStream Stream;
  Stream.WriteBuffer("abc", 3);
  Stream.SetPosition(0);
  char Buffer[8] = {};
  try {
    Stream.ReadBuffer(Buffer, 4);
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), "Stream read error");
  }
  EXPECT_EQ(Stream.GetPosition(), 3);
  EXPECT_THROW(Stream.ReadBuffer(Buffer, 1), EReadError);
  EXPECT_THROW(Stream.ReadBuffer(Buffer, -1), EReadError);
  Stream.ReadBuffer(Buffer, 0);  // nothing asked, nothing missing
  Stream.SetPosition(-5);
  EXPECT_EQ(Stream.Read(Buffer, 1), 0);
  EXPECT_THROW(Stream.SetSize(std::int64_t(1) << 62), EOutOfMemory);
  EXPECT_EQ(Stream.GetSize(), 3);
}

TEST(StreamTest, FileOpenAndCreateErrorsNameTheFile) {
  TempDir Dir;
  const AnsiString Missing = Dir.File("missing.bin");
  try {
    TFileStream Stream(Missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& E) {
    EXPECT_EQ(E.Message(), "Cannot open file " + Missing + ": No such file or directory");
  }
  const AnsiString BadDir = Dir.File("no/such/dir.bin");
  try {
    TFileStream Stream(BadDir, fmCreate);
    FAIL();
  } catch (const EFCreateError& E) {
    EXPECT_EQ(E.Message(), "Cannot create file " + BadDir + ": No such file or directory");
  }
  EXPECT_THROW(TFileStream(Dir.File(""), fmOpenRead), EFOpenError);  // a directory is no file
  EXPECT_THROW(TFileStream(Missing, 3), EFOpenError);                 // no such access mode
}

TEST(StreamTest, FileCreateEmptiesAndWritesThrough) {
  TempDir Dir;
  const AnsiString Name = Dir.File("data.bin");
  {
    TFileStream Stream(Name, fmCreate);
    Stream.WriteBuffer("a long first content", 20);
  }
  {
    TFileStream Stream(Name, fmCreate);
    Stream.WriteBuffer("new", 3);
    Stream.Flush();
  }
  EXPECT_EQ(ReadAll(Name), "new");
  {
    TFileStream Stream(Name, fmOpenReadWrite);
    Stream.Seek(0, soFromEnd);
    Stream.WriteBuffer("er", 2);
  }
  EXPECT_EQ(ReadAll(Name), "newer");
  TFileStream ReadOnly(Name, fmOpenRead);
  EXPECT_THROW(ReadOnly.WriteBuffer("x", 1), EWriteError);
}

TEST(StreamTest, FileReadBufferFollowsSeeksAndWrites) {
  TempDir Dir;
  const AnsiString Name = Dir.File("buffer.bin");
  AnsiString Content;
  for (int I = 0; I < 200000; ++I) Content += static_cast<char>('a' + I % 26);
  {
    TFileStream Stream(Name, fmCreate);
    Stream.WriteBuffer(Content.data(), static_cast<long>(Content.size()));
  }
  TFileStream Stream(Name, fmOpenReadWrite);
  EXPECT_TRUE(Stream.SizeKnown());
  EXPECT_EQ(Stream.GetSize(), 200000);
  char Small[4];
  for (int I = 0; I < 1000; ++I) {  // many tiny reads, as a card reader does
    Stream.ReadBuffer(Small, 3);
    ASSERT_EQ(std::memcmp(Small, Content.data() + I * 3, 3), 0);
  }
  EXPECT_EQ(Stream.GetPosition(), 3000);
  Stream.SetPosition(10);  // backwards, inside the buffer
  Stream.ReadBuffer(Small, 2);
  EXPECT_EQ(AnsiString(Small, 2), Content.substr(10, 2));
  Stream.SetPosition(150000);  // outside it
  Stream.ReadBuffer(Small, 2);
  EXPECT_EQ(AnsiString(Small, 2), Content.substr(150000, 2));
  Stream.SetPosition(5);
  Stream.ReadBuffer(Small, 1);
  Stream.WriteBuffer("XY", 2);  // lands at 6, not where the read-ahead left the file
  Stream.ReadBuffer(Small, 1);
  EXPECT_EQ(Small[0], Content[8]);
  Stream.SetPosition(4);
  Stream.ReadBuffer(Small, 4);
  EXPECT_EQ(AnsiString(Small, 4), Content.substr(4, 2) + "XY");
  AnsiString Big(100000, '\0');  // a large read past the buffer's size
  Stream.SetPosition(100);
  Stream.ReadBuffer(Big.data(), 100000);
  EXPECT_EQ(Big, Content.substr(100, 100000));
  EXPECT_EQ(Stream.GetPosition(), 100100);
  Stream.SetSize(50);
  EXPECT_EQ(Stream.GetSize(), 50);
  EXPECT_THROW(Stream.ReadBuffer(Small, 1), EReadError);
  Stream.SetPosition(48);
  EXPECT_THROW(Stream.ReadBuffer(Small, 3), EReadError);
  EXPECT_THROW(Stream.SetPosition(-1), EStreamError);
}

TEST(StreamTest, WriteToAFullDeviceRaises) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  TFileStream Stream("/dev/full", fmOpenWrite);
  EXPECT_THROW(Stream.WriteBuffer("x", 1), EWriteError);
}

TEST(StreamTest, PipeHasNoKnownSizeAndReadsToItsEnd) {
  int Fds[2];
  ASSERT_EQ(pipe(Fds), 0);
  ASSERT_EQ(write(Fds[1], "piped bytes", 11), 11);
  close(Fds[1]);
  const AnsiString Name = "/dev/fd/" + std::to_string(Fds[0]);
  {
    TFileStream Stream(Name, fmOpenRead);
    EXPECT_FALSE(Stream.SizeKnown());
    TMemoryStream Memory;
    Memory.LoadFromStream(&Stream);
    EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(Memory.Memory()), 11), "piped bytes");
    EXPECT_EQ(Stream.GetPosition(), 11);
    EXPECT_THROW(Stream.SetPosition(0), EStreamError);
  }
  close(Fds[0]);
}

TEST(StreamTest, CopyFromAndMemoryFiles) {
  TempDir Dir;
  TMemoryStream Source;
  Source.WriteBuffer("0123456789", 10);
  TMemoryStream Target;
  EXPECT_EQ(Target.CopyFrom(&Source, 0), 10);  // 0 copies everything from the start
  Source.SetPosition(2);
  Target.CopyFrom(&Source, 3);
  EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(Target.Memory()), 13), "0123456789234");
  EXPECT_THROW(Target.CopyFrom(&Source, 100), EReadError);
  Target.SaveToFile(Dir.File("copy.bin"));
  TMemoryStream Loaded;
  Loaded.LoadFromFile(Dir.File("copy.bin"));
  EXPECT_EQ(Loaded.GetSize(), Target.GetSize());
  EXPECT_EQ(std::memcmp(Loaded.Memory(), Target.Memory(), static_cast<size_t>(Target.GetSize())), 0);
  EXPECT_THROW(Loaded.LoadFromFile(Dir.File("none")), EFOpenError);
}

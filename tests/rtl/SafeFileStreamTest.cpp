// Saving through a temporary file: every kind of target, the temporary file's permissions
// and name, leftovers of killed saves, and errors that name the file and the reason.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "Classes.h"
#include "WithoutRoot.h"

using namespace vcl;
namespace fs = std::filesystem;

namespace {

class SafeFileStreamTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/rtl-safe-XXXXXX";
    Dir = mkdtemp(Template);
  }
  void TearDown() override { fs::remove_all(Dir); }

  static void Save(const fs::path& Path, const AnsiString& Bytes) {
    TSafeFileStream File(Path.string());
    File.WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
    File.Commit();
  }
  static AnsiString Content(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    return AnsiString(std::istreambuf_iterator<char>(In), {});
  }
  static void Write(const fs::path& Path, const AnsiString& Bytes) { std::ofstream(Path, std::ios::binary) << Bytes; }
  std::vector<AnsiString> Entries() const {
    std::vector<AnsiString> Names;
    for (const auto& Entry : fs::directory_iterator(Dir)) Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
  }
  // The one entry of the folder that is not among Known: the save's temporary file.
  fs::path TemporaryFile(const std::vector<AnsiString>& Known) const {
    for (const AnsiString& Name : Entries())
      if (std::find(Known.begin(), Known.end(), Name) == Known.end()) return Dir / Name;
    return {};
  }
  // A save that a signal ends after it wrote, as kill -9 or a SIGTERM would.
  static void KilledSave(const fs::path& Path, int Signal) {
    const pid_t Child = ::fork();
    if (Child == 0) {
      TSafeFileStream File(Path.string());
      File.WriteBuffer("partial", 7);
      ::kill(::getpid(), Signal);
      ::_exit(0);
    }
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    ASSERT_TRUE(WIFSIGNALED(Status));
  }

  fs::path Dir;
};

// What a save does to each kind of target: regular files and names through links are
// replaced, pipes and devices are written in place, the rest is refused with the reason.
TEST_F(SafeFileStreamTest, EachKindOfTargetIsReplacedWrittenInPlaceOrRefused) {
  struct TRow {
    const char* What;
    std::function<void(const fs::path& Dir)> Make;  // makes Dir / "target"
    const char* Refusal;                            // empty: the save succeeds
    const char* Written;                            // the file that then holds the bytes
    fs::file_type KindAfter;                        // of Dir / "target" afterwards
  };
  const TRow Rows[] = {
      {"a new file", [](const fs::path&) {}, "", "target", fs::file_type::regular},
      {"a longer file", [](const fs::path& D) { Write(D / "target", "old old old"); }, "", "target",
       fs::file_type::regular},
      {"a link to a file", [](const fs::path& D) { Write(D / "real", "old"); fs::create_symlink("real", D / "target"); },
       "", "real", fs::file_type::symlink},
      {"a dangling link", [](const fs::path& D) { fs::create_symlink("real", D / "target"); }, "", "real",
       fs::file_type::symlink},
      {"a link to a dangling link",
       [](const fs::path& D) {
         fs::create_symlink(D / "middle", D / "target");
         fs::create_symlink("real", D / "middle");
       },
       "", "real", fs::file_type::symlink},
      {"a link loop",
       [](const fs::path& D) {
         fs::create_symlink("other", D / "target");
         fs::create_symlink("target", D / "other");
       },
       "Too many levels of symbolic links", "", fs::file_type::symlink},
      {"a folder", [](const fs::path& D) { fs::create_directory(D / "target"); }, "Is a directory", "",
       fs::file_type::directory},
      {"a link to a folder",
       [](const fs::path& D) {
         fs::create_directory(D / "real");
         fs::create_symlink("real", D / "target");
       },
       "Is a directory", "", fs::file_type::symlink},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.What);
    fs::remove_all(Dir);
    fs::create_directory(Dir);
    Row.Make(Dir);
    const auto Before = Entries();
    const fs::path Target = Dir / "target";
    if (*Row.Refusal) {
      try {
        Save(Target, "new");
        ADD_FAILURE() << "saved";
      } catch (const EFCreateError& E) {
        EXPECT_EQ(E.Message(), "Cannot create file " + Target.string() + ": " + Row.Refusal);
      }
    } else {
      Save(Target, "new");
      EXPECT_EQ(Content(Dir / Row.Written), "new");
    }
    EXPECT_EQ(fs::symlink_status(Target).type(), Row.KindAfter);
    auto After = Before;
    if (*Row.Written && std::find(After.begin(), After.end(), Row.Written) == After.end()) After.push_back(Row.Written);
    std::sort(After.begin(), After.end());
    EXPECT_EQ(Entries(), After);  // nothing left over
  }
}

TEST_F(SafeFileStreamTest, AFifoIsWrittenInPlaceAndStaysAFifo) {
  const fs::path Fifo = Dir / "pipe";
  ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
  AnsiString Received;
  std::thread Reader([&] { Received = Content(Fifo); });
  Save(Fifo, "through the pipe");
  Reader.join();
  EXPECT_EQ(Received, "through the pipe");
  EXPECT_EQ(fs::symlink_status(Fifo).type(), fs::file_type::fifo);
  EXPECT_EQ(Entries(), std::vector<AnsiString>{"pipe"});
}

// A FIFO that no program reads once froze the program in open(): the save gives up after a
// short wait and says why.
TEST_F(SafeFileStreamTest, AFifoWithoutAReaderIsRefusedRatherThanWaitedFor) {
  const fs::path Fifo = Dir / "pipe";
  ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
  try {
    Save(Fifo, "nobody listens");
    FAIL() << "the save should be refused";
  } catch (const EFCreateError& E) {
    EXPECT_NE(E.Message().find("no program is reading"), AnsiString::npos) << E.Message();
    EXPECT_NE(E.Message().find(Fifo.string()), AnsiString::npos) << E.Message();
  }
}

// In a shared folder another user could create the next temporary name first: the name of
// each save is new and unforeseeable, so a squatter on an earlier one blocks nothing.
TEST_F(SafeFileStreamTest, ATakenTemporaryNameDoesNotStopTheNextSave) {
  const fs::path Target = Dir / "contacts.cards";
  AnsiString Earlier;
  {
    TSafeFileStream File(Target.string());
    Earlier = TemporaryFile({}).filename().string();
  }
  Write(Dir / Earlier, "squatter");
  std::vector<AnsiString> Names;
  for (int I = 0; I < 2; ++I) {
    TSafeFileStream File(Target.string());
    Names.push_back(TemporaryFile({Earlier, "contacts.cards"}).filename().string());
    File.WriteBuffer("new", 3);
    File.Commit();
  }
  EXPECT_EQ(Content(Target), "new");
  EXPECT_NE(Names[0], Names[1]);
  EXPECT_EQ(Content(Dir / Earlier), "squatter");
}

// A folder the user may not write to is named in the message. Root may write anywhere, so
// as root the save runs in a child that has given up root.
TEST_F(SafeFileStreamTest, AFolderThatCannotBeWrittenIsNamed) {
  const fs::path Locked = Dir / "locked";
  fs::create_directory(Locked);
  ::chmod(Locked.c_str(), 0555);
  ::chmod(Dir.c_str(), 0755);
  const auto Message = testsupport::WithoutRoot([&] {
    try {
      Save(Locked / "contacts.cards", "new");
    } catch (const Exception& E) {
      return E.Message();
    }
    return AnsiString("saved");
  });
  ::chmod(Locked.c_str(), 0755);
  ASSERT_TRUE(Message);
  EXPECT_NE(Message->find("the folder " + Locked.string() + " cannot be written"), AnsiString::npos) << *Message;
}

// The null and the full device, made here where the process may (as root), otherwise
// reached through a link: a save writes into them and never replaces them.
TEST_F(SafeFileStreamTest, ADeviceIsWrittenInPlaceAndAFullOneNamesTheReason) {
  auto Device = [&](const char* Name, unsigned Minor) {
    const fs::path Path = Dir / Name;
    if (::mknod(Path.c_str(), S_IFCHR | 0666, makedev(1, Minor)) != 0)
      fs::create_symlink(AnsiString("/dev/") + Name, Path);
    return Path;
  };
  const fs::path Null = Device("null", 3);
  const fs::path Full = Device("full", 7);
  const auto Before = Entries();

  Save(Null, "nothing");
  EXPECT_EQ(fs::status(Null).type(), fs::file_type::character);
  try {
    Save(Full, "anything");
    ADD_FAILURE() << "a full disk took the bytes";
  } catch (const EWriteError& E) {
    EXPECT_EQ(E.Message(), "Stream write error in " + Full.string() + ": No space left on device");
  }
  EXPECT_EQ(fs::status(Full).type(), fs::file_type::character);
  EXPECT_EQ(Entries(), Before);
}

// A private file stays private while it is being saved: the temporary file has the target's
// mode from its first byte; a new file gets the process's default.
TEST_F(SafeFileStreamTest, TheTemporaryFileHasTheTargetsModeFromTheStart) {
  const mode_t OldMask = ::umask(022);
  for (const mode_t Mode : {0600, 0640, 0604, 0755, 0666}) {
    SCOPED_TRACE(Mode);
    const fs::path Target = Dir / "private.cards";
    Write(Target, "old");
    ASSERT_EQ(::chmod(Target.c_str(), Mode), 0);
    TSafeFileStream File(Target.string());
    File.WriteBuffer("new", 3);
    struct stat Info {};
    ASSERT_EQ(::stat(TemporaryFile({"private.cards"}).c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 07777, Mode);
    File.Commit();
    ASSERT_EQ(::stat(Target.c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 07777, Mode);
  }
  const fs::path Fresh = Dir / "fresh.cards";
  Save(Fresh, "new");
  struct stat Info {};
  ASSERT_EQ(::stat(Fresh.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 07777, 0644u);
  ::umask(OldMask);
}

// The file system allows 255 bytes to a name; the temporary name must fit beside the
// longest target name.
TEST_F(SafeFileStreamTest, ANameOfTheLongestLengthSavesWithAShortTemporaryName) {
  const AnsiString Name = AnsiString(245, 'n') + ".cards";
  TSafeFileStream File((Dir / Name).string());
  File.WriteBuffer("new", 3);
  EXPECT_LT(TemporaryFile({}).filename().string().size(), 80u);
  File.Commit();
  EXPECT_EQ(Content(Dir / Name), "new");
  EXPECT_EQ(Entries(), std::vector<AnsiString>{Name});
}

TEST_F(SafeFileStreamTest, AnUncommittedSaveLeavesTheOldFileAndNoTemporaryFile) {
  const fs::path Target = Dir / "contacts.cards";
  Write(Target, "old");
  {
    TSafeFileStream File(Target.string());
    File.WriteBuffer("new", 3);
  }
  EXPECT_EQ(Content(Target), "old");
  EXPECT_EQ(Entries(), std::vector<AnsiString>{"contacts.cards"});
}

// A save killed midway leaves its temporary file; the next save of the same target removes
// it, while a leftover of another target and the file of a save still running stay.
TEST_F(SafeFileStreamTest, TheNextSaveRemovesLeftoversOfKilledSavesOfTheSameTarget) {
  for (const int Signal : {SIGKILL, SIGTERM}) {
    SCOPED_TRACE(Signal);
    fs::remove_all(Dir);
    fs::create_directory(Dir);
    const fs::path Target = Dir / "contacts.cards";
    Write(Target, "old");
    KilledSave(Target, Signal);
    const auto WithLeftover = Entries();
    ASSERT_EQ(WithLeftover.size(), 2u);
    KilledSave(Dir / "other.cards", Signal);
    const AnsiString OtherLeftover = TemporaryFile(WithLeftover).filename().string();

    int Ready[2], Go[2];
    ASSERT_EQ(::pipe(Ready), 0);
    ASSERT_EQ(::pipe(Go), 0);
    const pid_t Running = ::fork();
    if (Running == 0) {
      TSafeFileStream File(Target.string());
      char C = 'r';
      if (::write(Ready[1], &C, 1) != 1 || ::read(Go[0], &C, 1) != 1) ::_exit(1);
      ::_exit(0);  // leaves its file, as a killed save would
    }
    char C = 0;
    ASSERT_EQ(::read(Ready[0], &C, 1), 1);
    const AnsiString RunningFile = TemporaryFile({"contacts.cards", OtherLeftover}).filename().string();
    ASSERT_FALSE(std::count(WithLeftover.begin(), WithLeftover.end(), RunningFile));  // not the leftover

    Save(Target, "new");
    EXPECT_EQ(Content(Target), "new");
    auto Expected = std::vector<AnsiString>{"contacts.cards", OtherLeftover, RunningFile};
    std::sort(Expected.begin(), Expected.end());
    EXPECT_EQ(Entries(), Expected);
    ASSERT_EQ(::write(Go[1], &C, 1), 1);
    ::waitpid(Running, nullptr, 0);
    for (const int Fd : {Ready[0], Ready[1], Go[0], Go[1]}) ::close(Fd);
  }
}

}  // namespace

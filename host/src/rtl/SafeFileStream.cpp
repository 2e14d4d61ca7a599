// TSafeFileStream: a save through a temporary file that replaces the target when complete.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "Classes.h"

namespace vcl {

namespace {

constexpr int MaxLinks = 40;  // as the kernel follows them
// Of the target's name, the temporary name keeps this much, so that it stays far below the
// file system's limit of 255 bytes while a reader still sees whose it is.
constexpr std::size_t KeptNameBytes = 24;
constexpr const char* TempSuffix = ".saving";

[[noreturn]] void CreateError(const AnsiString& FileName, const AnsiString& Reason) {
  throw EFCreateError(Format(Consts::SFCreateError, {FileName}) + ": " + Reason);
}

AnsiString DirectoryOf(const AnsiString& Path) {
  const auto Slash = Path.find_last_of('/');
  if (Slash == AnsiString::npos) return ".";
  return Slash == 0 ? "/" : Path.substr(0, Slash);
}

AnsiString BaseOf(const AnsiString& Path) {
  const auto Slash = Path.find_last_of('/');
  return Slash == AnsiString::npos ? Path : Path.substr(Slash + 1);
}

// What a path names once symbolic links are followed: Exists is false for a name that
// does not exist yet (also at the end of a dangling link); Error is an errno value.
struct TResolved {
  AnsiString Path;
  bool Exists = false;
  struct stat Info {};
  int Error = 0;
};

TResolved Resolve(AnsiString Path) {
  TResolved R;
  for (int Links = 0; Links <= MaxLinks; ++Links) {
    R.Path = Path;
    if (::lstat(Path.c_str(), &R.Info) != 0) {
      if (errno != ENOENT) R.Error = errno;
      return R;
    }
    if (!S_ISLNK(R.Info.st_mode)) {
      R.Exists = true;
      return R;
    }
    AnsiString Link(static_cast<std::size_t>(R.Info.st_size > 0 ? R.Info.st_size : PATH_MAX) + 1, '\0');
    const ssize_t N = ::readlink(Path.c_str(), Link.data(), Link.size());
    if (N < 0) {
      R.Error = errno;
      return R;
    }
    Link.resize(static_cast<std::size_t>(N));
    Path = (Link.empty() || Link[0] == '/') ? Link : DirectoryOf(Path) + "/" + Link;
  }
  R.Error = ELOOP;
  return R;
}

// Leftovers of one target are told apart from other files by a hash of its name.
AnsiString TempPrefix(const AnsiString& Base) {
  std::uint64_t Hash = 0xcbf29ce484222325ull;  // FNV-1a
  for (const char C : Base) Hash = (Hash ^ static_cast<unsigned char>(C)) * 0x100000001b3ull;
  std::size_t Keep = std::min(Base.size(), KeptNameBytes);
  while (Keep > 0 && Keep < Base.size() && (static_cast<unsigned char>(Base[Keep]) & 0xC0) == 0x80) --Keep;
  char Hex[17];
  std::snprintf(Hex, sizeof(Hex), "%016llx", static_cast<unsigned long long>(Hash));
  return "." + Base.substr(0, Keep) + "." + Hex + ".";
}

// The process id in a leftover's name (Prefix, the id, "-", the random part, the suffix),
// or 0 when Name is not one of Prefix.
pid_t LeftoverPid(const AnsiString& Name, const AnsiString& Prefix) {
  const std::size_t Suffix = std::strlen(TempSuffix);
  if (Name.size() <= Prefix.size() + Suffix || Name.compare(0, Prefix.size(), Prefix) != 0 ||
      Name.compare(Name.size() - Suffix, Suffix, TempSuffix) != 0)
    return 0;
  const AnsiString Middle = Name.substr(Prefix.size(), Name.size() - Prefix.size() - Suffix);
  const AnsiString Digits = Middle.substr(0, Middle.find('-'));
  if (Digits.empty() || Digits.size() > 9 || Digits.find_first_not_of("0123456789") != AnsiString::npos) return 0;
  return static_cast<pid_t>(std::stol(Digits));
}

// A part of the temporary name that no one can guess: in a shared folder another user who
// could foresee the name could create it first and make every save fail.
AnsiString RandomPart() {
  std::uint64_t Bits = 0;
  if (::getrandom(&Bits, sizeof Bits, 0) != static_cast<ssize_t>(sizeof Bits)) {
    // Without the kernel's randomness, the clock and an address still differ per save.
    timespec Now{};
    ::clock_gettime(CLOCK_MONOTONIC, &Now);
    Bits = (static_cast<std::uint64_t>(Now.tv_nsec) << 20) ^ static_cast<std::uint64_t>(Now.tv_sec) ^
           reinterpret_cast<std::uintptr_t>(&Now);
  }
  char Hex[17];
  std::snprintf(Hex, sizeof(Hex), "%016llx", static_cast<unsigned long long>(Bits));
  return Hex;
}

// A FIFO without a reader would block open() until one comes, and freeze the program: a
// reader that is starting gets ReaderWaitMs, then the save gives up. Writes block as usual.
int OpenInPlace(const AnsiString& FileName, const AnsiString& Path) {
  constexpr int ReaderWaitMs = 2000, PollMs = 20;
  int Handle = -1;
  for (int Waited = 0;; Waited += PollMs) {
    Handle = ::open(Path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (Handle >= 0 || (errno != EINTR && (errno != ENXIO || Waited >= ReaderWaitMs))) break;
    if (errno == ENXIO) ::usleep(PollMs * 1000);
  }
  if (Handle < 0 && errno == ENXIO) CreateError(FileName, "no program is reading from this pipe");
  if (Handle < 0) CreateError(FileName, std::strerror(errno));
  ::fcntl(Handle, F_SETFL, ::fcntl(Handle, F_GETFL) & ~O_NONBLOCK);
  return Handle;
}

// A leftover goes when it is ours, its process is gone and no one holds its lock: a save
// in progress holds the lock on its temporary file from the moment it creates it.
void RemoveLeftover(int Dir, const AnsiString& Name, pid_t Pid) {
  if (Pid == ::getpid() || ::kill(Pid, 0) == 0 || errno != ESRCH) return;
  struct stat Info {};
  if (::fstatat(Dir, Name.c_str(), &Info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(Info.st_mode) ||
      Info.st_uid != ::geteuid())
    return;
  const int Handle = ::openat(Dir, Name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (Handle < 0) return;
  if (::flock(Handle, LOCK_EX | LOCK_NB) == 0) ::unlinkat(Dir, Name.c_str(), 0);
  ::close(Handle);
}

void RemoveLeftovers(const AnsiString& Directory, const AnsiString& Prefix) {
  std::unique_ptr<DIR, int (*)(DIR*)> Dir(::opendir(Directory.c_str()), ::closedir);
  if (!Dir) return;
  while (const dirent* Entry = ::readdir(Dir.get())) {
    const AnsiString Name = Entry->d_name;
    if (const pid_t Pid = LeftoverPid(Name, Prefix); Pid > 0) RemoveLeftover(::dirfd(Dir.get()), Name, Pid);
  }
}

}  // namespace

TSafeFileStream::TPlace TSafeFileStream::Open(const AnsiString& FileName) {
  const TResolved Target = Resolve(FileName);
  if (Target.Error != 0) CreateError(FileName, std::strerror(Target.Error));
  const mode_t Kind = Target.Info.st_mode & S_IFMT;
  if (Target.Exists && (Kind == S_IFIFO || Kind == S_IFCHR))
    return TPlace{Target.Path, AnsiString(), OpenInPlace(FileName, Target.Path)};
  if (Target.Exists && Kind == S_IFDIR) CreateError(FileName, std::strerror(EISDIR));
  if (Target.Exists && Kind != S_IFREG) CreateError(FileName, "not a regular file, a FIFO or a character device");

  const AnsiString Directory = DirectoryOf(Target.Path);
  const AnsiString Prefix = TempPrefix(BaseOf(Target.Path));
  RemoveLeftovers(Directory, Prefix);
  // Never more open than the target, from the first byte on; the umask narrows only the
  // mode of a new file.
  const mode_t Mode = Target.Exists ? (Target.Info.st_mode & 0777) : 0666;
  AnsiString TempName;
  int Handle = -1;
  for (int Try = 0; Handle < 0 && Try < 8; ++Try) {
    TempName = Directory + "/" + Prefix + std::to_string(::getpid()) + "-" + RandomPart() + TempSuffix;
    Handle = ::open(TempName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, Mode);
    if (Handle < 0 && errno != EEXIST && errno != EINTR) break;
  }
  if (Handle < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
    CreateError(FileName, "the folder " + Directory + " cannot be written: " + std::strerror(errno));
  if (Handle < 0) CreateError(FileName, std::strerror(errno));
  ::flock(Handle, LOCK_EX | LOCK_NB);  // new: no one else holds it
  if (Target.Exists) {
    // Another owner's file keeps its owner where the process may give it (as root).
    if (Target.Info.st_uid != ::geteuid() || Target.Info.st_gid != ::getegid())
      (void)!::fchown(Handle, Target.Info.st_uid, Target.Info.st_gid);
    (void)!::fchmod(Handle, Target.Info.st_mode & 07777);
  }
  return TPlace{Target.Path, TempName, Handle};
}

TSafeFileStream::TSafeFileStream(const AnsiString& FileName) : TSafeFileStream(FileName, Open(FileName)) {}

TSafeFileStream::TSafeFileStream(const AnsiString& FileName, TPlace Place)
    : TFileStream(Place.Handle, FileName), FTarget(std::move(Place.Target)), FTempName(std::move(Place.TempName)) {}

TSafeFileStream::~TSafeFileStream() {
  if (!FCommitted && !FTempName.empty()) ::unlink(FTempName.c_str());
}

void TSafeFileStream::Commit() {
  Flush();
  if (FTempName.empty()) {
    FCommitted = true;
    return;
  }
  if (std::rename(FTempName.c_str(), FTarget.c_str()) != 0) CreateError(GetFileName(), std::strerror(errno));
  FCommitted = true;
  // The rename itself reaches the disk only with its directory.
  const AnsiString Directory = DirectoryOf(FTarget);
  const int Dir = ::open(Directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool Synced = Dir >= 0 && (::fsync(Dir) == 0 || errno == EINVAL || errno == EROFS);
  const int Error = errno;
  if (Dir >= 0) ::close(Dir);
  if (!Synced) throw EWriteError(Format("%s in %s: %s", {Consts::SWriteError, Directory, std::strerror(Error)}));
}

}  // namespace vcl

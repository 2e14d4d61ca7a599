#pragma once
// Runs a piece of a test as a user who may not write everywhere: root may, so as root it
// runs in a child process that has given up root. Header-only, for suites without the
// harness too.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace testsupport {

// What Work returns, as it returns it in a process without root; nothing when the child
// could not give up root or died.
inline std::optional<std::string> WithoutRoot(const std::function<std::string()>& Work) {
  int Pipe[2];
  if (::pipe(Pipe) != 0) return std::nullopt;
  const pid_t Child = ::fork();
  if (Child == 0) {
    ::close(Pipe[0]);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    const std::string Answer = Work();
    const bool Sent = ::write(Pipe[1], Answer.data(), Answer.size()) == static_cast<ssize_t>(Answer.size());
    ::_exit(Sent ? 0 : 1);
  }
  ::close(Pipe[1]);
  std::string Answer;
  char Block[256];
  for (ssize_t N; (N = ::read(Pipe[0], Block, sizeof Block)) > 0;) Answer.append(Block, static_cast<std::size_t>(N));
  ::close(Pipe[0]);
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0) return std::nullopt;
  return Answer;
}

}  // namespace testsupport

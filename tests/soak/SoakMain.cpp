// The soak program: random operations on a card view and its letter bar, the invariants
// checked after each, and a failure cut down to the shortest sequence that still shows it.
//
//   soak [--seed S] [--seeds K] [--ops N]   run seeds S to S+K-1, N operations each
//   soak --dump FILE [--seed S] [--ops N]   write the operations of seed S to FILE
//   soak --replay FILE                      run the operations in FILE (one per line)
//   soak --shrink FILE                      cut FILE down, each try in a child process, so
//                                           that a crash can be cut down too

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "Invariants.h"
#include "SoakOps.h"
#include "SoakWorld.h"

namespace {

using namespace soak;

struct TOutcome {
  bool Failed = false;
  std::size_t At = 0;     // the operation after which the failure showed
  std::string Message;
};

// Runs Ops on a fresh world, stopping at the first failure.
TOutcome Run(const TOps& Ops) {
  TWorld World;
  for (std::size_t I = 0; I < Ops.size(); ++I) {
    std::string Message = World.Execute(Ops[I]);
    if (Message.empty()) Message = CheckInvariants(World, Ops[I].Mischief);
    if (!Message.empty()) return TOutcome{true, I, Message};
  }
  return TOutcome{};
}

// What identifies a failure across shrinking: the message without its numbers.
std::string Signature(const std::string& Message) {
  std::string S;
  for (char C : Message)
    if (C < '0' || C > '9') S += C;
  return S;
}

// Deletes ever smaller runs of operations while Fails still answers true; Fails gets the
// candidate and may cut it to where its failure showed.
template <typename TFails>
TOps Shrink(TOps Ops, TFails Fails) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  for (std::size_t Chunk = std::max<std::size_t>(1, Ops.size() / 2);; Chunk /= 2) {
    for (std::size_t Start = 0; Start < Ops.size() && std::chrono::steady_clock::now() < Deadline;) {
      TOps Candidate(Ops.begin(), Ops.begin() + static_cast<long>(Start));
      Candidate.insert(Candidate.end(), Ops.begin() + static_cast<long>(std::min(Ops.size(), Start + Chunk)), Ops.end());
      if (!Candidate.empty() && Fails(Candidate)) Ops = Candidate;
      else Start += Chunk;
    }
    if (Chunk == 1) break;
  }
  return Ops;
}

void Print(const TOps& Ops, std::ostream& Out) {
  for (const TOp& Op : Ops) Out << Format(Op) << '\n';
}

bool Read(const std::string& File, TOps& Ops) {
  std::ifstream In(File);
  std::string Line;
  while (std::getline(In, Line)) {
    TOp Op;
    if (Parse(Line, Op)) Ops.push_back(Op);
  }
  return In.eof() && !Ops.empty();
}

// Runs one seed; on a failure prints it with its shortest sequence. False on a failure.
bool RunSeed(std::uint64_t Seed, int Count) {
  const TOps Ops = Generate(Seed, Count);
  const TOutcome First = Run(Ops);
  if (!First.Failed) return true;
  std::cout << "FAIL seed " << Seed << " after operation " << First.At << ": " << First.Message << std::endl;
  const std::string Wanted = Signature(First.Message);
  const TOps Shortest = Shrink(TOps(Ops.begin(), Ops.begin() + static_cast<long>(First.At) + 1), [&](TOps& Candidate) {
    const TOutcome O = Run(Candidate);
    if (!O.Failed || Signature(O.Message) != Wanted) return false;
    Candidate.resize(O.At + 1);
    return true;
  });
  std::cout << "Shortest sequence (" << Shortest.size() << " operations; replay with --replay FILE):\n";
  Print(Shortest, std::cout);
  return false;
}

// Cuts a failing file down with each try in a child process running --replay.
int ShrinkFile(const std::string& Self, const std::string& File) {
  TOps Ops;
  if (!Read(File, Ops)) {
    std::cerr << "no operations in " << File << '\n';
    return 2;
  }
  const std::string Try = File + ".try";
  auto Fails = [&](const TOps& Candidate) {
    std::ofstream Out(Try);
    Print(Candidate, Out);
    Out.close();
    const std::string Command = "'" + Self + "' --replay '" + Try + "' >/dev/null 2>&1";
    return std::system(Command.c_str()) != 0;
  };
  if (!Fails(Ops)) {
    std::cout << "the operations in " << File << " do not fail\n";
    return 0;
  }
  const TOps Shortest = Shrink(Ops, Fails);
  std::remove(Try.c_str());
  std::cout << "Shortest sequence (" << Shortest.size() << " operations):\n";
  Print(Shortest, std::cout);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  std::uint64_t Seed = 1;
  int Seeds = 1;
  int Count = 1000;
  std::string Replay, ShrinkInput, Dump;
  for (int I = 1; I + 1 < argc; I += 2) {
    const std::string Flag = argv[I], Value = argv[I + 1];
    if (Flag == "--seed") Seed = std::stoull(Value);
    else if (Flag == "--seeds") Seeds = std::stoi(Value);
    else if (Flag == "--ops") Count = std::stoi(Value);
    else if (Flag == "--replay") Replay = Value;
    else if (Flag == "--shrink") ShrinkInput = Value;
    else if (Flag == "--dump") Dump = Value;
    else {
      std::cerr << "unknown option " << Flag << '\n';
      return 2;
    }
  }
  if (!ShrinkInput.empty()) return ShrinkFile(argv[0], ShrinkInput);
  if (!Dump.empty()) {
    std::ofstream Out(Dump);
    Print(Generate(Seed, Count), Out);
    return Out ? 0 : 2;
  }
  if (!Replay.empty()) {
    TOps Ops;
    if (!Read(Replay, Ops)) {
      std::cerr << "no operations in " << Replay << '\n';
      return 2;
    }
    const TOutcome O = Run(Ops);
    if (O.Failed) std::cout << "FAIL after operation " << O.At << ": " << O.Message << std::endl;
    return O.Failed ? 1 : 0;
  }
  const auto Start = std::chrono::steady_clock::now();
  int Failed = 0;
  for (int K = 0; K < Seeds; ++K) {
    // Named before it runs, so that a crash still tells which seed it was.
    std::cout << "seed " << Seed + static_cast<std::uint64_t>(K) << std::endl;
    if (!RunSeed(Seed + static_cast<std::uint64_t>(K), Count)) ++Failed;
  }
  const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  std::cout << "soak: " << Seeds << " seeds, " << static_cast<long long>(Seeds) * Count << " operations, " << Seconds
            << " s\n"
            << "soak: " << Seeds - Failed << " passed, " << Failed << " failed" << std::endl;
  return Failed == 0 ? 0 : 1;
}

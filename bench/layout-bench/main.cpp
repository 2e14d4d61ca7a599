// Prints layout, repaint, page-scroll, hit-test, key, one-card change and peak-memory figures of the card view
// and of a QListView doing the same work, for 10,000, 100,000 and 1,000,000 cards:
//   operation,cards,ostrel_ms,qlistview_ms
// Each side of each size runs in a child process of its own, so peaks do not mix.
// `layout-bench N` measures N cards only.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Sides.h"

namespace {

struct TResult {
  bench::TFigures Figures;
  double PeakMb = 0;
  bool Ok = false;
};

using TSide = bench::TFigures (*)(int, int&, char**);

TResult RunInChild(TSide Side, int Count, int Argc, char** Argv) {
  int Pipe[2];
  if (pipe(Pipe) != 0) return {};
  const pid_t Child = fork();
  if (Child < 0) return {};
  if (Child == 0) {
    close(Pipe[0]);
    TResult R;
    R.Figures = Side(Count, Argc, Argv);
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    R.PeakMb = static_cast<double>(Usage.ru_maxrss) / 1024.0;
    R.Ok = true;
    const bool Written = write(Pipe[1], &R, sizeof(R)) == static_cast<ssize_t>(sizeof(R));
    _exit(Written ? 0 : 1);
  }
  close(Pipe[1]);
  TResult R;
  if (read(Pipe[0], &R, sizeof(R)) != static_cast<ssize_t>(sizeof(R))) R = TResult{};
  close(Pipe[0]);
  int Status = 0;
  waitpid(Child, &Status, 0);
  return R;
}

void PrintLine(const char* Operation, int Count, double Ours, double Theirs) {
  std::printf("%s,%d,%.3f,%.3f\n", Operation, Count, Ours, Theirs);
}

}  // namespace

int main(int Argc, char** Argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::vector<int> Counts{10000, 100000, 1000000};
  if (Argc > 1) Counts = {std::atoi(Argv[1])};
  if (Counts[0] < 2) {
    std::fprintf(stderr, "usage: layout-bench [CARDS]   (at least 2 cards; default 10000, 100000 and 1000000)\n");
    return 2;
  }
  std::printf("operation,cards,ostrel_ms,qlistview_ms\n");
  std::fflush(stdout);
  bool Failed = false;
  for (const int Count : Counts) {
    const TResult Ours = RunInChild(&bench::MeasureOstrel, Count, Argc, Argv);
    const TResult Theirs = RunInChild(&bench::MeasureListView, Count, Argc, Argv);
    if (!Ours.Ok || !Theirs.Ok) {
      std::fprintf(stderr, "layout-bench: a measuring process failed at %d cards\n", Count);
      Failed = true;
      continue;
    }
    PrintLine("layout", Count, Ours.Figures.LayoutMs, Theirs.Figures.LayoutMs);
    PrintLine("repaint_middle", Count, Ours.Figures.RepaintMs, Theirs.Figures.RepaintMs);
    PrintLine("repaint_cold", Count, Ours.Figures.RepaintColdMs, Theirs.Figures.RepaintColdMs);
    PrintLine("page_scroll_repaint", Count, Ours.Figures.PageScrollMs, Theirs.Figures.PageScrollMs);
    PrintLine("line_scroll_repaint", Count, Ours.Figures.LineScrollMs, Theirs.Figures.LineScrollMs);
    PrintLine("hit_tests_1000", Count, Ours.Figures.HitTestsMs, Theirs.Figures.HitTestsMs);
    PrintLine("key_page_down", Count, Ours.Figures.PageDownMs, Theirs.Figures.PageDownMs);
    PrintLine("key_end", Count, Ours.Figures.EndMs, Theirs.Figures.EndMs);
    PrintLine("change_one_card", Count, Ours.Figures.ChangeOneMs, Theirs.Figures.ChangeOneMs);
    PrintLine("insert_middle", Count, Ours.Figures.InsertMiddleMs, Theirs.Figures.InsertMiddleMs);
    PrintLine("delete_middle", Count, Ours.Figures.DeleteMiddleMs, Theirs.Figures.DeleteMiddleMs);
    PrintLine("peak_memory_mb", Count, Ours.PeakMb, Theirs.PeakMb);
    std::fflush(stdout);
  }
  return Failed ? 1 : 0;
}

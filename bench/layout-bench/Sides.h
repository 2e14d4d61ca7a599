#pragma once
// One side of the comparison: builds its view of Count cards in a 1000 x 700 window and
// measures the same work. Each side runs in a child process of its own.

#include <cstdint>
#include <string>

namespace bench {

struct TFigures {
  double LayoutMs = 0;      // one full layout
  double RepaintMs = 0;     // one full repaint, scrolled to the middle
  double RepaintColdMs = 0;  // the same, after every text in view was made new
  double PageScrollMs = 0;  // one page to the right, with its repaint
  double LineScrollMs = 0;  // one line (20 pixels) to the right, with its repaint up to the window
  double HitTestsMs = 0;    // 1,000 hit tests at random points
  double PageDownMs = 0;    // Page Down from the middle card, with its repaint
  double EndMs = 0;         // End from the first card, with its repaint
  // Changes of the card in the middle, in view, each with its relayout and repaint: a new
  // caption and one more line; a card inserted before it; the card deleted.
  double ChangeOneMs = 0;
  double InsertMiddleMs = 0;
  double DeleteMiddleMs = 0;
};

constexpr int ViewWidth = 1000;
constexpr int ViewHeight = 700;
constexpr int HitTests = 1000;

// A text that no repaint has shown before: Text with a mark of the run.
inline std::string FreshText(const std::string& Text, int Run) { return Text + " #" + std::to_string(Run); }

TFigures MeasureOstrel(int Count, int& Argc, char** Argv);
TFigures MeasureListView(int Count, int& Argc, char** Argv);

}  // namespace bench

#pragma once
// The key rows, shared by both sides: a key press sent through Qt's event path to the
// focused widget, timed until the repaint it caused is done.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "Timing.h"

namespace bench {

// Median time of Key sent to Target, then Finish and Qt's posted events (the side's repaint
// up to the window's backing store). Before each press, untimed, Reset puts the view back on
// its starting card and its repaint runs. -1 when a press left Current unchanged: the
// figure would then measure nothing.
template <class TReset, class TFinish, class TCurrent>
double KeyPressMs(QWidget* Target, Qt::Key Key, TReset&& Reset, TFinish&& Finish, TCurrent&& Current) {
  bool Moved = true;
  const double Ms = MedianMs(
      21,
      [&] {
        Reset();
        QCoreApplication::sendPostedEvents();
      },
      [&] {
        const auto Before = Current();
        QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier);
        QApplication::sendEvent(Target, &Press);
        Finish();
        QCoreApplication::sendPostedEvents();
        Moved = Moved && Current() != Before;
      });
  return Moved ? Ms : -1;
}

}  // namespace bench

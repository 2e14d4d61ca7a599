#pragma once
// The peer of list views: Qt's tree widget without branches, one top-level item per row.
// It draws, hit-tests, moves the selection on clicks and arrow keys and edits captions; it
// reports every change of the rows' states to the framework, which keeps the rows.

#include <QTreeWidget>

#include "Peer.h"

namespace vcl {

class TListViewPeer : public QTreeWidget, public TPeer {
public:
  TListViewPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);
  QWidget* Widget() override { return this; }
  void DefaultMessage(TMessage& Message) override;
  void NativeKey(backend::TKeyTranslation& Translation) override;

  // Runs a change made by the framework: Qt's signals are not reported meanwhile.
  template <class F>
  void Quietly(F&& Change) {
    ++FQuiet;
    struct TRestore {
      int& Quiet;
      ~TRestore() { --Quiet; }
    } Restore{FQuiet};
    Change();
  }
  // Client coordinates (the frame's inside) to viewport coordinates, and back.
  QPoint ViewportPoint(QPoint Client) const;
  QPoint ClientPoint(QPoint Viewport) const;

protected:
  bool event(QEvent* Event) override;
  bool viewportEvent(QEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool focusNextPrevChild(bool) override { return false; }

private:
  // Lets Qt act on input; the state changes it makes are reported once it is done.
  template <class F>
  void Natively(F&& Action);
  void StateMayHaveChanged();
  void ReportStates();
  void ReportCaption(QTreeWidgetItem* Item, int Column);
  void ReportColumnClick(int Column);
  int FQuiet = 0;
  int FNative = 0;
  bool FPending = false;
};

}  // namespace vcl

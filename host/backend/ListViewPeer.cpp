// The list view window over QTreeWidget, and the framework's calls on it.

#include "ListViewPeer.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "Fonts.h"
#include "InputGlue.h"
#include "ListViewBackend.h"
#include "QtEmbedding.h"
#include "WindowBackend.h"

namespace vcl {

namespace {
QString ToQString(const AnsiString& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }
}  // namespace

TListViewPeer::TListViewPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : QTreeWidget(Parent), TPeer(Record) {
  setWindowFlags(Flags);
  // The classic frame as Qt's own: a scroll area lays its bars and header out inside it.
  if (Record->ExStyle & WS_EX_CLIENTEDGE) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  } else if (Record->Style & WS_BORDER) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
  } else {
    setFrameStyle(QFrame::NoFrame);
  }
  QPalette Edges = palette();
  Edges.setColor(QPalette::Light, ToQColor(clBtnHighlight));
  Edges.setColor(QPalette::Midlight, ToQColor(cl3DLight));
  Edges.setColor(QPalette::Dark, ToQColor(clBtnShadow));
  Edges.setColor(QPalette::Shadow, ToQColor(cl3DDkShadow));
  Edges.setColor(QPalette::WindowText, ToQColor(clWindowFrame));
  setPalette(Edges);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSortingEnabled(false);
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { StateMayHaveChanged(); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { StateMayHaveChanged(); });
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* Item, int Column) { ReportCaption(Item, Column); });
  connect(header(), &QHeaderView::sectionClicked, this, [this](int Column) { ReportColumnClick(Column); });
}

QPoint TListViewPeer::ViewportPoint(QPoint Client) const {
  const QPoint InWidget = Client + (FRecord ? FRecord->ClientRectInWidget().topLeft() : QPoint());
  return viewport()->mapFrom(this, InWidget);
}

QPoint TListViewPeer::ClientPoint(QPoint Viewport) const {
  return viewport()->mapTo(this, Viewport) - (FRecord ? FRecord->ClientRectInWidget().topLeft() : QPoint());
}

bool TListViewPeer::event(QEvent* Event) {
  if (backend::TranslateEvent(*this, Event)) return true;
  return QTreeWidget::event(Event);
}

// Button presses and moves over the rows become the window's own messages, in client
// coordinates; the wheel, painting and the rest stay Qt's.
bool TListViewPeer::viewportEvent(QEvent* Event) {
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* E = static_cast<QMouseEvent*>(Event);
      const QPointF Local = viewport()->mapTo(this, E->position().toPoint());
      QMouseEvent Mapped(E->type(), Local, E->globalPosition(), E->button(), E->buttons(), E->modifiers());
      backend::TranslateEvent(*this, &Mapped);
      Event->setAccepted(Mapped.isAccepted());  // declined by a disabled view: Qt passes it on
      return true;
    }
    default: return QTreeWidget::viewportEvent(Event);
  }
}

// Entering the view does not make a current row of its own accord, as Qt's item views do:
// the focused row is the framework's to give.
void TListViewPeer::focusInEvent(QFocusEvent* Event) {
  QAbstractScrollArea::focusInEvent(Event);
  viewport()->update();
}

void TListViewPeer::resizeEvent(QResizeEvent* Event) {
  QTreeWidget::resizeEvent(Event);
  if (FRecord) backend::SyncClientSize(FRecord);
}

template <class F>
void TListViewPeer::Natively(F&& Action) {
  ++FNative;
  Action();
  if (--FNative == 0 && FPending && FRecord) {
    FPending = false;
    ReportStates();
  }
}

void TListViewPeer::StateMayHaveChanged() {
  if (FQuiet > 0 || !FRecord) return;
  if (FNative > 0) FPending = true;
  else ReportStates();
}

void TListViewPeer::ReportStates() {
  backend::TListNotify N;
  N.Code = backend::TListNotify::StateChanged;
  for (int I = 0; I < topLevelItemCount(); ++I) N.Selected.push_back(topLevelItem(I)->isSelected());
  const QModelIndex Current = currentIndex();
  N.Focused = Current.isValid() ? Current.row() : -1;
  backend::DeliverToWindow(backend::HandleOf(FRecord), CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
}

void TListViewPeer::ReportCaption(QTreeWidgetItem* Item, int Column) {
  if (FQuiet > 0 || !FRecord || Column != 0) return;
  backend::TListNotify N;
  N.Code = backend::TListNotify::CaptionEdited;
  N.Index = indexOfTopLevelItem(Item);
  N.Text = Item->text(0).toUtf8().toStdString();
  backend::DeliverToWindow(backend::HandleOf(FRecord), CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
}

void TListViewPeer::ReportColumnClick(int Column) {
  if (!FRecord) return;
  backend::TListNotify N;
  N.Code = backend::TListNotify::ColumnClicked;
  N.Index = Column;
  backend::DeliverToWindow(backend::HandleOf(FRecord), CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
}

// The mouse message as Qt's item view takes it, from the message's own point and keys.
void TListViewPeer::DefaultMessage(TMessage& Message) {
  backend::TKeyTranslation* Typed = backend::KeyTranslationFor(FRecord);
  if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP) {
    if (Typed) Typed->KeyReachedDefault = true;
    return;
  }
  if (!backend::IsMouseMessage(Message.Msg)) return;
  const TPoint P = PointFromLParam(Message.LParam);
  const QPoint Local = ViewportPoint(QPoint(P.X, P.Y));
  const std::unique_ptr<QMouseEvent> Event =
      backend::ReplayedMouseEvent(Message, QPointF(Local), viewport()->mapToGlobal(QPointF(Local)));
  if (Event->type() == QEvent::MouseMove) {
    // Dragging over the rows does not move a single selection, as in the classic list view.
    if (Event->buttons() != Qt::NoButton) return;
    Natively([&] { mouseMoveEvent(Event.get()); });
    return;
  }
  const bool Press = Event->type() == QEvent::MouseButtonPress;
  if (Press && !hasFocus()) setFocus(Qt::MouseFocusReason);
  if (!FRecord) return;  // a focus handler destroyed the window
  Natively([&] {
    if (Press) {
      // A press on empty space deselects every row, as the classic list view does.
      if (!indexAt(Local).isValid() && Event->button() == Qt::LeftButton &&
          !(Event->modifiers() & Qt::ControlModifier))
        clearSelection();
      mousePressEvent(Event.get());
    } else if (Event->type() == QEvent::MouseButtonRelease) {
      mouseReleaseEvent(Event.get());
    } else {
      mouseDoubleClickEvent(Event.get());
    }
  });
}

void TListViewPeer::NativeKey(backend::TKeyTranslation& T) {
  QKeyEvent* E = T.Event;
  if (!T.KeyReachedDefault && backend::VirtualKeyOf(E->key(), E->text()) != 0) return;
  Natively([&] {
    if (E->type() == QEvent::KeyRelease) keyReleaseEvent(E);
    else keyPressEvent(E);
  });
}

namespace backend {

namespace {
TListViewPeer* ListOf(HWND Wnd) { return dynamic_cast<TListViewPeer*>(PeerOf(FindRecord(Wnd))); }

void FillItem(QTreeWidgetItem* Item, const std::vector<AnsiString>& Cells, int Columns) {
  const int Shown = std::max(1, Columns);
  for (int C = 0; C < Shown; ++C)
    Item->setText(C, C < static_cast<int>(Cells.size()) ? ToQString(Cells[static_cast<size_t>(C)]) : QString());
}
}  // namespace

void SetListColumns(HWND Wnd, const std::vector<std::pair<AnsiString, int>>& Columns) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return;
  L->Quietly([&] {
    L->setColumnCount(std::max<int>(1, static_cast<int>(Columns.size())));
    QStringList Labels;
    for (const auto& Column : Columns) Labels << ToQString(Column.first);
    L->setHeaderLabels(Labels);
    for (size_t I = 0; I < Columns.size(); ++I) L->setColumnWidth(static_cast<int>(I), Columns[I].second);
  });
}

void SetListRows(HWND Wnd, const std::vector<std::vector<AnsiString>>& Rows) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return;
  L->Quietly([&] {
    const int Columns = L->columnCount();
    while (L->topLevelItemCount() > static_cast<int>(Rows.size())) delete L->takeTopLevelItem(L->topLevelItemCount() - 1);
    for (size_t I = 0; I < Rows.size(); ++I) {
      QTreeWidgetItem* Item = L->topLevelItem(static_cast<int>(I));
      if (!Item) {
        Item = new QTreeWidgetItem();
        Item->setFlags(Item->flags() | Qt::ItemIsEditable);
        L->addTopLevelItem(Item);
      }
      FillItem(Item, Rows[I], Columns);
    }
  });
}

void SetListRow(HWND Wnd, int Index, const std::vector<AnsiString>& Cells) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return;
  if (QTreeWidgetItem* Item = L->topLevelItem(Index)) L->Quietly([&] { FillItem(Item, Cells, L->columnCount()); });
}

void SetListStates(HWND Wnd, const std::vector<bool>& Selected, int Focused) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return;
  L->Quietly([&] {
    QItemSelectionModel* Model = L->selectionModel();
    const QModelIndex Current = Focused >= 0 && Focused < L->topLevelItemCount() ? L->model()->index(Focused, 0) : QModelIndex();
    if (Current != Model->currentIndex()) Model->setCurrentIndex(Current, QItemSelectionModel::NoUpdate);
    for (int I = 0; I < L->topLevelItemCount(); ++I) {
      const bool Want = static_cast<size_t>(I) < Selected.size() && Selected[static_cast<size_t>(I)];
      QTreeWidgetItem* Item = L->topLevelItem(I);
      if (Item->isSelected() != Want) Item->setSelected(Want);
    }
  });
}

void SetListOptions(HWND Wnd, const TListOptions& O) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return;
  L->Quietly([&] {
    L->setHeaderHidden(!O.Report);
    L->setSelectionBehavior(O.RowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    L->setSelectionMode(O.MultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    L->setEditTriggers(O.ReadOnly ? QAbstractItemView::NoEditTriggers
                                  : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    L->header()->setSectionsClickable(O.ColumnClick);
    L->viewport()->setAttribute(Qt::WA_Hover, O.HotTrack);
    // Without the focus the selection shows greyed, or not at all with HideSelection.
    QPalette Palette = L->palette();
    Palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     O.HideSelection ? Palette.color(QPalette::Active, QPalette::Base) : ToQColor(clBtnFace));
    Palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     O.HideSelection ? Palette.color(QPalette::Active, QPalette::Text) : ToQColor(clBtnText));
    L->setPalette(Palette);
  });
}

void SetListAppearance(HWND Wnd, const TFont& Font, TColor Color) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return;
  L->setFont(QtFontOf(Font).Font);
  QPalette Palette = L->palette();
  Palette.setColor(QPalette::Base, ToQColor(Color));
  Palette.setColor(QPalette::Text, ToQColor(Font.GetColor()));
  L->setPalette(Palette);
}

int ListRowAt(HWND Wnd, int X, int Y) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L) return -1;
  const QPoint P = L->ViewportPoint(QPoint(X, Y));
  if (!L->viewport()->rect().contains(P)) return -1;
  const QModelIndex Index = L->indexAt(P);
  return Index.isValid() ? Index.row() : -1;
}

TRect ListRowRect(HWND Wnd, int Index) {
  TListViewPeer* L = ListOf(Wnd);
  if (!L || Index < 0 || Index >= L->topLevelItemCount()) return {};
  QRect R = L->visualRect(L->model()->index(Index, 0));
  if (R.isEmpty()) return {};
  const int Last = L->columnCount() - 1;
  R.setRight(std::max(R.right(), L->visualRect(L->model()->index(Index, Last)).right()));
  R = R.intersected(L->viewport()->rect());
  if (R.isEmpty()) return {};
  const QPoint TopLeft = L->ClientPoint(R.topLeft());
  return TRect{TopLeft.x(), TopLeft.y(), TopLeft.x() + R.width(), TopLeft.y() + R.height()};
}

}  // namespace backend
}  // namespace vcl

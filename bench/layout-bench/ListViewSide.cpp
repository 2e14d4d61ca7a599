// The peer: a QListView in list mode flowing top to bottom and wrapping into columns, over
// a small model that serves the same cards from a vector, drawn by a delegate that paints
// a caption band and the name/value lines.

#include <QAbstractListModel>
#include <algorithm>
#include <vector>
#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "BenchCards.h"
#include "Forms.h"
#include "KeyTiming.h"
#include "Sides.h"
#include "Timing.h"

namespace bench {

namespace {

constexpr int CaptionHeight = 16;
constexpr int LineHeight = 16;
constexpr int ColumnWidth = 100;
constexpr int NameWidth = 70;

class TCardModel : public QAbstractListModel {
public:
  explicit TCardModel(std::vector<TPlainCard> Cards) : FCards(std::move(Cards)) {}
  int rowCount(const QModelIndex& Parent) const override { return Parent.isValid() ? 0 : static_cast<int>(FCards.size()); }
  QVariant data(const QModelIndex& Index, int Role) const override {
    if (Role != Qt::DisplayRole) return {};
    return QString::fromStdString(Card(Index.row()).Caption);
  }
  const TPlainCard& Card(int Row) const { return FCards[static_cast<std::size_t>(Row)]; }
  TPlainCard& Card(int Row) { return FCards[static_cast<std::size_t>(Row)]; }
  // Changes told through the model's own signals.
  void CardChanged(int Row) { emit dataChanged(index(Row, 0), index(Row, 0)); }
  void InsertCard(int Row, TPlainCard Card) {
    beginInsertRows(QModelIndex(), Row, Row);
    FCards.insert(FCards.begin() + Row, std::move(Card));
    endInsertRows();
  }
  void RemoveCard(int Row) {
    beginRemoveRows(QModelIndex(), Row, Row);
    FCards.erase(FCards.begin() + Row);
    endRemoveRows();
  }

private:
  std::vector<TPlainCard> FCards;
};

class TCardDelegate : public QStyledItemDelegate {
public:
  explicit TCardDelegate(const TCardModel& Model) : FModel(Model) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& Index) const override {
    const int Lines = static_cast<int>(FModel.Card(Index.row()).Lines.size());
    return QSize(ColumnWidth, CaptionHeight + Lines * LineHeight);
  }

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const TPlainCard& Card = FModel.Card(Index.row());
    const QRect R = Option.rect;
    const bool Selected = Option.state & QStyle::State_Selected;
    const QRect Band(R.left(), R.top(), R.width(), CaptionHeight);
    Painter->fillRect(Band, Selected ? Option.palette.highlight() : QBrush(QColor(0xC0, 0xC0, 0xC0)));
    Painter->setPen(Selected ? Option.palette.highlightedText().color() : Qt::black);
    DrawElided(Painter, Option, Band.adjusted(2, 0, -2, 0), QString::fromStdString(Card.Caption));
    Painter->setPen(Qt::black);
    int Top = R.top() + CaptionHeight;
    for (const std::string& Line : Card.Lines) {
      const auto Equals = Line.find('=');
      if (Equals == std::string::npos || Equals == 0) {
        DrawElided(Painter, Option, QRect(R.left() + 3, Top, R.width() - 6, LineHeight), QString::fromStdString(Line));
      } else {
        DrawElided(Painter, Option, QRect(R.left() + 3, Top, NameWidth - 6, LineHeight),
                   QString::fromStdString(Line.substr(0, Equals)));
        DrawElided(Painter, Option, QRect(R.left() + NameWidth, Top, R.width() - NameWidth, LineHeight),
                   QString::fromStdString(Line.substr(Equals + 1)));
      }
      Top += LineHeight;
    }
  }

private:
  static void DrawElided(QPainter* Painter, const QStyleOptionViewItem& Option, const QRect& R, const QString& Text) {
    Painter->drawText(R, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      Option.fontMetrics.elidedText(Text, Qt::ElideRight, R.width()));
  }

  const TCardModel& FModel;
};

}  // namespace

TFigures MeasureListView(int Count, int& Argc, char** Argv) {
  vcl::Application->Initialize(Argc, Argv);  // the card generator needs the framework
  TCardModel Model(PlainCards(Count));
  TCardDelegate Delegate(Model);
  QListView View;
  View.setViewMode(QListView::ListMode);
  View.setFlow(QListView::TopToBottom);
  View.setWrapping(true);
  View.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  View.setLayoutMode(QListView::SinglePass);
  View.setUniformItemSizes(false);
  View.setSpacing(6);
  View.setItemDelegate(&Delegate);
  View.setModel(&Model);
  View.resize(ViewWidth, ViewHeight);
  View.show();
  QApplication::processEvents();
  View.setCurrentIndex(Model.index(Count / 2, 0));

  TFigures F;
  F.LayoutMs = MedianMs(5, [&] { View.doItemsLayout(); });
  QScrollBar* Bar = View.horizontalScrollBar();
  Bar->setValue((Bar->maximum() - Bar->minimum()) / 2);
  QApplication::processEvents();
  F.RepaintMs = MedianMs(21, [&] { View.viewport()->repaint(); });
  // Untimed: the same texts made new as on the card view's side, read by the delegate.
  std::vector<int> InView;
  for (int X = 0; X < View.viewport()->width(); X += 8)
    for (int Y = 0; Y < View.viewport()->height(); Y += 8)
      if (const QModelIndex Index = View.indexAt(QPoint(X, Y));
          Index.isValid() && std::find(InView.begin(), InView.end(), Index.row()) == InView.end())
        InView.push_back(Index.row());
  int Run = 0;
  F.RepaintColdMs = MedianMs(
      21,
      [&] {
        ++Run;
        for (const int Row : InView) {
          TPlainCard& Card = Model.Card(Row);
          Card.Caption = FreshText(Card.Caption, Run);
          for (std::string& Line : Card.Lines) Line = FreshText(Line, Run);
        }
      },
      [&] { View.viewport()->repaint(); });
  F.PageScrollMs = MedianMs(21, [&] {
    Bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    View.viewport()->repaint();
  });
  // The same 20 pixels as the card view's line; the view scrolls its viewport's pixels and
  // paints the strip uncovered when the posted update arrives.
  Bar->setSingleStep(20);
  F.LineScrollMs = MedianMs(21, [&] {
    Bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCoreApplication::sendPostedEvents();
  });
  const auto Points = HitPoints(HitTests, View.viewport()->width(), View.viewport()->height());
  int Found = 0;
  F.HitTestsMs = MedianMs(5, [&] {
    for (const auto& [X, Y] : Points) Found += View.indexAt(QPoint(X, Y)).isValid();
  });
  if (Found == 0) F.HitTestsMs = -1;

  // Timed: QAbstractItemView's key handling (current index, selection, scrollTo) and the
  // posted update request, which paints the dirty part of the viewport synchronously. No
  // forced viewport()->repaint(): it would add a full repaint the card view does not do.
  View.setFocus();
  QApplication::processEvents();
  auto KeyFrom = [&](Qt::Key Key, int Row) {
    const QModelIndex Start = Model.index(Row, 0);
    return KeyPressMs(
        &View, Key,
        [&] {
          View.setCurrentIndex(Start);
          View.scrollTo(Start);
        },
        [] {}, [&] { return View.currentIndex(); });
  };
  F.PageDownMs = KeyFrom(Qt::Key_PageDown, Count / 2);
  F.EndMs = KeyFrom(Qt::Key_End, 0);

  // Timed: the change told through the model (and the delegate, for the new height), the
  // view's delayed relayout and its repaint.
  const int Middle = Count / 2;
  View.scrollTo(Model.index(Middle, 0));
  auto Settle = [] { QApplication::processEvents(); };
  Settle();
  const TPlainCard Original = Model.Card(Middle);
  F.ChangeOneMs = MedianMs(
      21,
      [&] {
        Model.Card(Middle) = Original;
        Model.CardChanged(Middle);
        emit Delegate.sizeHintChanged(Model.index(Middle, 0));
        Settle();
      },
      [&] {
        Model.Card(Middle).Caption += " (changed)";
        Model.Card(Middle).Lines.push_back("Note=changed");
        Model.CardChanged(Middle);
        emit Delegate.sizeHintChanged(Model.index(Middle, 0));
        Settle();
      });
  F.InsertMiddleMs = MedianMs(
      21,
      [&] {
        if (Model.rowCount({}) > Count) Model.RemoveCard(Middle);
        Settle();
      },
      [&] {
        Model.InsertCard(Middle, TPlainCard{"Inserted card", {}});
        Settle();
      });
  F.DeleteMiddleMs = MedianMs(
      21,
      [&] {
        if (Model.rowCount({}) == Count) Model.InsertCard(Middle, TPlainCard{"Card to delete", {}});
        Settle();
      },
      [&] {
        Model.RemoveCard(Middle);
        Settle();
      });
  return F;
}

}  // namespace bench

#include "app/view/CellTableView.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>

// A line of a million fields in the window: the view is given a window of columns around those
// in view, and still reaches, shows, merges and copies every one of them.
class CellTableViewTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup() {
    FView.reset();
    FTable.reset();
  }
  void holdsABoundedWindowOfColumns_data();
  void holdsABoundedWindowOfColumns();
  void keysReachTheLastColumnAndBack();
  void copiesTheLastCells();
  void aShownRowCopiesWhole();
  void selectAllCopiesEveryColumn();
  void shiftExtendsFromTheFirstCellAcrossWindows();
  void aMergedLineShowsInEveryWindow();

private:
  static constexpr int Cols = 1'000'000;
  static constexpr int Body = Cols - 1;
  QScrollBar* ColBar() const { return FView->findChild<QScrollBar*>(QStringLiteral("ColBar")); }
  void ScrollTo(int first);
  // The text of the cell in view at the model column, through the view's own model.
  QString Shown(int row, int col) const {
    return FView->model()->index(row, col).data().toString();
  }
  void BoundedWindow() const;

  // One header column (the line number), a merged first line, then lines of a million fields.
  std::unique_ptr<TCellTable> FTable;
  std::unique_ptr<TCellTableView> FView;
};

void CellTableViewTest::init() {
  FTable = std::make_unique<TCellTable>(Cols, 4, 1, 0);
  FTable->SetCell(0, 0, "1");
  FTable->SetCell(1, 0, "Toernooi van de lange regel");
  FTable->MergeRange(1, 0, Body, 1);
  for (int r = 1; r < 4; ++r) {
    std::string line = std::to_string(r + 1) + "\tA" + std::to_string(r);
    line.append(Cols - 2, '\t');
    line += "Z" + std::to_string(r);
    FTable->SetRowText(r, line);
  }
  FView = std::make_unique<TCellTableView>(*FTable);
  FView->resize(600, 300);
  FView->show();
  QVERIFY(QTest::qWaitForWindowExposed(FView.get()));
}

void CellTableViewTest::ScrollTo(int first) {
  ColBar()->setValue(first);
  QCoreApplication::processEvents();
}

void CellTableViewTest::BoundedWindow() const {
  const int most = 1 + TCellTableModel::WindowCols;
  QVERIFY(FView->model()->columnCount() <= most);
  QVERIFY(FView->horizontalHeader()->count() <= most);
}

void CellTableViewTest::holdsABoundedWindowOfColumns_data() {
  QTest::addColumn<int>("first");
  QTest::newRow("at the start") << 0;
  QTest::newRow("past the first window") << TCellTableModel::WindowCols + 10;
  QTest::newRow("in the middle") << Cols / 2;
  QTest::newRow("at the end") << Body;
}

// Wherever the bar is taken, the view keeps a window's columns and shows the column asked for
// as its first in view.
void CellTableViewTest::holdsABoundedWindowOfColumns() {
  QFETCH(int, first);
  QScrollBar* bar = ColBar();
  QVERIFY(bar);
  QVERIFY(bar->isVisible());
  QCOMPARE(bar->maximum() + bar->pageStep(), Body);
  ScrollTo(first);
  BoundedWindow();
  const int shown = std::min(first, bar->maximum());
  QCOMPARE(bar->value(), shown);
  const int col = FView->columnAt(0);
  QVERIFY(col >= 1);
  // The body's first column in view holds the line's first field at the start.
  if (shown == 0) QCOMPARE(Shown(1, col), QStringLiteral("A1"));
  if (first == Body) {
    const int last = FView->model()->columnCount() - 1;
    QCOMPARE(Shown(2, last), QStringLiteral("Z2"));
    QVERIFY(
        FView->viewport()->rect().intersects(FView->visualRect(FView->model()->index(2, last))));
  }
}

void CellTableViewTest::keysReachTheLastColumnAndBack() {
  FView->setFocus();
  FView->setCurrentIndex(FView->model()->index(1, 1));
  QTest::keyClick(FView.get(), Qt::Key_End);
  QCoreApplication::processEvents();
  QCOMPARE(FView->currentIndex().data().toString(), QStringLiteral("Z1"));
  BoundedWindow();
  QCOMPARE(ColBar()->value(), ColBar()->maximum());
  QTest::keyClick(FView.get(), Qt::Key_Left);
  QTest::keyClick(FView.get(), Qt::Key_Right);
  QCOMPARE(FView->currentIndex().data().toString(), QStringLiteral("Z1"));
  // Scrolled away from, the current cell is where the keys go on from.
  ScrollTo(Cols / 2);
  QTest::keyClick(FView.get(), Qt::Key_Up);
  QCOMPARE(FView->currentIndex().data().toString(), QStringLiteral("Toernooi van de lange regel"));
  QTest::keyClick(FView.get(), Qt::Key_Down);
  QCOMPARE(FView->currentIndex().data().toString(), QStringLiteral("Z1"));
  QTest::keyClick(FView.get(), Qt::Key_Home);
  QCoreApplication::processEvents();
  QCOMPARE(FView->currentIndex().data().toString(), QStringLiteral("A1"));
  QCOMPARE(ColBar()->value(), 0);
  // Right arrows walk across the window's end into the next columns.
  for (int i = 0; i < TCellTableModel::WindowCols + 5; ++i)
    QTest::keyClick(FView.get(), Qt::Key_Right);
  QCoreApplication::processEvents();
  BoundedWindow();
  const QSignalSpy copied(FView.get(), &TCellTableView::CopyRequested);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(copied.count(), 1);
  const int col = 1 + TCellTableModel::WindowCols + 5;
  QCOMPARE(copied.at(0), (QVariantList{col, 1, col, 1}));
}

void CellTableViewTest::copiesTheLastCells() {
  FView->setFocus();
  FView->setCurrentIndex(FView->model()->index(2, 1));
  QTest::keyClick(FView.get(), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(FView.get(), Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(FView.get(), Qt::Key_Left, Qt::ShiftModifier);
  const QSignalSpy copied(FView.get(), &TCellTableView::CopyRequested);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(copied.count(), 1);
  QCOMPARE(copied.at(0), (QVariantList{Cols - 2, 2, Cols - 1, 3}));
  QCOMPARE(FTable->SelectionText(Cols - 2, 2, Cols - 1, 3), std::string("\tZ2\r\n\tZ3\r\n"));
}

// A finding's line is selected whole: scrolled away from and copied, it still gives every field.
void CellTableViewTest::aShownRowCopiesWhole() {
  QVERIFY(FView->ShowRow(2));
  QVERIFY(!FView->ShowRow(4));
  QCOMPARE(FView->currentIndex().data().toString(), QStringLiteral("A2"));
  ScrollTo(Body);
  BoundedWindow();
  const int last = FView->model()->columnCount() - 1;
  QVERIFY(FView->selectionModel()->isSelected(FView->model()->index(2, last)));
  const QSignalSpy copied(FView.get(), &TCellTableView::CopyRequested);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(copied.count(), 1);
  QCOMPARE(copied.at(0), (QVariantList{1, 2, Cols - 1, 2}));
}

void CellTableViewTest::selectAllCopiesEveryColumn() {
  QTest::keyClick(FView.get(), Qt::Key_A, Qt::ControlModifier);
  ScrollTo(Cols / 2);
  const QSignalSpy copied(FView.get(), &TCellTableView::CopyRequested);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(copied.count(), 1);
  QCOMPARE(copied.at(0), (QVariantList{0, 0, Cols - 1, 3}));
}

// Shift+End and a Shift+click far from the first cell select from that cell on, however often
// the window moved in between.
void CellTableViewTest::shiftExtendsFromTheFirstCellAcrossWindows() {
  FView->setFocus();
  FView->setCurrentIndex(FView->model()->index(1, 1));
  QTest::keyClick(FView.get(), Qt::Key_Right);
  QTest::keyClick(FView.get(), Qt::Key_End, Qt::ShiftModifier);
  QSignalSpy copied(FView.get(), &TCellTableView::CopyRequested);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(FView.get(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  ScrollTo(Cols / 2);
  const int col = FView->columnAt(FView->viewport()->width() / 2);
  const QPoint at = FView->visualRect(FView->model()->index(3, col)).center();
  QTest::mouseClick(FView->viewport(), Qt::LeftButton, Qt::ShiftModifier, at);
  QTest::keyClick(FView.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(copied.count(), 3);
  QCOMPARE(copied.at(0), (QVariantList{2, 1, Cols - 1, 1}));
  QCOMPARE(copied.at(1), (QVariantList{2, 1, Cols - 1, 2}));
  const int table = static_cast<const TCellTableModel*>(FView->model())->TableCol(col);
  QVERIFY(table > Cols / 2);
  QCOMPARE(copied.at(2), (QVariantList{2, 1, table, 3}));
}

// The merged first line stands over the columns in view wherever the window is.
void CellTableViewTest::aMergedLineShowsInEveryWindow() {
  for (const int first : {0, Cols / 3, Body}) {
    ScrollTo(first);
    const int col = FView->columnAt(0);
    QVERIFY(FView->columnSpan(0, col) > 1);
    QCOMPARE(Shown(0, col), QStringLiteral("Toernooi van de lange regel"));
  }
}

QTEST_MAIN(CellTableViewTest)
#include "CellTableViewTest.moc"

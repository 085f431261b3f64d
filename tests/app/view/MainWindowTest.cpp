#include "app/view/MainWindow.h"
#include "FakeDesktop.h"
#include "TestFiles.h"
#include "app/view/CellDelegate.h"
#include "app/view/ProgramIdentity.h"
#include "app/view/QtDesktop.h"
#include "app/view/QtTranslation.h"
#include "app/view/StatusPanel.h"
#include "app/view/TextMeasure.h"
#include "tests/support/TempDir.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

class MainWindowTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { RegisterTableFonts(); }
  void init();
  void cleanup();
  void buildsWithCaptionsTabsAndEnablement();
  void widgetsCarryTheirCaptionsAndHints_data();
  void widgetsCarryTheirCaptionsAndHints();
  void doubleClickFillsTheTablesAndShowsFouten();
  void cellsAreEditableOnlyWhenTheOwnerAllows();
  void convertAllWritesTheReports();
  void openingASubFolderShowsItsFiles();
  void closingRemembersTheFoldersAndThePlace();
  void identityNamesTheDesktopEntryAndShowsTheDrawnIcon();
  void keysOpenRefreshSaveAndCopy();
  void unchangedTablesKeepSelectionAndScroll();
  void keyboardFocusAloneSelectsNoInputFile();
  void cellTextSitsTwoPixelsFromTheEdges();
  void trashIsMadeWhenTheUserHasNone();
  void headerCellsStayInViewWhenScrolled();
  void deleteMovesTheSelectedFileToTheTrash();
  void filesDragOutAsCopiesOfTheirAddresses();
  void aDropIsAnsweredWithCopy();
  void aRefusedDropSaysWhy();
  void aFindingShowsItsLineOnInleesGrid();
  void everyControlHasAnAccessibleName();
  void keysReachMenusTabsAndFocus();
  void headerRowNamesTheColumns();
  void closingDuringALoadStopsItAndCloses();
  void namesShowAsTheyAre();
  void statusPanelsAreReadByScreenReaders();
  void longTextsAreElidedToTheirRoom();
  void headerLinesAloneShowWhole_data();
  void headerLinesAloneShowWhole();
  void aLoadOffersNoDeadMenuActions();
  void homeAndEndSelectTheirFile();
  void questionsAndQtsOwnTextsAreDutch();
  void outputClearFollowsAnOutsideChange();

private:
  template <typename T> T* Find(const char* name) {
    T* widget = Window->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no widget %s", name);
    return widget;
  }
  fs::path Dir() const { return Temp->Path(); }
  void OpenFirstInputFile() {
    auto* list = Find<QListView>("InFileListBox");
    const QPoint item = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item);
  }

  std::unique_ptr<TTempDir> Temp;
  std::unique_ptr<TFakeDesktop> Desktop;
  std::unique_ptr<TMainWindow> Window;
};

void MainWindowTest::init() {
  Temp = std::make_unique<TTempDir>();
  fs::create_directory(Dir() / "InBox");
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", TournamentCsv());
  Desktop = std::make_unique<TFakeDesktop>();
  Window = std::make_unique<TMainWindow>(Dir() / "Morvelander", '.', Desktop.get());
  Window->show();
  QVERIFY(QTest::qWaitForWindowActive(Window.get()));
  // Activation refreshes both folders, each with a beep.
  QTRY_COMPARE(Desktop->Beeps, 2);
}

void MainWindowTest::cleanup() {
  Window.reset();
  Desktop.reset();
  Temp.reset();
}

void MainWindowTest::buildsWithCaptionsTabsAndEnablement() {
  QCOMPARE(Window->windowTitle(),
           QStringLiteral("Jeugd csv naar Fide2006 Versie: 0.1 (2009-11-08)"));
  QCOMPARE(Window->size(), QSize(725, 485));

  auto* pages = Find<QTabWidget>("PageControl");
  QCOMPARE(pages->count(), 4);
  const char* const tabs[][2] = {{"TabSheet1", "Selecteer bestand"},
                                 {"TabSheet3", "Inlees grid"},
                                 {"TabSheet2", "Fide2006 grid"},
                                 {"TabSheet4", "Fouten"}};
  for (int i = 0; i < 4; ++i) {
    QCOMPARE(pages->widget(i)->objectName(), QString::fromLatin1(tabs[i][0]));
    QCOMPARE(pages->tabText(i), QString::fromLatin1(tabs[i][1]));
  }
  QCOMPARE(pages->currentIndex(), 0);

  QVERIFY(!Find<QPushButton>("SaveDataBitBtn")->isEnabled());
  QVERIFY(Find<QPushButton>("DoAllBitBtn")->isEnabled());
  QVERIFY(Find<QPushButton>("InBoxClearBitBtn")->isEnabled());
  QVERIFY(!Find<QPushButton>("OutBoxClearBitBtn")->isEnabled());
  QCOMPARE(Find<QListView>("InFileListBox")->model()->rowCount(), 1);
  QCOMPARE(Find<TStatusPanel>("StatusPanel0")->width(), 350);
  QCOMPARE(Find<TStatusPanel>("StatusPanel1")->width(), 320);

  // The error list right after start: its header row in bold on the header look, one open row.
  auto* errors = Find<QTableView>("ErrorGrid");
  QCOMPARE(errors->model()->rowCount(), 2);
  QCOMPARE(errors->model()->data(errors->model()->index(0, 2)).toString(),
           QStringLiteral("Opmerking"));
  QVERIFY(errors->model()->data(errors->model()->index(0, 2), Qt::FontRole).value<QFont>().bold());
  QVERIFY(!errors->model()->data(errors->model()->index(1, 2), Qt::FontRole).value<QFont>().bold());
  QCOMPARE(errors->rowHeight(1), 21);
}

void MainWindowTest::widgetsCarryTheirCaptionsAndHints_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("hint");
  QTest::newRow("DoAllBitBtn") << "DoAllBitBtn"
                               << "Alle"
                               << "Transformeer alle Inbox bestanden";
  QTest::newRow("InBoxClearBitBtn") << "InBoxClearBitBtn"
                                    << "Clear"
                                    << "Clear InBox";
  QTest::newRow("InUpdateBitBtn") << "InUpdateBitBtn"
                                  << "Update"
                                  << "Refresh InBox";
  QTest::newRow("OutBoxClearBitBtn") << "OutBoxClearBitBtn"
                                     << "Clear"
                                     << "Clear OutBox";
  QTest::newRow("OutUpdateBitBtn") << "OutUpdateBitBtn"
                                   << "Update"
                                   << "Refresh OutBox";
  QTest::newRow("SaveDataBitBtn") << "SaveDataBitBtn"
                                  << "Bewaar Fide2006"
                                  << "";
  QTest::newRow("ClipBoardBitBtn") << "ClipBoardBitBtn"
                                   << "ClipBoard"
                                   << "";
  QTest::newRow("GroupBox1") << "GroupBox1"
                             << "Select data uitvoer map"
                             << "";
  QTest::newRow("GroupBox2") << "GroupBox2"
                             << "Select data invoer map"
                             << "";
  QTest::newRow("GroupBox3") << "GroupBox3"
                             << "Invoer bestanden (*.csv)"
                             << "";
  QTest::newRow("GroupBox4") << "GroupBox4"
                             << "Uitvoer Fide2006 bestanden (*.txt)"
                             << "";
}

void MainWindowTest::widgetsCarryTheirCaptionsAndHints() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(QString, hint);
  QWidget* widget = Window->findChild<QWidget*>(name);
  QVERIFY(widget);
  if (auto* button = qobject_cast<QPushButton*>(widget))
    QCOMPARE(button->text(), caption);
  else
    QCOMPARE(qobject_cast<QGroupBox*>(widget)->title(), caption);
  QCOMPARE(widget->toolTip(), hint);
}

void MainWindowTest::doubleClickFillsTheTablesAndShowsFouten() {
  auto* list = Find<QListView>("InFileListBox");
  Find<QTabWidget>("PageControl")->setCurrentIndex(0);
  const QPoint item = list->visualRect(list->model()->index(0, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item);

  // Opened once: the output refresh after the load beeps once more than the activation did.
  QCOMPARE(Desktop->Beeps, 3);
  QCOMPARE(Find<QTabWidget>("PageControl")->currentIndex(), 3);
  auto* input = Find<QTableView>("InputGrid");
  QCOMPARE(input->model()->rowCount(), 9);
  QCOMPARE(input->model()->data(input->model()->index(0, 2)).toString(),
           QStringLiteral("Voorbeeldtoernooi"));
  // A header record's text spans the rest of its row.
  QCOMPARE(input->columnSpan(0, 2), input->model()->columnCount() - 2);
  auto* table = Find<QTableView>("ToernooiGrid");
  QCOMPARE(table->model()->rowCount(), 4);
  QCOMPARE(table->model()->data(table->model()->index(1, 4)).toString(), QStringLiteral("Ab, Cd"));
  QCOMPARE(table->columnWidth(4), Window->Form().ToernooiGrid.ColWidths(4));
  auto* errors = Find<QTableView>("ErrorGrid");
  QCOMPARE(errors->model()->data(errors->model()->index(1, 2)).toString(),
           QStringLiteral("Voorbeeld.csv"));
  QCOMPARE(Find<TStatusPanel>("StatusPanel0")->Text(), QStringLiteral("Voorbeeldtoernooi"));
  QCOMPARE(Find<TStatusPanel>("StatusPanel1")->Text(), QStringLiteral("0 fout"));
  QVERIFY(Find<QPushButton>("SaveDataBitBtn")->isEnabled());
}

void MainWindowTest::cellsAreEditableOnlyWhenTheOwnerAllows() {
  OpenFirstInputFile();
  for (const char* name : {"InputGrid", "ToernooiGrid", "ErrorGrid"}) {
    const QAbstractItemModel* model = Find<QTableView>(name)->model();
    QVERIFY2(!(model->flags(model->index(1, 2)) & Qt::ItemIsEditable), name);
  }
  Window->Form().ToernooiGrid.OnCanEditCell = [](int row, int col) { return row == 1 && col == 2; };
  const QAbstractItemModel* model = Find<QTableView>("ToernooiGrid")->model();
  QVERIFY(model->flags(model->index(1, 2)) & Qt::ItemIsEditable);
  QVERIFY(!(model->flags(model->index(2, 1)) & Qt::ItemIsEditable));
}

void MainWindowTest::convertAllWritesTheReports() {
  WriteBytes(Dir() / "InBox" / "Tweede.csv", TournamentCsv("Tweede toernooi"));
  WriteBytes(Dir() / "InBox" / "Leeg.csv", "");
  QTest::mouseClick(Find<QPushButton>("InUpdateBitBtn"), Qt::LeftButton);
  Desktop->Answers = {true};
  QTest::mouseClick(Find<QPushButton>("DoAllBitBtn"), Qt::LeftButton);

  QCOMPARE(Desktop->Questions.size(), std::size_t{1});
  QVERIFY(fs::exists(Dir() / "OutBox" / "Voorbeeld.txt"));
  QCOMPARE(QString::fromStdString(ReadBytes(Dir() / "OutBox" / "Tweede.txt").substr(0, 21)),
           QStringLiteral("012 Tweede toernooi\r\n"));
  QCOMPARE(Find<QListView>("OutFileListBox")->model()->rowCount(), 2);
  QVERIFY(Find<QPushButton>("OutBoxClearBitBtn")->isEnabled());
  // The empty file is a row of its own that says why, without a message.
  const QAbstractItemModel* errors = Find<QTableView>("ErrorGrid")->model();
  QCOMPARE(errors->rowCount(), 5);
  QCOMPARE(errors->index(1, 2).data().toString(), QStringLiteral("Leeg.csv Het bestand is leeg."));
  QVERIFY(Desktop->Messages.empty());
  QCOMPARE(Find<TStatusPanel>("StatusPanel0")->Text(),
           QStringLiteral("2 rapporten in OutBox; 1 bestand geweigerd"));
  QCOMPARE(Find<TStatusPanel>("StatusPanel1")->Text(), QString());
}

void MainWindowTest::openingASubFolderShowsItsFiles() {
  WriteBytes(Dir() / "InBox" / "sub" / "Eerste.csv", TournamentCsv());
  WriteBytes(Dir() / "InBox" / "sub" / "Tweede.csv", TournamentCsv());
  QTest::mouseClick(Find<QPushButton>("InUpdateBitBtn"), Qt::LeftButton);
  auto* chooser = Find<QTreeWidget>("InDirectoryListBox");
  const QList<QTreeWidgetItem*> found =
      chooser->findItems(QStringLiteral("sub"), Qt::MatchExactly | Qt::MatchRecursive);
  QCOMPARE(found.size(), 1);
  const QPoint item = chooser->visualItemRect(found.first()).center();
  QTest::mouseClick(chooser->viewport(), Qt::LeftButton, {}, item);
  QTest::mouseDClick(chooser->viewport(), Qt::LeftButton, {}, item);

  QCOMPARE(chooser->currentItem()->text(0), QStringLiteral("sub"));
  auto* files = Find<QListView>("InFileListBox");
  QCOMPARE(files->model()->rowCount(), 2);
  QCOMPARE(files->model()->data(files->model()->index(1, 0)).toString(),
           QStringLiteral("Tweede.csv"));
  // The files to convert are those the list shows.
  QCOMPARE(Window->Form().InputFiles().size(), std::size_t{2});
  QVERIFY(Find<QPushButton>("DoAllBitBtn")->isEnabled());
}

void MainWindowTest::closingRemembersTheFoldersAndThePlace() {
  Window->setGeometry(40, 30, 700, 450);
  // Ctrl+Q closes as the close button does.
  QTest::keyClick(Window.get(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!Window->isVisible());
  const std::string folders = "[LastSession]\r\nDataInMap=" + (Dir() / "InBox").string() +
                              "\r\nDataOutMap=" + (Dir() / "OutBox").string() + "\r\n";
  QCOMPARE(QString::fromStdString(ReadBytes(Dir() / "Morvelander.ini")),
           QString::fromStdString(folders + "[Window]\r\nLeft=40\r\nTop=30\r\nWidth=700\r\n"
                                            "Height=450\r\nMaximized=0\r\n"));
  QVERIFY(Desktop->Errors.empty());
  QCOMPARE(TMainWindow(Dir() / "Morvelander", '.', Desktop.get()).geometry(),
           QRect(40, 30, 700, 450));

  // A place on no screen is not taken.
  WriteBytes(Dir() / "Morvelander.ini",
             folders + "[Window]\r\nLeft=40000\r\nTop=30\r\nWidth=700\r\nHeight=450\r\n");
  QCOMPARE(TMainWindow(Dir() / "Morvelander", '.', Desktop.get()).size(), QSize(725, 485));
}

void MainWindowTest::identityNamesTheDesktopEntryAndShowsTheDrawnIcon() {
  SetProgramIdentity();
  QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("nl.morvelander.Morvelander"));
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Morvelander"));
  const QIcon icon = Window->windowIcon();
  QCOMPARE(icon.availableSizes().size(), 7);
  const QImage image = icon.pixmap(QSize(48, 48)).toImage();
  QCOMPARE(image.size(), QSize(48, 48));
  // Transparent round the rounded tile, opaque inside it.
  QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
  QCOMPARE(image.pixelColor(24, 24).alpha(), 255);
}

void MainWindowTest::keysOpenRefreshSaveAndCopy() {
  fs::create_directory(Dir() / "InBox" / "sub");
  auto* list = Find<QListView>("InFileListBox");
  auto* pages = Find<QTabWidget>("PageControl");
  list->setFocus();
  // Ctrl+S is "Bewaar Fide2006", which is still disabled.
  QTest::keyClick(list, Qt::Key_S, Qt::ControlModifier);
  QVERIFY(Desktop->SaveSuggestions.empty());

  list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(pages->currentIndex(), 3);

  Desktop->ClearRecords();
  auto* table = Find<QTableView>("ToernooiGrid");
  pages->setCurrentIndex(2);
  table->setFocus();
  QTest::keyClick(table, Qt::Key_F5);
  QCOMPARE(Desktop->Beeps, 2);
  QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(Desktop->SaveSuggestions, std::vector<fs::path>{Dir() / "OutBox" / "Voorbeeld.txt"});

  // Ctrl+C copies the selected block as "ClipBoard" does the whole table.
  const auto cell = [table](int row, int col) { return table->model()->index(row, col); };
  table->selectionModel()->select(QItemSelection(cell(1, 4), cell(2, 4)),
                                  QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  table->selectionModel()->select(cell(1, 4), QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(Desktop->Clipboard, (std::vector<std::string>{"Ab, Cd\r\nEf, Gh\r\n", "Ab, Cd"}));

  // Enter on a folder entry opens the folder.
  pages->setCurrentIndex(0);
  auto* chooser = Find<QTreeWidget>("InDirectoryListBox");
  const QList<QTreeWidgetItem*> sub =
      chooser->findItems(QStringLiteral("sub"), Qt::MatchExactly | Qt::MatchRecursive);
  QCOMPARE(sub.size(), 1);
  chooser->setFocus();
  chooser->setCurrentItem(sub.first());
  QTest::keyClick(chooser, Qt::Key_Return);
  QCOMPARE(Window->Form().InDirectoryListBox.Directory(), Dir() / "InBox" / "sub");
}

void MainWindowTest::unchangedTablesKeepSelectionAndScroll() {
  std::string csv = TournamentCsv();
  for (int i = 0; i < 80; ++i) csv += "999;onbekend\r\n";
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", csv);
  OpenFirstInputFile();
  auto* input = Find<QTableView>("InputGrid");
  Find<QTabWidget>("PageControl")->setCurrentIndex(1);
  input->selectionModel()->select(
      QItemSelection(input->model()->index(40, 1), input->model()->index(42, 2)),
      QItemSelectionModel::ClearAndSelect);
  input->verticalScrollBar()->setValue(30);

  QTest::mouseClick(Find<QPushButton>("OutUpdateBitBtn"), Qt::LeftButton);
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(Window.get(), &activate);
  QCoreApplication::processEvents();
  QCOMPARE(input->selectionModel()->selectedIndexes().size(), 6);
  QCOMPARE(input->verticalScrollBar()->value(), 30);
}

void MainWindowTest::keyboardFocusAloneSelectsNoInputFile() {
  auto* list = Find<QListView>("InFileListBox");
  list->setFocus(Qt::TabFocusReason);
  QTRY_VERIFY(list->hasFocus());
  const QPoint below(10, list->viewport()->height() - 5);
  QVERIFY(!list->indexAt(below).isValid());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
  QCOMPARE(Window->Form().InFileListBox.FileName(), fs::path());
  QCOMPARE(Find<QTabWidget>("PageControl")->currentIndex(), 0);
}

namespace {

// The box of the dark pixels: text, not the silver grid lines.
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
  return box;
}

} // namespace

void MainWindowTest::cellTextSitsTwoPixelsFromTheEdges() {
  OpenFirstInputFile();
  auto* table = Find<QTableView>("ToernooiGrid");
  Find<QTabWidget>("PageControl")->setCurrentIndex(2);
  table->selectionModel()->clear();
  const QModelIndex name = table->model()->index(1, 4);
  const QRect cell = table->visualRect(name);
  const QImage shown = table->viewport()->grab(cell).toImage();

  QImage want(shown.size(), QImage::Format_RGB32);
  want.fill(Qt::white);
  QPainter painter(&want);
  painter.setFont(TableFont(TCellFont::Body));
  painter.setPen(Qt::black);
  painter.drawText(want.rect().adjusted(2, 2, -2, 0),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, name.data().toString());
  painter.end();
  QVERIFY(!InkBox(want).isEmpty());
  QCOMPARE(InkBox(shown).topLeft(), InkBox(want).topLeft());
}

void MainWindowTest::trashIsMadeWhenTheUserHasNone() {
  // A home without a data folder: the file must land in the new trash there, not beside the
  // current folder.
  const QByteArray home = qgetenv("HOME");
  const QByteArray data = qgetenv("XDG_DATA_HOME");
  qputenv("HOME", QByteArray::fromStdString(Dir().string()));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((Dir() / "nieuw" / "share").string()));
  WriteBytes(Dir() / "InBox" / "a.csv", "x");
  TQtDesktop desktop(nullptr, QStringLiteral("Morvelander"), nullptr);
  const bool moved = desktop.MoveToTrash(Dir() / "InBox" / "a.csv");
  qputenv("HOME", home);
  if (data.isNull())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME", data);
  QVERIFY(moved);
  QVERIFY(fs::exists(Dir() / "nieuw" / "share" / "Trash" / "files" / "a.csv"));
  QVERIFY(!fs::exists(Dir() / "InBox" / "a.csv"));
}

namespace {

// The cell the user sees at a point of a table, whichever view draws it.
// The (row, column) of the table's cell drawn at the point, whichever of its views draws it.
QPoint ShownCell(QTableView* table, const QPoint& pos) {
  QWidget* shown = table->childAt(pos);
  auto* view = shown ? qobject_cast<QTableView*>(shown->parentWidget()) : nullptr;
  const QModelIndex cell = view ? view->indexAt(shown->mapFrom(table, pos)) : QModelIndex();
  return cell.isValid() ? QPoint(cell.row(), cell.column()) : QPoint(-1, -1);
}

} // namespace

void MainWindowTest::headerCellsStayInViewWhenScrolled() {
  std::string csv = TournamentCsv();
  for (int r = 3; r < 40; ++r)
    csv += "900;" + std::to_string(r) + ";10-10-2009;" + std::to_string(7000000 + r) + ";" +
           std::to_string(7000001 + r) + ";1;Sp" + std::to_string(r) + ", Ab;Sp" +
           std::to_string(r + 1) + ", Ab;;\r\n";
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", csv);
  OpenFirstInputFile();
  Find<QTabWidget>("PageControl")->setCurrentIndex(2);
  auto* table = Find<QTableView>("ToernooiGrid");
  table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
  table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
  QVERIFY(table->horizontalScrollBar()->value() > 2);
  QVERIFY(table->verticalScrollBar()->value() > 2);

  // The corner, the header row over the body's first shown column, the header column beside
  // its first shown row, and the body itself.
  const int edge = table->frameWidth() + 3;
  const int left = edge + Window->Form().ToernooiGrid.ColWidths(0);
  const int top = edge + table->rowHeight(1);
  const QAbstractItemModel* model = table->model();
  QCOMPARE(ShownCell(table, QPoint(edge, edge)), QPoint(0, 0));
  QCOMPARE(ShownCell(table, QPoint(left, edge)), QPoint(0, table->columnAt(3)));
  const QPoint row = ShownCell(table, QPoint(edge, top));
  QCOMPARE(row, QPoint(table->rowAt(3), 0));
  QCOMPARE(model->index(row.x(), row.y()).data().toString(), QStringLiteral("001"));
  QCOMPARE(ShownCell(table, QPoint(left, top)), QPoint(table->rowAt(3), table->columnAt(3)));
}

void MainWindowTest::deleteMovesTheSelectedFileToTheTrash() {
  auto* list = Find<QListView>("InFileListBox");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Delete);
  QVERIFY(Desktop->Questions.empty());

  list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect);
  Desktop->Answers = {true};
  QTest::keyClick(list, Qt::Key_Delete);
  QCOMPARE(Desktop->Questions, std::vector<std::string>{"Voorbeeld.csv verwijderen ?"});
  QCOMPARE(Desktop->Trashed, std::vector<fs::path>{Dir() / "InBox" / "Voorbeeld.csv"});
  QCOMPARE(list->model()->rowCount(), 0);
  QVERIFY(!Find<QPushButton>("InBoxClearBitBtn")->isEnabled());
}

void MainWindowTest::filesDragOutAsCopiesOfTheirAddresses() {
  auto* list = Find<QListView>("InFileListBox");
  const QModelIndex entry = list->model()->index(0, 0);
  QVERIFY(list->dragEnabled());
  QVERIFY(list->model()->flags(entry) & Qt::ItemIsDragEnabled);
  QCOMPARE(list->model()->supportedDragActions(), Qt::CopyAction);
  const std::unique_ptr<QMimeData> data(list->model()->mimeData({entry}));
  QVERIFY(data);
  QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(
                             (Dir() / "InBox" / "Voorbeeld.csv").string()))});
}

// A source that honours Move would delete the user's original after the drop.
void MainWindowTest::aDropIsAnsweredWithCopy() {
  const fs::path source = Dir() / "Elders" / "Gedropt.csv";
  WriteBytes(source, TournamentCsv());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(source.string()))});
  const QPoint pos = Window->rect().center();
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(pos, offered, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(Window.get(), &enter);
  QVERIFY(enter.isAccepted());
  QCOMPARE(enter.dropAction(), Qt::CopyAction);
  QDragMoveEvent move(pos, offered, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(Window.get(), &move);
  QVERIFY(move.isAccepted());
  QCOMPARE(move.dropAction(), Qt::CopyAction);
  QDropEvent drop(pos, offered, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(Window.get(), &drop);
  QVERIFY(drop.isAccepted());
  QCOMPARE(drop.dropAction(), Qt::CopyAction);
  QTRY_VERIFY(fs::exists(Dir() / "InBox" / "Gedropt.csv"));
  QVERIFY(fs::exists(source));
}

// A drag the window does not take says why in the status bar: a source that only moves, and a
// drop while a file loads.
void MainWindowTest::aRefusedDropSaysWhy() {
  const fs::path source = Dir() / "Elders" / "Gedropt.csv";
  WriteBytes(source, TournamentCsv());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(source.string()))});
  const QPoint pos = Window->rect().center();
  auto* bar = Find<QStatusBar>("StatusBar");
  const auto enter = [&](Qt::DropActions offered) {
    QDragEnterEvent e(pos, offered, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(Window.get(), &e);
    return e.isAccepted();
  };
  QVERIFY(!enter(Qt::MoveAction));
  QCOMPARE(bar->currentMessage(),
           QStringLiteral("Niet overgenomen: de bron staat niet toe dat het gekopieerd wordt."));
  bar->clearMessage();
  std::optional<bool> accepted;
  Desktop->OnWait = [&] {
    if (!accepted) accepted = enter(Qt::CopyAction);
  };
  OpenFirstInputFile();
  Desktop->OnWait = nullptr;
  QCOMPARE(accepted, std::optional<bool>(false));
  QCOMPARE(bar->currentMessage(),
           QStringLiteral("Niet overgenomen: wacht tot het inlezen of Alle klaar is."));
  QVERIFY(enter(Qt::CopyAction));
}

void MainWindowTest::aFindingShowsItsLineOnInleesGrid() {
  // Lines 10 to 39 are empty and get no row; line 100 repeats the game of line 8, far below
  // the rows in view.
  std::string csv = TournamentCsv();
  for (int i = 0; i < 30; ++i) csv += "\r\n";
  for (int i = 0; i < 60; ++i) csv += "999;onbekend\r\n";
  csv += "900;1;03-10-2009;7000001;1234;1;Ab, Cd;Ef, Gh;17-05-2001;\r\n";
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", csv);
  OpenFirstInputFile();
  auto* errors = Find<QTableView>("ErrorGrid");
  int finding = -1;
  for (int r = 1; r < errors->model()->rowCount(); ++r)
    if (errors->model()->index(r, 1).data().toString() == QStringLiteral("100")) finding = r;
  QVERIFY(finding > 0);
  const QPoint cell = errors->visualRect(errors->model()->index(finding, 2)).center();
  QTest::mouseClick(errors->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(errors->viewport(), Qt::LeftButton, {}, cell);

  QCOMPARE(Find<QTabWidget>("PageControl")->currentIndex(), 1);
  auto* input = Find<QTableView>("InputGrid");
  QCOMPARE(input->currentIndex(), input->model()->index(69, 1));
  QVERIFY(input->selectionModel()->isSelected(input->model()->index(69, 7)));
  QCOMPARE(input->model()->index(69, 0).data().toString(), QStringLiteral("70"));
  QVERIFY(input->viewport()->rect().contains(input->visualRect(input->currentIndex())));
}

void MainWindowTest::everyControlHasAnAccessibleName() {
  QStringList unnamed;
  const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
    auto* widget = qobject_cast<QWidget*>(node->object());
    if (!widget) return;
    // The tab widget's stack of pages is Qt's own layer between the tabs and their pages.
    const bool layer = node->role() == QAccessible::LayeredPane;
    if (widget->isVisible() && !layer && node->text(QAccessible::Name).isEmpty())
      unnamed << widget->objectName() + QLatin1Char(' ') + widget->metaObject()->className();
    for (int i = 0; i < node->childCount(); ++i)
      if (QAccessibleInterface* child = node->child(i)) walk(child);
  };
  for (int page = 0; page < 4; ++page) {
    Find<QTabWidget>("PageControl")->setCurrentIndex(page);
    walk(QAccessible::queryAccessibleInterface(Window.get()));
  }
  QCOMPARE(unnamed.join(QStringLiteral("; ")), QString());
}

void MainWindowTest::keysReachMenusTabsAndFocus() {
  // Shift+F10 opens the list's context menu as the Menu key does.
  auto* list = Find<QListView>("InFileListBox");
  list->setFocus();
  list->setCurrentIndex(list->model()->index(0, 0));
  QStringList shown;
  QTimer::singleShot(0, this, [&shown] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (const QAction* action : menu->actions()) shown << action->text();
      menu->close();
    }
  });
  QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
  QCOMPARE(shown, (QStringList{QStringLiteral("Openen"), QStringLiteral("Map openen"),
                               QStringLiteral("Verwijderen")}));

  // The tab keys switch tabs also with the focus in a table, which takes Tab itself.
  auto* pages = Find<QTabWidget>("PageControl");
  pages->setCurrentIndex(2);
  auto* table = Find<QTableView>("ToernooiGrid");
  table->setFocus();
  QTest::keyClick(table, Qt::Key_Tab, Qt::ControlModifier);
  QCOMPARE(pages->currentIndex(), 3);
  auto* errors = Find<QTableView>("ErrorGrid");
  errors->setFocus();
  QTest::keyClick(errors, Qt::Key_PageDown, Qt::ControlModifier);
  QCOMPARE(pages->currentIndex(), 0);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_PageUp, Qt::ControlModifier);
  QCOMPARE(pages->currentIndex(), 3);
  errors->setFocus();
  QTest::keyClick(errors, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(pages->currentIndex(), 2);

  // A folder tree's frame takes the highlight colour while the tree has the focus.
  pages->setCurrentIndex(0);
  Window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Window.get()));
  auto* chooser = Find<QTreeWidget>("InDirectoryListBox");
  const QColor highlight = chooser->palette().color(QPalette::Active, QPalette::Highlight);
  const auto frame = [chooser] { return chooser->grab().toImage().pixelColor(0, 40); };
  list->setFocus();
  QTRY_VERIFY(list->hasFocus());
  QVERIFY(frame() != highlight);
  chooser->setFocus();
  QTRY_VERIFY(chooser->hasFocus());
  QCOMPARE(frame(), highlight);
}

// A screen reader names a cell's column by the table's header row.
void MainWindowTest::headerRowNamesTheColumns() {
  auto* errors = Find<QTableView>("ErrorGrid");
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(errors);
  QVERIFY(table && table->tableInterface());
  QCOMPARE(table->tableInterface()->columnDescription(2), QStringLiteral("Opmerking"));
  QCOMPARE(errors->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Fout"));
}

// A session that ends (the window's close) while a long load works stops the load and closes.
void MainWindowTest::closingDuringALoadStopsItAndCloses() {
  std::string csv = TournamentCsv();
  for (int i = 0; i < 400000; ++i) csv += "900;1\r\n";
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", csv);
  std::optional<bool> closedAtOnce;
  Desktop->OnWait = [&] {
    if (!closedAtOnce) closedAtOnce = Window->close();
  };
  OpenFirstInputFile();
  Desktop->OnWait = nullptr;
  QCOMPARE(closedAtOnce, std::optional<bool>(false));
  QCOMPARE(Find<TStatusPanel>("StatusPanel1")->Text(), QStringLiteral("Gestopt."));
  QTRY_VERIFY(!Window->isVisible());
  QVERIFY(fs::exists(Dir() / "Morvelander.ini"));
}

void MainWindowTest::namesShowAsTheyAre() {
  const char* const lodz = "\xC5\x81\xC3\xB3\x64\xC5\xBA";  // Łódź
  const char* const zolw = "\xC5\xBB\xC3\xB3\xC5\x82w.csv"; // Żółw.csv
  WriteBytes(Dir() / "InBox" / lodz / zolw, TournamentCsv());
  QTest::mouseClick(Find<QPushButton>("InUpdateBitBtn"), Qt::LeftButton);
  auto* chooser = Find<QTreeWidget>("InDirectoryListBox");
  const QList<QTreeWidgetItem*> found =
      chooser->findItems(QString::fromUtf8(lodz), Qt::MatchExactly | Qt::MatchRecursive);
  QCOMPARE(found.size(), 1);
  chooser->setFocus();
  chooser->setCurrentItem(found.first());
  QTest::keyClick(chooser, Qt::Key_Return);
  auto* files = Find<QListView>("InFileListBox");
  QCOMPARE(files->model()->index(0, 0).data().toString(), QString::fromUtf8(zolw));

  QTest::mouseClick(Find<QPushButton>("DoAllBitBtn"), Qt::LeftButton);
  QCOMPARE(Desktop->Questions,
           std::vector<std::string>{"Alle bestanden in \r" + (Dir() / "InBox" / lodz).string() +
                                    "\r\rtransformeren in Fide2006 bestanden ?"});
}

// A screen reader finds a panel's whole text as its value, beside the panel's name.
void MainWindowTest::statusPanelsAreReadByScreenReaders() {
  OpenFirstInputFile();
  auto* count = Find<TStatusPanel>("StatusPanel1");
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(count);
  QVERIFY(panel);
  QCOMPARE(panel->text(QAccessible::Name), QStringLiteral("Fouten en voortgang"));
  QCOMPARE(panel->text(QAccessible::Value), QStringLiteral("0 fout"));
  QAccessibleInterface* naam =
      QAccessible::queryAccessibleInterface(Find<TStatusPanel>("StatusPanel0"));
  QCOMPARE(naam->text(QAccessible::Name), QStringLiteral("Toernooi"));
  QCOMPARE(naam->text(QAccessible::Value), QStringLiteral("Voorbeeldtoernooi"));
}

// A name of a megabyte keeps its panel's width and shows as far as it fits, and is whole on copy;
// a cell too narrow for its text shows it cut with an ellipsis and whole in its tooltip.
void MainWindowTest::longTextsAreElidedToTheirRoom() {
  const std::string naam(1 << 20, 'N');
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", TournamentCsv(naam));
  OpenFirstInputFile();
  auto* panel = Find<TStatusPanel>("StatusPanel0");
  QCOMPARE(panel->width(), 350);
  QCOMPARE(panel->Text().size(), qsizetype{TMainForm::MaxStatusChars + 1});
  QVERIFY(panel->Text().endsWith(QChar(0x2026)));
  const QString shown = panel->ShownText();
  QVERIFY(shown.size() < 200);
  QVERIFY(shown.endsWith(QChar(0x2026)));
  QVERIFY(panel->fontMetrics().horizontalAdvance(shown) <= panel->contentsRect().width());

  auto* input = Find<QTableView>("InputGrid");
  Find<QTabWidget>("PageControl")->setCurrentIndex(TMainForm::InleesGridPage);
  const QModelIndex cell = input->model()->index(0, 2);
  const QString text = cell.data().toString();
  QVERIFY(text.size() < 5000);
  QVERIFY(text.startsWith(QStringLiteral("NNNN")) && text.endsWith(QChar(0x2026)));
  input->setColumnWidth(2, 40);
  input->scrollTo(cell);
  QString tip;
  QTimer::singleShot(0, this, [&tip] { tip = QToolTip::text(); });
  QHelpEvent help(QEvent::ToolTip, input->visualRect(cell).center(),
                  input->viewport()->mapToGlobal(input->visualRect(cell).center()));
  QApplication::sendEvent(input->viewport(), &help);
  QTRY_VERIFY(!tip.isEmpty());
  // The tooltip holds the whole text in lines of a readable width.
  const QStringList lines = tip.split(QLatin1Char('\n'));
  QVERIFY(lines.size() > 10);
  for (const QString& line : lines)
    QVERIFY(QFontMetrics(QToolTip::font()).horizontalAdvance(line) <= TCellDelegate::TooltipWidth);
  QCOMPARE(lines.join(QString()), text);
  input->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
  input->setFocus();
  QTest::keySequence(input, QKeySequence::Copy);
  QCOMPARE(Desktop->Clipboard.back().size(), naam.size());
}

void MainWindowTest::headerLinesAloneShowWhole_data() {
  QTest::addColumn<int>("naamSize");
  QTest::newRow("a short name") << 17;
  QTest::newRow("a name of 4 MiB") << (4 << 20);
}

// A file of header lines without games: each header value is as wide as its text, within the
// widest a column fits, and Ctrl+C over a whole row copies its text once.
void MainWindowTest::headerLinesAloneShowWhole() {
  QFETCH(int, naamSize);
  const std::string naam = naamSize == 17 ? std::string("Voorbeeldtoernooi")
                                          : std::string(static_cast<std::size_t>(naamSize), 'N');
  const std::string csv = TournamentCsv(naam);
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", csv.substr(0, csv.find("900;")));
  OpenFirstInputFile();
  auto* input = Find<QTableView>("InputGrid");
  Find<QTabWidget>("PageControl")->setCurrentIndex(TMainForm::InleesGridPage);
  const QAbstractItemModel* model = input->model();
  QVERIFY(model->rowCount() >= 7);
  for (int row = 0; row < 7; ++row) {
    const QModelIndex cell = model->index(row, 2);
    const QString text = cell.data().toString();
    const int need = QFontMetrics(cell.data(Qt::FontRole).value<QFont>()).horizontalAdvance(text);
    int room = 0;
    for (int c = 2; c < model->columnCount(); ++c) room += input->columnWidth(c);
    QVERIFY2(room >= std::min(need, TCellTable::MaxFitWidth - 20), qPrintable(text.left(40)));
    QVERIFY(input->columnWidth(2) <= TCellTable::MaxFitWidth);
  }
  input->selectionModel()->select(
      QItemSelection(model->index(0, 0), model->index(0, model->columnCount() - 1)),
      QItemSelectionModel::ClearAndSelect);
  input->setFocus();
  QTest::keySequence(input, QKeySequence::Copy);
  const std::string copied = Desktop->Clipboard.back();
  QCOMPARE(copied.find(naam), copied.rfind(naam));
  QVERIFY(copied.find(naam) != std::string::npos);
}

// Shift+F10 during a load offers the menu with every action disabled: none would be taken.
void MainWindowTest::aLoadOffersNoDeadMenuActions() {
  std::string csv = TournamentCsv();
  for (int i = 0; i < 400000; ++i) csv += "900;1\r\n";
  WriteBytes(Dir() / "InBox" / "Voorbeeld.csv", csv);
  auto* list = Find<QListView>("InFileListBox");
  std::optional<QList<bool>> enabled;
  Desktop->OnWait = [&] {
    if (enabled) return;
    enabled.emplace();
    QTimer::singleShot(0, this, [&enabled] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions()) enabled->push_back(action->isEnabled());
        menu->close();
      }
    });
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
  };
  OpenFirstInputFile();
  Desktop->OnWait = nullptr;
  QCOMPARE(enabled, std::optional(QList<bool>{false, false, false}));
}

// Home and End select the first and last file, also when the focus frames the file already.
void MainWindowTest::homeAndEndSelectTheirFile() {
  WriteBytes(Dir() / "InBox" / "Zomer.csv", TournamentCsv());
  QTest::mouseClick(Find<QPushButton>("InUpdateBitBtn"), Qt::LeftButton);
  auto* list = Find<QListView>("InFileListBox");
  list->setFocus();
  list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                          QItemSelectionModel::NoUpdate);
  QTest::keyClick(list, Qt::Key_Home);
  QCOMPARE(Window->Form().InFileListBox.ItemIndex(), 0);
  QTest::keyClick(list, Qt::Key_End);
  QCOMPARE(Window->Form().InFileListBox.ItemIndex(), 1);
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(Find<TStatusPanel>("StatusPanel0")->Text(), QStringLiteral("Voorbeeldtoernooi"));
}

// A report added or removed from outside enables or disables the output "Clear" in the same
// repaint that shows the list.
void MainWindowTest::outputClearFollowsAnOutsideChange() {
  auto* clear = Find<QPushButton>("OutBoxClearBitBtn");
  auto* reports = Find<QListView>("OutFileListBox")->model();
  QVERIFY(!clear->isEnabled());
  QVERIFY(Desktop->FolderChanged);
  Desktop->OnRepaint = [this] { Window->ShowState(); };
  WriteBytes(Dir() / "OutBox" / "Extern.txt", "report");
  Desktop->FolderChanged();
  QCOMPARE(reports->rowCount(), 1);
  QVERIFY(clear->isEnabled());
  fs::remove(Dir() / "OutBox" / "Extern.txt");
  Desktop->FolderChanged();
  QCOMPARE(reports->rowCount(), 0);
  QVERIFY(!clear->isEnabled());
  Desktop->OnRepaint = nullptr;
}

// Whatever the system's language, Qt's own dialogs speak Dutch, and a question is asked with
// "Ja" and "Nee" under the caption "Bevestigen"; only "Ja" consents.
void MainWindowTest::questionsAndQtsOwnTextsAreDutch() {
  QVERIFY(InstallQtTranslation(*qApp));
  QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Zoeken in:"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuleren"));
  TQtDesktop desktop(Window.get(), QStringLiteral("Morvelander"), nullptr);
  for (const bool yes : {true, false}) {
    QStringList seen;
    QTimer::singleShot(0, this, [&seen, yes] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen << box->windowTitle();
      for (QAbstractButton* button : box->buttons()) seen << button->text();
      for (QAbstractButton* button : box->buttons())
        if (button->text() == (yes ? QStringLiteral("&Ja") : QStringLiteral("&Nee")))
          button->click();
    });
    QCOMPARE(desktop.Confirm("Overschrijven ?"), yes);
    seen.sort();
    QCOMPARE(seen, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nee"),
                                QStringLiteral("Bevestigen")}));
  }
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

#include "app/view/MainWindow.h"

#include "app/view/CellTableView.h"
#include "app/view/FileListModel.h"
#include "app/view/FolderChooserView.h"
#include "app/view/QtDesktop.h"
#include "app/view/StatusPanel.h"
#include "app/view/TextMeasure.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

constexpr int WindowWidth = 725;
constexpr int WindowHeight = 485;
constexpr int StatusPanelWidths[2] = {350, 320};
constexpr int FolderChooserHeight = 120;
// How long the status bar says why a drop was refused.
constexpr int RefusedDropMs = 5000;

QString Text(const std::string& cp1252) {
  return QString::fromUtf8(Cp1252ToUtf8(cp1252));
}

template <typename T> T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// What a screen reader says of a control: its name, and what it does when the name does not
// tell.
void Describe(QWidget* widget, const char* name, const char* description = nullptr) {
  widget->setAccessibleName(Text(name));
  if (description) widget->setAccessibleDescription(Text(description));
}

QPushButton* BitBtn(const char* name, const char* caption, const char* hint,
                    QStyle::StandardPixmap glyph, QWidget* parent) {
  auto* button = Named(new QPushButton(Text(caption), parent), name);
  if (hint) {
    button->setToolTip(Text(hint));
    button->setAccessibleDescription(Text(hint));
  }
  button->setIcon(parent->style()->standardIcon(glyph));
  button->setAutoDefault(false);
  return button;
}

QListView* FileList(const char* name, TFileListModel* model, QWidget* parent) {
  auto* view = Named(new QListView(parent), name);
  view->setModel(model);
  view->setUniformItemSizes(true);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  // A file dragged out of a list is offered to other programs as a copy.
  view->setDragEnabled(true);
  view->setDragDropMode(QAbstractItemView::DragOnly);
  view->setDefaultDropAction(Qt::CopyAction);
  return view;
}

bool IsEnter(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(e)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsDelete(const QEvent* e) {
  return e->type() == QEvent::KeyPress && static_cast<const QKeyEvent*>(e)->key() == Qt::Key_Delete;
}

// One tab on for Ctrl+Tab and Ctrl+PageDown, one back for Ctrl+Shift+Tab and Ctrl+PageUp, else 0.
int TabStep(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return 0;
  const auto* key = static_cast<const QKeyEvent*>(e);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::ControlModifier && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageDown))
    return 1;
  if (mods == Qt::ControlModifier && key->key() == Qt::Key_PageUp) return -1;
  if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
      (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab))
    return -1;
  return 0;
}

// Home or End without modifiers: -1 for Home, 1 for End, else 0.
int HomeOrEnd(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return 0;
  const auto* key = static_cast<const QKeyEvent*>(e);
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
  return key->key() == Qt::Key_Home ? -1 : key->key() == Qt::Key_End ? 1 : 0;
}

// Shift+F10, which opens a context menu as the Menu key does.
bool IsContextMenuKey(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(e);
  return key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
}

// Whether the whole rectangle lies on one screen's free area.
bool FitsAScreen(const QRect& rect) {
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().contains(rect)) return true;
  return false;
}

// A row of two buttons in the corners below a list.
QHBoxLayout* CornerButtons(QPushButton* left, QPushButton* right) {
  auto* row = new QHBoxLayout;
  row->addWidget(left);
  row->addStretch();
  row->addWidget(right);
  return row;
}

// A table with an optional button at its lower right.
QWidget* GridPage(const char* name, TCellTableView* grid, QPushButton* button) {
  auto* page = Named(new QWidget, name);
  auto* layout = new QVBoxLayout(page);
  grid->setParent(page);
  layout->addWidget(grid, 1);
  if (button) {
    button->setParent(page);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    layout->addLayout(row);
  }
  return page;
}

} // namespace

TMainWindow::TMainWindow(const std::filesystem::path& exePath, char decimalSeparator,
                         TDesktop* desktop, QWidget* parent)
    : QMainWindow(parent), FQtDesktop(std::make_unique<TQtDesktop>(
                               this, Text(ProgramTitle(exePath)), [this] { Repaint(); })),
      FForm(
          std::make_unique<TMainForm>(exePath, desktop ? *desktop : *FQtDesktop, decimalSeparator)),
      FMeasure(std::make_unique<TTextMeasure>()) {
  setObjectName(QStringLiteral("MainForm"));
  TStatusPanel::InstallAccessibility();
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  TTextMeasure* measure = FMeasure.get();
  for (TCellTable* grid : {&FForm->InputGrid, &FForm->ToernooiGrid, &FForm->ErrorGrid})
    grid->SetMeasureText([measure](std::string_view text, TCellFont cellFont) {
      return (*measure)(text, cellFont);
    });
  BuildLayout();
  resize(WindowWidth, WindowHeight);
  if (const QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - QPoint(WindowWidth / 2, WindowHeight / 2));
  Run([this] { FForm->FormCreate(); });
  RestoreBounds();
}

void TMainWindow::RestoreBounds() {
  const std::optional<TWindowBounds> bounds = FForm->RememberedBounds();
  if (!bounds) return;
  const QRect rect(bounds->Left, bounds->Top, bounds->Width, bounds->Height);
  if (!FitsAScreen(rect)) return;
  setGeometry(rect);
  if (bounds->Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

TMainWindow::~TMainWindow() {
  FForm->FormDestroy();
  // The views show the form's tables and lists, so they go before the form does.
  delete takeCentralWidget();
}

void TMainWindow::BuildLayout() {
  FPageControl = Named(new QTabWidget(this), "PageControl");
  FInputGrid = Named(new TCellTableView(FForm->InputGrid), "InputGrid");
  FToernooiGrid = Named(new TCellTableView(FForm->ToernooiGrid), "ToernooiGrid");
  FErrorGrid = Named(new TCellTableView(FForm->ErrorGrid), "ErrorGrid");
  FErrorGrid->SetCellText([this](int col, int row) { return FForm->ErrorCellText(col, row); });
  FSaveDataBitBtn =
      BitBtn("SaveDataBitBtn", Tekst::KnopBewaar, nullptr, QStyle::SP_DialogSaveButton, this);
  FClipBoardBitBtn = BitBtn("ClipBoardBitBtn", Tekst::KnopClipBoard, nullptr,
                            QStyle::SP_FileDialogDetailedView, this);

  FPageControl->addTab(BuildFilesPage(), Text(Tekst::TabSelecteerBestand));
  FPageControl->addTab(GridPage("TabSheet3", FInputGrid, nullptr), Text(Tekst::TabInleesGrid));
  FPageControl->addTab(GridPage("TabSheet2", FToernooiGrid, FSaveDataBitBtn),
                       Text(Tekst::TabFide2006Grid));
  FPageControl->addTab(GridPage("TabSheet4", FErrorGrid, FClipBoardBitBtn), Text(Tekst::TabFouten));
  setCentralWidget(FPageControl);

  auto* statusBar = Named(new QStatusBar(this), "StatusBar");
  statusBar->setSizeGripEnabled(false);
  for (int i = 0; i < 2; ++i) {
    FStatusPanels[i] = Named(new TStatusPanel(statusBar), i == 0 ? "StatusPanel0" : "StatusPanel1");
    FStatusPanels[i]->setFixedWidth(StatusPanelWidths[i]);
    statusBar->addWidget(FStatusPanels[i]);
  }
  // Stop sits beside the tabs, in view whichever tab is shown.
  FStopBitBtn =
      BitBtn("StopBitBtn", Tekst::KnopStop, Tekst::HintStop, QStyle::SP_BrowserStop, FPageControl);
  FStopBitBtn->setEnabled(false);
  FPageControl->setCornerWidget(FStopBitBtn, Qt::TopRightCorner);
  setStatusBar(statusBar);

  connect(FPageControl, &QTabWidget::currentChanged, this,
          [this](int page) { FForm->SetActivePage(page); });
  connect(FDoAllBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->DoAllBitBtnClick(); }); });
  connect(FInBoxClearBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->InBoxClearBitBtnClick(); }); });
  connect(FInUpdateBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->InUpdateBitBtnClick(); }); });
  connect(FOutBoxClearBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->OutBoxClearBitBtnClick(); }); });
  connect(FOutUpdateBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->OutUpdateBitBtnClick(); }); });
  connect(FSaveDataBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->SaveDataBitBtnClick(); }); });
  connect(FClipBoardBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->ClipBoardBitBtnClick(); }); });
  connect(FStopBitBtn, &QPushButton::clicked, this,
          [this] { Run([this] { FForm->StopBitBtnClick(); }); });
  new QShortcut(QKeySequence(Qt::Key_Escape), this,
                [this] { Run([this] { FForm->StopBitBtnClick(); }); });
  // The lists and tables take the tab keys for themselves before a shortcut sees them, so the
  // window looks at every key first.
  qApp->installEventFilter(this);
  connect(FInDirectoryListBox, &TFolderChooserView::EntryOpened, this,
          [this](int index) { Run([this, index] { FForm->InDirectoryListBoxDblClick(index); }); });
  connect(FOutDirectoryListBox, &TFolderChooserView::EntryOpened, this,
          [this](int index) { Run([this, index] { FForm->OutDirectoryListBoxDblClick(index); }); });
  ConnectFileList(FInFileListBox, FForm->InFileListBox);
  ConnectFileList(FOutFileListBox, FForm->OutFileListBox);
  FInFileListViewport = FInFileListBox->viewport();
  FOutFileListViewport = FOutFileListBox->viewport();
  ConnectGrid(FInputGrid, FForm->InputGrid);
  ConnectGrid(FToernooiGrid, FForm->ToernooiGrid);
  ConnectGrid(FErrorGrid, FForm->ErrorGrid);
  connect(FErrorGrid, &TCellTableView::RowOpened, this,
          [this](int row) { Run([this, row] { FForm->ErrorGridDblClick(row); }); });
  new QShortcut(QKeySequence(Qt::Key_F5), this,
                [this] { Run([this] { FForm->RefreshFileLists(); }); });
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, [this] { close(); });
  new QShortcut(QKeySequence(Qt::Key_F1), this,
                [this] { Run([this] { FForm->HelpAboutClick(); }); });
  new QShortcut(QKeySequence::Save, this, [this] {
    if (FForm->SaveDataBitBtnEnabled()) Run([this] { FForm->SaveDataBitBtnClick(); });
  });
  setAcceptDrops(true);

  DescribeControls();

  setTabOrder(FInDirectoryListBox, FDoAllBitBtn);
  setTabOrder(FDoAllBitBtn, FInFileListBox);
  setTabOrder(FInFileListBox, FInBoxClearBitBtn);
  setTabOrder(FInBoxClearBitBtn, FInUpdateBitBtn);
  setTabOrder(FInUpdateBitBtn, FOutDirectoryListBox);
  setTabOrder(FOutDirectoryListBox, FOutFileListBox);
  setTabOrder(FOutFileListBox, FOutBoxClearBitBtn);
  setTabOrder(FOutBoxClearBitBtn, FOutUpdateBitBtn);
}

void TMainWindow::StepTab(int by) {
  const int count = FPageControl->count();
  FPageControl->setCurrentIndex((FPageControl->currentIndex() + by + count) % count);
}

void TMainWindow::DescribeControls() {
  Describe(FPageControl, Tekst::NaamTabbladen);
  Describe(FInDirectoryListBox, Tekst::GroepInvoerMap, Tekst::HintMappen);
  Describe(FOutDirectoryListBox, Tekst::GroepUitvoerMap, Tekst::HintMappen);
  Describe(FInFileListBox, Tekst::GroepInvoerBestanden, Tekst::HintInvoerLijst);
  Describe(FOutFileListBox, Tekst::GroepUitvoerBestanden, Tekst::HintUitvoerLijst);
  Describe(FInputGrid, Tekst::TabInleesGrid);
  Describe(FToernooiGrid, Tekst::TabFide2006Grid);
  Describe(FErrorGrid, Tekst::TabFouten, Tekst::HintFouten);
  // A page and a group are named as the user sees them.
  for (int i = 0; i < FPageControl->count(); ++i)
    FPageControl->widget(i)->setAccessibleName(FPageControl->tabText(i));
  for (QGroupBox* group : findChildren<QGroupBox*>()) group->setAccessibleName(group->title());
  Describe(statusBar(), Tekst::NaamStatusbalk);
  Describe(FStatusPanels[0], Tekst::NaamToernooiPaneel);
  Describe(FStatusPanels[1], Tekst::NaamFoutenPaneel);
}

QWidget* TMainWindow::BuildFilesPage() {
  auto* page = Named(new QWidget, "TabSheet1");
  auto* layout = new QHBoxLayout(page);

  auto* inGroup = Named(new QGroupBox(Text(Tekst::GroepInvoerMap), page), "GroupBox2");
  FInGroup = inGroup;
  FInDirectoryListBox =
      Named(new TFolderChooserView(FForm->InDirectoryListBox, inGroup), "InDirectoryListBox");
  FInDirectoryListBox->setFixedHeight(FolderChooserHeight);
  // The chooser's style sheet keeps the window's font from reaching it.
  FInDirectoryListBox->setFont(font());
  FDoAllBitBtn =
      BitBtn("DoAllBitBtn", Tekst::KnopAlle, Tekst::HintAlle, QStyle::SP_MediaPlay, inGroup);
  auto* inFiles = Named(new QGroupBox(Text(Tekst::GroepInvoerBestanden), inGroup), "GroupBox3");
  FInFileModel = new TFileListModel(FForm->InFileListBox, this);
  FInFileListBox = FileList("InFileListBox", FInFileModel, inFiles);
  FInBoxClearBitBtn = BitBtn("InBoxClearBitBtn", Tekst::KnopClear, Tekst::HintClearInBox,
                             QStyle::SP_TrashIcon, inFiles);
  FInUpdateBitBtn = BitBtn("InUpdateBitBtn", Tekst::KnopUpdate, Tekst::HintUpdateInBox,
                           QStyle::SP_BrowserReload, inFiles);
  auto* inFilesLayout = new QVBoxLayout(inFiles);
  inFilesLayout->addWidget(FInFileListBox, 1);
  inFilesLayout->addLayout(CornerButtons(FInBoxClearBitBtn, FInUpdateBitBtn));
  auto* inLayout = new QGridLayout(inGroup);
  inLayout->addWidget(FInDirectoryListBox, 0, 0);
  inLayout->addWidget(FDoAllBitBtn, 0, 1, Qt::AlignTop);
  inLayout->addWidget(inFiles, 1, 0, 1, 2);
  inLayout->setRowStretch(1, 1);

  auto* outGroup = Named(new QGroupBox(Text(Tekst::GroepUitvoerMap), page), "GroupBox1");
  FOutGroup = outGroup;
  FOutDirectoryListBox =
      Named(new TFolderChooserView(FForm->OutDirectoryListBox, outGroup), "OutDirectoryListBox");
  FOutDirectoryListBox->setFixedHeight(FolderChooserHeight);
  FOutDirectoryListBox->setFont(font());
  auto* outFiles = Named(new QGroupBox(Text(Tekst::GroepUitvoerBestanden), outGroup), "GroupBox4");
  FOutFileModel = new TFileListModel(FForm->OutFileListBox, this);
  FOutFileListBox = FileList("OutFileListBox", FOutFileModel, outFiles);
  FOutBoxClearBitBtn = BitBtn("OutBoxClearBitBtn", Tekst::KnopClear, Tekst::HintClearOutBox,
                              QStyle::SP_TrashIcon, outFiles);
  FOutUpdateBitBtn = BitBtn("OutUpdateBitBtn", Tekst::KnopUpdate, Tekst::HintUpdateOutBox,
                            QStyle::SP_BrowserReload, outFiles);
  auto* outFilesLayout = new QVBoxLayout(outFiles);
  outFilesLayout->addWidget(FOutFileListBox, 1);
  outFilesLayout->addLayout(CornerButtons(FOutBoxClearBitBtn, FOutUpdateBitBtn));
  auto* outLayout = new QVBoxLayout(outGroup);
  outLayout->addWidget(FOutDirectoryListBox);
  outLayout->addWidget(outFiles, 1);

  layout->addWidget(inGroup, 1);
  layout->addWidget(outGroup, 1);
  return page;
}

// The list's selection is the selected entry; the keyboard focus alone selects nothing.
void TMainWindow::ConnectFileList(QListView* view, TFileListBox& list) {
  connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [view, &list] {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    list.SetItemIndex(rows.isEmpty() ? -1 : rows.first().row());
  });
  connect(view, &QWidget::customContextMenuRequested, this,
          [this, view, &list](const QPoint& pos) { ShowFileListMenu(view, list, pos); });
  // A double-click anywhere in a list opens its selected file, as the list box did.
  view->viewport()->installEventFilter(this);
  view->installEventFilter(this);
}

void TMainWindow::ConnectGrid(TCellTableView* view, const TCellTable& grid) {
  connect(view, &TCellTableView::CopyRequested, this,
          [this, &grid](int left, int top, int right, int bottom) {
            Run([&] { FForm->CopyCells(grid, left, top, right, bottom); });
          });
}

void TMainWindow::ShowFileListMenu(QListView* view, TFileListBox& list, const QPoint& pos) {
  const QModelIndex entry = view->indexAt(pos);
  if (entry.isValid())
    view->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
  const bool in = &list == &FForm->InFileListBox;
  // While a command works beside the window no action of the menu would be taken.
  const bool idle = !FForm->Working();
  QMenu menu(view);
  QAction* open = menu.addAction(Text(Tekst::MenuOpenen));
  open->setEnabled(idle && list.ItemIndex() >= 0);
  QAction* folder = menu.addAction(Text(Tekst::MenuMapOpenen));
  folder->setEnabled(idle);
  QAction* remove = menu.addAction(Text(Tekst::MenuVerwijderen));
  remove->setEnabled(idle && list.ItemIndex() >= 0);
  QAction* chosen = menu.exec(view->viewport()->mapToGlobal(pos));
  if (chosen == open)
    Run([this, in] { in ? FForm->InFileListBoxOpen() : FForm->OutFileListBoxDblClick(); });
  else if (chosen == folder)
    Run([this, in] { in ? FForm->InFileListBoxOpenFolder() : FForm->OutFileListBoxOpenFolder(); });
  else if (chosen == remove)
    Run([this, in] { in ? FForm->InFileListBoxDelete() : FForm->OutFileListBoxDelete(); });
}

void TMainWindow::Run(const std::function<void()>& handler) {
  // A repaint inside a command may run a queued one; the outer command is still busy after it.
  const bool busy = FBusy;
  FBusy = true;
  handler();
  FBusy = busy;
  ShowState();
  if (!FBusy && FCloseWhenDone) {
    FCloseWhenDone = false;
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
  }
}

void TMainWindow::ShowSelection(QListView* view, const TFileListBox& list) {
  const QModelIndexList rows = view->selectionModel()->selectedRows();
  const int shown = rows.isEmpty() ? -1 : rows.first().row();
  if (shown == list.ItemIndex()) return;
  if (list.ItemIndex() < 0)
    view->selectionModel()->clearSelection();
  else
    view->selectionModel()->setCurrentIndex(view->model()->index(list.ItemIndex(), 0),
                                            QItemSelectionModel::ClearAndSelect);
}

void TMainWindow::ShowState() {
  const TMainForm& form = *FForm;
  setWindowTitle(Text(form.Caption()));
  const bool working = form.Working();
  // While "Alle" works, its reports join the output list, which shows them once it ends: a list
  // of many files shown anew at every repaint would cost more the more files it has.
  if (!working) {
    FInDirectoryListBox->Refresh();
    FOutDirectoryListBox->Refresh();
    FInFileModel->Refresh();
    FOutFileModel->Refresh();
    ShowSelection(FInFileListBox, form.InFileListBox);
    ShowSelection(FOutFileListBox, form.OutFileListBox);
  }
  ShowTables(working);
  // While a command works beside the window only Stop takes a click.
  FSaveDataBitBtn->setEnabled(!working && form.SaveDataBitBtnEnabled());
  FDoAllBitBtn->setEnabled(!working && form.DoAllBitBtnEnabled());
  FInBoxClearBitBtn->setEnabled(!working && form.InBoxClearBitBtnEnabled());
  FOutBoxClearBitBtn->setEnabled(!working && form.OutBoxClearBitBtnEnabled());
  for (QPushButton* button : {FInUpdateBitBtn, FOutUpdateBitBtn, FClipBoardBitBtn})
    button->setEnabled(!working);
  FStopBitBtn->setEnabled(form.StopBitBtnEnabled());
  ShowStatus(working);
  FPageControl->setCurrentIndex(form.ActivePage());
  if (!working) ShowInputGridRow();
}

// A panel's text is converted only when it changed: a tournament name may be megabytes long,
// and the state is shown ten times a second while a command works.
void TMainWindow::ShowStatus(bool working) {
  for (std::size_t i = 0; i < 2; ++i) {
    std::string text = FForm->StatusText(static_cast<int>(i));
    if (text == FShownStatus[i]) continue;
    FStatusPanels[i]->SetText(Text(text), working);
    FShownStatus[i] = std::move(text);
  }
}

// The tables show only what a finished command left: while one works their cells change on
// another thread.
void TMainWindow::ShowTables(bool working) {
  for (TCellTableView* grid : {FInputGrid, FToernooiGrid, FErrorGrid}) {
    grid->SetWithheld(working);
    grid->Refresh();
  }
}

// A finding's line: its row selected from the first field on, its first field current and in
// view.
void TMainWindow::ShowInputGridRow() {
  if (FShownInputGridRowRequests == FForm->InputGridRowRequests()) return;
  FShownInputGridRowRequests = FForm->InputGridRowRequests();
  const QAbstractItemModel* model = FInputGrid->model();
  const int row = FForm->InputGridRow();
  const int first = std::min(FForm->InputGrid.FixedCols(), model->columnCount() - 1);
  if (row >= model->rowCount() || first < 0) return;
  const QModelIndex cell = model->index(row, first);
  FInputGrid->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
  FInputGrid->selectionModel()->select(
      QItemSelection(cell, model->index(row, model->columnCount() - 1)),
      QItemSelectionModel::ClearAndSelect);
  FInputGrid->scrollTo(cell, QAbstractItemView::PositionAtCenter);
  FInputGrid->setFocus();
}

void TMainWindow::Repaint() {
  ShowState();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TMainWindow::event(QEvent* e) {
  // Without a window manager the window is never activated, so being shown counts too; the
  // form runs its activation once.
  if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
    QMetaObject::invokeMethod(
        this, [this] { Run([this] { FForm->FormActivate(); }); }, Qt::QueuedConnection);
  return QMainWindow::event(e);
}

void TMainWindow::closeEvent(QCloseEvent* e) {
  // A command that repaints mid-way takes no input, a close request included. Work beside the
  // window is stopped instead, and the window closes once it has ended.
  if (FBusy) {
    if (FForm->Working()) {
      FForm->StopBitBtnClick();
      FCloseWhenDone = true;
    }
    e->ignore();
    return;
  }
  const QRect bounds = isMaximized() ? normalGeometry() : geometry();
  FForm->SetWindowBounds({bounds.x(), bounds.y(), bounds.width(), bounds.height(), isMaximized()});
  FForm->FormCloseQuery();
  e->accept();
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* e) {
  if (const int by = TabStep(e); by != 0) {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget && widget->window() == this) {
      StepTab(by);
      return true;
    }
  }
  const bool in = watched == FInFileListBox || watched == FInFileListViewport;
  const bool out = watched == FOutFileListBox || watched == FOutFileListViewport;
  if (e->type() == QEvent::MouseButtonDblClick && (in || out)) {
    // Taken here: a double-click the viewport passes on would reach the list and open the
    // file a second time.
    Run([this, in] { in ? FForm->InFileListBoxDblClick() : FForm->OutFileListBoxDblClick(); });
    return true;
  } else if (IsEnter(e) && (in || out)) {
    Run([this, in] { in ? FForm->InFileListBoxOpen() : FForm->OutFileListBoxDblClick(); });
    return true;
  } else if (IsContextMenuKey(e) && (in || out)) {
    auto* view = in ? FInFileListBox : FOutFileListBox;
    const QModelIndex current = view->currentIndex();
    ShowFileListMenu(view, in ? FForm->InFileListBox : FForm->OutFileListBox,
                     current.isValid() ? view->visualRect(current).center() : QPoint(0, 0));
    return true;
  } else if (const int end = HomeOrEnd(e); end != 0 && (in || out)) {
    // Home and End select the first and the last file, also when the focus frames it already,
    // so that Enter opens it.
    auto* view = in ? FInFileListBox : FOutFileListBox;
    const int count = view->model()->rowCount();
    if (count > 0)
      view->selectionModel()->setCurrentIndex(view->model()->index(end < 0 ? 0 : count - 1, 0),
                                              QItemSelectionModel::ClearAndSelect);
    return true;
  } else if (IsDelete(e) && (in || out)) {
    Run([this, in] { in ? FForm->InFileListBoxDelete() : FForm->OutFileListBoxDelete(); });
    return true;
  }
  return QMainWindow::eventFilter(watched, e);
}

// A file dragged out of the window's own lists is for other programs.
bool TMainWindow::IsOwnList(const QObject* source) const {
  return source && (source == FInFileListBox || source == FOutFileListBox);
}

// Why the window takes no drop of what is dragged over it; none when it takes it, or when what
// is dragged holds no files to tell of.
const char* TMainWindow::DropRefusal(const QDropEvent* e) const {
  if (!e->mimeData()->hasUrls()) return nullptr;
  if (IsOwnList(e->source())) return Tekst::DropEigenLijst;
  if (!(e->possibleActions() & Qt::CopyAction)) return Tekst::DropGeenKopie;
  if (FForm->Working()) return Tekst::DropTijdensOpdracht;
  return nullptr;
}

// The window only ever copies what is dropped, so it answers Copy whatever the source proposes:
// a source told Move may delete the user's original. A refusal says why in the status bar,
// where the user sees it beside the drag cursor.
bool TMainWindow::AcceptAsCopy(QDropEvent* e) {
  const char* refusal = DropRefusal(e);
  if (refusal || !e->mimeData()->hasUrls()) {
    e->ignore();
    if (refusal) statusBar()->showMessage(Text(refusal), RefusedDropMs);
    return false;
  }
  e->setDropAction(Qt::CopyAction);
  e->accept();
  return true;
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* e) {
  AcceptAsCopy(e);
}

void TMainWindow::dragMoveEvent(QDragMoveEvent* e) {
  AcceptAsCopy(e);
}

void TMainWindow::dropEvent(QDropEvent* e) {
  if (!AcceptAsCopy(e)) return;
  std::vector<std::filesystem::path> paths;
  for (const QUrl& url : e->mimeData()->urls()) {
    // What is not a local file is refused by its address.
    const QByteArray text =
        url.isLocalFile() ? QFile::encodeName(url.toLocalFile()) : url.toDisplayString().toUtf8();
    paths.emplace_back(text.toStdString());
  }
  const TDropSide side = DropSide(e->position().toPoint());
  // The drag ends first: the drop's questions and messages must not hold up its source.
  QMetaObject::invokeMethod(
      this, [this, paths, side] { Run([&] { FForm->FormDragDrop(paths, side); }); },
      Qt::QueuedConnection);
}

TDropSide TMainWindow::DropSide(const QPoint& pos) const {
  if (FPageControl->currentIndex() != TMainForm::SelecteerBestandPage) return TDropSide::Elsewhere;
  if (FInGroup->rect().contains(FInGroup->mapFrom(this, pos))) return TDropSide::Input;
  if (FOutGroup->rect().contains(FOutGroup->mapFrom(this, pos))) return TDropSide::Output;
  return TDropSide::Elsewhere;
}

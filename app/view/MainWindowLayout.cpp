#include "app/view/MainWindow.h"

#include "app/view/CatalogueText.h"
#include "app/view/CellTableView.h"
#include "app/view/FileListModel.h"
#include "app/view/FolderChooserView.h"
#include "app/view/StatusPanel.h"
#include "core/text/Teksten.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

// The window's controls, where they sit, what a screen reader calls them, and which command
// each starts.

namespace {

constexpr int StatusPanelWidths[2] = {350, 320};
constexpr int FolderChooserHeight = 120;

template <typename T> T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// What a screen reader says of a control: its name, and what it does when the name does not
// tell.
void Describe(QWidget* widget, const char* name, const char* description = nullptr) {
  widget->setAccessibleName(CatalogueText(name));
  if (description) widget->setAccessibleDescription(CatalogueText(description));
}

QPushButton* BitBtn(const char* name, const char* caption, const char* hint,
                    QStyle::StandardPixmap glyph, QWidget* parent) {
  auto* button = Named(new QPushButton(CatalogueText(caption), parent), name);
  if (hint) {
    button->setToolTip(CatalogueText(hint));
    button->setAccessibleDescription(CatalogueText(hint));
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

  FPageControl->addTab(BuildFilesPage(), CatalogueText(Tekst::TabSelecteer));
  FPageControl->addTab(GridPage("TabSheet3", FInputGrid, nullptr), CatalogueText(Tekst::TabInlees));
  FPageControl->addTab(GridPage("TabSheet2", FToernooiGrid, FSaveDataBitBtn),
                       CatalogueText(Tekst::TabFide2006));
  FPageControl->addTab(GridPage("TabSheet4", FErrorGrid, FClipBoardBitBtn),
                       CatalogueText(Tekst::TabFouten));
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

void TMainWindow::DescribeControls() {
  Describe(FPageControl, Tekst::NaamTabbladen);
  Describe(FInDirectoryListBox, Tekst::GroepInvoerMap, Tekst::HintMappen);
  Describe(FOutDirectoryListBox, Tekst::GroepUitvoerMap, Tekst::HintMappen);
  Describe(FInFileListBox, Tekst::InvoerBestanden, Tekst::HintInvoerLijst);
  Describe(FOutFileListBox, Tekst::GroepUitvoerBestanden, Tekst::HintUitvoerLijst);
  Describe(FInputGrid, Tekst::TabInlees);
  Describe(FToernooiGrid, Tekst::TabFide2006);
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

  auto* inGroup = Named(new QGroupBox(CatalogueText(Tekst::GroepInvoerMap), page), "GroupBox2");
  FInGroup = inGroup;
  FInDirectoryListBox =
      Named(new TFolderChooserView(FForm->InDirectoryListBox, inGroup), "InDirectoryListBox");
  FInDirectoryListBox->setFixedHeight(FolderChooserHeight);
  // The chooser's style sheet keeps the window's font from reaching it.
  FInDirectoryListBox->setFont(font());
  FDoAllBitBtn =
      BitBtn("DoAllBitBtn", Tekst::KnopAlle, Tekst::HintAlle, QStyle::SP_MediaPlay, inGroup);
  auto* inFiles = Named(new QGroupBox(CatalogueText(Tekst::InvoerBestanden), inGroup), "GroupBox3");
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

  auto* outGroup = Named(new QGroupBox(CatalogueText(Tekst::GroepUitvoerMap), page), "GroupBox1");
  FOutGroup = outGroup;
  FOutDirectoryListBox =
      Named(new TFolderChooserView(FForm->OutDirectoryListBox, outGroup), "OutDirectoryListBox");
  FOutDirectoryListBox->setFixedHeight(FolderChooserHeight);
  FOutDirectoryListBox->setFont(font());
  auto* outFiles =
      Named(new QGroupBox(CatalogueText(Tekst::GroepUitvoerBestanden), outGroup), "GroupBox4");
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

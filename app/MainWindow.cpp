#include "app/MainWindow.h"

#include "app/CellTableView.h"
#include "app/FileListModel.h"
#include "app/FolderChooserView.h"
#include "app/QtDesktop.h"
#include "app/TextMeasure.h"
#include "core/Cp1252.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int WindowWidth = 725;
constexpr int WindowHeight = 485;
constexpr int StatusPanelWidths[2] = {350, 320};
constexpr int FolderChooserHeight = 120;

QString Text(const std::string& cp1252) {
  return QString::fromUtf8(Cp1252ToUtf8(cp1252));
}

template <typename T> T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QPushButton* BitBtn(const char* name, const char* caption, const char* hint,
                    QStyle::StandardPixmap glyph, QWidget* parent) {
  auto* button = Named(new QPushButton(QString::fromLatin1(caption), parent), name);
  if (hint) button->setToolTip(QString::fromLatin1(hint));
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

TMainWindow::TMainWindow(const std::filesystem::path& exePath, char decimalSeparator,
                         TDesktop* desktop, QWidget* parent)
    : QMainWindow(parent), FQtDesktop(std::make_unique<TQtDesktop>(
                               this, Text(ProgramTitle(exePath)), [this] { Repaint(); })),
      FForm(
          std::make_unique<TMainForm>(exePath, desktop ? *desktop : *FQtDesktop, decimalSeparator)),
      FMeasure(std::make_unique<TTextMeasure>()) {
  setObjectName(QStringLiteral("MainForm"));
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
  FSaveDataBitBtn =
      BitBtn("SaveDataBitBtn", "Bewaar Fide2006", nullptr, QStyle::SP_DialogSaveButton, this);
  FClipBoardBitBtn =
      BitBtn("ClipBoardBitBtn", "ClipBoard", nullptr, QStyle::SP_FileDialogDetailedView, this);

  FPageControl->addTab(BuildFilesPage(), QStringLiteral("Selecteer bestand"));
  FPageControl->addTab(GridPage("TabSheet3", FInputGrid, nullptr), QStringLiteral("Inlees grid"));
  FPageControl->addTab(GridPage("TabSheet2", FToernooiGrid, FSaveDataBitBtn),
                       QStringLiteral("Fide2006 grid"));
  FPageControl->addTab(GridPage("TabSheet4", FErrorGrid, FClipBoardBitBtn),
                       QStringLiteral("Fouten"));
  setCentralWidget(FPageControl);

  auto* statusBar = Named(new QStatusBar(this), "StatusBar");
  statusBar->setSizeGripEnabled(false);
  for (int i = 0; i < 2; ++i) {
    FStatusPanels[i] = Named(new QLabel(statusBar), i == 0 ? "StatusPanel0" : "StatusPanel1");
    FStatusPanels[i]->setFixedWidth(StatusPanelWidths[i]);
    FStatusPanels[i]->setFrameShape(QFrame::Panel);
    FStatusPanels[i]->setFrameShadow(QFrame::Sunken);
    statusBar->addWidget(FStatusPanels[i]);
  }
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
  connect(FInDirectoryListBox, &TFolderChooserView::EntryDoubleClicked, this,
          [this](int index) { Run([this, index] { FForm->InDirectoryListBoxDblClick(index); }); });
  connect(FOutDirectoryListBox, &TFolderChooserView::EntryDoubleClicked, this,
          [this](int index) { Run([this, index] { FForm->OutDirectoryListBoxDblClick(index); }); });
  connect(FInFileListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            FForm->InFileListBox.SetItemIndex(current.isValid() ? current.row() : -1);
          });
  connect(FOutFileListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            FForm->OutFileListBox.SetItemIndex(current.isValid() ? current.row() : -1);
          });
  // A double-click anywhere in the input list opens its selected file, as the list box did.
  FInFileListViewport = FInFileListBox->viewport();
  FInFileListViewport->installEventFilter(this);

  setTabOrder(FInDirectoryListBox, FDoAllBitBtn);
  setTabOrder(FDoAllBitBtn, FInFileListBox);
  setTabOrder(FInFileListBox, FInBoxClearBitBtn);
  setTabOrder(FInBoxClearBitBtn, FInUpdateBitBtn);
  setTabOrder(FInUpdateBitBtn, FOutDirectoryListBox);
  setTabOrder(FOutDirectoryListBox, FOutFileListBox);
  setTabOrder(FOutFileListBox, FOutBoxClearBitBtn);
  setTabOrder(FOutBoxClearBitBtn, FOutUpdateBitBtn);
}

QWidget* TMainWindow::BuildFilesPage() {
  auto* page = Named(new QWidget, "TabSheet1");
  auto* layout = new QHBoxLayout(page);

  auto* inGroup = Named(new QGroupBox(QStringLiteral("Select data invoer map"), page), "GroupBox2");
  FInDirectoryListBox =
      Named(new TFolderChooserView(FForm->InDirectoryListBox, inGroup), "InDirectoryListBox");
  FInDirectoryListBox->setFixedHeight(FolderChooserHeight);
  // The chooser's style sheet keeps the window's font from reaching it.
  FInDirectoryListBox->setFont(font());
  FDoAllBitBtn = BitBtn("DoAllBitBtn", "Alle", "Transformeer alle Inbox bestanden",
                        QStyle::SP_MediaPlay, inGroup);
  auto* inFiles =
      Named(new QGroupBox(QStringLiteral("Invoer bestanden (*.csv)"), inGroup), "GroupBox3");
  FInFileModel = new TFileListModel(FForm->InFileListBox, this);
  FInFileListBox = FileList("InFileListBox", FInFileModel, inFiles);
  FInBoxClearBitBtn =
      BitBtn("InBoxClearBitBtn", "Clear", "Clear InBox", QStyle::SP_TrashIcon, inFiles);
  FInUpdateBitBtn =
      BitBtn("InUpdateBitBtn", "Update", "Refresh InBox", QStyle::SP_BrowserReload, inFiles);
  auto* inFilesLayout = new QVBoxLayout(inFiles);
  inFilesLayout->addWidget(FInFileListBox, 1);
  inFilesLayout->addLayout(CornerButtons(FInBoxClearBitBtn, FInUpdateBitBtn));
  auto* inLayout = new QGridLayout(inGroup);
  inLayout->addWidget(FInDirectoryListBox, 0, 0);
  inLayout->addWidget(FDoAllBitBtn, 0, 1, Qt::AlignTop);
  inLayout->addWidget(inFiles, 1, 0, 1, 2);
  inLayout->setRowStretch(1, 1);

  auto* outGroup =
      Named(new QGroupBox(QStringLiteral("Select data uitvoer map"), page), "GroupBox1");
  FOutDirectoryListBox =
      Named(new TFolderChooserView(FForm->OutDirectoryListBox, outGroup), "OutDirectoryListBox");
  FOutDirectoryListBox->setFixedHeight(FolderChooserHeight);
  FOutDirectoryListBox->setFont(font());
  auto* outFiles = Named(
      new QGroupBox(QStringLiteral("Uitvoer Fide2006 bestanden (*.txt)"), outGroup), "GroupBox4");
  FOutFileModel = new TFileListModel(FForm->OutFileListBox, this);
  FOutFileListBox = FileList("OutFileListBox", FOutFileModel, outFiles);
  FOutBoxClearBitBtn =
      BitBtn("OutBoxClearBitBtn", "Clear", "Clear OutBox", QStyle::SP_TrashIcon, outFiles);
  FOutUpdateBitBtn =
      BitBtn("OutUpdateBitBtn", "Update", "Refresh OutBox", QStyle::SP_BrowserReload, outFiles);
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

void TMainWindow::Run(const std::function<void()>& handler) {
  // A repaint inside a command may run a queued one; the outer command is still busy after it.
  const bool busy = FBusy;
  FBusy = true;
  handler();
  FBusy = busy;
  ShowState();
}

void TMainWindow::ShowSelection(QListView* view, const TFileListBox& list) {
  const int shown = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
  if (shown == list.ItemIndex()) return;
  if (list.ItemIndex() < 0)
    view->setCurrentIndex(QModelIndex());
  else
    view->setCurrentIndex(view->model()->index(list.ItemIndex(), 0));
}

void TMainWindow::ShowState() {
  const TMainForm& form = *FForm;
  setWindowTitle(Text(form.Caption()));
  FInDirectoryListBox->Refresh();
  FOutDirectoryListBox->Refresh();
  FInFileModel->Refresh();
  FOutFileModel->Refresh();
  ShowSelection(FInFileListBox, form.InFileListBox);
  ShowSelection(FOutFileListBox, form.OutFileListBox);
  FInputGrid->Refresh();
  FToernooiGrid->Refresh();
  FErrorGrid->Refresh();
  FSaveDataBitBtn->setEnabled(form.SaveDataBitBtnEnabled());
  FDoAllBitBtn->setEnabled(form.DoAllBitBtnEnabled());
  FInBoxClearBitBtn->setEnabled(form.InBoxClearBitBtnEnabled());
  FOutBoxClearBitBtn->setEnabled(form.OutBoxClearBitBtnEnabled());
  for (int i = 0; i < 2; ++i) FStatusPanels[i]->setText(Text(form.StatusText(i)));
  FPageControl->setCurrentIndex(form.ActivePage());
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
  // A command that repaints mid-way takes no input, a close request included.
  if (FBusy) {
    e->ignore();
    return;
  }
  FForm->FormCloseQuery();
  e->accept();
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonDblClick && watched == FInFileListViewport)
    Run([this] { FForm->InFileListBoxDblClick(); });
  return QMainWindow::eventFilter(watched, e);
}

#include "app/view/MainWindow.h"

#include "app/view/CatalogueText.h"
#include "app/view/CellTableView.h"
#include "app/view/FileDrop.h"
#include "app/view/FileListMenu.h"
#include "app/view/FileListModel.h"
#include "app/view/FolderChooserView.h"
#include "app/view/KeyRouting.h"
#include "app/view/QtDesktop.h"
#include "app/view/StatusPanel.h"
#include "app/view/TextMeasure.h"
#include "core/text/Teksten.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>
#include <optional>

namespace {

constexpr int WindowWidth = 725;
constexpr int WindowHeight = 485;
// How long the status bar says why a drop was refused.
constexpr int RefusedDropMs = 5000;

// Whether the whole rectangle lies on one screen's free area.
bool FitsAScreen(const QRect& rect) {
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().contains(rect)) return true;
  return false;
}

} // namespace

TMainWindow::TMainWindow(const std::filesystem::path& exePath, char decimalSeparator,
                         TDesktop* desktop, QWidget* parent)
    : QMainWindow(parent), FQtDesktop(std::make_unique<TQtDesktop>(
                               this, CatalogueText(ProgramTitle(exePath)), [this] { Repaint(); })),
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

void TMainWindow::StepTab(int by) {
  const int count = FPageControl->count();
  FPageControl->setCurrentIndex((FPageControl->currentIndex() + by + count) % count);
}

void TMainWindow::ShowFileListMenu(QListView* view, TFileListBox& list, const QPoint& pos) {
  const bool in = &list == &FForm->InFileListBox;
  // While a command works beside the window no action of the menu would be taken.
  switch (ExecFileListMenu(view, pos, !FForm->Working())) {
  case TFileListAction::Open:
    Run([this, in] { in ? FForm->InFileListBoxOpen() : FForm->OutFileListBoxDblClick(); });
    break;
  case TFileListAction::OpenFolder:
    Run([this, in] { in ? FForm->InFileListBoxOpenFolder() : FForm->OutFileListBoxOpenFolder(); });
    break;
  case TFileListAction::Delete:
    Run([this, in] { in ? FForm->InFileListBoxDelete() : FForm->OutFileListBoxDelete(); });
    break;
  case TFileListAction::None:
    break;
  }
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
  setWindowTitle(CatalogueText(form.Caption()));
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
    FStatusPanels[i]->SetText(CatalogueText(text), working);
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
  if (FInputGrid->ShowRow(FForm->InputGridRow())) FInputGrid->setFocus();
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

// The window only ever copies what is dropped, so it answers Copy whatever the source proposes:
// a source told Move may delete the user's original. A refusal says why in the status bar,
// where the user sees it beside the drag cursor.
bool TMainWindow::AcceptAsCopy(QDropEvent* e) {
  const char* refusal = DropRefusal(e, IsOwnList(e->source()), FForm->Working());
  if (refusal || !e->mimeData()->hasUrls()) {
    e->ignore();
    if (refusal) statusBar()->showMessage(CatalogueText(refusal), RefusedDropMs);
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
  const std::vector<std::filesystem::path> paths = DroppedPaths(*e->mimeData());
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

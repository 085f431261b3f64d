#include "app/view/QtDesktop.h"

#include "app/view/ShownName.h"
#include "core/text/Cp1252.h"
#include "core/text/ErrorBoxText.h"
#include "core/text/Teksten.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <cstdio>

QString DialogText(const std::string& text) {
  QString result = QString::fromUtf8(text);
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

namespace {

QString Text(const char* cp1252) {
  return QString::fromUtf8(Cp1252ToUtf8(cp1252));
}

constexpr int WatchSettleMs = 100;
constexpr int WaitTickMs = 100;
// A file manager that does not answer within this time is taken as none.
constexpr int FileManagerTimeoutMs = 5000;
constexpr int AboutIconSize = 64;

// Room for the title bar's icon and buttons beside a caption.
constexpr int TitleBarExtra = 120;

// A window manager cuts a caption that is wider than its window ("Mor...der"): a short
// message widens its box to the caption in a bold face, as title bars draw it.
void FitCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  QFont title = box.font();
  title.setBold(true);
  const int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + TitleBarExtra;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

// A dialog's "OK" stays the program's own text when Qt's buttons are translated.
void AddOkButton(QMessageBox& box) {
  box.setDefaultButton(box.addButton(Text(Tekst::KnopOK), QMessageBox::AcceptRole));
}

} // namespace

TQtDesktop::TQtDesktop(QWidget* parent, QString title, std::function<void()> repaint)
    : FParent(parent), FTitle(std::move(title)), FRepaint(std::move(repaint)) {}

TQtDesktop::~TQtDesktop() = default;

bool TQtDesktop::Confirm(const std::string& question) {
  QMessageBox box(QMessageBox::Question, Text(Tekst::VraagTitel), DialogText(question),
                  QMessageBox::NoButton, FParent);
  box.setTextFormat(Qt::PlainText);
  // Alt with the first letter answers, as a button's underlined letter promises.
  QPushButton* yes = box.addButton(QLatin1Char('&') + Text(Tekst::KnopJa), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QLatin1Char('&') + Text(Tekst::KnopNee), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  FitCaption(box);
  box.exec();
  return box.clickedButton() == yes;
}

void TQtDesktop::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, FTitle, DialogText(text), QMessageBox::NoButton, FParent);
  box.setTextFormat(Qt::PlainText);
  AddOkButton(box);
  FitCaption(box);
  box.exec();
}

void TQtDesktop::ShowError(const std::string& text) {
  const QString shown = DialogText(ErrorBoxText(text));
  // Also on standard error, where a terminal or the session's log keeps it after the box.
  std::fprintf(stderr, "%s: %s\n", FTitle.toLocal8Bit().constData(),
               shown.toLocal8Bit().constData());
  std::fflush(stderr);
  QMessageBox box(QMessageBox::Critical, FTitle, shown, QMessageBox::NoButton, FParent);
  box.setTextFormat(Qt::PlainText);
  AddOkButton(box);
  FitCaption(box);
  box.exec();
}

std::optional<std::filesystem::path>
TQtDesktop::SaveDialog(const std::filesystem::path& suggestedPath) {
  QFileDialog dialog(FParent, Text(Tekst::BewaarTitel));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The report names end in ".txt"; both spellings are listed on a case-sensitive disk.
  dialog.setNameFilter(Text(Tekst::BewaarFilter));
  dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
  dialog.setDirectory(QString::fromStdString(suggestedPath.parent_path().string()));
  dialog.selectFile(QString::fromStdString(suggestedPath.string()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

void TQtDesktop::Beep() {
  QApplication::beep();
}

void TQtDesktop::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
}

void TQtDesktop::Repaint() {
  if (FRepaint) FRepaint();
}

std::filesystem::path TQtDesktop::ConfigFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

std::filesystem::path TQtDesktop::DocumentsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

bool TQtDesktop::MoveToTrash(const std::filesystem::path& file) {
  // Where it cannot set up the user's trash, Qt moves the file into folders "files" and "info"
  // of the current folder instead. The trash is made first, as the desktop makes it when
  // missing; without one the file is not moved.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty() || !QDir().mkpath(data + QStringLiteral("/Trash"))) return false;
  return QFile::moveToTrash(ShownPath(file));
}

bool TQtDesktop::OpenPath(const std::filesystem::path& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ShownPath(path)));
}

bool TQtDesktop::ShowInFileManager(const std::filesystem::path& file) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"),
      QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
  call << QStringList{QUrl::fromLocalFile(ShownPath(file)).toString()} << QString();
  return bus.call(call, QDBus::Block, FileManagerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

void TQtDesktop::ShowAbout(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, Text(Tekst::OverTitel), DialogText(text),
                  QMessageBox::NoButton, FParent);
  box.setTextFormat(Qt::PlainText);
  box.setIconPixmap(QApplication::windowIcon().pixmap(AboutIconSize, AboutIconSize));
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  AddOkButton(box);
  FitCaption(box);
  box.exec();
}

void TQtDesktop::WatchFolders(const std::vector<std::filesystem::path>& folders,
                              std::function<void()> changed) {
  FWatcher.reset();
  FFolderChanged = std::move(changed);
  if (folders.empty()) return;
  FWatcher = std::make_unique<QFileSystemWatcher>();
  for (const std::filesystem::path& folder : folders) FWatcher->addPath(ShownPath(folder));
  // A burst of changes (many files copied in at once) is taken up once, after the burst.
  auto* settle = new QTimer(FWatcher.get());
  settle->setSingleShot(true);
  settle->setInterval(WatchSettleMs);
  QObject::connect(FWatcher.get(), &QFileSystemWatcher::directoryChanged, settle,
                   qOverload<>(&QTimer::start));
  QObject::connect(settle, &QTimer::timeout, settle, [this] {
    if (FFolderChanged) FFolderChanged();
  });
}

void TQtDesktop::WaitUntil(const std::function<bool()>& ended, const std::function<void()>& tick) {
  QEventLoop loop;
  QTimer timer;
  timer.setInterval(WaitTickMs);
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    tick();
    if (ended()) loop.quit();
  });
  FWaitLoop = &loop;
  FWaitEnded = &ended;
  timer.start();
  if (!ended()) loop.exec();
  FWaitLoop = nullptr;
  FWaitEnded = nullptr;
}

void TQtDesktop::Wake() {
  // Runs on the window's thread, where the wait's loop is.
  QMetaObject::invokeMethod(
      FParent,
      [this] {
        if (FWaitLoop && (*FWaitEnded)()) FWaitLoop->quit();
      },
      Qt::QueuedConnection);
}

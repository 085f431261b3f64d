#include "app/view/FileDrop.h"

#include "core/text/Teksten.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

const char* DropRefusal(const QDropEvent* e, bool fromOwnList, bool working) {
  if (!e->mimeData()->hasUrls()) return nullptr;
  if (fromOwnList) return Tekst::DropEigenLijst;
  if (!(e->possibleActions() & Qt::CopyAction)) return Tekst::DropGeenKopie;
  if (working) return Tekst::DropTijdensOpdracht;
  return nullptr;
}

std::vector<std::filesystem::path> DroppedPaths(const QMimeData& data) {
  std::vector<std::filesystem::path> paths;
  for (const QUrl& url : data.urls()) {
    const QByteArray text =
        url.isLocalFile() ? QFile::encodeName(url.toLocalFile()) : url.toDisplayString().toUtf8();
    paths.emplace_back(text.toStdString());
  }
  return paths;
}

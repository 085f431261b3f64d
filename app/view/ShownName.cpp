#include "app/view/ShownName.h"

#include <QByteArray>
#include <QFile>

QString ShownPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString ShownName(const std::filesystem::path& path) {
  return ShownPath(path.filename());
}

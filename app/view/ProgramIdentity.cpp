#include "app/view/ProgramIdentity.h"

#include <QApplication>
#include <QIcon>

void SetProgramIdentity() {
  // The config folder is named after the application, without an organisation level.
  QCoreApplication::setApplicationName(QStringLiteral("Morvelander"));
  QGuiApplication::setDesktopFileName(QStringLiteral(MORVELANDER_APP_ID));
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
}

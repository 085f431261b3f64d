#include "app/DecimalSeparator.h"
#include "app/MainWindow.h"
#include "app/TextMeasure.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  RegisterTableFonts();
  // Qt took the user's locale for the whole process; the separator is read and numbers are
  // formatted in the "C" locale from here on.
  const char separator = UserDecimalSeparator();
  TMainWindow window(QCoreApplication::applicationFilePath().toStdString(), separator);
  window.show();
  return app.exec();
}

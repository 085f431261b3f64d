#include "app/view/CloseOnTermination.h"
#include "app/view/MainWindow.h"
#include "app/view/ProgramIdentity.h"
#include "app/view/QtTranslation.h"
#include "app/view/TextMeasure.h"
#include "core/text/Cp1252.h"
#include "core/text/DecimalSeparator.h"
#include "core/text/Teksten.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <system_error>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  SetProgramIdentity();
  if (!InstallQtTranslation(app))
    std::fprintf(stderr, "%s\n", Cp1252ToUtf8(Tekst::QtVertalingOntbreekt).c_str());
  RegisterTableFonts();
  // Qt took the user's locale for the whole process; the separator is read and numbers are
  // formatted in the "C" locale from here on.
  const char separator = LocaleDecimalSeparator();
  TMainWindow window(QCoreApplication::applicationFilePath().toStdString(), separator);
  // "Open with" names the files; the window opens the first one.
  const QStringList args = QCoreApplication::arguments();
  if (args.size() > 1) {
    const std::filesystem::path file = args.at(1).toStdString();
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(file, ec);
    window.Form().SetStartFile(ec ? file : full);
  }
  CloseOnTermination(window);
  window.show();
  return app.exec();
}

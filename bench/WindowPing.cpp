#include "app/view/MainWindow.h"
#include "app/view/TextMeasure.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// morvelander-window-ping FILE: opens the file in the real window, then shows each tab, and
// prints the longest time the window's thread took to answer a timer due every 5 ms: the
// longest a window manager's ping would wait for an answer. Offscreen, the window paints as it
// would on a screen.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Usage: morvelander-window-ping FILE\n");
    return 2;
  }
  RegisterTableFonts();
  const TTempDir temp;
  std::error_code ec;
  fs::create_directories(temp.Path() / "InBox", ec);
  const fs::path file = temp.Path() / "InBox" / fs::path(argv[1]).filename();
  if (!fs::copy_file(argv[1], file, ec)) {
    std::fprintf(stderr, "morvelander-window-ping: cannot copy %s\n", argv[1]);
    return 1;
  }
  TMainWindow window(temp.Path() / "Morvelander", '.');
  window.Form().SetStartFile(file);

  QElapsedTimer clock;
  qint64 last = 0;
  qint64 slowest = 0;
  qint64 slowestAt = 0;
  QTimer ping;
  ping.setInterval(5);
  QObject::connect(&ping, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    if (now - last > slowest) {
      slowest = now - last;
      slowestAt = now;
    }
    last = now;
  });
  clock.start();
  ping.start();
  window.show();
  // The load starts at the first activation and runs beside the window.
  QTest::qWait(200);
  while (window.Form().Working()) QTest::qWait(20);
  const qint64 loaded = clock.elapsed();
  auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl"));
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    QTest::qWait(300);
  }
  std::printf("%s: loaded in %lld ms; slowest answer %lld ms, at %lld ms\n", argv[1],
              static_cast<long long>(loaded), static_cast<long long>(slowest),
              static_cast<long long>(slowestAt));
  return 0;
}

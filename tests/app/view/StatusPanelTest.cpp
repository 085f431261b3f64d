#include "app/view/StatusPanel.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <vector>

using TEvents = std::vector<QAccessible::Event>;
Q_DECLARE_METATYPE(TEvents)

// A status panel as assistive technology meets it. Qt delivers accessibility events only where
// a screen reader listens on the desktop's bus, which the suite has not; what a change sends is
// checked as the panel decides it.
class StatusPanelTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { TStatusPanel::InstallAccessibility(); }
  void aChangeIsAnnounced_data();
  void aChangeIsAnnounced();
  void theWholeTextIsTheValueAndTheText();
};

void StatusPanelTest::aChangeIsAnnounced_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("after");
  QTest::addColumn<bool>("progress");
  QTest::addColumn<TEvents>("told");
  const TEvents changed{QAccessible::TextUpdated, QAccessible::ValueChanged};
  TEvents alert = changed;
  alert.push_back(QAccessible::Alert);
  QTest::newRow("progress is told politely") << ""
                                             << "3 van 10 bestanden" << true << changed;
  QTest::newRow("a refusal is told at once") << ""
                                             << "Het bestand is leeg." << false << alert;
  QTest::newRow("a new count is told at once") << "Gestopt."
                                               << "0 fout" << false << alert;
  QTest::newRow("an emptied panel tells its change only") << "0 fout"
                                                          << "" << false << changed;
  QTest::newRow("the same text again tells nothing") << "0 fout"
                                                     << "0 fout" << false << TEvents{};
}

void StatusPanelTest::aChangeIsAnnounced() {
  QFETCH(QString, before);
  QFETCH(QString, after);
  QFETCH(bool, progress);
  QFETCH(TEvents, told);
  QCOMPARE(TStatusPanel::Announcements(before, after, progress), told);
  TStatusPanel panel;
  panel.SetText(before, true);
  panel.SetText(after, progress);
  QCOMPARE(panel.Text(), after);
}

void StatusPanelTest::theWholeTextIsTheValueAndTheText() {
  TStatusPanel panel;
  panel.setAccessibleName(QStringLiteral("Toernooi"));
  panel.setFixedWidth(60);
  const QString naam = QStringLiteral("Open Kampioenschap van Zuid-Holland 2009");
  panel.SetText(naam, false);
  QVERIFY(panel.ShownText().size() < naam.size());
  QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(&panel);
  QVERIFY(shown);
  QCOMPARE(shown->role(), QAccessible::StaticText);
  QCOMPARE(shown->text(QAccessible::Name), QStringLiteral("Toernooi"));
  QCOMPARE(shown->text(QAccessible::Value), naam);
  QAccessibleTextInterface* text = shown->textInterface();
  QVERIFY(text);
  QCOMPARE(text->characterCount(), naam.size());
  QCOMPARE(text->text(0, text->characterCount()), naam);
  QCOMPARE(text->text(5, 15), naam.mid(5, 10));
  QCOMPARE(text->text(30, 1000), naam.mid(30));
  panel.SetText(QString(), false);
  QCOMPARE(text->characterCount(), 0);
  QCOMPARE(shown->text(QAccessible::Value), QString());
}

QTEST_MAIN(StatusPanelTest)
#include "StatusPanelTest.moc"

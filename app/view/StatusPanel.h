#pragma once

#include <QAccessible>
#include <QFrame>
#include <QString>

#include <vector>

// A panel of the status bar. Its text is drawn cut to the panel's width, with an ellipsis where
// it does not fit, so that a tournament name of megabytes neither widens the window nor keeps it
// laying out text. A screen reader finds the whole text as the panel's value and hears each
// change: the progress of a command politely, as a value that changed, and every other change
// as an alert.
class TStatusPanel : public QFrame {
  Q_OBJECT

public:
  explicit TStatusPanel(QWidget* parent = nullptr);

  // Lets screen readers ask panels for their value; the first call of the program counts.
  static void InstallAccessibility();

  const QString& Text() const { return FText; }
  // Shows the text; progress is announced politely, any other change as an alert.
  void SetText(const QString& text, bool progress);
  // The events a change of the text sends to assistive technology, in order.
  static std::vector<QAccessible::Event> Announcements(const QString& before, const QString& after,
                                                       bool progress);
  // The text as drawn in the panel's width.
  QString ShownText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QString FText;
};

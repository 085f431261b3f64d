#include "app/view/StatusPanel.h"

#include "app/view/ElidedText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

// The inset of the text from the panel's frame.
constexpr int TextInset = 3;

// The panel as a screen reader sees it: its name says what the panel shows; its whole text is
// both its value and its text, read-only, which is where a screen reader on the desktop's bus
// reads a status label.
class TStatusPanelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
  explicit TStatusPanelAccessible(QWidget* panel)
      : QAccessibleWidget(panel, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Whole();
    return QAccessibleWidget::text(t);
  }

  QString text(int startOffset, int endOffset) const override {
    const QString& whole = Whole();
    const qsizetype start = std::clamp<qsizetype>(startOffset, 0, whole.size());
    const qsizetype end = std::clamp<qsizetype>(endOffset, start, whole.size());
    return whole.mid(start, end - start);
  }
  int characterCount() const override { return static_cast<int>(Whole().size()); }
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  // The text is drawn cut to the panel, so a character has no place of its own on the screen.
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = offset;
    *endOffset = offset;
    return {};
  }

private:
  const QString& Whole() const { return static_cast<const TStatusPanel*>(widget())->Text(); }
};

QAccessibleInterface* StatusPanelAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String("TStatusPanel") && object && object->isWidgetType())
    return new TStatusPanelAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

} // namespace

TStatusPanel::TStatusPanel(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
}

void TStatusPanel::InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(StatusPanelAccessible);
    return true;
  }();
  (void)installed;
}

std::vector<QAccessible::Event> TStatusPanel::Announcements(const QString& before,
                                                            const QString& after, bool progress) {
  if (before == after) return {};
  // The text's change reaches a reader of the text and one of the value; anything but progress
  // is said at once, over what the reader was saying.
  std::vector<QAccessible::Event> told{QAccessible::TextUpdated, QAccessible::ValueChanged};
  if (!progress && !after.isEmpty()) told.push_back(QAccessible::Alert);
  return told;
}

void TStatusPanel::SetText(const QString& text, bool progress) {
  const std::vector<QAccessible::Event> told = Announcements(FText, text, progress);
  if (told.empty()) return;
  const QString old = std::exchange(FText, text);
  update();
  for (const QAccessible::Event type : told) {
    if (type == QAccessible::TextUpdated) {
      QAccessibleTextUpdateEvent replaced(this, 0, old, FText);
      QAccessible::updateAccessibility(&replaced);
    } else if (type == QAccessible::ValueChanged) {
      QAccessibleValueChangeEvent changed(this, FText);
      QAccessible::updateAccessibility(&changed);
    } else {
      QAccessibleEvent alert(this, type);
      QAccessible::updateAccessibility(&alert);
    }
  }
}

QString TStatusPanel::ShownText() const {
  return ElidedText(FText, fontMetrics(), contentsRect().width() - 2 * TextInset);
}

QSize TStatusPanel::sizeHint() const {
  return {QFrame::sizeHint().width(), fontMetrics().height() + 2 * (frameWidth() + 1)};
}

QSize TStatusPanel::minimumSizeHint() const {
  return sizeHint();
}

void TStatusPanel::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(contentsRect().adjusted(TextInset, 0, -TextInset, 0),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ShownText());
}

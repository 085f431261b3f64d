#include "app/view/StatusPanel.h"

#include "app/view/ElidedText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>

namespace {

// The inset of the text from the panel's frame.
constexpr int TextInset = 3;

// The panel as a screen reader sees it: its name says what the panel shows, its value is the
// whole text.
class TStatusPanelAccessible : public QAccessibleWidget {
public:
  explicit TStatusPanelAccessible(QWidget* panel)
      : QAccessibleWidget(panel, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return static_cast<const TStatusPanel*>(widget())->Text();
    return QAccessibleWidget::text(t);
  }
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

void TStatusPanel::SetText(const QString& text, bool progress) {
  if (text == FText) return;
  FText = text;
  update();
  QAccessibleValueChangeEvent changed(this, FText);
  QAccessible::updateAccessibility(&changed);
  if (progress || FText.isEmpty()) return;
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
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

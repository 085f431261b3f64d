#include "app/view/CellDelegate.h"

#include "app/view/ElidedText.h"
#include "app/view/WrappedText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace {

// The room for a cell's text inside the cell.
QRect TextRect(const QRect& cell) {
  return cell.adjusted(TCellDelegate::TextInset, TCellDelegate::TextInset,
                       -TCellDelegate::TextInset, 0);
}

} // namespace

void TCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QString text = cell.text;
  cell.text.clear();
  const QWidget* widget = cell.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

  const QPalette::ColorGroup group =
      cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  const QPalette::ColorRole role =
      cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
  const QRect room = TextRect(cell.rect);
  const QFontMetrics metrics(cell.font);
  const QString shown = ElidedText(text, metrics, room.width());
  painter->save();
  painter->setClipRect(cell.rect);
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(group, role));
  // Only a text that fits is wrapped: one that does not is laid out no further than it shows.
  painter->drawText(room,
                    static_cast<int>(cell.displayAlignment) |
                        (shown == text ? Qt::TextWordWrap : Qt::TextSingleLine),
                    shown);
  painter->restore();
}

bool TCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                              const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (!event || !view || event->type() != QEvent::ToolTip)
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  const QString text = index.data(Qt::DisplayRole).toString();
  const QFont font = index.data(Qt::FontRole).value<QFont>();
  if (ElidedText(text, QFontMetrics(font), TextRect(option.rect).width()) == text) {
    QToolTip::hideText();
    return true;
  }
  // A long text reads as a paragraph, not as one line across the screen.
  const QString shown = WrappedText(text, QFontMetrics(QToolTip::font()), TooltipWidth);
  QToolTip::showText(event->globalPos(), shown, view, option.rect);
  return true;
}

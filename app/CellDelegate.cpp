#include "app/CellDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

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
  painter->save();
  painter->setClipRect(cell.rect);
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(group, role));
  painter->drawText(cell.rect.adjusted(TextInset, TextInset, -TextInset, 0),
                    static_cast<int>(cell.displayAlignment) | Qt::TextWordWrap, text);
  painter->restore();
}

#pragma once

#include <QStyledItemDelegate>

// Draws a cell's text 2 pixels from the cell's left and top edges, wrapped at word boundaries
// inside the cell; a text wider than its cell is drawn on one line as far as it fits, ending in
// an ellipsis, and shows whole in its tooltip, wrapped at TooltipWidth. Background, selection and
// focus are drawn by the style as usual.
class TCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

public:
  static constexpr int TextInset = 2;
  static constexpr int TooltipWidth = 480;

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;
};

#include "app/view/KeyRouting.h"

#include <QKeyEvent>

bool IsEnter(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(e)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsDelete(const QEvent* e) {
  return e->type() == QEvent::KeyPress && static_cast<const QKeyEvent*>(e)->key() == Qt::Key_Delete;
}

int TabStep(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return 0;
  const auto* key = static_cast<const QKeyEvent*>(e);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::ControlModifier && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageDown))
    return 1;
  if (mods == Qt::ControlModifier && key->key() == Qt::Key_PageUp) return -1;
  if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
      (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab))
    return -1;
  return 0;
}

int HomeOrEnd(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return 0;
  const auto* key = static_cast<const QKeyEvent*>(e);
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
  return key->key() == Qt::Key_Home ? -1 : key->key() == Qt::Key_End ? 1 : 0;
}

bool IsContextMenuKey(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(e);
  return key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
}

#pragma once

class QEvent;

// The keys the window routes itself, before the control with the focus sees them.

// Enter or Return.
bool IsEnter(const QEvent* e);
bool IsDelete(const QEvent* e);
// One tab on for Ctrl+Tab and Ctrl+PageDown, one back for Ctrl+Shift+Tab and Ctrl+PageUp, else 0.
int TabStep(const QEvent* e);
// Home or End without modifiers: -1 for Home, 1 for End, else 0.
int HomeOrEnd(const QEvent* e);
// Shift+F10, which opens a context menu as the Menu key does.
bool IsContextMenuKey(const QEvent* e);

#pragma once

class QWidget;

// Closes the window as the user would when the process is asked to end (SIGTERM, as a desktop
// session sends at logout, or SIGINT from a terminal), so the remembered folders are written.
void CloseOnTermination(QWidget& window);

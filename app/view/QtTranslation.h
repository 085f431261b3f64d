#pragma once

class QCoreApplication;

// Qt's own texts (the save dialog, a text field's context menu, standard buttons) in Dutch,
// whatever the system's language. Returns false when Qt's Dutch translation is not installed;
// Qt then keeps its English texts.
bool InstallQtTranslation(QCoreApplication& app);

#pragma once

class QCoreApplication;

// Qt's own texts (the buttons and labels of the save dialog) in the system's language, where
// Qt has a translation for it. The program's own texts are not translated.
void InstallQtTranslation(QCoreApplication& app);

// Qt's own texts (file dialogs, standard buttons, message-box buttons) in Turkish when the user's
// system speaks Turkish, so that they match the program's captions, which are Turkish already and
// never pass through a translation.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;
class QLocale;

namespace velkor::app {

// Where qtbase_tr.qm is looked for, in this order: beside the program (the Windows folder carries it
// there), in the program's translations folder, in Qt's own translations folder.
QStringList QtTranslationFolders();

// When the first language of `locale` is Turkish, installs Qt's Turkish translation from the first
// of `folders` that has it; returns the file installed, empty when none.
QString InstallQtTranslation(QCoreApplication& application, const QLocale& locale,
                             const QStringList& folders = QtTranslationFolders());

}  // namespace velkor::app

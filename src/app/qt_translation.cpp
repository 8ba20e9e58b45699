// Only Turkish is installed: a German system would otherwise get German file dialogs beside the
// program's Turkish windows.
#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velkor::app {

QStringList QtTranslationFolders() {
  const QString programFolder = QCoreApplication::applicationDirPath();
  return {programFolder, programFolder + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QString InstallQtTranslation(QCoreApplication& application, const QLocale& locale, const QStringList& folders) {
  // The language the user reads, which on Linux may differ from the one numbers are written in.
  const QStringList languages = locale.uiLanguages();
  if (languages.isEmpty() || QLocale(languages.first()).language() != QLocale::Turkish) return {};
  auto* translator = new QTranslator(&application);
  for (const QString& folder : folders) {
    if (translator->load(QStringLiteral("qtbase_tr"), folder)) {
      QCoreApplication::installTranslator(translator);
      return translator->filePath();
    }
  }
  delete translator;
  return {};
}

}  // namespace velkor::app

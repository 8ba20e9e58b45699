// Qt's own texts in Turkish on a Turkish system (this test runs under LANG=tr_TR.UTF-8): standard
// buttons and file dialogs read Turkish, the program's own captions stay as they are, and no other
// language is ever installed.
#include "app/qt_translation.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QtTest>

#include "app/search_dialog.h"
#include "test_support.h"

using velkor::app::InstallQtTranslation;

class QtTranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void onlyTurkishIsInstalled_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("installed");
    QTest::newRow("Turkish") << "tr_TR" << true;
    QTest::newRow("Turkish without country") << "tr" << true;
    QTest::newRow("English") << "en_US" << false;
    QTest::newRow("German, whose Qt texts exist too") << "de_DE" << false;
    QTest::newRow("C") << "C" << false;
  }
  void onlyTurkishIsInstalled() {
    QFETCH(QString, locale);
    QFETCH(bool, installed);
    // The Turkish file laid beside a program, the way the Windows folder carries it.
    velkor::test::ScratchDir empty, beside;
    const QString besideFolder = QString::fromStdString(beside.path().string());
    const QString qtFile = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_tr.qm");
    QVERIFY2(QFile::copy(qtFile, besideFolder + QStringLiteral("/qtbase_tr.qm")), qPrintable(qtFile));
    const QString file = InstallQtTranslation(*QCoreApplication::instance(), QLocale(locale),
                                              {QString::fromStdString(empty.path().string()), besideFolder});
    QCOMPARE(file, installed ? besideFolder + QStringLiteral("/qtbase_tr.qm") : QString());
    // Leave the application without it for the next rows.
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
  }

  void programFolderComesFirst() {
    const QStringList folders = velkor::app::QtTranslationFolders();
    QCOMPARE(folders.value(0), QCoreApplication::applicationDirPath());
    QCOMPARE(folders.value(2), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }

  // What the program does at start, with the system's language.
  void turkishSystemGetsTurkishDialogs() {
    QCOMPARE(QLocale::system().language(), QLocale::Turkish);
    QVERIFY(!InstallQtTranslation(*QCoreApplication::instance(), QLocale::system()).isEmpty());

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("İptal"));
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), QStringLiteral("Tamam"));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto* fileName = files.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    QVERIFY(fileName);
    QVERIFY2(fileName->text().contains(QStringLiteral("Dosya")), qPrintable(fileName->text()));

    // The program's own captions never pass through a translation, English ones included.
    velkor::app::TTextSearchDialog search;
    QCOMPARE(search.btnOK->text(), QStringLiteral("OK"));
    QCOMPARE(search.btnCancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(search.windowTitle(), QStringLiteral("Search Text"));
  }
};

QTEST_MAIN(QtTranslationTest)
#include "qt_translation_test.moc"

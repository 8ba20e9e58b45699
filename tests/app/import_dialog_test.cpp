// The import dialog: which row a file lands in, when OK is possible, drops, the state kept between
// showings, the suggested output name and the failures.
#include "app/import_dialog.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "app/modal_seam.h"
#include "app_test_support.h"
#include "export/conversion_session.h"
#include "test_paths.h"
#include "test_support.h"

namespace fs = std::filesystem;
using velkor::app::TFormCksGec;
using velkor::test::DialogScript;
using velkor::test::Q;

namespace {

// Third lines that make a report what it is; the rest of the file does not matter to the check.
const std::string kElementHeading =
    "\xB3"
    "ELEMAN \xB3 NOKTA \xB3";
const std::string kVerticalHeading = "\xB3  E\xF0im (%)  \xB3";

fs::path WriteReport(const fs::path& file, const std::string& thirdLine) {
  fs::create_directories(file.parent_path());
  velkor::test::WriteBytes(file, velkor::test::CrLf({"NetCAD", "------", thirdLine, "------"}));
  return file;
}

fs::path CopyExample(const fs::path& to) {
  fs::create_directories(to.parent_path());
  fs::copy_file(fs::path(velkor::test::kSourceDir) / "examples" / "GUZERGAH.cks", to,
                fs::copy_options::overwrite_existing);
  return to;
}

}  // namespace

class ImportDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<velkor::test::ScratchDir> dir_;
  std::unique_ptr<velkor::ConversionSession> session_;
  std::unique_ptr<velkor::test::ScratchSettings> settings_;
  std::unique_ptr<TFormCksGec> dialog_;
  fs::path element_, vertical_, other_;

 private slots:
  void init() {
    settings_ = std::make_unique<velkor::test::ScratchSettings>();
    dir_ = std::make_unique<velkor::test::ScratchDir>();
    fs::create_directories(*dir_ / "work");
    session_ = std::make_unique<velkor::ConversionSession>(*dir_ / "work");
    dialog_ = std::make_unique<TFormCksGec>();
    dialog_->SetSession(session_.get());
    element_ = WriteReport(*dir_ / "tables" / "ELEMAN.cks", kElementHeading);
    vertical_ = WriteReport(*dir_ / "DUSEY.cks", kVerticalHeading);
    other_ = WriteReport(*dir_ / "OTHER.cks", "nothing we know");
    dialog_->show();
  }
  void cleanup() {
    dialog_.reset();
    session_.reset();
    dir_.reset();
  }

  void looksAsSpecified() {
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Velkor"));
    QCOMPARE(dialog_->size(), QSize(499, 103));
    QCOMPARE(dialog_->Label1->text(), QStringLiteral("Yatay CKS Dosyası :"));
    QCOMPARE(dialog_->Label2->text(), QStringLiteral("Düşey CKS Dosyası :"));
    QCOMPARE(dialog_->FGec->toolTip(), QStringLiteral("NetCAD Güzergah Raporları (Eleman Tablosu)"));
    QCOMPARE(dialog_->FArazi->toolTip(), QStringLiteral("NetCAD Düşey Tanım editörü (Rapor Çıktısı)"));
    QVERIFY(dialog_->FGec->isReadOnly() && dialog_->FArazi->isReadOnly());
    QCOMPARE(dialog_->cb3->text(), QStringLiteral("Şevli plan"));
    QCOMPARE(dialog_->cb1->text(), QStringLiteral("Enkesit"));
    QCOMPARE(dialog_->cb2->text(), QStringLiteral("Model"));
    QCOMPARE(dialog_->sBitBtn1->text(), QStringLiteral("Tamam"));
    QCOMPARE(dialog_->sBitBtn2->text(), QStringLiteral("İptal"));
    QVERIFY(dialog_->sBitBtn1->isDefault());
    QVERIFY(!dialog_->sBitBtn1->isEnabled());
    QCOMPARE(dialog_->sBitBtn3->size(), QSize(33, 25));
    QVERIFY(!dialog_->sBitBtn3->icon().isNull());
    QCOMPARE(dialog_->od1->nameFilters(), QStringList{"CKS (*.cks)"});
    QCOMPARE(dialog_->od1->defaultSuffix(), QStringLiteral("cks"));
    QVERIFY(dialog_->acceptDrops());
  }

  // The content decides the row, not the button.
  void buttonsFillTheRowOfTheContent_data() {
    QTest::addColumn<bool>("firstButton");
    QTest::addColumn<bool>("elementTable");
    QTest::newRow("first button, vertical report") << true << false;
    QTest::newRow("second button, element table") << false << true;
    QTest::newRow("first button, element table") << true << true;
    QTest::newRow("second button, vertical report") << false << false;
  }
  void buttonsFillTheRowOfTheContent() {
    QFETCH(bool, firstButton);
    QFETCH(bool, elementTable);
    const QString path = Q(elementTable ? element_ : vertical_);
    DialogScript script;
    script.ChooseFile(path);
    (firstButton ? dialog_->sBitBtn3 : dialog_->sBitBtn4)->click();
    QCOMPARE(script.titles(), QStringList{firstButton ? QStringLiteral("YATAY CKS") : QStringLiteral("DÜŞEY CKS")});
    QCOMPARE(dialog_->FGec->text(), elementTable ? path : QString());
    QCOMPARE(dialog_->FArazi->text(), elementTable ? QString() : path);
    QCOMPARE(dialog_->sBitBtn1->isEnabled(), elementTable);
    QVERIFY(script.boxes().empty());
  }

  void eachChoiceStartsWithAnEmptyFileName() {
    QString shownName = QStringLiteral("unset");
    DialogScript script;
    script.ChooseFile(Q(element_));
    script.Then([&](QDialog& d) {
      shownName = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
      return int(QDialog::Rejected);
    });
    dialog_->sBitBtn3->click();
    dialog_->sBitBtn4->click();
    QCOMPARE(shownName, QString());
    QCOMPARE(dialog_->FGec->text(), Q(element_));
  }

  void fileOfNeitherKindIsRefused() {
    dialog_->DosyaKontrol(Q(element_));
    DialogScript script;
    script.AcknowledgeBox();
    dialog_->DosyaKontrol(Q(other_));
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Sadece Eleman Tablosu ve Düşey tanım kabul edilir."));
    QCOMPARE(dialog_->FGec->text(), Q(element_));
    QVERIFY(dialog_->sBitBtn1->isEnabled());
  }

  void unreadableFilesShowTheErrorAndKeepTheChoice_data() {
    QTest::addColumn<QString>("content");  // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("two lines") << "a\r\nb\r\n"
                               << "List index out of bounds (2)";
    QTest::newRow("missing") << ""
                             << "Cannot open file %1";
  }
  void unreadableFilesShowTheErrorAndKeepTheChoice() {
    QFETCH(QString, content);
    QFETCH(QString, message);
    const fs::path file = *dir_ / "SHORT.cks";
    if (!content.isEmpty()) velkor::test::WriteBytes(file, content.toStdString());
    dialog_->DosyaKontrol(Q(element_));
    DialogScript script;
    script.AcknowledgeBox();
    dialog_->DosyaKontrol(Q(file));
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Critical);
    QCOMPARE(script.boxes()[0].text.section(QLatin1Char('\n'), 0, 0),
             message.contains(QLatin1String("%1")) ? message.arg(Q(file)) : message);
    QCOMPARE(dialog_->FGec->text(), Q(element_));
  }

  void onlyAVerticalReportLeavesOkDisabled() {
    dialog_->DosyaKontrol(Q(vertical_));
    QVERIFY(!dialog_->sBitBtn1->isEnabled());
  }

  void droppedFilesCheckOnlyTheFirst() {
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(Q(vertical_)), QUrl::fromLocalFile(Q(element_))});
    // As the desktop delivers it: the drag enters (and is accepted), then drops.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog_.get(), &drop);
    delete mime;
    QCOMPARE(dialog_->FArazi->text(), Q(vertical_));
    QCOMPARE(dialog_->FGec->text(), QString());
    QVERIFY(!dialog_->sBitBtn1->isEnabled());
  }

  void showingAgainAfterCancelResetsPathsKeepsOptions() {
    DialogScript script;
    script.Then([&](QDialog&) {
      dialog_->DosyaKontrol(Q(element_));
      dialog_->DosyaKontrol(Q(vertical_));
      dialog_->cb1->setChecked(true);
      dialog_->cb3->setChecked(true);
      dialog_->sBitBtn2->click();
      return dialog_->result();
    });
    bool okEnabled = true;
    QString first, second;
    script.Then([&](QDialog&) {
      okEnabled = dialog_->sBitBtn1->isEnabled();
      first = dialog_->FGec->text();
      second = dialog_->FArazi->text();
      return int(QDialog::Rejected);
    });
    dialog_->hide();
    QCOMPARE(velkor::app::ExecModal(*dialog_), int(QDialog::Rejected));
    QCOMPARE(velkor::app::ExecModal(*dialog_), int(QDialog::Rejected));
    QVERIFY(!okEnabled);
    QVERIFY(first.isEmpty() && second.isEmpty());
    QVERIFY(dialog_->horizontalReportPath().isEmpty());
    QVERIFY(dialog_->cb1->isChecked() && dialog_->cb3->isChecked() && !dialog_->cb2->isChecked());
  }

  void nextChoiceStartsInTheAcceptedTablesFolder() {
    dialog_->DosyaKontrol(Q(element_));
    QCOMPARE(fs::path(dialog_->od1->directory().absolutePath().toStdString()), element_.parent_path());
  }

  void suggestedOutputName_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper-case extension") << "R/YOL.CKS"
                                          << "R/YOL.gec";
    QTest::newRow(".cks twice") << "old.cks/YOL.cks"
                                << "old.gec/YOL.gec";
  }
  void suggestedOutputName() {
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    const fs::path table = CopyExample(*dir_ / relative.toStdString());
    dialog_->DosyaKontrol(Q(table));
    dialog_->sBitBtn1->click();
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->suggestedOutputName(), Q(*dir_ / expected.toStdString()));
    QVERIFY(fs::exists(session_->folder() / "tmp.gec"));
  }

  void conversionErrorKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("good");
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("shown");
    // The box names the number as the report reads it (chainages without "+") and the report's own line.
    QTest::newRow("chainage") << "0+350.000"
                              << "0+35O.000"
                              << "'035O.000' is not a valid floating point value\nBAD.cks:7";
    QTest::newRow("coordinate") << "500000.000"
                                << "5OOOOO.OOO"
                                << "'5OOOOO.OOO' is not a valid floating point value\nBAD.cks:5";
    QTest::newRow("radius") << "R=300.000"
                            << "R=3OO.000"
                            << "'3OO.000' is not a valid floating point value\nBAD.cks:7";
    QTest::newRow("length") << "L=65.000"
                            << "L=65.0O0"
                            << "'65.0O0' is not a valid floating point value\nBAD.cks:11";
  }
  void conversionErrorKeepsTheDialogOpen() {
    QFETCH(QString, good);
    QFETCH(QString, bad);
    QFETCH(QString, shown);
    std::string bytes = velkor::test::ReadBytes(CopyExample(*dir_ / "BAD.cks"));
    const auto at = bytes.find(good.toStdString());
    QVERIFY(at != std::string::npos);
    bytes.replace(at, static_cast<std::size_t>(good.size()), bad.toStdString());
    velkor::test::WriteBytes(*dir_ / "BAD.cks", bytes);
    dialog_->DosyaKontrol(Q(*dir_ / "BAD.cks"));
    DialogScript script;
    script.AcknowledgeBox();
    dialog_->sBitBtn1->click();
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].text, shown);
    QVERIFY(dialog_->isVisible());
    QVERIFY(dialog_->result() != int(QDialog::Accepted));
  }
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"

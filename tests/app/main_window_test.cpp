// The main window: its menus through every state, the activation clean-up, About, the error box,
// the options' dialogs and a whole Open -> OK -> conversion -> Save round trip.
#include "app/main_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "app/error_box.h"
#include "app/import_dialog.h"
#include "app/model_reader_dialog.h"
#include "app/picture_view.h"
#include "app/slope_plan_dialog.h"
#include "app/xml_viewer.h"
#include "app_test_support.h"
#include "base/error.h"
#include "platform/platform.h"
#include "test_paths.h"
#include "test_support.h"
#include "velkor_version.h"

namespace fs = std::filesystem;
using velkor::app::TForm1;
using velkor::app::TFormCksGec;
using velkor::test::DialogScript;
using velkor::test::Q;

namespace {

fs::path ExampleElementTable() { return fs::path(velkor::test::kSourceDir) / "examples" / "GUZERGAH.cks"; }
fs::path Example(const char* name) { return fs::path(velkor::test::kSourceDir) / "examples" / name; }
fs::path ExampleSlopePlan() { return Example("SEVLI.ncz"); }

// A drawing dialog (model or slope plan) answered by pressing "NetCAD oku"; the file choice it then
// shows needs its own answer.
DialogScript::Answer PressRead() {
  return [](QDialog& dialog) {
    if (auto* model = dynamic_cast<velkor::app::TForm2*>(&dialog)) model->ReadBtn->click();
    if (auto* plan = dynamic_cast<velkor::app::TFNetcad*>(&dialog)) plan->ReadBtn->click();
    return dialog.result();
  };
}

// The import dialog answered as a user would: the element table chosen with the first button, options
// ticked, OK pressed. `afterOk` runs once the route file is written.
DialogScript::Answer ImportAndAccept(std::function<void(TFormCksGec&)> options = {}, std::function<void()> afterOk = {},
                                     bool withProfile = false) {
  return [=](QDialog& dialog) {
    auto& import = dynamic_cast<TFormCksGec&>(dialog);
    import.DosyaKontrol(Q(ExampleElementTable()));
    if (withProfile) import.sBitBtn4->click();
    if (options) options(import);
    import.sBitBtn1->click();
    if (afterOk) afterOk();
    return import.result();
  };
}

// Pixels of a widget's picture that are not its white background.
int DrawnPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) != qRgb(255, 255, 255);
  }
  return drawn;
}

// With VELKOR_SCREENSHOTS set to a folder, the window as it stands is saved there as `name`.png.
void KeepScreenshot(QWidget& window, const QString& name) {
  const QString folder = qEnvironmentVariable("VELKOR_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QApplication::processEvents();
  window.grab().save(folder + QStringLiteral("/") + name + QStringLiteral(".png"));
}

struct MenuState {
  bool open, save, search;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<velkor::test::ScratchSettings> settings_;
  std::unique_ptr<velkor::test::ScratchDir> work_;
  std::unique_ptr<TForm1> form_;

  QString WorkFolder() const { return QString::fromStdString(work_->workDir()); }
  // The folder of the window's conversion, made by Open inside the work folder.
  fs::path Conversion() const { return fs::path(form_->conversionFolder().toStdString()); }
  void ExpectMenus(MenuState main, MenuState popup) {
    QCOMPARE(form_->A1->isEnabled(), main.open);
    QCOMPARE(form_->Kaydet1->isEnabled(), main.save);
    QCOMPARE(form_->Search1->isEnabled(), main.search);
    QCOMPARE(form_->A2->isEnabled(), popup.open);
    QCOMPARE(form_->Kaydet2->isEnabled(), popup.save);
    QCOMPARE(form_->Search2->isEnabled(), popup.search);
    QVERIFY(form_->Hakknda1->isEnabled());
    QVERIFY(form_->k1->isEnabled());
  }

 private slots:
  void init() {
    settings_ = std::make_unique<velkor::test::ScratchSettings>();
    work_ = std::make_unique<velkor::test::ScratchDir>();
    form_ = std::make_unique<TForm1>(WorkFolder());
  }
  void cleanup() {
    form_.reset();
    work_.reset();
  }

  void startState() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("NetCAD > XML"));
    QCOMPARE(form_->menuBar()->actions().size(), 1);
    // The captions as shown; the "&" before a letter only underlines it as the item's Alt key.
    const auto shown = [](QString caption) { return caption.remove(QLatin1Char('&')); };
    QCOMPARE(shown(form_->Dosya1->title()), QStringLiteral("Dosya"));
    QStringList items;
    for (QAction* a : form_->Dosya1->actions()) items << (a->isSeparator() ? QStringLiteral("-") : shown(a->text()));
    QCOMPARE(items, (QStringList{"Aç", "-", "Kaydet", "-", "Ara", "-", "Hakkında", "-", "Çık"}));
    QStringList popup;
    for (QAction* a : form_->PopupMenu1->actions())
      popup << (a->isSeparator() ? QStringLiteral("-") : shown(a->text()));
    QCOMPARE(popup, (QStringList{"Aç", "-", "Kaydet", "-", "Ara"}));
    for (QAction* a : {form_->A1, form_->Kaydet1, form_->Search1, form_->Hakknda1, form_->k1})
      QVERIFY(!a->icon().isNull());
    ExpectMenus({true, false, false}, {true, false, true});
    QVERIFY(form_->ListBox1->isHidden());
    QCOMPARE(form_->sb1Panels[0]->width(), 250);
    QCOMPARE(form_->sb1Panels[1]->width(), 300);
    QCOMPARE(form_->sb1Panels[2]->width(), 50);
    QVERIFY(form_->ListBox1->isReadOnly());
    QCOMPARE(form_->sd1->defaultSuffix(), QStringLiteral("xml"));
    QCOMPARE(form_->sd1->nameFilters(), QStringList{"xml (*.xml)"});
    QCOMPARE(form_->sd1->windowTitle(), QStringLiteral("XML Dosya"));
    QVERIFY(form_->sd1->testOption(QFileDialog::DontConfirmOverwrite));
  }

  void activationRemovesLeftoverGsiOnly() {
    for (const char* name : {"aln.gsi", "crs.gsi", "prf.gsi", "tmp.gec"})
      velkor::test::WriteBytes(*work_ / name, "x\r\n");
    // The folder a crashed conversion left, and the one of a conversion running now (a batch run).
    fs::create_directory(*work_ / "run-crashed");
    for (const char* name : {"run.lock", "tmp.gec", "aln.gsi"})
      velkor::test::WriteBytes(*work_ / "run-crashed" / name, "x\r\n");
    const auto running = velkor::platform::CreateRunFolder(work_->path());
    velkor::test::WriteBytes(fs::path(running->path()) / "aln.gsi", "x\r\n");
    form_->show();
    for (const char* name : {"aln.gsi", "crs.gsi", "prf.gsi"}) QVERIFY2(!fs::exists(*work_ / name), name);
    QVERIFY(fs::exists(*work_ / "tmp.gec"));
    QVERIFY(!fs::exists(*work_ / "run-crashed"));
    QVERIFY(fs::exists(fs::path(running->path()) / "aln.gsi"));
    QVERIFY(!form_->sb1Panels[1]->text().isEmpty());
    // The project's one version, readable in its 50-pixel panel.
    QLabel* version = form_->sb1Panels[2];
    QCOMPARE(version->text(), QStringLiteral("v") + QString::fromUtf8(velkor::kVersion));
    QVERIFY(version->fontMetrics().horizontalAdvance(version->text()) < version->width());
    QVERIFY(form_->sb1Panels[0]->text().isEmpty());
  }

  void cancelledOpenChangesNothing() {
    DialogScript script;
    script.Cancel();
    form_->A1Click();
    QCOMPARE(script.titles(), QStringList{"Velkor"});
    ExpectMenus({true, false, false}, {true, false, true});
    QVERIFY(form_->ListBox1->isHidden());
  }

  void conversionShowsDocumentAndEnablesSaveAndSearch() {
    DialogScript script;
    script.Then(ImportAndAccept());
    form_->A1Click();
    QVERIFY(script.boxes().empty());
    ExpectMenus({false, true, true}, {false, true, true});
    QVERIFY(!form_->ListBox1->isHidden());
    QVERIFY(form_->ListBox1->text().startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>")));
    QVERIFY(form_->ListBox1->text().contains(QStringLiteral("<CoordGeom>")));
    // The save dialog proposes the element table's name with ".xml".
    QCOMPARE(form_->sd1->windowTitle(), QStringLiteral("XML"));
    QCOMPARE(form_->sd1->defaultSuffix(), QStringLiteral("xml"));
    QCOMPARE(form_->sd1->nameFilters(), QStringList{"XML (*.xml)"});
    QCOMPARE(form_->sd1->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("GUZERGAH.xml"));
    QCOMPARE(fs::path(form_->sd1->directory().absolutePath().toStdString()), ExampleElementTable().parent_path());
  }

  void failedConversionShowsErrorAndKeepsSaveDisabled() {
    fs::path gsi;
    DialogScript script;
    // The conversion's alignment file cannot be created: a folder stands where it goes.
    script.Then(ImportAndAccept({}, [&] { fs::create_directories((gsi = Conversion() / "aln.gsi") / "x"); }))
        .AcknowledgeBox();
    form_->A1Click();
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Critical);
    QCOMPARE(script.boxes()[0].text,
             QStringLiteral("Cannot create file ") + Q(gsi) + QStringLiteral("\nIs a directory"));
    ExpectMenus({false, false, false}, {false, false, false});
    QVERIFY(!form_->ListBox1->isHidden());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(form_->ListBox1->text().isEmpty());
    QVERIFY(form_->Hakknda1->isEnabled());
  }

  void errorBoxShowsPlaceUnderMessage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("file and line") << "ELEMAN.cks" << 214
                                   << "'12,5' is not a valid floating point value\nELEMAN.cks:214";
    QTest::newRow("no place") << "" << 0 << "'12,5' is not a valid floating point value";
  }
  void errorBoxShowsPlaceUnderMessage() {
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QString, expected);
    const velkor::Error error(velkor::NotAFloat("12,5"), file.toStdString(), line);
    QCOMPARE(velkor::app::ExceptionText(error), expected);
    // A report's own bytes (code page 1254) reach the box as the letters they are.
    const velkor::Error turkish(velkor::NotAFloat("G\xDDR\xDD\xDE"));
    QCOMPARE(velkor::app::ExceptionText(turkish), QStringLiteral("'GİRİŞ' is not a valid floating point value"));
  }

  void aboutBox() {
    DialogScript script;
    script.AcknowledgeBox();
    form_->Hakknda1Click();
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].title, QStringLiteral("Velkor"));
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Information);
    QVERIFY(script.boxes()[0]
                .text.split(QLatin1Char('\n'))
                .contains(QStringLiteral("NetCAD Güzergah XML dönüşüm programı.")));
  }

  void crossSectionChoiceCancelledGivesNoCrossSects() {
    QString filter;
    DialogScript script;
    script.Then(ImportAndAccept([](TFormCksGec& d) { d.cb1->setChecked(true); }));
    MenuState during{true, true, true};
    bool viewerShownEmpty = false;
    script.Then([&](QDialog& d) {
      auto& files = dynamic_cast<QFileDialog&>(d);
      filter = files.nameFilters().join(QLatin1Char('|'));
      during = {form_->A1->isEnabled() || form_->A2->isEnabled(),
                form_->Kaydet1->isEnabled() || form_->Kaydet2->isEnabled(),
                form_->Search1->isEnabled() || form_->Search2->isEnabled()};
      viewerShownEmpty = !form_->ListBox1->isHidden() && form_->ListBox1->text().isEmpty();
      return int(QDialog::Rejected);
    });
    form_->A1Click();
    QVERIFY(!during.open && !during.save && !during.search);
    QVERIFY(viewerShownEmpty);
    QVERIFY(QApplication::overrideCursor() == nullptr);  // the busy cursor is gone again
    QVERIFY(script.allAnswered());
    QCOMPARE(script.titles().value(1), QStringLiteral("Enkesit"));
    QCOMPARE(filter, QStringLiteral("Enkesit (*.kse *.ksp)"));
    QCOMPARE(form_->od1->defaultSuffix(), QString());
    QVERIFY(!form_->ListBox1->text().contains(QStringLiteral("CrossSects")));
    QVERIFY(!fs::exists(Conversion() / "crs.gsi"));
    ExpectMenus({false, true, true}, {false, true, true});
  }

  void modelDialogShownAndCancelled() {
    DialogScript script;
    script.Then(ImportAndAccept([](TFormCksGec& d) { d.cb2->setChecked(true); })).Cancel();
    form_->A1Click();
    QVERIFY(script.allAnswered());
    QCOMPARE(script.titles().value(1), QStringLiteral("NetCAD Model Oku"));
    QVERIFY(!form_->ListBox1->text().contains(QStringLiteral("<Surfaces>")));
  }

  void slopePlanReadIntoTheDocument() {
    if (!fs::exists(ExampleSlopePlan())) QSKIP("no example slope-plan drawing");
    DialogScript script;
    script.Then(ImportAndAccept([](TFormCksGec& d) { d.cb3->setChecked(true); }));
    script.Then([](QDialog& d) {
      auto& dialog = dynamic_cast<velkor::app::TFNetcad&>(d);
      dialog.ReadBtn->click();  // asks for the drawing
      return dialog.result();
    });
    script.ChooseFile(Q(ExampleSlopePlan()));
    form_->A1Click();
    QVERIFY(script.allAnswered());
    QCOMPARE(script.titles().value(1), QStringLiteral("Şevli Plan"));
    QVERIFY(!form_->FNetcad->plan().polylines.empty() || !form_->FNetcad->plan().axisPoints.empty());
    QVERIFY(form_->ListBox1->text().contains(QStringLiteral("<Alignment name=\"Ax\"")));
  }

  void modelReadIntoTheDocument() {
    if (!fs::exists(Example("MODEL.ncz"))) QSKIP("no example terrain drawing");
    DialogScript script;
    script.Then(ImportAndAccept([](TFormCksGec& d) { d.cb2->setChecked(true); }));
    script.Then([](QDialog& d) {
      auto& model = dynamic_cast<velkor::app::TForm2&>(d);
      model.ReadBtn->click();
      return model.result();
    });
    script.ChooseFile(Q(Example("MODEL.ncz")));
    form_->A1Click();
    QVERIFY(script.allAnswered());
    QCOMPARE(script.titles().value(1), QStringLiteral("NetCAD Model Oku"));
    QCOMPARE(form_->Form2->windowTitle(), QStringLiteral("Eşleştiriliyor %100"));
    QVERIFY(!form_->Form2->model().faces.empty());
    QVERIFY(form_->ListBox1->text().contains(QStringLiteral("<Surfaces>")));
    QVERIFY(form_->ListBox1->text().contains(QStringLiteral("<P id=\"1\">")));
  }

  void modelListsKeptWhenFileChoiceCancelled() {
    if (!fs::exists(Example("MODEL.ncz"))) QSKIP("no example terrain drawing");
    velkor::app::TForm2& model = *form_->Form2;
    DialogScript script;
    script.ChooseFile(Q(Example("MODEL.ncz"))).Cancel();
    model.ReadBtnClick();
    QCOMPARE(model.result(), int(QDialog::Accepted));
    const auto points = model.model().coordinates;
    const auto faces = model.model().faces;
    QVERIFY(!points.empty());
    model.setResult(0);
    model.ReadBtnClick();
    QCOMPARE(model.result(), int(QDialog::Accepted));
    QVERIFY(model.model().coordinates == points);
    QVERIFY(model.model().faces == faces);
  }

  void crossSectionsReadIntoTheDocument() {
    if (!fs::exists(Example("ENKESIT.kse"))) QSKIP("no example cross-section file");
    DialogScript script;
    script.Then(ImportAndAccept([](TFormCksGec& d) { d.cb1->setChecked(true); }));
    script.ChooseFile(Q(Example("ENKESIT.kse")));
    form_->A1Click();
    QVERIFY(script.allAnswered());
    QVERIFY(script.boxes().empty());
    QVERIFY(form_->ListBox1->text().contains(QStringLiteral("<CrossSects>")));
    QVERIFY(fs::exists(Conversion() / "crs.gsi"));
  }

  // After a conversion with a profile, a model and a slope plan: the four tabs in order, the XML in
  // front, pictures drawn, the summary counting what was converted.
  void reviewTabsAfterConversion() {
    for (const char* name : {"DUSEY.cks", "MODEL.ncz", "SEVLI.ncz"}) {
      if (!fs::exists(Example(name))) QSKIP("the examples are not complete");
    }
    DialogScript script;
    script.Then(ImportAndAccept(
        [](TFormCksGec& d) {
          d.cb2->setChecked(true);
          d.cb3->setChecked(true);
        },
        {}, true));
    script.ChooseFile(Q(Example("DUSEY.cks")));
    script.Then(PressRead()).ChooseFile(Q(Example("MODEL.ncz")));
    script.Then(PressRead()).ChooseFile(Q(Example("SEVLI.ncz")));
    form_->show();
    form_->A1Click();
    QVERIFY(script.boxes().empty());
    QCOMPARE(form_->Tabs->count(), 4);
    const QStringList titles = {"XML", "Plan", "Boykesit", "Özet"};
    for (int i = 0; i < 4; ++i) QCOMPARE(form_->Tabs->tabText(i), titles[i]);
    QCOMPARE(form_->Tabs->currentIndex(), 0);
    QVERIFY(!form_->PlanView->picture().empty);
    QVERIFY(!form_->PlanView->picture().triangles.empty());
    QVERIFY(!form_->ProfileView->picture().empty);
    for (int tab : {1, 2}) {
      form_->Tabs->setCurrentIndex(tab);
      QApplication::processEvents();
      QWidget& view = *form_->Tabs->currentWidget();
      QVERIFY2(DrawnPixels(view) > 500, qPrintable(form_->Tabs->tabText(tab)));
      KeepScreenshot(*form_, form_->Tabs->tabText(tab));
    }
    form_->Tabs->setCurrentIndex(0);
    KeepScreenshot(*form_, QStringLiteral("XML"));
    form_->Tabs->setCurrentIndex(3);
    KeepScreenshot(*form_, QStringLiteral("Ozet"));
    const QString summary = form_->SummaryView->toPlainText();
    QVERIFY2(summary.contains(QStringLiteral("Yatay güzergah: 11 eleman")), qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("Uyarı yok.")), qPrintable(summary));
  }

  // A decimal comma in one coordinate: the summary tab comes to the front with the count in its
  // title; Save still writes and ends the program.
  void warningsBringTheSummaryForward() {
    velkor::test::ScratchDir out;
    std::string table = velkor::test::ReadBytes(ExampleElementTable());
    const std::size_t at = table.find("500689.950");
    QVERIFY(at != std::string::npos);
    table[at + 6] = ',';
    const fs::path damaged = out / "BOZUK.cks";
    velkor::test::WriteBytes(damaged, table);
    DialogScript script;
    script.Then([&](QDialog& dialog) {
      auto& import = dynamic_cast<TFormCksGec&>(dialog);
      import.DosyaKontrol(Q(damaged));
      import.sBitBtn1->click();
      return import.result();
    });
    script.ChooseFile(Q(out / "B.xml"));
    form_->show();
    form_->A1Click();
    QVERIFY(script.boxes().empty());
    QCOMPARE(form_->Tabs->currentIndex(), 3);
    QVERIFY2(form_->Tabs->tabText(3).startsWith(QStringLiteral("Özet (")), qPrintable(form_->Tabs->tabText(3)));
    QVERIFY(form_->Tabs->tabText(3).endsWith(QStringLiteral(" uyarı)")));
    QVERIFY(form_->SummaryView->toPlainText().contains(QStringLiteral("BOZUK.cks:15: ")));
    KeepScreenshot(*form_, QStringLiteral("Ozet-uyari"));
    QVERIFY(form_->Kaydet1->isEnabled());
    form_->Kaydet1Click();
    QVERIFY(!form_->isVisible());
    QVERIFY(fs::exists(out / "B.xml"));
  }

  void roundTripWithEveryInput() {
    for (const char* name : {"DUSEY.cks", "ENKESIT.kse", "MODEL.ncz", "SEVLI.ncz"}) {
      if (!fs::exists(Example(name))) QSKIP("the examples are not complete");
    }
    velkor::test::ScratchDir out;
    const fs::path chosen = out / "GUZERGAH.xml";
    DialogScript script;
    script.Then(ImportAndAccept(
        [](TFormCksGec& d) {
          d.cb1->setChecked(true);
          d.cb2->setChecked(true);
          d.cb3->setChecked(true);
        },
        {}, true));
    script.ChooseFile(Q(Example("DUSEY.cks")));  // the second row's button, inside the import dialog
    script.ChooseFile(Q(Example("ENKESIT.kse")));
    script.Then(PressRead()).ChooseFile(Q(Example("MODEL.ncz")));
    script.Then(PressRead()).ChooseFile(Q(Example("SEVLI.ncz")));
    script.ChooseFile(Q(chosen));
    form_->show();
    form_->A1Click();
    const QString shown = form_->ListBox1->text();
    for (const char* block :
         {"<CoordGeom>", "<Profile name=\"1\">", "<CrossSects>", "<Surfaces>", "<Alignment name=\"Ax\""}) {
      QVERIFY2(shown.contains(QLatin1String(block)), block);
    }
    form_->Kaydet1Click();
    QVERIFY(script.allAnswered());
    QVERIFY(script.boxes().empty());
    QVERIFY(!form_->isVisible());
    QCOMPARE(QString::fromStdString(velkor::test::ReadBytes(chosen)), shown);
    for (const char* name : {"GUZERGAH.gec", "aln_1GUZERGAH.gsi", "prf_1GUZERGAH.gsi", "crs_1GUZERGAH.gsi"}) {
      QVERIFY2(fs::exists(out / name), name);
    }
    for (const char* name : {"aln.gsi", "prf.gsi", "crs.gsi"}) QVERIFY2(!fs::exists(Conversion() / name), name);
    // Kept for a comparison with what the program writes on the other system.
    if (const QString keep = qEnvironmentVariable("VELKOR_KEEP_ROUND_TRIP"); !keep.isEmpty()) {
      const fs::path kept(keep.toStdU16String());
      fs::remove_all(kept);
      fs::create_directories(kept);
      for (const auto& file : fs::directory_iterator(out.path()))
        fs::copy_file(file.path(), kept / file.path().filename());
    }
  }

  void saveCancelledKeepsProgramOpen() {
    DialogScript script;
    script.Then(ImportAndAccept()).Cancel();
    form_->show();
    form_->A1Click();
    form_->Kaydet1Click();
    QVERIFY(form_->isVisible());
    ExpectMenus({false, true, true}, {false, true, true});
  }

  void saveFailureShowsCannotCreateAndKeepsProgramOpen() {
    const fs::path target = *work_ / "missing-folder" / "YOL.xml";
    DialogScript script;
    script.Then(ImportAndAccept()).ChooseFile(Q(target)).AcknowledgeBox();
    form_->show();
    form_->A1Click();
    form_->Kaydet1Click();
    QCOMPARE(script.boxes().size(), size_t{1});
    QVERIFY2(script.boxes()[0].text.startsWith(QStringLiteral("Cannot create file ")),
             qPrintable(script.boxes()[0].text));
    QVERIFY(form_->isVisible());
  }

  void roundTripOpenConvertSave() {
    velkor::test::ScratchDir out;
    const fs::path chosen = out / "YOL.xml";
    DialogScript script;
    script.Then(ImportAndAccept()).ChooseFile(Q(chosen));
    form_->show();
    form_->A1Click();
    const QString shown = form_->ListBox1->text();
    form_->Kaydet1Click();
    QVERIFY(script.boxes().empty());
    QVERIFY(!form_->isVisible());
    QCOMPARE(QString::fromStdString(velkor::test::ReadBytes(chosen)), shown);
    QVERIFY(fs::exists(out / "YOL.gec"));
    QVERIFY(fs::exists(out / "aln_1YOL.gsi"));
    QVERIFY(!fs::exists(Conversion() / "aln.gsi"));
    // The conversion's folder goes with the window; the work folder itself stays.
    const fs::path conversion = Conversion();
    QVERIFY(fs::is_directory(conversion));
    form_.reset();
    QVERIFY(!fs::exists(conversion));
    QVERIFY(fs::is_directory(work_->path()));
  }

  // Saving over the element table the conversion read (here under the name the user picks) is
  // refused: the table stays, nothing is written, the program stays open for another name.
  void saveOverAnInputIsRefused() {
    velkor::test::ScratchDir out;
    const fs::path table = out / "YOL.xml";
    fs::copy_file(ExampleElementTable(), table);
    DialogScript script;
    script.Then([&](QDialog& dialog) {
      auto& import = dynamic_cast<TFormCksGec&>(dialog);
      import.DosyaKontrol(Q(table));
      import.sBitBtn1->click();
      return import.result();
    });
    script.ChooseFile(Q(table)).AcknowledgeBox();
    form_->show();
    form_->A1Click();
    form_->Kaydet1Click();
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].text,
             QStringLiteral("Cannot write %1: it is the input file %1; nothing was written").arg(Q(table)));
    QCOMPARE(velkor::test::ReadBytes(table), velkor::test::ReadBytes(ExampleElementTable()));
    QVERIFY(!fs::exists(out / "YOL.gec"));
    QVERIFY(form_->isVisible());
    QVERIFY(form_->Kaydet1->isEnabled());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

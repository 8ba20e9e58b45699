// A day's work in the main window: the keys reach the commands only through their menu items, F3
// searches again, the file choices follow the project, what is remembered between runs, and a window
// that keeps repainting while a conversion runs and will not close under it.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "app/import_dialog.h"
#include "app/main_window.h"
#include "app/model_reader_dialog.h"
#include "app/search_dialog.h"
#include "app/slope_plan_dialog.h"
#include "app/user_settings.h"
#include "app/xml_viewer.h"
#include "app_test_support.h"
#include "test_paths.h"
#include "test_support.h"

namespace fs = std::filesystem;
using velkor::app::TForm1;
using velkor::app::TFormCksGec;
using velkor::test::DialogScript;
using velkor::test::Q;

namespace {

fs::path Example(const char* name) { return fs::path(velkor::test::kSourceDir) / "examples" / name; }

// The import dialog answered with `table`, the given options ticked, OK pressed.
DialogScript::Answer Import(const fs::path& table, std::function<void(TFormCksGec&)> options = {}) {
  return [=](QDialog& dialog) {
    auto& import = dynamic_cast<TFormCksGec&>(dialog);
    import.DosyaKontrol(Q(table));
    if (options) options(import);
    import.sBitBtn1->click();
    return import.result();
  };
}

// The search dialog answered with `text`, everything else as it opens.
DialogScript::Answer Search(const QString& text) {
  return [=](QDialog& dialog) {
    auto& search = dynamic_cast<velkor::app::TTextSearchDialog&>(dialog);
    search.cbSearchText->setEditText(text);
    search.btnOK->click();
    return search.result();
  };
}

}  // namespace

class DayWorkTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<velkor::test::ScratchSettings> settings_;
  std::unique_ptr<velkor::test::ScratchDir> work_;
  std::unique_ptr<TForm1> form_;
  int beeps_ = 0;
  std::unique_ptr<velkor::app::ScopedBeepHandler> beepGuard_;

  void NewWindow() {
    form_ = std::make_unique<TForm1>(QString::fromStdString(work_->workDir()));
    form_->show();
    Activate();
  }
  // Without a window manager nothing hands the activation back when a dialog closes.
  void Activate() {
    QApplication::setActiveWindow(form_.get());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void Key(QKeyCombination key) { QTest::keySequence(form_.get(), QKeySequence(key)); }
  QString Selected() const { return form_->ListBox1->selectedText(); }
  long SelectionStart() const { return form_->ListBox1->SelectionStartPosition(); }

 private slots:
  void init() {
    settings_ = std::make_unique<velkor::test::ScratchSettings>();
    work_ = std::make_unique<velkor::test::ScratchDir>();
    beeps_ = 0;
    beepGuard_ = std::make_unique<velkor::app::ScopedBeepHandler>([this] { ++beeps_; });
    NewWindow();
  }
  void cleanup() {
    form_.reset();
    beepGuard_.reset();
    work_.reset();
    settings_.reset();
  }

  // Each key does what its item does while the item is enabled, and nothing at all otherwise.
  void keysFollowTheirItems() {
    QCOMPARE(form_->A1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(form_->Kaydet1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(form_->Search1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    {
      // Before a conversion: Save, Search and search-again are disabled, Open is not.
      DialogScript script;
      script.Cancel();
      for (QKeyCombination key : {Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_F, QKeyCombination(Qt::Key_F3),
                                  Qt::SHIFT | Qt::Key_F3, Qt::CTRL | Qt::Key_O}) {
        Key(key);
      }
      QCOMPARE(script.titles(), QStringList{"Velkor"});  // the import dialog, from Ctrl+O only
      QCOMPARE(script.unexpected(), 0);
    }
    {
      DialogScript script;
      script.Then(Import(Example("GUZERGAH.cks")));
      Key(Qt::CTRL | Qt::Key_O);
      QVERIFY(script.allAnswered());
      QVERIFY(form_->Kaydet1->isEnabled());
      Activate();
    }
    {
      // After it: Open is disabled for good; Search and Save answer their keys.
      DialogScript script;
      script.Cancel().Cancel();
      Key(Qt::CTRL | Qt::Key_O);
      Key(Qt::CTRL | Qt::Key_F);
      Activate();
      Key(Qt::CTRL | Qt::Key_S);
      QCOMPARE(script.titles(), (QStringList{"Search Text", "XML"}));
      QVERIFY(form_->isVisible());
    }
  }

  // The Alt letters open the menu and choose its items.
  void altLettersOpenTheMenu() {
    DialogScript script;
    script.AcknowledgeBox();
    QTest::keyClick(form_.get(), Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(form_->Dosya1->isVisible());
    QTest::keyClick(form_->Dosya1, Qt::Key_H);  // "&Hakkında"
    QTRY_COMPARE(script.titles(), QStringList{"Velkor"});
    for (QAction* item : {form_->A1, form_->Kaydet1, form_->Search1, form_->Hakknda1, form_->k1}) {
      QVERIFY2(item->text().count(QLatin1Char('&')) == 1, qPrintable(item->text()));
    }
  }

  // F3 goes on from the caret with the last search's settings, Shift+F3 goes back; past the last
  // occurrence it beeps, leaving the caret where the last occurrence ended.
  void searchAgainFromTheCaret() {
    DialogScript script;
    script.Then(Import(Example("GUZERGAH.cks"))).Then(Search(QStringLiteral("CoordGeom")));
    Key(Qt::CTRL | Qt::Key_O);
    Activate();
    Key(Qt::CTRL | Qt::Key_F);
    Activate();
    QVERIFY(script.allAnswered());
    QCOMPARE(Selected(), QStringLiteral("CoordGeom"));
    const long first = SelectionStart();
    Key(Qt::Key_F3);
    const long second = SelectionStart();
    QCOMPARE(Selected(), QStringLiteral("CoordGeom"));
    QVERIFY(second > first);
    QVERIFY(form_->ListBox1->text().mid(int(second) - 2, 2) == QStringLiteral("</"));
    Key(Qt::Key_F3);
    QCOMPARE(beeps_, 1);
    QCOMPARE(Selected(), QString());
    Key(Qt::SHIFT | Qt::Key_F3);
    QCOMPARE(SelectionStart(), second);
    Key(Qt::SHIFT | Qt::Key_F3);
    QCOMPARE(SelectionStart(), first);
    QCOMPARE(beeps_, 1);
    // The settings F3 used stay the dialog's: forward, from the start, as they were chosen.
    QVERIFY(!form_->searchSettings().backwards);
    QVERIFY(!form_->searchSettings().fromCaret);
    QCOMPARE(script.unexpected(), 0);
  }

  // The cross-section, model and slope-plan choices open in the element table's folder, wherever
  // the program was started; the next run's first choice opens where this run's reports were.
  void fileChoicesFollowTheProject() {
    velkor::test::ScratchDir project;
    const fs::path table = project / "YOL.cks";
    fs::copy_file(Example("GUZERGAH.cks"), table);
    const QString folder = QDir(Q(project.path())).absolutePath();
    QStringList opened;
    const auto noteFolder = [&](QFileDialog& files) { opened << QDir(files.directory()).absolutePath(); };
    DialogScript script;
    script.Then(Import(table, [](TFormCksGec& d) {
      d.cb1->setChecked(true);
      d.cb2->setChecked(true);
      d.cb3->setChecked(true);
    }));
    script.Then([&](QDialog& d) {
      noteFolder(dynamic_cast<QFileDialog&>(d));
      return int(QDialog::Rejected);
    });
    script.Then([&](QDialog& d) {
      noteFolder(*dynamic_cast<velkor::app::TForm2&>(d).OpenDialog1);
      return int(QDialog::Rejected);
    });
    script.Then([&](QDialog& d) {
      noteFolder(*dynamic_cast<velkor::app::TFNetcad&>(d).OpenDialog1);
      return int(QDialog::Rejected);
    });
    form_->A1Click();
    QVERIFY(script.allAnswered());
    QCOMPARE(opened, (QStringList{folder, folder, folder}));
    QCOMPARE(velkor::app::LastReportFolder(), folder);

    // The next run.
    form_.reset();
    NewWindow();
    QCOMPARE(QDir(form_->FormCksGec->od1->directory()).absolutePath(), folder);
    // A remembered folder that has gone is forgotten rather than opened. (The windows go first: on
    // Windows a folder a file dialog still watches is only marked for removal.)
    form_.reset();
    fs::remove_all(project.path());
    QCOMPARE(velkor::app::LastReportFolder(), QString());
  }

  // Save remembers its folder; the window comes back at the size and place it was closed with.
  void saveFolderAndWindowRemembered() {
    velkor::test::ScratchDir out;
    DialogScript script;
    script.Then(Import(Example("GUZERGAH.cks"))).ChooseFile(Q(out / "YOL.xml"));
    form_->A1Click();
    form_->resize(1011, 707);
    form_->move(40, 30);
    const QPoint at = form_->pos();
    const QSize size = form_->size();
    form_->Kaydet1Click();
    QVERIFY(script.allAnswered());
    QVERIFY(!form_->isVisible());
    QCOMPARE(velkor::app::LastSaveFolder(), QDir(Q(out.path())).absolutePath());
    form_.reset();
    NewWindow();
    QCOMPARE(form_->size(), size);
    QCOMPARE(form_->pos(), at);
  }

  // The conversion runs while the window's event loop turns (timers fire, paints happen); a close
  // asked for meanwhile is refused, and the window closes normally afterwards.
  void conversionKeepsTheWindowAliveAndOpen() {
    if (!fs::exists(Example("MODEL.ncz"))) QSKIP("no example terrain drawing");
    bool ticked = false;
    bool closedWhileBusy = true;
    QStringList captions;
    DialogScript script;
    script.Then(Import(Example("GUZERGAH.cks"), [](TFormCksGec& d) { d.cb2->setChecked(true); }));
    script.Then([&](QDialog& d) {
      auto& model = dynamic_cast<velkor::app::TForm2&>(d);
      QTimer::singleShot(0, form_.get(), [&] {
        ticked = true;
        closedWhileBusy = form_->close();
      });
      connect(&model, &QWidget::windowTitleChanged, &model, [&](const QString& title) { captions << title; });
      model.ReadBtn->click();
      return model.result();
    });
    script.ChooseFile(Q(Example("MODEL.ncz")));
    form_->A1Click();
    QVERIFY(script.allAnswered());
    QVERIFY(ticked);
    QVERIFY(!closedWhileBusy);
    QVERIFY(form_->isVisible());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // Every matching caption came, in order, the last one before the dialog closed.
    QVERIFY(!captions.isEmpty());
    QCOMPARE(captions.last(), QStringLiteral("Eşleştiriliyor %100"));
    for (int i = 1; i < captions.size(); ++i) {
      QVERIFY(captions[i].mid(15).toInt() >= captions[i - 1].mid(15).toInt());
    }
    QVERIFY(form_->ListBox1->text().contains(QStringLiteral("<Surfaces>")));
    QVERIFY(form_->close());
  }

  // A document too large to colour is built on another thread and arrives whole, caret at its start,
  // searchable; a small one after it is coloured again.
  void largeDocumentThenSmallOne() {
    std::string document = "<?xml version=\"1.0\"?>\r\n<LandXML>\r\n";
    for (int i = 0; document.size() <= velkor::app::XmlViewer::kHighlightLimit; ++i) {
      document += "\t<P id=\"" + std::to_string(i) + "\">4500000.000 400000.000 100.000</P>\r\n";
    }
    document += "</LandXML>\r\n";
    velkor::app::XmlViewer& viewer = *form_->ListBox1;
    viewer.show();
    for (int round = 0; round < 2; ++round) {
      viewer.LoadDocument(document);
      QCOMPARE(viewer.SendScintilla(QsciScintilla::SCI_GETLENGTH), long(document.size()));
      QCOMPARE(viewer.text(viewer.lines() - 2), QStringLiteral("</LandXML>\r\n"));
      QCOMPARE(viewer.CaretPosition(), 0L);
      QVERIFY(viewer.isReadOnly());
      QVERIFY(viewer.lexer() == nullptr);
      QVERIFY(viewer.Find(QStringLiteral("</LandXML>"), {}));
      QCOMPARE(viewer.SelectionStartPosition(), long(document.size() - 12));
      QTest::qWait(10);  // painted
    }
    viewer.LoadDocument("<LandXML>\r\n</LandXML>\r\n");
    QCOMPARE(viewer.text(), QStringLiteral("<LandXML>\r\n</LandXML>\r\n"));
    QVERIFY(viewer.lexer() != nullptr);
    // Coloured too: the large one's document had no room for colours, so this one has its own.
    viewer.SendScintilla(QsciScintilla::SCI_COLOURISE, 0UL, -1L);
    QVERIFY(viewer.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, 1UL) != 0);
    QVERIFY(viewer.isReadOnly());
    QCOMPARE(viewer.SendScintilla(QsciScintilla::SCI_GETCODEPAGE), long(QsciScintilla::SC_CP_UTF8));
  }
};

QTEST_MAIN(DayWorkTest)
#include "day_work_test.moc"

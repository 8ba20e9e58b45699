// The search command: the dialog's remembered settings and history, and what the viewer selects.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/search_dialog.h"
#include "app/xml_viewer.h"
#include "app_test_support.h"
#include "test_support.h"

using velkor::app::TForm1;
using velkor::app::TTextSearchDialog;
using velkor::test::DialogScript;

namespace {

const char* const kDocument =
    "<?xml version=\"1.0\"?>\n"     // 0..21
    "<LandXML>\n"                   // 22..31
    "  <Alignment name=\"Ax\"/>\n"  // 32..
    "  <Alignment name=\"ax2\"/>\n"
    "</LandXML>\n";

struct DialogState {
  QString text;
  QStringList history;
  bool backward = false;
  bool caseSensitive = false, wholeWords = false, fromCaret = false, selectedOnly = false, regex = false;
};

DialogState Read(TTextSearchDialog& d) {
  DialogState s;
  s.text = d.cbSearchText->currentText();
  for (int i = 0; i < d.cbSearchText->count(); ++i) s.history << d.cbSearchText->itemText(i);
  s.backward = d.rbBackward->isChecked();
  s.caseSensitive = d.cbSearchCaseSensitive->isChecked();
  s.wholeWords = d.cbSearchWholeWords->isChecked();
  s.fromCaret = d.cbSearchFromCursor->isChecked();
  s.selectedOnly = d.cbSearchSelectedOnly->isChecked();
  s.regex = d.cbRegularExpression->isChecked();
  return s;
}

// One answer to the search dialog: note what it opened with, type the text, set options, press OK.
DialogScript::Answer Search(const QString& text, DialogState* opened = nullptr,
                            std::function<void(TTextSearchDialog&)> options = {}) {
  return [=](QDialog& dialog) {
    auto& search = dynamic_cast<TTextSearchDialog&>(dialog);
    if (opened) *opened = Read(search);
    search.cbSearchText->setEditText(text);
    if (options) options(search);
    search.btnOK->click();
    return search.result();
  };
}

}  // namespace

class SearchTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<velkor::test::ScratchSettings> settings_;
  std::unique_ptr<velkor::test::ScratchDir> work_;
  std::unique_ptr<TForm1> form_;
  int beeps_ = 0;
  std::unique_ptr<velkor::app::ScopedBeepHandler> beepGuard_;

  void RunSearch() { form_->Search1Click(); }
  long SelStart() const { return form_->ListBox1->SelectionStartPosition(); }
  long SelEnd() const { return form_->ListBox1->SelectionEndPosition(); }
  long Caret() const { return form_->ListBox1->CaretPosition(); }
  long Offset(const char* what, int nth = 1) const {
    std::string doc(kDocument);
    size_t at = std::string::npos;
    for (int i = 0; i < nth; ++i) at = doc.find(what, at == std::string::npos ? 0 : at + 1);
    return static_cast<long>(at);
  }

 private slots:
  void init() {
    settings_ = std::make_unique<velkor::test::ScratchSettings>();
    work_ = std::make_unique<velkor::test::ScratchDir>();
    form_ = std::make_unique<TForm1>(QString::fromStdString(work_->workDir()));
    form_->ListBox1->LoadDocument(kDocument);
    beeps_ = 0;
    beepGuard_ = std::make_unique<velkor::app::ScopedBeepHandler>([this] { ++beeps_; });
  }
  void cleanup() {
    beepGuard_.reset();
    form_.reset();
    work_.reset();
  }

  void firstUseOpensEmptyAndForward() {
    DialogState opened;
    DialogScript script;
    script.Then(Search(QString(), &opened));
    RunSearch();
    QCOMPARE(opened.text, QString());
    QVERIFY(opened.history.isEmpty());
    QVERIFY(!opened.backward);
    QVERIFY(!opened.caseSensitive && !opened.wholeWords && !opened.fromCaret && !opened.selectedOnly && !opened.regex);
  }

  void dialogLooksAsSpecified() {
    TTextSearchDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Search Text"));
    QCOMPARE(dialog.size(), QSize(332, 180));
    QCOMPARE(dialog.gbSearchOptions->title(), QStringLiteral("Options"));
    QCOMPARE(dialog.rgSearchDirection->title(), QStringLiteral("Direction"));
    QCOMPARE(dialog.rbForward->text(), QStringLiteral("&Forward"));
    QCOMPARE(dialog.rbBackward->text(), QStringLiteral("&Backward"));
    QCOMPARE(dialog.cbSearchCaseSensitive->text(), QStringLiteral("C&ase sensitivity"));
    QCOMPARE(dialog.cbSearchWholeWords->text(), QStringLiteral("&Whole words only"));
    QCOMPARE(dialog.cbSearchFromCursor->text(), QStringLiteral("Search from &caret"));
    QCOMPARE(dialog.cbSearchSelectedOnly->text(), QStringLiteral("&Selected text only"));
    QCOMPARE(dialog.cbRegularExpression->text(), QStringLiteral("&Regular expression"));
    QVERIFY(dialog.btnOK->isDefault());
  }

  void laterUseOpensWithPreviousChoicesButNotRegex() {
    DialogState opened;
    DialogScript script;
    script.Then(Search(QStringLiteral("Alignment"), nullptr, [](TTextSearchDialog& d) {
      d.rbBackward->setChecked(true);
      d.cbSearchCaseSensitive->setChecked(true);
      d.cbSearchWholeWords->setChecked(true);
      d.cbRegularExpression->setChecked(true);
    }));
    script.Then([&](QDialog& d) {
      opened = Read(dynamic_cast<TTextSearchDialog&>(d));
      return int(QDialog::Rejected);
    });
    RunSearch();
    QVERIFY(form_->searchSettings().regularExpression);
    RunSearch();
    QCOMPARE(opened.text, QStringLiteral("Alignment"));
    QCOMPARE(opened.history, QStringList{QStringLiteral("Alignment")});
    QVERIFY(opened.backward && opened.caseSensitive && opened.wholeWords);
    QVERIFY(!opened.regex);
  }

  void cancelKeepsSettingsAndSearchesNothing() {
    DialogScript script;
    script.Then(Search(QStringLiteral("LandXML")));
    script.Then([](QDialog& d) {
      auto& search = dynamic_cast<TTextSearchDialog&>(d);
      search.cbSearchText->setEditText(QStringLiteral("other"));
      search.btnCancel->click();
      return search.result();
    });
    RunSearch();
    const long start = SelStart();
    RunSearch();
    QCOMPARE(form_->searchSettings().searchText, QStringLiteral("LandXML"));
    QCOMPARE(SelStart(), start);
  }

  void historyNewestFirstCappedAtTen() {
    DialogScript script;
    for (int i = 1; i <= 11; ++i) script.Then(Search(QStringLiteral("text%1").arg(i)));
    DialogState opened;
    script.Then([&](QDialog& d) {
      opened = Read(dynamic_cast<TTextSearchDialog&>(d));
      return int(QDialog::Rejected);
    });
    for (int i = 0; i < 12; ++i) RunSearch();
    QStringList expected;
    for (int i = 11; i >= 2; --i) expected << QStringLiteral("text%1").arg(i);
    QCOMPARE(opened.history, expected);
    QCOMPARE(form_->searchSettings().history, expected.join(QStringLiteral("\r\n")));
  }

  void duplicateInAnotherCaseMovesToTop() {
    DialogScript script;
    script.Then(Search(QStringLiteral("alpha")))
        .Then(Search(QStringLiteral("beta")))
        .Then(Search(QStringLiteral("ALPHA")));
    for (int i = 0; i < 3; ++i) RunSearch();
    QCOMPARE(form_->searchSettings().history, QStringLiteral("ALPHA\r\nbeta"));
    QCOMPARE(form_->searchSettings().searchText, QStringLiteral("ALPHA"));
  }

  void emptyTextStoresChoicesAndSearchesNothing() {
    form_->ListBox1->SetSelectionPositions(3, 7);
    DialogScript script;
    script.Then(Search(QString(), nullptr, [](TTextSearchDialog& d) { d.cbSearchWholeWords->setChecked(true); }));
    RunSearch();
    QVERIFY(form_->searchSettings().wholeWords);
    QCOMPARE(SelStart(), 3L);
    QCOMPARE(SelEnd(), 7L);
    QCOMPARE(beeps_, 0);
    QVERIFY(form_->searchSettings().history.isEmpty());
  }

  void forwardAndBackwardMatches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<int>("expectedNth");  // which occurrence of the text is selected (1-based)
    QTest::newRow("forward from the start") << "Alignment" << false << false << false << 1;
    QTest::newRow("backward from the end") << "Alignment" << true << false << false << 2;
    QTest::newRow("case sensitive skips Ax") << "ax" << false << true << false << 1;
    QTest::newRow("case insensitive takes Ax") << "AX" << false << false << false << 1;
    QTest::newRow("whole word skips ax2") << "ax" << true << false << true << 1;
  }
  void forwardAndBackwardMatches() {
    QFETCH(QString, text);
    QFETCH(bool, backward);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, wholeWords);
    QFETCH(int, expectedNth);
    DialogScript script;
    script.Then(Search(text, nullptr, [=](TTextSearchDialog& d) {
      d.rbBackward->setChecked(backward);
      d.cbSearchCaseSensitive->setChecked(caseSensitive);
      d.cbSearchWholeWords->setChecked(wholeWords);
    }));
    RunSearch();
    // Case-insensitive offsets: find in a lower-cased copy.
    std::string lower(kDocument);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string needle = text.toLower().toStdString();
    size_t at = std::string::npos;
    if (caseSensitive) {
      at = std::string(kDocument).find(text.toStdString());
    } else {
      at = lower.find(needle);
      for (int i = 1; i < expectedNth; ++i) at = lower.find(needle, at + 1);
    }
    QCOMPARE(SelStart(), static_cast<long>(at));
    QCOMPARE(SelEnd(), static_cast<long>(at + needle.size()));
    QCOMPARE(Caret(), backward ? static_cast<long>(at) : static_cast<long>(at + needle.size()));
    QCOMPARE(beeps_, 0);
  }

  void notFoundBeepsAndCollapsesSelection_data() {
    QTest::addColumn<bool>("backward");
    QTest::addColumn<long>("expected");
    QTest::newRow("forward: to the end") << false << 12L;
    QTest::newRow("backward: to the beginning") << true << 5L;
  }
  void notFoundBeepsAndCollapsesSelection() {
    QFETCH(bool, backward);
    QFETCH(long, expected);
    form_->ListBox1->SetSelectionPositions(5, 12);
    DialogScript script;
    script.Then(
        Search(QStringLiteral("nowhere"), nullptr, [=](TTextSearchDialog& d) { d.rbBackward->setChecked(backward); }));
    RunSearch();
    QCOMPARE(beeps_, 1);
    QVERIFY(script.boxes().empty());
    QCOMPARE(script.titles().size(), 1);  // only the search dialog itself
    QCOMPARE(SelStart(), expected);
    QCOMPARE(SelEnd(), expected);
    QCOMPARE(Caret(), expected);
  }

  void fromCaretClearedFindsFirstMatchAboveCaret() {
    const long end = static_cast<long>(std::strlen(kDocument));
    form_->ListBox1->SetSelectionPositions(end, end);
    DialogScript script;
    script.Then(Search(QStringLiteral("LandXML")));
    RunSearch();
    QCOMPARE(SelStart(), Offset("LandXML"));
  }

  void fromCaretSearchesOnFromTheCaret() {
    const long afterFirst = Offset("Alignment") + 1;
    form_->ListBox1->SetSelectionPositions(afterFirst, afterFirst);
    DialogScript script;
    script.Then(Search(QStringLiteral("Alignment"), nullptr,
                       [](TTextSearchDialog& d) { d.cbSearchFromCursor->setChecked(true); }));
    RunSearch();
    QCOMPARE(SelStart(), Offset("Alignment", 2));
  }

  void selectedOnlySearchesInsideTheSelection() {
    const long second = Offset("Alignment", 2);
    form_->ListBox1->SetSelectionPositions(second - 3, second + 20);
    DialogScript script;
    script.Then(Search(QStringLiteral("Alignment"), nullptr,
                       [](TTextSearchDialog& d) { d.cbSearchSelectedOnly->setChecked(true); }));
    RunSearch();
    QCOMPARE(SelStart(), second);
  }

  void regularExpressionChangesNothing() {
    DialogScript script;
    script.Then(Search(QStringLiteral("Align.*"), nullptr,
                       [](TTextSearchDialog& d) { d.cbRegularExpression->setChecked(true); }));
    RunSearch();
    QCOMPARE(beeps_, 1);  // taken literally: "Align.*" is nowhere in the document
  }
};

QTEST_MAIN(SearchTest)
#include "search_test.moc"

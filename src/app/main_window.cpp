// The main window and its commands. The conversion itself and the writing of the outputs are the
// core's; this window runs them and shows what they produced or why they failed.
#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "app/busy_work.h"
#include "app/error_box.h"
#include "app/import_dialog.h"
#include "app/modal_seam.h"
#include "app/model_reader_dialog.h"
#include "app/paths.h"
#include "app/picture_view.h"
#include "app/pictures.h"
#include "app/slope_plan_dialog.h"
#include "app/user_settings.h"
#include "app/xml_viewer.h"
#include "platform/platform.h"
#include "review/conversion_summary.h"
#include "review/plausibility.h"
#include "review/preview_pictures.h"
#include "velkor_version.h"

namespace velkor::app {

namespace {
// Menu icons are drawn 24 pixels wide.
class MenuIconStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SmallIconSize && qobject_cast<const QMenu*>(widget)) return 24;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// The busy cursor for the whole application while a conversion or a save runs, however it ends; the
// window refuses to close meanwhile (the work would be left half done).
class BusyCursor {
 public:
  explicit BusyCursor(bool& busy) : busy_(busy) {
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~BusyCursor() {
    QApplication::restoreOverrideCursor();
    busy_ = false;
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool& busy_;
};

// The conversion runs away from the windows; the questions it asks are put on the windows' thread.
class QuestionsFromWork : public ConversionQuestions {
 public:
  explicit QuestionsFromWork(ConversionQuestions& asked) : asked_(asked) {}
  std::optional<std::filesystem::path> ChooseCrossSectionFile() override {
    return OnWindowThread([this] { return asked_.ChooseCrossSectionFile(); });
  }
  const TerrainModel* ReadTerrainModel() override {
    return OnWindowThread([this] { return asked_.ReadTerrainModel(); });
  }
  const SlopePlan* ReadSlopePlan() override {
    return OnWindowThread([this] { return asked_.ReadSlopePlan(); });
  }
  std::vector<std::filesystem::path> DrawingsRead() const override {
    return OnWindowThread([this] { return asked_.DrawingsRead(); });
  }

 private:
  ConversionQuestions& asked_;
};

// Keeps the arrow over a dialog that the busy conversion shows.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowWhileAsking() { QApplication::restoreOverrideCursor(); }
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;
};
}  // namespace

// The client area: a silver gradient with the picture centred on it, covered by the viewer once shown.
class TForm1::Background : public QWidget {
 public:
  explicit Background(QWidget* parent) : QWidget(parent), picture_(BackgroundPicture()) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QLinearGradient gradient(rect().topLeft(), rect().bottomLeft());
    gradient.setColorAt(0, QColor(250, 250, 252));
    gradient.setColorAt(1, QColor(192, 192, 192));
    p.fillRect(rect(), gradient);
    p.setPen(QColor(192, 192, 192));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
  }

 private:
  QPixmap picture_;
};

TForm1::TForm1(const QString& workFolder, QWidget* parent) : QMainWindow(parent), workFolder_(workFolder) {
  setWindowTitle(QStringLiteral("NetCAD > XML"));
  setWindowIcon(ProgramIcon());
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

  // The "&" marks each caption's Alt key; the captions read as they always did.
  Dosya1 = menuBar()->addMenu(QStringLiteral("&Dosya"));
  A1 = Dosya1->addAction(MenuIcon(0), QStringLiteral("&Aç"));
  Dosya1->addSeparator();
  Kaydet1 = Dosya1->addAction(MenuIcon(1), QStringLiteral("&Kaydet"));
  Dosya1->addSeparator();
  Search1 = Dosya1->addAction(MenuIcon(6), QStringLiteral("A&ra"));
  Dosya1->addSeparator();
  Hakknda1 = Dosya1->addAction(MenuIcon(3), QStringLiteral("&Hakkında"));
  Dosya1->addSeparator();
  k1 = Dosya1->addAction(MenuIcon(5), QStringLiteral("Çı&k"));
  // The keys live on the main menu's items only: the same key on two items would trigger neither.
  A1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  Kaydet1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  Search1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  Kaydet1->setEnabled(false);
  Search1->setEnabled(false);

  auto* menuStyle = new MenuIconStyle;
  menuStyle->setParent(this);
  Dosya1->setStyle(menuStyle);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setStyle(menuStyle);
  A2 = PopupMenu1->addAction(MenuIcon(0), QStringLiteral("&Aç"));
  PopupMenu1->addSeparator();
  Kaydet2 = PopupMenu1->addAction(MenuIcon(1), QStringLiteral("&Kaydet"));
  PopupMenu1->addSeparator();
  Search2 = PopupMenu1->addAction(MenuIcon(6), QStringLiteral("A&ra"));
  Kaydet2->setEnabled(false);

  // F3 and Shift+F3 search again with the last settings, from the caret; no menu item of their own.
  SearchNext = new QAction(this);
  SearchNext->setShortcut(QKeySequence(Qt::Key_F3));
  SearchPrevious = new QAction(this);
  SearchPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  for (QAction* again : {SearchNext, SearchPrevious}) {
    again->setEnabled(false);
    addAction(again);
  }
  connect(SearchNext, &QAction::triggered, this, [this] { SearchAgain(false); });
  connect(SearchPrevious, &QAction::triggered, this, [this] { SearchAgain(true); });

  for (QAction* open : {A1, A2}) connect(open, &QAction::triggered, this, &TForm1::A1Click);
  for (QAction* save : {Kaydet1, Kaydet2}) connect(save, &QAction::triggered, this, &TForm1::Kaydet1Click);
  for (QAction* search : {Search1, Search2}) connect(search, &QAction::triggered, this, &TForm1::Search1Click);
  connect(Hakknda1, &QAction::triggered, this, &TForm1::Hakknda1Click);
  connect(k1, &QAction::triggered, this, &TForm1::k1Click);

  background_ = new Background(this);
  auto* layout = new QVBoxLayout(background_);
  layout->setContentsMargins(0, 0, 0, 0);
  Tabs = new QTabWidget(background_);
  Tabs->setDocumentMode(true);
  // The viewer sits on a page of its own, so that turning to another tab does not hide it.
  auto* xmlPage = new QWidget(Tabs);
  auto* xmlLayout = new QVBoxLayout(xmlPage);
  xmlLayout->setContentsMargins(0, 0, 0, 0);
  ListBox1 = new XmlViewer(xmlPage);
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListBox1->mapToGlobal(at)); });
  xmlLayout->addWidget(ListBox1);
  ListBox1->hide();
  PlanView = new PictureView(Tabs);
  ProfileView = new PictureView(Tabs);
  SummaryView = new QPlainTextEdit(Tabs);
  SummaryView->setReadOnly(true);
  SummaryView->setLineWrapMode(QPlainTextEdit::NoWrap);
  Tabs->addTab(xmlPage, QStringLiteral("XML"));
  Tabs->addTab(PlanView, QStringLiteral("Plan"));
  Tabs->addTab(ProfileView, QStringLiteral("Boykesit"));
  Tabs->addTab(SummaryView, QStringLiteral("Özet"));
  layout->addWidget(Tabs);
  Tabs->hide();
  setCentralWidget(background_);

  static constexpr int kPanelWidths[3] = {250, 300, 50};
  for (int i = 0; i < 3; ++i) {
    sb1Panels[i] = new QLabel(this);
    sb1Panels[i]->setAlignment(Qt::AlignCenter);
    sb1Panels[i]->setFixedWidth(kPanelWidths[i]);
    statusBar()->addWidget(sb1Panels[i]);
  }

  sd1 = new QFileDialog(this);
  sd1->setOption(QFileDialog::DontUseNativeDialog);
  sd1->setAcceptMode(QFileDialog::AcceptSave);
  sd1->setOption(QFileDialog::DontConfirmOverwrite);  // every output replaces its file without asking
  sd1->setDefaultSuffix(QStringLiteral("xml"));
  sd1->setNameFilter(QStringLiteral("xml (*.xml)"));
  sd1->selectFile(QStringLiteral("velkor.xml"));
  sd1->setWindowTitle(QStringLiteral("XML Dosya"));

  od1 = new QFileDialog(this);
  od1->setOption(QFileDialog::DontUseNativeDialog);
  od1->setFileMode(QFileDialog::ExistingFile);

  // The first run's size and place; later runs open where the last one was left (kept on a screen).
  resize(805, 523 + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  if (const QByteArray geometry = MainWindowGeometry(); !geometry.isEmpty()) restoreGeometry(geometry);

  // The other windows live as long as this one and keep their state between uses.
  FormCksGec = new TFormCksGec(this);
  Form2 = new TForm2(this);
  FNetcad = new TFNetcad(this);
}

TForm1::~TForm1() = default;

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!activated_) {
    activated_ = true;
    FormActivate();
  }
}

void TForm1::FormActivate() {
  sb1Panels[1]->setText(QStringLiteral("Velkor · NetCAD güzergahı → LandXML 1.0 ve GSI-16"));
  sb1Panels[2]->setText(QStringLiteral("v") + QString::fromUtf8(kVersion));
  ListBox1->ClearDocument();
  // Old GSI files, and folders of conversions that crashed; those of conversions running now (a
  // batch run) stay.
  ConversionSession::CleanUp(ToPath(workFolder_));
}

QString TForm1::conversionFolder() const { return session_ ? FromPath(session_->folder()) : QString(); }

void TForm1::A1Click() {
  if (!session_) {
    try {
      session_ = std::make_unique<ConversionSession>(ToPath(workFolder_));
    } catch (const std::exception& error) {
      ShowException(this, error);
      return;
    }
    FormCksGec->SetSession(session_.get());
  }
  if (ExecModal(*FormCksGec) != QDialog::Accepted) return;
  for (QAction* item : {Search1, Search2, Kaydet1, Kaydet2, SearchNext, SearchPrevious}) item->setEnabled(false);
  // The files the conversion asks for next belong to the same project: their choices start there.
  const QString project = QFileInfo(FormCksGec->horizontalReportPath()).absolutePath();
  for (QFileDialog* choice : {od1, Form2->OpenDialog1, FNetcad->OpenDialog1}) choice->setDirectory(project);
  ListBox1->ClearDocument();
  PlanView->SetPicture({}, QString());
  ProfileView->SetPicture({}, QString());
  SummaryView->clear();
  Tabs->setTabText(3, QStringLiteral("Özet"));
  Tabs->setCurrentIndex(0);
  Tabs->show();
  ListBox1->show();
  ListBox1->setFocus();
  try {
    G2X();
  } catch (const std::exception& error) {
    ShowException(this, error);
    return;
  }
  ShowReview();
  for (QAction* item : {Search1, Search2, Kaydet1, Kaydet2, SearchNext, SearchPrevious}) item->setEnabled(true);
}

void TForm1::G2X() {
  // One conversion per run: nothing enables Open again.
  A1->setEnabled(false);
  A2->setEnabled(false);
  ConversionOptions options;
  options.crossSections = FormCksGec->cb1->isChecked();
  options.model = FormCksGec->cb2->isChecked();
  options.slopePlan = FormCksGec->cb3->isChecked();

  BusyCursor busy(busy_);
  QuestionsFromWork questions(*this);
  const ConversionResult* converted = nullptr;
  RunAwayFromWindows([&] { converted = &session_->Convert(options, questions); });
  const ConversionResult& result = *converted;
  sd1->setNameFilter(QStringLiteral("XML (*.xml)"));
  sd1->setWindowTitle(QStringLiteral("XML"));
  sd1->setDefaultSuffix(QStringLiteral("xml"));
  if (result.documentName.empty()) {
    ClearFileName(*sd1);
    if (const QString folder = LastSaveFolder(); !folder.isEmpty()) sd1->setDirectory(folder);
  } else {
    // The folder, then the name alone: the dialog's name field shows what it is given.
    const QFileInfo name(FromPath(PathFromUtf8(result.documentName)));
    sd1->setDirectory(name.absolutePath());
    sd1->selectFile(name.fileName());
  }
  ListBox1->LoadDocument(session_->document());
}

void TForm1::ShowReview() {
  const ConversionResult& result = session_->result();
  const ConversionFacts& facts = result.facts;
  const Route& route = session_->route();
  const std::vector<Warning> warnings = CheckConversion(route, facts);
  const ConversionSummary summary = BuildSummary(route, facts, PathFromUtf8(result.documentName));
  SummaryView->setPlainText(QString::fromStdString(SummaryText(summary, warnings)));
  const TerrainModel* model = facts.modelStep == StepOutcome::Done ? &Form2->model() : nullptr;
  PlanView->SetPicture(PlanPicture(facts, model), QStringLiteral("Çizilecek güzergah yok"));
  ProfileView->SetPicture(ProfilePicture(route), QStringLiteral("Boykesit yok: düşey tanım raporu verilmedi"));
  if (warnings.empty()) return;
  Tabs->setTabText(3, QStringLiteral("Özet (%1 uyarı)").arg(warnings.size()));
  Tabs->setCurrentIndex(3);
}

std::optional<std::filesystem::path> TForm1::ChooseCrossSectionFile() {
  od1->setNameFilter(QStringLiteral("Enkesit (*.kse *.ksp)"));
  ClearFileName(*od1);
  od1->setWindowTitle(QStringLiteral("Enkesit"));
  od1->setDefaultSuffix(QString());
  ArrowWhileAsking arrow;
  const auto chosen = ChooseFile(*od1);
  if (!chosen) return std::nullopt;
  return ToPath(*chosen);
}

std::vector<std::filesystem::path> TForm1::DrawingsRead() const {
  std::vector<std::filesystem::path> drawings;
  for (const DrawingReaderDialog* reader :
       {static_cast<const DrawingReaderDialog*>(Form2), static_cast<const DrawingReaderDialog*>(FNetcad)}) {
    if (!reader->drawing().empty()) drawings.push_back(reader->drawing());
  }
  return drawings;
}

const TerrainModel* TForm1::ReadTerrainModel() {
  ArrowWhileAsking arrow;
  if (ExecModal(*Form2) != QDialog::Accepted) return nullptr;
  return &Form2->model();
}

const SlopePlan* TForm1::ReadSlopePlan() {
  ArrowWhileAsking arrow;
  if (ExecModal(*FNetcad) != QDialog::Accepted) return nullptr;
  return &FNetcad->plan();
}

void TForm1::Kaydet1Click() {
  const auto chosen = ChooseFile(*sd1);
  if (!chosen) return;
  try {
    BusyCursor busy(busy_);
    RunAwayFromWindows([&] { session_->Save(ToPath(*chosen)); });
  } catch (const std::exception& error) {
    ShowException(this, error);
    return;
  }
  RememberSaveFolder(QFileInfo(*chosen).absolutePath());
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  RememberMainWindowGeometry(saveGeometry());
  QMainWindow::closeEvent(event);
}

void TForm1::Search1Click() {
  TTextSearchDialog dialog(this);
  dialog.LoadSettings(searchSettings_);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  searchSettings_ = dialog.TakeSettings();
  if (!searchSettings_.searchText.isEmpty()) RunSearch(searchSettings_);
}

void TForm1::SearchAgain(bool backwards) {
  // Nothing to search again for yet: the search dialog asks what.
  if (searchSettings_.searchText.isEmpty()) {
    Search1Click();
    return;
  }
  SearchSettings again = searchSettings_;
  again.backwards = backwards;
  again.fromCaret = true;
  RunSearch(again);
}

void TForm1::RunSearch(const SearchSettings& settings) {
  ViewerSearchOptions options;
  options.backwards = settings.backwards;
  options.matchCase = settings.caseSensitive;
  options.entireScope = !settings.fromCaret;
  options.selectedOnly = settings.selectedOnly;
  options.wholeWord = settings.wholeWords;
  if (ListBox1->Find(settings.searchText, options)) return;
  Beep();
  const long start = ListBox1->SelectionStartPosition();
  const long end = ListBox1->SelectionEndPosition();
  const long collapsed = options.backwards ? start : end;
  ListBox1->SetSelectionPositions(collapsed, collapsed);
}

QString TForm1::AboutText() {
  return QStringLiteral(
      "Velkor 0.1\nNetCAD Güzergah XML dönüşüm programı.\nVelkor geliştiricileri. Tüm hakları saklıdır.");
}

void TForm1::Hakknda1Click() {
  ShowMessageBox(this, BoxIcon::Information, QString::fromUtf8(kProgramTitle), AboutText());
}

void TForm1::k1Click() { close(); }

}  // namespace velkor::app

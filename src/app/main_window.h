// The main window: the commands Open, Save, Search, About and Exit, the XML viewer and the status bar.
// It answers the conversion's questions with the program's dialogs.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/search_dialog.h"
#include "export/conversion_driver.h"
#include "export/conversion_session.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTabWidget;

namespace velkor::app {

class TFormCksGec;
class TForm2;
class TFNetcad;
class XmlViewer;
class PictureView;

class TForm1 : public QMainWindow, public ConversionQuestions {
  Q_OBJECT

 public:
  // `workFolder` ends in a path separator.
  explicit TForm1(const QString& workFolder, QWidget* parent = nullptr);
  ~TForm1() override;

  void A1Click();
  void Kaydet1Click();
  void Search1Click();
  void Hakknda1Click();
  void k1Click();
  void FormActivate();

  // The text of the About box.
  static QString AboutText();

  // ConversionQuestions, answered with dialogs.
  std::optional<std::filesystem::path> ChooseCrossSectionFile() override;
  const TerrainModel* ReadTerrainModel() override;
  const SlopePlan* ReadSlopePlan() override;
  std::vector<std::filesystem::path> DrawingsRead() const override;

  const QString& workFolder() const { return workFolder_; }
  // The folder of this window's conversion inside the work folder (ending in a separator); empty
  // until Open has made it. It goes with the window.
  QString conversionFolder() const;
  const SearchSettings& searchSettings() const { return searchSettings_; }

  QMenu* Dosya1;
  QAction* A1;
  QAction* Kaydet1;
  QAction* Search1;
  QAction* Hakknda1;
  QAction* k1;
  QMenu* PopupMenu1;
  QAction* A2;
  QAction* Kaydet2;
  QAction* Search2;
  QAction* SearchNext;      // F3: the last search again, forward from the caret
  QAction* SearchPrevious;  // Shift+F3: backward
  QLabel* sb1Panels[3];
  XmlViewer* ListBox1;
  // After a conversion: "XML" (the viewer), "Plan", "Boykesit" and "Özet" (summary and warnings).
  QTabWidget* Tabs;
  PictureView* PlanView;
  PictureView* ProfileView;
  QPlainTextEdit* SummaryView;
  QFileDialog* sd1;
  QFileDialog* od1;

  TFormCksGec* FormCksGec;
  TForm2* Form2;
  TFNetcad* FNetcad;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void G2X();
  // The plan, the profile and the summary of the conversion just made; the "Özet" tab comes to the
  // front when there are warnings.
  void ShowReview();
  void RunSearch(const SearchSettings& settings);
  void SearchAgain(bool backwards);

  bool busy_ = false;  // a conversion or a save is running

  class Background;

  QString workFolder_;
  std::unique_ptr<ConversionSession> session_;  // this window's one conversion, from the first Open on
  Background* background_;
  SearchSettings searchSettings_;
  bool activated_ = false;
};

}  // namespace velkor::app

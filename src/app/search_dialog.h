// The search dialog of the XML viewer, and the settings the main window remembers between searches.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velkor::app {

// Remembered for the program run only; all false or empty at start.
struct SearchSettings {
  bool backwards = false;
  bool caseSensitive = false;
  bool fromCaret = false;
  bool selectedOnly = false;
  bool wholeWords = false;
  bool regularExpression = false;  // kept, never given back to the dialog or the search
  QString searchText;
  QString history;  // at most ten entries, newest first, joined by CR LF
};

class TTextSearchDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TTextSearchDialog(QWidget* parent = nullptr);

  // Fills the dialog from the remembered settings ("&Regular expression" stays cleared).
  void LoadSettings(const SearchSettings& settings);
  // The settings to remember after OK, history capped at ten entries.
  SearchSettings TakeSettings() const;

  // Maintains the history as the dialog closes with OK.
  void FormCloseQuery();

  void accept() override;

  QLabel* Label1;
  QComboBox* cbSearchText;
  QGroupBox* gbSearchOptions;
  QCheckBox* cbSearchCaseSensitive;
  QCheckBox* cbSearchWholeWords;
  QCheckBox* cbSearchFromCursor;
  QCheckBox* cbSearchSelectedOnly;
  QCheckBox* cbRegularExpression;
  QGroupBox* rgSearchDirection;
  QRadioButton* rbForward;
  QRadioButton* rbBackward;
  QPushButton* btnOK;
  QPushButton* btnCancel;
};

inline constexpr int kSearchHistoryLength = 10;

}  // namespace velkor::app

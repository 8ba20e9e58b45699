// The search dialog: search text with its history, the options and the direction.
#include "app/search_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velkor::app {

TTextSearchDialog::TTextSearchDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Search Text"));
  setFont(QFont(QStringLiteral("Calibri"), 8));
  setFixedSize(332, 180);

  Label1 = new QLabel(QStringLiteral("&Search for:"), this);
  Label1->setGeometry(8, 12, 70, 15);
  cbSearchText = new QComboBox(this);
  cbSearchText->setEditable(true);
  cbSearchText->setInsertPolicy(QComboBox::NoInsert);
  cbSearchText->setGeometry(80, 8, 244, 22);
  Label1->setBuddy(cbSearchText);

  gbSearchOptions = new QGroupBox(QStringLiteral("Options"), this);
  gbSearchOptions->setGeometry(8, 36, 154, 104);
  auto* options = new QVBoxLayout(gbSearchOptions);
  options->setContentsMargins(8, 4, 4, 4);
  options->setSpacing(0);
  cbSearchCaseSensitive = new QCheckBox(QStringLiteral("C&ase sensitivity"), gbSearchOptions);
  cbSearchWholeWords = new QCheckBox(QStringLiteral("&Whole words only"), gbSearchOptions);
  cbSearchFromCursor = new QCheckBox(QStringLiteral("Search from &caret"), gbSearchOptions);
  cbSearchSelectedOnly = new QCheckBox(QStringLiteral("&Selected text only"), gbSearchOptions);
  cbRegularExpression = new QCheckBox(QStringLiteral("&Regular expression"), gbSearchOptions);
  for (QCheckBox* box :
       {cbSearchCaseSensitive, cbSearchWholeWords, cbSearchFromCursor, cbSearchSelectedOnly, cbRegularExpression}) {
    options->addWidget(box);
  }

  rgSearchDirection = new QGroupBox(QStringLiteral("Direction"), this);
  rgSearchDirection->setGeometry(170, 36, 154, 104);
  auto* direction = new QVBoxLayout(rgSearchDirection);
  direction->setContentsMargins(8, 4, 4, 4);
  rbForward = new QRadioButton(QStringLiteral("&Forward"), rgSearchDirection);
  rbBackward = new QRadioButton(QStringLiteral("&Backward"), rgSearchDirection);
  direction->addWidget(rbForward);
  direction->addWidget(rbBackward);
  direction->addStretch();
  rbForward->setChecked(true);

  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setGeometry(170, 148, 75, 25);
  btnOK->setDefault(true);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel->setGeometry(249, 148, 75, 25);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TTextSearchDialog::LoadSettings(const SearchSettings& settings) {
  (settings.backwards ? rbBackward : rbForward)->setChecked(true);
  cbSearchCaseSensitive->setChecked(settings.caseSensitive);
  cbSearchFromCursor->setChecked(settings.fromCaret);
  cbSearchSelectedOnly->setChecked(settings.selectedOnly);
  cbSearchText->clear();
  if (!settings.history.isEmpty()) cbSearchText->addItems(settings.history.split(QStringLiteral("\r\n")));
  cbSearchText->setEditText(settings.searchText);
  cbSearchWholeWords->setChecked(settings.wholeWords);
  cbRegularExpression->setChecked(false);
}

SearchSettings TTextSearchDialog::TakeSettings() const {
  SearchSettings settings;
  settings.backwards = rbBackward->isChecked();
  settings.caseSensitive = cbSearchCaseSensitive->isChecked();
  settings.fromCaret = cbSearchFromCursor->isChecked();
  settings.selectedOnly = cbSearchSelectedOnly->isChecked();
  settings.wholeWords = cbSearchWholeWords->isChecked();
  settings.regularExpression = cbRegularExpression->isChecked();
  settings.searchText = cbSearchText->currentText();
  QStringList history;
  for (int i = 0; i < cbSearchText->count() && i < kSearchHistoryLength; ++i) history << cbSearchText->itemText(i);
  settings.history = history.join(QStringLiteral("\r\n"));
  return settings;
}

void TTextSearchDialog::FormCloseQuery() {
  const QString text = cbSearchText->currentText();
  if (text.isEmpty()) return;
  const int existing = cbSearchText->findText(text, Qt::MatchFixedString);  // ignores letter case
  if (existing >= 0) cbSearchText->removeItem(existing);
  cbSearchText->insertItem(0, text);
  cbSearchText->setEditText(text);
}

void TTextSearchDialog::accept() {
  FormCloseQuery();
  QDialog::accept();
}

}  // namespace velkor::app

// The import dialog: the user names the element table and the vertical report and ticks the options;
// OK turns the reports into the route file in the work folder.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QUrl>

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace velkor {
class ConversionSession;
}

namespace velkor::app {

class TFormCksGec : public QDialog {
  Q_OBJECT

 public:
  explicit TFormCksGec(QWidget* parent = nullptr);

  // The conversion that OK hands the reports to.
  void SetSession(ConversionSession* session) { session_ = session; }

  // Accepts the file as element table or vertical report by its content, or says why not.
  void DosyaKontrol(const QString& path);
  // Files dropped on the dialog: only the first one counts.
  void WMDropFiles(const QList<QUrl>& urls);

  void BGecClick();
  void BAraziClick();
  void sBitBtn1Click();
  void FormActivate();
  // The folder OK writes the route file into (ending in a separator): the conversion's own.

  const QString& horizontalReportPath() const { return horizontalPath_; }
  const QString& verticalReportPath() const { return verticalPath_; }
  // The element table's path with ".cks" -> ".gec", set by OK.
  const QString& suggestedOutputName() const { return suggestedOutputName_; }

  QLabel* Label1;
  QLineEdit* FGec;
  QToolButton* sBitBtn3;
  QLabel* Label2;
  QLineEdit* FArazi;
  QToolButton* sBitBtn4;
  QCheckBox* cb3;  // "Şevli plan"
  QCheckBox* cb1;  // "Enkesit"
  QCheckBox* cb2;  // "Model"
  QPushButton* sBitBtn1;
  QPushButton* sBitBtn2;
  QFileDialog* od1;

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ChooseReport(const QString& title);

  ConversionSession* session_ = nullptr;
  QString horizontalPath_;
  QString verticalPath_;
  QString suggestedOutputName_;
};

}  // namespace velkor::app

// The import dialog. Recognising and converting the reports is the core's work; the dialog only
// keeps the choices and reports failures.
#include "app/import_dialog.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "app/error_box.h"
#include "app/modal_seam.h"
#include "app/paths.h"
#include "app/user_settings.h"
#include "export/conversion_session.h"
#include "import/route_import.h"
#include "platform/platform.h"

namespace velkor::app {

TFormCksGec::TFormCksGec(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Velkor"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(499, 103);
  setAcceptDrops(true);

  Label1 = new QLabel(QStringLiteral("Yatay CKS Dosyası :"), this);
  Label1->setGeometry(8, 12, 124, 17);
  FGec = new QLineEdit(this);
  FGec->setReadOnly(true);
  FGec->setToolTip(QStringLiteral("NetCAD Güzergah Raporları (Eleman Tablosu)"));
  FGec->setGeometry(134, 8, 318, 25);
  sBitBtn3 = new QToolButton(this);
  sBitBtn3->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  sBitBtn3->setIconSize(QSize(20, 20));
  sBitBtn3->setGeometry(458, 8, 33, 25);
  sBitBtn3->setToolTip(QStringLiteral("YATAY CKS"));

  Label2 = new QLabel(QStringLiteral("Düşey CKS Dosyası :"), this);
  Label2->setGeometry(8, 44, 124, 17);
  FArazi = new QLineEdit(this);
  FArazi->setReadOnly(true);
  FArazi->setToolTip(QStringLiteral("NetCAD Düşey Tanım editörü (Rapor Çıktısı)"));
  FArazi->setGeometry(134, 40, 318, 25);
  sBitBtn4 = new QToolButton(this);
  sBitBtn4->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  sBitBtn4->setIconSize(QSize(20, 20));
  sBitBtn4->setGeometry(458, 40, 33, 25);
  sBitBtn4->setToolTip(QStringLiteral("DÜŞEY CKS"));

  cb3 = new QCheckBox(QStringLiteral("Şevli plan"), this);
  cb3->setGeometry(8, 74, 80, 21);
  cb1 = new QCheckBox(QStringLiteral("Enkesit"), this);
  cb1->setGeometry(92, 74, 70, 21);
  cb2 = new QCheckBox(QStringLiteral("Model"), this);
  cb2->setGeometry(166, 74, 64, 21);
  sBitBtn1 = new QPushButton(QStringLiteral("Tamam"), this);
  sBitBtn1->setGeometry(326, 72, 80, 25);
  sBitBtn1->setDefault(true);
  sBitBtn1->setEnabled(false);
  sBitBtn2 = new QPushButton(QStringLiteral("İptal"), this);
  sBitBtn2->setGeometry(411, 72, 80, 25);

  od1 = new QFileDialog(this);
  od1->setOption(QFileDialog::DontUseNativeDialog);
  od1->setNameFilter(QStringLiteral("CKS (*.cks)"));
  od1->setDefaultSuffix(QStringLiteral("cks"));
  od1->setFileMode(QFileDialog::ExistingFile);
  od1->setAcceptMode(QFileDialog::AcceptOpen);
  // A run's first choice starts where the reports of the last run were.
  if (const QString folder = LastReportFolder(); !folder.isEmpty()) od1->setDirectory(folder);

  connect(sBitBtn3, &QToolButton::clicked, this, &TFormCksGec::BGecClick);
  connect(sBitBtn4, &QToolButton::clicked, this, &TFormCksGec::BAraziClick);
  connect(sBitBtn1, &QPushButton::clicked, this, &TFormCksGec::sBitBtn1Click);
  connect(sBitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormCksGec::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TFormCksGec::FormActivate() {
  horizontalPath_.clear();
  verticalPath_.clear();
  FGec->clear();
  FArazi->clear();
  sBitBtn1->setEnabled(false);
}

void TFormCksGec::ChooseReport(const QString& title) {
  ClearFileName(*od1);
  od1->setWindowTitle(title);
  if (const auto chosen = ChooseFile(*od1)) DosyaKontrol(*chosen);
}

void TFormCksGec::BGecClick() { ChooseReport(QStringLiteral("YATAY CKS")); }
void TFormCksGec::BAraziClick() { ChooseReport(QStringLiteral("DÜŞEY CKS")); }

void TFormCksGec::DosyaKontrol(const QString& path) {
  ReportKind kind;
  try {
    kind = RecognizeReport(ToPath(path));
  } catch (const std::exception& error) {
    ShowException(this, error);
    return;
  }
  switch (kind) {
    case ReportKind::ElementTable:
      FGec->setText(ShownPath(path));
      horizontalPath_ = path;
      sBitBtn1->setEnabled(true);
      od1->setDirectory(QFileInfo(path).absolutePath());
      RememberReportFolder(QFileInfo(path).absolutePath());
      break;
    case ReportKind::VerticalReport:
      FArazi->setText(ShownPath(path));
      verticalPath_ = path;
      RememberReportFolder(QFileInfo(path).absolutePath());
      break;
    case ReportKind::Other:
      ShowMessageBox(this, BoxIcon::None, QString::fromUtf8(kApplicationTitle),
                     QStringLiteral("Sadece Eleman Tablosu ve Düşey tanım kabul edilir."));
      break;
  }
}

void TFormCksGec::WMDropFiles(const QList<QUrl>& urls) {
  // Only the first file counts; something that is not a file (a web link) is no report either.
  if (!urls.isEmpty() && urls.front().isLocalFile()) DosyaKontrol(urls.front().toLocalFile());
}

void TFormCksGec::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormCksGec::dropEvent(QDropEvent* event) {
  WMDropFiles(event->mimeData()->urls());
  event->acceptProposedAction();
}

void TFormCksGec::sBitBtn1Click() {
  // A conversion error leaves the route file half-written: the dialog stays open so the driver never
  // runs on it, and the user can choose again or cancel.
  try {
    session_->AcceptReports(ToPath(horizontalPath_), ToPath(verticalPath_));
    suggestedOutputName_ = QString::fromStdString(session_->suggestedOutputName());
  } catch (const std::exception& error) {
    ShowException(this, error);
    return;
  }
  accept();
}

}  // namespace velkor::app

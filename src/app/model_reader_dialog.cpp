// The model reader dialog.
#include "app/model_reader_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QStyle>

#include "app/error_box.h"
#include "app/modal_seam.h"
#include "ncz/model_reader.h"
#include "platform/platform.h"

namespace velkor::app {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Model Oku"));
  setFixedSize(260, 60);
  ReadBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("NetCAD oku"), this);
  ReadBtn->setGeometry(16, 16, 110, 28);
  ReadBtn->setDefault(true);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
  BitBtn1->setGeometry(134, 16, 110, 28);
  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setNameFilter(QStringLiteral("ncz (*.ncz)"));
  OpenDialog1->setDefaultSuffix(QStringLiteral("ncz"));
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  connect(ReadBtn, &QPushButton::clicked, this, &TForm2::ReadBtnClick);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm2::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TForm2::FormActivate() { setWindowTitle(QStringLiteral("NetCAD Model Oku")); }

void TForm2::ReadBtnClick() {
  if (const auto chosen = ChooseFile(*OpenDialog1)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      ReadModel(platform::PathFromUtf8(chosen->toStdString()), model_, [this](int percent) {
        setWindowTitle(QString::fromUtf8(kMatchingCaption) + QString::number(percent));
      });
    } catch (const std::exception& error) {
      model_ = TerrainModel{};
      QApplication::restoreOverrideCursor();
      ShowException(this, error);
      accept();
      return;
    }
    QApplication::restoreOverrideCursor();
  }
  accept();
}

}  // namespace velkor::app

// The slope-plan reader dialog.
#include "app/slope_plan_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QStyle>

#include "app/error_box.h"
#include "app/modal_seam.h"
#include "ncz/slope_plan_reader.h"
#include "platform/platform.h"

namespace velkor::app {

TFNetcad::TFNetcad(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Şevli Plan"));
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
  connect(ReadBtn, &QPushButton::clicked, this, &TFNetcad::ReadBtnClick);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TFNetcad::ReadBtnClick() {
  if (const auto chosen = ChooseFile(*OpenDialog1)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      ReadSlopePlan(platform::PathFromUtf8(chosen->toStdString()), plan_);
    } catch (const std::exception& error) {
      plan_ = SlopePlan{};
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

#include "app/drawing_reader_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QStyle>

#include "app/error_box.h"
#include "app/modal_seam.h"
#include "platform/platform.h"

namespace velkor::app {

DrawingReaderDialog::DrawingReaderDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
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
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void DrawingReaderDialog::ReadChosenDrawing(const std::function<void(const std::filesystem::path&)>& read,
                                            const std::function<void()>& forget) {
  if (const auto chosen = ChooseFile(*OpenDialog1)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      const std::filesystem::path drawing = PathFromUtf8(chosen->toStdString());
      read(drawing);
      drawing_ = drawing;
      QApplication::restoreOverrideCursor();
    } catch (const std::exception& error) {
      forget();
      drawing_.clear();
      QApplication::restoreOverrideCursor();
      ShowException(this, error);
    }
  }
  accept();
}

}  // namespace velkor::app

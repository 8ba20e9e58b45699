#include "app/drawing_reader_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "app/busy_work.h"
#include "app/error_box.h"
#include "app/modal_seam.h"
#include "app/paths.h"
#include "platform/platform.h"

namespace velkor::app {

DrawingReaderDialog::DrawingReaderDialog(const QString& caption, const QString& hint, const QString& fileTitle,
                                         QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  setFixedSize(300, 96);
  Hint = new QLabel(hint, this);
  Hint->setWordWrap(true);
  Hint->setGeometry(16, 8, 268, 36);
  ReadBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("NetCAD oku"), this);
  ReadBtn->setGeometry(16, 54, 128, 28);
  ReadBtn->setDefault(true);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
  BitBtn1->setGeometry(156, 54, 128, 28);
  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setNameFilter(QStringLiteral("ncz (*.ncz)"));
  OpenDialog1->setDefaultSuffix(QStringLiteral("ncz"));
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setWindowTitle(fileTitle);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void DrawingReaderDialog::ReadChosenDrawing(const std::function<void(const std::filesystem::path&)>& read,
                                            const std::function<void()>& forget) {
  if (const auto chosen = ChooseFile(*OpenDialog1)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      const std::filesystem::path drawing = ToPath(*chosen);
      // A drawing of a million points takes seconds: the windows keep painting meanwhile.
      RunAwayFromWindows([&] { read(drawing); });
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

// The model reader dialog.
#include "app/model_reader_dialog.h"

#include <QPushButton>

#include "app/busy_work.h"
#include "ncz/model_reader.h"

namespace velkor::app {

TForm2::TForm2(QWidget* parent)
    : DrawingReaderDialog(QStringLiteral("Model Oku"),
                          QStringLiteral("Arazi modeli (noktalar ve üçgenler) içeren NetCAD çizimini seçin."),
                          QStringLiteral("Arazi modeli çizimi (NCZ)"), parent) {
  connect(ReadBtn, &QPushButton::clicked, this, &TForm2::ReadBtnClick);
}

void TForm2::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TForm2::FormActivate() { setWindowTitle(QStringLiteral("NetCAD Model Oku")); }

void TForm2::ReadBtnClick() {
  ReadChosenDrawing(
      [this](const std::filesystem::path& drawing) {
        // Read away from the windows: each caption is handed to this dialog's thread, in order.
        ReadModel(drawing, model_, [this](int percent) {
          ShowFromWork(this, [this, percent] {
            setWindowTitle(QString::fromUtf8(kMatchingCaption) + QString::number(percent));
          });
        });
      },
      [this] { model_ = TerrainModel{}; });
}

}  // namespace velkor::app

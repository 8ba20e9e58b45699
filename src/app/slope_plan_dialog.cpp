// The slope-plan reader dialog.
#include "app/slope_plan_dialog.h"

#include <QPushButton>

#include "ncz/slope_plan_reader.h"

namespace velkor::app {

TFNetcad::TFNetcad(QWidget* parent)
    : DrawingReaderDialog(QStringLiteral("Şevli Plan"),
                          QStringLiteral("Şev planı (eksen noktaları ve K_ katmanlarındaki çizgiler) içeren NetCAD "
                                         "çizimini seçin."),
                          QStringLiteral("Şev planı çizimi (NCZ)"), parent) {
  connect(ReadBtn, &QPushButton::clicked, this, &TFNetcad::ReadBtnClick);
}

void TFNetcad::ReadBtnClick() {
  ReadChosenDrawing([this](const std::filesystem::path& drawing) { ReadSlopePlan(drawing, plan_); },
                    [this] { plan_ = SlopePlan{}; });
}

}  // namespace velkor::app

// The model reader dialog: the user picks a drawing holding a terrain model; its points, triangles
// and numbered faces are kept for the surface export, across conversions.
#pragma once

#include "app/drawing_reader_dialog.h"
#include "ncz/terrain_model.h"

namespace velkor::app {

class TForm2 : public DrawingReaderDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  void ReadBtnClick();
  void FormActivate();

  const TerrainModel& model() const { return model_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TerrainModel model_;  // the point, triangle and face lists (LBN, LBU, LBE)
};

}  // namespace velkor::app

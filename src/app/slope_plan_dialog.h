// The slope-plan reader dialog: the user picks a slope-plan drawing; its axis points and labelled
// polylines are kept for the slope-plan export, across conversions.
#pragma once

#include "app/drawing_reader_dialog.h"
#include "ncz/slope_plan.h"

namespace velkor::app {

class TFNetcad : public DrawingReaderDialog {
  Q_OBJECT

 public:
  explicit TFNetcad(QWidget* parent = nullptr);

  void ReadBtnClick();

  const SlopePlan& plan() const { return plan_; }

 private:
  SlopePlan plan_;  // the axis point list (LB0) and the polyline list (LB)
};

}  // namespace velkor::app

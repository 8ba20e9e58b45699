// The slope-plan reader dialog: the user picks a slope-plan drawing; its axis points and labelled
// polylines are kept for the slope-plan export, across conversions.
#pragma once

#include <QDialog>

#include "ncz/slope_plan.h"

class QFileDialog;
class QPushButton;

namespace velkor::app {

class TFNetcad : public QDialog {
  Q_OBJECT

 public:
  explicit TFNetcad(QWidget* parent = nullptr);

  void ReadBtnClick();

  const SlopePlan& plan() const { return plan_; }

  QPushButton* ReadBtn;
  QPushButton* BitBtn1;
  QFileDialog* OpenDialog1;

 private:
  SlopePlan plan_;  // the axis point list (LB0) and the polyline list (LB)
};

}  // namespace velkor::app

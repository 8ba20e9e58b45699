// A plan or profile picture drawn with Qt's own painting: wheel zoom about the pointer, drag to pan,
// double-click to fit. The picture is rendered once per scale into a cached pixmap, so panning a
// large surface only moves that pixmap.
#pragma once

#include <QPixmap>
#include <QPointF>
#include <QTimer>
#include <QWidget>

#include "review/preview_pictures.h"

namespace velkor::app {

class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);

  // Shows `picture` fitted to the view; an empty picture shows `emptyText`.
  void SetPicture(Picture picture, const QString& emptyText);
  const Picture& picture() const { return picture_; }
  // Back to the whole picture.
  void Fit();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // World (easting or chainage, northing or elevation) to widget pixels, and back.
  QPointF ToView(PlanePoint p) const;
  PlanePoint ToWorld(QPointF p) const;
  void Render();

  Picture picture_;
  QString emptyText_;
  double scale_ = 1;   // pixels per world unit, horizontally
  PlanePoint centre_;  // the world point at the widget's centre
  QPixmap cache_;
  PlanePoint cacheCentre_;
  double cacheScale_ = 0;
  QTimer settle_;           // a zoom is drawn anew once the wheel rests; meanwhile the cache is scaled
  bool followSize_ = true;  // fitted anew on resizing until the user zooms or pans
  bool dragging_ = false;
  QPoint dragFrom_;
  PlanePoint dragCentre_;
};

}  // namespace velkor::app

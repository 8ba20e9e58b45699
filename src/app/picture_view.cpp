#include "app/picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVector>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

namespace velkor::app {
namespace {

QPen PenFor(Stroke stroke) {
  switch (stroke) {
    case Stroke::Line:
      return QPen(QColor(32, 32, 32), 2);
    case Stroke::Arc:
      return QPen(QColor(31, 95, 191), 2);
    case Stroke::Spiral:
      return QPen(QColor(208, 112, 0), 2);
    case Stroke::SlopePlan:
      return QPen(QColor(42, 138, 42), 1);
    case Stroke::Outline:
      return QPen(QColor(144, 144, 144), 1, Qt::DashLine);
    case Stroke::Tick:
    case Stroke::Axis:
      return QPen(QColor(64, 64, 64), 1);
    case Stroke::GradeLine:
      return QPen(QColor(160, 160, 160), 1, Qt::DashLine);
    case Stroke::Design:
      return QPen(QColor(31, 95, 191), 2);
  }
  return QPen(Qt::black);
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  setMouseTracking(false);
  settle_.setSingleShot(true);
  settle_.setInterval(150);
  connect(&settle_, &QTimer::timeout, this, [this] {
    cache_ = QPixmap();
    update();
  });
}

void PictureView::SetPicture(Picture picture, const QString& emptyText) {
  picture_ = std::move(picture);
  emptyText_ = emptyText;
  Fit();
}

void PictureView::Fit() {
  cache_ = QPixmap();
  followSize_ = true;
  if (picture_.empty) {
    update();
    return;
  }
  const double ex = picture_.verticalExaggeration;
  const double w = std::max(picture_.high.e - picture_.low.e, 1e-3);
  const double h = std::max((picture_.high.n - picture_.low.n) * ex, 1e-3);
  const double room = 0.9;
  scale_ = std::min(std::max(width(), 1) * room / w, std::max(height(), 1) * room / h);
  centre_ = {(picture_.low.e + picture_.high.e) / 2, (picture_.low.n + picture_.high.n) / 2};
  update();
}

QPointF PictureView::ToView(PlanePoint p) const {
  return {width() / 2.0 + (p.e - centre_.e) * scale_,
          height() / 2.0 - (p.n - centre_.n) * scale_ * picture_.verticalExaggeration};
}

PlanePoint PictureView::ToWorld(QPointF p) const {
  return {centre_.e + (p.x() - width() / 2.0) / scale_,
          centre_.n - (p.y() - height() / 2.0) / (scale_ * picture_.verticalExaggeration)};
}

void PictureView::Render() {
  cache_ = QPixmap(size() * devicePixelRatioF());
  cache_.setDevicePixelRatio(devicePixelRatioF());
  cache_.fill(Qt::white);
  cacheCentre_ = centre_;
  cacheScale_ = scale_;
  QPainter p(&cache_);
  p.setRenderHint(QPainter::Antialiasing);
  if (!picture_.triangles.empty()) {
    // Faint edges, drawn as one batch of lines without smoothing: the quickest way through many.
    QVector<QLineF> edges;
    edges.reserve(static_cast<int>(picture_.triangles.size()));
    for (std::size_t i = 0; i + 2 < picture_.triangles.size(); i += 3) {
      const QPointF a = ToView(picture_.triangles[i]), b = ToView(picture_.triangles[i + 1]),
                    c = ToView(picture_.triangles[i + 2]);
      edges << QLineF(a, b) << QLineF(b, c) << QLineF(c, a);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(214, 206, 184), 0));
    p.drawLines(edges);
    p.setRenderHint(QPainter::Antialiasing);
  }
  p.setBrush(Qt::NoBrush);
  for (const Polyline& line : picture_.lines) {
    p.setPen(PenFor(line.stroke));
    QPolygonF polygon;
    polygon.reserve(static_cast<int>(line.points.size()));
    for (PlanePoint q : line.points) polygon << ToView(q);
    p.drawPolyline(polygon);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(192, 48, 48));
  for (PlanePoint m : picture_.marks) p.drawEllipse(ToView(m), 3, 3);
  p.setPen(QColor(48, 48, 48));
  const QFontMetrics metrics(font());
  // Labels that would run into one drawn before them are left out at this scale.
  std::vector<QRectF> taken;
  for (const Label& label : picture_.labels) {
    const QString text = QString::fromStdString(label.text);
    const QPointF at = ToView(label.at);
    const QRectF box(at.x() - metrics.horizontalAdvance(text) / 2.0 - 3, at.y() - metrics.height() / 2.0,
                     metrics.horizontalAdvance(text) + 6, metrics.height());
    if (std::any_of(taken.begin(), taken.end(), [&](const QRectF& other) { return other.intersects(box); })) continue;
    taken.push_back(box);
    p.drawText(QPointF(box.left() + 3, at.y() + metrics.ascent() / 2.0), text);
  }
  if (!picture_.note.empty()) p.drawText(QPointF(8, 8 + metrics.ascent()), QString::fromStdString(picture_.note));
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (picture_.empty) {
    p.setPen(QColor(96, 96, 96));
    p.drawText(rect(), Qt::AlignCenter, emptyText_);
    return;
  }
  // While panning, the picture drawn at this scale only moves; while the wheel turns, it is scaled,
  // and drawn anew when the wheel rests.
  const bool zooming = settle_.isActive() && !cache_.isNull();
  if (!zooming && (cache_.isNull() || cacheScale_ != scale_ || cache_.size() != size() * devicePixelRatioF())) {
    Render();
  }
  p.fillRect(rect(), Qt::white);
  const double k = scale_ / cacheScale_;
  const QPointF centre = ToView(cacheCentre_);
  const QSizeF drawn(width() * k, height() * k);
  p.drawPixmap(QRectF(centre - QPointF(drawn.width() / 2, drawn.height() / 2), drawn), cache_,
               QRectF(QPointF(0, 0), cache_.size()));
}

void PictureView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  cache_ = QPixmap();
  if (followSize_) Fit();
}

void PictureView::wheelEvent(QWheelEvent* event) {
  if (picture_.empty) return;
  const QPointF at = event->position();
  const PlanePoint before = ToWorld(at);
  const double factor = std::pow(1.0015, event->angleDelta().y());
  scale_ = std::clamp(scale_ * factor, 1e-6, 1e6);
  followSize_ = false;
  // The point under the pointer stays where it is.
  const PlanePoint after = ToWorld(at);
  centre_ = {centre_.e + before.e - after.e, centre_.n + before.n - after.n};
  settle_.start();
  update();
  event->accept();
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  followSize_ = false;
  dragFrom_ = event->pos();
  dragCentre_ = centre_;
  setCursor(Qt::ClosedHandCursor);
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint moved = event->pos() - dragFrom_;
  centre_ = {dragCentre_.e - moved.x() / scale_, dragCentre_.n + moved.y() / (scale_ * picture_.verticalExaggeration)};
  update();
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  unsetCursor();
  // What the pan brought into view is drawn now.
  cache_ = QPixmap();
  update();
}

void PictureView::mouseDoubleClickEvent(QMouseEvent*) { Fit(); }

}  // namespace velkor::app

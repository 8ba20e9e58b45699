// Simple vector drawings, so the program carries no image files.
#include "app/pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace velkor::app {

namespace {
constexpr int kIconSize = 24;

QPixmap Canvas(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void DrawFolder(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 20), 1.2));
  p.setBrush(QColor(245, 200, 80));
  p.drawRoundedRect(QRectF(2.5, 7.5, 19, 13), 1.5, 1.5);
  p.drawRect(QRectF(2.5, 5.5, 8, 3));
}

void DrawDisk(QPainter& p) {
  p.setPen(QPen(QColor(30, 60, 120), 1.2));
  p.setBrush(QColor(70, 120, 200));
  p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7.5, 3.5, 9, 6));
  p.setBrush(QColor(220, 220, 220));
  p.drawRect(QRectF(6.5, 13.5, 11, 7));
}

void DrawInfo(QPainter& p) {
  p.setPen(QPen(QColor(20, 80, 160), 1.2));
  p.setBrush(QColor(90, 150, 230));
  p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
  p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawPoint(QPointF(12, 7.5));
  p.drawLine(QPointF(12, 11), QPointF(12, 17.5));
}

void DrawExit(QPainter& p) {
  p.setPen(QPen(QColor(120, 30, 30), 1.2));
  p.setBrush(QColor(200, 60, 50));
  p.drawRect(QRectF(3.5, 3.5, 11, 17));
  p.setPen(QPen(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12, 12), QPointF(21, 12));
  p.drawLine(QPointF(18, 9), QPointF(21, 12));
  p.drawLine(QPointF(18, 15), QPointF(21, 12));
}

void DrawMagnifier(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 2.2));
  p.setBrush(QColor(200, 230, 250));
  p.drawEllipse(QRectF(3.5, 3.5, 11, 11));
  p.setPen(QPen(QColor(90, 60, 30), 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(14, 14), QPointF(20.5, 20.5));
}
}  // namespace

QIcon MenuIcon(int index) {
  QPixmap pixmap = Canvas(kIconSize, kIconSize);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (index) {
    case 0:
      DrawFolder(p);
      break;
    case 1:
      DrawDisk(p);
      break;
    case 3:
      DrawInfo(p);
      break;
    case 5:
      DrawExit(p);
      break;
    case 6:
      DrawMagnifier(p);
      break;
    default:
      break;
  }
  return QIcon(pixmap);
}

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);  // drawn on a 64-pixel grid
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 90, 150));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  QPainterPath road;
  road.moveTo(10, 54);
  road.cubicTo(22, 30, 40, 44, 54, 10);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(230, 230, 230), 9, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(road);
  p.setPen(QPen(QColor(245, 190, 40), 2, Qt::DashLine, Qt::RoundCap));
  p.drawPath(road);
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : kProgramIconSizes) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  return icon;
}

QPixmap BackgroundPicture() {
  QPixmap pixmap = Canvas(360, 220);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // The alignment: a tangent, a curve and another tangent, with the road's edges beside it.
  QPainterPath axis;
  axis.moveTo(20, 190);
  axis.lineTo(120, 140);
  axis.cubicTo(170, 115, 200, 115, 240, 90);
  axis.lineTo(318, 44);
  for (const auto& [width, colour] : {std::pair{26.0, QColor(110, 110, 115)}, std::pair{22.0, QColor(70, 70, 75)}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(axis);
  }
  p.setPen(QPen(QColor(250, 250, 250), 2, Qt::DashLine, Qt::RoundCap));
  p.drawPath(axis);
  // Station ticks along the axis.
  p.setPen(QPen(QColor(200, 40, 40), 2));
  QFont font(QStringLiteral("Sans Serif"), 7);
  p.setFont(font);
  for (int i = 0; i <= 6; ++i) {
    const qreal t = i / 6.0;
    const QPointF at = axis.pointAtPercent(t);
    const qreal angle = axis.angleAtPercent(t);
    p.save();
    p.translate(at);
    p.rotate(-angle);
    p.drawLine(QPointF(0, -16), QPointF(0, 16));
    p.drawText(QPointF(3, -18), QStringLiteral("0+%1").arg(i * 100, 3, 10, QLatin1Char('0')));
    p.restore();
  }
  p.setPen(QColor(40, 70, 120));
  QFont title(QStringLiteral("Sans Serif"), 18, QFont::Bold);
  p.setFont(title);
  p.drawText(QRectF(0, 150, 360, 40), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("NetCAD > XML"));
  return pixmap;
}

}  // namespace velkor::app

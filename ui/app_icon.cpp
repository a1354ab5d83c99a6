#include "ui/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace qx {

QPixmap programPixmap(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);

  // Antenna, then the body with a display and a speaker grille.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 44, 52));
  p.drawRoundedRect(QRectF(17, 2, 6, 20), 3, 3);

  QLinearGradient body(0, 14, 0, 62);
  body.setColorAt(0, QColor(70, 78, 92));
  body.setColorAt(1, QColor(28, 32, 40));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(14, 14, 36, 48), 7, 7);

  QLinearGradient lcd(0, 20, 0, 34);
  lcd.setColorAt(0, QColor(150, 210, 255));
  lcd.setColorAt(1, QColor(60, 140, 220));
  p.setBrush(lcd);
  p.drawRoundedRect(QRectF(19, 20, 26, 14), 2, 2);

  p.setBrush(QColor(200, 206, 214));
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) p.drawEllipse(QPointF(23.5 + col * 5.7, 41 + row * 5.5), 1.5, 1.5);

  p.setBrush(QColor(230, 90, 60));
  p.drawEllipse(QPointF(44, 9), 3, 3);
  return pm;
}

QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(programPixmap(size));
  return icon;
}

}  // namespace qx

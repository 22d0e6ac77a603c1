// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Wertmarken.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace vk::ui {

namespace {

// Room between a label and its point, and around its digits.
constexpr double kAbstand = 4;
constexpr double kRand = 2;

}  // namespace

QList<GesetzteMarke> MarkenSetzen(const QList<Wertmarke>& kandidaten, const QFontMetricsF& masse,
                                  const QRectF& flaeche) {
  QList<GesetzteMarke> gesetzt;
  for (const Wertmarke& k : kandidaten) {
    const double breite = masse.horizontalAdvance(k.text) + 2 * kRand;
    const double hoehe = masse.height();
    if (breite > flaeche.width() || hoehe > flaeche.height()) continue;
    QRectF r(k.anker.x() - breite / 2, k.anker.y() - kAbstand - hoehe, breite, hoehe);
    // Pushed back inside the plot: a label at the top stands on its point rather than above.
    if (r.left() < flaeche.left()) r.moveLeft(flaeche.left());
    if (r.right() > flaeche.right()) r.moveRight(flaeche.right());
    if (r.top() < flaeche.top()) r.moveTop(flaeche.top());
    if (r.bottom() > flaeche.bottom()) r.moveBottom(flaeche.bottom());
    const bool frei = std::none_of(gesetzt.cbegin(), gesetzt.cend(),
                                   [&r](const GesetzteMarke& g) { return g.rahmen.intersects(r); });
    if (frei) gesetzt.append({r, k.text, k.farbe});
  }
  return gesetzt;
}

MarkenSchicht::MarkenSchicht(QGraphicsItem* eltern) : QGraphicsItem(eltern) {
  // Above the series, the legend and the plot's own decorations.
  setZValue(1000);
}

void MarkenSchicht::Setzen(QList<GesetzteMarke> marken, const QFont& schrift) {
  prepareGeometryChange();
  marken_ = std::move(marken);
  schrift_ = schrift;
  umriss_ = QRectF();
  for (const GesetzteMarke& m : marken_) umriss_ = umriss_.united(m.rahmen);
  update();
}

void MarkenSchicht::paint(QPainter* maler, const QStyleOptionGraphicsItem*, QWidget*) {
  maler->save();
  maler->setFont(schrift_);
  for (const GesetzteMarke& m : marken_) {
    maler->setPen(Qt::NoPen);
    maler->setBrush(QColor(255, 255, 255, 190));
    maler->drawRect(m.rahmen);
    maler->setPen(m.farbe);
    maler->drawText(m.rahmen, Qt::AlignCenter, m.text);
  }
  maler->restore();
}

}  // namespace vk::ui

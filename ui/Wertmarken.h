// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QFontMetricsF;

namespace vk::ui {

// A value label that wants to stand above the point `anker` (chart coordinates).
struct Wertmarke {
  QPointF anker;
  QString text;
  QColor farbe;
};

// A label as drawn: its box and what it shows.
struct GesetzteMarke {
  QRectF rahmen;
  QString text;
  QColor farbe;
};

// The labels that find room, in the order given: each box centred above its anchor, pushed
// inside `flaeche` where it would leave it, and left out where it would cover a box already
// set. Crowded labels are so thinned, the earlier ones winning.
QList<GesetzteMarke> MarkenSetzen(const QList<Wertmarke>& kandidaten, const QFontMetricsF& masse,
                                  const QRectF& flaeche);

// Draws the labels above the series, each on a light box, so that no line or grid runs
// through its digits.
class MarkenSchicht : public QGraphicsItem {
 public:
  explicit MarkenSchicht(QGraphicsItem* eltern);
  void Setzen(QList<GesetzteMarke> marken, const QFont& schrift);
  const QList<GesetzteMarke>& Marken() const { return marken_; }

  QRectF boundingRect() const override { return umriss_; }
  void paint(QPainter* maler, const QStyleOptionGraphicsItem*, QWidget*) override;

 private:
  QList<GesetzteMarke> marken_;
  QFont schrift_;
  QRectF umriss_;
};

}  // namespace vk::ui

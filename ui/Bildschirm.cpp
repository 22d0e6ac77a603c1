// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Bildschirm.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <climits>

namespace vk::ui {

namespace {

// The bounding box of every screen's available area; a plain 1024 x 768 when there is none.
QRect VerfuegbareFlaeche() {
  QRect flaeche;
  for (const QScreen* s : QGuiApplication::screens())
    flaeche = flaeche.united(s->availableGeometry());
  return flaeche.isValid() ? flaeche : QRect(0, 0, 1024, 768);
}

// v within [lo, hi], in 64 bits so that no saved value can overflow on the way.
int Begrenzt(long long v, long long lo, long long hi) {
  return static_cast<int>(std::clamp(v, lo, std::max(lo, hi)));
}

}  // namespace

QRect AufBildschirme(int x, int y, int breite, int hoehe, QSize mindestens) {
  const QRect f = VerfuegbareFlaeche();
  const int w = Begrenzt(breite, mindestens.width(), f.width());
  const int h = Begrenzt(hoehe, mindestens.height(), f.height());
  const int links = Begrenzt(x, f.left(), static_cast<long long>(f.left()) + f.width() - w);
  const int oben = Begrenzt(y, f.top(), static_cast<long long>(f.top()) + f.height() - h);
  return {links, oben, w, h};
}

QRect GespeichertesFenster(int x, int y, int breite, int hoehe, QSize mindestens, QSize vorgabe) {
  const QRect f = VerfuegbareFlaeche();
  const bool moeglich = breite >= mindestens.width() && hoehe >= mindestens.height() &&
                        breite <= f.width() && hoehe <= f.height();
  return moeglich ? AufBildschirme(x, y, breite, hoehe, mindestens)
                  : AufBildschirme(x, y, vorgabe.width(), vorgabe.height(), mindestens);
}

QPoint Daneben(const QRect& nachbar, QSize groesse) {
  const QRect f = VerfuegbareFlaeche();
  const long long rechtsFrei = static_cast<long long>(f.right()) - nachbar.right();
  const long long linksFrei = static_cast<long long>(nachbar.left()) - f.left();
  long long x = 0;
  if (rechtsFrei >= groesse.width() || rechtsFrei >= linksFrei)
    x = static_cast<long long>(nachbar.right()) + 1;
  else
    x = static_cast<long long>(nachbar.left()) - groesse.width();
  const QRect platz = AufBildschirme(Begrenzt(x, INT_MIN, INT_MAX), nachbar.top(), groesse.width(),
                                     groesse.height(), QSize(1, 1));
  return platz.topLeft();
}

}  // namespace vk::ui

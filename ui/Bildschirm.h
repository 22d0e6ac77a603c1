// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace vk::ui {

// A window rectangle from the settings, brought onto the screens there are: its size at least
// `mindestens` and at most the screens' combined available area, its position such that the
// whole window lies in that area. Saved values come from other machines and other screens, or
// from a damaged store (a width of 2^31 - 1 overflowed inside Qt's geometry arithmetic); they
// are clamped when read and again when written.
QRect AufBildschirme(int x, int y, int breite, int hoehe, QSize mindestens);

// As AufBildschirme, but a saved size that no window of this kind can have (a dimension below
// `mindestens` or beyond the screens' area, such as a height of -50) is not clamped into a
// sliver: the window gets `vorgabe` instead. The position is the frame's top left corner, so
// that the title bar lies on the screen too.
QRect GespeichertesFenster(int x, int y, int breite, int hoehe, QSize mindestens, QSize vorgabe);

// Where a window of size `groesse` goes beside the frame `nachbar` of another one: to its right
// when there is room, else to its left, else on the side with more room; level with its top and
// always wholly within the screens' area.
QPoint Daneben(const QRect& nachbar, QSize groesse);

}  // namespace vk::ui

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

}  // namespace vk::ui

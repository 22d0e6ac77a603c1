// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Meldungen.h"

#include <QMessageBox>
#include <utility>

namespace vk::ui {

namespace {
WarnungsAnzeige& Ersatz() {
  static WarnungsAnzeige anzeige;
  return anzeige;
}
}  // namespace

void Warnung(QWidget* eltern, const QString& text) {
  if (Ersatz()) {
    Ersatz()(eltern, text);
    return;
  }
  QMessageBox::warning(eltern, QStringLiteral("Vostra Kalibra"), text, QMessageBox::Ok);
}

WarnungsAnzeige WarnungsAnzeigeSetzen(WarnungsAnzeige anzeige) {
  return std::exchange(Ersatz(), std::move(anzeige));
}

}  // namespace vk::ui

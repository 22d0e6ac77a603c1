// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Meldungen.h"

#include <QMessageBox>
#include <utility>

#include "core/DatenDatei.h"

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

QString LesefehlerMitDetail(const std::string& pfad, Status st, const std::string& detail) {
  QString text = QString::fromStdString(LesefehlerText(pfad, st));
  if (!detail.empty()) text += "\n" + QString::fromStdString(detail);
  return text;
}

WarnungsAnzeige WarnungsAnzeigeSetzen(WarnungsAnzeige anzeige) {
  return std::exchange(Ersatz(), std::move(anzeige));
}

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Zahlenfeld.h"

#include <QLocale>
#include <QRegularExpressionValidator>

#include "core/Format.h"

namespace vk::ui {

QString Fest(double wert, int dezimalen) {
  return QString::fromStdString(FormatFixed(wert, dezimalen));
}

double ZahlAusText(const QString& text, bool* ok) {
  bool gelungen = false;
  const double wert = QLocale::c().toDouble(text.trimmed(), &gelungen);
  if (ok != nullptr) *ok = gelungen;
  return gelungen ? wert : 0.0;
}

TNumEdit::TNumEdit(int dezimalen, bool nurLesen, QWidget* eltern)
    : QLineEdit(eltern), dezimalen_(dezimalen) {
  setReadOnly(nurLesen);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ValidatorSetzen();
  SetzeWert(0);
}

void TNumEdit::ValidatorSetzen() {
  if (isReadOnly()) return;
  const QString vorzeichen = nurPositiv_ ? QString() : QStringLiteral("-?");
  const QString muster =
      dezimalen_ == 0 ? vorzeichen + QStringLiteral("\\d{0,10}")
                      : vorzeichen + QStringLiteral("\\d{0,15}(\\.\\d{0,15})?([eE][-+]?\\d{0,3})?");
  setValidator(new QRegularExpressionValidator(QRegularExpression(muster), this));
}

void TNumEdit::SetzeWert(double wert) {
  setText(Fest(wert, dezimalen_));
}

double TNumEdit::Wert() const {
  return ZahlAusText(text());
}

void TNumEdit::SetzeDezimalen(int dezimalen) {
  const double wert = Wert();
  dezimalen_ = dezimalen;
  ValidatorSetzen();
  SetzeWert(wert);
}

void TNumEdit::SetzeNurPositiv(bool nurPositiv) {
  nurPositiv_ = nurPositiv;
  ValidatorSetzen();
}

void TNumEdit::focusOutEvent(QFocusEvent* e) {
  // An edited value is shown again in the field's format once the user leaves it.
  if (!isReadOnly()) SetzeWert(Wert());
  QLineEdit::focusOutEvent(e);
}

}  // namespace vk::ui

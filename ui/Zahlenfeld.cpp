// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Zahlenfeld.h"

#include <QLocale>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

#include "core/Format.h"

namespace vk::ui {

namespace {

// Beyond this a fixed-point statistic is hard to read and wider than any field is made for.
constexpr double kFestBis = 1e9;
// QLineEdit keeps this much room on either side of its text (not exposed by Qt).
constexpr int kInnenrand = 2;

}  // namespace

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
  // Whatever the user (or a program acting for one) puts in the text becomes the value; the
  // field's own reformatting does not.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!eigenerText_) wert_ = ZahlAusText(text);
  });
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
  wert_ = wert;
  Anzeigen();
}

void TNumEdit::Anzeigen() {
  const QString text = Anzeigetext();
  if (text == this->text()) return;
  eigenerText_ = true;
  setText(text);
  eigenerText_ = false;
}

QString TNumEdit::Anzeigetext() const {
  const QString fest = Fest(wert_, dezimalen_);
  if (!std::isfinite(wert_)) return fest;
  if (!isReadOnly()) {
    // What was typed stays visible: as many decimals as the value needs to read back unchanged.
    for (int d = dezimalen_; d <= 17; ++d) {
      const QString text = Fest(wert_, d);
      if (ZahlAusText(text) == wert_) return text;
    }
    return QString::fromStdString(FormatExact(wert_));
  }
  const QFontMetrics fm = fontMetrics();
  const int platz = Textbreite();
  if (std::fabs(wert_) <= kFestBis && fm.horizontalAdvance(fest) <= platz) return fest;
  // Exponent notation, with as many of the format's decimals as the field has room for.
  QString text;
  for (int d = std::max(dezimalen_, 4); d >= 0; --d) {
    text = QLocale::c().toString(wert_, 'e', d);
    if (fm.horizontalAdvance(text) <= platz) break;
  }
  return text;
}

int TNumEdit::Textbreite() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return r.marginsRemoved(textMargins()).width() - 2 * kInnenrand;
}

void TNumEdit::BreiteFuer(const QString& muster) {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QMargins rand = textMargins();
  const int innen =
      fontMetrics().horizontalAdvance(muster) + 2 * kInnenrand + rand.left() + rand.right();
  const QSize groesse = style()->sizeFromContents(QStyle::CT_LineEdit, &option,
                                                  QSize(innen, sizeHint().height()), this);
  setMinimumWidth(groesse.width());
}

void TNumEdit::SetzeDezimalen(int dezimalen) {
  dezimalen_ = dezimalen;
  ValidatorSetzen();
  Anzeigen();
}

void TNumEdit::SetzeNurPositiv(bool nurPositiv) {
  nurPositiv_ = nurPositiv;
  ValidatorSetzen();
}

void TNumEdit::focusOutEvent(QFocusEvent* e) {
  // An edited value is shown again in the field's format once the user leaves it.
  if (!isReadOnly()) Anzeigen();
  QLineEdit::focusOutEvent(e);
}

void TNumEdit::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  if (isReadOnly()) Anzeigen();
}

}  // namespace vk::ui

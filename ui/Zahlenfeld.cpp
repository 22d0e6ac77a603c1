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

namespace {

// Whether a fixed-point text stands for zero: nothing but zeros after an optional sign.
bool NurNullen(const QString& text) {
  bool ziffer = false;
  for (qsizetype i = text.startsWith('-') ? 1 : 0; i < text.size(); ++i) {
    if (text[i] == '0') {
      ziffer = true;
    } else if (text[i] != '.') {
      return false;
    }
  }
  return ziffer;
}

}  // namespace

QString Fest(double wert, int dezimalen) {
  QString text = QString::fromStdString(FormatFixed(wert, dezimalen));
  // A value that rounds to zero carries no sign: "-0.00" would read as a value of its own.
  if (text.startsWith('-') && NurNullen(text)) text.remove(0, 1);
  return text;
}

QString FestOderSignifikant(double wert, int dezimalen) {
  const QString fest = Fest(wert, dezimalen);
  if (wert == 0 || !std::isfinite(wert) || !NurNullen(fest)) return fest;
  return QLocale::c().toString(wert, 'g', kSignifikanteStellen);
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
  if (text != this->text()) {
    eigenerText_ = true;
    setText(text);
    eigenerText_ = false;
  }
  if (isReadOnly()) return;
  // A value wider than the field shows its leading digits, and whole as its tooltip.
  const bool abgeschnitten = fontMetrics().horizontalAdvance(text) > Textbreite();
  if (!hasFocus()) setCursorPosition(0);
  setToolTip(!abgeschnitten ? hinweis_
                            : (hinweis_.isEmpty() ? text : hinweis_ + QStringLiteral(": ") + text));
}

void TNumEdit::SetzeHinweis(const QString& hinweis) {
  hinweis_ = hinweis;
  Anzeigen();
}

QString TNumEdit::Anzeigetext() const {
  const QString fest = Fest(wert_, dezimalen_);
  if (!std::isfinite(wert_)) return fest;
  const QFontMetrics fm = fontMetrics();
  const int platz = Textbreite();
  if (!isReadOnly()) {
    // What was typed stays visible: as many decimals as the value needs to read back unchanged,
    // the format's padding only where there is room for it.
    QString text = QString::fromStdString(FormatExact(wert_));
    for (int d = dezimalen_; d <= 17; ++d) {
      const QString t = Fest(wert_, d);
      if (ZahlAusText(t) != wert_) continue;
      text = t;
      break;
    }
    if (fm.horizontalAdvance(text) <= platz) return text;
    for (int d = 0; d < dezimalen_; ++d) {
      const QString t = Fest(wert_, d);
      if (ZahlAusText(t) == wert_) return t;
    }
    return text;
  }
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
  if (isReadOnly() || !hasFocus()) Anzeigen();
}

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace vk::ui {

// A numeric field: shows its value with a fixed number of decimals ("." as separator whatever
// the locale), 0 decimals for whole numbers. Read-only fields show results; editable ones accept
// only what parses as a number (no "-" when negatives are not wanted).
//
// The field keeps the value itself, not its text: the format is for the eye only. An editable
// field holds exactly what was typed and, on leaving it, shows that value with as many decimals
// as it needs beyond the format's (fewer, down to what the value needs, where the field is too
// narrow; a value still too wide shows its leading digits and its whole text as tooltip); a
// read-only field never shows a number cut off by its width
// (past 10^9, or when the fixed text would not fit, it switches to exponent notation).
class TNumEdit : public QLineEdit {
 public:
  TNumEdit(int dezimalen, bool nurLesen, QWidget* eltern = nullptr);

  void SetzeWert(double wert);
  // The value typed or set last; 0 for an empty or unfinished text.
  double Wert() const { return wert_; }

  void SetzeDezimalen(int dezimalen);
  int Dezimalen() const { return dezimalen_; }
  void SetzeNurPositiv(bool nurPositiv);
  // The tooltip of an editable field; a value cut off by the field's width is added to it.
  void SetzeHinweis(const QString& hinweis);
  // Makes the field wide enough for `muster` in its own font and frame.
  void BreiteFuer(const QString& muster);

 protected:
  void focusOutEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void ValidatorSetzen();
  void Anzeigen();
  int Textbreite() const;
  QString Anzeigetext() const;

  int dezimalen_;
  bool nurPositiv_ = false;
  double wert_ = 0;
  bool eigenerText_ = false;
  QString hinweis_;
};

// The display formats: "0.0000;-0.0000" and the like, "." separator; a value that rounds to
// zero is shown without a sign.
QString Fest(double wert, int dezimalen);
// As Fest, except for a value other than 0 that the format would show as zero (an expected
// frequency of 3e-5, a parameter of 2.19e-14): its first significant digits, in exponent
// notation where the value is that small ("2.191e-14", "0.003").
inline constexpr int kSignifikanteStellen = 4;
QString FestOderSignifikant(double wert, int dezimalen);
// A number parsed from a displayed text ("." separator); 0 when it does not parse.
double ZahlAusText(const QString& text, bool* ok = nullptr);

}  // namespace vk::ui

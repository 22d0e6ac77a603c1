// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace vk::ui {

// A numeric field: shows its value with a fixed number of decimals ("." as separator whatever
// the locale), 0 decimals for whole numbers. Read-only fields show results; editable ones accept
// only what parses as a number (no "-" when negatives are not wanted).
class TNumEdit : public QLineEdit {
 public:
  TNumEdit(int dezimalen, bool nurLesen, QWidget* eltern = nullptr);

  void SetzeWert(double wert);
  // The value the text stands for; 0 for an empty or unfinished text.
  double Wert() const;

  void SetzeDezimalen(int dezimalen);
  int Dezimalen() const { return dezimalen_; }
  void SetzeNurPositiv(bool nurPositiv);

 protected:
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void ValidatorSetzen();

  int dezimalen_;
  bool nurPositiv_ = false;
};

// The display formats: "0.0000;-0.0000" and the like, "." separator.
QString Fest(double wert, int dezimalen);
// A number parsed from a displayed text ("." separator); 0 when it does not parse.
double ZahlAusText(const QString& text, bool* ok = nullptr);

}  // namespace vk::ui

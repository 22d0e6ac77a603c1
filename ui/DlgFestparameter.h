// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace vk::ui {

class TNumEdit;

// Asks for the values of up to three fixed parameters that the data do not determine.
class TFestparameterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TFestparameterDlg(QWidget* eltern = nullptr);

  // Rows 1..3: description, whole numbers only; the value starts at 0. An empty description hides
  // the row's field.
  void InitFeld(int feldNr, const QString& beschreibung, bool ganzeZahl);
  double GibFeld(int feldNr) const;
  void SetzeFeld(int feldNr, double wert);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::array<QLabel*, 3> beschreibung_{};
  std::array<TNumEdit*, 3> feld_{};
};

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QDialog>

#include "fitting/Einstellungen.h"

namespace vk::ui {

class TNumEdit;

// Edits the main window's optimisation criteria. OK writes the edits back into the record;
// "Default" puts the defaults into the record at once (Cancel does not take that back).
class TOptimierungDlg : public QDialog {
  Q_OBJECT
 public:
  TOptimierungDlg(TEinstellungen& einstellungen, QWidget* eltern = nullptr);

 public slots:
  void accept() override;
  void VorgabenSetzen();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Fuellen();

  TEinstellungen& einstellungen_;
  TNumEdit* reflektion_;
  TNumEdit* expansion_;
  TNumEdit* kontraktion_;
  TNumEdit* abbruch_;
  TNumEdit* mindestklasse_;
  TNumEdit* wiederholungen_;
  TNumEdit* zyklen_;
  QCheckBox* verfeinerung_;
};

}  // namespace vk::ui

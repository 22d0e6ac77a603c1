// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DlgFestparameter.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Zahlenfeld.h"

namespace vk::ui {

TFestparameterDlg::TFestparameterDlg(QWidget* eltern) : QDialog(eltern) {
  setObjectName("TFestparameterDlg");
  setWindowTitle("Parameters");
  auto* raster = new QGridLayout;
  for (int k = 0; k < 3; ++k) {
    beschreibung_[k] = new QLabel(this);
    beschreibung_[k]->setObjectName(QString("LblBeschreibung%1").arg(k + 1));
    beschreibung_[k]->setWordWrap(true);
    beschreibung_[k]->setMinimumWidth(260);
    feld_[k] = new TNumEdit(4, false, this);
    feld_[k]->setObjectName(QString("NumEdFestparameter%1").arg(k + 1));
    raster->addWidget(beschreibung_[k], k, 0);
    raster->addWidget(feld_[k], k, 1);
  }
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(raster);
  layout->addWidget(knoepfe);
  for (int k = 1; k <= 3; ++k) InitFeld(k, QString(), false);
}

void TFestparameterDlg::InitFeld(int feldNr, const QString& beschreibung, bool ganzeZahl) {
  if (feldNr < 1 || feldNr > 3) return;
  QLabel* label = beschreibung_[feldNr - 1];
  TNumEdit* feld = feld_[feldNr - 1];
  label->setText(beschreibung);
  feld->SetzeDezimalen(ganzeZahl ? 0 : 4);
  feld->SetzeWert(0);
  feld->setVisible(!beschreibung.isEmpty());
}

double TFestparameterDlg::GibFeld(int feldNr) const {
  if (feldNr < 1 || feldNr > 3) return 0;
  return feld_[feldNr - 1]->Wert();
}

void TFestparameterDlg::SetzeFeld(int feldNr, double wert) {
  if (feldNr >= 1 && feldNr <= 3) feld_[feldNr - 1]->SetzeWert(wert);
}

void TFestparameterDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  feld_[0]->setFocus();
  feld_[0]->selectAll();
}

}  // namespace vk::ui

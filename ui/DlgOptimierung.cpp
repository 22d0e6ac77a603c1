// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DlgOptimierung.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/Zahlenfeld.h"

namespace vk::ui {

namespace {
std::uint32_t AlsCardinal(double wert) {
  // The field takes whole numbers only; anything outside the 32-bit range is clamped.
  if (!(wert > 0)) return 0;
  return static_cast<std::uint32_t>(std::min(std::floor(wert), 4294967295.0));
}
}  // namespace

TOptimierungDlg::TOptimierungDlg(TEinstellungen& einstellungen, QWidget* eltern)
    : QDialog(eltern), einstellungen_(einstellungen) {
  setObjectName("TOptimierungDlg");
  setWindowTitle("Optimisation criteria");
  auto* form = new QFormLayout;
  const auto feld = [&](const char* name, const char* text, int dezimalen) {
    auto* f = new TNumEdit(dezimalen, false, this);
    f->setObjectName(name);
    form->addRow(text, f);
    return f;
  };
  reflektion_ = feld("NumEdReflection", "Reflection", 4);
  expansion_ = feld("NumEdExpansion", "Expansion", 4);
  kontraktion_ = feld("NumEdContraction", "Contraction", 4);
  abbruch_ = feld("NumEdAbortionCriterium", "Abortion criterium", 4);
  mindestklasse_ = feld("NumEdMinimalClassSize", "Minimal class size", 4);
  wiederholungen_ = feld("NumEdPeptOfIterations", "Rept. of iterations", 0);
  zyklen_ = feld("NumEdOptimisationCycles", "Optimisation cycles", 0);
  wiederholungen_->SetzeNurPositiv(true);
  zyklen_->SetzeNurPositiv(true);
  verfeinerung_ = new QCheckBox("Refine", this);
  verfeinerung_->setObjectName("CBVerfeinerung");
  verfeinerung_->setToolTip(
      "After each method's classic cycle, restart the simplex axis-wise from its best vertex "
      "while X² improves; a refined result is kept only where it is better");
  form->addRow("", verfeinerung_);

  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* vorgabe = knoepfe->addButton("Default", QDialogButtonBox::ResetRole);
  vorgabe->setObjectName("BtnDefault");
  connect(knoepfe, &QDialogButtonBox::accepted, this, &TOptimierungDlg::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(vorgabe, &QPushButton::clicked, this, &TOptimierungDlg::VorgabenSetzen);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(knoepfe);
}

void TOptimierungDlg::Fuellen() {
  reflektion_->SetzeWert(einstellungen_.Reflektionsweite);
  expansion_->SetzeWert(einstellungen_.Expansionsweite);
  kontraktion_->SetzeWert(einstellungen_.Kontraktionsgroesse);
  abbruch_->SetzeWert(einstellungen_.Abbruchkriterium);
  mindestklasse_->SetzeWert(einstellungen_.Mindestklassengroesse);
  wiederholungen_->SetzeWert(einstellungen_.Iterationswiederholungen);
  zyklen_->SetzeWert(einstellungen_.Optimierungsversuche);
  verfeinerung_->setChecked(einstellungen_.Verfeinerung);
}

void TOptimierungDlg::showEvent(QShowEvent* e) {
  Fuellen();
  QDialog::showEvent(e);
  reflektion_->setFocus();
}

void TOptimierungDlg::VorgabenSetzen() {
  einstellungen_ = TEinstellungen{};
  Fuellen();
}

void TOptimierungDlg::accept() {
  einstellungen_.Reflektionsweite = reflektion_->Wert();
  einstellungen_.Expansionsweite = expansion_->Wert();
  einstellungen_.Kontraktionsgroesse = kontraktion_->Wert();
  einstellungen_.Abbruchkriterium = abbruch_->Wert();
  einstellungen_.Mindestklassengroesse = mindestklasse_->Wert();
  einstellungen_.Iterationswiederholungen = AlsCardinal(wiederholungen_->Wert());
  einstellungen_.Optimierungsversuche = AlsCardinal(zyklen_->Wert());
  einstellungen_.Verfeinerung = verfeinerung_->isChecked();
  QDialog::accept();
}

}  // namespace vk::ui

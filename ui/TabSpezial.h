// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <vector>

#include "fitting/Anpassungen.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vk::ui {

class Arbeiter;
class Fensterdienste;
class TNumEdit;

// The special fitting: the five-coefficient model with a preflight grid over b1 and b2, run on a
// worker. Everything the fit needs from the tab is read before it starts.
class TabSpezial : public QWidget {
  Q_OBJECT
 public:
  TabSpezial(Fensterdienste& fenster, QWidget* eltern);
  ~TabSpezial() override;

  void Starten();
  bool Laeuft() const { return arbeiter_ != nullptr; }
  void AuswahlFuellen();
  // The result fields back to empty; Leeren also the coefficients a0..a2.
  void AnzeigeLeeren();
  void Leeren();
  void ZustandAnpassung(bool laeuft);
  // The preflight ranges for data whose last class index is n: -n..n in 100 steps.
  void DatenGeaendert(int n);
  QString Verteilungsname() const;

 private:
  Spezialvorgaben VorgabenLesen() const;
  void PreflightVorgaben(int parameter);  // 3 = b1, 4 = b2
  void ParameterAnzeigen(const TVerteilungsparameter& vp);
  void ErgebnisAnzeigen(const TAnpassung& a);
  void Beendet(Status st);

  Fensterdienste& fenster_;
  std::unique_ptr<Arbeiter> arbeiter_;
  std::atomic<bool> abbruch_{false};
  int n_ = 0;
  // What the running fit was given (which coefficients it holds fixed).
  Spezialvorgaben vorgaben_{};
  QString besteZusatz_;  // window side: the refinement's mark of the best method's result

  QComboBox* CBSFVerteilung = nullptr;
  QTreeWidget* LVSFParameter = nullptr;
  QLineEdit* EdSFErgebnis = nullptr;
  TNumEdit* NumEdSFChi2 = nullptr;
  TNumEdit* NumEdSFPChi2 = nullptr;
  TNumEdit* NumEdSFFG = nullptr;
  TNumEdit* NumEdSFKontingenz = nullptr;
  TNumEdit* NumEdSFDetKoeff = nullptr;
  TNumEdit* NumEdSFb1Start = nullptr;
  TNumEdit* NumEdSFb1Stop = nullptr;
  TNumEdit* NumEdSFb1Delta = nullptr;
  TNumEdit* NumEdSFb2Start = nullptr;
  TNumEdit* NumEdSFb2Stop = nullptr;
  TNumEdit* NumEdSFb2Delta = nullptr;
  QPushButton* BtnSFb1Default = nullptr;
  QPushButton* BtnSFb2Default = nullptr;
  TNumEdit* NumEdSFa0 = nullptr;
  TNumEdit* NumEdSFa1 = nullptr;
  TNumEdit* NumEdSFa2 = nullptr;
  QCheckBox* CBSFa0 = nullptr;
  QCheckBox* CBSFa1 = nullptr;
  QCheckBox* CBSFa2 = nullptr;
  QCheckBox* CBSFb1 = nullptr;
  QCheckBox* CBSFb2 = nullptr;
  QPushButton* BtnSFAbbrechen = nullptr;
};

}  // namespace vk::ui

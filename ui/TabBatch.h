// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>

#include "fitting/Ergebnis.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace vk::ui {

class Arbeiter;
class BatchZeile;
class Fensterdienste;
struct TBatchObj;

// The batch fitting: one distribution over every input file, a row per file with its best fit,
// parameters and statistics. The files are read and fitted on a worker; each row comes to the
// window whole when its file is done.
class TabBatch : public QWidget {
  Q_OBJECT
 public:
  TabBatch(Fensterdienste& fenster, QWidget* eltern);
  ~TabBatch() override;

  void Starten();
  bool Laeuft() const { return arbeiter_ != nullptr; }
  void AuswahlFuellen();
  void Leeren();
  void ZustandAnpassung(bool laeuft);
  QString Verteilungsname() const;

 private:
  // The columns: the results, one per parameter of the chosen distribution, then the file's
  // statistics.
  void SpaltenBauen();
  // The list column of the k-th parameter column, and of a column after the parameters.
  int ParameterSpalte(int k) const;
  int NachParametern(int spalte) const;
  void ZeileHinzufuegen(const QString& pfad, std::unique_ptr<TBatchObj> obj, Status st,
                        bool mitErgebnis);
  void Beendet();
  void ZeileGewaehlt();
  void ZeileDoppelklick();

  Fensterdienste& fenster_;
  std::unique_ptr<Arbeiter> arbeiter_;
  std::atomic<bool> abbruch_{false};
  int sortiert_ = -1;
  int parameterSpalten_ = 0;

  QPushButton* BtnBFAbbrechen = nullptr;
  QComboBox* CBBFVerteilung = nullptr;
  QTreeWidget* LVBFBatch = nullptr;
};

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "fitting/Bootstrap.h"
#include "fitting/Einstellungen.h"
#include "fitting/Ergebnis.h"
#include "fitting/Kruemmung.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace vk::ui {

class Arbeiter;
class Fensterdienste;
class TNumEdit;
struct WaitCursor;

// The selected fitting: one distribution, method by method. The fit runs on a worker; between
// two methods it waits for "Next Method" or "Cancel" unless only the best method is shown.
class TabAnpassen : public QWidget {
  Q_OBJECT
 public:
  TabAnpassen(Fensterdienste& fenster, QWidget* eltern);
  ~TabAnpassen() override;

  void Starten();
  bool Laeuft() const { return arbeiter_ != nullptr; }
  // The result fields, parameters and method counter back to empty.
  void Leeren();
  // The distribution list: with assisted selection only those that suit the engine's data.
  void AuswahlFuellen();
  void ZustandAnpassung(bool laeuft);

  bool Auswahlhilfe() const { return auswahlhilfe_; }
  void AuswahlhilfeSetzen(bool an);
  bool NurBesteMethode() const;
  void NurBesteMethodeSetzen(bool an);
  QString Verteilungsname() const;
  // Chooses the distribution of this name, the whole list shown; false if there is none.
  bool VerteilungWaehlen(const QString& name);
  // "Next Method" from the menu.
  void NaechsteMethode();
  // The standard errors computed after a fit: bootstrap samples (0 for none), seed, curvature.
  InferenzEinstellungen Inferenz() const;
  void InferenzSetzen(const InferenzEinstellungen& e);

 signals:
  void NaechsteMethodeMoeglich(bool moeglich);

 private:
  // Worker side.
  bool NaechsteMethodeAbwarten();
  // Window side.
  void WartenAnzeigen(bool wartet);
  void ErgebnisAnzeigen(const TAnpassung& a);
  void ParameterAnzeigen(const TVerteilungsparameter& vp);
  // What the standard errors found: the ± column of the free parameters and the summary line.
  struct Unsicherheit {
    InferenzEinstellungen auftrag;
    BootstrapErgebnis bootstrap;
    KruemmungsErgebnis kruemmung;
  };
  void InferenzAnzeigen(const Unsicherheit& u);
  void Beendet(Status st);
  void Abbrechen();

  Fensterdienste& fenster_;
  bool auswahlhilfe_ = false;
  std::unique_ptr<Arbeiter> arbeiter_;
  std::unique_ptr<WaitCursor> waitCursor_;
  // The user's answer between two methods, and the cancel, both seen by the waiting worker.
  std::mutex antwortSperre_;
  std::condition_variable antwortSignal_;
  bool naechste_ = false;
  // Window side: the worker waits for the answer and "Next Method" is on.
  bool wartet_ = false;
  std::atomic<bool> abbruch_{false};
  QString besteZusatz_;  // window side: the refinement's mark of the best method's result

  QComboBox* CBNFVerteilung = nullptr;
  QTreeWidget* LVNFParameter = nullptr;
  QLineEdit* EdNFErgebnis = nullptr;
  TNumEdit* NumedNFChi2 = nullptr;
  TNumEdit* NumEdNFPChi2 = nullptr;
  TNumEdit* NumEdNFFG = nullptr;
  TNumEdit* NumEdNFKontingenz = nullptr;
  TNumEdit* NumEdNFDetKoeff = nullptr;
  QLabel* LblNFMethode = nullptr;
  TNumEdit* NumEdNFMethode = nullptr;
  TNumEdit* NumEdNFAlternativen = nullptr;
  QCheckBox* CBNFNurBesteMethode = nullptr;
  QCheckBox* CBNFAuswahlhilfe = nullptr;
  QPushButton* BtnNFAbbruch = nullptr;
  QPushButton* BtnNFNaechsteMethode = nullptr;
  QSpinBox* SpinNFBootstrap = nullptr;
  QCheckBox* CBNFKruemmung = nullptr;
  QLabel* LblNFInferenz = nullptr;
  QLineEdit* EdNFSeed = nullptr;
  // The bootstrap's interval kind; each entry holds its Intervallart.
  QComboBox* CBNFIntervall = nullptr;
  // The last seed the field held that was a valid one; a run takes it, never the field's text.
  std::uint64_t seed_ = 1;
  // Takes the field's text as the seed, or says what is wrong with it and puts the last valid
  // seed back; false then.
  bool SeedPruefen();
};

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

#include "core/Datensatz.h"
#include "fitting/Anpassungen.h"
#include "fitting/Einstellungen.h"

class QAction;
class QCheckBox;
class QComboBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace vk::ui {

class BatchZeile;
class SpezialArbeiter;
enum class SpezialEreignis;
struct TBatchObj;
class TFestparameterDlg;
class TFrmDiagramm;
class TNumEdit;
class TOptimierungDlg;

// The main window: input files, statistics, the four fitting tabs, the data list, the progress
// field. It owns the engine, which runs the selected, automatic and batch fittings on this thread
// and the special fitting on a worker thread while this window refuses every other fit.
class TFrmMain : public QMainWindow {
  Q_OBJECT
 public:
  // `katalog` must outlive the window.
  explicit TFrmMain(const Verteilungsverzeichnis& katalog, QWidget* eltern = nullptr);
  ~TFrmMain() override;

  // The files as the open dialog would return them: listed, the first read, the batch list
  // cleared. An empty list changes nothing (a cancelled dialog).
  void DateienOeffnen(const QStringList& pfade);
  // The files named when the program starts: opened as above; with assisted selection the
  // distribution list, empty until now for want of data, is then filled for the first data set.
  void StartdateienOeffnen(const QStringList& pfade);

  bool InAnpassung() const { return FInAnpassung; }
  bool DatenVorhanden() const { return FDatenVorhanden; }
  TFrmDiagramm* Diagramm() const { return FDiagramm.get(); }
  TFestparameterDlg* FestparameterDialog() const { return FFestparameterDlg; }
  TOptimierungDlg* OptimierungDialog() const { return FOptimierungDlg; }
  const OptimisationSettings& Optimierungseinstellungen() const { return FOptPar; }
  const Anpassungen& Engine() const { return *FEngine; }
  // The special fitting's worker, while one runs (tests wait for its end through this).
  bool SpezialLaeuft() const;

 public slots:
  void RfBtnEingabeDatenClick();
  void LBEingabeDatenClick();
  void TBBtnGoClick();
  void TBBtnDiagrammClick();
  void TBBtnOptionenClick();
  void UeberAnzeigen();

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  friend class SpezialArbeiter;

  // Building the window.
  void FensterBauen();
  QWidget* StatistikBauen();
  QWidget* AnpassenTabBauen();
  QWidget* AutomatikTabBauen();
  QWidget* SpezialTabBauen();
  QWidget* BatchTabBauen();
  void MenuesBauen();

  // Data.
  bool EingabeDatenLesen(const QString& pfad);
  bool BatchDatenLesen(const QString& pfad, TBatchObj& obj);
  void DatensatzZeigen(const TDateneigenschaften& eig);
  void ZustandDaten(bool datenVorhanden);
  void ZustandAnpassung(bool laeuft);
  void AuswahlFuellen();
  void SpezialAuswahlFuellen();
  void BatchAuswahlFuellen();
  void BatchSpaltenBauen();
  void PreflightVorgaben(int parameter);  // 3 = b1, 4 = b2

  // The data list's column "NP[i]" back to 0: no fit is shown.
  void NPLeeren();

  // Clearing the displays.
  void NFAnzeigeLeeren();
  void AFListeLeeren();
  void SFAnzeigeLeeren();
  void SFLeeren();
  void BFListeLeeren();

  // The fits.
  void GewaehlteAnpassungStarten();
  void AutomatischeAnpassungStarten();
  void SpezielleAnpassungStarten();
  void BatchAnpassungStarten();
  Status FestparameterErfragen(Festparameterfeld& fest, std::uint32_t anzahl);
  Status ErgebnisAnzeigen(const TAnpassung& a);
  Status ParameterAnzeigen(const TVerteilungsparameter& vp);
  Status KlasseAnzeigen(const TWerte& w);
  bool NaechsteMethodeAbwarten();
  Status AutomatikErgebnisAnzeigen(const TAnpassung& a);
  Status BatchErgebnisAnzeigen(BatchZeile* zeile, const TAnpassung& a);
  Status BatchParameterAnzeigen(BatchZeile* zeile, const TVerteilungsparameter& vp);
  Status BatchKlasseSpeichern(BatchZeile* zeile, const TWerte& w);
  Spezialvorgaben SpezialVorgabenLesen() const;

  // What the special fitting's worker posts back, applied on this thread.
  void SpezialMeldung(SpezialEreignis ereignis, std::uint32_t wert);
  void SpezialParameterAnzeigen(const TVerteilungsparameter& vp);
  void SpezialKlassenAnzeigen(const std::vector<double>& np);
  void SpezialErgebnisAnzeigen(const TAnpassung& a);

  // Progress.
  void FortschrittStart(int gesamt);
  void FortschrittSchritt();
  void FortschrittEnde();

  // Row actions.
  void AutomatikZeileDoppelklick();
  void BatchZeileGewaehlt();
  void BatchZeileDoppelklick();
  void VerteilungWaehlenUndAnpassen(const QString& name);

  const Verteilungsverzeichnis& FKatalog;
  std::unique_ptr<Anpassungen> FEngine;
  OptimisationSettings FOptPar;
  TDateneigenschaften FDateneigenschaften;
  bool FInAnpassung = false;
  bool FDatenVorhanden = false;
  bool FAuswahlhilfe = false;
  // The file whose data the statistics and the data list show (the last one read successfully).
  QString FAngezeigteDatei;
  // The current row of the input file list when a mouse button went down on it: a click that
  // did not move the selection reads the file again, one that did has read it already.
  int FZeileVorKlick = -1;
  // What the running special fitting was given (which coefficients it holds fixed).
  Spezialvorgaben FSFVorgaben{};
  std::atomic<bool> Abbruch{false};
  bool NaechsteMethode = false;
  QEventLoop* FWarteschleife = nullptr;
  std::unique_ptr<SpezialArbeiter> FSFThread;
  int FAFSortiert = -1;
  int FBFSortiert = -1;
  int FBFParameterSpalten = 0;
  int FFortschrittTotal = 0;
  int FFortschrittErledigt = 0;

  std::unique_ptr<TFrmDiagramm> FDiagramm;
  TFestparameterDlg* FFestparameterDlg = nullptr;
  TOptimierungDlg* FOptimierungDlg = nullptr;

  // Toolbar, menus, input data, statistics, data list, status bar.
  QAction* TBBtnGo = nullptr;
  QAction* TBBtnDiagramm = nullptr;
  QAction* TBBtnOptionen = nullptr;
  QAction* AktOeffnen = nullptr;
  QAction* AktNaechsteMethode = nullptr;
  QListWidget* LBEingabeDaten = nullptr;
  QPushButton* RfBtnEingabeDaten = nullptr;
  TNumEdit* NumEdTOT = nullptr;
  TNumEdit* NumEdMoment1 = nullptr;
  TNumEdit* NumEdMoment2 = nullptr;
  TNumEdit* NumEdMoment3 = nullptr;
  TNumEdit* NumEdMoment4 = nullptr;
  TNumEdit* NumEdOrdI = nullptr;
  TNumEdit* NumEdOrdS = nullptr;
  TNumEdit* NumEdSchiefe = nullptr;
  TNumEdit* NumEdExzess = nullptr;
  TNumEdit* NumEdEntropie = nullptr;
  TNumEdit* NumEdWiederholungsrate = nullptr;
  QTabWidget* PgCtrlAnpassungen = nullptr;
  QWidget* TabShAnpassen = nullptr;
  QWidget* TabShAutomatik = nullptr;
  QWidget* TabShSpezial = nullptr;
  QWidget* TabShBatch = nullptr;
  QTreeWidget* LVDaten = nullptr;
  QProgressBar* PrgStatFortschritt = nullptr;
  QLabel* VIStatus = nullptr;

  // Selected fitting.
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

  // Automatic fitting.
  QPushButton* BtnAFAbbrechen = nullptr;
  QTreeWidget* LVAFAutomatik = nullptr;

  // Special fitting.
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

  // Batch fitting.
  QPushButton* BtnBFAbbrechen = nullptr;
  QComboBox* CBBFVerteilung = nullptr;
  QTreeWidget* LVBFBatch = nullptr;
};

}  // namespace vk::ui

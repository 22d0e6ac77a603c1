// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "core/Datensatz.h"
#include "fitting/Anpassungen.h"
#include "fitting/Einstellungen.h"
#include "ui/Fensterdienste.h"

class QAction;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QLabel;

namespace vk::ui {

class TabAnpassen;
class TabAutomatik;
class TabBatch;
class TabSpezial;
class TFestparameterDlg;
class TFrmDiagramm;
class TNumEdit;
class TOptimierungDlg;

// The main window: input files, statistics, the four fitting tabs, the data list, the progress
// field. It owns the engine; each tab runs its fits on a worker of its own, and while one runs
// the window refuses every other fit and any change of the data.
class TFrmMain : public QMainWindow, private Fensterdienste {
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

  bool InAnpassung() const override { return FInAnpassung; }
  bool DatenVorhanden() const { return FDatenVorhanden; }
  TFrmDiagramm* Diagramm() const { return FDiagramm.get(); }
  TFestparameterDlg* FestparameterDialog() const { return FFestparameterDlg; }
  TOptimierungDlg* OptimierungDialog() const { return FOptimierungDlg; }
  const TEinstellungen& Optimierungseinstellungen() const { return FOptPar; }
  const Anpassungen& Engine() const { return *FEngine; }
  Anpassungen& Engine() override { return *FEngine; }
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
  // What the tabs use of the window.
  const Verteilungsverzeichnis& Katalog() const override { return FKatalog; }
  void AnpassungBeginnt() override { ZustandAnpassung(true); }
  void AnpassungEndet() override { ZustandAnpassung(false); }
  Status FestparameterErfragen(Festparameterfeld& fest, std::uint32_t anzahl) override;
  void FortschrittStart(int gesamt) override;
  void FortschrittStand(int erledigt, int gesamt) override;
  void FortschrittSchritt() override;
  void FortschrittEnde() override;
  void NPLeeren() override;
  void NPZeigen(std::uint32_t idx, double np, std::uint32_t gepooltIn) override;
  void NPGehoertZu(const QString& verteilung) override { FNPVerteilung = verteilung; }
  QStringList Eingabedateien() const override;
  bool DateiAnzeigen(const QString& pfad) override;
  void DatensatzAnzeigen(const QString& pfad, const TDateneigenschaften& eig,
                         const TDaten& daten) override;
  void Warnen(const QString& text) override;
  void AufAnpassenTabAnpassen(const QString& name) override;

  // Building the window.
  void FensterBauen();
  QWidget* StatistikBauen();
  void MenuesBauen();

  // Data.
  bool EingabeDatenLesen(const QString& pfad);
  void StatistikZeigen(const TDateneigenschaften& eig);
  void DatensatzZeigen(const TDateneigenschaften& eig);
  void ZustandDaten(bool datenVorhanden);
  void ZustandAnpassung(bool laeuft);
  // The result displays of the selected, automatic and special tabs: they belong to the data
  // set that was shown until now.
  void AnzeigenLeeren();

  const Verteilungsverzeichnis& FKatalog;
  std::unique_ptr<Anpassungen> FEngine;
  TEinstellungen FOptPar;
  TDateneigenschaften FDateneigenschaften;
  bool FInAnpassung = false;
  bool FDatenVorhanden = false;
  // The file whose data the statistics and the data list show (the last one read successfully).
  QString FAngezeigteDatei;
  // The distribution whose fit the NP column shows; empty while it shows none.
  QString FNPVerteilung;
  // The current row of the input file list when a mouse button went down on it: a click that
  // did not move the selection reads the file again, one that did has read it already.
  int FZeileVorKlick = -1;
  int FFortschrittTotal = 0;
  int FFortschrittErledigt = 0;
  QString VerteilungsnameVon(const QWidget* tab) const;

  std::unique_ptr<TFrmDiagramm> FDiagramm;
  TFestparameterDlg* FFestparameterDlg = nullptr;
  TOptimierungDlg* FOptimierungDlg = nullptr;

  // Toolbar, menus, input data, statistics, tabs, data list, status bar.
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
  TabAnpassen* TabShAnpassen = nullptr;
  TabAutomatik* TabShAutomatik = nullptr;
  TabSpezial* TabShSpezial = nullptr;
  TabBatch* TabShBatch = nullptr;
  QTreeWidget* LVDaten = nullptr;
  QProgressBar* PrgStatFortschritt = nullptr;
  QLabel* VIStatus = nullptr;
};

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The four fitting tabs: their controls, the fits they start, the callbacks the drivers report
// through, the result lists with their sorting and colours, and the row actions.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "ui/DlgFestparameter.h"
#include "ui/FrmDiagramm.h"
#include "ui/FrmMain.h"
#include "ui/Listen.h"
#include "ui/Meldungen.h"
#include "ui/SpezialArbeiter.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

namespace {

constexpr Qt::Alignment kRechts = Qt::AlignRight | Qt::AlignVCenter;

TNumEdit* Feld(QWidget* eltern, const char* name, int dezimalen, bool nurLesen = true) {
  auto* f = new TNumEdit(dezimalen, nurLesen, eltern);
  f->setObjectName(name);
  return f;
}

QTreeWidget* ParameterListe(QWidget* eltern, const char* name) {
  auto* l = new QTreeWidget(eltern);
  l->setObjectName(name);
  l->setColumnCount(2);
  l->setHeaderHidden(true);
  l->setRootIsDecorated(false);
  // The name takes what the value leaves over, so a value is never cut off.
  l->header()->setStretchLastSection(false);
  l->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  l->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  VolltextHinweise(l);
  return l;
}

void ParameterZeile(QTreeWidget* liste, const std::string& name, double wert, bool fest = false) {
  auto* z = new QTreeWidgetItem(liste);
  // A value held fixed was given, not fitted; the list says so.
  z->setText(0, QString::fromStdString(name) + (fest ? QStringLiteral(" (fixed)") : QString()));
  z->setText(1, Fest(wert, 4));
  z->setTextAlignment(1, kRechts);
}

QTreeWidget* ErgebnisListe(QWidget* eltern, const char* name) {
  auto* l = new QTreeWidget(eltern);
  l->setObjectName(name);
  l->setRootIsDecorated(false);
  l->setUniformRowHeights(true);
  l->setSelectionBehavior(QAbstractItemView::SelectRows);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setEditTriggers(QAbstractItemView::NoEditTriggers);
  l->header()->setSectionsClickable(true);
  l->header()->setStretchLastSection(true);
  GitterlinienZeichnen(l);
  return l;
}

struct Spalte {
  const char* titel;
  int breite;
  Spaltenart art;
};

void SpaltenAnlegen(QTreeWidget* liste, const std::vector<Spalte>& spalten) {
  liste->setColumnCount(static_cast<int>(spalten.size()));
  for (int s = 0; s < static_cast<int>(spalten.size()); ++s) {
    const Spalte& sp = spalten[static_cast<std::size_t>(s)];
    liste->headerItem()->setText(s, sp.titel);
    if (s > 0) liste->headerItem()->setTextAlignment(s, kRechts);
    SpaltenartSetzen(liste, s, sp.art);
    liste->setColumnWidth(s, sp.breite);
  }
}

TVerteilung Gewaehlt(const QComboBox* box) {
  return box->currentData().value<TListObj>().Verteilung;
}

// The columns after the parameters of the batch list.
const std::vector<Spalte> kBatchNachParametern = {
    {"N", 45, Spaltenart::kZahl},        {"x-max", 45, Spaltenart::kZahl},
    {"NP1", 60, Spaltenart::kZahl},      {"m1", 60, Spaltenart::kZahl},
    {"m2", 60, Spaltenart::kZahl},       {"m3", 60, Spaltenart::kZahl},
    {"m4", 60, Spaltenart::kZahl},       {"Ord I", 60, Spaltenart::kZahl},
    {"Ord S", 60, Spaltenart::kZahl},    {"Skewness", 60, Spaltenart::kZahl},
    {"Excess", 60, Spaltenart::kZahl},   {"Entropy", 60, Spaltenart::kZahl},
    {"Rep. rate", 60, Spaltenart::kZahl}};

// The result columns shared by the automatic and the batch list.
constexpr int kSpChi = 1, kSpP = 2, kSpC = 3, kSpFG = 4, kSpR2 = 5;

void ErgebnisEintragen(QTreeWidgetItem* z, const TAnpassung& a) {
  z->setText(kSpChi, Fest(a.Chi, 2));
  z->setText(kSpP, Fest(a.PChi, 4));
  z->setText(kSpC, Fest(a.Kontingenz, 4));
  z->setText(kSpFG, QString::number(a.FG));
  z->setText(kSpR2, Fest(a.R2, 4));
}

// A cursor that the fit shows while it computes; the wait for "Next Method" and a dialog show
// the normal one.
struct Sanduhr {
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};
struct NormalerZeiger {
  NormalerZeiger() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~NormalerZeiger() { QApplication::restoreOverrideCursor(); }
  NormalerZeiger(const NormalerZeiger&) = delete;
  NormalerZeiger& operator=(const NormalerZeiger&) = delete;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Building the tabs.

QWidget* TFrmMain::AnpassenTabBauen() {
  auto* tab = new QWidget(this);
  tab->setObjectName("TabShAnpassen");
  CBNFVerteilung = new QComboBox(tab);
  CBNFVerteilung->setObjectName("CBNFVerteilung");
  LVNFParameter = ParameterListe(tab, "LVNFParameter");
  EdNFErgebnis = new QLineEdit(tab);
  EdNFErgebnis->setObjectName("EdNFErgebnis");
  EdNFErgebnis->setReadOnly(true);
  NumedNFChi2 = Feld(tab, "NumedNFChi2", 4);
  NumEdNFPChi2 = Feld(tab, "NumEdNFPChi2", 4);
  NumEdNFFG = Feld(tab, "NumEdNFFG", 0);
  NumEdNFKontingenz = Feld(tab, "NumEdNFKontingenz", 4);
  NumEdNFDetKoeff = Feld(tab, "NumEdNFDetKoeff", 4);
  LblNFMethode = new QLabel("Method", tab);
  LblNFMethode->setObjectName("LblNFMethode");
  NumEdNFMethode = Feld(tab, "NumEdNFMethode", 0);
  NumEdNFAlternativen = Feld(tab, "NumEdNFAlternativen", 0);
  NumEdNFMethode->setMaximumWidth(50);
  NumEdNFAlternativen->setMaximumWidth(50);
  CBNFNurBesteMethode = new QCheckBox("Show only best method", tab);
  CBNFNurBesteMethode->setObjectName("CBNFNurBesteMethode");
  CBNFAuswahlhilfe = new QCheckBox("Assisted selection of distribution", tab);
  CBNFAuswahlhilfe->setObjectName("CBNFAuswahlhilfe");
  BtnNFAbbruch = new QPushButton("Cancel", tab);
  BtnNFAbbruch->setObjectName("BtnNFAbbruch");
  BtnNFAbbruch->setEnabled(false);
  BtnNFNaechsteMethode = new QPushButton("Next Method", tab);
  BtnNFNaechsteMethode->setObjectName("BtnNFNaechsteMethode");
  BtnNFNaechsteMethode->setEnabled(false);
  BtnNFNaechsteMethode->setToolTip("Go on with the next method (F10)");

  auto* werte = new QFormLayout;
  werte->addRow("Result", EdNFErgebnis);
  werte->addRow("X²", NumedNFChi2);
  werte->addRow("P(X²)", NumEdNFPChi2);
  werte->addRow("DF", NumEdNFFG);
  werte->addRow("C", NumEdNFKontingenz);
  werte->addRow("R²", NumEdNFDetKoeff);
  auto* methode = new QHBoxLayout;
  methode->addWidget(LblNFMethode);
  methode->addWidget(NumEdNFMethode);
  methode->addWidget(new QLabel("of", tab));
  methode->addWidget(NumEdNFAlternativen);
  methode->addStretch();
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BtnNFNaechsteMethode);
  knoepfe->addWidget(BtnNFAbbruch);

  auto* raster = new QGridLayout(tab);
  raster->addWidget(new QLabel("Distribution", tab), 0, 0);
  raster->addWidget(CBNFVerteilung, 0, 1, 1, 2);
  raster->addWidget(new QLabel("Parameters", tab), 1, 0, Qt::AlignTop);
  raster->addWidget(LVNFParameter, 1, 1, 3, 1);
  raster->addLayout(werte, 1, 2);
  raster->addLayout(methode, 2, 2);
  raster->addLayout(knoepfe, 3, 2);
  raster->addWidget(CBNFNurBesteMethode, 4, 1);
  raster->addWidget(CBNFAuswahlhilfe, 4, 2);
  raster->setColumnStretch(1, 1);
  raster->setColumnStretch(2, 1);

  connect(CBNFVerteilung, &QComboBox::currentIndexChanged, this, [this] { NFAnzeigeLeeren(); });
  connect(CBNFAuswahlhilfe, &QCheckBox::clicked, this, [this] {
    FAuswahlhilfe = CBNFAuswahlhilfe->isChecked();
    AuswahlFuellen();
  });
  connect(BtnNFAbbruch, &QPushButton::clicked, this, [this] {
    Abbruch = true;
    if (FWarteschleife != nullptr) FWarteschleife->quit();
  });
  connect(BtnNFNaechsteMethode, &QPushButton::clicked, this, [this] {
    NaechsteMethode = true;
    if (FWarteschleife != nullptr) FWarteschleife->quit();
  });
  return tab;
}

QWidget* TFrmMain::AutomatikTabBauen() {
  auto* tab = new QWidget(this);
  tab->setObjectName("TabShAutomatik");
  BtnAFAbbrechen = new QPushButton("Cancel", tab);
  BtnAFAbbrechen->setObjectName("BtnAFAbbrechen");
  BtnAFAbbrechen->setEnabled(false);
  LVAFAutomatik = ErgebnisListe(tab, "LVAFAutomatik");
  SpaltenAnlegen(LVAFAutomatik, {{"Distribution", 265, Spaltenart::kText},
                                 {"X²", 60, Spaltenart::kZahl},
                                 {"P(X²)", 60, Spaltenart::kPChi},
                                 {"C", 60, Spaltenart::kKontingenz},
                                 {"DF", 45, Spaltenart::kZahl},
                                 {"R²", 60, Spaltenart::kZahlAbsteigend}});
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(LVAFAutomatik, 1);
  auto* unten = new QHBoxLayout;
  unten->addStretch();
  unten->addWidget(BtnAFAbbrechen);
  layout->addLayout(unten);
  connect(BtnAFAbbrechen, &QPushButton::clicked, this, [this] { Abbruch = true; });
  connect(LVAFAutomatik->header(), &QHeaderView::sectionClicked, this,
          [this](int s) { SpalteSortieren(LVAFAutomatik, s, FAFSortiert); });
  connect(LVAFAutomatik, &QTreeWidget::itemDoubleClicked, this,
          [this] { AutomatikZeileDoppelklick(); });
  return tab;
}

QWidget* TFrmMain::SpezialTabBauen() {
  auto* tab = new QWidget(this);
  tab->setObjectName("TabShSpezial");
  CBSFVerteilung = new QComboBox(tab);
  CBSFVerteilung->setObjectName("CBSFVerteilung");
  LVSFParameter = ParameterListe(tab, "LVSFParameter");
  EdSFErgebnis = new QLineEdit(tab);
  EdSFErgebnis->setObjectName("EdSFErgebnis");
  EdSFErgebnis->setReadOnly(true);
  NumEdSFChi2 = Feld(tab, "NumEdSFChi2", 4);
  NumEdSFPChi2 = Feld(tab, "NumEdSFPChi2", 4);
  NumEdSFFG = Feld(tab, "NumEdSFFG", 0);
  NumEdSFKontingenz = Feld(tab, "NumEdSFKontingenz", 4);
  NumEdSFDetKoeff = Feld(tab, "NumEdSFDetKoeff", 4);
  BtnSFAbbrechen = new QPushButton("Cancel", tab);
  BtnSFAbbrechen->setObjectName("BtnSFAbbrechen");
  BtnSFAbbrechen->setEnabled(false);

  auto* preflight = new QGroupBox("Preflight", tab);
  auto* pr = new QGridLayout(preflight);
  pr->setSpacing(2);
  pr->setContentsMargins(4, 2, 4, 2);
  const auto eingabe = [&](const char* name, const char* hinweis) {
    TNumEdit* f = Feld(preflight, name, 8, false);
    f->setToolTip(hinweis);
    return f;
  };
  NumEdSFb1Start = eingabe("NumEdSFb1Start", "Start value");
  NumEdSFb1Stop = eingabe("NumEdSFb1Stop", "Stop value");
  NumEdSFb1Delta = eingabe("NumEdSFb1Delta", "Delta");
  NumEdSFb2Start = eingabe("NumEdSFb2Start", "Start value");
  NumEdSFb2Stop = eingabe("NumEdSFb2Stop", "Stop value");
  NumEdSFb2Delta = eingabe("NumEdSFb2Delta", "Delta");
  NumEdSFb1Delta->SetzeNurPositiv(true);
  NumEdSFb2Delta->SetzeNurPositiv(true);
  BtnSFb1Default = new QPushButton("Default", preflight);
  BtnSFb1Default->setObjectName("BtnSFb1Default");
  BtnSFb2Default = new QPushButton("Default", preflight);
  BtnSFb2Default->setObjectName("BtnSFb2Default");
  NumEdSFa0 = eingabe("NumEdSFa0", "Start value");
  NumEdSFa1 = eingabe("NumEdSFa1", "Start value");
  NumEdSFa2 = eingabe("NumEdSFa2", "Start value");
  const auto haken = [&](const char* name, const char* text) {
    auto* c = new QCheckBox(text, preflight);
    c->setObjectName(name);
    return c;
  };
  CBSFa0 = haken("CBSFa0", "a0");
  CBSFa1 = haken("CBSFa1", "a1");
  CBSFa2 = haken("CBSFa2", "a2");
  CBSFb1 = haken("CBSFb1", "b1");
  CBSFb2 = haken("CBSFb2", "b2");
  CBSFb1->hide();
  CBSFb2->hide();
  // Each column of the grid is captioned once; the rows are named by their parameter.
  const char* spalten[] = {"Start", "Stop", "Delta"};
  const std::array<std::array<TNumEdit*, 3>, 2> bereich = {
      {{NumEdSFb1Start, NumEdSFb1Stop, NumEdSFb1Delta},
       {NumEdSFb2Start, NumEdSFb2Stop, NumEdSFb2Delta}}};
  for (int s = 0; s < 3; ++s) {
    auto* kopf = new QLabel(spalten[s], preflight);
    kopf->setObjectName(QStringLiteral("LblSF") + spalten[s]);
    kopf->setAlignment(Qt::AlignCenter);
    kopf->setBuddy(bereich[0][static_cast<std::size_t>(s)]);
    pr->addWidget(kopf, 0, s + 1);
  }
  QPushButton* vorgabe[] = {BtnSFb1Default, BtnSFb2Default};
  for (int p = 0; p < 2; ++p) {
    const QString name = p == 0 ? QStringLiteral("b1") : QStringLiteral("b2");
    auto* zeile = new QLabel(name, preflight);
    zeile->setBuddy(bereich[static_cast<std::size_t>(p)][0]);
    pr->addWidget(zeile, p + 1, 0);
    for (int s = 0; s < 3; ++s) {
      TNumEdit* feld = bereich[static_cast<std::size_t>(p)][static_cast<std::size_t>(s)];
      feld->setAccessibleName(name + " " + QString(spalten[s]).toLower());
      pr->addWidget(feld, p + 1, s + 1);
    }
    pr->addWidget(vorgabe[p], p + 1, 4);
  }
  // The three coefficients side by side, each box before its value, on one row of their own.
  auto* koeffizienten = new QHBoxLayout;
  for (auto [kasten, feld] :
       {std::pair{CBSFa0, NumEdSFa0}, std::pair{CBSFa1, NumEdSFa1}, std::pair{CBSFa2, NumEdSFa2}}) {
    koeffizienten->addWidget(kasten);
    koeffizienten->addWidget(feld, 1);
  }
  pr->addLayout(koeffizienten, 3, 0, 1, 5);

  auto* werte = new QGridLayout;
  werte->addWidget(new QLabel("Result", tab), 0, 0);
  werte->addWidget(EdSFErgebnis, 0, 1, 1, 3);
  werte->addWidget(new QLabel("X²", tab), 1, 0);
  werte->addWidget(NumEdSFChi2, 1, 1);
  werte->addWidget(new QLabel("P(X²)", tab), 1, 2);
  werte->addWidget(NumEdSFPChi2, 1, 3);
  werte->addWidget(new QLabel("DF", tab), 2, 0);
  werte->addWidget(NumEdSFFG, 2, 1);
  werte->addWidget(new QLabel("C", tab), 2, 2);
  werte->addWidget(NumEdSFKontingenz, 2, 3);
  werte->addWidget(new QLabel("R²", tab), 3, 0);
  werte->addWidget(NumEdSFDetKoeff, 3, 1);
  werte->addWidget(BtnSFAbbrechen, 3, 3);

  auto* raster = new QGridLayout(tab);
  raster->addWidget(new QLabel("Distribution", tab), 0, 0);
  raster->addWidget(CBSFVerteilung, 0, 1);
  raster->addWidget(new QLabel("Parameters", tab), 1, 0, Qt::AlignTop);
  raster->addWidget(LVSFParameter, 1, 1);
  raster->addLayout(werte, 0, 2, 2, 1);
  raster->addWidget(preflight, 2, 0, 1, 3);
  raster->setColumnStretch(1, 1);
  raster->setColumnStretch(2, 2);

  connect(BtnSFAbbrechen, &QPushButton::clicked, this, [this] { Abbruch = true; });
  connect(BtnSFb1Default, &QPushButton::clicked, this, [this] { PreflightVorgaben(3); });
  connect(BtnSFb2Default, &QPushButton::clicked, this, [this] { PreflightVorgaben(4); });
  return tab;
}

QWidget* TFrmMain::BatchTabBauen() {
  auto* tab = new QWidget(this);
  tab->setObjectName("TabShBatch");
  BtnBFAbbrechen = new QPushButton("Cancel", tab);
  BtnBFAbbrechen->setObjectName("BtnBFAbbrechen");
  BtnBFAbbrechen->setEnabled(false);
  CBBFVerteilung = new QComboBox(tab);
  CBBFVerteilung->setObjectName("CBBFVerteilung");
  LVBFBatch = ErgebnisListe(tab, "LVBFBatch");
  LVBFBatch->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  LVBFBatch->header()->setStretchLastSection(false);
  auto* oben = new QHBoxLayout;
  oben->addWidget(new QLabel("Distribution", tab));
  oben->addWidget(CBBFVerteilung, 1);
  oben->addWidget(BtnBFAbbrechen);
  auto* layout = new QVBoxLayout(tab);
  layout->addLayout(oben);
  layout->addWidget(LVBFBatch, 1);

  connect(BtnBFAbbrechen, &QPushButton::clicked, this, [this] { Abbruch = true; });
  connect(CBBFVerteilung, &QComboBox::currentIndexChanged, this, [this] { BatchSpaltenBauen(); });
  connect(LVBFBatch->header(), &QHeaderView::sectionClicked, this,
          [this](int s) { SpalteSortieren(LVBFBatch, s, FBFSortiert); });
  connect(LVBFBatch, &QTreeWidget::itemClicked, this, [this] { BatchZeileGewaehlt(); });
  connect(LVBFBatch, &QTreeWidget::itemDoubleClicked, this, [this] { BatchZeileDoppelklick(); });
  return tab;
}

void TFrmMain::BatchSpaltenBauen() {
  BFListeLeeren();
  std::vector<Spalte> spalten = {
      {"Input data", 265, Spaltenart::kText}, {"X²", 60, Spaltenart::kZahl},
      {"P(X²)", 60, Spaltenart::kPChi},       {"C", 60, Spaltenart::kKontingenz},
      {"DF", 45, Spaltenart::kZahl},          {"R²", 60, Spaltenart::kZahlAbsteigend}};
  // The names must outlive SpaltenAnlegen; the parameter columns follow "R²".
  std::vector<std::string> namen;
  TVerteilungsparameter vp;
  if (CBBFVerteilung->currentIndex() >= 0 &&
      FKatalog.VerteilungsparameterHolen(Gewaehlt(CBBFVerteilung), vp) == status::kOk) {
    for (std::uint32_t k = 0; k < vp.ParZahl; ++k) namen.push_back(vp.Parameter[k].Bezeichnung);
    for (std::uint32_t k = 0; k < vp.FestParZahl; ++k)
      namen.push_back(vp.Festparameter[k].Bezeichnung);
  }
  for (const std::string& n : namen) spalten.push_back({n.c_str(), 60, Spaltenart::kZahl});
  spalten.insert(spalten.end(), kBatchNachParametern.begin(), kBatchNachParametern.end());
  FBFParameterSpalten = static_cast<int>(namen.size());
  SpaltenAnlegen(LVBFBatch, spalten);
  FBFSortiert = -1;
  LVBFBatch->header()->setSortIndicatorShown(false);
}

// ---------------------------------------------------------------------------------------------
// Clearing.

void TFrmMain::NFAnzeigeLeeren() {
  LVNFParameter->clear();
  NumEdNFFG->SetzeWert(0);
  NumEdNFMethode->SetzeWert(0);
  NumEdNFAlternativen->SetzeWert(0);
  NumedNFChi2->SetzeWert(0);
  NumEdNFPChi2->SetzeWert(0);
  NumEdNFKontingenz->SetzeWert(0);
  NumEdNFDetKoeff->SetzeWert(0);
  EdNFErgebnis->clear();
  LblNFMethode->setText("Method");
}

void TFrmMain::NPLeeren() {
  for (int i = 0; i < LVDaten->topLevelItemCount(); ++i)
    LVDaten->topLevelItem(i)->setText(2, "0.00");
}

void TFrmMain::AFListeLeeren() {
  LVAFAutomatik->clear();
  FAFSortiert = -1;
  LVAFAutomatik->header()->setSortIndicatorShown(false);
}

void TFrmMain::SFAnzeigeLeeren() {
  LVSFParameter->clear();
  NumEdSFFG->SetzeWert(0);
  NumEdSFChi2->SetzeWert(0);
  NumEdSFPChi2->SetzeWert(0);
  NumEdSFKontingenz->SetzeWert(0);
  NumEdSFDetKoeff->SetzeWert(0);
  EdSFErgebnis->clear();
}

void TFrmMain::SFLeeren() {
  SFAnzeigeLeeren();
  NumEdSFa0->SetzeWert(0);
  NumEdSFa1->SetzeWert(0);
  NumEdSFa2->SetzeWert(0);
}

void TFrmMain::BFListeLeeren() {
  LVBFBatch->clear();
  FBFSortiert = -1;
  LVBFBatch->header()->setSortIndicatorShown(false);
}

// ---------------------------------------------------------------------------------------------
// Fitting.

void TFrmMain::TBBtnGoClick() {
  if (FInAnpassung || !FDatenVorhanden) return;
  QWidget* tab = PgCtrlAnpassungen->currentWidget();
  if (tab == TabShAnpassen) GewaehlteAnpassungStarten();
  if (tab == TabShAutomatik) AutomatischeAnpassungStarten();
  if (tab == TabShSpezial) SpezielleAnpassungStarten();
  if (tab == TabShBatch) BatchAnpassungStarten();
}

Status TFrmMain::FestparameterErfragen(Festparameterfeld& fest, std::uint32_t anzahl) {
  for (int k = 1; k <= 3; ++k) FFestparameterDlg->InitFeld(k, QString(), false);
  const std::uint32_t n = std::min(anzahl, kMaxFestparameter);
  for (std::uint32_t k = 0; k < n; ++k)
    FFestparameterDlg->InitFeld(static_cast<int>(k + 1),
                                QString::fromStdString(fest[k].Beschreibung),
                                GanzzahligerFestparameter(fest[k].Bedingung));
  std::array<bool, kMaxFestparameter> automatisch{};
  if (AutomatischeWerteEintragen(fest, n, FEngine->Daten(), automatisch)) return status::kOk;
  // The dialog offers the values the data give as they are; the user supplies the rest.
  for (std::uint32_t k = 0; k < n; ++k)
    if (automatisch[k]) FFestparameterDlg->SetzeFeld(static_cast<int>(k + 1), fest[k].Wert);
  NormalerZeiger zeiger;
  if (FFestparameterDlg->exec() != QDialog::Accepted) return status::kSkipAbortByUser;
  for (std::uint32_t k = 0; k < n; ++k)
    fest[k].Wert = FFestparameterDlg->GibFeld(static_cast<int>(k + 1));
  return status::kOk;
}

void TFrmMain::GewaehlteAnpassungStarten() {
  // With assisted selection the list may be empty; then there is nothing to fit.
  if (CBNFVerteilung->currentIndex() < 0) {
    QApplication::beep();
    return;
  }
  Abbruch = false;
  NFAnzeigeLeeren();
  // The data list shows this run's fit or none, never an earlier distribution's.
  NPLeeren();
  ZustandAnpassung(true);
  Status st = status::kOk;
  {
    Sanduhr sanduhr;
    Rueckrufe r;
    r.festparameter = [this](Festparameterfeld& f, std::uint32_t n) {
      return FestparameterErfragen(f, n);
    };
    r.abbruch = [this] { return Abbruch.load(); };
    r.weiter = [this] { return NaechsteMethodeAbwarten(); };
    r.klasse = [this](const TWerte& w) { return KlasseAnzeigen(w); };
    r.ergebnis = [this](const TAnpassung& a) { return ErgebnisAnzeigen(a); };
    r.parameter = [this](const TVerteilungsparameter& vp) { return ParameterAnzeigen(vp); };
    st = FEngine->GewaehlteAnpassung(Gewaehlt(CBNFVerteilung), CBNFNurBesteMethode->isChecked(), r);
  }
  if (st != status::kOk) {
    NFAnzeigeLeeren();
    NPLeeren();
  }
  EdNFErgebnis->setText(QString::fromStdString(StatusText(st)));
  ZustandAnpassung(false);
}

Status TFrmMain::ErgebnisAnzeigen(const TAnpassung& a) {
  NaechsteMethode = false;
  if (a.BesteMethode) LblNFMethode->setText("Best method");
  NumEdNFMethode->SetzeWert(a.Methode);
  NumEdNFAlternativen->SetzeWert(a.Alternativen);
  if (a.Status != status::kOk) {
    NumEdNFFG->SetzeWert(0);
    NumedNFChi2->SetzeWert(0);
    NumEdNFPChi2->SetzeWert(0);
    NumEdNFKontingenz->SetzeWert(0);
    NumEdNFDetKoeff->SetzeWert(0);
    LVNFParameter->clear();
    EdNFErgebnis->setText(QString::fromStdString(StatusText(a.Status)));
    NPLeeren();
  } else {
    NumEdNFFG->SetzeWert(a.FG);
    NumedNFChi2->SetzeWert(a.Chi);
    NumEdNFPChi2->SetzeWert(a.PChi);
    NumEdNFKontingenz->SetzeWert(a.Kontingenz);
    NumEdNFDetKoeff->SetzeWert(a.R2);
    EdNFErgebnis->setText("OK");
  }
  return status::kOk;
}

Status TFrmMain::ParameterAnzeigen(const TVerteilungsparameter& vp) {
  LVNFParameter->clear();
  for (std::uint32_t k = 0; k < vp.ParZahl && k < kMaxParameter; ++k)
    ParameterZeile(LVNFParameter, vp.Parameter[k].Bezeichnung, vp.Parameter[k].Wert);
  for (std::uint32_t k = 0; k < vp.FestParZahl && k < kMaxFestparameter; ++k)
    ParameterZeile(LVNFParameter, vp.Festparameter[k].Bezeichnung, vp.Festparameter[k].Wert, true);
  return status::kOk;
}

Status TFrmMain::KlasseAnzeigen(const TWerte& w) {
  if (w.Ergebnis) return status::kOk;
  if (QTreeWidgetItem* z = LVDaten->topLevelItem(static_cast<int>(w.Idx)))
    z->setText(2, Fest(w.NP, 2));
  return status::kOk;
}

bool TFrmMain::NaechsteMethodeAbwarten() {
  if (CBNFNurBesteMethode->isChecked()) return true;
  {
    NormalerZeiger zeiger;
    BtnNFNaechsteMethode->setEnabled(true);
    BtnNFAbbruch->setEnabled(true);
    AktNaechsteMethode->setEnabled(true);
    // A local event loop: the window stays alive while the fit waits for the user's answer.
    QEventLoop schleife;
    FWarteschleife = &schleife;
    while (!NaechsteMethode && !Abbruch) schleife.exec();
    FWarteschleife = nullptr;
    BtnNFNaechsteMethode->setEnabled(false);
    BtnNFAbbruch->setEnabled(false);
    AktNaechsteMethode->setEnabled(false);
  }
  return NaechsteMethode;
}

void TFrmMain::AutomatischeAnpassungStarten() {
  Abbruch = false;
  AFListeLeeren();
  FortschrittStart(static_cast<int>(FKatalog.VerteilungenZaehlen().automatik));
  ZustandAnpassung(true);
  Rueckrufe r;
  r.ergebnis = [this](const TAnpassung& a) { return AutomatikErgebnisAnzeigen(a); };
  r.festparameter = [this](Festparameterfeld& f, std::uint32_t n) {
    return FestparameterErfragen(f, n);
  };
  r.abbruch = [this] { return Abbruch.load(); };
  FEngine->AutomatischeAnpassung(r);
  FortschrittEnde();
  // The figures are never cut off; a long name is, and shows whole as its tooltip.
  SpaltenEinpassen(LVAFAutomatik, kSpChi, kSpR2);
  ZustandAnpassung(false);
}

Status TFrmMain::AutomatikErgebnisAnzeigen(const TAnpassung& a) {
  FortschrittSchritt();
  if (a.Status == status::kOk) {
    auto* z = new AutomatikZeile(a.Verteilung);
    z->setText(0, QString::fromStdString(a.Verteilung.Bezeichnung));
    ErgebnisEintragen(z, a);
    for (int s = 1; s <= kSpR2; ++s) z->setTextAlignment(s, kRechts);
    LVAFAutomatik->addTopLevelItem(z);
    ZeileFaerben(z);
    LVAFAutomatik->scrollToItem(z);
  }
  // Here the user's "Cancel" is seen.
  QCoreApplication::processEvents();
  return status::kOk;
}

void TFrmMain::BatchAnpassungStarten() {
  if (CBBFVerteilung->currentIndex() < 0) {
    QApplication::beep();
    return;
  }
  Abbruch = false;
  BFListeLeeren();
  const int dateien = LBEingabeDaten->count();
  FortschrittStart(dateien);
  ZustandAnpassung(true);
  const TVerteilung verteilung = Gewaehlt(CBBFVerteilung);
  const int nach = kSpR2 + 1 + FBFParameterSpalten;  // "N"
  const int spalten = LVBFBatch->columnCount();
  for (int i = 0; i < dateien && !Abbruch; ++i) {
    FortschrittSchritt();
    const QString pfad = LBEingabeDaten->item(i)->text();
    auto obj = std::make_unique<TBatchObj>(verteilung);
    if (!BatchDatenLesen(pfad, *obj)) continue;
    auto* z = new BatchZeile(std::move(obj));
    z->setText(0, pfad);
    for (int s = 1; s < spalten; ++s) {
      const bool ganz = s == kSpFG || s == nach || s == nach + 1;
      z->setText(s, s == kSpChi ? "0.00" : (ganz ? "0" : "0.0000"));
      z->setTextAlignment(s, kRechts);
    }
    LVBFBatch->addTopLevelItem(z);
    ZeileFaerben(z);
    Rueckrufe r;
    r.festparameter = [this](Festparameterfeld& f, std::uint32_t n) {
      return FestparameterErfragen(f, n);
    };
    r.abbruch = [this] { return Abbruch.load(); };
    r.weiter = [] { return true; };
    r.klasse = [this, z](const TWerte& w) { return BatchKlasseSpeichern(z, w); };
    r.ergebnis = [this, z](const TAnpassung& a) { return BatchErgebnisAnzeigen(z, a); };
    r.parameter = [this, z](const TVerteilungsparameter& vp) {
      return BatchParameterAnzeigen(z, vp);
    };
    const Status st = FEngine->GewaehlteAnpassung(verteilung, true, r);
    if (st != status::kOk) {
      // The placeholders are no result: the row says why it has none, and nothing is coloured.
      z->setText(kSpChi, QString::fromStdString(StatusText(st)));
      for (int s = 0; s < spalten; ++s) z->setBackground(s, QBrush());
    }
    LVBFBatch->scrollToItem(z);
    // A cancel between two files is seen here as well, not only when the progress starts.
    QCoreApplication::processEvents();
  }
  FortschrittEnde();
  SpaltenEinpassen(LVBFBatch, 0, LVBFBatch->columnCount() - 1);
  ZustandAnpassung(false);
  // The engine now holds the last file read: the input list, the data list and the chart show
  // that file with its fit, as if its row had been selected.
  if (const int zeilen = LVBFBatch->topLevelItemCount(); zeilen > 0) {
    LVBFBatch->setCurrentItem(LVBFBatch->topLevelItem(zeilen - 1));
    BatchZeileGewaehlt();
  }
}

Status TFrmMain::BatchErgebnisAnzeigen(BatchZeile* z, const TAnpassung& a) {
  if (!a.BesteMethode || a.Status != status::kOk) return status::kOk;
  ErgebnisEintragen(z, a);
  z->obj->Anpassung = a;
  const TDateneigenschaften& e = z->obj->Dateneigenschaften;
  const int nach = kSpR2 + 1 + FBFParameterSpalten;
  z->setText(nach, QString::number(e.tot));
  z->setText(nach + 1,
             QString::number(z->obj->Daten[static_cast<std::size_t>(std::max(e.n, 0))].X));
  const double werte[] = {e.m1,    e.m2,      e.m3,     e.m4,       e.ord_i,
                          e.ord_s, e.schiefe, e.exzess, e.entropie, e.wiederholungsrate};
  for (int k = 0; k < 10; ++k) z->setText(nach + 3 + k, Fest(werte[k], 4));
  ZeileFaerben(z);
  return status::kOk;
}

Status TFrmMain::BatchParameterAnzeigen(BatchZeile* z, const TVerteilungsparameter& vp) {
  z->obj->VerteilParameter = vp;
  int s = kSpR2 + 1;
  const int ende = s + FBFParameterSpalten;
  for (std::uint32_t k = 0; k < vp.ParZahl && k < kMaxParameter && s < ende; ++k)
    z->setText(s++, Fest(vp.Parameter[k].Wert, 4));
  for (std::uint32_t k = 0; k < vp.FestParZahl && k < kMaxFestparameter && s < ende; ++k)
    z->setText(s++, Fest(vp.Festparameter[k].Wert, 4));
  return status::kOk;
}

Status TFrmMain::BatchKlasseSpeichern(BatchZeile* z, const TWerte& w) {
  if (w.Ergebnis || w.Idx > kMaxKlassenIndex) return status::kOk;
  z->obj->Daten[w.Idx].NP = w.NP;
  if (w.Idx == 0) z->setText(kSpR2 + 1 + FBFParameterSpalten + 2, Fest(w.NP, 4));
  return status::kOk;
}

Spezialvorgaben TFrmMain::SpezialVorgabenLesen() const {
  Spezialvorgaben v{};
  const QCheckBox* fest[] = {CBSFa0, CBSFa1, CBSFa2, CBSFb1, CBSFb2};
  const TNumEdit* start[] = {NumEdSFa0, NumEdSFa1, NumEdSFa2, NumEdSFb1Start, NumEdSFb2Start};
  for (int k = 0; k < 5; ++k) {
    v[static_cast<std::size_t>(k)].Fest = fest[k]->isChecked();
    if (fest[k]->isChecked()) v[static_cast<std::size_t>(k)].Wert = start[k]->Wert();
  }
  v[3].Start = NumEdSFb1Start->Wert();
  v[3].Stop = NumEdSFb1Stop->Wert();
  v[3].Delta = NumEdSFb1Delta->Wert();
  v[4].Start = NumEdSFb2Start->Wert();
  v[4].Stop = NumEdSFb2Stop->Wert();
  v[4].Delta = NumEdSFb2Delta->Wert();
  return v;
}

void TFrmMain::SpezielleAnpassungStarten() {
  if (CBSFVerteilung->currentIndex() < 0 || FSFThread) {
    QApplication::beep();
    return;
  }
  // A grid that cannot end (a step that does not move its value, or too many points) is refused
  // before anything starts.
  const Spezialvorgaben vorgaben = SpezialVorgabenLesen();
  for (std::size_t k : {3u, 4u}) {
    if (const std::string grund = PreflightBereichPruefen(vorgaben[k]); !grund.empty()) {
      Warnung(this, QString("Preflight range of %1: %2")
                        .arg(k == 3 ? "b1" : "b2", QString::fromStdString(grund)));
      return;
    }
  }
  Abbruch = false;
  SFAnzeigeLeeren();
  NPLeeren();
  FSFVorgaben = vorgaben;
  ZustandAnpassung(true);
  // The worker gets everything it needs from the tab now; the values a0..a2 the user entered
  // are kept, so a ticked coefficient is held at the value shown.
  FSFThread = std::make_unique<SpezialArbeiter>(this, *FEngine, Gewaehlt(CBSFVerteilung), vorgaben,
                                                Abbruch);
  FSFThread->start();
}

void TFrmMain::SpezialMeldung(SpezialEreignis ereignis, std::uint32_t wert) {
  switch (ereignis) {
    case SpezialEreignis::kEnde: {
      if (FSFThread) {
        FSFThread->wait();
        FSFThread.reset();
      }
      if (wert != status::kOk) {
        SFAnzeigeLeeren();
        NPLeeren();
      }
      EdSFErgebnis->setText(QString::fromStdString(StatusText(wert)));
      ZustandAnpassung(false);
      break;
    }
    case SpezialEreignis::kFortschrittStart:
      PrgStatFortschritt->setTextVisible(true);
      FFortschrittErledigt = 0;
      FFortschrittTotal = static_cast<int>(std::min<std::uint32_t>(wert, INT32_MAX));
      PrgStatFortschritt->setRange(0, std::max(FFortschrittTotal, 1));
      PrgStatFortschritt->setValue(0);
      break;
    case SpezialEreignis::kFortschrittSchritt:
      FortschrittSchritt();
      break;
    case SpezialEreignis::kFortschrittEnde:
      FFortschrittErledigt = 0;
      FFortschrittTotal = 0;
      PrgStatFortschritt->setValue(0);
      PrgStatFortschritt->setTextVisible(false);
      break;
  }
}

void TFrmMain::SpezialParameterAnzeigen(const TVerteilungsparameter& vp) {
  for (std::uint32_t k = 0; k < vp.ParZahl && k < kMaxParameter; ++k)
    ParameterZeile(LVSFParameter, vp.Parameter[k].Bezeichnung, vp.Parameter[k].Wert,
                   k < 5 && FSFVorgaben[k].Fest);
}

void TFrmMain::SpezialKlassenAnzeigen(const std::vector<double>& np) {
  for (std::size_t i = 0; i < np.size(); ++i) {
    TWerte w;
    w.Idx = static_cast<std::uint32_t>(i);
    w.NP = np[i];
    KlasseAnzeigen(w);
  }
}

void TFrmMain::SpezialErgebnisAnzeigen(const TAnpassung& a) {
  if (a.Status != status::kOk) return;
  NumEdSFFG->SetzeWert(a.FG);
  NumEdSFChi2->SetzeWert(a.Chi);
  NumEdSFPChi2->SetzeWert(a.PChi);
  NumEdSFKontingenz->SetzeWert(a.Kontingenz);
  NumEdSFDetKoeff->SetzeWert(a.R2);
}

// ---------------------------------------------------------------------------------------------
// Progress.

void TFrmMain::FortschrittStart(int gesamt) {
  FFortschrittTotal = std::max(gesamt, 0);
  FFortschrittErledigt = 0;
  PrgStatFortschritt->setRange(0, std::max(FFortschrittTotal, 1));
  PrgStatFortschritt->setValue(0);
  PrgStatFortschritt->setTextVisible(true);
  QCoreApplication::processEvents();
}

void TFrmMain::FortschrittSchritt() {
  ++FFortschrittErledigt;
  PrgStatFortschritt->setValue(std::min(FFortschrittErledigt, PrgStatFortschritt->maximum()));
}

void TFrmMain::FortschrittEnde() {
  FFortschrittErledigt = 0;
  PrgStatFortschritt->setValue(0);
  PrgStatFortschritt->setTextVisible(false);
}

// ---------------------------------------------------------------------------------------------
// Row actions.

void TFrmMain::VerteilungWaehlenUndAnpassen(const QString& name) {
  if (CBNFAuswahlhilfe->isChecked()) {
    CBNFAuswahlhilfe->setChecked(false);
    FAuswahlhilfe = false;
    AuswahlFuellen();
  }
  const int i = CBNFVerteilung->findText(name);
  if (i < 0) return;
  CBNFVerteilung->setCurrentIndex(i);
  PgCtrlAnpassungen->setCurrentWidget(TabShAnpassen);
  TBBtnGoClick();
}

void TFrmMain::AutomatikZeileDoppelklick() {
  if (FInAnpassung) return;
  auto* z = dynamic_cast<AutomatikZeile*>(LVAFAutomatik->currentItem());
  if (z == nullptr || !z->isSelected()) return;
  VerteilungWaehlenUndAnpassen(QString::fromStdString(z->obj.Verteilung.Bezeichnung));
}

void TFrmMain::BatchZeileGewaehlt() {
  if (FInAnpassung) return;
  auto* z = dynamic_cast<BatchZeile*>(LVBFBatch->currentItem());
  if (z == nullptr) return;
  const QList<QListWidgetItem*> treffer = LBEingabeDaten->findItems(z->text(0), Qt::MatchExactly);
  if (treffer.isEmpty()) return;
  {
    const QSignalBlocker still(LBEingabeDaten);
    LBEingabeDaten->setCurrentItem(treffer.first());
  }
  NFAnzeigeLeeren();
  AFListeLeeren();
  SFLeeren();
  FDatenVorhanden = EingabeDatenLesen(treffer.first()->text());
  ZustandDaten(FDatenVorhanden);
  const int zeilen = std::min(LVDaten->topLevelItemCount(), static_cast<int>(kMaxKlassen));
  for (int i = 0; i < zeilen; ++i)
    LVDaten->topLevelItem(i)->setText(2, Fest(z->obj->Daten[static_cast<std::size_t>(i)].NP, 2));
}

void TFrmMain::BatchZeileDoppelklick() {
  if (FInAnpassung) return;
  auto* z = dynamic_cast<BatchZeile*>(LVBFBatch->currentItem());
  if (z == nullptr || !z->isSelected()) return;
  BatchZeileGewaehlt();
  VerteilungWaehlenUndAnpassen(QString::fromStdString(z->obj->Verteilung.Bezeichnung));
}

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FrmMain.h"

#include "ui/Bildschirm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <clocale>
#include <cmath>

#include "core/DatenDatei.h"
#include "core/Format.h"
#include "fitting/EinstellungenSpeicher.h"
#include "ui/DlgFestparameter.h"
#include "ui/DlgOptimierung.h"
#include "ui/FrmDiagramm.h"
#include "ui/Listen.h"
#include "ui/ListenExport.h"
#include "ui/Meldungen.h"
#include "ui/TabAnpassen.h"
#include "ui/TabAutomatik.h"
#include "ui/TabBatch.h"
#include "ui/TabBausteine.h"
#include "ui/TabSpezial.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

namespace {

constexpr int kBreite = 769;
constexpr int kHoehe = 612;

QGroupBox* Gruppe(QWidget* eltern, const char* titel, std::initializer_list<QWidget*> felder) {
  auto* g = new QGroupBox(titel, eltern);
  auto* l = new QHBoxLayout(g);
  l->setContentsMargins(4, 2, 4, 2);
  for (QWidget* w : felder) l->addWidget(w);
  return g;
}

}  // namespace

TFrmMain::TFrmMain(const Verteilungsverzeichnis& katalog, QWidget* eltern)
    : QMainWindow(eltern), FKatalog(katalog), FEngine(std::make_unique<Anpassungen>(katalog)) {
  setObjectName("TFrmMain");
  setWindowTitle("Vostra Kalibra");

  // Numbers are written and read with "." whatever the user's regional settings say, and a
  // later change of those settings is not followed.
  QLocale::setDefault(QLocale::c());
  std::setlocale(LC_NUMERIC, "C");

  FensterBauen();
  MenuesBauen();

  FDiagramm = std::make_unique<TFrmDiagramm>(QStringLiteral("Vostra Kalibra"));
  FFestparameterDlg = new TFestparameterDlg(this);
  FOptimierungDlg = new TOptimierungDlg(FOptPar, this);

  // Start-up: empty statistics, no data, the stored criteria to the engine, the stored window
  // settings, the empty displays and the three distribution lists.
  DatensatzZeigen(TDateneigenschaften{});
  LVDaten->clear();
  ZustandDaten(false);
  std::vector<std::string> einstellungsWarnungen;
  OptParLesen(FOptPar, &einstellungsWarnungen);
  FEngine->EinstellungenUebernehmen(FOptPar);
  TAnzeigeeinstellungen p;
  FitParLesen(p, &einstellungsWarnungen);
  InferenzEinstellungen inferenz;
  InferenzLesen(inferenz, &einstellungsWarnungen);
  if (!einstellungsWarnungen.empty()) {
    // One message for every value replaced, told once the window is up, not from inside its
    // construction.
    QString text = "Some saved settings cannot be used:";
    for (const std::string& w : einstellungsWarnungen) text += "\n" + QString::fromStdString(w);
    QTimer::singleShot(0, this, [this, text] { Warnung(this, text); });
  }
  TabShAnpassen->AuswahlhilfeSetzen(p.AuswahlHilfe);
  TabShAnpassen->NurBesteMethodeSetzen(p.NurBesteMethode);
  TabShAnpassen->InferenzSetzen(inferenz);
  const QRect platz =
      AufBildschirme(p.KalibraFensterX, p.KalibraFensterY, width(), height(), size());
  move(platz.topLeft());

  AnzeigenLeeren();
  TabShBatch->Leeren();
  TabShAnpassen->AuswahlFuellen();
  TabShSpezial->AuswahlFuellen();
  TabShBatch->AuswahlFuellen();
}

// A window destroyed under a running fit (only when the program is torn down: closing is refused
// meanwhile) has each tab cancel its worker and wait for it before its controls go.
TFrmMain::~TFrmMain() = default;

bool TFrmMain::SpezialLaeuft() const {
  return TabShSpezial->Laeuft();
}

void TFrmMain::FensterBauen() {
  auto* werkzeuge = addToolBar("Kalibra");
  werkzeuge->setObjectName("TBarKalibra");
  werkzeuge->setMovable(false);
  werkzeuge->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  TBBtnGo = werkzeuge->addAction(style()->standardIcon(QStyle::SP_MediaPlay), "Fit");
  TBBtnGo->setObjectName("TBBtnGo");
  TBBtnGo->setShortcut(Qt::Key_F9);
  TBBtnGo->setToolTip("Fit the chosen distribution (F9)");
  TBBtnDiagramm =
      werkzeuge->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), "Graph");
  TBBtnDiagramm->setObjectName("TBBtnDiagramm");
  TBBtnDiagramm->setShortcut(Qt::CTRL | Qt::Key_G);
  TBBtnOptionen =
      werkzeuge->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), "Options");
  TBBtnOptionen->setObjectName("TBBtnOptionen");
  connect(TBBtnGo, &QAction::triggered, this, &TFrmMain::TBBtnGoClick);
  connect(TBBtnDiagramm, &QAction::triggered, this, &TFrmMain::TBBtnDiagrammClick);
  connect(TBBtnOptionen, &QAction::triggered, this, &TFrmMain::TBBtnOptionenClick);

  auto* zentral = new QWidget(this);
  setCentralWidget(zentral);

  // Input data.
  auto* eingabe = new QWidget(zentral);
  auto* eingabeLayout = new QGridLayout(eingabe);
  eingabeLayout->setContentsMargins(0, 0, 0, 0);
  eingabeLayout->addWidget(new QLabel("Input data", eingabe), 0, 0);
  LBEingabeDaten = new QListWidget(eingabe);
  LBEingabeDaten->setObjectName("LBEingabeDaten");
  LBEingabeDaten->setMaximumHeight(58);
  RfBtnEingabeDaten =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton), "", eingabe);
  RfBtnEingabeDaten->setObjectName("RfBtnEingabeDaten");
  RfBtnEingabeDaten->setToolTip("Open input data files (Ctrl+O)");
  eingabeLayout->addWidget(LBEingabeDaten, 1, 0);
  eingabeLayout->addWidget(RfBtnEingabeDaten, 1, 1, Qt::AlignTop);
  connect(RfBtnEingabeDaten, &QPushButton::clicked, this, &TFrmMain::RfBtnEingabeDatenClick);
  // A file is read when it becomes the selected one, by mouse or by keyboard, and again when the
  // selected file is clicked once more.
  connect(LBEingabeDaten, &QListWidget::currentRowChanged, this, [this](int zeile) {
    if (zeile >= 0) LBEingabeDatenClick();
  });
  connect(LBEingabeDaten, &QListWidget::itemClicked, this, [this] {
    if (LBEingabeDaten->currentRow() == FZeileVorKlick) LBEingabeDatenClick();
  });
  LBEingabeDaten->viewport()->installEventFilter(this);

  PgCtrlAnpassungen = new QTabWidget(zentral);
  PgCtrlAnpassungen->setObjectName("PgCtrlAnpassungen");
  Fensterdienste& dienste = *this;
  TabShAnpassen = new TabAnpassen(dienste, this);
  TabShAutomatik = new TabAutomatik(dienste, this);
  TabShSpezial = new TabSpezial(dienste, this);
  TabShBatch = new TabBatch(dienste, this);
  PgCtrlAnpassungen->addTab(TabShAnpassen, "Selected Fitting");
  PgCtrlAnpassungen->addTab(TabShAutomatik, "Automatic Fitting");
  PgCtrlAnpassungen->addTab(TabShSpezial, "Special Fitting");
  PgCtrlAnpassungen->addTab(TabShBatch, "Batch Fitting");
  connect(PgCtrlAnpassungen, &QTabWidget::currentChanged, this, [this] {
    LBEingabeDaten->setEnabled(!FInAnpassung && PgCtrlAnpassungen->currentWidget() != TabShBatch);
  });

  LVDaten = new QTreeWidget(zentral);
  LVDaten->setObjectName("LVDaten");
  LVDaten->setColumnCount(3);
  LVDaten->setHeaderLabels({"x[i]", "f[i]", "NP[i]"});
  LVDaten->setRootIsDecorated(false);
  LVDaten->setUniformRowHeights(true);
  LVDaten->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVDaten->setSelectionBehavior(QAbstractItemView::SelectRows);
  LVDaten->setColumnWidth(0, 40);
  LVDaten->setColumnWidth(1, 60);
  LVDaten->setColumnWidth(2, 96);
  LVDaten->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  LVDaten->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  LVDaten->header()->setStretchLastSection(true);
  LVDaten->setFixedWidth(220);
  GitterlinienZeichnen(LVDaten);
  // Exported with the class each one was pooled into, which the list shows only as shading.
  ExportAnbieten(LVDaten, "data.csv", [this] {
    Tabelle t = ListenTabelle(LVDaten);
    t[0] << "Pooled into";
    for (int i = 0; i < LVDaten->topLevelItemCount(); ++i) {
      const QVariant ziel = LVDaten->topLevelItem(i)->data(0, kGepooltRolle);
      const QTreeWidgetItem* z =
          ziel.isValid() ? LVDaten->topLevelItem(static_cast<int>(ziel.toUInt())) : nullptr;
      t[i + 1] << (z != nullptr ? z->text(0) : QString());
    }
    return t;
  });

  auto* links = new QVBoxLayout;
  links->addWidget(eingabe);
  links->addWidget(StatistikBauen());
  links->addWidget(PgCtrlAnpassungen, 1);
  auto* haupt = new QHBoxLayout(zentral);
  haupt->setContentsMargins(6, 4, 6, 4);
  haupt->addLayout(links, 1);
  haupt->addWidget(LVDaten);

  PrgStatFortschritt = new QProgressBar(this);
  PrgStatFortschritt->setObjectName("PrgStatFortschritt");
  PrgStatFortschritt->setRange(0, 1);
  PrgStatFortschritt->setValue(0);
  PrgStatFortschritt->setTextVisible(false);
  PrgStatFortschritt->setFixedWidth(240);
  VIStatus = new QLabel(QStringLiteral("Version: ") + VK_VERSION, this);
  VIStatus->setObjectName("VIStatus");
  statusBar()->addWidget(PrgStatFortschritt);
  statusBar()->addPermanentWidget(VIStatus);
  statusBar()->setSizeGripEnabled(false);
}

QWidget* TFrmMain::StatistikBauen() {
  auto* panel = new QWidget(this);
  NumEdTOT = Feld(panel, "NumEdTOT", 0);
  NumEdMoment1 = Feld(panel, "NumEdMoment1", 4);
  NumEdMoment2 = Feld(panel, "NumEdMoment2", 4);
  NumEdMoment3 = Feld(panel, "NumEdMoment3", 4);
  NumEdMoment4 = Feld(panel, "NumEdMoment4", 4);
  NumEdOrdI = Feld(panel, "NumEdOrdI", 4);
  NumEdOrdS = Feld(panel, "NumEdOrdS", 4);
  NumEdSchiefe = Feld(panel, "NumEdSchiefe", 4);
  NumEdExzess = Feld(panel, "NumEdExzess", 4);
  NumEdEntropie = Feld(panel, "NumEdEntropie", 4);
  NumEdWiederholungsrate = Feld(panel, "NumEdWiederholungsrate", 4);
  // Room for the widest statistic shown in fixed point, -10^9 with four decimals; past that the
  // fields switch to exponent notation. The moments get a row of their own for it, and the other
  // fields share a grid of the same four columns.
  const QString breitester = QStringLiteral("-1000000000.0000");
  for (TNumEdit* f : {NumEdMoment1, NumEdMoment2, NumEdMoment3, NumEdMoment4})
    f->BreiteFuer(breitester);
  auto* ord = new QGroupBox("Ord", panel);
  auto* ordLayout = new QHBoxLayout(ord);
  ordLayout->setContentsMargins(4, 2, 4, 2);
  for (auto [text, feld] : {std::pair{"I", NumEdOrdI}, std::pair{"S", NumEdOrdS}}) {
    auto* beschriftung = new QLabel(text, ord);
    beschriftung->setBuddy(feld);
    ordLayout->addWidget(beschriftung);
    ordLayout->addWidget(feld, 1);
  }
  auto* raster = new QGridLayout(panel);
  raster->setContentsMargins(0, 0, 0, 0);
  raster->setSpacing(3);
  raster->addWidget(
      Gruppe(panel, "Moments", {NumEdMoment1, NumEdMoment2, NumEdMoment3, NumEdMoment4}), 0, 0, 1,
      4);
  raster->addWidget(Gruppe(panel, "Sample size", {NumEdTOT}), 1, 0);
  raster->addWidget(ord, 1, 1, 1, 2);
  raster->addWidget(Gruppe(panel, "Skewness", {NumEdSchiefe}), 1, 3);
  raster->addWidget(Gruppe(panel, "Excess", {NumEdExzess}), 2, 0);
  raster->addWidget(Gruppe(panel, "Entropy", {NumEdEntropie}), 2, 1);
  raster->addWidget(Gruppe(panel, "Repeat rate", {NumEdWiederholungsrate}), 2, 2);
  for (int s = 0; s < 4; ++s) raster->setColumnStretch(s, 1);
  return panel;
}

void TFrmMain::MenuesBauen() {
  QMenu* datei = menuBar()->addMenu("&File");
  AktOeffnen = datei->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), "&Open...");
  AktOeffnen->setObjectName("AktOeffnen");
  AktOeffnen->setShortcut(QKeySequence::Open);
  connect(AktOeffnen, &QAction::triggered, this, &TFrmMain::RfBtnEingabeDatenClick);
  datei->addSeparator();
  QAction* ende = datei->addAction("E&xit");
  ende->setShortcut(QKeySequence::Quit);
  connect(ende, &QAction::triggered, this, &QWidget::close);

  QMenu* anpassen = menuBar()->addMenu("F&it");
  anpassen->addAction(TBBtnGo);
  AktNaechsteMethode = anpassen->addAction("&Next Method");
  AktNaechsteMethode->setObjectName("AktNaechsteMethode");
  AktNaechsteMethode->setShortcut(Qt::Key_F10);
  AktNaechsteMethode->setEnabled(false);
  connect(AktNaechsteMethode, &QAction::triggered, TabShAnpassen, &TabAnpassen::NaechsteMethode);
  connect(TabShAnpassen, &TabAnpassen::NaechsteMethodeMoeglich, AktNaechsteMethode,
          &QAction::setEnabled);

  QMenu* grafik = menuBar()->addMenu("&Graph");
  grafik->addAction(TBBtnDiagramm);
  QMenu* optionen = menuBar()->addMenu("&Options");
  optionen->addAction(TBBtnOptionen);
  QMenu* hilfe = menuBar()->addMenu("&Help");
  QAction* ueber = hilfe->addAction("&About Vostra Kalibra");
  connect(ueber, &QAction::triggered, this, &TFrmMain::UeberAnzeigen);

  setFixedSize(kBreite, kHoehe + menuBar()->sizeHint().height());
}

void TFrmMain::UeberAnzeigen() {
  QMessageBox::about(this, "About Vostra Kalibra",
                     QStringLiteral("<b>Vostra Kalibra</b> %1<br><br>"
                                    "Fits discrete distributions to counted data by minimum "
                                    "chi-square.<br><br>GPL-3.0-or-later")
                         .arg(VK_VERSION));
}

// ---------------------------------------------------------------------------------------------
// Input files and the data set.

void TFrmMain::RfBtnEingabeDatenClick() {
  if (FInAnpassung) return;
  FDiagramm->hide();
  const QStringList pfade = QFileDialog::getOpenFileNames(this, "Open input data", QString(),
                                                          "Kalibra Data (*.dat);;All Files (*.*)");
  DateienOeffnen(pfade);
}

void TFrmMain::DateienOeffnen(const QStringList& pfade) {
  if (pfade.isEmpty() || FInAnpassung) return;
  {
    // Only the first file is read, once, below.
    const QSignalBlocker still(LBEingabeDaten);
    LBEingabeDaten->clear();
    for (const QString& p : pfade) LBEingabeDaten->addItem(QFileInfo(p).absoluteFilePath());
    LBEingabeDaten->setCurrentRow(0);
  }
  if (LBEingabeDaten->isEnabled()) LBEingabeDaten->setFocus();
  // The results on screen belong to the data set shown until now, as when a file is clicked.
  AnzeigenLeeren();
  FDatenVorhanden = EingabeDatenLesen(LBEingabeDaten->currentItem()->text());
  ZustandDaten(FDatenVorhanden);
  TabShBatch->Leeren();
}

void TFrmMain::StartdateienOeffnen(const QStringList& pfade) {
  DateienOeffnen(pfade);
  if (TabShAnpassen->Auswahlhilfe() && FDatenVorhanden) TabShAnpassen->AuswahlFuellen();
}

bool TFrmMain::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == LBEingabeDaten->viewport() && e->type() == QEvent::MouseButtonPress)
    FZeileVorKlick = LBEingabeDaten->currentRow();
  return QMainWindow::eventFilter(objekt, e);
}

void TFrmMain::LBEingabeDatenClick() {
  // The data set belongs to a running fit until it ends.
  if (FInAnpassung || LBEingabeDaten->currentItem() == nullptr) return;
  AnzeigenLeeren();
  FDatenVorhanden = EingabeDatenLesen(LBEingabeDaten->currentItem()->text());
  ZustandDaten(FDatenVorhanden);
}

bool TFrmMain::EingabeDatenLesen(const QString& pfad) {
  TDateneigenschaften eig;
  std::string detail;
  const Status st = DateiLesen(pfad.toStdString(), FEngine->DatenZumLesen(), eig, detail);
  if (st != status::kOk) {
    Warnung(this, LesefehlerMitDetail("", st, detail));
    return false;
  }
  FDateneigenschaften = eig;
  FAngezeigteDatei = pfad;
  DatensatzZeigen(eig);
  return true;
}

void TFrmMain::StatistikZeigen(const TDateneigenschaften& eig) {
  NumEdTOT->SetzeWert(static_cast<double>(eig.tot));
  NumEdMoment1->SetzeWert(eig.m1);
  NumEdMoment2->SetzeWert(eig.m2);
  NumEdMoment3->SetzeWert(eig.m3);
  NumEdMoment4->SetzeWert(eig.m4);
  NumEdSchiefe->SetzeWert(eig.schiefe);
  NumEdExzess->SetzeWert(eig.exzess);
  NumEdOrdI->SetzeWert(eig.ord_i);
  NumEdOrdS->SetzeWert(eig.ord_s);
  NumEdWiederholungsrate->SetzeWert(eig.wiederholungsrate);
  NumEdEntropie->SetzeWert(eig.entropie);
}

namespace {

QTreeWidgetItem* DatenZeile(std::uint32_t x, double f) {
  auto* zeile = new QTreeWidgetItem;
  zeile->setText(0, QString::number(x));
  // The list shows whole frequencies: 4.7 is listed (and charted) as 4.
  zeile->setText(1, Fest(std::trunc(f) + 0.0, 0));
  zeile->setText(2, "0.00");
  zeile->setTextAlignment(1, kRechts);
  zeile->setTextAlignment(2, kRechts);
  return zeile;
}

}  // namespace

void TFrmMain::DatensatzZeigen(const TDateneigenschaften& eig) {
  StatistikZeigen(eig);
  if (!FEngine->Daten().DatenGueltig) return;
  FNPVerteilung.clear();

  LVDaten->setUpdatesEnabled(false);
  LVDaten->clear();
  FNPVerteilung.clear();
  QList<QTreeWidgetItem*> zeilen;
  for (std::int32_t i = 0; i <= eig.n; ++i) {
    double f = 0;
    std::uint32_t x = 0;
    const Status st = FEngine->KlasseHolen(static_cast<std::uint32_t>(i), f, x);
    if (st != status::kOk) {
      Warnung(this, QString::fromStdString(StatusText(st)) +
                        ": Problems empir. record : " + QString::number(i));
      continue;
    }
    zeilen.append(DatenZeile(x, f));
  }
  LVDaten->addTopLevelItems(zeilen);
  SpaltenEinpassen(LVDaten, 0, 1);
  LVDaten->setUpdatesEnabled(true);
}

void TFrmMain::DatensatzAnzeigen(const QString& pfad, const TDateneigenschaften& eig,
                                 const TDaten& daten) {
  FDateneigenschaften = eig;
  FAngezeigteDatei = pfad;
  FNPVerteilung.clear();
  StatistikZeigen(eig);
  LVDaten->setUpdatesEnabled(false);
  LVDaten->clear();
  FNPVerteilung.clear();
  QList<QTreeWidgetItem*> zeilen;
  for (std::int32_t i = 0; i <= eig.n && i <= static_cast<std::int32_t>(kMaxKlassenIndex); ++i) {
    const TWerte& w = daten[static_cast<std::size_t>(i)];
    zeilen.append(DatenZeile(w.X, w.E));
  }
  LVDaten->addTopLevelItems(zeilen);
  SpaltenEinpassen(LVDaten, 0, 1);
  LVDaten->setUpdatesEnabled(true);
}

void TFrmMain::ZustandDaten(bool datenVorhanden) {
  PgCtrlAnpassungen->setEnabled(datenVorhanden);
  TBBtnGo->setEnabled(datenVorhanden && !FInAnpassung);
  TBBtnDiagramm->setEnabled(datenVorhanden && !FInAnpassung);
  if (datenVorhanden) TabShSpezial->DatenGeaendert(FDateneigenschaften.n);
}

void TFrmMain::ZustandAnpassung(bool laeuft) {
  if (laeuft) FDiagramm->hide();
  FInAnpassung = laeuft;
  RfBtnEingabeDaten->setEnabled(!laeuft);
  AktOeffnen->setEnabled(!laeuft);
  // The data set must not change under a running fit.
  LBEingabeDaten->setEnabled(!laeuft && PgCtrlAnpassungen->currentWidget() != TabShBatch);
  TBBtnGo->setEnabled(!laeuft && FDatenVorhanden);
  TBBtnDiagramm->setEnabled(!laeuft && FDatenVorhanden);
  TBBtnOptionen->setEnabled(!laeuft);
  TabShAnpassen->ZustandAnpassung(laeuft);
  TabShAutomatik->ZustandAnpassung(laeuft);
  TabShSpezial->ZustandAnpassung(laeuft);
  TabShBatch->ZustandAnpassung(laeuft);
}

void TFrmMain::AnzeigenLeeren() {
  TabShAnpassen->Leeren();
  TabShAutomatik->Leeren();
  TabShSpezial->Leeren();
}

// ---------------------------------------------------------------------------------------------
// What the tabs use of the window.

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

void TFrmMain::FortschrittStart(int gesamt) {
  FFortschrittTotal = std::max(gesamt, 0);
  FFortschrittErledigt = 0;
  // Without a count the field shows that work goes on.
  PrgStatFortschritt->setRange(0, FFortschrittTotal);
  PrgStatFortschritt->setValue(0);
  PrgStatFortschritt->setTextVisible(FFortschrittTotal > 0);
}

void TFrmMain::FortschrittStand(int erledigt, int gesamt) {
  FFortschrittTotal = std::max(gesamt, 1);
  FFortschrittErledigt = std::clamp(erledigt, 0, FFortschrittTotal);
  PrgStatFortschritt->setRange(0, FFortschrittTotal);
  PrgStatFortschritt->setValue(FFortschrittErledigt);
  PrgStatFortschritt->setTextVisible(true);
}

void TFrmMain::FortschrittSchritt() {
  ++FFortschrittErledigt;
  PrgStatFortschritt->setValue(std::min(FFortschrittErledigt, PrgStatFortschritt->maximum()));
}

void TFrmMain::FortschrittEnde() {
  FFortschrittErledigt = 0;
  FFortschrittTotal = 0;
  PrgStatFortschritt->setTextVisible(false);
  PrgStatFortschritt->setRange(0, 1);
  PrgStatFortschritt->setValue(0);
}

namespace {

// A pooled row is shaded and names the class it went into; the numbers stay as they are.
void PoolungZeigen(QTreeWidget* liste, QTreeWidgetItem* z, std::uint32_t gepooltIn) {
  QTreeWidgetItem* ziel =
      gepooltIn == kNichtGepoolt ? nullptr : liste->topLevelItem(static_cast<int>(gepooltIn));
  z->setData(0, kGepooltRolle, ziel != nullptr ? QVariant(gepooltIn) : QVariant());
  // Without a pooling the roles are emptied, so a cut-off text gets its own tooltip again.
  const QVariant hinweis = ziel != nullptr
                               ? QVariant("X² counts this class pooled into x = " + ziel->text(0))
                               : QVariant();
  for (int s = 0; s < liste->columnCount(); ++s) {
    z->setData(s, Qt::BackgroundRole, ziel != nullptr ? QVariant(kGepooltZeile) : QVariant());
    z->setData(s, Qt::ToolTipRole, hinweis);
  }
}

}  // namespace

void TFrmMain::NPLeeren() {
  FNPVerteilung.clear();
  for (int i = 0; i < LVDaten->topLevelItemCount(); ++i) {
    LVDaten->topLevelItem(i)->setText(2, "0.00");
    PoolungZeigen(LVDaten, LVDaten->topLevelItem(i), kNichtGepoolt);
  }
}

void TFrmMain::NPZeigen(std::uint32_t idx, double np, std::uint32_t gepooltIn) {
  if (QTreeWidgetItem* z = LVDaten->topLevelItem(static_cast<int>(idx))) {
    z->setText(2, FestOderSignifikant(np, 2));
    PoolungZeigen(LVDaten, z, gepooltIn);
  }
}

QStringList TFrmMain::Eingabedateien() const {
  QStringList pfade;
  for (int i = 0; i < LBEingabeDaten->count(); ++i) pfade << LBEingabeDaten->item(i)->text();
  return pfade;
}

bool TFrmMain::DateiAnzeigen(const QString& pfad) {
  const QList<QListWidgetItem*> treffer = LBEingabeDaten->findItems(pfad, Qt::MatchExactly);
  if (treffer.isEmpty()) return false;
  {
    const QSignalBlocker still(LBEingabeDaten);
    LBEingabeDaten->setCurrentItem(treffer.first());
  }
  AnzeigenLeeren();
  FDatenVorhanden = EingabeDatenLesen(pfad);
  ZustandDaten(FDatenVorhanden);
  return FDatenVorhanden;
}

void TFrmMain::Warnen(const QString& text) {
  Warnung(this, text);
}

void TFrmMain::AufAnpassenTabAnpassen(const QString& name) {
  if (!TabShAnpassen->VerteilungWaehlen(name)) return;
  PgCtrlAnpassungen->setCurrentWidget(TabShAnpassen);
  TBBtnGoClick();
}

// ---------------------------------------------------------------------------------------------
// Toolbar commands and closing.

void TFrmMain::TBBtnGoClick() {
  if (FInAnpassung || !FDatenVorhanden) return;
  QWidget* tab = PgCtrlAnpassungen->currentWidget();
  if (tab == TabShAnpassen) TabShAnpassen->Starten();
  if (tab == TabShAutomatik) TabShAutomatik->Starten();
  if (tab == TabShSpezial) TabShSpezial->Starten();
  if (tab == TabShBatch) TabShBatch->Starten();
}

void TFrmMain::TBBtnDiagrammClick() {
  if (!FDatenVorhanden || FInAnpassung) return;
  // The distribution the active tab names (none on the automatic tab). The chart draws the NP
  // column only when it holds that distribution's fit; otherwise it draws the data alone.
  const QString verteilung = VerteilungsnameVon(PgCtrlAnpassungen->currentWidget());
  const bool mitNP = !verteilung.isEmpty() && verteilung == FNPVerteilung;
  auto daten = std::make_unique<TDaten>();
  const int zeilen = std::min(LVDaten->topLevelItemCount(), static_cast<int>(kMaxKlassen));
  for (int i = 0; i < zeilen; ++i) {
    const QTreeWidgetItem* z = LVDaten->topLevelItem(i);
    TWerte& w = (*daten)[static_cast<std::size_t>(i)];
    w.X = static_cast<std::uint32_t>(z->text(0).toUInt());
    w.E = ZahlAusText(z->text(1));
    w.NP = mitNP ? ZahlAusText(z->text(2)) : 0.0;
    w.Idx = static_cast<std::uint32_t>(i);
    const QVariant ziel = z->data(0, kGepooltRolle);
    w.GepooltIn = mitNP && ziel.isValid() ? ziel.toUInt() : kNichtGepoolt;
  }
  // The name of the file whose data the list shows, which need not be the highlighted one.
  const QString datei = QFileInfo(FAngezeigteDatei).fileName();
  FDiagramm->Zeigen(std::min(FDateneigenschaften.n, zeilen - 1), FDateneigenschaften.tot,
                    verteilung, datei, *daten, FNPVerteilung);
  FDiagramm->Platzieren(*this);
  FDiagramm->show();
  FDiagramm->raise();
}

// The distribution a tab names: the automatic tab names none.
QString TFrmMain::VerteilungsnameVon(const QWidget* tab) const {
  if (tab == TabShAnpassen) return TabShAnpassen->Verteilungsname();
  if (tab == TabShSpezial) return TabShSpezial->Verteilungsname();
  if (tab == TabShBatch) return TabShBatch->Verteilungsname();
  return {};
}

void TFrmMain::TBBtnOptionenClick() {
  if (FInAnpassung) return;
  if (FOptimierungDlg->exec() != QDialog::Accepted) return;
  OptParSchreiben(FOptPar);
  FEngine->EinstellungenUebernehmen(FOptPar);
}

void TFrmMain::closeEvent(QCloseEvent* e) {
  if (FInAnpassung) {
    e->ignore();
    return;
  }
  TAnzeigeeinstellungen p;
  p.NurBesteMethode = TabShAnpassen->NurBesteMethode();
  p.AuswahlHilfe = TabShAnpassen->Auswahlhilfe();
  const QRect haupt = AufBildschirme(x(), y(), width(), height(), size());
  const QRect grafik = AufBildschirme(FDiagramm->x(), FDiagramm->y(), FDiagramm->width(),
                                      FDiagramm->height(), QSize(200, 150));
  p.KalibraFensterX = haupt.x();
  p.KalibraFensterY = haupt.y();
  p.GrafFensterX = grafik.x();
  p.GrafFensterY = grafik.y();
  p.GrafFensterW = grafik.width();
  p.GrafFensterH = grafik.height();
  FitParSchreiben(p);
  InferenzSchreiben(TabShAnpassen->Inferenz());
  OptParSchreiben(FOptPar);
  FDiagramm->close();
  e->accept();
}

}  // namespace vk::ui

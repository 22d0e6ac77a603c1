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
#include "ui/Meldungen.h"
#include "ui/SpezialArbeiter.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

namespace {

constexpr int kBreite = 769;
constexpr int kHoehe = 612;

TNumEdit* Feld(QWidget* eltern, const char* name, int dezimalen, bool nurLesen = true) {
  auto* f = new TNumEdit(dezimalen, nurLesen, eltern);
  f->setObjectName(name);
  return f;
}

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
  if (!einstellungsWarnungen.empty()) {
    // Told once the window is up, not from inside its construction.
    QString text = "Some saved optimisation settings cannot be used:";
    for (const std::string& w : einstellungsWarnungen) text += "\n" + QString::fromStdString(w);
    QTimer::singleShot(0, this, [this, text] { Warnung(this, text); });
  }
  PresentationSettings p;
  FitParLesen(p);
  CBNFAuswahlhilfe->setChecked(p.AuswahlHilfe);
  FAuswahlhilfe = p.AuswahlHilfe;
  CBNFNurBesteMethode->setChecked(p.NurBesteMethode);
  const QRect platz =
      AufBildschirme(p.KalibraFensterX, p.KalibraFensterY, width(), height(), size());
  move(platz.topLeft());

  NFAnzeigeLeeren();
  AFListeLeeren();
  SFLeeren();
  BFListeLeeren();
  AuswahlFuellen();
  SpezialAuswahlFuellen();
  BatchAuswahlFuellen();
}

TFrmMain::~TFrmMain() {
  // A window destroyed under a running worker (only possible when the program is torn down) must
  // not leave the worker writing into freed controls.
  if (FSFThread) {
    Abbruch = true;
    FSFThread->wait();
  }
}

bool TFrmMain::SpezialLaeuft() const {
  return FSFThread != nullptr;
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
  TabShAnpassen = AnpassenTabBauen();
  TabShAutomatik = AutomatikTabBauen();
  TabShSpezial = SpezialTabBauen();
  TabShBatch = BatchTabBauen();
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
  connect(AktNaechsteMethode, &QAction::triggered, BtnNFNaechsteMethode, &QPushButton::click);

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
  FDatenVorhanden = EingabeDatenLesen(LBEingabeDaten->currentItem()->text());
  ZustandDaten(FDatenVorhanden);
  BFListeLeeren();
}

void TFrmMain::StartdateienOeffnen(const QStringList& pfade) {
  DateienOeffnen(pfade);
  if (FAuswahlhilfe && FDatenVorhanden) AuswahlFuellen();
}

bool TFrmMain::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == LBEingabeDaten->viewport() && e->type() == QEvent::MouseButtonPress)
    FZeileVorKlick = LBEingabeDaten->currentRow();
  return QMainWindow::eventFilter(objekt, e);
}

void TFrmMain::LBEingabeDatenClick() {
  // The data set belongs to a running fit until it ends.
  if (FInAnpassung || LBEingabeDaten->currentItem() == nullptr) return;
  NFAnzeigeLeeren();
  AFListeLeeren();
  SFLeeren();
  FDatenVorhanden = EingabeDatenLesen(LBEingabeDaten->currentItem()->text());
  ZustandDaten(FDatenVorhanden);
}

namespace {

// The read error as the command line gives it: the message, then where and what on a line of
// its own.
QString LesefehlerMitDetail(const std::string& pfad, Status st, const std::string& detail) {
  QString text = QString::fromStdString(LesefehlerText(pfad, st));
  if (!detail.empty()) text += "\n" + QString::fromStdString(detail);
  return text;
}

}  // namespace

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

bool TFrmMain::BatchDatenLesen(const QString& pfad, TBatchObj& obj) {
  TDateneigenschaften eig;
  std::string detail;
  const Status st = DateiLesen(pfad.toStdString(), FEngine->DatenZumLesen(), eig, detail);
  if (st != status::kOk) {
    Warnung(this, LesefehlerMitDetail(pfad.toStdString(), st, detail));
    return false;
  }
  const TDatensatz& d = FEngine->Daten();
  for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
    obj.Daten[i] = TWerte{d.Haeufigkeiten[i], 0.0, d.XWerte[i], i, false};
  obj.Dateneigenschaften = eig;
  FDateneigenschaften = eig;
  FAngezeigteDatei = pfad;
  DatensatzZeigen(eig);
  return true;
}

void TFrmMain::DatensatzZeigen(const TDateneigenschaften& eig) {
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
  if (!FEngine->Daten().DatenGueltig) return;

  LVDaten->setUpdatesEnabled(false);
  LVDaten->clear();
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
    auto* zeile = new QTreeWidgetItem;
    zeile->setText(0, QString::number(x));
    // The list shows whole frequencies: 4.7 is listed (and charted) as 4.
    zeile->setText(1, Fest(std::trunc(f) + 0.0, 0));
    zeile->setText(2, "0.00");
    zeile->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    zeile->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    zeilen.append(zeile);
  }
  LVDaten->addTopLevelItems(zeilen);
  SpaltenEinpassen(LVDaten, 0, 1);
  LVDaten->setUpdatesEnabled(true);
}

void TFrmMain::ZustandDaten(bool datenVorhanden) {
  PgCtrlAnpassungen->setEnabled(datenVorhanden);
  TBBtnGo->setEnabled(datenVorhanden && !FInAnpassung);
  TBBtnDiagramm->setEnabled(datenVorhanden && !FInAnpassung);
  if (datenVorhanden) {
    PreflightVorgaben(3);
    PreflightVorgaben(4);
  }
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
  CBNFVerteilung->setEnabled(!laeuft);
  CBSFVerteilung->setEnabled(!laeuft);
  CBBFVerteilung->setEnabled(!laeuft);
  CBNFAuswahlhilfe->setEnabled(!laeuft);
  BtnSFb1Default->setEnabled(!laeuft);
  BtnSFb2Default->setEnabled(!laeuft);
  BtnAFAbbrechen->setEnabled(laeuft);
  BtnSFAbbrechen->setEnabled(laeuft);
  BtnBFAbbrechen->setEnabled(laeuft);
  QCoreApplication::processEvents();
}

void TFrmMain::AuswahlFuellen() {
  CBNFVerteilung->blockSignals(true);
  CBNFVerteilung->clear();
  FKatalog.VerteilungenAuflisten(FAuswahlhilfe, FEngine->Daten(), [this](const TVerteilung& v) {
    if (!v.spezial)
      CBNFVerteilung->addItem(QString::fromStdString(v.Bezeichnung),
                              QVariant::fromValue(TListObj{v}));
    return status::kOk;
  });
  CBNFVerteilung->model()->sort(0);
  CBNFVerteilung->setCurrentIndex(CBNFVerteilung->count() > 0 ? 0 : -1);
  CBNFVerteilung->blockSignals(false);
  NFAnzeigeLeeren();
}

void TFrmMain::SpezialAuswahlFuellen() {
  CBSFVerteilung->clear();
  FKatalog.VerteilungenAuflisten(false, FEngine->Daten(), [this](const TVerteilung& v) {
    if (v.spezial)
      CBSFVerteilung->addItem(QString::fromStdString(v.Bezeichnung),
                              QVariant::fromValue(TListObj{v}));
    return status::kOk;
  });
  CBSFVerteilung->model()->sort(0);
  CBSFVerteilung->setCurrentIndex(CBSFVerteilung->count() > 0 ? 0 : -1);
}

void TFrmMain::BatchAuswahlFuellen() {
  CBBFVerteilung->blockSignals(true);
  CBBFVerteilung->clear();
  FKatalog.VerteilungenAuflisten(false, FEngine->Daten(), [this](const TVerteilung& v) {
    if (!v.spezial)
      CBBFVerteilung->addItem(QString::fromStdString(v.Bezeichnung),
                              QVariant::fromValue(TListObj{v}));
    return status::kOk;
  });
  CBBFVerteilung->model()->sort(0);
  CBBFVerteilung->setCurrentIndex(CBBFVerteilung->count() > 0 ? 0 : -1);
  CBBFVerteilung->blockSignals(false);
  BatchSpaltenBauen();
}

void TFrmMain::PreflightVorgaben(int parameter) {
  const double n = FDateneigenschaften.n;
  TNumEdit* start = parameter == 3 ? NumEdSFb1Start : NumEdSFb2Start;
  TNumEdit* stop = parameter == 3 ? NumEdSFb1Stop : NumEdSFb2Stop;
  TNumEdit* delta = parameter == 3 ? NumEdSFb1Delta : NumEdSFb2Delta;
  start->SetzeWert(-n);
  stop->SetzeWert(n);
  delta->SetzeWert(2 * n / 100);
}

// ---------------------------------------------------------------------------------------------
// Toolbar commands and closing.

void TFrmMain::TBBtnDiagrammClick() {
  if (!FDatenVorhanden || FInAnpassung) return;
  auto daten = std::make_unique<TDaten>();
  const int zeilen = std::min(LVDaten->topLevelItemCount(), static_cast<int>(kMaxKlassen));
  for (int i = 0; i < zeilen; ++i) {
    const QTreeWidgetItem* z = LVDaten->topLevelItem(i);
    TWerte& w = (*daten)[static_cast<std::size_t>(i)];
    w.X = static_cast<std::uint32_t>(z->text(0).toUInt());
    w.E = ZahlAusText(z->text(1));
    w.NP = ZahlAusText(z->text(2));
    w.Idx = static_cast<std::uint32_t>(i);
  }
  // The name of the file whose data the list shows, which need not be the highlighted one.
  const QString datei = QFileInfo(FAngezeigteDatei).fileName();
  QString verteilung;
  QWidget* tab = PgCtrlAnpassungen->currentWidget();
  if (tab == TabShAnpassen) verteilung = CBNFVerteilung->currentText();
  if (tab == TabShSpezial) verteilung = CBSFVerteilung->currentText();
  if (tab == TabShBatch) verteilung = CBBFVerteilung->currentText();
  FDiagramm->Zeigen(std::min(FDateneigenschaften.n, zeilen - 1), FDateneigenschaften.tot,
                    verteilung, datei, *daten);
  FDiagramm->show();
  FDiagramm->raise();
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
  PresentationSettings p;
  p.NurBesteMethode = CBNFNurBesteMethode->isChecked();
  p.AuswahlHilfe = CBNFAuswahlhilfe->isChecked();
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
  OptParSchreiben(FOptPar);
  FDiagramm->close();
  e->accept();
}

}  // namespace vk::ui

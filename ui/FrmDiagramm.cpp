// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FrmDiagramm.h"

#include "ui/Bildschirm.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarLegendMarker>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMap>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "fitting/EinstellungenSpeicher.h"
#include "ui/DlgDiagrammTitel.h"
#include "ui/Listen.h"
#include "ui/Meldungen.h"
#include "ui/Wertmarken.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

namespace {

// Colours come as 24-bit values with red in the low byte.
QColor Farbe(unsigned wert) {
  return QColor(static_cast<int>(wert & 0xFF), static_cast<int>((wert >> 8) & 0xFF),
                static_cast<int>((wert >> 16) & 0xFF));
}

const QColor kSilber{0xC0, 0xC0, 0xC0};
const QColor kGruenLinie{0x00, 0x80, 0x00};

// Beyond this many classes no value gets a label: they could not be read, and laying them out
// would cost more than the chart.
constexpr int kHoechstensBeschriftet = 300;
// More bars than this would stand closer than a pixel on any screen.
constexpr int kHoechstensSaeulen = 1000;

// Qt Charts reads titles as rich text; ours are plain, whatever characters they hold.
QString Klartext(const QString& text) {
  // Runs of blanks stay as typed ("  -  "), where rich text would fold them into one.
  return text.toHtmlEscaped().replace("  ", " &nbsp;");
}

QLineSeries* Linie(const char* titel, const QColor& farbe, bool punkte) {
  auto* s = new QLineSeries;
  s->setName(titel);
  QPen stift(farbe);
  stift.setWidth(2);
  s->setPen(stift);
  s->setColor(farbe);
  s->setPointsVisible(punkte);
  s->setMarkerSize(7);
  // The value labels are drawn by the chart window itself (they keep the list's format, are
  // thinned and stay in the plot); the series keeps their colour: its own, darkened to read on
  // white and on the colour background.
  s->setPointLabelsColor(farbe.darker(220));
  return s;
}

}  // namespace

QStringList KategorienBeschriften(const QStringList& werte) {
  // About twenty labels find room under the plot; with more classes the values that are multiples
  // of a round step k are labelled. The others get labels of zero width (the axis wants them
  // distinct), so that no label is cut to "10...".
  constexpr int kBeschriftungen = 20;
  const int k =
      static_cast<int>(RunderSchritt(static_cast<double>(werte.size()) / kBeschriftungen));
  if (k <= 1) return werte;
  QStringList beschriftet;
  for (int i = 0; i < werte.size(); ++i)
    beschriftet << (werte[i].toLongLong() % k == 0 ? werte[i] : QString(i + 1, QChar(0x200B)));
  return beschriftet;
}

double RunderSchritt(double mindestens) {
  if (!(mindestens > 0) || !std::isfinite(mindestens)) return 1;
  const double zehner = std::pow(10.0, std::floor(std::log10(mindestens)));
  for (double faktor : {1.0, 2.0, 5.0, 10.0})
    if (faktor * zehner >= mindestens) return faktor * zehner;
  return 10 * zehner;
}

TFrmDiagramm::TFrmDiagramm(const QString& anwendungsTitel)
    : QWidget(nullptr), FAnwendungsTitel(anwendungsTitel) {
  setObjectName("TFrmDiagramm");
  setWindowTitle("Vostra Kalibra Graph");
  // The main window decides when the program ends; this window only follows it.
  setAttribute(Qt::WA_QuitOnClose, false);

  chart_ = new QChart;
  chart_->setTitle(Klartext(FTitel));
  chart_->legend()->setAlignment(Qt::AlignRight);
  balken_ = new QBarSeries;
  balkenF_ = new QBarSet("f[x]");
  balkenF_->setColor(Farbe(13619151));
  balkenNP_ = new QBarSet("NP[x]");
  balkenNP_->setColor(Farbe(11316396));
  balken_->append(balkenF_);
  balken_->append(balkenNP_);
  // The bars' labels in black, never white on a light bar: legible in every diagram style.
  for (QBarSet* s : {balkenF_, balkenNP_}) s->setLabelColor(Qt::black);
  balkenF_->setSelectedColor(kGepooltF);
  balkenNP_->setSelectedColor(kGepooltNP);
  chart_->addSeries(balken_);
  linien_ = {Linie("f[x]", kSilber, true), Linie("NP[x]", Farbe(4227072), true),
             Linie("f[x]", kSilber, false), Linie("NP[x]", kGruenLinie, false)};
  for (QLineSeries* s : linien_) chart_->addSeries(s);

  // The hanging rootogram: a bar of sqrt f from sqrt NP downward, so that the bars' lower ends
  // scatter around the zero line where the fit is good, each class on the same square-root scale.
  haengend_ = new QCandlestickSeries;
  haengend_->setName("√f[x]");
  haengend_->setIncreasingColor(Farbe(13619151));
  haengend_->setDecreasingColor(Farbe(13619151));
  haengend_->setPen(QPen(Farbe(13619151).darker(160), 1));
  haengend_->setCapsVisible(false);
  haengend_->setBodyWidth(0.8);
  haengend_->setMaximumColumnWidth(-1);
  chart_->addSeries(haengend_);
  wurzelNP_ = Linie("√NP[x]", kGruenLinie, true);
  chart_->addSeries(wurzelNP_);
  nulllinie_ = Linie("", Qt::black, false);
  nulllinie_->setPen(QPen(Qt::black, 1));
  chart_->addSeries(nulllinie_);
  gepooltLegende_ = new QLineSeries;
  gepooltLegende_->setName("pooled for X²");
  gepooltLegende_->setColor(kGepooltF);
  gepooltLegende_->setPen(QPen(kGepooltF, 6));
  chart_->addSeries(gepooltLegende_);

  marken_ = new MarkenSchicht(chart_);

  ansicht_ = new QChartView(chart_, this);
  ansicht_->setObjectName("Chart");
  ansicht_->setRenderHint(QPainter::Antialiasing);

  auto* stil = new QGroupBox("Data series style", this);
  bars_ = new QRadioButton("Bars", stil);
  bars_->setObjectName("bars");
  bars_->setChecked(true);
  lines_ = new QRadioButton("Lines", stil);
  lines_->setObjectName("lines");
  linesdots_ = new QRadioButton("Lines + Dots", stil);
  linesdots_->setObjectName("linesdots");
  rootogram_ = new QRadioButton("Rootogram", stil);
  rootogram_->setObjectName("rootogram");
  rootogram_->setToolTip("hanging rootogram: √f[x] hanging from √NP[x]");
  auto* stilLayout = new QHBoxLayout(stil);
  stilLayout->addWidget(bars_);
  stilLayout->addWidget(lines_);
  stilLayout->addWidget(linesdots_);
  stilLayout->addWidget(rootogram_);

  showValues_ = new QCheckBox("Values", this);
  showValues_->setObjectName("showValues");
  showValues_->setToolTip("display values");

  auto* darstellung = new QGroupBox("diagram style", this);
  view3D_ = new QCheckBox("3D", darstellung);
  view3D_->setObjectName("view3D");
  viewGrid_ = new QCheckBox("Grid", darstellung);
  viewGrid_->setObjectName("viewGrid");
  colourBg_ = new QCheckBox("Colour", darstellung);
  colourBg_->setObjectName("colourBg");
  auto* darstellungLayout = new QHBoxLayout(darstellung);
  darstellungLayout->addWidget(view3D_);
  darstellungLayout->addWidget(viewGrid_);
  darstellungLayout->addWidget(colourBg_);

  auto* log = new QGroupBox("logarithmic repres.", this);
  xAxisLog_ = new QCheckBox("x", log);
  xAxisLog_->setObjectName("xAxisLog");
  yAxisLog_ = new QCheckBox("y ", log);
  yAxisLog_->setObjectName("yAxisLog");
  auto* logLayout = new QHBoxLayout(log);
  logLayout->addWidget(xAxisLog_);
  logLayout->addWidget(yAxisLog_);

  auto* edit = new QPushButton("Titles", this);
  edit->setObjectName("edit");
  edit->setToolTip("edit titles");
  auto* cut = new QPushButton("Bitmap", this);
  cut->setObjectName("cut");
  cut->setToolTip("copy to clipboard as bitmap");
  auto* save = new QPushButton("Save", this);
  save->setObjectName("save");
  save->setToolTip("save as PNG or SVG image");

  // Two rows of controls, so that the window's smallest width stays below its default width
  // (one row made it about 1050 pixels wide, whatever size was saved).
  auto* leiste = new QHBoxLayout;
  leiste->addWidget(stil);
  leiste->addWidget(showValues_);
  leiste->addStretch();
  auto* leiste2 = new QHBoxLayout;
  leiste2->addWidget(darstellung);
  leiste2->addWidget(log);
  leiste2->addStretch();
  leiste2->addWidget(edit);
  leiste2->addWidget(cut);
  leiste2->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(leiste);
  layout->addLayout(leiste2);
  layout->addWidget(ansicht_, 1);

  titelDlg_ = new TDiagrammTitelDlg(this);

  for (QRadioButton* b : {bars_, lines_, linesdots_, rootogram_})
    connect(b, &QRadioButton::toggled, this, [this](bool an) {
      if (an) StilAnwenden();
    });
  connect(showValues_, &QCheckBox::toggled, this, [this] { BeschriftungenEntflechten(); });
  // Where the points stand on the screen changes with every layout of the plot.
  connect(chart_, &QChart::plotAreaChanged, this, [this] { BeschriftungenEntflechten(); });
  connect(view3D_, &QCheckBox::toggled, this, [this] {
    TiefeAnwenden();
    BeschriftungenEntflechten();
  });
  connect(viewGrid_, &QCheckBox::toggled, this, [this] { AchsenAnordnen(); });
  connect(colourBg_, &QCheckBox::toggled, this, [this](bool an) {
    if (an) {
      QLinearGradient verlauf(0, 0, 0, 1);
      verlauf.setCoordinateMode(QGradient::ObjectBoundingMode);
      verlauf.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
      verlauf.setColorAt(1, QColor(0xB8, 0xD0, 0xF0));
      chart_->setBackgroundBrush(verlauf);
    } else {
      chart_->setBackgroundBrush(Qt::white);
    }
  });
  connect(xAxisLog_, &QCheckBox::toggled, this, [this] { AchsenAnordnen(); });
  connect(yAxisLog_, &QCheckBox::toggled, this, [this] { AchsenAnordnen(); });
  connect(edit, &QPushButton::clicked, this, &TFrmDiagramm::TitelBearbeiten);
  connect(cut, &QPushButton::clicked, this, &TFrmDiagramm::BitmapKopieren);
  connect(save, &QPushButton::clicked, this, &TFrmDiagramm::SpeichernUnter);

  StilAnwenden();
  TiefeAnwenden();

  // The saved place is the frame's top left corner and the size that of the window's content,
  // as the main window saves them (x(), y(), width(), height()), so that a round trip leaves the
  // window where it was. The default place 0, 0 stands for none: the window then goes beside
  // the main window when first shown.
  TAnzeigeeinstellungen p;
  FitParLesen(p);
  const TAnzeigeeinstellungen vorgabe;
  const QRect platz =
      GespeichertesFenster(p.GrafFensterX, p.GrafFensterY, p.GrafFensterW, p.GrafFensterH,
                           QSize(200, 150), QSize(vorgabe.GrafFensterW, vorgabe.GrafFensterH));
  resize(platz.size());
  move(platz.topLeft());
  FPlatziert = p.GrafFensterX != vorgabe.GrafFensterX || p.GrafFensterY != vorgabe.GrafFensterY;
}

void TFrmDiagramm::Platzieren(const QWidget& hauptfenster) {
  if (FPlatziert) return;
  FPlatziert = true;
  // A window not yet shown has no frame: it is reckoned with a frame like the main window's.
  const QSize rahmen = hauptfenster.frameGeometry().size() - hauptfenster.size();
  move(Daneben(hauptfenster.frameGeometry(), size() + rahmen));
}

const QList<GesetzteMarke>& TFrmDiagramm::Wertmarken() const {
  return marken_->Marken();
}

TFrmDiagramm::~TFrmDiagramm() = default;

QString TFrmDiagramm::Titel() const {
  return FTitel;
}

bool TFrmDiagramm::SerieAktiv(int nummer) const {
  if (nummer == 1 || nummer == 2) return balken_->isVisible();
  if (nummer >= 3 && nummer <= 6) return linien_[static_cast<std::size_t>(nummer - 3)]->isVisible();
  if (nummer == 7) return haengend_->isVisible();
  if (nummer == 8) return wurzelNP_->isVisible();
  if (nummer == 9) return nulllinie_->isVisible();
  return false;
}

int TFrmDiagramm::SeriePunkte(int nummer) const {
  if (nummer == 1) return static_cast<int>(balkenF_->count());
  if (nummer == 2) return static_cast<int>(balkenNP_->count());
  if (nummer >= 3 && nummer <= 6)
    return static_cast<int>(linien_[static_cast<std::size_t>(nummer - 3)]->count());
  if (nummer == 7) return haengend_->count();
  if (nummer == 8) return static_cast<int>(wurzelNP_->count());
  if (nummer == 9) return static_cast<int>(nulllinie_->count());
  return 0;
}

void TFrmDiagramm::Zeigen(int n, long long tot, const QString& verteilung, const QString& dateiName,
                          const TDaten& daten, const QString& anpassung) {
  const qsizetype klammer = verteilung.indexOf('(');
  FTitel = dateiName + "  -  " + (klammer >= 0 ? verteilung.left(klammer) : verteilung);
  chart_->setTitle(Klartext(FTitel));
  FMitNP = !verteilung.isEmpty() && anpassung == verteilung;

  const int letzte = std::clamp(n, -1, static_cast<int>(kMaxKlassenIndex));
  double hoechst = 0;
  double tiefst = static_cast<double>(tot);
  FKleinstesPositives = 0;
  for (int i = 0; i <= letzte; ++i) {
    const TWerte& w = daten[static_cast<std::size_t>(i)];
    // The range is that of the rows as given, NP drawn or not.
    for (double v : {w.E, w.NP}) {
      if (v > hoechst) hoechst = v;
      if (v < tiefst) tiefst = v;
    }
    for (double v : {w.E, FMitNP ? w.NP : w.E})
      if (v > 0 && (FKleinstesPositives == 0 || v < FKleinstesPositives)) FKleinstesPositives = v;
  }
  const double rand = (hoechst - tiefst) / 10;
  FMin = tiefst - rand > 0 ? tiefst - rand : 0;
  FMax = hoechst + rand;

  // The bar sets are refilled outside their series: inside, every change is laid out at once,
  // and on a logarithmic axis a half-filled pair of sets meets the logarithm of zero.
  balken_->take(balkenF_);
  balken_->take(balkenNP_);
  balkenF_->remove(0, static_cast<int>(balkenF_->count()));
  balkenNP_->remove(0, static_cast<int>(balkenNP_->count()));
  for (QLineSeries* s : linien_) s->clear();
  haengend_->clear();
  FKategorien.clear();
  FPunkteF.clear();
  FPunkteNP.clear();
  FGepoolt.clear();
  FSaeulenF.clear();
  FSaeulenNP.clear();
  QList<int> gepooltIndizes;
  QList<QCandlestickSet*> haengend;
  FWurzelMin = 0;
  FWurzelMax = 0;
  for (int i = 0; i <= letzte; ++i) {
    const TWerte& w = daten[static_cast<std::size_t>(i)];
    FPunkteF.append(QPointF(w.X, w.E));
    // Without the fit the title names, NP is not drawn (and counts as 0 where the rootogram
    // hangs its bars).
    if (FMitNP) FPunkteNP.append(QPointF(w.X, w.NP));
    FGepoolt.append(w.GepooltIn != kNichtGepoolt);
  }
  // A screen shows a few thousand bars at most; with more classes, each bar stands for a run
  // of neighbouring classes and is as high as the highest of them (what the pixels of their
  // bars would have shown), its label the first class's value. The lines keep every point.
  const int klassen = letzte + 1;
  const int je = std::max(1, (klassen + kHoechstensSaeulen - 1) / kHoechstensSaeulen);
  for (int von = 0; von < klassen; von += je) {
    const int bis = std::min(klassen, von + je);
    double hoechstF = 0, hoechstNP = 0, oben = 0, unten = 0;
    bool gepoolt = false;
    for (int i = von; i < bis; ++i) {
      const TWerte& w = daten[static_cast<std::size_t>(i)];
      const double wertNP = FMitNP ? w.NP : 0.0;
      // The bar hangs from sqrt NP and reaches sqrt f down: its lower end sqrt NP - sqrt f.
      const double wurzelOben = std::sqrt(std::max(wertNP, 0.0));
      const double wurzelUnten = wurzelOben - std::sqrt(std::max(w.E, 0.0));
      if (i == von || w.E > hoechstF) hoechstF = w.E;
      if (i == von || wertNP > hoechstNP) hoechstNP = wertNP;
      if (i == von || wurzelOben > oben) oben = wurzelOben;
      if (i == von || wurzelUnten < unten) unten = wurzelUnten;
      gepoolt = gepoolt || FGepoolt[i];
    }
    const auto x = daten[static_cast<std::size_t>(von)].X;
    FSaeulenF.append(hoechstF);
    if (FMitNP) FSaeulenNP.append(hoechstNP);
    FKategorien.append(QString::number(x));
    if (gepoolt) gepooltIndizes.append(static_cast<int>(FSaeulenF.size()) - 1);
    auto* satz = new QCandlestickSet(oben, oben, unten, unten, x);
    satz->setBrush(gepoolt ? kGepooltF : Farbe(13619151));
    satz->setPen(QPen(gepoolt ? kGepooltNP : Farbe(13619151).darker(160), 1));
    haengend.append(satz);
    FWurzelMin = std::min(FWurzelMin, unten);
    FWurzelMax = std::max(FWurzelMax, oben);
  }
  const double wurzelRand = std::max((FWurzelMax - FWurzelMin) / 10, 0.1);
  FWurzelMin -= wurzelRand;
  FWurzelMax += wurzelRand;
  balkenF_->append(FSaeulenF);
  balkenNP_->append(FSaeulenNP);
  balken_->append(QList<QBarSet*>{balkenF_, balkenNP_});
  // The pooled classes' bars in the pooled shade, their numbers as they are.
  for (QBarSet* s : {balkenF_, balkenNP_}) {
    s->deselectAllBars();
    s->selectBars(gepooltIndizes);
  }
  haengend_->append(haengend);
  // Points on the curve while they stand apart; with many classes the line alone.
  wurzelNP_->setPointsVisible(letzte < 40);
  linien_[0]->setPointsVisible(klassen <= kHoechstensSaeulen);
  linien_[1]->setPointsVisible(klassen <= kHoechstensSaeulen);
  FXMin = letzte >= 0 ? daten[0].X : 0;
  FXMax = letzte >= 0 ? daten[static_cast<std::size_t>(letzte)].X : 1;
  StilAnwenden();
}

void TFrmDiagramm::StilAnwenden() {
  const bool wurzel = rootogram_->isChecked();
  balken_->setVisible(bars_->isChecked());
  linien_[0]->setVisible(linesdots_->isChecked());
  linien_[1]->setVisible(linesdots_->isChecked());
  linien_[2]->setVisible(lines_->isChecked());
  linien_[3]->setVisible(lines_->isChecked());
  haengend_->setVisible(wurzel);
  wurzelNP_->setVisible(wurzel);
  nulllinie_->setVisible(wurzel);
  gepooltLegende_->setVisible((bars_->isChecked() || wurzel) && FGepoolt.contains(true));
  // The rootogram's square-root scale has no logarithmic counterpart.
  xAxisLog_->setEnabled(!wurzel);
  yAxisLog_->setEnabled(!wurzel);
  // Hidden series leave the legend, so it names only what is drawn; the zero line needs no name.
  const auto marker = [this](QAbstractSeries* s) {
    for (QLegendMarker* m : chart_->legend()->markers(s)) m->setVisible(s->isVisible());
  };
  marker(balken_);
  for (QLineSeries* s : linien_) marker(s);
  for (QAbstractSeries* s :
       {static_cast<QAbstractSeries*>(haengend_), static_cast<QAbstractSeries*>(wurzelNP_),
        static_cast<QAbstractSeries*>(gepooltLegende_)})
    marker(s);
  for (QLegendMarker* m : chart_->legend()->markers(nulllinie_)) m->setVisible(false);
  // Nor does it name an NP that is not drawn.
  if (!FMitNP) {
    for (QLegendMarker* m : chart_->legend()->markers(balken_))
      if (auto* b = qobject_cast<QBarLegendMarker*>(m); b != nullptr && b->barset() == balkenNP_)
        m->setVisible(false);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(linien_[1]), static_cast<QAbstractSeries*>(linien_[3]),
          static_cast<QAbstractSeries*>(wurzelNP_)})
      for (QLegendMarker* m : chart_->legend()->markers(s)) m->setVisible(false);
  }
  AchsenAnordnen();
}

// The axes are made anew for every change of style, scale or grid: a bar series needs a category
// axis, lines a value axis, and Qt Charts cannot switch an axis between linear and logarithmic.
void TFrmDiagramm::AchsenAnordnen() {
  // The lines are emptied before their scale changes, so that no point meets a scale it has no
  // place on.
  for (QLineSeries* s : linien_) s->clear();
  wurzelNP_->clear();
  nulllinie_->clear();
  for (QAbstractAxis* achse : chart_->axes()) {
    chart_->removeAxis(achse);
    delete achse;
  }
  const bool raster = viewGrid_->isChecked();
  const bool wurzel = rootogram_->isChecked();
  const bool yLog = yAxisLog_->isChecked() && !wurzel;
  const bool xLog = xAxisLog_->isChecked() && !bars_->isChecked() && !wurzel;

  QAbstractAxis* links = nullptr;
  if (yLog) {
    auto* a = new QLogValueAxis;
    a->setBase(10);
    a->setLabelFormat("%g");
    // A logarithmic axis cannot reach 0. It starts below the smallest positive value drawn, so
    // that this value still has a bar and its point lies inside: at the linear range's lower
    // end when that is positive and below the value, else at the power of ten just under it.
    const double positiv = FKleinstesPositives > 0 ? FKleinstesPositives : 1.0;
    const double unten =
        FMin > 0 && FMin < positiv ? FMin : std::pow(10.0, std::ceil(std::log10(positiv)) - 1);
    a->setRange(unten, std::max(FMax, unten * 10));
    links = a;
    FLogBoden = unten;
  } else {
    auto* a = new QValueAxis;
    const double von = wurzel ? FWurzelMin : FMin;
    const double bis = wurzel ? FWurzelMax : FMax;
    a->setRange(von, bis);
    // Ticks on round values (1, 2 or 5 times a power of ten, from 0), at most about eight of them,
    // with just the decimals the step needs; the range itself stays as computed.
    const double schritt = RunderSchritt((bis - von) / 8);
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    a->setTickInterval(schritt);
    const int stellen = std::clamp(static_cast<int>(-std::floor(std::log10(schritt))), 0, 6);
    a->setLabelFormat(QStringLiteral("%.%1f").arg(stellen));
    links = a;
  }
  links->setTitleText(Klartext(FAnwendungsTitel));
  links->setGridLineVisible(raster);
  chart_->addAxis(links, Qt::AlignLeft);

  QAbstractAxis* unten = nullptr;
  if (bars_->isChecked()) {
    // The bars stand at their indices; a label goes on the index of each value the labelling
    // keeps, so none has to share the narrow room of one bar.
    auto* a = new QCategoryAxis;
    a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const QStringList beschriftet = KategorienBeschriften(FKategorien);
    const int n = static_cast<int>(std::max<qsizetype>(beschriftet.size(), 1));
    a->setRange(-0.5, n - 0.5);
    for (int i = 0; i < beschriftet.size(); ++i)
      if (!beschriftet[i].isEmpty() && beschriftet[i][0] != QChar(0x200B))
        a->append(beschriftet[i], i);
    a->setStartValue(-0.5);
    unten = a;
  } else if (xLog) {
    auto* a = new QLogValueAxis;
    a->setBase(10);
    a->setLabelFormat("%g");
    // x = 0 has no place on a logarithmic axis; the axis starts at the first positive value.
    a->setRange(std::max(FXMin, 1.0) * 0.9, std::max(FXMax, 1.0) * 1.1);
    unten = a;
  } else {
    auto* a = new QValueAxis;
    // The rootogram's bars stand on their x and need half a class of room at either end.
    if (wurzel)
      a->setRange(FXMin - 0.5, FXMax + 0.5);
    else
      a->setRange(FXMin, std::max(FXMax, FXMin + 1));
    a->setLabelFormat("%d");
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    a->setTickInterval(std::max(1.0, std::ceil((FXMax - FXMin) / 20)));
    unten = a;
  }
  unten->setTitleText(Klartext(FTitelUnten));
  unten->setGridLineVisible(raster);
  chart_->addAxis(unten, Qt::AlignBottom);

  // A bar of 0 has no height on a logarithmic axis; it stands on the axis' floor instead, which
  // draws nothing, where Qt Charts would take the logarithm of zero. A changed bar is laid out
  // at once on the scale its series had last: the floors go in before a logarithmic axis, the
  // zeros after a linear one, and hidden bars keep what they have.
  const auto balkenwerte = [this, yLog] {
    for (auto [satz, werte] :
         {std::pair{balkenF_, &FSaeulenF}, std::pair{balkenNP_, &FSaeulenNP}}) {
      for (int i = 0; i < werte->size() && i < satz->count(); ++i) {
        const double y = (*werte)[i];
        const double hoehe = yLog && !(y > 0) ? FLogBoden : y;
        // Unchanged bars are left alone: every replacement is laid out anew.
        if (satz->at(i) != hoehe) satz->replace(i, hoehe);
      }
    }
  };
  // Hidden bars are laid out all the same; on a logarithmic axis their zeros would be taken to
  // the logarithm, so they are put on the axes only when drawn.
  if (bars_->isChecked()) {
    if (yLog) balkenwerte();
    balken_->attachAxis(links);
    balken_->attachAxis(unten);
    if (!yLog) balkenwerte();
  }
  for (QLineSeries* s : linien_) {
    s->attachAxis(links);
    if (!bars_->isChecked()) s->attachAxis(unten);
  }
  // With very many classes a line keeps, of each run of classes that share a bar, the lowest
  // and the highest point: all a screen column can show of them.
  const int je = std::max<int>(
      1, static_cast<int>((FPunkteF.size() + kHoechstensSaeulen - 1) / kHoechstensSaeulen));
  const auto darstellbar = [xLog, yLog, je](const QList<QPointF>& punkte) {
    QList<QPointF> bleiben;
    for (qsizetype von = 0; von < punkte.size(); von += je) {
      const QPointF* tief = nullptr;
      const QPointF* hoch = nullptr;
      for (qsizetype i = von; i < std::min(punkte.size(), von + je); ++i) {
        const QPointF& p = punkte[i];
        if ((xLog && !(p.x() > 0)) || (yLog && !(p.y() > 0))) continue;
        if (tief == nullptr || p.y() < tief->y()) tief = &p;
        if (hoch == nullptr || p.y() > hoch->y()) hoch = &p;
      }
      if (tief == nullptr) continue;
      if (tief == hoch) {
        bleiben.append(*tief);
      } else {
        bleiben.append(tief->x() < hoch->x() ? *tief : *hoch);
        bleiben.append(tief->x() < hoch->x() ? *hoch : *tief);
      }
    }
    return bleiben;
  };
  if (wurzel) {
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(haengend_), static_cast<QAbstractSeries*>(wurzelNP_),
          static_cast<QAbstractSeries*>(nulllinie_)}) {
      s->attachAxis(links);
      s->attachAxis(unten);
    }
    QList<QPointF> wurzelNP;
    for (const QPointF& p : FPunkteNP)
      wurzelNP.append(QPointF(p.x(), std::sqrt(std::max(p.y(), 0.0))));
    wurzelNP_->replace(darstellbar(wurzelNP));
    nulllinie_->replace({QPointF(FXMin - 0.5, 0), QPointF(FXMax + 0.5, 0)});
  }

  // A logarithmic axis has no place for x = 0 or a value of 0: those points are left out of the
  // lines (given to Qt Charts, one of them leaves the whole plot empty). The points go in only
  // now, when each series knows the scale it is drawn on.
  linien_[0]->replace(darstellbar(FPunkteF));
  linien_[1]->replace(darstellbar(FPunkteNP));
  linien_[2]->replace(darstellbar(FPunkteF));
  linien_[3]->replace(darstellbar(FPunkteNP));
  BeschriftungenEntflechten();
}

// The value labels, in the list's formats (f whole, NP with two decimals), each above its bar or
// point. Per class the NP label comes first: where the two would meet, as where the labels of
// neighbouring classes would, the later one is left out, so a crowded chart shows every few
// labels instead of a smear. They stay inside the plot; the 3D shadow does not move them.
void TFrmDiagramm::BeschriftungenEntflechten() {
  QList<Wertmarke> kandidaten;
  const int klassen = static_cast<int>(FPunkteF.size());
  if (showValues_->isChecked() && klassen <= kHoechstensBeschriftet) {
    const auto marke = [&](QAbstractSeries* serie, QPointF ort, double wert, int dezimalen,
                           const QColor& farbe) {
      kandidaten.append({chart_->mapToPosition(ort, serie), Fest(wert, dezimalen), farbe});
    };
    const bool yLog = yAxisLog_->isChecked() && !rootogram_->isChecked();
    if (bars_->isChecked()) {
      // Two sets share a class: each bar is a quarter of it wide, f on the left.
      for (int i = 0; i < klassen; ++i) {
        const auto hoehe = [&](double y) { return yLog && !(y > 0) ? FLogBoden : y; };
        if (i < FPunkteNP.size())
          marke(balken_, QPointF(i + 0.125, hoehe(FPunkteNP[i].y())), FPunkteNP[i].y(), 2,
                balkenNP_->labelColor());
        marke(balken_, QPointF(i - 0.125, hoehe(FPunkteF[i].y())), FPunkteF[i].y(), 0,
              balkenF_->labelColor());
      }
    } else if (rootogram_->isChecked()) {
      for (const QPointF& p : wurzelNP_->points())
        marke(wurzelNP_, p, p.y(), 2, wurzelNP_->pointLabelsColor());
    } else {
      QLineSeries* f = linien_[lines_->isChecked() ? 2 : 0];
      QLineSeries* np = linien_[lines_->isChecked() ? 3 : 1];
      // A logarithmic axis may have left out different points of the two lines: pair them by x.
      QMap<qreal, std::pair<const QPointF*, const QPointF*>> paare;
      const QList<QPointF> punkteF = f->points();
      const QList<QPointF> punkteNP = np->points();
      for (const QPointF& p : punkteNP) paare[p.x()].second = &p;
      for (const QPointF& p : punkteF) paare[p.x()].first = &p;
      for (const auto& [punktF, punktNP] : std::as_const(paare)) {
        if (punktNP != nullptr) marke(np, *punktNP, punktNP->y(), 2, np->pointLabelsColor());
        if (punktF != nullptr) marke(f, *punktF, punktF->y(), 0, f->pointLabelsColor());
      }
    }
  }
  marken_->Setzen(MarkenSetzen(kandidaten, QFontMetricsF(chart_->font()), chart_->plotArea()),
                  chart_->font());
}

// Qt Charts draws flat. The depth effect: bars shaded like cylinders with a dark edge, lines
// drawn broader, and the plot casting a shadow.
void TFrmDiagramm::TiefeAnwenden() {
  const bool tief = view3D_->isChecked();
  for (QBarSet* s : {balkenF_, balkenNP_}) {
    const QColor grund = s == balkenF_ ? Farbe(13619151) : Farbe(11316396);
    if (tief) {
      QLinearGradient verlauf(0, 0, 1, 0);
      verlauf.setCoordinateMode(QGradient::ObjectBoundingMode);
      verlauf.setColorAt(0, grund.darker(160));
      verlauf.setColorAt(0.35, grund.lighter(125));
      verlauf.setColorAt(1, grund.darker(200));
      s->setBrush(verlauf);
      s->setPen(QPen(grund.darker(250), 1));
    } else {
      s->setBrush(grund);
      s->setPen(QPen(grund.darker(130), 1));
    }
  }
  for (QLineSeries* s : linien_) {
    QPen stift = s->pen();
    stift.setWidth(tief ? 4 : 2);
    s->setPen(stift);
  }
  QPen stift = wurzelNP_->pen();
  stift.setWidth(tief ? 4 : 2);
  wurzelNP_->setPen(stift);
  chart_->setDropShadowEnabled(tief);
}

void TFrmDiagramm::TitelBearbeiten() {
  titelDlg_->EdTitelOben->setText(FTitel);
  titelDlg_->EdTitelUnten->setText(FTitelUnten);
  if (titelDlg_->exec() != QDialog::Accepted) return;
  FTitel = titelDlg_->EdTitelOben->text();
  FTitelUnten = titelDlg_->EdTitelUnten->text();
  chart_->setTitle(Klartext(FTitel));
  for (QAbstractAxis* a : chart_->axes(Qt::Horizontal)) a->setTitleText(Klartext(FTitelUnten));
}

void TFrmDiagramm::BitmapKopieren() {
  QApplication::clipboard()->setPixmap(ansicht_->grab());
}

bool TFrmDiagramm::Speichern(const QString& pfad) {
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return false;
  if (pfad.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&datei);
    svg.setSize(ansicht_->size());
    svg.setViewBox(QRect(QPoint(0, 0), ansicht_->size()));
    // The generator writes the title into the XML as it is; "&" or "<" in it would break the file.
    svg.setTitle(FTitel.toHtmlEscaped());
    QPainter maler;
    if (!maler.begin(&svg)) return false;
    ansicht_->render(&maler);
    maler.end();
  } else if (!ansicht_->grab().save(&datei, "PNG")) {
    return false;
  }
  return datei.commit();
}

void TFrmDiagramm::SpeichernUnter() {
  QString filter;
  const QString pfad = QFileDialog::getSaveFileName(
      this, "Save chart", QString(), "PNG image (*.png);;SVG image (*.svg)", &filter);
  if (pfad.isEmpty()) return;
  QString ziel = pfad;
  if (!ziel.endsWith(".png", Qt::CaseInsensitive) && !ziel.endsWith(".svg", Qt::CaseInsensitive))
    ziel += filter.startsWith("SVG") ? ".svg" : ".png";
  if (!Speichern(ziel)) Warnung(this, "The chart could not be written to " + ziel);
}

}  // namespace vk::ui

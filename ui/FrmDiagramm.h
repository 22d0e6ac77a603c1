// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "core/Datensatz.h"

class QAbstractSeries;
class QBarSeries;
class QBarSet;
class QCandlestickSeries;
class QChart;
class QChartView;
class QCheckBox;
class QLineSeries;
class QPushButton;
class QRadioButton;

namespace vk::ui {

class TDiagrammTitelDlg;
class MarkenSchicht;
struct GesetzteMarke;

// The smallest of 1, 2 and 5 times a power of ten that is at least `mindestens` (1 for no range).
double RunderSchritt(double mindestens);
// The category labels of the bar chart's x axis for the class values `werte`: all of them when
// they fit, else those on a round step, the others of zero width.
QStringList KategorienBeschriften(const QStringList& werte);

// The chart of the observed frequencies f[x] and the expected NP[x] of one fit against x.
// A top-level window of its own, so that it can lie beside or behind the main window.
class TFrmDiagramm : public QWidget {
  Q_OBJECT
 public:
  // Reads its bounds from the "FitPar" settings.
  explicit TFrmDiagramm(const QString& anwendungsTitel);
  ~TFrmDiagramm() override;

  // Rows 0..n of `daten`; the value axis runs 10 % beyond the smallest and largest value (not
  // below 0), starting from 0 and `tot`. `anpassung` names the distribution whose fit the NP
  // of `daten` hold (empty: none). NP is drawn only when that is the distribution the title
  // names; otherwise the chart shows f alone, so that no fit appears under another's name.
  void Zeigen(int n, long long tot, const QString& verteilung, const QString& dateiName,
              const TDaten& daten, const QString& anpassung);
  // For a caller whose NP are the fit of `verteilung`.
  void Zeigen(int n, long long tot, const QString& verteilung, const QString& dateiName,
              const TDaten& daten) {
    Zeigen(n, tot, verteilung, dateiName, daten, verteilung);
  }
  // Whether the last Zeigen drew an NP series.
  bool ZeigtAnpassung() const { return FMitNP; }

  // Before the first showing: a window that has no saved place goes beside the frame of the
  // main window, wholly on the screen.
  void Platzieren(const QWidget& hauptfenster);

  // The series in their order: f and NP as bars, as lines with points, as plain lines; then the
  // hanging rootogram: 7 the bars of sqrt f hanging from 8, the line of sqrt NP, and 9 its
  // reference line at zero. Series 1 and 2 are the two sets of one bar series, drawn side by side.
  bool SerieAktiv(int nummer) const;
  int SeriePunkte(int nummer) const;
  QChart* Chart() const { return chart_; }
  double AchseMin() const { return FMin; }
  double AchseMax() const { return FMax; }
  // The classes X² counted pooled into another one, shaded in the bar styles: by class index.
  const QList<bool>& Gepoolt() const { return FGepoolt; }
  QString Titel() const;
  QString TitelUnten() const { return FTitelUnten; }
  // The lower end of the logarithmic value axis: below every positive value drawn.
  double LogBoden() const { return FLogBoden; }
  // The value labels as last laid out, in chart coordinates.
  const QList<GesetzteMarke>& Wertmarken() const;

  // Writes the chart as PNG or, for a name ending in ".svg", as SVG. False when it cannot be
  // written.
  bool Speichern(const QString& pfad);
  TDiagrammTitelDlg* TitelDialog() const { return titelDlg_; }

 public slots:
  void TitelBearbeiten();
  void BitmapKopieren();
  void SpeichernUnter();

 private:
  void StilAnwenden();
  void AchsenAnordnen();
  void BeschriftungenEntflechten();
  void TiefeAnwenden();

  QString FAnwendungsTitel;
  // False while the window stands where nobody put it (no saved place).
  bool FPlatziert = true;
  bool FMitNP = false;
  // The smallest value above 0 that is drawn (0 when there is none).
  double FKleinstesPositives = 0;
  MarkenSchicht* marken_;
  QChart* chart_;
  QChartView* ansicht_;
  QBarSeries* balken_;
  QBarSet* balkenF_;
  QBarSet* balkenNP_;
  std::array<QLineSeries*, 4> linien_{};  // series 3..6
  QCandlestickSeries* haengend_;          // series 7
  QLineSeries* wurzelNP_;                 // series 8
  QLineSeries* nulllinie_;                // series 9
  // No points: its legend entry names the colour of the pooled classes.
  QLineSeries* gepooltLegende_;
  QRadioButton* bars_;
  QRadioButton* lines_;
  QRadioButton* linesdots_;
  QRadioButton* rootogram_;
  QCheckBox* showValues_;
  QCheckBox* view3D_;
  QCheckBox* viewGrid_;
  QCheckBox* colourBg_;
  QCheckBox* xAxisLog_;
  QCheckBox* yAxisLog_;
  TDiagrammTitelDlg* titelDlg_;
  QString FTitel = "(Verteilung)";
  QString FTitelUnten = "f[x], NP[x]";
  QStringList FKategorien;
  // Every point of f and NP; the line series get those their axes can show.
  QList<QPointF> FPunkteF;
  QList<QPointF> FPunkteNP;
  QList<bool> FGepoolt;
  // The heights of the bars: one per class, or per run of classes when there are very many.
  QList<qreal> FSaeulenF;
  QList<qreal> FSaeulenNP;
  // The rootogram's value range: from the lowest hanging bar (or 0) to the highest sqrt NP.
  double FWurzelMin = 0;
  double FWurzelMax = 1;
  double FMin = 0;
  // The lower end of the logarithmic value axis, where bars of 0 stand.
  double FLogBoden = 0.1;
  double FMax = 1;
  double FXMin = 0;
  double FXMax = 1;
};

}  // namespace vk::ui

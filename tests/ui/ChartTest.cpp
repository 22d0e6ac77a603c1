// SPDX-License-Identifier: GPL-3.0-or-later
// The chart window: what Zeigen makes of the data, the styles, the axes, titles and saving.
#include <QAbstractAxis>
#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "tests/support/Tolerance.h"
#include "tests/ui/UiFixture.h"
#include "ui/FrmDiagramm.h"
#include "ui/Listen.h"
#include "ui/Wertmarken.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui::test {
namespace {

using vk::test::Near;

class ChartTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    diagramm = std::make_unique<TFrmDiagramm>("Vostra Kalibra");
    daten = std::make_unique<TDaten>();
  }
  void Fuellen(std::initializer_list<std::pair<double, double>> werte) {
    std::uint32_t i = 0;
    for (auto [e, np] : werte) {
      (*daten)[i] = TWerte{e, np, i + 3, i, false};
      ++i;
    }
  }
  QValueAxis* Links() {
    const auto achsen = diagramm->Chart()->axes(Qt::Vertical);
    return achsen.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(achsen.first());
  }
  std::unique_ptr<TFrmDiagramm> diagramm;
  std::unique_ptr<TDaten> daten;
};

TEST_F(ChartTest, StartsWithPlaceholderTitleAndBars) {
  EXPECT_EQ(diagramm->windowTitle(), "Vostra Kalibra Graph");
  EXPECT_EQ(diagramm->Titel(), "(Verteilung)");
  EXPECT_TRUE(diagramm->SerieAktiv(1));
  EXPECT_TRUE(diagramm->SerieAktiv(2));
  for (int k = 3; k <= 6; ++k) EXPECT_FALSE(diagramm->SerieAktiv(k)) << k;
  // Default bounds from the empty settings store.
  EXPECT_EQ(diagramm->width(), 635);
  EXPECT_EQ(diagramm->height(), 443);
}

TEST_F(ChartTest, TitleCutsTheNameBeforeItsParenthesis) {
  Fuellen({{2, 3}, {50, 40}});
  diagramm->Zeigen(1, 92, "Poisson-stopped negative binomial (Katz)", "sample.dat", *daten);
  EXPECT_EQ(diagramm->Titel(), "sample.dat  -  Poisson-stopped negative binomial ");
  diagramm->Zeigen(1, 92, "Binomial", "sample.dat", *daten);
  EXPECT_EQ(diagramm->Titel(), "sample.dat  -  Binomial");
  diagramm->Zeigen(1, 92, "", "sample.dat", *daten);
  EXPECT_EQ(diagramm->Titel(), "sample.dat  -  ");
}

TEST_F(ChartTest, ValueAxisRunsATenthBeyondTheValuesAndNotBelowZero) {
  Fuellen({{2, 3}, {50, 40}, {10, 12}});
  diagramm->Zeigen(2, 62, "Binomial", "a.dat", *daten);
  EXPECT_NEAR(diagramm->AchseMin(), 0, vk::test::kTight) << "2 - 4.8 is negative";
  EXPECT_NEAR(diagramm->AchseMax(), 54.8, vk::test::kTight);
  ASSERT_NE(Links(), nullptr);
  EXPECT_NEAR(Links()->min(), 0, vk::test::kTight);
  EXPECT_NEAR(Links()->max(), 54.8, vk::test::kTight);
  EXPECT_EQ(Links()->titleText(), "Vostra Kalibra");
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(diagramm->SeriePunkte(k), 3) << k;

  // min = max = 5 with tot = 5: the axis runs from 5 to 5.
  Fuellen({{5, 5}, {5, 5}});
  diagramm->Zeigen(1, 5, "Binomial", "a.dat", *daten);
  EXPECT_NEAR(diagramm->AchseMin(), 5, vk::test::kTight);
  EXPECT_NEAR(diagramm->AchseMax(), 5, vk::test::kTight);

  // A minimum well above 0 stays: 100..200 gives 90..210.
  Fuellen({{100, 110}, {200, 150}});
  diagramm->Zeigen(1, 1000, "Binomial", "a.dat", *daten);
  EXPECT_NEAR(diagramm->AchseMin(), 90, vk::test::kTight);
  EXPECT_NEAR(diagramm->AchseMax(), 210, vk::test::kTight);
}

// The value axis keeps its computed range, but its ticks fall on round values.
TEST_F(ChartTest, ValueTicksFallOnRoundValues) {
  struct Fall {
    std::initializer_list<std::pair<double, double>> werte;
    long long tot;
    double schritt;
    const char* format;
  };
  const Fall faelle[] = {{{{2, 3}, {50, 40}, {10, 12}}, 62, 10, "%.0f"},  // 0 .. 54.8
                         {{{109, 108.7}, {65, 66.3}}, 200, 10, "%.0f"},   // 60.6 .. 113.4
                         {{{0.2, 0.1}, {0.9, 0.35}}, 2, 0.2, "%.1f"},     // 0 .. 0.98
                         {{{532, 525.5}, {1, 0.9}}, 2608, 100, "%.0f"}};  // 0 .. 585
  for (const Fall& c : faelle) {
    *daten = TDaten{};
    Fuellen(c.werte);
    diagramm->Zeigen(static_cast<int>(c.werte.size()) - 1, c.tot, "Binomial", "a.dat", *daten);
    QValueAxis* a = Links();
    ASSERT_NE(a, nullptr);
    EXPECT_NEAR(a->min(), diagramm->AchseMin(), vk::test::kTight);
    EXPECT_EQ(a->tickType(), QValueAxis::TicksDynamic);
    EXPECT_NEAR(a->tickAnchor(), 0, vk::test::kTight);
    EXPECT_NEAR(a->tickInterval(), c.schritt, vk::test::kTight * c.schritt);
    EXPECT_EQ(a->labelFormat(), c.format);
  }
  EXPECT_NEAR(RunderSchritt(0), 1, vk::test::kTight) << "a flat range";
}

TEST_F(ChartTest, StylesSwitchThePairsOfSeries) {
  Fuellen({{2, 3}, {5, 4}});
  diagramm->Zeigen(1, 7, "Binomial", "a.dat", *daten);
  diagramm->findChild<QRadioButton*>("lines")->click();
  EXPECT_FALSE(diagramm->SerieAktiv(1));
  EXPECT_FALSE(diagramm->SerieAktiv(3));
  EXPECT_TRUE(diagramm->SerieAktiv(5));
  EXPECT_TRUE(diagramm->SerieAktiv(6));
  diagramm->findChild<QRadioButton*>("linesdots")->click();
  EXPECT_TRUE(diagramm->SerieAktiv(3));
  EXPECT_TRUE(diagramm->SerieAktiv(4));
  EXPECT_FALSE(diagramm->SerieAktiv(6));
  diagramm->findChild<QRadioButton*>("bars")->click();
  EXPECT_TRUE(diagramm->SerieAktiv(1));
  EXPECT_TRUE(diagramm->SerieAktiv(2));
  for (int k = 3; k <= 6; ++k) EXPECT_FALSE(diagramm->SerieAktiv(k)) << k;
}

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double Leuchtdichte(const QColor& c) {
  const auto kanal = [](double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * kanal(c.redF()) + 0.7152 * kanal(c.greenF()) + 0.0722 * kanal(c.blueF());
}
double Kontrast(const QColor& a, const QColor& b) {
  const double la = Leuchtdichte(a), lb = Leuchtdichte(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Value labels stand on a light box (white, drawn over the plot background: white, or the colour
// gradient up to B8D0F0) and read on both; in the line styles the labels of f and NP are told
// apart by colour.
TEST_F(ChartTest, ValueLabelsReadOnEveryBackground) {
  Fuellen({{2, 3}, {50, 4}});
  diagramm->Zeigen(1, 52, "Binomial", "a.dat", *daten);
  diagramm->show();
  diagramm->findChild<QCheckBox*>("showValues")->setChecked(true);
  const QColor hintergruende[] = {Qt::white, QColor(0xB8, 0xD0, 0xF0)};
  const auto lesbar = [&](const QColor& farbe) {
    return std::all_of(std::begin(hintergruende), std::end(hintergruende),
                       [&](const QColor& h) { return Kontrast(farbe, h) >= 4.5; });
  };
  for (const char* stil : {"bars", "lines", "linesdots", "rootogram"}) {
    diagramm->findChild<QRadioButton*>(stil)->click();
    QCoreApplication::processEvents();
    QSet<QRgb> farben;
    ASSERT_FALSE(diagramm->Wertmarken().isEmpty()) << stil;
    for (const GesetzteMarke& m : diagramm->Wertmarken()) {
      EXPECT_TRUE(lesbar(m.farbe)) << stil << " " << m.text;
      farben.insert(m.farbe.rgb());
    }
    if (std::string(stil) == "lines" || std::string(stil) == "linesdots") {
      EXPECT_EQ(farben.size(), 2) << stil << ": f and NP in their own colours";
    }
  }
}

// In the line styles the labels of f and NP never stand over each other: where the two values
// of a class are close, only the NP label is shown; where they are far apart, both.
TEST_F(ChartTest, LineLabelsOfCloseValuesDoNotOverlap) {
  Fuellen({{2, 2.05}, {40, 5}, {30, 30.2}, {4, 25}});
  diagramm->Zeigen(3, 76, "Binomial", "a.dat", *daten);
  diagramm->findChild<QCheckBox*>("showValues")->setChecked(true);
  for (const char* stil : {"lines", "linesdots"}) {
    diagramm->findChild<QRadioButton*>(stil)->click();
    diagramm->show();
    QCoreApplication::processEvents();
    diagramm->grab();
    QStringList texte;
    for (const GesetzteMarke& m : diagramm->Wertmarken()) texte << m.text;
    EXPECT_TRUE(texte.contains("2.05")) << stil;
    EXPECT_FALSE(texte.contains("2")) << stil << ": 2 and 2.05";
    EXPECT_TRUE(texte.contains("40") && texte.contains("5.00")) << stil << ": 40 and 5";
    EXPECT_TRUE(texte.contains("30.20")) << stil;
    EXPECT_FALSE(texte.contains("30")) << stil << ": 30 and 30.2";
    EXPECT_TRUE(texte.contains("4") && texte.contains("25.00")) << stil << ": 4 and 25";
  }
}

// Under many bars only round values are labelled, so that none is cut off; the labels stay
// distinct, as the category axis needs.
TEST_F(ChartTest, ManyBarsAreLabelledOnRoundValues) {
  struct Fall {
    int von, anzahl;
    QStringList erwartet;
  };
  const Fall faelle[] = {
      {3, 20, {}},
      {1,
       92,
       {"5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60", "65", "70", "75",
        "80", "85", "90"}},
      {0, 400, {"0",   "20",  "40",  "60",  "80",  "100", "120", "140", "160", "180",
                "200", "220", "240", "260", "280", "300", "320", "340", "360", "380"}}};
  for (const Fall& c : faelle) {
    QStringList werte;
    for (int i = 0; i < c.anzahl; ++i) werte << QString::number(c.von + i);
    const QStringList beschriftet = KategorienBeschriften(werte);
    ASSERT_EQ(beschriftet.size(), werte.size());
    EXPECT_EQ(QSet<QString>(beschriftet.begin(), beschriftet.end()).size(), werte.size());
    QStringList sichtbar;
    for (const QString& b : beschriftet)
      if (!b.trimmed().isEmpty() && b[0] != QChar(0x200B)) sichtbar << b;
    EXPECT_EQ(sichtbar, c.erwartet.isEmpty() ? werte : c.erwartet) << c.anzahl;
  }
}

TEST_F(ChartTest, GridAndLogarithmicAxesFollowTheirBoxes) {
  Fuellen({{2, 3}, {50, 40}});
  diagramm->Zeigen(1, 52, "Binomial", "a.dat", *daten);
  diagramm->findChild<QCheckBox*>("viewGrid")->setChecked(true);
  for (QAbstractAxis* a : diagramm->Chart()->axes()) EXPECT_TRUE(a->isGridLineVisible());
  diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(true);
  const auto links = diagramm->Chart()->axes(Qt::Vertical);
  ASSERT_EQ(links.size(), 1);
  auto* log = qobject_cast<QLogValueAxis*>(links.first());
  ASSERT_NE(log, nullptr);
  EXPECT_GT(log->min(), 0) << "a logarithmic axis cannot start at 0";
  EXPECT_TRUE(log->isGridLineVisible());
  diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(false);
  EXPECT_NE(Links(), nullptr);
  diagramm->findChild<QRadioButton*>("lines")->click();
  diagramm->findChild<QCheckBox*>("xAxisLog")->setChecked(true);
  EXPECT_NE(qobject_cast<QLogValueAxis*>(diagramm->Chart()->axes(Qt::Horizontal).first()), nullptr);
}

TEST_F(ChartTest, TitlesDialogChangesTitlesOnOkOnly) {
  Fuellen({{2, 3}, {5, 4}});
  diagramm->Zeigen(1, 7, "Binomial", "a.dat", *daten);
  BeiDialog([](QWidget* d) {
    d->findChild<QLineEdit*>("EdTitelOben")->setText("Top text");
    d->findChild<QLineEdit*>("EdTitelUnten")->setText("x");
    static_cast<QDialog*>(d)->reject();
  });
  diagramm->TitelBearbeiten();
  EXPECT_EQ(diagramm->Titel(), "a.dat  -  Binomial");
  EXPECT_EQ(diagramm->TitelUnten(), "f[x], NP[x]");
  QString vorher;
  BeiDialog([&](QWidget* d) {
    vorher = d->findChild<QLineEdit*>("EdTitelOben")->text();
    d->findChild<QLineEdit*>("EdTitelOben")->setText("Top text");
    d->findChild<QLineEdit*>("EdTitelUnten")->setText("Letters per word");
    static_cast<QDialog*>(d)->accept();
  });
  diagramm->TitelBearbeiten();
  EXPECT_EQ(vorher, "a.dat  -  Binomial");
  EXPECT_EQ(diagramm->Titel(), "Top text");
  EXPECT_EQ(diagramm->Chart()->axes(Qt::Horizontal).first()->titleText(), "Letters per word");
}

TEST_F(ChartTest, SavesPngAndSvg) {
  Fuellen({{2, 3}, {5, 4}});
  diagramm->Zeigen(1, 7, "Binomial", "a.dat", *daten);
  diagramm->show();
  const QString png = dateien->filePath("chart.png");
  const QString svg = dateien->filePath("chart.svg");
  ASSERT_TRUE(diagramm->Speichern(png));
  ASSERT_TRUE(diagramm->Speichern(svg));
  EXPECT_FALSE(QImage(png).isNull());
  QFile f(svg);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray inhalt = f.readAll();
  EXPECT_TRUE(inhalt.contains("<svg"));
  EXPECT_TRUE(inhalt.contains("</svg>"));
  EXPECT_FALSE(diagramm->Speichern(dateien->filePath("no/such/dir/chart.png")));
}

// "&" in a title once made the saved SVG unreadable as XML.
TEST_F(ChartTest, SvgIsWellFormedWhateverTheTitleHolds) {
  Fuellen({{2, 3}, {5, 4}});
  diagramm->show();
  for (const QString name : {"Greenwood & Yule", "a < b > c", "\"quoted\" 'single'"}) {
    diagramm->Zeigen(1, 7, name, "a.dat", *daten);
    const QString pfad = dateien->filePath("chart.svg");
    ASSERT_TRUE(diagramm->Speichern(pfad));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QString titel;
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"title" &&
          titel.isEmpty())
        titel = xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString() << " at line "
                                 << xml.lineNumber();
    EXPECT_EQ(titel, "a.dat  -  " + name);
  }
}

// The hanging rootogram: for each class a bar from sqrt NP down by sqrt f, the curve of sqrt NP
// and the zero line; the other styles' series are hidden, and the logarithmic boxes with them.
TEST_F(ChartTest, RootogramHangsTheRootOfFFromTheRootOfNP) {
  struct Klasse {
    double f, np;
  };
  const Klasse klassen[] = {{4, 9}, {25, 16}, {0, 2.25}, {1, 0}};
  Fuellen({{4, 9}, {25, 16}, {0, 2.25}, {1, 0}});
  diagramm->Zeigen(3, 30, "Binomial", "a.dat", *daten);
  diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(true);
  diagramm->findChild<QRadioButton*>("rootogram")->click();
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(diagramm->SerieAktiv(k), k >= 7) << k;
  EXPECT_FALSE(diagramm->findChild<QCheckBox*>("yAxisLog")->isEnabled());
  EXPECT_FALSE(diagramm->findChild<QCheckBox*>("xAxisLog")->isEnabled());

  auto* haengend = diagramm->Chart()->findChild<QCandlestickSeries*>();
  ASSERT_NE(haengend, nullptr);
  ASSERT_EQ(haengend->count(), 4);
  QList<QPointF> kurve, null;
  for (QAbstractSeries* s : diagramm->Chart()->series())
    if (auto* l = qobject_cast<QLineSeries*>(s); l != nullptr && l->name() == "√NP[x]")
      kurve = l->points();
    else if (l != nullptr && l->isVisible() && l->name().isEmpty())
      null = l->points();
  ASSERT_EQ(kurve.size(), 4);
  double tiefst = 0;
  for (int i = 0; i < 4; ++i) {
    const QCandlestickSet* b = haengend->sets()[i];
    const double oben = std::sqrt(klassen[i].np), unten = oben - std::sqrt(klassen[i].f);
    EXPECT_EQ(b->timestamp(), i + 3) << "standing on its x";
    EXPECT_TRUE(Near(b->open(), oben, vk::test::kUlps)) << i;
    EXPECT_TRUE(Near(b->high(), oben, vk::test::kUlps)) << i;
    EXPECT_TRUE(Near(b->close(), unten, vk::test::kUlps)) << i;
    EXPECT_TRUE(Near(b->low(), unten, vk::test::kUlps)) << i;
    EXPECT_EQ(kurve[i].x(), i + 3);
    EXPECT_TRUE(Near(kurve[i].y(), oben, vk::test::kUlps)) << i;
    tiefst = std::min(tiefst, unten);
  }
  // The zero line spans every bar; the value axis is linear and shows all of them and zero.
  ASSERT_EQ(null.size(), 2);
  EXPECT_EQ(null[0], QPointF(2.5, 0));
  EXPECT_EQ(null[1], QPointF(6.5, 0));
  QValueAxis* a = Links();
  ASSERT_NE(a, nullptr);
  EXPECT_LT(a->min(), tiefst);  // sqrt 16 - sqrt 25 = -1
  EXPECT_GT(a->max(), 4);
  auto* unten = qobject_cast<QValueAxis*>(diagramm->Chart()->axes(Qt::Horizontal).first());
  ASSERT_NE(unten, nullptr);
  EXPECT_EQ(unten->min(), 2.5);
  EXPECT_EQ(unten->max(), 6.5);

  diagramm->findChild<QRadioButton*>("bars")->click();
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(diagramm->SerieAktiv(k), k <= 2) << k;
  EXPECT_TRUE(diagramm->findChild<QCheckBox*>("yAxisLog")->isEnabled());
  EXPECT_NE(qobject_cast<QLogValueAxis*>(diagramm->Chart()->axes(Qt::Vertical).first()), nullptr)
      << "the logarithmic box is obeyed again";
}

// Classes pooled for X² are shaded in the bars and in the rootogram, and the legend names the
// shade; the values drawn stay those of the classes.
TEST_F(ChartTest, PooledClassesAreShadedWithTheirValuesKept) {
  Fuellen({{0.5, 0.3}, {9, 10}, {3, 4}, {1, 0.6}, {0, 0.1}});
  (*daten)[0].GepooltIn = 1;
  (*daten)[3].GepooltIn = 2;
  (*daten)[4].GepooltIn = 2;
  const bool gepoolt[] = {true, false, false, true, true};
  const auto legende = [this] {
    for (QAbstractSeries* s : diagramm->Chart()->series()) {
      if (s->name() == "pooled for X²")
        return s->isVisible() && diagramm->Chart()->legend()->markers(s).first()->isVisible();
    }
    return false;
  };
  diagramm->show();  // a marker counts as visible only in a legend on the screen
  diagramm->Zeigen(4, 14, "Binomial", "a.dat", *daten);
  auto* balken = diagramm->Chart()->findChild<QBarSeries*>();
  ASSERT_NE(balken, nullptr);
  const QBarSet* f = balken->barSets()[0];
  const QBarSet* np = balken->barSets()[1];
  EXPECT_EQ(f->selectedColor(), kGepooltF);
  EXPECT_EQ(np->selectedColor(), kGepooltNP);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(f->isBarSelected(i), gepoolt[i]) << i;
    EXPECT_EQ(np->isBarSelected(i), gepoolt[i]) << i;
    EXPECT_EQ(f->at(i), (*daten)[static_cast<std::size_t>(i)].E) << i;
    EXPECT_EQ(diagramm->Gepoolt()[i], gepoolt[i]) << i;
  }
  EXPECT_TRUE(legende());
  diagramm->findChild<QRadioButton*>("rootogram")->click();
  auto* haengend = diagramm->Chart()->findChild<QCandlestickSeries*>();
  ASSERT_NE(haengend, nullptr);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(haengend->sets()[i]->brush().color() == kGepooltF, gepoolt[i]) << i;
  EXPECT_TRUE(legende());
  diagramm->findChild<QRadioButton*>("lines")->click();
  EXPECT_FALSE(legende()) << "the lines have no shade";

  // A new chart without pooling clears the shade and the legend's entry.
  *daten = TDaten{};
  Fuellen({{2, 3}, {5, 4}});
  diagramm->findChild<QRadioButton*>("bars")->click();
  diagramm->Zeigen(1, 7, "Binomial", "a.dat", *daten);
  EXPECT_FALSE(f->isBarSelected(0));
  EXPECT_FALSE(legende());
}

// A logarithmic axis cannot show x = 0 or a value of 0; given such a point, the line series
// once drew nothing at all (and Qt complained of the logarithm of zero).
TEST_F(ChartTest, LogarithmicAxesLeaveOutWhatTheyCannotShow) {
  // x = 3, 4, 5, 6 from Fuellen; then x = 0 put first by hand.
  Fuellen({{0, 0.5}, {4, 0}, {7, 6.5}, {2, 1}});
  (*daten)[0].X = 0;
  diagramm->Zeigen(3, 13, "Binomial", "a.dat", *daten);

  QStringList meldungen;
  static QStringList* sammler = nullptr;
  sammler = &meldungen;
  const QtMessageHandler vorher =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        if (sammler != nullptr) sammler->append(text);
      });
  struct Fall {
    const char* stil;
    bool xLog, yLog;
    int punkteF, punkteNP;  // what the two drawn series keep
  };
  // f = 0, 4, 7, 2 and NP = 0.5, 0, 6.5, 1 at x = 0, 4, 5, 6.
  const Fall faelle[] = {{"lines", true, false, 3, 3},     {"lines", false, true, 3, 3},
                         {"lines", true, true, 3, 2},      {"linesdots", true, false, 3, 3},
                         {"linesdots", false, true, 3, 3}, {"linesdots", true, true, 3, 2},
                         {"lines", false, false, 4, 4},    {"bars", false, true, -1, -1},
                         {"bars", true, true, -1, -1}};
  for (const Fall& c : faelle) {
    meldungen.clear();
    diagramm->findChild<QRadioButton*>(c.stil)->click();
    diagramm->findChild<QCheckBox*>("xAxisLog")->setChecked(c.xLog);
    diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(c.yLog);
    diagramm->show();
    // Drawn, so that whatever Qt Charts computes for the picture is computed.
    QCoreApplication::processEvents();
    diagramm->grab();
    // Bars keep their zeros (on the axis' floor); only the drawing is checked for them.
    if (c.punkteF >= 0) {
      const int erste = std::string(c.stil) == "lines" ? 5 : 3;
      EXPECT_EQ(diagramm->SeriePunkte(erste), c.punkteF) << c.stil << c.xLog << c.yLog;
      EXPECT_EQ(diagramm->SeriePunkte(erste + 1), c.punkteNP) << c.stil << c.xLog << c.yLog;
    }
    EXPECT_TRUE(meldungen.filter("Logarithm").isEmpty()) << meldungen.join("\n");
  }
  qInstallMessageHandler(vorher);
  sammler = nullptr;
}

// The chart draws NP only under the name of the distribution whose fit it is: a caller whose
// NP belong to another fit, or to none, gets f alone, and the legend names no NP.
TEST_F(ChartTest, DrawsOnlyTheFitItsTitleNames) {
  struct Fall {
    const char* verteilung;
    const char* anpassung;
    bool mitNP;
  };
  const Fall faelle[] = {{"Binomial", "Binomial", true},
                         {"Binomial", "Hyper-Pascal", false},
                         {"", "Binomial (fixed p)", false},
                         {"", "", false},
                         {"Binomial", "", false}};
  Fuellen({{2, 3}, {50, 40}, {10, 12}});
  diagramm->show();
  for (const Fall& c : faelle) {
    for (const char* stil : {"bars", "lines", "linesdots", "rootogram"}) {
      diagramm->findChild<QRadioButton*>(stil)->click();
      diagramm->Zeigen(2, 62, c.verteilung, "a.dat", *daten, c.anpassung);
      EXPECT_EQ(diagramm->ZeigtAnpassung(), c.mitNP) << c.verteilung << "/" << c.anpassung;
      // The square roots of NP (8) are drawn in the rootogram only.
      const bool wurzel = std::string(stil) == "rootogram";
      for (int k : {2, 4, 6, 8})
        EXPECT_EQ(diagramm->SeriePunkte(k), c.mitNP && (k != 8 || wurzel) ? 3 : 0)
            << c.anpassung << " series " << k;
      for (int k : {1, 3, 5}) EXPECT_EQ(diagramm->SeriePunkte(k), 3) << k;
      bool npImLegendentext = false;
      for (QLegendMarker* m : diagramm->Chart()->legend()->markers())
        if (m->isVisible() && m->label().contains("NP")) npImLegendentext = true;
      EXPECT_EQ(npImLegendentext, c.mitNP) << c.anpassung << " " << stil;
    }
    // The value range is that of the rows as given: 2..50 less and more a tenth of 48.
    EXPECT_NEAR(diagramm->AchseMin(), 0, vk::test::kTight);
    EXPECT_NEAR(diagramm->AchseMax(), 54.8, vk::test::kTight);
  }
}

class ChartFromMainWindowTest : public UiTest {};

TEST_F(ChartFromMainWindowTest, GraphDrawsTheDataListAsShown) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  f->findChild<QCheckBox*>("CBNFNurBesteMethode")->setChecked(true);
  Anpassen(*f);
  f->findChild<QAction*>("TBBtnDiagramm")->trigger();
  TFrmDiagramm* d = f->Diagramm();
  ASSERT_TRUE(d->isVisible());
  EXPECT_EQ(d->Titel(), "alpha-particles.dat  -  Binomial");
  EXPECT_EQ(d->SeriePunkte(2), 15);
  const auto* liste = f->findChild<QTreeWidget*>("LVDaten");
  const auto* np = d->Chart()->findChild<QBarSeries*>();
  (void)np;
  // The largest value: 532 observed at x = 4 (the NP values are smaller).
  EXPECT_NEAR(d->AchseMax(), 532 + (532 - 0) / 10.0, 1.0);
  EXPECT_EQ(liste->topLevelItem(4)->text(1), "532");
  // A new fit hides the chart.
  Anpassen(*f);
  EXPECT_FALSE(d->isVisible());
}

// "Graph" on the automatic tab, or on the selected tab once another distribution is chosen,
// names no fit or another one than the NP column holds: the chart draws no NP then.
TEST_F(ChartFromMainWindowTest, GraphDrawsNoFitUnderAnotherName) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  f->findChild<QCheckBox*>("CBNFNurBesteMethode")->setChecked(true);
  Anpassen(*f);
  auto* graph = f->findChild<QAction*>("TBBtnDiagramm");
  graph->trigger();
  EXPECT_TRUE(f->Diagramm()->ZeigtAnpassung());
  EXPECT_EQ(f->Diagramm()->SeriePunkte(2), 15);

  auto* tabs = f->findChild<QTabWidget*>("PgCtrlAnpassungen");
  tabs->setCurrentIndex(1);  // automatic
  graph->trigger();
  EXPECT_EQ(f->Diagramm()->Titel(), "alpha-particles.dat  -  ");
  EXPECT_FALSE(f->Diagramm()->ZeigtAnpassung());
  EXPECT_EQ(f->Diagramm()->SeriePunkte(2), 0);

  tabs->setCurrentIndex(0);
  auto* auswahl = f->findChild<QComboBox*>("CBNFVerteilung");
  const int andere = auswahl->findText("Hyper-Pascal");
  ASSERT_GE(andere, 0);
  auswahl->setCurrentIndex(andere);
  graph->trigger();
  EXPECT_EQ(f->Diagramm()->Titel(), "alpha-particles.dat  -  Hyper-Pascal");
  EXPECT_FALSE(f->Diagramm()->ZeigtAnpassung());
  EXPECT_EQ(f->Diagramm()->SeriePunkte(2), 0);
}

}  // namespace
}  // namespace vk::ui::test

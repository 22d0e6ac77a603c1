// SPDX-License-Identifier: GPL-3.0-or-later
// The chart as drawn: the logarithmic value axis, the value labels and the titles, checked on
// the rendered picture and on the items of the chart's scene.
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>
#include <cmath>

#include "tests/ui/UiFixture.h"
#include "ui/FrmDiagramm.h"
#include "ui/Wertmarken.h"

namespace vk::ui::test {
namespace {

// The classes of a data file of the repository, in the list's form (whole frequencies).
std::vector<std::pair<std::uint32_t, double>> Klassen(const char* datei) {
  QFile f(QDir(VK_DATA_DIR).filePath(datei));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text)) << datei;
  std::vector<std::pair<std::uint32_t, double>> klassen;
  QTextStream ein(&f);
  while (!ein.atEnd()) {
    const QStringList teile = ein.readLine().split(' ', Qt::SkipEmptyParts);
    if (teile.size() == 2) klassen.emplace_back(teile[0].toUInt(), teile[1].toDouble());
  }
  return klassen;
}

// Positive Poisson, P(x) = a^x e^-a / (x! (1 - e^-a)) for x >= 1, with a from its moment
// equation mean = a / (1 - e^-a), solved by the fixed point a = mean (1 - e^-a); the expected
// frequencies N P(x) straight from the closed form.
void PositivePoisson(const std::vector<std::pair<std::uint32_t, double>>& klassen, TDaten& daten) {
  double n = 0, summe = 0;
  for (auto [x, f] : klassen) {
    n += f;
    summe += x * f;
  }
  const double mittel = summe / n;
  double a = mittel;
  for (int k = 0; k < 200; ++k) a = mittel * (1 - std::exp(-a));
  for (std::size_t i = 0; i < klassen.size(); ++i) {
    const double x = klassen[i].first;
    const double p = std::exp(x * std::log(a) - a - std::lgamma(x + 1)) / (1 - std::exp(-a));
    daten[i] =
        TWerte{klassen[i].second, n * p, klassen[i].first, static_cast<std::uint32_t>(i), false};
  }
}

class ChartDrawingTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    diagramm = std::make_unique<TFrmDiagramm>("Vostra Kalibra");
    daten = std::make_unique<TDaten>();
    diagramm->show();
  }
  // The picture as the window shows it and saves it.
  QImage Bild() {
    // The legend and the axes are laid out in later events.
    QTest::qWait(50);
    return Ansicht()->grab().toImage();
  }
  QChartView* Ansicht() { return diagramm->findChild<QChartView*>("Chart"); }
  // A point of a series in the picture's pixels.
  QPoint Pixel(QPointF wert, QAbstractSeries* serie) {
    const QPointF imChart = diagramm->Chart()->mapToPosition(wert, serie);
    return Ansicht()->mapFromScene(diagramm->Chart()->mapToScene(imChart));
  }
  QBarSeries* Balken() { return diagramm->Chart()->findChild<QBarSeries*>(); }
  std::unique_ptr<TFrmDiagramm> diagramm;
  std::unique_ptr<TDaten> daten;
};

bool Aehnlich(QColor a, QColor b, int toleranz) {
  return std::abs(a.red() - b.red()) <= toleranz && std::abs(a.green() - b.green()) <= toleranz &&
         std::abs(a.blue() - b.blue()) <= toleranz;
}

// On word letters with Positive Poisson the single word of 17 letters (f = 1) once had no bar:
// the logarithmic axis started at a thousandth of the top. The axis now starts below every
// positive value drawn, and the bar's middle (on the logarithmic scale) is painted in f's colour.
TEST_F(ChartDrawingTest, LogAxisShowsEveryPositiveValue) {
  struct Fall {
    const char* datei;
  };
  for (const Fall& c : {Fall{"gpl3-word-letters.dat"}, Fall{"alpha-particles.dat"}}) {
    const auto klassen = Klassen(c.datei);
    ASSERT_FALSE(klassen.empty());
    *daten = TDaten{};
    PositivePoisson(klassen, *daten);
    const int n = static_cast<int>(klassen.size()) - 1;
    diagramm->findChild<QRadioButton*>("bars")->click();
    diagramm->Zeigen(n, 5000, "Positive Poisson", c.datei, *daten);
    diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(true);
    double kleinst = INFINITY;
    for (int i = 0; i <= n; ++i)
      for (double v : {(*daten)[i].E, (*daten)[i].NP})
        if (v > 0) kleinst = std::min(kleinst, v);
    auto* achse = qobject_cast<QLogValueAxis*>(diagramm->Chart()->axes(Qt::Vertical).first());
    ASSERT_NE(achse, nullptr);
    EXPECT_LT(achse->min(), kleinst) << c.datei;

    // The last class's f bar, a quarter class wide left of the class's middle.
    const QImage bild = Bild();
    const double f = (*daten)[n].E;
    ASSERT_GT(f, 0);
    const QPoint mitte = Pixel(QPointF(n - 0.125, std::sqrt(achse->min() * f)), Balken());
    ASSERT_TRUE(bild.rect().contains(mitte)) << c.datei;
    EXPECT_TRUE(Aehnlich(bild.pixelColor(mitte), QColor(0xCF, 0xCF, 0xCF), 24))
        << c.datei << ": " << bild.pixelColor(mitte).name().toStdString();

    // In the line styles every point lies inside the plot.
    for (const char* stil : {"lines", "linesdots"}) {
      diagramm->findChild<QRadioButton*>(stil)->click();
      QCoreApplication::processEvents();
      const QRectF plot = diagramm->Chart()->plotArea().adjusted(-0.5, -0.5, 0.5, 0.5);
      for (QAbstractSeries* s : diagramm->Chart()->series()) {
        auto* linie = qobject_cast<QLineSeries*>(s);
        if (linie == nullptr || !linie->isVisible()) continue;
        EXPECT_EQ(linie->count(), n + 1) << c.datei << " " << stil;
        for (const QPointF& p : linie->points())
          EXPECT_TRUE(plot.contains(diagramm->Chart()->mapToPosition(p, linie)))
              << c.datei << " " << stil << " x " << p.x() << " y " << p.y();
      }
    }
  }
}

// Value labels: the list's formats, inside the plot, never over each other, in every style and
// with or without depth; in a crowded chart some are left out.
TEST_F(ChartDrawingTest, ValueLabelsKeepTheirFormatsAndPlaceAndDoNotOverlap) {
  const auto klassen = Klassen("gpl3-word-letters.dat");
  PositivePoisson(klassen, *daten);
  const int n = static_cast<int>(klassen.size()) - 1;
  diagramm->Zeigen(n, 5000, "Positive Poisson", "w.dat", *daten);
  diagramm->findChild<QCheckBox*>("showValues")->setChecked(true);
  const QRegularExpression ganz("^\\d+$"), zweiStellen("^\\d+\\.\\d\\d$");
  struct Fall {
    const char* stil;
    bool tief, yLog;
  };
  const Fall faelle[] = {{"bars", false, false},      {"bars", true, false},
                         {"bars", false, true},       {"lines", false, false},
                         {"linesdots", true, false},  {"linesdots", false, true},
                         {"rootogram", false, false}, {"rootogram", true, false}};
  for (const Fall& c : faelle) {
    diagramm->findChild<QRadioButton*>(c.stil)->click();
    diagramm->findChild<QCheckBox*>("view3D")->setChecked(c.tief);
    diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(c.yLog);
    Bild();
    const QRectF plot = diagramm->Chart()->plotArea();
    const auto& marken = diagramm->Wertmarken();
    ASSERT_FALSE(marken.isEmpty()) << c.stil;
    const bool wurzel = std::string(c.stil) == "rootogram";
    // Thinned: the bars and lines offer two labels per class, the rootogram one.
    EXPECT_LE(marken.size(), (wurzel ? 1 : 2) * (n + 1)) << c.stil;
    for (int i = 0; i < marken.size(); ++i) {
      EXPECT_TRUE(plot.contains(marken[i].rahmen)) << c.stil << " " << marken[i].text;
      EXPECT_TRUE(ganz.match(marken[i].text).hasMatch() ||
                  zweiStellen.match(marken[i].text).hasMatch())
          << c.stil << " " << marken[i].text;
      if (wurzel) {
        EXPECT_TRUE(zweiStellen.match(marken[i].text).hasMatch()) << marken[i].text;
      }
      for (int j = i + 1; j < marken.size(); ++j)
        EXPECT_FALSE(marken[i].rahmen.intersects(marken[j].rahmen))
            << c.stil << ": " << marken[i].text << " and " << marken[j].text;
    }
  }
}

// The labels draw nothing outside the plot: with them and without, the picture is the same
// there, in the flat and in the 3D view (whose shadow once left stray digits beside the plot).
TEST_F(ChartDrawingTest, ValueLabelsLeaveNoGlyphOutsideThePlot) {
  const auto klassen = Klassen("alpha-particles.dat");
  PositivePoisson(klassen, *daten);
  diagramm->Zeigen(static_cast<int>(klassen.size()) - 1, 5000, "Positive Poisson", "a.dat", *daten);
  for (const char* stil : {"bars", "linesdots", "rootogram"}) {
    for (bool tief : {false, true}) {
      diagramm->findChild<QRadioButton*>(stil)->click();
      diagramm->findChild<QCheckBox*>("view3D")->setChecked(tief);
      diagramm->findChild<QCheckBox*>("showValues")->setChecked(false);
      const QImage ohne = Bild();
      diagramm->findChild<QCheckBox*>("showValues")->setChecked(true);
      const QImage mit = Bild();
      ASSERT_EQ(ohne.size(), mit.size());
      const QRect plot =
          Ansicht()
              ->mapFromScene(diagramm->Chart()->mapToScene(diagramm->Chart()->plotArea()))
              .boundingRect()
              .adjusted(-1, -1, 1, 1);
      int abweichend = 0;
      for (int y = 0; y < mit.height(); ++y)
        for (int x = 0; x < mit.width(); ++x)
          if (!plot.contains(x, y) && mit.pixel(x, y) != ohne.pixel(x, y)) ++abweichend;
      EXPECT_EQ(abweichend, 0) << stil << (tief ? " 3D" : "");

      EXPECT_FALSE(diagramm->Wertmarken().isEmpty()) << stil;
    }
  }
}

// The text the scene shows for a title: what a reader sees on the screen and in the PNG.
QStringList SzenenTexte(QChart* chart) {
  QStringList texte;
  for (QGraphicsItem* item : chart->scene()->items())
    if (auto* t = dynamic_cast<QGraphicsTextItem*>(item); t != nullptr && t->isVisible())
      texte << t->toPlainText();
  return texte;
}

// A title is plain text: "&", "<x>", quotes and "1<2" are shown as typed, not read as markup.
TEST_F(ChartDrawingTest, TitlesArePlainText) {
  const QString name = "Greenwood & Yule <x> \"q\" 1<2";
  (*daten)[0] = TWerte{2, 3, 0, 0, false};
  (*daten)[1] = TWerte{5, 4, 1, 1, false};
  diagramm->Zeigen(1, 7, name, "a&b.dat", *daten);
  Bild();
  EXPECT_EQ(diagramm->Titel(), "a&b.dat  -  " + name);
  EXPECT_TRUE(SzenenTexte(diagramm->Chart()).contains("a&b.dat  -  " + name))
      << SzenenTexte(diagramm->Chart()).join(" | ");

  // Through the titles dialog, for the chart title and the bottom axis' title.
  BeiDialog([](QWidget* d) {
    d->findChild<QLineEdit*>("EdTitelOben")->setText("<b>bold</b> & 1<2");
    d->findChild<QLineEdit*>("EdTitelUnten")->setText("x < 5 & <i>y</i>");
    static_cast<QDialog*>(d)->accept();
  });
  diagramm->TitelBearbeiten();
  Bild();
  const QStringList texte = SzenenTexte(diagramm->Chart());
  EXPECT_TRUE(texte.contains("<b>bold</b> & 1<2")) << texte.join(" | ");
  EXPECT_TRUE(texte.contains("x < 5 & <i>y</i>")) << texte.join(" | ");
  EXPECT_EQ(diagramm->Titel(), "<b>bold</b> & 1<2");

  // The saved picture is the same scene.
  EXPECT_TRUE(diagramm->Speichern(dateien->filePath("titel.png")));
  EXPECT_TRUE(SzenenTexte(diagramm->Chart()).contains("<b>bold</b> & 1<2"));
}

// The placement of labels by itself, on boxes whose sizes follow from the font.
TEST(WertmarkenTest, LabelsAreThinnedAndKeptInside) {
  const QFont schrift;
  const QFontMetricsF masse(schrift);
  const double h = masse.height();
  const QRectF flaeche(0, 0, 400, 300);
  struct Fall {
    const char* was;
    QList<QPointF> anker;
    int gesetzt;
  };
  const Fall faelle[] = {
      {"apart", {{50, 150}, {200, 150}, {350, 150}}, 3},
      {"on one spot", {{200, 150}, {200, 150}, {201, 151}}, 1},
      {"a column", {{200, 100}, {200, 100 + 2 * h}, {200, 100 + h / 2}}, 2},
      {"at the edges", {{0, 0}, {400, 300}, {0, 300}, {400, 0}}, 4},
  };
  for (const Fall& c : faelle) {
    QList<Wertmarke> kandidaten;
    for (const QPointF& p : c.anker) kandidaten.append({p, "524.57", Qt::black});
    const QList<GesetzteMarke> marken = MarkenSetzen(kandidaten, masse, flaeche);
    EXPECT_EQ(marken.size(), c.gesetzt) << c.was;
    for (int i = 0; i < marken.size(); ++i) {
      EXPECT_TRUE(flaeche.contains(marken[i].rahmen)) << c.was;
      EXPECT_GE(marken[i].rahmen.width(), masse.horizontalAdvance("524.57")) << c.was;
      for (int j = i + 1; j < marken.size(); ++j)
        EXPECT_FALSE(marken[i].rahmen.intersects(marken[j].rahmen)) << c.was;
    }
  }
  // A label wider than the plot has no place at all.
  EXPECT_TRUE(MarkenSetzen({{{5, 5}, QString(200, 'x'), Qt::black}}, masse, QRectF(0, 0, 50, 50))
                  .isEmpty());
}

}  // namespace
}  // namespace vk::ui::test

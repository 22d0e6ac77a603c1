// SPDX-License-Identifier: GPL-3.0-or-later
// The selected fitting's standard errors: the ± column, the summary line and Cancel during the
// bootstrap.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "tests/ui/UiFixture.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui::test {
namespace {

class InferenceDisplayTest : public UiTest {};

TEST_F(InferenceDisplayTest, ErrorsAndMonteCarloPFollowTheOptions) {
  struct Fall {
    int bootstrap;
    bool kruemmung;
    const char* zeile;   // a part the summary must contain; empty: no summary
    bool plusMinusBeiP;  // the free parameter p gets a ± value
  };
  // The binomial of the test catalog: n (whole number, no curvature error) and p.
  const Fall faelle[] = {
      {0, false, "", false},
      {40, false, "of 40 bootstrap samples", true},
      {0, true, "curvature of X²", true},
      {30, true, "Monte Carlo P", true},
  };
  const auto katalog = TestKatalog();
  for (const Fall& c : faelle) {
    SCOPED_TRACE(std::to_string(c.bootstrap) + (c.kruemmung ? " curvature" : ""));
    auto f = Fenster(katalog);
    f->DateienOeffnen({Daten("alpha-particles.dat")});
    Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
    Kind<QSpinBox>(*f, "SpinNFBootstrap")->setValue(c.bootstrap);
    Kind<QCheckBox>(*f, "CBNFKruemmung")->setChecked(c.kruemmung);
    Anpassen(*f);
    ASSERT_EQ(Text(*f, "EdNFErgebnis"), "OK");
    const QString zeile = Kind<QLabel>(*f, "LblNFInferenz")->text();
    const auto* liste = Kind<QTreeWidget>(*f, "LVNFParameter");
    ASSERT_GE(liste->topLevelItemCount(), 2);
    if (*c.zeile == 0) {
      EXPECT_TRUE(zeile.isEmpty()) << zeile.toStdString();
      EXPECT_EQ(liste->columnCount(), 2);
      continue;
    }
    EXPECT_TRUE(zeile.contains(c.zeile)) << zeile.toStdString();
    // The window has a fixed size: the summary's lines are all shown, above the options below.
    const auto* text = Kind<QLabel>(*f, "LblNFInferenz");
    QCoreApplication::processEvents();
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    const auto* darunter = Kind<QCheckBox>(*f, "CBNFNurBesteMethode");
    EXPECT_LE(text->mapTo(f.get(), QPoint(0, text->height())).y(),
              darunter->mapTo(f.get(), QPoint(0, 0)).y());
    EXPECT_EQ(liste->columnCount(), 3);
    const QString p = liste->topLevelItem(1)->text(2);
    ASSERT_TRUE(p.startsWith("± ")) << p.toStdString();
    if (c.plusMinusBeiP) {
      const double se = ZahlAusText(p.mid(2));
      EXPECT_GT(se, 0);
      EXPECT_LT(se, 0.1);
    }
    // n takes whole numbers: the curvature has no error for it.
    if (c.kruemmung) {
      EXPECT_EQ(liste->topLevelItem(0)->text(2), "± -");
    }
  }
}

TEST_F(InferenceDisplayTest, SeedFieldTakesSixtyFourBitsAndNamesBadText) {
  struct Fall {
    const char* text;
    const char* seed;  // the seed the run reports; null: the text is refused and no run starts
  };
  const Fall faelle[] = {
      {"18446744073709551615", "18446744073709551615"},  // 2^64 - 1, the largest
      {" 42 ", "42"},
      {"0", "0"},
      {"18446744073709551616", nullptr},  // 2^64
      {"-1", nullptr},
      {"1.5", nullptr},
      {"0x10", nullptr},
      {"", nullptr},
  };
  const auto katalog = TestKatalog();
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.text);
    warnungen.clear();
    auto f = Fenster(katalog);
    f->DateienOeffnen({Daten("alpha-particles.dat")});
    Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
    Kind<QSpinBox>(*f, "SpinNFBootstrap")->setValue(20);
    auto* feld = Kind<QLineEdit>(*f, "EdNFSeed");
    ASSERT_EQ(feld->text(), "1");  // the default seed
    feld->setText(c.text);
    Anpassen(*f);
    if (c.seed == nullptr) {
      ASSERT_EQ(warnungen.size(), 1);
      EXPECT_TRUE(warnungen[0].contains(QString("'%1'").arg(c.text))) << warnungen[0].toStdString();
      EXPECT_EQ(feld->text(), "1");  // the last valid seed is back
      EXPECT_TRUE(Text(*f, "EdNFErgebnis").isEmpty());
      continue;
    }
    EXPECT_TRUE(warnungen.isEmpty());
    ASSERT_EQ(Text(*f, "EdNFErgebnis"), "OK");
    const QString zeile = Kind<QLabel>(*f, "LblNFInferenz")->text();
    EXPECT_TRUE(zeile.contains(QString("(seed %1)").arg(c.seed))) << zeile.toStdString();
  }
}

// The interval kind chosen is the one the run reads, and it is kept for the next start. With one
// seed the draws are the same, so the basic interval is the percentile one reflected about the
// estimate: [2p - hi, 2p - lo], whatever our own interval code does.
TEST_F(InferenceDisplayTest, IntervalKindIsUsedAndKept) {
  struct Fall {
    const char* eintrag;
    const char* name;  // in the tooltip and the settings
  };
  const Fall faelle[] = {
      {"Percentile", "percentile"}, {"Basic", "basic"}, {"Bias-corrected", "bc"}};
  const auto katalog = TestKatalog();
  double perzentil[2] = {0, 0};
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    {
      auto f = Fenster(katalog);
      f->DateienOeffnen({Daten("alpha-particles.dat")});
      Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
      Kind<QSpinBox>(*f, "SpinNFBootstrap")->setValue(200);
      auto* art = Kind<QComboBox>(*f, "CBNFIntervall");
      art->setCurrentIndex(art->findText(c.eintrag));
      Anpassen(*f);
      ASSERT_EQ(Text(*f, "EdNFErgebnis"), "OK");
      const QTreeWidgetItem* p = Kind<QTreeWidget>(*f, "LVNFParameter")->topLevelItem(1);
      const QString tip = p->toolTip(2);
      const QString kopf = QString("95 % %1 interval ").arg(c.name);
      ASSERT_TRUE(tip.startsWith(kopf)) << tip;
      const QStringList grenzen = tip.mid(kopf.size()).split(" .. ");
      ASSERT_EQ(grenzen.size(), 2) << tip;
      const double unten = ZahlAusText(grenzen[0]);
      const double oben = ZahlAusText(grenzen[1]);
      EXPECT_LT(unten, oben);
      if (std::string_view(c.name) == "percentile") {
        perzentil[0] = unten;
        perzentil[1] = oben;
      } else if (std::string_view(c.name) == "basic") {
        // Four significant digits shown: the reflection holds to their rounding.
        const double schaetzung = ZahlAusText(p->text(1));
        EXPECT_NEAR(unten, 2 * schaetzung - perzentil[1], 2e-4);
        EXPECT_NEAR(oben, 2 * schaetzung - perzentil[0], 2e-4);
      }
      EXPECT_TRUE(f->close());
    }
    EXPECT_EQ(QSettings("Tessaro", "Vostra-Kalibra").value("Inferenz/Intervall").toString(),
              c.name);
    auto wieder = Fenster(katalog);
    EXPECT_EQ(Kind<QComboBox>(*wieder, "CBNFIntervall")->currentText(), c.eintrag);
  }
}

TEST_F(InferenceDisplayTest, CancelStopsTheBootstrapWithThePartialCount) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  Kind<QSpinBox>(*f, "SpinNFBootstrap")->setValue(1'000'000);
  auto* abbruch = Kind<QPushButton>(*f, "BtnNFAbbruch");
  QTimer klicker;
  klicker.setInterval(20);
  bool geklickt = false;
  QObject::connect(&klicker, &QTimer::timeout, [&] {
    // The best method's result is shown: the bootstrap runs now.
    if (geklickt || Text(*f, "EdNFErgebnis") != "OK") return;
    geklickt = true;
    QTest::mouseClick(abbruch, Qt::LeftButton);
  });
  klicker.start();
  Anpassen(*f);
  klicker.stop();
  ASSERT_TRUE(geklickt);
  const QString zeile = Kind<QLabel>(*f, "LblNFInferenz")->text();
  EXPECT_TRUE(zeile.contains("cancelled after")) << zeile.toStdString();
  EXPECT_TRUE(zeile.contains("of 1000000 bootstrap samples")) << zeile.toStdString();
  EXPECT_FALSE(f->InAnpassung());
}

}  // namespace
}  // namespace vk::ui::test

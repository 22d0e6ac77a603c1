// SPDX-License-Identifier: GPL-3.0-or-later
// The selected fitting's standard errors: the ± column, the summary line and Cancel during the
// bootstrap.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The special fitting on its worker thread: the end message, cancelling, and the window's guard
// against closing and refitting meanwhile.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "core/Status.h"
#include "tests/ui/UiFixture.h"

namespace vk::ui::test {
namespace {

class SpecialFittingTest : public UiTest {
 protected:
  std::unique_ptr<TFrmMain> Bereit(const Verteilungsverzeichnis& katalog) {
    auto f = Fenster(katalog);
    f->DateienOeffnen({Daten("alpha-particles.dat")});
    Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(2);
    return f;
  }
  void Setzen(TFrmMain& f, const char* name, const char* text) {
    Kind<QLineEdit>(f, name)->setText(text);
  }
};

TEST_F(SpecialFittingTest, PreflightDefaultsFollowTheLastClassIndex) {
  const auto katalog = TestKatalog();
  auto f = Bereit(katalog);
  // alpha-particles.dat: classes 0..14.
  EXPECT_EQ(Text(*f, "NumEdSFb1Start"), "-14.00000000");
  EXPECT_EQ(Text(*f, "NumEdSFb1Stop"), "14.00000000");
  EXPECT_EQ(Text(*f, "NumEdSFb2Delta"), "0.28000000");
  Setzen(*f, "NumEdSFb2Start", "1.5");
  QTest::mouseClick(Kind<QPushButton>(*f, "BtnSFb1Default"), Qt::LeftButton);
  EXPECT_EQ(Text(*f, "NumEdSFb2Start"), "1.5") << "each Default resets only its own row";
  QTest::mouseClick(Kind<QPushButton>(*f, "BtnSFb2Default"), Qt::LeftButton);
  EXPECT_EQ(Text(*f, "NumEdSFb2Start"), "-14.00000000");
  // The deltas refuse a minus sign.
  auto* delta = Kind<QLineEdit>(*f, "NumEdSFb1Delta");
  delta->clear();
  QTest::keyClicks(delta, "-2");
  EXPECT_EQ(delta->text(), "2");
  EXPECT_FALSE(Kind<QCheckBox>(*f, "CBSFb1")->isVisible());
}

TEST_F(SpecialFittingTest, RunsOnAWorkerAndReportsItsEnd) {
  const auto katalog = TestKatalog();
  auto f = Bereit(katalog);
  // A small grid keeps the run short: 4 rows of 4 points.
  Setzen(*f, "NumEdSFb1Start", "-1");
  Setzen(*f, "NumEdSFb1Stop", "1");
  Setzen(*f, "NumEdSFb1Delta", "0.5");
  Setzen(*f, "NumEdSFb2Start", "-1");
  Setzen(*f, "NumEdSFb2Stop", "1");
  Setzen(*f, "NumEdSFb2Delta", "0.5");
  Kind<QAction>(*f, "TBBtnGo")->trigger();
  // The handler returned at once; the window is in the fitting state until the end message.
  ASSERT_TRUE(f->SpezialLaeuft());
  EXPECT_TRUE(f->InAnpassung());
  EXPECT_FALSE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  EXPECT_FALSE(Kind<QListWidget>(*f, "LBEingabeDaten")->isEnabled());
  EXPECT_TRUE(Kind<QPushButton>(*f, "BtnSFAbbrechen")->isEnabled());
  EXPECT_FALSE(f->close()) << "closing is refused while the worker runs";
  EXPECT_TRUE(f->isVisible());
  f->DateienOeffnen({Daten("horse-kicks.dat")});
  EXPECT_EQ(Text(*f, "NumEdTOT"), "2608") << "the data set must not change under the worker";

  ASSERT_TRUE(Warten([&] { return !f->InAnpassung(); }));
  EXPECT_FALSE(f->SpezialLaeuft());
  const QString ergebnis = Text(*f, "EdSFErgebnis");
  EXPECT_FALSE(ergebnis.isEmpty());
  if (ergebnis == "OK") {
    EXPECT_EQ(Kind<QTreeWidget>(*f, "LVSFParameter")->topLevelItemCount(), 5);
    EXPECT_NE(Text(*f, "NumEdSFChi2"), "0.0000");
  } else {
    EXPECT_EQ(Text(*f, "NumEdSFChi2"), "0.0000") << "a failed run shows no figures";
  }
  EXPECT_FALSE(Kind<QProgressBar>(*f, "PrgStatFortschritt")->isTextVisible());
  EXPECT_TRUE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  EXPECT_FALSE(Kind<QPushButton>(*f, "BtnSFAbbrechen")->isEnabled());
  EXPECT_TRUE(f->close());
}

TEST_F(SpecialFittingTest, CancelDuringThePreflightEndsTheRun) {
  const auto katalog = TestKatalog();
  auto f = Bereit(katalog);
  // The default grid (100 x 100 points) runs long enough to be cancelled in the middle.
  Kind<QAction>(*f, "TBBtnGo")->trigger();
  ASSERT_TRUE(f->SpezialLaeuft());
  auto* balken = Kind<QProgressBar>(*f, "PrgStatFortschritt");
  EXPECT_TRUE(Warten([&] { return balken->isTextVisible(); }, 10000))
      << "the worker announced the grid";
  QTest::mouseClick(Kind<QPushButton>(*f, "BtnSFAbbrechen"), Qt::LeftButton);
  ASSERT_TRUE(Warten([&] { return !f->InAnpassung(); }, 30000));
  EXPECT_EQ(Text(*f, "EdSFErgebnis"), QString::fromStdString(StatusText(status::kSkipAbortByUser)));
  EXPECT_EQ(Text(*f, "NumEdSFChi2"), "0.0000");
  EXPECT_EQ(Kind<QTreeWidget>(*f, "LVSFParameter")->topLevelItemCount(), 0);
  EXPECT_TRUE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  EXPECT_TRUE(Kind<QPushButton>(*f, "RfBtnEingabeDaten")->isEnabled());
}

TEST_F(SpecialFittingTest, EveryPreflightFieldHasACaptionAboveIt) {
  const auto katalog = TestKatalog();
  auto f = Bereit(katalog);
  const struct {
    const char* kopf;
    const char* felder[2];
  } spalten[] = {{"Start", {"NumEdSFb1Start", "NumEdSFb2Start"}},
                 {"Stop", {"NumEdSFb1Stop", "NumEdSFb2Stop"}},
                 {"Delta", {"NumEdSFb1Delta", "NumEdSFb2Delta"}}};
  for (const auto& s : spalten) {
    const QLabel* kopf = nullptr;
    for (const QLabel* l : f->findChildren<QLabel*>())
      if (l->text() == s.kopf && l->isVisible()) kopf = l;
    ASSERT_NE(kopf, nullptr) << s.kopf;
    const QRect k(kopf->mapTo(f.get(), QPoint(0, 0)), kopf->size());
    for (const char* name : s.felder) {
      const auto* feld = Kind<QLineEdit>(*f, name);
      const QRect r(feld->mapTo(f.get(), QPoint(0, 0)), feld->size());
      EXPECT_TRUE(r.left() <= k.center().x() && k.center().x() <= r.right()) << s.kopf << name;
      EXPECT_LE(k.bottom(), r.top()) << s.kopf << name;
    }
  }
}

// A ticked coefficient is held at its value: the parameter list marks it as not fitted. A run
// that ends without a result leaves no expected frequencies of an earlier fit in the data list.
TEST_F(SpecialFittingTest, HeldCoefficientsAreMarkedAndAFailedRunClearsTheFit) {
  const auto katalog = TestKatalog();
  auto f = Bereit(katalog);
  auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(0);
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  Anpassen(*f);
  ASSERT_EQ(Text(*f, "EdNFErgebnis"), "OK");
  ASSERT_NE(daten->topLevelItem(4)->text(2), "0.00");
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(2);

  Setzen(*f, "NumEdSFb1Start", "-1");
  Setzen(*f, "NumEdSFb1Stop", "1");
  Setzen(*f, "NumEdSFb1Delta", "0.5");
  Setzen(*f, "NumEdSFb2Start", "-1");
  Setzen(*f, "NumEdSFb2Stop", "1");
  Setzen(*f, "NumEdSFb2Delta", "0.5");
  Kind<QCheckBox>(*f, "CBSFa0")->setChecked(true);
  Kind<QAction>(*f, "TBBtnGo")->trigger();
  ASSERT_TRUE(Warten([&] { return !f->InAnpassung(); }));
  const auto* parameter = Kind<QTreeWidget>(*f, "LVSFParameter");
  if (Text(*f, "EdSFErgebnis") == "OK") {
    ASSERT_EQ(parameter->topLevelItemCount(), 5);
    EXPECT_EQ(parameter->topLevelItem(0)->text(0), "a0 (fixed)");
    EXPECT_EQ(parameter->topLevelItem(1)->text(0), "a1");
  } else {
    for (int i = 0; i < daten->topLevelItemCount(); ++i)
      EXPECT_EQ(daten->topLevelItem(i)->text(2), "0.00") << i;
  }

  // Cancelled in the preflight: the data list holds no fit.
  for (const char* name : {"NumEdSFb1Start", "NumEdSFb2Start"}) Setzen(*f, name, "-14");
  for (const char* name : {"NumEdSFb1Stop", "NumEdSFb2Stop"}) Setzen(*f, name, "14");
  for (const char* name : {"NumEdSFb1Delta", "NumEdSFb2Delta"}) Setzen(*f, name, "0.28");
  Kind<QAction>(*f, "TBBtnGo")->trigger();
  auto* balken = Kind<QProgressBar>(*f, "PrgStatFortschritt");
  EXPECT_TRUE(Warten([&] { return balken->isTextVisible(); }, 10000));
  QTest::mouseClick(Kind<QPushButton>(*f, "BtnSFAbbrechen"), Qt::LeftButton);
  ASSERT_TRUE(Warten([&] { return !f->InAnpassung(); }));
  for (int i = 0; i < daten->topLevelItemCount(); ++i)
    EXPECT_EQ(daten->topLevelItem(i)->text(2), "0.00") << i;
}

// A grid whose step cannot move its value, or with more points than any search could visit,
// would keep the worker running for ever: it is refused with a warning and nothing starts.
TEST_F(SpecialFittingTest, GridThatCannotEndIsRefusedBeforeTheStart) {
  const auto katalog = TestKatalog();
  auto f = Bereit(katalog);
  struct Fall {
    const char *start, *stop, *delta, *meldung;
  };
  const Fall faelle[] = {{"100000000000000000", "1000000000000000000", "1", "too small to move"},
                         {"0", "10000000", "0.001", "more than 1000000 points"}};
  for (const Fall& c : faelle) {
    warnungen.clear();
    Setzen(*f, "NumEdSFb1Start", c.start);
    Setzen(*f, "NumEdSFb1Stop", c.stop);
    Setzen(*f, "NumEdSFb1Delta", c.delta);
    Kind<QAction>(*f, "TBBtnGo")->trigger();
    EXPECT_FALSE(f->SpezialLaeuft()) << c.meldung;
    EXPECT_FALSE(f->InAnpassung()) << c.meldung;
    ASSERT_EQ(warnungen.size(), 1) << c.meldung;
    EXPECT_TRUE(warnungen[0].startsWith("Preflight range of b1: ")) << warnungen[0].toStdString();
    EXPECT_TRUE(warnungen[0].contains(c.meldung)) << warnungen[0].toStdString();
  }
  EXPECT_TRUE(f->close());
}

}  // namespace
}  // namespace vk::ui::test

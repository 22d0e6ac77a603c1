// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on its own: start-up state, input files, statistics, data list, assisted
// selection, settings on close.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTest>
#include <cmath>

#include "core/DatenDatei.h"
#include "fitting/EinstellungenSpeicher.h"
#include "tests/support/Tolerance.h"
#include "tests/ui/UiFixture.h"
#include "ui/FrmDiagramm.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui::test {
namespace {

QStringList Eintraege(const QComboBox* box) {
  QStringList l;
  for (int i = 0; i < box->count(); ++i) l << box->itemText(i);
  return l;
}

QStringList Zeile(const QTreeWidget* liste, int i) {
  QStringList l;
  const QTreeWidgetItem* z = liste->topLevelItem(i);
  for (int s = 0; z != nullptr && s < liste->columnCount(); ++s) l << z->text(s);
  return l;
}

class MainWindowTest : public UiTest {};

struct Statistikfeld {
  const char* name;
  double TDateneigenschaften::*wert;
};
const Statistikfeld kStatistikfelder[] = {
    {"NumEdMoment1", &TDateneigenschaften::m1},
    {"NumEdMoment2", &TDateneigenschaften::m2},
    {"NumEdMoment3", &TDateneigenschaften::m3},
    {"NumEdMoment4", &TDateneigenschaften::m4},
    {"NumEdOrdI", &TDateneigenschaften::ord_i},
    {"NumEdOrdS", &TDateneigenschaften::ord_s},
    {"NumEdSchiefe", &TDateneigenschaften::schiefe},
    {"NumEdExzess", &TDateneigenschaften::exzess},
    {"NumEdEntropie", &TDateneigenschaften::entropie},
    {"NumEdWiederholungsrate", &TDateneigenschaften::wiederholungsrate}};

// A statistic is shown whole: the text fits the field, and it is the value in the field's format
// or in exponent notation that reads back as the value to the digits shown. The moments have
// room for the format up to 10^9 and switch to exponents only beyond.
::testing::AssertionResult Ganz(const QLineEdit* feld, double wert) {
  const QString text = feld->text();
  const int breite = feld->fontMetrics().horizontalAdvance(text);
  if (breite > Textplatz(feld))
    return ::testing::AssertionFailure() << feld->objectName() << ": \"" << text << "\" needs "
                                         << breite << " px of " << Textplatz(feld);
  if (text == Fest(wert, 4)) return ::testing::AssertionSuccess();
  if (feld->objectName().startsWith("NumEdMoment") && std::fabs(wert) <= 1e9)
    return ::testing::AssertionFailure()
           << feld->objectName() << " shows \"" << text << "\" for " << Fest(wert, 4);
  bool ok = false;
  const double gelesen = ZahlAusText(text, &ok);
  if (!ok || !text.contains('e'))
    return ::testing::AssertionFailure() << feld->objectName() << ": \"" << text << "\"";
  return vk::test::Near(gelesen, wert, vk::test::kPrinted);
}

TEST_F(MainWindowTest, StatisticsAreShownWholeUpToAndBeyondABillion) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  struct Fall {
    const char* datei;
    const char* inhalt;  // nullptr: a shipped data file
  };
  // Sentence lengths: m2..m4 = 394.6833, 14080.7330, 1176413.8339, once shown without their
  // leading digits. Then m3 = -0.09375 * 2200^3, a fixed-point text of 15 characters; and x up
  // to 20000 with one far outlier, which takes m3, m4 and the excess past 10^9.
  const Fall faelle[] = {{"gpl3-sentence-words.dat", nullptr},
                         {"schief.dat", "0 1\n2200 3\n"},
                         {"ausreisser.dat", "0 1000000\n20000 1\n"}};
  for (const Fall& c : faelle) {
    const QString pfad = c.inhalt ? Schreiben(c.datei, c.inhalt) : Daten(c.datei);
    f->DateienOeffnen({pfad});
    ASSERT_TRUE(f->DatenVorhanden()) << c.datei;
    TDatensatz d;
    TDateneigenschaften e;
    std::string detail;
    ASSERT_EQ(DateiLesen(pfad.toStdString(), d, e, detail), 0u) << c.datei;
    EXPECT_EQ(Text(*f, "NumEdTOT"), QString::number(e.tot)) << c.datei;
    for (const Statistikfeld& s : kStatistikfelder)
      EXPECT_TRUE(Ganz(Kind<QLineEdit>(*f, s.name), e.*s.wert)) << c.datei;
  }

  // The extremes of the format, in every field.
  for (double wert : {-1e9, 999999999.9999, -123456789.0123, 1.5e12, -2.5e300}) {
    for (const Statistikfeld& s : kStatistikfelder) {
      auto* feld = Kind<TNumEdit>(*f, s.name);
      feld->SetzeWert(wert);
      EXPECT_TRUE(Ganz(feld, wert)) << wert;
    }
  }
}

TEST_F(MainWindowTest, ChoosingAFileByKeyboardReadsItAsAClickDoes) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("horse-kicks.dat"), Daten("alpha-particles.dat")});
  auto* liste = Kind<QListWidget>(*f, "LBEingabeDaten");
  liste->setFocus();
  QTest::keyClick(liste, Qt::Key_Down);
  ASSERT_EQ(liste->currentRow(), 1);
  EXPECT_EQ(Text(*f, "NumEdTOT"), "2608");
  EXPECT_EQ(Kind<QTreeWidget>(*f, "LVDaten")->topLevelItemCount(), 15);
  Kind<QAction>(*f, "TBBtnDiagramm")->trigger();
  EXPECT_EQ(f->Diagramm()->Titel(), "alpha-particles.dat  -  Binomial");
  EXPECT_EQ(f->Diagramm()->SeriePunkte(1), 15);

  QTest::keyClick(liste, Qt::Key_Home);
  EXPECT_EQ(Text(*f, "NumEdTOT"), "200");
  Kind<QAction>(*f, "TBBtnDiagramm")->trigger();
  EXPECT_EQ(f->Diagramm()->Titel(), "horse-kicks.dat  -  Binomial");
  EXPECT_EQ(f->Diagramm()->SeriePunkte(1), 5);
  EXPECT_TRUE(warnungen.isEmpty());
}

// Files named at start-up are read after the distribution list was filled for want of data
// with nothing; with assisted selection the list follows the first data set.
TEST_F(MainWindowTest, AssistedSelectionIsFilledForTheFilesGivenAtStart) {
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    s.setValue("FitPar/AuswahlHilfe", "1");
    s.setValue("FitPar/NurBesteMethode", "1");
  }
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  auto* box = Kind<QComboBox>(*f, "CBNFVerteilung");
  f->StartdateienOeffnen({Daten("gpl3-word-syllables.dat")});
  EXPECT_EQ(Eintraege(box), (QStringList{"Binomial", "Poisson-stopped negative binomial (Katz)"}));
  Anpassen(*f);
  EXPECT_FALSE(Text(*f, "EdNFErgebnis").isEmpty()) << "Fit fitted";

  // Without assisted selection the list stays as it was.
  QSettings("Tessaro", "Vostra-Kalibra").setValue("FitPar/AuswahlHilfe", "0");
  auto g = Fenster(katalog);
  g->StartdateienOeffnen({Daten("gpl3-word-syllables.dat")});
  EXPECT_EQ(Kind<QComboBox>(*g, "CBNFVerteilung")->count(), 3);
}

TEST_F(MainWindowTest, OrdFieldsAreCaptioned) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QStringList beschriftet;
  for (const QLabel* l : f->findChildren<QLabel*>())
    if (l->buddy() != nullptr && l->isVisible() && !l->text().isEmpty())
      beschriftet << l->buddy()->objectName() + "=" + l->text();
  EXPECT_TRUE(beschriftet.contains("NumEdOrdI=I")) << beschriftet.join(" ");
  EXPECT_TRUE(beschriftet.contains("NumEdOrdS=S")) << beschriftet.join(" ");
}

TEST_F(MainWindowTest, StartsWithoutDataWithEveryListFilledAndFittingDisabled) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  EXPECT_EQ(f->windowTitle(), "Vostra Kalibra");
  EXPECT_FALSE(Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->isEnabled());
  EXPECT_FALSE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  EXPECT_FALSE(Kind<QAction>(*f, "TBBtnDiagramm")->isEnabled());
  EXPECT_TRUE(Kind<QAction>(*f, "TBBtnOptionen")->isEnabled());
  EXPECT_EQ(Text(*f, "NumEdTOT"), "0");
  EXPECT_EQ(Text(*f, "NumEdMoment1"), "0.0000");
  EXPECT_EQ(Text(*f, "NumEdWiederholungsrate"), "0.0000");
  EXPECT_TRUE(Kind<QLabel>(*f, "VIStatus")->text().contains(VK_VERSION));
  // Sorted by name; the special model only on the special tab.
  const QStringList gewoehnlich = {"Binomial", "Hyper-Pascal",
                                   "Poisson-stopped negative binomial (Katz)"};
  EXPECT_EQ(Eintraege(Kind<QComboBox>(*f, "CBNFVerteilung")), gewoehnlich);
  EXPECT_EQ(Eintraege(Kind<QComboBox>(*f, "CBBFVerteilung")), gewoehnlich);
  EXPECT_EQ(Eintraege(Kind<QComboBox>(*f, "CBSFVerteilung")), QStringList{"Special model"});
  EXPECT_EQ(Kind<QComboBox>(*f, "CBNFVerteilung")->currentIndex(), 0);
  const auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  EXPECT_EQ(daten->topLevelItemCount(), 0);
  EXPECT_EQ(daten->headerItem()->text(0), "x[i]");
  EXPECT_EQ(daten->headerItem()->text(2), "NP[i]");
  // The batch list: 19 fixed columns plus Binomial's n and p after "R²".
  const auto* batch = Kind<QTreeWidget>(*f, "LVBFBatch");
  ASSERT_EQ(batch->columnCount(), 21);
  EXPECT_EQ(batch->headerItem()->text(6), "n");
  EXPECT_EQ(batch->headerItem()->text(7), "p");
  EXPECT_EQ(batch->headerItem()->text(8), "N");
  EXPECT_EQ(batch->headerItem()->text(20), "Rep. rate");
}

TEST_F(MainWindowTest, OpeningThreeFilesListsAllAndReadsOnlyTheFirst) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen(
      {Daten("horse-kicks.dat"), Daten("alpha-particles.dat"), Daten("shell-accidents.dat")});
  const auto* liste = Kind<QListWidget>(*f, "LBEingabeDaten");
  ASSERT_EQ(liste->count(), 3);
  EXPECT_EQ(liste->item(1)->text(), Daten("alpha-particles.dat"));
  EXPECT_EQ(liste->currentRow(), 0);
  EXPECT_TRUE(f->DatenVorhanden());
  EXPECT_TRUE(Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->isEnabled());
  EXPECT_TRUE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  // Bortkiewicz: 200 corps-years, mean 0.61, variance 0.6079.
  EXPECT_EQ(Text(*f, "NumEdTOT"), "200");
  EXPECT_EQ(Text(*f, "NumEdMoment1"), "0.6100");
  EXPECT_EQ(Text(*f, "NumEdMoment2"), "0.6079");
  const auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  ASSERT_EQ(daten->topLevelItemCount(), 5);
  EXPECT_EQ(Zeile(daten, 0), (QStringList{"0", "109", "0.00"}));
  EXPECT_EQ(Zeile(daten, 4), (QStringList{"4", "1", "0.00"}));
  EXPECT_TRUE(warnungen.isEmpty());
}

TEST_F(MainWindowTest, SelectingAnotherFileReadsItAndFillsTheGaps) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("horse-kicks.dat"), Daten("alpha-particles.dat")});
  auto* liste = Kind<QListWidget>(*f, "LBEingabeDaten");
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                    liste->visualItemRect(liste->item(1)).center());
  EXPECT_EQ(Text(*f, "NumEdTOT"), "2608");
  const auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  // x = 12 is missing in the file and listed with frequency 0.
  ASSERT_EQ(daten->topLevelItemCount(), 15);
  EXPECT_EQ(Zeile(daten, 12), (QStringList{"12", "0", "0.00"}));
}

TEST_F(MainWindowTest, FractionalFrequenciesAreListedAndChartedTruncated) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Schreiben("bruch.dat", "0 4.7\n1 3\n2 2.2\n3 1\n")});
  const auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  ASSERT_EQ(daten->topLevelItemCount(), 4);
  EXPECT_EQ(daten->topLevelItem(0)->text(1), "4");
  EXPECT_EQ(daten->topLevelItem(2)->text(1), "2");
  Kind<QAction>(*f, "TBBtnDiagramm")->trigger();
  ASSERT_TRUE(f->Diagramm()->isVisible());
  EXPECT_EQ(f->Diagramm()->SeriePunkte(1), 4);
  // The chart draws the list as shown: 4, not 4.7, is the largest value (+10 % of 4 - 0).
  EXPECT_NEAR(f->Diagramm()->AchseMax(), 4.4, vk::test::kTight);
}

TEST_F(MainWindowTest, FailedReadWarnsKeepsTheDisplayAndDisablesFitting) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  const QString kaputt = Schreiben("kaputt.dat", "0 5\n1 3\n0 2\n");
  f->DateienOeffnen({Daten("horse-kicks.dat"), kaputt});
  auto* liste = Kind<QListWidget>(*f, "LBEingabeDaten");
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                    liste->visualItemRect(liste->item(1)).center());
  ASSERT_EQ(warnungen.size(), 1);
  EXPECT_EQ(warnungen[0],
            "Error encountered while scanning input data; debug info: Error in data\n"
            "line 3: x must be greater than the previous record's x");
  EXPECT_FALSE(f->DatenVorhanden());
  EXPECT_EQ(Text(*f, "NumEdTOT"), "200");
  EXPECT_EQ(Kind<QTreeWidget>(*f, "LVDaten")->topLevelItemCount(), 5);
  EXPECT_FALSE(Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->isEnabled());
  EXPECT_FALSE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  EXPECT_FALSE(Kind<QAction>(*f, "TBBtnDiagramm")->isEnabled());
}

TEST_F(MainWindowTest, AssistedSelectionListsByTheFirstValueOfTheData) {
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    s.setValue("FitPar/AuswahlHilfe", "1");
  }
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  auto* hilfe = Kind<QCheckBox>(*f, "CBNFAuswahlhilfe");
  auto* box = Kind<QComboBox>(*f, "CBNFVerteilung");
  ASSERT_TRUE(hilfe->isChecked());
  EXPECT_EQ(box->count(), 0) << "no data: nothing to choose from";

  // Reading data does not refill the list; switching the box off and on does.
  f->DateienOeffnen({Daten("gpl3-word-syllables.dat")});
  EXPECT_EQ(box->count(), 0);
  QTest::mouseClick(hilfe, Qt::LeftButton);
  EXPECT_EQ(box->count(), 3);
  QTest::mouseClick(hilfe, Qt::LeftButton);
  EXPECT_EQ(Eintraege(box), (QStringList{"Binomial", "Poisson-stopped negative binomial (Katz)"}));

  // "Fit" with nothing to choose must not start anything.
  f->DateienOeffnen({Daten("horse-kicks.dat")});
  QTest::mouseClick(hilfe, Qt::LeftButton);
  QTest::mouseClick(hilfe, Qt::LeftButton);
  EXPECT_EQ(box->count(), 3) << "data starting at 0 admit Hyper-Pascal";
}

TEST_F(MainWindowTest, ClosingStoresBothWindowsAndTheCriteria) {
  const auto katalog = TestKatalog();
  {
    auto f = Fenster(katalog);
    Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
    f->Diagramm()->resize(700, 480);
    EXPECT_TRUE(f->close());
  }
  TAnzeigeeinstellungen p;
  FitParLesen(p);
  EXPECT_TRUE(p.NurBesteMethode);
  EXPECT_FALSE(p.AuswahlHilfe);
  EXPECT_EQ(p.GrafFensterW, 700);
  EXPECT_EQ(p.GrafFensterH, 480);
  QSettings s("Tessaro", "Vostra-Kalibra");
  EXPECT_EQ(s.value("OptPar/Optimierungsversuche").toString(), "320");
  EXPECT_EQ(s.value("OptPar/Reflektionsweite").toString(), "1");
  for (const char* name : {"KalibraFensterX", "KalibraFensterY", "GrafFensterX", "GrafFensterY"})
    EXPECT_TRUE(s.contains(QString("FitPar/") + name)) << name;
  EXPECT_EQ(s.value("OptPar/Verfeinerung").toString(), "0");
  // The standard errors' options, off as they were: no bootstrap, seed 1, no curvature,
  // percentile intervals.
  EXPECT_EQ(s.value("Inferenz/Bootstrap").toString(), "0");
  EXPECT_EQ(s.value("Inferenz/Seed").toString(), "1");
  EXPECT_EQ(s.value("Inferenz/Kruemmung").toString(), "0");
  EXPECT_EQ(s.value("Inferenz/Intervall").toString(), "percentile");
  EXPECT_EQ(s.allKeys().size(), 20);

  // The next start takes them up again.
  auto f = Fenster(katalog);
  EXPECT_TRUE(Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->isChecked());
  EXPECT_EQ(f->Diagramm()->width(), 700);
}

// Saved geometry from another screen or a damaged store: a chart width of 2^31 - 1 once
// overflowed inside Qt's geometry arithmetic on closing and was written back. Both windows land
// on the screens, and what is written is clamped too.
TEST_F(MainWindowTest, ExtremeSavedGeometryIsClampedOnReadingAndWriting) {
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    s.setValue("FitPar/GrafFensterX", "-2147483648");
    s.setValue("FitPar/GrafFensterY", "2147483647");
    s.setValue("FitPar/GrafFensterW", "2147483647");
    s.setValue("FitPar/GrafFensterH", "2147483647");
    s.setValue("FitPar/KalibraFensterX", "2147483647");
    s.setValue("FitPar/KalibraFensterY", "-2147483648");
  }
  const auto katalog = TestKatalog();
  QRect flaeche;
  for (const QScreen* b : QGuiApplication::screens())
    flaeche = flaeche.united(b->availableGeometry());
  {
    auto f = Fenster(katalog);
    EXPECT_TRUE(flaeche.contains(f->Diagramm()->geometry())) << "chart window";
    EXPECT_TRUE(flaeche.contains(f->geometry().topLeft())) << "main window";
    EXPECT_TRUE(f->close());
  }
  TAnzeigeeinstellungen p;
  FitParLesen(p);
  EXPECT_TRUE(
      flaeche.contains(QRect(p.GrafFensterX, p.GrafFensterY, p.GrafFensterW, p.GrafFensterH)));
  EXPECT_TRUE(flaeche.contains(QPoint(p.KalibraFensterX, p.KalibraFensterY)));
}

// A saved criterion no fit can use is replaced by its default, and the user is told which.
TEST_F(MainWindowTest, UnusableSavedCriteriaAreReplacedAndNamed) {
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    s.setValue("OptPar/Reflektionsweite", "nan");
  }
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QCoreApplication::processEvents();
  EXPECT_EQ(f->Engine().Einstellungen().Reflektionsweite, 1.0);
  ASSERT_EQ(warnungen.size(), 1);
  EXPECT_TRUE(warnungen[0].contains(
      "OptPar/Reflektionsweite = 'nan' is not a number above 0 and at most 100; the default 1 is "
      "used"))
      << warnungen[0].toStdString();
  EXPECT_TRUE(f->close());
  EXPECT_EQ(QSettings("Tessaro", "Vostra-Kalibra").value("OptPar/Reflektionsweite").toString(),
            "1");
}

// The warning named inf, nan and "maybe" but replaced "abc", 1e400, -1 and 99999999999 in
// silence. Every value replaced is named once, with its key and its text, in one message.
TEST_F(MainWindowTest, EveryReplacedSettingIsNamedOnceWithKeyAndValue) {
  const struct {
    const char* schluessel;
    const char* text;
  } faelle[] = {
      {"OptPar/Reflektionsweite", "abc"},    {"OptPar/Expansionsweite", "1e400"},
      {"OptPar/Kontraktionsgröße", "-1"},    {"OptPar/Optimierungsversuche", "99999999999"},
      {"OptPar/Abbruchkriterium", "inf"},    {"OptPar/Mindestklassengröße", "nan"},
      {"OptPar/Verfeinerung", "maybe"},      {"FitPar/NurBesteMethode", "maybe"},
      {"FitPar/KalibraFensterX", "abc"},     {"FitPar/KalibraFensterY", "99999999999"},
      {"FitPar/GrafFensterW", "1e400"},      {"FitPar/GrafFensterH", "-1"},
      {"FitPar/GrafFensterX", "-2147483649"}};
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    for (const auto& c : faelle) s.setValue(QString::fromUtf8(c.schluessel), c.text);
    // Usable values are taken without a word.
    s.setValue("FitPar/AuswahlHilfe", "1");
    s.setValue("FitPar/GrafFensterY", "-20");
  }
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QCoreApplication::processEvents();
  ASSERT_EQ(warnungen.size(), 1);
  const QString& text = warnungen[0];
  for (const auto& c : faelle) {
    const QString genannt =
        QString("setting %1 = '%2' ").arg(QString::fromUtf8(c.schluessel), c.text);
    EXPECT_EQ(text.count(genannt), 1) << genannt << "\n" << text;
  }
  EXPECT_EQ(text.count("setting "), static_cast<qsizetype>(std::size(faelle))) << text;
  EXPECT_FALSE(text.contains("AuswahlHilfe")) << text;
  EXPECT_FALSE(text.contains("GrafFensterY")) << text;
  // The defaults are in force.
  EXPECT_FALSE(Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->isChecked());
  EXPECT_TRUE(Kind<QCheckBox>(*f, "CBNFAuswahlhilfe")->isChecked());
  EXPECT_EQ(f->Engine().Einstellungen().Optimierungsversuche, 320u);
  EXPECT_EQ(f->Engine().Einstellungen().Reflektionsweite, 1.0);
}

}  // namespace
}  // namespace vk::ui::test

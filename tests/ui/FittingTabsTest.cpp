// SPDX-License-Identifier: GPL-3.0-or-later
// The selected, automatic and batch fittings as the user drives them.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cmath>

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHelpEvent>
#include <QToolTip>

#include "core/DatenDatei.h"
#include "core/Status.h"
#include "fitting/Anpassungsguete.h"
#include "tests/ui/UiFixture.h"
#include "ui/DlgFestparameter.h"
#include "ui/FrmDiagramm.h"
#include "ui/Listen.h"
#include "ui/TabBausteine.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui::test {
namespace {

// Rejects every modal dialog that opens while it lives.
class DialogAblehner {
 public:
  DialogAblehner() {
    zeitgeber_.setInterval(1);
    QObject::connect(&zeitgeber_, &QTimer::timeout, [this] {
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        ++abgelehnt;
        d->reject();
      }
    });
    zeitgeber_.start();
  }
  int abgelehnt = 0;

 private:
  QTimer zeitgeber_;
};

class SelectedFittingTest : public UiTest {};

// A fit that ends without a result leaves no expected frequencies behind, so the chart drawn
// under the new distribution's name cannot show an earlier fit.
TEST_F(SelectedFittingTest, AFailedFitLeavesNoExpectedFrequencies) {
  struct Fall {
    const char* was;
    const char* festparameter;  // the Binomial's fixed parameter, if any
    const char* ergebnis;
  };
  const Fall faelle[] = {{"Cancel after a reported method", nullptr, "Abort"},
                         {"fixed-parameter dialog cancelled", "g1", "Skip/Abort by user"}};
  for (const Fall& c : faelle) {
    const auto katalog = TestKatalog(c.festparameter);
    auto f = Fenster(katalog);
    f->DateienOeffnen({Daten("alpha-particles.dat")});
    auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
    auto* nurBeste = Kind<QCheckBox>(*f, "CBNFNurBesteMethode");
    // A good fit first, so that there is something to leave behind.
    nurBeste->setChecked(true);
    if (c.festparameter != nullptr)
      BeiDialog([](QWidget* d) {
        d->findChild<QLineEdit*>("NumEdFestparameter1")->setText("14");
        static_cast<QDialog*>(d)->accept();
      });
    Anpassen(*f);
    ASSERT_EQ(Text(*f, "EdNFErgebnis"), "OK") << c.was;
    ASSERT_GT(NPSumme(daten), 2000) << c.was;

    if (c.festparameter == nullptr) {
      // Method by method: go on after the first, cancel at the second.
      nurBeste->setChecked(false);
      auto* weiter = Kind<QPushButton>(*f, "BtnNFNaechsteMethode");
      int gesehen = 0;
      QTimer klicker;
      klicker.setInterval(5);
      QObject::connect(&klicker, &QTimer::timeout, [&] {
        if (!weiter->isEnabled()) return;
        QTest::mouseClick(++gesehen == 1 ? weiter : Kind<QPushButton>(*f, "BtnNFAbbruch"),
                          Qt::LeftButton);
      });
      klicker.start();
      Anpassen(*f);
      klicker.stop();
    } else {
      BeiDialog([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
      Anpassen(*f);
    }
    EXPECT_EQ(Text(*f, "EdNFErgebnis"), c.ergebnis) << c.was;
    for (int i = 0; i < daten->topLevelItemCount(); ++i)
      EXPECT_EQ(daten->topLevelItem(i)->text(2), "0.00") << c.was << ", class " << i;
    Kind<QAction>(*f, "TBBtnDiagramm")->trigger();
    const QList<double> np = Balken(f->Diagramm(), 1);
    // No fit: the chart draws no NP.
    EXPECT_FALSE(f->Diagramm()->ZeigtAnpassung()) << c.was;
    EXPECT_TRUE(np.isEmpty()) << c.was;
    EXPECT_TRUE(std::all_of(np.begin(), np.end(), [](double v) { return v == 0; })) << c.was;
  }
}

TEST_F(SelectedFittingTest, MethodByMethodWaitsForNextMethodAndEndsWithTheBest) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  auto* weiter = Kind<QPushButton>(*f, "BtnNFNaechsteMethode");
  auto* abbruch = Kind<QPushButton>(*f, "BtnNFAbbruch");
  EXPECT_FALSE(weiter->isEnabled());

  // While the fit waits, the window is live: record what each method shows, then go on.
  QStringList methoden, ergebnisse;
  bool optionenGesperrt = true, abbruchFrei = true;
  QTimer klicker;
  klicker.setInterval(5);
  QObject::connect(&klicker, &QTimer::timeout, [&] {
    if (!weiter->isEnabled()) return;
    methoden << Text(*f, "NumEdNFMethode") + "/" + Text(*f, "NumEdNFAlternativen");
    ergebnisse << Text(*f, "EdNFErgebnis");
    optionenGesperrt = optionenGesperrt && !Kind<QAction>(*f, "TBBtnOptionen")->isEnabled();
    abbruchFrei = abbruchFrei && abbruch->isEnabled();
    QTest::mouseClick(weiter, Qt::LeftButton);
  });
  klicker.start();
  Anpassen(*f);
  klicker.stop();

  EXPECT_EQ(methoden, (QStringList{"1/6", "2/6", "3/6", "4/6", "5/6", "6/6"}));
  EXPECT_TRUE(optionenGesperrt) << "the criteria cannot change during a fit";
  EXPECT_TRUE(abbruchFrei);
  EXPECT_TRUE(ergebnisse.contains("OK"));
  EXPECT_FALSE(weiter->isEnabled());
  EXPECT_FALSE(abbruch->isEnabled());
  EXPECT_EQ(Kind<QLabel>(*f, "LblNFMethode")->text(), "Best method");
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "OK");
  EXPECT_FALSE(f->InAnpassung());
  EXPECT_TRUE(Kind<QAction>(*f, "TBBtnGo")->isEnabled());
  // The figures are those of the engine's best method, in the field formats.
  const auto& beste = f->Engine().Beste();
  EXPECT_EQ(Text(*f, "NumEdNFPChi2"), Fest(beste.p, 4));
  EXPECT_EQ(Text(*f, "NumedNFChi2"), Fest(beste.chi, 4));
  EXPECT_EQ(Text(*f, "NumEdNFFG"), QString::number(beste.fg));
  const auto* parameter = Kind<QTreeWidget>(*f, "LVNFParameter");
  ASSERT_EQ(parameter->topLevelItemCount(), 2);
  EXPECT_EQ(parameter->topLevelItem(0)->text(0), "n");
  EXPECT_EQ(parameter->topLevelItem(1)->text(0), "p");
  // The expected frequencies of the best fit replace the zeros and add up to N.
  EXPECT_NEAR(NPSumme(Kind<QTreeWidget>(*f, "LVDaten")), 2608, 0.01 * 15);
}

TEST_F(SelectedFittingTest, CancelWhileWaitingAbortsAndClearsTheDisplay) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  auto* abbruch = Kind<QPushButton>(*f, "BtnNFAbbruch");
  auto* weiter = Kind<QPushButton>(*f, "BtnNFNaechsteMethode");
  QString ersteMethode;
  QTimer klicker;
  klicker.setInterval(5);
  QObject::connect(&klicker, &QTimer::timeout, [&] {
    if (!weiter->isEnabled() || !ersteMethode.isEmpty()) return;
    ersteMethode = Text(*f, "NumEdNFMethode");
    QTest::mouseClick(abbruch, Qt::LeftButton);
  });
  klicker.start();
  Anpassen(*f);
  klicker.stop();

  EXPECT_EQ(ersteMethode, "1");
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "Abort");
  EXPECT_EQ(Text(*f, "NumEdNFPChi2"), "0.0000");
  EXPECT_EQ(Text(*f, "NumEdNFMethode"), "0");
  EXPECT_EQ(Kind<QTreeWidget>(*f, "LVNFParameter")->topLevelItemCount(), 0);
  EXPECT_EQ(Kind<QLabel>(*f, "LblNFMethode")->text(), "Method");
  EXPECT_FALSE(f->InAnpassung());
  EXPECT_TRUE(Kind<QAction>(*f, "TBBtnOptionen")->isEnabled());
  EXPECT_TRUE(Kind<QPushButton>(*f, "RfBtnEingabeDaten")->isEnabled());
}

TEST_F(SelectedFittingTest, OnlyBestMethodNeverWaits) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  bool gewartet = false;
  QTimer beobachter;
  beobachter.setInterval(1);
  QObject::connect(&beobachter, &QTimer::timeout, [&] {
    gewartet = gewartet || Kind<QPushButton>(*f, "BtnNFNaechsteMethode")->isEnabled();
  });
  beobachter.start();
  Anpassen(*f);
  beobachter.stop();
  EXPECT_FALSE(gewartet);
  EXPECT_EQ(Kind<QLabel>(*f, "LblNFMethode")->text(), "Best method");
  EXPECT_EQ(Text(*f, "NumEdNFMethode"), QString::number(f->Engine().BesteAlternative()));
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "OK");
}

// With "Refine" on, a result the refinement improved is marked: "OK (refined)" in the selected
// tab, the name in italics with a note over the figures in the automatic list.
TEST_F(SelectedFittingTest, RefinedResultsAreMarked) {
  QSettings("Tessaro", "Vostra-Kalibra").setValue("OptPar/Verfeinerung", "1");
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  ASSERT_TRUE(f->Engine().Einstellungen().Verfeinerung);
  f->DateienOeffnen({Daten("shell-accidents.dat")});
  auto* verteilung = Kind<QComboBox>(*f, "CBNFVerteilung");
  verteilung->setCurrentIndex(verteilung->findText("Hyper-Pascal"));
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  Anpassen(*f);
  ASSERT_TRUE(f->Engine().Beste().verfeinert);
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "OK (refined)");

  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(1);
  Anpassen(*f);
  const auto* liste = Kind<QTreeWidget>(*f, "LVAFAutomatik");
  int verfeinert = 0;
  for (int i = 0; i < liste->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* z = liste->topLevelItem(i);
    const bool markiert = z->font(0).italic();
    verfeinert += markiert ? 1 : 0;
    // The refined mark leads; an incomplete refinement adds its own line.
    EXPECT_EQ(z->toolTip(kSpChi).startsWith(kVerfeinertHinweis), markiert) << i;
    const QString rest = z->toolTip(kSpChi).mid(markiert ? QString(kVerfeinertHinweis).size() : 0);
    EXPECT_TRUE(rest.isEmpty() || rest == (markiert ? "\n" : "") + QString(kUnvollstaendigHinweis))
        << i << ": " << z->toolTip(kSpChi);
    EXPECT_FALSE(z->font(kSpChi).italic()) << "the figures keep the font their columns fit";
  }
  EXPECT_GE(verfeinert, 1);
}

TEST_F(SelectedFittingTest, FixedParameterWithoutAutomaticValueIsAskedFor) {
  const auto katalog = TestKatalog("g1");
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  QString beschreibung;
  bool zweiteZeileSichtbar = true;
  BeiDialog([&](QWidget* d) {
    beschreibung = d->findChild<QLabel*>("LblBeschreibung1")->text();
    zweiteZeileSichtbar = d->findChild<QWidget*>("NumEdFestparameter2")->isVisible();
    auto* feld = d->findChild<QLineEdit*>("NumEdFestparameter1");
    feld->setText("7");
    static_cast<QDialog*>(d)->accept();
  });
  Anpassen(*f);
  EXPECT_EQ(beschreibung, "Number of trials");
  EXPECT_FALSE(zweiteZeileSichtbar);
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "OK");
  const auto* parameter = Kind<QTreeWidget>(*f, "LVNFParameter");
  ASSERT_EQ(parameter->topLevelItemCount(), 3);
  EXPECT_EQ(parameter->topLevelItem(2)->text(0), "N0 (fixed)");
  EXPECT_EQ(parameter->topLevelItem(2)->text(1), "7.0000");
}

TEST_F(SelectedFittingTest, CancellingTheFixedParameterDialogSkips) {
  const auto katalog = TestKatalog("g1");
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  BeiDialog([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  Anpassen(*f);
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "Skip/Abort by user");
  EXPECT_FALSE(f->InAnpassung());
}

TEST_F(SelectedFittingTest, AutomaticValueOfAFixedParameterNeedsNoDialog) {
  const auto katalog = TestKatalog("g1=xN");
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  bool dialog = false;
  QTimer beobachter;
  beobachter.setInterval(1);
  QObject::connect(&beobachter, &QTimer::timeout, [&] {
    if (QApplication::activeModalWidget() != nullptr) {
      dialog = true;
      static_cast<QDialog*>(QApplication::activeModalWidget())->reject();
    }
  });
  beobachter.start();
  Anpassen(*f);
  beobachter.stop();
  EXPECT_FALSE(dialog);
  const auto* parameter = Kind<QTreeWidget>(*f, "LVNFParameter");
  ASSERT_EQ(parameter->topLevelItemCount(), 3);
  EXPECT_EQ(parameter->topLevelItem(2)->text(1), "14.0000") << "x of the last class";
}

// A long fit runs beside the window: "Fit" returns at once, the window goes on handling events,
// and Cancel ends the fit within moments, on every tab that fits the data directly. The data
// have 3000 classes, on which the Katz member alone needs many seconds.
TEST_F(UiTest, LongFitsLeaveTheWindowLiveAndEndSoonAfterCancel) {
  QByteArray inhalt;
  for (int x = 0; x < 3000; ++x)
    inhalt += QByteArray::number(x) + " " + QByteArray::number(1 + x % 7) + "\n";
  const QString datei = Schreiben("lang.dat", inhalt.constData());
  struct Fall {
    int tab;
    const char* abbrechen;
  };
  const Fall faelle[] = {{0, "BtnNFAbbruch"}, {1, "BtnAFAbbrechen"}, {3, "BtnBFAbbrechen"}};
  for (const Fall& c : faelle) {
    const auto katalog = TestKatalog();
    auto f = Fenster(katalog);
    f->DateienOeffnen({datei});
    Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(c.tab);
    auto* verteilung = f->findChild<QComboBox*>(c.tab == 0 ? "CBNFVerteilung" : "CBBFVerteilung");
    verteilung->setCurrentIndex(verteilung->findText("Poisson-stopped negative binomial (Katz)"));
    Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
    Kind<QAction>(*f, "TBBtnGo")->trigger();
    ASSERT_TRUE(f->InAnpassung()) << "tab " << c.tab << ": the fit ran inside the click";
    // An event handled while the fit runs: the window is live.
    bool zugestellt = false, waehrendDerAnpassung = false;
    QTimer::singleShot(0, [&] {
      zugestellt = true;
      waehrendDerAnpassung = f->InAnpassung();
    });
    ASSERT_TRUE(Warten([&] { return zugestellt; }, 5000)) << "tab " << c.tab;
    EXPECT_TRUE(waehrendDerAnpassung) << "tab " << c.tab << ": the window stood still";
    ASSERT_TRUE(f->InAnpassung()) << "tab " << c.tab;
    QTest::mouseClick(Kind<QPushButton>(*f, c.abbrechen), Qt::LeftButton);
    EXPECT_TRUE(Warten([&] { return !f->InAnpassung(); }, 5000)) << "tab " << c.tab;
    EXPECT_TRUE(Kind<QAction>(*f, "TBBtnGo")->isEnabled()) << "tab " << c.tab;
  }
}

class AutomaticFittingTest : public UiTest {
 protected:
  // A window with the alpha particles fitted on the automatic tab, and its result list.
  std::unique_ptr<TFrmMain> AlphaAutomatisch(QTreeWidget*& liste) {
    auto f = Fenster(alphaKatalog);
    f->DateienOeffnen({Daten("alpha-particles.dat")});
    Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(1);
    Anpassen(*f);
    liste = Kind<QTreeWidget>(*f, "LVAFAutomatik");
    return f;
  }

  const Verteilungsverzeichnis alphaKatalog = TestKatalog();
};

TEST_F(AutomaticFittingTest, ListsEachFittedDistributionColouredByQuality) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(1);
  QStringList fortschritt;
  auto* balken = Kind<QProgressBar>(*f, "PrgStatFortschritt");
  QObject::connect(balken, &QProgressBar::valueChanged, [&] {
    if (f->InAnpassung() && balken->isTextVisible()) fortschritt << balken->text();
  });
  Anpassen(*f);

  const auto* liste = Kind<QTreeWidget>(*f, "LVAFAutomatik");
  ASSERT_GE(liste->topLevelItemCount(), 2);
  for (int i = 0; i < liste->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* z = liste->topLevelItem(i);
    EXPECT_EQ(z->background(2).color(), FarbePChi(ZahlAusText(z->text(2)))) << i;
    EXPECT_EQ(z->background(3).color(), FarbeKontingenz(ZahlAusText(z->text(3)))) << i;
    EXPECT_EQ(z->background(1).style(), Qt::NoBrush) << "other cells stay white";
    EXPECT_EQ(z->text(1).section('.', 1).size(), 2) << "X² with two decimals";
  }
  // The progress counted the distributions and lost its percentage at the end.
  EXPECT_TRUE(fortschritt.contains("33%") || fortschritt.contains("67%")) << fortschritt.join(",");
  EXPECT_FALSE(balken->isTextVisible());
  EXPECT_FALSE(f->InAnpassung());
}

// No figure is cut off; a cell too narrow for its text shows the whole of it as a tooltip.
TEST_F(AutomaticFittingTest, FiguresFitTheirColumnsAndCutTextsHaveTooltips) {
  QTreeWidget* liste = nullptr;
  auto f = AlphaAutomatisch(liste);
  ASSERT_GE(liste->topLevelItemCount(), 2);
  QApplication::processEvents();
  // What the view's delegate and header ask for, by the style's measures.
  QStyleOptionViewItem option;
  option.initFrom(liste->viewport());
  option.font = liste->font();
  option.fontMetrics = liste->fontMetrics();
  for (int s = 1; s <= 5; ++s) {
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
      const QModelIndex zelle = liste->model()->index(i, s);
      EXPECT_GE(liste->columnWidth(s), liste->itemDelegate()->sizeHint(option, zelle).width())
          << liste->headerItem()->text(s) << " " << zelle.data().toString();
    }
    EXPECT_GE(liste->columnWidth(s), liste->header()->sectionSizeHint(s))
        << liste->headerItem()->text(s);
  }
  // Every figure, R² included, is in view without scrolling.
  EXPECT_LE(liste->columnViewportPosition(5) + liste->columnWidth(5), liste->viewport()->width());

  const auto hinweis = [&](QTreeWidgetItem* z, int s) {
    QToolTip::hideText();
    const QRect r = liste->visualItemRect(z);
    const QPoint p(liste->columnViewportPosition(s) + 3, r.center().y());
    QHelpEvent e(QEvent::ToolTip, p, liste->viewport()->mapToGlobal(p));
    QApplication::sendEvent(liste->viewport(), &e);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  QTreeWidgetItem* z = liste->topLevelItem(0);
  EXPECT_EQ(hinweis(z, 0), QString()) << "a name shown whole needs no tooltip";
  liste->setColumnWidth(0, 30);
  QApplication::processEvents();
  EXPECT_EQ(hinweis(z, 0), z->text(0));
  QToolTip::hideText();
}

TEST_F(AutomaticFittingTest, ColumnClicksSortBestFirstThenReverseThenAscending) {
  QTreeWidget* liste = nullptr;
  auto f = AlphaAutomatisch(liste);
  ASSERT_GE(liste->topLevelItemCount(), 2);
  const auto spalte = [&](int s) {
    std::vector<double> v;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
      v.push_back(ZahlAusText(liste->topLevelItem(i)->text(s)));
    return v;
  };
  KopfKlicken(liste, 2);
  auto p = spalte(2);
  EXPECT_TRUE(std::is_sorted(p.rbegin(), p.rend())) << "best fits first";
  EXPECT_EQ(liste->header()->sortIndicatorOrder(), Qt::DescendingOrder);
  KopfKlicken(liste, 2);
  p = spalte(2);
  EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
  KopfKlicken(liste, 2);
  p = spalte(2);
  EXPECT_TRUE(std::is_sorted(p.rbegin(), p.rend())) << "a third click acts like the first";
  KopfKlicken(liste, 4);
  const auto fg = spalte(4);
  EXPECT_TRUE(std::is_sorted(fg.begin(), fg.end()));
  EXPECT_EQ(liste->header()->sortIndicatorSection(), 4);
  // The row objects travel with their rows.
  for (int i = 0; i < liste->topLevelItemCount(); ++i) {
    auto* z = dynamic_cast<AutomatikZeile*>(liste->topLevelItem(i));
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(QString::fromStdString(z->obj.Verteilung.Bezeichnung), z->text(0));
  }
}

TEST_F(AutomaticFittingTest, DoubleClickOnARowFitsThatDistributionOnTheSelectedTab) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  auto* tabs = Kind<QTabWidget>(*f, "PgCtrlAnpassungen");
  tabs->setCurrentIndex(1);
  Anpassen(*f);
  auto* liste = Kind<QTreeWidget>(*f, "LVAFAutomatik");
  ASSERT_GE(liste->topLevelItemCount(), 1);
  QTreeWidgetItem* letzte = liste->topLevelItem(liste->topLevelItemCount() - 1);
  const QString name = letzte->text(0);
  Klicken(liste, letzte, true);
  ASSERT_TRUE(Warten([&] { return !f->InAnpassung(); }));
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(Kind<QComboBox>(*f, "CBNFVerteilung")->currentText(), name);
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "OK");
  EXPECT_EQ(Text(*f, "NumEdNFPChi2"), letzte->text(2));
}

TEST(ListColours, BoundariesOfPAndC) {
  EXPECT_EQ(FarbePChi(0.05), kGruen);
  EXPECT_EQ(FarbePChi(0.0499), kGelb);
  EXPECT_EQ(FarbePChi(0.01), kGelb);
  EXPECT_EQ(FarbePChi(0.0099), kRot);
  EXPECT_EQ(FarbeKontingenz(0.01), kGruen);
  EXPECT_EQ(FarbeKontingenz(0.015), kGelb);
  EXPECT_EQ(FarbeKontingenz(0.0151), kRot);
  EXPECT_EQ(kGruen, QColor(0xA8, 0xFF, 0xA8));
}

TEST(ListText, CaseOfAToZIgnoredOtherCodesCompared) {
  EXPECT_EQ(TextVergleich("binomial", "BINOMIAL"), 0);
  EXPECT_LT(TextVergleich("abc", "ABD"), 0);
  EXPECT_LT(TextVergleich("Zeta", "_x"), 0) << "'Z' (90) before '_' (95)";
  EXPECT_GT(TextVergleich("", "a"), 0) << "empty text last";
  EXPECT_LT(TextVergleich("Pois", "Poisson"), 0);
  EXPECT_NE(TextVergleich("\u00e4", "\u00c4"), 0) << "only a-z fold";
}

class BatchFittingTest : public UiTest {
 protected:
  // The batch of the default distribution over the alpha particles and the horse kicks.
  QTreeWidget* BatchUeberZweiDateien(TFrmMain& f) {
    f.DateienOeffnen({Daten("alpha-particles.dat"), Daten("horse-kicks.dat")});
    Kind<QTabWidget>(f, "PgCtrlAnpassungen")->setCurrentIndex(3);
    Anpassen(f);
    return Kind<QTreeWidget>(f, "LVBFBatch");
  }
  // The first of the two rows, clicked; null when the batch did not list two.
  BatchZeile* ErsteZeileAngeklickt(QTreeWidget* liste) {
    EXPECT_EQ(liste->topLevelItemCount(), 2);
    if (liste->topLevelItemCount() != 2) return nullptr;
    auto* zeile = dynamic_cast<BatchZeile*>(liste->topLevelItem(0));
    if (zeile != nullptr) Klicken(liste, zeile, false);
    return zeile;
  }
};

TEST_F(BatchFittingTest, UnreadableFileIsWarnedAboutAndSkipped) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  const QString kaputt = Schreiben("leer.dat", "");
  f->DateienOeffnen({Daten("horse-kicks.dat"), kaputt, Daten("alpha-particles.dat")});
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(3);
  EXPECT_FALSE(Kind<QListWidget>(*f, "LBEingabeDaten")->isEnabled());
  Anpassen(*f);

  ASSERT_EQ(warnungen.size(), 1);
  EXPECT_EQ(warnungen[0], "Error encountered while scanning input data (" + kaputt +
                              "); debug info: No data available\n"
                              "the file holds no record (it is empty or only white space)");
  const auto* liste = Kind<QTreeWidget>(*f, "LVBFBatch");
  ASSERT_EQ(liste->topLevelItemCount(), 2);
  const QTreeWidgetItem* alpha = liste->topLevelItem(1);
  EXPECT_EQ(alpha->text(0), Daten("alpha-particles.dat"));
  // Columns: 0 file, 1..5 results, 6 n, 7 p, 8 N, 9 x-max, 10 NP1, 11..14 m1..m4, 15 Ord I,
  // 16 Ord S, 17 Skewness, ...
  EXPECT_EQ(alpha->text(8), "2608");
  EXPECT_EQ(alpha->text(9), "14");
  TDatensatz d;
  TDateneigenschaften e;
  std::string detail;
  ASSERT_EQ(DateiLesen(Daten("alpha-particles.dat").toStdString(), d, e, detail), 0u);
  EXPECT_EQ(alpha->text(11), Fest(e.m1, 4));
  EXPECT_EQ(alpha->text(15), Fest(e.ord_i, 4));
  EXPECT_EQ(alpha->text(17), Fest(e.schiefe, 4));
  EXPECT_NE(alpha->text(2), "0.0000") << "the fit's P(X²)";
  EXPECT_NE(alpha->text(7), "0.0000") << "the fitted p";
  EXPECT_NE(alpha->text(10), "0.0000") << "NP of class 0";
  auto* obj = dynamic_cast<const BatchZeile*>(alpha);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(Fest(obj->obj->Anpassung.PChi, 4), alpha->text(2));
  EXPECT_EQ(Fest(obj->obj->Daten[0].NP, 4), alpha->text(10));
  EXPECT_FALSE(f->InAnpassung());

  // Opening files empties the batch list.
  f->DateienOeffnen({Daten("horse-kicks.dat")});
  EXPECT_EQ(liste->topLevelItemCount(), 0);
}

TEST_F(BatchFittingTest, SelectingARowShowsItsFileAndItsFit) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  auto* liste = BatchUeberZweiDateien(*f);
  auto* zeile = ErsteZeileAngeklickt(liste);
  ASSERT_NE(zeile, nullptr);
  EXPECT_EQ(Kind<QListWidget>(*f, "LBEingabeDaten")->currentRow(), 0);
  EXPECT_EQ(Text(*f, "NumEdTOT"), "2608");
  const auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  ASSERT_EQ(daten->topLevelItemCount(), 15);
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(daten->topLevelItem(i)->text(2),
              Fest(zeile->obj->Daten[static_cast<std::size_t>(i)].NP, 2));
  EXPECT_NEAR(NPSumme(daten), 2608, 0.15);

  // A double click fits the batch distribution on that file on the selected tab.
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  Klicken(liste, liste->topLevelItem(0), true);
  ASSERT_TRUE(Warten([&] { return !f->InAnpassung(); }));
  EXPECT_EQ(Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->currentIndex(), 0);
  EXPECT_EQ(Text(*f, "EdNFErgebnis"), "OK");
  EXPECT_EQ(Text(*f, "NumEdNFPChi2"), liste->topLevelItem(0)->text(2));
}

// After a batch the engine holds the last file read; the input list, the data list and the chart
// must name and show that same file, with its fit. The chart once drew the last file's data
// under the name of the file highlighted before the batch.
TEST_F(BatchFittingTest, AfterABatchTheChartDrawsTheFileItNames) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  auto* liste = BatchUeberZweiDateien(*f);
  ASSERT_EQ(liste->topLevelItemCount(), 2);
  auto* zeile = dynamic_cast<BatchZeile*>(liste->topLevelItem(1));
  ASSERT_NE(zeile, nullptr);
  EXPECT_EQ(Kind<QListWidget>(*f, "LBEingabeDaten")->currentRow(), 1);
  EXPECT_EQ(liste->currentItem(), zeile);
  Kind<QAction>(*f, "TBBtnDiagramm")->trigger();
  const TFrmDiagramm* d = f->Diagramm();
  EXPECT_EQ(d->Titel(), "horse-kicks.dat  -  Binomial");
  EXPECT_EQ(Balken(d, 0), (QList<double>{109, 65, 22, 3, 1}));
  const QList<double> np = Balken(d, 1);
  ASSERT_EQ(np.size(), 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(Fest(np[i], 2), Fest(zeile->obj->Daten[static_cast<std::size_t>(i)].NP, 2)) << i;

  // A fit on the selected tab now fits the file shown.
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(0);
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  Anpassen(*f);
  EXPECT_EQ(Text(*f, "NumEdNFPChi2"), zeile->text(2));
}

// The rows of the classes X² counted pooled into another one are shaded and name that class;
// their numbers stay as shown, and the chart shades the same classes. `ziel` as the engine gives
// it: per class the index of the class it went into, kNichtGepoolt for none.
void PoolungGezeigt(const TFrmMain& f, const std::vector<std::uint32_t>& ziel) {
  const auto* daten = f.findChild<QTreeWidget*>("LVDaten");
  ASSERT_EQ(daten->topLevelItemCount(), static_cast<int>(ziel.size()));
  ASSERT_TRUE(std::any_of(ziel.begin(), ziel.end(), [](auto z) { return z != kNichtGepoolt; }));
  for (int i = 0; i < daten->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* z = daten->topLevelItem(i);
    const std::uint32_t j = ziel[static_cast<std::size_t>(i)];
    const bool gepoolt = j != kNichtGepoolt;
    for (int s = 0; s < 3; ++s)
      EXPECT_EQ(
          z->background(s).color() == kGepooltZeile && z->background(s).style() != Qt::NoBrush,
          gepoolt)
          << "class " << i << ", column " << s;
    EXPECT_EQ(z->data(0, kGepooltRolle).isValid(), gepoolt) << i;
    if (gepoolt) {
      EXPECT_EQ(z->data(0, kGepooltRolle).toUInt(), j) << i;
      EXPECT_TRUE(
          z->toolTip(1).endsWith("x = " + daten->topLevelItem(static_cast<int>(j))->text(0)))
          << z->toolTip(1);
    }
  }
  f.findChild<QAction*>("TBBtnDiagramm")->trigger();
  const QList<bool>& balken = f.Diagramm()->Gepoolt();
  ASSERT_EQ(balken.size(), static_cast<qsizetype>(ziel.size()));
  for (std::size_t i = 0; i < ziel.size(); ++i)
    EXPECT_EQ(balken[static_cast<qsizetype>(i)], ziel[i] != kNichtGepoolt) << i;
}

TEST_F(SelectedFittingTest, PooledClassesAreShadedInTheDataListAndTheChart) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
  Anpassen(*f);
  ASSERT_EQ(Text(*f, "EdNFErgebnis"), "OK");
  const std::vector<std::uint32_t> ziel = f->Engine().Poolung(true);
  PoolungGezeigt(*f, ziel);
  const auto* daten = Kind<QTreeWidget>(*f, "LVDaten");
  for (int i = 0; i < daten->topLevelItemCount(); ++i)
    EXPECT_EQ(daten->topLevelItem(i)->text(2), Fest(f->Engine().BesteNP()[i], 2)) << i;
  // Reading the file again shows its classes without a fit, and without shading.
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  for (int i = 0; i < daten->topLevelItemCount(); ++i)
    EXPECT_FALSE(daten->topLevelItem(i)->data(0, kGepooltRolle).isValid()) << i;
}

// A batch row keeps where its classes were pooled and shows it when selected; the targets are
// those the pooling rule gives for the row's expected frequencies.
TEST_F(BatchFittingTest, ASelectedRowShadesItsPooledClasses) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  auto* liste = BatchUeberZweiDateien(*f);
  auto* zeile = ErsteZeileAngeklickt(liste);
  ASSERT_NE(zeile, nullptr);
  const int n = zeile->obj->Dateneigenschaften.n;
  std::vector<double> np;
  std::vector<std::uint32_t> ziel, erwartet(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) {
    np.push_back(zeile->obj->Daten[static_cast<std::size_t>(i)].NP);
    ziel.push_back(zeile->obj->Daten[static_cast<std::size_t>(i)].GepooltIn);
  }
  PoolungsZiele(np, f->Optimierungseinstellungen().Mindestklassengroesse, erwartet);
  EXPECT_EQ(ziel, erwartet);
  PoolungGezeigt(*f, ziel);
}

// A row whose fit failed once showed a green C of 0.0000 and no reason.
TEST_F(BatchFittingTest, AFailedFitShowsItsStatusUncoloured) {
  const auto katalog = TestKatalog("g1");
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat"), Daten("horse-kicks.dat")});
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(3);
  {
    DialogAblehner ablehner;
    Anpassen(*f);
    EXPECT_EQ(ablehner.abgelehnt, 2);
  }
  const auto* liste = Kind<QTreeWidget>(*f, "LVBFBatch");
  ASSERT_EQ(liste->topLevelItemCount(), 2);
  for (int i = 0; i < 2; ++i) {
    const QTreeWidgetItem* z = liste->topLevelItem(i);
    EXPECT_EQ(z->text(1), QString::fromStdString(StatusText(status::kSkipAbortByUser))) << i;
    for (int s = 0; s < liste->columnCount(); ++s)
      EXPECT_EQ(z->background(s).style(), Qt::NoBrush) << "row " << i << ", column " << s;
  }
}

TEST_F(BatchFittingTest, ChangingTheDistributionRebuildsTheParameterColumns) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(3);
  Anpassen(*f);
  auto* liste = Kind<QTreeWidget>(*f, "LVBFBatch");
  ASSERT_EQ(liste->topLevelItemCount(), 1);
  Kind<QComboBox>(*f, "CBBFVerteilung")->setCurrentText("Hyper-Pascal");
  EXPECT_EQ(liste->topLevelItemCount(), 0);
  ASSERT_EQ(liste->columnCount(), 22);
  EXPECT_EQ(liste->headerItem()->text(5), "R²");
  EXPECT_EQ(liste->headerItem()->text(6), "k");
  EXPECT_EQ(liste->headerItem()->text(8), "q");
  EXPECT_EQ(liste->headerItem()->text(9), "N");
}

TEST_F(BatchFittingTest, ProgressShowsEachFileAsAFifth) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QStringList fuenf;
  for (int i = 0; i < 5; ++i) fuenf << Daten("horse-kicks.dat");
  f->DateienOeffnen(fuenf);
  Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(3);
  auto* balken = Kind<QProgressBar>(*f, "PrgStatFortschritt");
  // Every value the field takes while it shows a percentage.
  QStringList gesehen;
  QObject::connect(balken, &QProgressBar::valueChanged, [&] {
    if (balken->isTextVisible()) gesehen << balken->text();
  });
  Anpassen(*f);
  EXPECT_EQ(gesehen, (QStringList{"20%", "40%", "60%", "80%", "100%"}));
  EXPECT_FALSE(balken->isTextVisible());
  EXPECT_EQ(Kind<QTreeWidget>(*f, "LVBFBatch")->topLevelItemCount(), 5);
}

}  // namespace
}  // namespace vk::ui::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Where the chart window stands: on the screen, beside the main window, and where it was left.
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "fitting/EinstellungenSpeicher.h"
#include "tests/ui/UiFixture.h"
#include "ui/Bildschirm.h"
#include "ui/FrmDiagramm.h"

namespace vk::ui::test {
namespace {

class ChartPlacementTest : public UiTest {
 protected:
  static QRect Bildschirm() { return QGuiApplication::primaryScreen()->availableGeometry(); }
  static void Speichern(int x, int y, int w, int h) {
    TAnzeigeeinstellungen p;
    p.GrafFensterX = x;
    p.GrafFensterY = y;
    p.GrafFensterW = w;
    p.GrafFensterH = h;
    FitParSchreiben(p);
  }
};

// With fresh settings the window once lay at 0, 0, over the main window's title bar and menu
// (and, its frame placed by its content, with its own title bar above the screen). It now goes
// beside the main window as far as the screen allows, its frame wholly on the screen.
TEST_F(ChartPlacementTest, FreshSettingsPutTheChartBesideTheMainWindow) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->move(Bildschirm().topLeft());
  f->DateienOeffnen({Daten("alpha-particles.dat")});
  f->findChild<QAction*>("TBBtnDiagramm")->trigger();
  TFrmDiagramm* d = f->Diagramm();
  ASSERT_TRUE(d->isVisible());
  EXPECT_TRUE(Bildschirm().contains(d->frameGeometry()))
      << "on the screen: " << d->frameGeometry().x() << "," << d->frameGeometry().y() << " "
      << d->frameGeometry().width() << "x" << d->frameGeometry().height();
  EXPECT_FALSE(d->frameGeometry().contains(f->frameGeometry().topLeft()))
      << "the main window's title bar and menu stay free";
  EXPECT_GT(d->x(), f->x()) << "to the right of the main window";
  EXPECT_EQ(d->size(), QSize(635, 443)) << "the default size";
}

// Beside a window: right of it when there is room, else left, else on the roomier side, and
// always on the screen.
TEST_F(ChartPlacementTest, BesideTakesTheSideWithRoom) {
  const QRect s = Bildschirm();
  const QSize g(s.width() / 4, s.height() / 3);
  struct Fall {
    const char* was;
    QRect nachbar;
    QPoint erwartet;
  };
  const Fall faelle[] = {
      {"room on the right",
       {s.left(), s.top() + 10, s.width() / 2, 100},
       {s.left() + s.width() / 2, s.top() + 10}},
      {"room only on the left",
       {s.right() - s.width() / 2 + 1, s.top(), s.width() / 2, 100},
       {s.right() - s.width() / 2 + 1 - g.width(), s.top()}},
      {"no room, more on the left",
       {s.left() + s.width() / 5, s.top(), s.width() * 7 / 10, 100},
       {s.left(), s.top()}},
      {"low on the screen",
       {s.left(), s.bottom() - 50, 100, 40},
       {s.left() + 100, s.bottom() + 1 - g.height()}},
  };
  for (const Fall& c : faelle) {
    const QPoint p = Daneben(c.nachbar, g);
    EXPECT_EQ(p, c.erwartet) << c.was;
    EXPECT_TRUE(s.contains(QRect(p, g))) << c.was;
  }
}

// A size no window can have falls back to the default size instead of being squeezed to the
// smallest one (a saved height of -50 once gave a window of 1600 x 250); one that fits is kept.
TEST_F(ChartPlacementTest, AbsurdSavedSizesGiveTheDefault) {
  struct Fall {
    int w, h;
    QSize erwartet;
  };
  const QRect schirm = Bildschirm();
  const Fall faelle[] = {{1600, -50, {635, 443}},
                         // the saved settings' check replaces the width alone (and names it)
                         {-1, 300, {635, 300}},
                         {0, 0, {635, 443}},
                         {99999999, 400, {635, 443}},
                         {500, schirm.height() + 1, {635, 443}},
                         {150, 300, {635, 443}},  // below the smallest width, 200
                         {700, 500, {700, 500}}};
  for (const Fall& c : faelle) {
    Speichern(40, 30, c.w, c.h);
    TFrmDiagramm d("Vostra Kalibra");
    EXPECT_EQ(d.size(), c.erwartet) << c.w << " x " << c.h;
    EXPECT_TRUE(schirm.contains(QRect(d.pos(), d.size()))) << c.w << " x " << c.h;
  }
}

// What the main window saves is what the chart window restored: run after run it stays put
// (it once crept up by the height of its title bar each time).
TEST_F(ChartPlacementTest, SavedPlaceSurvivesRoundTrips) {
  const auto katalog = TestKatalog();
  // Within the test screen and above the window's smallest size.
  Speichern(20, 30, 760, 520);
  for (int lauf = 0; lauf < 3; ++lauf) {
    auto f = Fenster(katalog);
    f->DateienOeffnen({Daten("alpha-particles.dat")});
    f->findChild<QAction*>("TBBtnDiagramm")->trigger();
    EXPECT_EQ(f->Diagramm()->pos(), QPoint(20, 30)) << lauf;
    EXPECT_EQ(f->Diagramm()->size(), QSize(760, 520)) << lauf;
    f->close();
    TAnzeigeeinstellungen p;
    FitParLesen(p);
    EXPECT_EQ(QRect(p.GrafFensterX, p.GrafFensterY, p.GrafFensterW, p.GrafFensterH),
              QRect(20, 30, 760, 520))
        << lauf;
  }
}

}  // namespace
}  // namespace vk::ui::test

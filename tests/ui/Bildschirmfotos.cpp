// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the pictures of the main window during and after an automatic fitting and of the chart
// window for the user documentation: ui_screenshots CATALOG DATAFILE OUTDIR (run under an X
// server).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

#include "catalog/VerzeichnisLaden.h"
#include "ui/FrmDiagramm.h"
#include "ui/FrmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 4 && argc != 5) {
    std::fputs("usage: ui_screenshots CATALOG DATAFILE OUTDIR [CHECKDIR]\n", stderr);
    return 64;
  }
  // A fresh settings store, so that the pictures show the defaults and not the user's state.
  QTemporaryDir einstellungen;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, einstellungen.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, einstellungen.path());

  vk::Verteilungsverzeichnis katalog;
  std::string meldung;
  if (vk::VerzeichnisAusDateiLaden(argv[1], katalog, meldung) != vk::status::kOk) {
    std::fprintf(stderr, "%s\n", meldung.c_str());
    return 1;
  }
  vk::ui::TFrmMain fenster(katalog);
  // Fits run on a worker: "Fit", then the window live until it has ended.
  const auto anpassen = [&fenster] {
    fenster.findChild<QAction*>("TBBtnGo")->trigger();
    while (fenster.InAnpassung()) QTest::qWait(20);
  };
  fenster.move(0, 0);
  fenster.show();
  if (!QTest::qWaitForWindowExposed(&fenster)) return 1;
  fenster.DateienOeffnen({QString::fromLocal8Bit(argv[2])});
  auto* tabs = fenster.findChild<QTabWidget*>("PgCtrlAnpassungen");
  tabs->setCurrentIndex(1);
  const QDir ziel(QString::fromLocal8Bit(argv[3]));
  // The automatic list while the run goes on: its rows as they come, figures whole.
  auto* liste = fenster.findChild<QTreeWidget*>("LVAFAutomatik");
  bool ok = false;
  fenster.findChild<QAction*>("TBBtnGo")->trigger();
  while (fenster.InAnpassung()) {
    if (!ok && liste->topLevelItemCount() >= 40)
      ok = fenster.grab().save(ziel.filePath("main-window-automatic-running.png"));
    QTest::qWait(20);
  }
  QTest::qWait(300);
  ok = fenster.grab().save(ziel.filePath("main-window-automatic.png")) && ok;

  // The best method at once: nobody is there to press "Next Method".
  tabs->setCurrentIndex(0);
  fenster.findChild<QCheckBox*>("CBNFNurBesteMethode")->setChecked(true);
  // A distribution that fits the data, when the catalog has it: word lengths start at 1.
  const bool buchstaben = QString::fromLocal8Bit(argv[2]).contains("letters");
  auto* auswahl = fenster.findChild<QComboBox*>("CBNFVerteilung");
  if (const int i = auswahl->findText(buchstaben ? "Positive Poisson" : "Negative binomial");
      i >= 0)
    auswahl->setCurrentIndex(i);
  anpassen();
  fenster.findChild<QAction*>("TBBtnDiagramm")->trigger();
  vk::ui::TFrmDiagramm* diagramm = fenster.Diagramm();
  // Frequencies over several orders of magnitude read best on a logarithmic value axis.
  diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(true);
  diagramm->resize(800, 520);
  if (!QTest::qWaitForWindowExposed(diagramm)) return 1;
  QTest::qWait(500);
  ok = diagramm->grab().save(ziel.filePath("chart-window.png")) && ok;
  QTest::qWait(100);
  ok = fenster.grab().save(ziel.filePath("main-window-selected.png")) && ok;
  // The same fit as a hanging rootogram, labelled with the square roots of NP.
  diagramm->findChild<QRadioButton*>("rootogram")->click();
  diagramm->findChild<QCheckBox*>("showValues")->setChecked(true);
  QTest::qWait(300);
  ok = diagramm->grab().save(ziel.filePath("chart-rootogram.png")) && ok;
  // With a fourth argument, also the two other tabs (for checking the layout).
  if (argc > 4) {
    const QDir pruefen(QString::fromLocal8Bit(argv[4]));
    // The bars with their values, flat and in 3D.
    diagramm->findChild<QRadioButton*>("bars")->click();
    QTest::qWait(200);
    ok = diagramm->grab().save(pruefen.filePath("chart-values.png")) && ok;
    diagramm->findChild<QCheckBox*>("view3D")->setChecked(true);
    diagramm->findChild<QCheckBox*>("yAxisLog")->setChecked(false);
    QTest::qWait(200);
    ok = diagramm->grab().save(pruefen.filePath("chart-values-3d.png")) && ok;
    // The selected fitting with its standard errors' summary, which takes rows of its own.
    fenster.findChild<QSpinBox*>("SpinNFBootstrap")->setValue(200);
    fenster.findChild<QCheckBox*>("CBNFKruemmung")->setChecked(true);
    anpassen();
    QTest::qWait(50);
    ok = fenster.grab().save(pruefen.filePath("selected-inference.png")) && ok;
    tabs->setCurrentIndex(2);
    QTest::qWait(50);
    ok = fenster.grab().save(pruefen.filePath("special.png")) && ok;
    tabs->setCurrentIndex(3);
    anpassen();
    QTest::qWait(50);
    ok = fenster.grab().save(pruefen.filePath("batch.png")) && ok;
  }
  fenster.close();
  return ok ? 0 : 1;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/UiFixture.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTimer>
#include <vector>

#include "ui/Meldungen.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui::test {

namespace {

struct Par {
  const char* name;
  std::uint32_t bits;
};

std::unique_ptr<const TKatalogeintrag> Eintrag(std::uint32_t index, const char* name,
                                               std::uint32_t alternativen, std::uint32_t gruppen,
                                               std::vector<Par> parameter, bool spezial,
                                               const char* festparameter = nullptr) {
  auto e = std::make_unique<TKatalogeintrag>();
  e->index = index;
  e->bezeichnung = name;
  e->gruppen = gruppen;
  e->alternativen = alternativen;
  e->parameterZahl = static_cast<std::uint32_t>(parameter.size());
  for (std::size_t k = 0; k < parameter.size(); ++k)
    e->parameter[k] = {parameter[k].name, parameter[k].bits};
  if (festparameter != nullptr) {
    e->festparameterZahl = 1;
    e->festparameter[0] = {"N0", festparameter, "Number of trials"};
  }
  e->automatik = !spezial;
  e->spezial = spezial;
  return e;
}

}  // namespace

double NPSumme(const QTreeWidget* daten) {
  double s = 0;
  for (int i = 0; i < daten->topLevelItemCount(); ++i)
    s += ZahlAusText(daten->topLevelItem(i)->text(2));
  return s;
}

QList<double> Balken(const TFrmDiagramm* d, int satz) {
  QList<double> werte;
  for (QAbstractSeries* s : d->Chart()->series())
    if (auto* b = qobject_cast<QBarSeries*>(s))
      for (int i = 0; i < b->barSets()[satz]->count(); ++i) werte << b->barSets()[satz]->at(i);
  return werte;
}

int Textplatz(const QLineEdit* feld) {
  QStyleOptionFrame option;
  option.initFrom(feld);
  option.rect = feld->rect();
  option.lineWidth = feld->hasFrame()
                         ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld)
                         : 0;
  const QRect r = feld->style()->subElementRect(QStyle::SE_LineEditContents, &option, feld);
  return r.marginsRemoved(feld->textMargins()).width() - 4;
}

Verteilungsverzeichnis TestKatalog(const char* festparameter) {
  Verteilungstabelle t;
  t[0] = Eintrag(0, "Binomial", 6, 3, {{"n", 16}, {"p", 1}}, false, festparameter);
  t[6] = Eintrag(6, "Hyper-Pascal", 2, 2, {{"k", 128}, {"m", 128}, {"q", 1}}, false);
  t[16] = Eintrag(16, "Poisson-stopped negative binomial (Katz)", 1, 3,
                  {{"lambda", 128}, {"k", 128}, {"c", 1}}, false);
  t[205] = Eintrag(205, "Special model", 1, 1,
                   {{"a0", 0}, {"a1", 0}, {"a2", 0}, {"b1", 0}, {"b2", 0}}, true);
  return Verteilungsverzeichnis(std::move(t));
}

void UiTest::SetUp() {
  dateien = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(dateien->isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dateien->filePath("config"));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dateien->filePath("config"));
  WarnungsAnzeigeSetzen([this](QWidget*, const QString& text) { warnungen.append(text); });
}

void UiTest::TearDown() {
  WarnungsAnzeigeSetzen({});
  dateien.reset();
}

std::unique_ptr<TFrmMain> UiTest::Fenster(const Verteilungsverzeichnis& katalog) {
  auto f = std::make_unique<TFrmMain>(katalog);
  f->show();
  return f;
}

QString UiTest::Text(const TFrmMain& f, const char* name) {
  const QLineEdit* e = f.findChild<QLineEdit*>(QString::fromUtf8(name));
  EXPECT_NE(e, nullptr) << "no field " << name;
  return e ? e->text() : QString();
}

QString UiTest::Daten(const char* name) {
  return QDir(VK_DATA_DIR).filePath(name);
}

QString UiTest::Schreiben(const char* name, const char* inhalt) {
  const QString pfad = dateien->filePath(name);
  QFile f(pfad);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
  return pfad;
}

void UiTest::BeiDialog(std::function<void(QWidget*)> aktion) {
  auto* zeitgeber = new QTimer;
  zeitgeber->setInterval(10);
  QObject::connect(zeitgeber, &QTimer::timeout, [zeitgeber, aktion] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) return;
    zeitgeber->stop();
    zeitgeber->deleteLater();
    aktion(dialog);
  });
  zeitgeber->start();
}

void UiTest::Anpassen(TFrmMain& f) {
  f.findChild<QAction*>("TBBtnGo")->trigger();
  EXPECT_TRUE(Warten([&f] { return !f.InAnpassung(); }, 120000)) << "the fit did not end";
}

bool UiTest::Warten(const std::function<bool()>& bedingung, int ms) {
  QElapsedTimer uhr;
  uhr.start();
  while (!bedingung()) {
    if (uhr.elapsed() > ms) return false;
    QTest::qWait(5);
  }
  return true;
}

void UiTest::Klicken(QTreeWidget* liste, QTreeWidgetItem* zeile, bool doppelt) {
  // The view lays its rows out lazily; let it do so before aiming at one.
  liste->scrollToItem(zeile);
  QApplication::processEvents();
  // Aim at the first column: a wide row reaches beyond the viewport.
  const QPoint p(liste->columnViewportPosition(0) + liste->columnWidth(0) / 2,
                 liste->visualItemRect(zeile).center().y());
  EXPECT_TRUE(liste->viewport()->rect().contains(p));
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, p);
  if (doppelt) QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, p);
}

void UiTest::KopfKlicken(QTreeWidget* liste, int spalte) {
  QHeaderView* kopf = liste->header();
  const int x = kopf->sectionViewportPosition(spalte) + kopf->sectionSize(spalte) / 2;
  QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(x, kopf->height() / 2));
}

}  // namespace vk::ui::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The result lists and the data list exported: as CSV through the save action and as
// tab-separated text on the clipboard, both exactly as the list shows its cells.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QTabWidget>
#include <QTreeWidget>

#include "tests/ui/UiFixture.h"
#include "ui/Listen.h"
#include "ui/ListenExport.h"

namespace vk::ui::test {
namespace {

// The cells of a CSV text: fields in quotes may hold commas, doubled quotes and line breaks.
Tabelle CsvLesen(const QString& text) {
  Tabelle t;
  QStringList zeile;
  QString feld;
  bool inAnfuehrung = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (inAnfuehrung) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        feld += '"';
        ++i;
      } else if (c == '"') {
        inAnfuehrung = false;
      } else {
        feld += c;
      }
    } else if (c == '"') {
      inAnfuehrung = true;
    } else if (c == ',') {
      zeile << std::exchange(feld, {});
    } else if (c == '\n') {
      zeile << std::exchange(feld, {});
      t << std::exchange(zeile, {});
    } else {
      feld += c;
    }
  }
  return t;
}

Tabelle TabulatorLesen(const QString& text) {
  Tabelle t;
  for (const QString& zeile : text.split('\n', Qt::SkipEmptyParts)) t << zeile.split('\t');
  return t;
}

// What the list shows, read from its items in the order on the screen.
Tabelle Gezeigt(const QTreeWidget* liste) {
  Tabelle t;
  QStringList kopf;
  for (int s = 0; s < liste->columnCount(); ++s) kopf << liste->headerItem()->text(s);
  t << kopf;
  for (int i = 0; i < liste->topLevelItemCount(); ++i) {
    QStringList zeile;
    for (int s = 0; s < liste->columnCount(); ++s) zeile << liste->topLevelItem(i)->text(s);
    t << zeile;
  }
  return t;
}

QAction* Aktion(const QTreeWidget* liste, const QString& name) {
  for (QAction* a : liste->actions())
    if (a->objectName() == liste->objectName() + name) return a;
  return nullptr;
}

class ExportTest : public UiTest {
 protected:
  void TearDown() override {
    SpeicherortwahlSetzen({});
    UiTest::TearDown();
  }
};

TEST(ListenExport, FieldsAreQuotedOrFlattenedAsTheirFormatNeeds) {
  const Tabelle t = {{"a,b", "say \"hi\"", "x\ty", "l1\nl2"}, {"1.5", ""}};
  EXPECT_EQ(AlsCsv(t),
            "\"a,b\",\"say \"\"hi\"\"\",\"x\ty\",\"l1\nl2\"\n"
            "\"1.5\",\"\"\n");
  EXPECT_EQ(CsvLesen(AlsCsv(t)), t);
  EXPECT_EQ(AlsTabulatortext(t), "a,b\tsay \"hi\"\tx y\tl1 l2\n1.5\t\n");
}

// Each list, filled by its fit: the copy and the saved file hold the header and every row as
// shown, sorted as shown; the data list adds the class each class was pooled into.
TEST_F(ExportTest, EveryListIsCopiedAndSavedAsShown) {
  const auto katalog = TestKatalog();
  struct Fall {
    const char* liste;
    int tab;
    bool poolung;  // the data list's extra column
  };
  const Fall faelle[] = {
      {"LVAFAutomatik", 1, false}, {"LVBFBatch", 3, false}, {"LVDaten", 0, true}};
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.liste);
    auto f = Fenster(katalog);
    f->DateienOeffnen({Daten("alpha-particles.dat"), Daten("horse-kicks.dat")});
    Kind<QTabWidget>(*f, "PgCtrlAnpassungen")->setCurrentIndex(c.tab);
    Kind<QCheckBox>(*f, "CBNFNurBesteMethode")->setChecked(true);
    Anpassen(*f);
    auto* liste = Kind<QTreeWidget>(*f, c.liste);
    ASSERT_GE(liste->topLevelItemCount(), 2);
    if (c.tab == 1) KopfKlicken(liste, 1);  // sorted by X²: the export follows the screen

    Tabelle erwartet = Gezeigt(liste);
    if (c.poolung) {
      erwartet[0] << "Pooled into";
      int gepoolt = 0;
      for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        const QVariant ziel = liste->topLevelItem(i)->data(0, kGepooltRolle);
        gepoolt += ziel.isValid();
        erwartet[i + 1] << (ziel.isValid() ? erwartet[static_cast<int>(ziel.toUInt()) + 1][0]
                                           : QString());
      }
      EXPECT_GT(gepoolt, 0);
    }
    EXPECT_EQ(liste->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* kopieren = Aktion(liste, "Kopieren");
    QAction* speichern = Aktion(liste, "Speichern");
    ASSERT_NE(kopieren, nullptr);
    ASSERT_NE(speichern, nullptr);

    QApplication::clipboard()->clear();
    kopieren->trigger();
    EXPECT_EQ(TabulatorLesen(QApplication::clipboard()->text()), erwartet);

    const QString pfad = dateien->filePath(QString(c.liste) + ".csv");
    QString vorschlag;
    SpeicherortwahlSetzen([&](QWidget*, const QString& v) {
      vorschlag = v;
      return pfad;
    });
    speichern->trigger();
    EXPECT_TRUE(vorschlag.endsWith(".csv")) << vorschlag;
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(CsvLesen(QString::fromUtf8(datei.readAll())), erwartet);
  }
}

TEST_F(ExportTest, ACancelledChoiceWritesNothingAndAFailedWriteIsReported) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  f->DateienOeffnen({Daten("horse-kicks.dat")});
  auto* liste = Kind<QTreeWidget>(*f, "LVDaten");
  QAction* speichern = Aktion(liste, "Speichern");
  ASSERT_NE(speichern, nullptr);
  SpeicherortwahlSetzen([](QWidget*, const QString&) { return QString(); });
  speichern->trigger();
  EXPECT_TRUE(warnungen.isEmpty());
  const QString unmoeglich = dateien->filePath("no/such/dir/data.csv");
  SpeicherortwahlSetzen([&](QWidget*, const QString&) { return unmoeglich; });
  speichern->trigger();
  ASSERT_EQ(warnungen.size(), 1);
  EXPECT_EQ(warnungen[0], "The list could not be written to " + unmoeglich);
  EXPECT_FALSE(QFile::exists(unmoeglich));
}

}  // namespace
}  // namespace vk::ui::test

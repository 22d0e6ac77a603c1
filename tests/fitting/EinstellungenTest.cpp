// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "fitting/EinstellungenSpeicher.h"

namespace vk {
namespace {

class Einstellungen : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString Pfad() const { return dir_.filePath("settings.ini"); }
};

TEST_F(Einstellungen, FreshStoreGivesDefaults) {
  QSettings store(Pfad(), QSettings::IniFormat);
  OptimisationSettings o;
  o.Reflektionsweite = 9;
  OptParLesen(store, o);
  EXPECT_EQ(o.Reflektionsweite, 1.0);
  EXPECT_EQ(o.Optimierungsversuche, 320u);
  PresentationSettings p;
  p.GrafFensterW = 1;
  FitParLesen(store, p);
  EXPECT_EQ(p.GrafFensterW, 635);
  EXPECT_EQ(p.GrafFensterH, 443);
  EXPECT_FALSE(p.NurBesteMethode);
}

TEST_F(Einstellungen, RoundTripWritesFifteenStrings) {
  OptimisationSettings o;
  o.Reflektionsweite = 1.25;
  o.Abbruchkriterium = 1e-7;
  o.Mindestklassengroesse = 0;
  o.Optimierungsversuche = 1;
  PresentationSettings p;
  p.NurBesteMethode = true;
  p.KalibraFensterX = -20;
  p.GrafFensterW = 800;
  {
    QSettings store(Pfad(), QSettings::IniFormat);
    OptParSchreiben(store, o);
    FitParSchreiben(store, p);
  }
  QSettings store(Pfad(), QSettings::IniFormat);
  EXPECT_EQ(store.allKeys().size(), 15);
  for (const QString& key : store.allKeys())
    EXPECT_EQ(store.value(key).typeId(), QMetaType::QString) << key.toStdString();
  EXPECT_EQ(store.value("OptPar/Abbruchkriterium").toString(), "1e-07");
  EXPECT_EQ(store.value("FitPar/NurBesteMethode").toString(), "1");
  EXPECT_TRUE(store.contains(QString::fromUtf8("OptPar/Kontraktionsgröße")));

  OptimisationSettings o2;
  PresentationSettings p2;
  OptParLesen(store, o2);
  FitParLesen(store, p2);
  EXPECT_EQ(o2.Reflektionsweite, 1.25);
  EXPECT_EQ(o2.Abbruchkriterium, 1e-7);
  EXPECT_EQ(o2.Mindestklassengroesse, 0);
  EXPECT_EQ(o2.Optimierungsversuche, 1u);
  EXPECT_TRUE(p2.NurBesteMethode);
  EXPECT_EQ(p2.KalibraFensterX, -20);
  EXPECT_EQ(p2.GrafFensterW, 800);
}

TEST_F(Einstellungen, MalformedValuesReadAsTheirDefaults) {
  {
    QSettings store(Pfad(), QSettings::IniFormat);
    store.setValue("OptPar/Reflektionsweite", "abc");
    store.setValue("OptPar/Expansionsweite", "2,5");  // a comma is not our separator
    store.setValue("OptPar/Optimierungsversuche", "-3");
    store.setValue("OptPar/Abbruchkriterium", " 0.01 ");
    store.setValue("FitPar/AuswahlHilfe", "7");
    store.setValue("FitPar/GrafFensterH", "tall");
  }
  QSettings store(Pfad(), QSettings::IniFormat);
  OptimisationSettings o;
  OptParLesen(store, o);
  EXPECT_EQ(o.Reflektionsweite, 1.0);
  EXPECT_EQ(o.Expansionsweite, 2.0);
  EXPECT_EQ(o.Optimierungsversuche, 320u);
  EXPECT_EQ(o.Abbruchkriterium, 0.01);
  PresentationSettings p;
  FitParLesen(store, p);
  EXPECT_TRUE(p.AuswahlHilfe);  // any non-zero integer is true
  EXPECT_EQ(p.GrafFensterH, 443);
}

}  // namespace
}  // namespace vk

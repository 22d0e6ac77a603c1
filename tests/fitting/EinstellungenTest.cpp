// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <limits>
#include <string>
#include <vector>

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
  TEinstellungen o;
  o.Reflektionsweite = 9;
  OptParLesen(store, o);
  EXPECT_EQ(o.Reflektionsweite, 1.0);
  EXPECT_EQ(o.Optimierungsversuche, 320u);
  TAnzeigeeinstellungen p;
  p.GrafFensterW = 1;
  FitParLesen(store, p);
  EXPECT_EQ(p.GrafFensterW, 635);
  EXPECT_EQ(p.GrafFensterH, 443);
  EXPECT_FALSE(p.NurBesteMethode);
  EXPECT_FALSE(o.Verfeinerung);
}

TEST_F(Einstellungen, InferenceSettingsRoundTripAndRefuseWhatNoRunCanUse) {
  {
    QSettings store(Pfad(), QSettings::IniFormat);
    InferenzEinstellungen leer;
    leer.Bootstrap = 5;
    InferenzLesen(store, leer);
    EXPECT_EQ(leer.Bootstrap, 0u);  // off by default
    EXPECT_EQ(leer.Seed, 1u);
    EXPECT_FALSE(leer.Kruemmung);
    EXPECT_EQ(leer.Intervall, Intervallart::kPerzentil);
    const InferenzEinstellungen geschrieben{2500, 18446744073709551615ull, true,
                                            Intervallart::kBasis};
    InferenzSchreiben(store, geschrieben);
  }
  {
    QSettings store(Pfad(), QSettings::IniFormat);
    InferenzEinstellungen gelesen;
    InferenzLesen(store, gelesen);
    EXPECT_EQ(gelesen.Bootstrap, 2500u);
    EXPECT_EQ(gelesen.Seed, 18446744073709551615ull);  // all 64 bits survive the text
    EXPECT_TRUE(gelesen.Kruemmung);
    EXPECT_EQ(gelesen.Intervall, Intervallart::kBasis);
  }
  struct Fall {
    const char* schluessel;
    const char* text;
  };
  const Fall faelle[] = {
      {"Bootstrap", "-1"},
      {"Bootstrap", "1000001"},
      {"Bootstrap", "1.5"},
      {"Seed", "-3"},
      {"Seed", "18446744073709551616"},
      {"Seed", "0x10"},
      {"Kruemmung", "yes"},
      {"Intervall", "BCa"},
  };
  for (const Fall& f : faelle) {
    QSettings store(dir_.filePath(QString("falsch-%1.ini").arg(f.schluessel)),
                    QSettings::IniFormat);
    store.setValue(QString("Inferenz/%1").arg(f.schluessel), f.text);
    InferenzEinstellungen s;
    s.Bootstrap = 7;
    std::vector<std::string> warnungen;
    InferenzLesen(store, s, &warnungen);
    EXPECT_EQ(warnungen.size(), 1u) << f.schluessel << "=" << f.text;
    EXPECT_EQ(s.Bootstrap, 0u);
    EXPECT_EQ(s.Seed, 1u);
    EXPECT_FALSE(s.Kruemmung);
    EXPECT_EQ(s.Intervall, Intervallart::kPerzentil);
  }
}

TEST_F(Einstellungen, RoundTripWritesSixteenStrings) {
  TEinstellungen o;
  o.Verfeinerung = true;
  o.Reflektionsweite = 1.25;
  o.Abbruchkriterium = 1e-7;
  o.Mindestklassengroesse = 0;
  o.Optimierungsversuche = 1;
  TAnzeigeeinstellungen p;
  p.NurBesteMethode = true;
  p.KalibraFensterX = -20;
  p.GrafFensterW = 800;
  {
    QSettings store(Pfad(), QSettings::IniFormat);
    OptParSchreiben(store, o);
    FitParSchreiben(store, p);
  }
  QSettings store(Pfad(), QSettings::IniFormat);
  EXPECT_EQ(store.allKeys().size(), 16);
  EXPECT_EQ(store.value("OptPar/Verfeinerung").toString(), "1");
  for (const QString& key : store.allKeys())
    EXPECT_EQ(store.value(key).typeId(), QMetaType::QString) << key.toStdString();
  EXPECT_EQ(store.value("OptPar/Abbruchkriterium").toString(), "1e-07");
  EXPECT_EQ(store.value("FitPar/NurBesteMethode").toString(), "1");
  EXPECT_TRUE(store.contains(QString::fromUtf8("OptPar/Kontraktionsgröße")));

  TEinstellungen o2;
  TAnzeigeeinstellungen p2;
  OptParLesen(store, o2);
  FitParLesen(store, p2);
  EXPECT_EQ(o2.Reflektionsweite, 1.25);
  EXPECT_EQ(o2.Abbruchkriterium, 1e-7);
  EXPECT_EQ(o2.Mindestklassengroesse, 0);
  EXPECT_EQ(o2.Optimierungsversuche, 1u);
  EXPECT_TRUE(o2.Verfeinerung);
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
  TEinstellungen o;
  OptParLesen(store, o);
  EXPECT_EQ(o.Reflektionsweite, 1.0);
  EXPECT_EQ(o.Expansionsweite, 2.0);
  EXPECT_EQ(o.Optimierungsversuche, 320u);
  EXPECT_EQ(o.Abbruchkriterium, 0.01);
  TAnzeigeeinstellungen p;
  FitParLesen(store, p);
  EXPECT_TRUE(p.AuswahlHilfe);  // any non-zero integer is true
  EXPECT_EQ(p.GrafFensterH, 443);
}

// Values no fit can use once made every fit end in "Exception", and the desktop wrote them back
// on closing, so they stayed: now each reads as its default with a warning that names it, and
// is never written.
TEST_F(Einstellungen, UnusableValuesFallBackWithAWarningAndAreNotWrittenBack) {
  {
    QSettings store(Pfad(), QSettings::IniFormat);
    store.setValue("OptPar/Reflektionsweite", "nan");
    store.setValue("OptPar/Expansionsweite", "inf");
    store.setValue("OptPar/Kontraktionsgröße", "-inf");
    store.setValue("OptPar/Abbruchkriterium", "1e999");  // beyond the range: malformed, no warning
    store.setValue("OptPar/Mindestklassengröße", "1e308");  // finite, but far beyond its range
    store.setValue("OptPar/Iterationswiederholungen", "0");
    store.setValue("OptPar/Optimierungsversuche", "0");
    store.setValue("OptPar/Verfeinerung", "yes");
  }
  QSettings store(Pfad(), QSettings::IniFormat);
  TEinstellungen o;
  o.Verfeinerung = true;
  std::vector<std::string> warnungen;
  OptParLesen(store, o, &warnungen);
  const TEinstellungen d;
  EXPECT_EQ(o.Reflektionsweite, d.Reflektionsweite);
  EXPECT_EQ(o.Expansionsweite, d.Expansionsweite);
  EXPECT_EQ(o.Kontraktionsgroesse, d.Kontraktionsgroesse);
  EXPECT_EQ(o.Abbruchkriterium, d.Abbruchkriterium);
  EXPECT_EQ(o.Mindestklassengroesse, d.Mindestklassengroesse);
  EXPECT_EQ(o.Iterationswiederholungen, d.Iterationswiederholungen);
  EXPECT_EQ(o.Optimierungsversuche, d.Optimierungsversuche);
  EXPECT_FALSE(o.Verfeinerung);
  const std::vector<std::string> erwartet = {
      "setting OptPar/Reflektionsweite = 'nan' is not a number above 0 and at most 100; the "
      "default 1 is used",
      "setting OptPar/Expansionsweite = 'inf' is not a number above 0 and at most 100; the "
      "default 2 is used",
      "setting OptPar/Kontraktionsgröße = '-inf' is not a number above 0 and at most 1; the "
      "default 0.5 is used",
      "setting OptPar/Abbruchkriterium = '1e999' is not a number from 0 to 1000000; the default "
      "1e-04 is used",
      "setting OptPar/Mindestklassengröße = '1e308' is not a number from 0 to 1000000; the "
      "default 1 is used",
      "setting OptPar/Iterationswiederholungen = '0' is not a whole number from 1 to 10000000; "
      "the default " +
          std::to_string(d.Iterationswiederholungen) + " is used",
      "setting OptPar/Optimierungsversuche = '0' is not a whole number from 1 to 10000000; the "
      "default 320 is used",
      "setting OptPar/Verfeinerung = 'yes' is neither 1 nor 0; the default 0 is used"};
  EXPECT_EQ(warnungen, erwartet);

  // Whatever reaches the writer unusable leaves the stored text alone.
  TEinstellungen kaputt;
  kaputt.Reflektionsweite = std::numeric_limits<double>::quiet_NaN();
  kaputt.Optimierungsversuche = 0;
  kaputt.Expansionsweite = 3;
  OptParSchreiben(store, kaputt);
  EXPECT_EQ(store.value("OptPar/Reflektionsweite").toString(), "nan");
  EXPECT_EQ(store.value("OptPar/Optimierungsversuche").toString(), "0");
  EXPECT_EQ(store.value("OptPar/Expansionsweite").toString(), "3");
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// Settings text that is not a plain number in range was replaced silently or taken as it came;
// each now reads as the default with one warning that names key and value, invisible bytes
// escaped and long text cut.
TEST(EinstellungenText, EveryUnusableTextWarnsOnce) {
  const struct {
    const char* text;
    const char* zeigt;  // how the warning shows it
  } faelle[] = {{"", "''"},           {"1,5", "'1,5'"},
                {"0x10", "'0x10'"},   {"+2", "'+2'"},
                {"1e309", "'1e309'"}, {"\x7f\x01", "'\\x7f\\x01'"},
                {"-1", "'-1'"},       {"4294967296", "'4294967296'"}};
  for (const auto& f : faelle) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath("k.ini");
    {
      QSettings store(pfad, QSettings::IniFormat);
      store.setValue("OptPar/Optimierungsversuche", QString::fromLatin1(f.text));
    }
    QSettings store(pfad, QSettings::IniFormat);
    TEinstellungen o;
    std::vector<std::string> warnungen;
    OptParLesen(store, o, &warnungen);
    EXPECT_EQ(o.Optimierungsversuche, 320u) << f.text;
    ASSERT_EQ(warnungen.size(), 1u) << f.text;
    EXPECT_NE(warnungen[0].find(std::string("Optimierungsversuche = ") + f.zeigt),
              std::string::npos)
        << warnungen[0];
  }
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// Window settings that were replaced in silence ("abc" as a position, a height of -50, 1e400 as
// a width, "maybe" as a switch): each reads as its default with one warning naming key and text.
// A usable text is taken without a word, a switch as any whole number (0 off) as before.
TEST(EinstellungenText, EveryUnusableWindowSettingWarnsOnce) {
  const TAnzeigeeinstellungen d;
  const struct {
    const char* schluessel;
    const char* text;
    bool gewarnt;
    int TAnzeigeeinstellungen::*zahl;
    int erwartet;
  } zahlen[] = {
      {"KalibraFensterX", "abc", true, &TAnzeigeeinstellungen::KalibraFensterX, d.KalibraFensterX},
      {"KalibraFensterX", "-2147483648", false, &TAnzeigeeinstellungen::KalibraFensterX,
       std::numeric_limits<int>::min()},
      {"KalibraFensterY", "2147483648", true, &TAnzeigeeinstellungen::KalibraFensterY,
       d.KalibraFensterY},
      {"KalibraFensterY", "99999999999", true, &TAnzeigeeinstellungen::KalibraFensterY,
       d.KalibraFensterY},
      {"GrafFensterX", " -20 ", false, &TAnzeigeeinstellungen::GrafFensterX, -20},
      {"GrafFensterY", "1.5", true, &TAnzeigeeinstellungen::GrafFensterY, d.GrafFensterY},
      {"GrafFensterW", "0", true, &TAnzeigeeinstellungen::GrafFensterW, d.GrafFensterW},
      {"GrafFensterW", "1", false, &TAnzeigeeinstellungen::GrafFensterW, 1},
      {"GrafFensterW", "1e400", true, &TAnzeigeeinstellungen::GrafFensterW, d.GrafFensterW},
      {"GrafFensterH", "-50", true, &TAnzeigeeinstellungen::GrafFensterH, d.GrafFensterH},
      {"GrafFensterH", "", true, &TAnzeigeeinstellungen::GrafFensterH, d.GrafFensterH},
  };
  const struct {
    const char* schluessel;
    const char* text;
    bool gewarnt;
    bool TAnzeigeeinstellungen::*schalter;
    bool erwartet;
  } schalter[] = {
      {"NurBesteMethode", "maybe", true, &TAnzeigeeinstellungen::NurBesteMethode, false},
      {"NurBesteMethode", "7", false, &TAnzeigeeinstellungen::NurBesteMethode, true},
      {"AuswahlHilfe", " 0 ", false, &TAnzeigeeinstellungen::AuswahlHilfe, false},
      {"AuswahlHilfe", "true", true, &TAnzeigeeinstellungen::AuswahlHilfe, false},
  };
  const auto lesen = [](const char* schluessel, const char* text,
                        std::vector<std::string>& warnungen) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath("k.ini");
    {
      QSettings store(pfad, QSettings::IniFormat);
      store.setValue(QString("FitPar/") + schluessel, QString::fromLatin1(text));
    }
    QSettings store(pfad, QSettings::IniFormat);
    TAnzeigeeinstellungen p;
    FitParLesen(store, p, &warnungen);
    return p;
  };
  const auto genannt = [](const std::vector<std::string>& w, const char* schluessel,
                          const char* text) {
    return w.size() == 1 && w[0].find(std::string("setting FitPar/") + schluessel + " = '" +
                                      text + "'") == 0;
  };
  for (const auto& c : zahlen) {
    std::vector<std::string> w;
    const TAnzeigeeinstellungen p = lesen(c.schluessel, c.text, w);
    EXPECT_EQ(p.*c.zahl, c.erwartet) << c.schluessel << " = '" << c.text << "'";
    if (c.gewarnt) {
      EXPECT_TRUE(genannt(w, c.schluessel, c.text)) << c.schluessel << " = '" << c.text << "'";
    } else {
      EXPECT_TRUE(w.empty()) << c.schluessel << " = '" << c.text << "'";
    }
  }
  for (const auto& c : schalter) {
    std::vector<std::string> w;
    const TAnzeigeeinstellungen p = lesen(c.schluessel, c.text, w);
    EXPECT_EQ(p.*c.schalter, c.erwartet) << c.schluessel << " = '" << c.text << "'";
    if (c.gewarnt) {
      EXPECT_TRUE(genannt(w, c.schluessel, c.text)) << c.schluessel << " = '" << c.text << "'";
    } else {
      EXPECT_TRUE(w.empty()) << c.schluessel << " = '" << c.text << "'";
    }
  }
}

}  // namespace
}  // namespace vk

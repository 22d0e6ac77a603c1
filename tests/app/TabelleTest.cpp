// SPDX-License-Identifier: GPL-3.0-or-later
// The result lists are described once and rendered by every format: the renderings of one row
// must agree with each other and with their headers.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <cmath>
#include <limits>
#include <set>

#include "app/kalibra/Ergebnistabellen.h"
#include "app/kalibra/Tabelle.h"

namespace vk::cli {
namespace {

// Every format writes as many cells as its header has, and no JSON key is used twice.
template <class Z>
void Uebereinstimmend(const Tabelle<Z>& t, const Z& z, const char* name) {
  SCOPED_TRACE(name);
  EXPECT_EQ(TextKopf(t).size(), TextZeile(t, z).size());
  EXPECT_EQ(CsvKopf(t).size(), CsvZeile(t, z).size());
  std::set<std::string> schluessel;
  for (const Spalte<Z>& s : t) {
    if (s.formate & kImJson) {
      EXPECT_TRUE(schluessel.insert(s.schluessel).second) << s.schluessel;
    }
    if (s.formate & kImCsv) {
      EXPECT_FALSE(s.schluessel.empty()) << s.kopf;
    }
    if (s.formate & kImText) {
      EXPECT_FALSE(s.kopf.empty()) << s.schluessel;
    }
  }
  const QJsonObject o = JsonObjekt(t, z);
  for (const QString& k : o.keys())
    EXPECT_TRUE(schluessel.count(k.toStdString())) << k.toStdString();
}

TEST(Ergebnistabellen, EveryFormatWritesEveryColumnOfARow) {
  TAnpassung a;
  a.Chi = 3.25;
  a.PChi = 0.5;
  a.FG = 2;
  a.Methode = 3;
  a.Verteilung.Bezeichnung = "Poisson, \"a\"";
  TVerteilungsparameter p;
  p.ParZahl = 1;
  p.Parameter[0].Bezeichnung = "a";
  p.Parameter[0].Wert = 0.61;
  for (bool beste : {false, true})
    Uebereinstimmend(Methodentabelle(), Methodenzeile{&a, &p, beste}, "methods");
  Uebereinstimmend(Methodentabelle(), Methodenzeile{&a, nullptr, false}, "methods, no parameters");
  Uebereinstimmend(Klassentabelle(), Klassenzeile{4, 1, 0.25, 3}, "classes");
  Uebereinstimmend(Klassentabelle(), Klassenzeile{4, 1, 0.25, std::nullopt}, "classes, own cell");
  a.Status = 13;
  Uebereinstimmend(Automatiktabelle(), a, "automatic");
  Anpassungen::Kennzahlen k;
  for (bool verworfen : {false, true})
    Uebereinstimmend(Auswertungstabelle(), Auswertungszeile{&k, &p, 0, verworfen, !verworfen},
                     "evaluation");
}

// A figure that is not a number, or that a result does not have, reads as none in each format,
// and a failed automatic row keeps its figures in CSV and JSON but not in the table.
TEST(Ergebnistabellen, NoneIsWrittenAsEachFormatSaysNone) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Klassenzeile k{7, 2, nan, std::nullopt};
  const auto np = Klassentabelle()[2].zelle(k);
  EXPECT_EQ(np.text, "-");
  EXPECT_EQ(np.csv, "");
  EXPECT_TRUE(np.json.isNull());
  EXPECT_TRUE(JsonObjekt(Klassentabelle(), k)["pooledInto"].isNull());

  TAnpassung a;
  a.Chi = 12.5;
  a.Status = 13;
  const auto text = TextZeile(Automatiktabelle(), a);
  const auto csv = CsvZeile(Automatiktabelle(), a);
  EXPECT_EQ(text[2], "");
  EXPECT_EQ(csv[2], "12.5");
  EXPECT_EQ(JsonObjekt(Automatiktabelle(), a)["chiSquare"].toDouble(), 12.5);
  EXPECT_FALSE(JsonObjekt(Automatiktabelle(), a).contains("refinementIncomplete"));
  a.VerfeinerungUnvollstaendig = true;
  EXPECT_TRUE(JsonObjekt(Automatiktabelle(), a)["refinementIncomplete"].toBool());
  EXPECT_EQ(CsvZeile(Automatiktabelle(), a).back(), "incomplete");

  Anpassungen::Kennzahlen kz;
  kz.chi = 3;
  TVerteilungsparameter p;
  const QJsonObject o = JsonObjekt(Auswertungstabelle(), Auswertungszeile{&kz, &p, 4, true, false});
  EXPECT_TRUE(o["chiSquare"].isNull());
  EXPECT_TRUE(o["p"].isNull());
  EXPECT_FALSE(o["enoughDegreesOfFreedom"].toBool());
  EXPECT_EQ(TextSatz(Auswertungstabelle(), Auswertungszeile{&kz, &p, 4, true, false}),
            "X² -  K -  DF -  P(X²) -  C -  R² -");
}

}  // namespace
}  // namespace vk::cli

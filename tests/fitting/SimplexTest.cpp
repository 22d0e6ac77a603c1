// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Simplex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// A known function in place of X², recording every vector it is asked about.
class Funktion final : public Zielfunktion {
 public:
  explicit Funktion(std::function<double(const Parametervektor&)> f) : f_(std::move(f)) {}
  void Korrigieren(Parametervektor& v) const override {
    if (korrektur) korrektur(v);
  }
  double ChiQuadrat(const Parametervektor& v, std::uint32_t& klassen) override {
    gesehen.push_back(v);
    klassen = static_cast<std::uint32_t>(gesehen.size());
    return f_(v);
  }
  std::vector<Parametervektor> gesehen;
  std::function<void(Parametervektor&)> korrektur;

 private:
  std::function<double(const Parametervektor&)> f_;
};

struct Zaehler {
  int aufrufe = 0;
  int abbrechenBei = -1;
  static bool Abfrage(void* self) {
    auto* z = static_cast<Zaehler*>(self);
    ++z->aufrufe;
    return z->aufrufe == z->abbrechenBei;
  }
  Abbruchabfrage Abfrage() { return {&Zaehler::Abfrage, this}; }
};

TEST(Simplex, StartSimplexScalesTheWholeStartVector) {
  Funktion f([](const Parametervektor& v) { return v[0] + v[1]; });
  OptimisationSettings e;
  e.Optimierungsversuche = 1;
  Simplex s;
  s.ecke[0] = {10, 0.5};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);
  ASSERT_GE(f.gesehen.size(), 3u);
  EXPECT_TRUE(Near(f.gesehen[1][0], 11, 1e-15));
  EXPECT_TRUE(Near(f.gesehen[1][1], 0.55, 1e-15));
  EXPECT_TRUE(Near(f.gesehen[2][0], 8.5, 1e-15));
  EXPECT_TRUE(Near(f.gesehen[2][1], 0.425, 1e-15));

  Funktion g([](const Parametervektor& v) { return v[0]; });
  Simplex t;
  t.ecke[0] = {2};
  Optimierungszyklus(t, 1, g, e, z.Abfrage(), st);
  EXPECT_TRUE(Near(g.gesehen[1][0], 2.2, 1e-15));
}

// An asymmetric function: on a symmetric one two vertices either side of the minimum can have
// equal values, a spread of 0, and the cycle rightly stops there.
TEST(Simplex, MinimisesAOneDimensionalFunction) {
  Funktion f([](const Parametervektor& v) { return std::exp(v[0]) - 3 * v[0] + 5; });
  OptimisationSettings e;
  e.Abbruchkriterium = 1e-7;  // far above the rounding floor of the spread
  e.Optimierungsversuche = 5000;
  Simplex s;
  s.ecke[0] = {2.5};
  Zaehler z;
  Status st = 0;
  EXPECT_TRUE(Optimierungszyklus(s, 1, f, e, z.Abfrage(), st));
  SimplexSortieren(s, 1, f);
  EXPECT_TRUE(Near(s.ecke[0][0], std::log(3.0), 0, 1e-3));
  EXPECT_EQ(st, status::kOk);
}

// The start simplex scales the whole start vector, so all its vertices lie on the ray through
// the start vector; reflections, contractions and shrinks keep them there while no absolute
// value or correction intervenes. On a quadratic the cycle therefore finds the minimum along
// that ray: for (x-3)² + 2(y-5)² from (1, 1) that is x = y = 13/3, not (3, 5).
TEST(Simplex, SearchesAlongTheRayOfTheStartVector) {
  Funktion f([](const Parametervektor& v) {
    return (v[0] - 3) * (v[0] - 3) + 2 * (v[1] - 5) * (v[1] - 5) + 1;
  });
  OptimisationSettings e;
  e.Abbruchkriterium = 1e-7;  // far above the rounding floor of the spread
  e.Optimierungsversuche = 5000;
  Simplex s;
  s.ecke[0] = {1, 1};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);
  SimplexSortieren(s, 2, f);
  EXPECT_TRUE(Near(s.ecke[0][0], 13.0 / 3, 0, 1e-3));
  EXPECT_TRUE(Near(s.ecke[0][1], 13.0 / 3, 0, 1e-3));
  for (const auto& v : f.gesehen) EXPECT_TRUE(Near(v[0], v[1], 1e-12)) << v[0] << " " << v[1];
}

TEST(Simplex, EveryNewCoordinateIsMadePositive) {
  // The minimum lies at negative x; the absolute values keep every vertex at x >= 0.
  Funktion f([](const Parametervektor& v) { return (v[0] + 4) * (v[0] + 4) + 1; });
  OptimisationSettings e;
  Simplex s;
  s.ecke[0] = {1};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 1, f, e, z.Abfrage(), st);
  for (const auto& v : f.gesehen) EXPECT_GE(v[0], 0);
}

TEST(Simplex, StepLimitAndCancel) {
  Funktion f([](const Parametervektor& v) { return v[0] * v[0] + v[1] * v[1] + 1; });
  Simplex s;
  s.ecke[0] = {3, 4};
  OptimisationSettings e;
  e.Optimierungsversuche = 1;
  Zaehler einmal;
  Status st = 0;
  EXPECT_TRUE(Optimierungszyklus(s, 2, f, e, einmal.Abfrage(), st));
  EXPECT_EQ(einmal.aufrufe, 1);

  e.Optimierungsversuche = 320;
  Zaehler abbruch;
  abbruch.abbrechenBei = 3;
  s.ecke[0] = {3, 4};
  EXPECT_FALSE(Optimierungszyklus(s, 2, f, e, abbruch.Abfrage(), st));
  EXPECT_EQ(st, status::kAbort);
  EXPECT_EQ(abbruch.aufrufe, 3);
}

TEST(Simplex, AllFailedVerticesEndAfterOneStep) {
  Funktion f([](const Parametervektor&) { return 10000000.0; });
  Simplex s;
  s.ecke[0] = {3, 4};
  OptimisationSettings e;
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);
  EXPECT_EQ(z.aufrufe, 1);
}

TEST(Simplex, FiveEqualSpreadsEndTheCycle) {
  // A constant function gives spread 0 at every step; with a negative stop criterion only the
  // count of equal spreads can end the cycle.
  Funktion f([](const Parametervektor&) { return 7.0; });
  Simplex s;
  s.ecke[0] = {3, 4};
  OptimisationSettings e;
  e.Abbruchkriterium = -1;
  Zaehler z;
  Status st = 0;
  EXPECT_TRUE(Optimierungszyklus(s, 2, f, e, z.Abfrage(), st));
  EXPECT_EQ(z.aufrufe, 5);
}

TEST(Simplex, SortIsStableForEqualValuesAndCarriesCounts) {
  Funktion f([](const Parametervektor&) { return 0.0; });
  Simplex s;
  s.ecke[0] = {1};
  s.ecke[1] = {2};
  s.ecke[2] = {3};
  s.chiQuadrat = {5, 1, 5};
  s.klassen = {10, 20, 30};
  SimplexSortieren(s, 2, f);
  EXPECT_EQ(s.ecke[0][0], 2);
  EXPECT_EQ(s.klassen[0], 20u);
  EXPECT_EQ(s.chiQuadrat[1], 5);
  // Vertex 1 (value 5) came first and stays ahead of the other 5.
  EXPECT_EQ(s.ecke[1][0], 1);
  EXPECT_EQ(s.ecke[2][0], 3);
  EXPECT_EQ(s.klassen[2], 30u);
}

TEST(Simplex, CorrectionAppliesToEveryEvaluatedVertex) {
  Funktion f([](const Parametervektor& v) { return (v[0] - 0.5) * (v[0] - 0.5) + 1; });
  f.korrektur = [](Parametervektor& v) {
    if (v[0] >= 1) v[0] = 0.98;
  };
  Simplex s;
  s.ecke[0] = {0.95};
  OptimisationSettings e;
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 1, f, e, z.Abfrage(), st);
  for (const auto& v : f.gesehen) EXPECT_LT(v[0], 1);
}

}  // namespace
}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Simplex.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/FpFault.h"

namespace vk {

namespace {

double Bewerten(Zielfunktion& ziel, Parametervektor& v, std::uint32_t& klassen) {
  ziel.Korrigieren(v);
  return ziel.ChiQuadrat(v, klassen);
}

double Bewerten(Zielfunktion& ziel, Parametervektor& v) {
  std::uint32_t unbenutzt = 0;
  return Bewerten(ziel, v, unbenutzt);
}

// A new coordinate: its absolute value in the classic form, itself in the axis-wise one.
double Koordinate(double x, Simplexform form) {
  return form == Simplexform::kKlassisch ? std::fabs(x) : x;
}

void StartsimplexBilden(Simplex& s, std::uint32_t p, Zielfunktion& ziel, Simplexform form,
                        double achsenSchritt) {
  s.chiQuadrat[0] = Bewerten(ziel, s.ecke[0], s.klassen[0]);
  if (form == Simplexform::kAchsenweise) {
    for (std::uint32_t k = 1; k <= p; ++k) {
      const double x0 = s.ecke[0][k - 1];
      const double schritt = x0 == 0 ? achsenSchritt : std::fabs(x0) * achsenSchritt;
      // Upward unless the domain would move the vertex elsewhere (a share near 1 stepped past
      // it is set back far inside): then downward, so the vertex stays beside the start.
      s.ecke[k] = s.ecke[0];
      s.ecke[k][k - 1] = x0 + schritt;
      Parametervektor korrigiert = s.ecke[k];
      ziel.Korrigieren(korrigiert);
      if (korrigiert[k - 1] != x0 + schritt) s.ecke[k][k - 1] = x0 - schritt;
      s.chiQuadrat[k] = Bewerten(ziel, s.ecke[k], s.klassen[k]);
    }
    return;
  }
  double vorzeichen = 1;
  for (std::uint32_t k = 1; k <= p; ++k) {
    // Every vertex scales the whole start vector: factors 1.10, 0.85, 1.20, 0.75, ...
    for (std::uint32_t j = 0; j < p; ++j) {
      const double x0 = s.ecke[0][j];
      s.ecke[k][j] = std::fabs(x0 + (k + 1) * vorzeichen * 0.05 * x0);
    }
    vorzeichen = -vorzeichen;
  }
  for (std::uint32_t k = 1; k <= p; ++k) s.chiQuadrat[k] = Bewerten(ziel, s.ecke[k], s.klassen[k]);
}

// A pattern move of one coordinate: x plus `laenge` times the step from `von` to `nach`, taken
// on the scale where a parameter's domain is open on both sides: shares (both ends inside
// (0, 1)) in log-odds, positive values in logarithms, the rest as they are. So a share running
// to 1 and a shape running to infinity are followed without leaving their domains.
double Musterschritt(double von, double nach, double x, double laenge) {
  const auto anteil = [](double v) { return v > 0 && v < 1; };
  if (anteil(von) && anteil(nach) && anteil(x)) {
    const double logit =
        std::log(x / (1 - x)) + laenge * (std::log(nach / (1 - nach)) - std::log(von / (1 - von)));
    return 1 / (1 + std::exp(-logit));
  }
  if (von > 0 && nach > 0 && x > 0) return x * std::exp(laenge * std::log(nach / von));
  return x + laenge * (nach - von);
}

void ErsetzeSchlechteste(Simplex& s, std::uint32_t p, const Parametervektor& v, double chi) {
  for (std::uint32_t j = 0; j < p; ++j) s.ecke[p][j] = v[j];
  s.chiQuadrat[p] = chi;
}

// The spread of the vertices' X², sqrt((S2 - S1²/(p+1))/(p+1)); false where it is degenerate
// (S2 < S1²/(p+1), which only rounding can cause). A vertex far off may have an X² beyond 1e150,
// whose square would overflow: the spread would come out NaN and end the cycle there, and the
// overflow would count against the fit. Such X² are scaled down by a power of two first (exact,
// every digit kept) and the spread scaled back; below 2^500 nothing is scaled and the formula
// runs as written.
bool Streuung(const Simplex& s, std::uint32_t p, double& streuung) {
  double groesste = 0;
  for (std::uint32_t k = 0; k <= p; ++k) groesste = std::max(groesste, std::fabs(s.chiQuadrat[k]));
  const int exponent = groesste > 0x1p500 ? std::ilogb(groesste) : 0;
  double s1 = 0, s2 = 0;
  for (std::uint32_t k = 0; k <= p; ++k) {
    const double chi = exponent == 0 ? s.chiQuadrat[k] : std::ldexp(s.chiQuadrat[k], -exponent);
    s1 += chi;
    s2 += chi * chi;
  }
  const double ecken = p + 1;
  const double erwartet = s1 * s1 / ecken;
  if (s2 < erwartet) return false;
  streuung = std::sqrt((s2 - erwartet) / ecken);
  if (exponent != 0) streuung = std::ldexp(streuung, exponent);
  return true;
}

// One step on a sorted simplex; returns false when the spread is degenerate, else the spread in
// `streuung`.
bool SimplexSchritt(Simplex& s, std::uint32_t p, Zielfunktion& ziel, const TEinstellungen& e,
                    Simplexform form, double& streuung) {
  const double alpha = e.Reflektionsweite;
  const double gamma = e.Expansionsweite;
  const double beta = e.Kontraktionsgroesse;

  Parametervektor c{};
  for (std::uint32_t j = 0; j < p; ++j) {
    double summe = 0;
    for (std::uint32_t k = 0; k < p; ++k) summe += s.ecke[k][j] / p;
    c[j] = summe;
  }

  Parametervektor r{};
  for (std::uint32_t j = 0; j < p; ++j)
    r[j] = Koordinate(c[j] * (1 + alpha) - alpha * s.ecke[p][j], form);
  const double fr = Bewerten(ziel, r);

  if (fr < s.chiQuadrat[0]) {
    Parametervektor x{};
    for (std::uint32_t j = 0; j < p; ++j)
      x[j] = Koordinate(gamma * r[j] + (1 - gamma) * c[j], form);
    const double fe = Bewerten(ziel, x);
    // The expansion is judged against the best vertex, not against the reflected point.
    if (fe < s.chiQuadrat[0]) {
      ErsetzeSchlechteste(s, p, x, fe);
    } else {
      ErsetzeSchlechteste(s, p, r, fr);
    }
  } else if (fr < s.chiQuadrat[p - 1]) {
    ErsetzeSchlechteste(s, p, r, fr);
  } else {
    if (fr <= s.chiQuadrat[p]) ErsetzeSchlechteste(s, p, r, fr);
    Parametervektor x{};
    for (std::uint32_t j = 0; j < p; ++j)
      x[j] = Koordinate(beta * s.ecke[p][j] + (1 - beta) * c[j], form);
    const double fc = Bewerten(ziel, x);
    if (fc < s.chiQuadrat[p]) {
      ErsetzeSchlechteste(s, p, x, fc);
    } else {
      ziel.Korrigieren(s.ecke[0]);
      for (std::uint32_t k = 1; k <= p; ++k) {
        for (std::uint32_t j = 0; j < p; ++j) s.ecke[k][j] = (s.ecke[k][j] + s.ecke[0][j]) / 2;
        s.chiQuadrat[k] = Bewerten(ziel, s.ecke[k]);
      }
    }
  }

  return Streuung(s, p, streuung);
}

}  // namespace

void SimplexSortieren(Simplex& s, std::uint32_t p, const Zielfunktion& ziel) {
  for (std::uint32_t i = 1; i <= p; ++i) {
    for (std::uint32_t j = i; j <= p; ++j) {
      if (s.chiQuadrat[i - 1] > s.chiQuadrat[j]) {
        for (std::uint32_t c = 0; c < p; ++c) {
          std::swap(s.ecke[i - 1][c], s.ecke[j][c]);
          ziel.Korrigieren(s.ecke[j]);
        }
        std::swap(s.chiQuadrat[i - 1], s.chiQuadrat[j]);
        std::swap(s.klassen[i - 1], s.klassen[j]);
      }
    }
  }
}

bool Optimierungszyklus(Simplex& s, std::uint32_t p, Zielfunktion& ziel, const TEinstellungen& e,
                        const Abbruchabfrage& abbruch, Status& status, Simplexform form,
                        double achsenSchritt) {
  StartsimplexBilden(s, p, ziel, form, achsenSchritt);
  // Without a free parameter there is nothing to move: the start vector is the result.
  if (p == 0) return true;

  std::uint32_t schritte = 0;
  std::uint32_t gleicheStreuungen = 0;
  double vorige = 0;
  double streuung = 0;
  bool entartet = false;
  do {
    ++schritte;
    SimplexSortieren(s, p, ziel);
    entartet = !SimplexSchritt(s, p, ziel, e, form, streuung);
    if (!entartet) {
      if (streuung == vorige) ++gleicheStreuungen;
      vorige = streuung;
    }
    if (abbruch.Abbrechen()) status = status::kAbort;
  } while (!entartet && streuung > e.Abbruchkriterium && schritte < e.Optimierungsversuche &&
           gleicheStreuungen != 5 && status == status::kOk);
  return !entartet && status == status::kOk;
}

bool Verfeinern(Simplex& s, std::uint32_t p, Zielfunktion& ziel, const TEinstellungen& e,
                const Abbruchabfrage& abbruch, Status& status, bool* erschoepft) {
  if (erschoepft != nullptr) *erschoepft = false;
  s.chiQuadrat[0] = Bewerten(ziel, s.ecke[0], s.klassen[0]);
  if (p == 0) return true;
  double schritt = kAchsenSchritt;
  bool beendet = false;
  for (std::uint32_t neustart = 0; neustart < kMaxNeustarts && !beendet; ++neustart) {
    Simplex t{};
    t.ecke[0] = s.ecke[0];
    // A degenerate end (every vertex failed alike) is no error here: the cycle just found
    // nothing better, which the comparison below sees.
    Optimierungszyklus(t, p, ziel, e, abbruch, status, Simplexform::kAchsenweise, schritt);
    if (status != status::kOk) return false;
    SimplexSortieren(t, p, ziel);
    double gewinn = s.chiQuadrat[0] - t.chiQuadrat[0];
    if (gewinn > 0) {
      const Parametervektor alt = s.ecke[0];
      s.ecke[0] = t.ecke[0];
      s.chiQuadrat[0] = t.chiQuadrat[0];
      s.klassen[0] = t.klassen[0];
      double laenge = 1;
      for (std::uint32_t m = 0; m < kMaxMusterschritte; ++m, laenge *= 2) {
        Parametervektor weiter = s.ecke[0];
        // Doubling lengths overflow at last (a shape running to infinity): such a step is the
        // end of the pattern moves, not a fault of the fit.
        FpFaultScope musterschritt;
        for (std::uint32_t j = 0; j < p; ++j)
          weiter[j] = Musterschritt(alt[j], t.ecke[0][j], s.ecke[0][j], laenge);
        if (musterschritt.Schliessen() != 0) break;
        std::uint32_t klassen = 0;
        const double chi = Bewerten(ziel, weiter, klassen);
        if (!(chi < s.chiQuadrat[0])) break;
        gewinn += s.chiQuadrat[0] - chi;
        s.ecke[0] = weiter;
        s.chiQuadrat[0] = chi;
        s.klassen[0] = klassen;
      }
    }
    if (gewinn > e.Abbruchkriterium) {
      schritt = kAchsenSchritt;
    } else if (schritt < kGroessterAchsenSchritt) {
      schritt *= 10;
    } else {
      beendet = true;
    }
  }
  if (erschoepft != nullptr) *erschoepft = !beendet;
  // The final evaluation sorts the vertices first: every one of them is the best.
  for (std::uint32_t k = 1; k <= p; ++k) {
    s.ecke[k] = s.ecke[0];
    s.chiQuadrat[k] = s.chiQuadrat[0];
    s.klassen[k] = s.klassen[0];
  }
  return true;
}

}  // namespace vk

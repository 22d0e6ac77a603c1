// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Kruemmung.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "fitting/Anpassungen.h"
#include "fitting/Anpassungsguete.h"

namespace vk {

std::string KruemmungsgrundText(Kruemmungsgrund g) {
  switch (g) {
    case Kruemmungsgrund::kKeiner:
      return {};
    case Kruemmungsgrund::kKeinErgebnis:
      return "no fitted result";
    case Kruemmungsgrund::kRand:
      return "the minimum lies on the edge of a parameter's domain";
    case Kruemmungsgrund::kAuswertung:
      return "an evaluation near the minimum failed";
    case Kruemmungsgrund::kNichtPositivDefinit:
      return "the Hessian of X² is not positive definite";
    case Kruemmungsgrund::kGanzzahlig:
      return "every free parameter takes whole numbers only";
  }
  return {};
}

bool HesseMatrixBerechnen(const Zielwert& f, const Parametervektor& theta,
                          std::span<const std::uint32_t> frei, std::span<const double> h,
                          Matrix& H) {
  const std::size_t m = frei.size();
  double f0 = 0;
  if (!f(theta, f0)) return false;
  const auto wert = [&](std::size_t a, double sa, std::size_t b, double sb, double& y) {
    Parametervektor v = theta;
    v[frei[a]] += sa * h[a];
    if (b < m) v[frei[b]] += sb * h[b];
    return f(v, y);
  };
  constexpr std::size_t kKeiner = std::numeric_limits<std::size_t>::max();
  for (std::size_t a = 0; a < m; ++a) {
    double plus = 0, minus = 0;
    if (!wert(a, 1, kKeiner, 0, plus) || !wert(a, -1, kKeiner, 0, minus)) return false;
    H[a][a] = (plus - 2 * f0 + minus) / (h[a] * h[a]);
    for (std::size_t b = 0; b < a; ++b) {
      double pp = 0, pm = 0, mp = 0, mm = 0;
      if (!wert(a, 1, b, 1, pp) || !wert(a, 1, b, -1, pm) || !wert(a, -1, b, 1, mp) ||
          !wert(a, -1, b, -1, mm))
        return false;
      H[a][b] = H[b][a] = (pp - pm - mp + mm) / (4 * h[a] * h[b]);
    }
  }
  return true;
}

bool KovarianzAusHesse(const Matrix& H, std::uint32_t m, Matrix& kovarianz) {
  // H = R Rᵀ with R lower triangular; a pivot that is not positive (or not a number) means H is
  // not positive definite.
  Matrix R{};
  for (std::uint32_t i = 0; i < m; ++i) {
    for (std::uint32_t j = 0; j <= i; ++j) {
      double s = H[i][j];
      for (std::uint32_t k = 0; k < j; ++k) s -= R[i][k] * R[j][k];
      if (i == j) {
        if (!(s > 0)) return false;
        R[i][i] = std::sqrt(s);
      } else {
        R[i][j] = s / R[j][j];
      }
    }
  }
  // R⁻¹ (lower triangular) by forward substitution, then H⁻¹ = R⁻ᵀ R⁻¹.
  Matrix inv{};
  for (std::uint32_t j = 0; j < m; ++j) {
    inv[j][j] = 1 / R[j][j];
    for (std::uint32_t i = j + 1; i < m; ++i) {
      double s = 0;
      for (std::uint32_t k = j; k < i; ++k) s -= R[i][k] * inv[k][j];
      inv[i][j] = s / R[i][i];
    }
  }
  for (std::uint32_t i = 0; i < m; ++i) {
    for (std::uint32_t j = 0; j < m; ++j) {
      double s = 0;
      for (std::uint32_t k = std::max(i, j); k < m; ++k) s += inv[k][i] * inv[k][j];
      kovarianz[i][j] = 2 * s;
    }
  }
  return true;
}

namespace {

struct Bereich {
  double unten = -std::numeric_limits<double>::infinity();
  double oben = std::numeric_limits<double>::infinity();
};

// The domain a parameter's properties give it: the values its corrections leave as they are.
Bereich Definitionsbereich(const TParameterEigenschaften& e, std::uint32_t j) {
  Bereich b;
  const auto unten = [&](double w) { b.unten = std::max(b.unten, w); };
  const auto oben = [&](double w) { b.oben = std::min(b.oben, w); };
  // Below 0.0001 a value in (0, 1) is set to 0.01: that is where its domain ends in practice.
  if (e.zwischenNullundEins[j]) unten(0.0001), oben(1);
  if (e.positiveZahl[j] || e.groesserNull[j]) unten(0);
  if (e.ueberEins[j]) unten(1);
  if (e.unterMinusEins[j]) oben(-1);
  if (e.zwischenMinusEinsundEins[j]) unten(-1), oben(1);
  if (e.kleinerEins[j]) oben(1);
  if (e.groesserGleichMinusEins[j]) unten(-1);
  return b;
}

}  // namespace

KruemmungsErgebnis KruemmungRechnen(Anpassungen& engine) {
  KruemmungsErgebnis out;
  out.se.fill(std::numeric_limits<double>::quiet_NaN());
  if (!engine.Gefunden()) return out;
  const TParameterEigenschaften& eig = engine.Eigenschaften();
  out.parZahl = eig.parZahl;
  const Parametervektor theta = engine.BesterVektor();

  std::array<std::uint32_t, kMaxParameter> frei{};
  std::array<double, kMaxParameter> h{};
  std::uint32_t m = 0;
  for (std::uint32_t j = 0; j < eig.parZahl; ++j) {
    if (eig.natuerlicheZahl[j] || eig.natuerlicheZahlMit0[j]) continue;
    const double schritt = kSchrittRelativ * std::max(std::fabs(theta[j]), kSchrittSkala);
    const Bereich b = Definitionsbereich(eig, j);
    if (!(theta[j] - 2 * schritt > b.unten && theta[j] + 2 * schritt < b.oben)) {
      out.grund = Kruemmungsgrund::kRand;
      return out;
    }
    frei[m] = j;
    h[m] = schritt;
    ++m;
  }
  if (m == 0) {
    out.grund = Kruemmungsgrund::kGanzzahlig;
    return out;
  }

  // The cells of the result as it was reported: X² with them held is smooth around the minimum.
  const std::vector<std::uint32_t> ziel = engine.Poolung(true);
  const TDatensatz& d = engine.Daten();
  std::vector<double> zellF(ziel.size(), 0.0);
  for (std::size_t i = 0; i < ziel.size(); ++i)
    zellF[ziel[i] == kNichtGepoolt ? i : ziel[i]] += d.Haeufigkeiten[i];
  const Zielwert f = [&](const Parametervektor& v, double& chi) {
    return engine.ChiQuadratFesteZellen(v, ziel, zellF, chi);
  };
  Matrix H{};
  if (!HesseMatrixBerechnen(f, theta, std::span(frei.data(), m), std::span(h.data(), m), H)) {
    out.grund = Kruemmungsgrund::kAuswertung;
    return out;
  }
  Matrix kovarianz{};
  if (!KovarianzAusHesse(H, m, kovarianz)) {
    out.grund = Kruemmungsgrund::kNichtPositivDefinit;
    return out;
  }
  for (std::uint32_t a = 0; a < m; ++a) out.se[frei[a]] = std::sqrt(kovarianz[a][a]);
  out.grund = Kruemmungsgrund::kKeiner;
  return out;
}

}  // namespace vk

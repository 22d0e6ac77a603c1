// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain maximum-likelihood fit of one member to grouped data, as a yardstick for the minimum
// chi-square fits: the textbook Nelder-Mead search (reflection 1, expansion 2, contraction 1/2,
// shrink 1/2, an axis-wise start simplex, signs kept) on the negative log-likelihood
// -sum f[i] ln(NP[i]/N), the last class read as "L or more" as the tail rule makes it, restarted
// from its best vertex while that still gains. Only the domain correction of the engine is
// shared with the fits it is compared with.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

#include "core/Datensatz.h"
#include "core/FpFault.h"
#include "distributions/helpers/Parameter.h"
#include "tests/support/NachNummer.h"

namespace vk::test {

struct MlErgebnis {
  Parametervektor par{};
  double minusLogL = std::numeric_limits<double>::infinity();
};

class MlSuche {
 public:
  MlSuche(std::uint32_t nummer, const TDatensatz& d, const TParameterEigenschaften& eig)
      : nummer_(nummer), d_(d), eig_(eig), np_(std::make_unique<Erwartungswerte>()) {}

  // -ln L of the vector, corrected in place; infinity where the member fails or gives an
  // observed class no probability.
  double MinusLogL(Parametervektor& v) {
    ParameterKorrigieren(v, eig_);
    Parametervektor kopie = v;
    FpFaultScope guard;
    const TStatistik& s = d_.Statistik;
    ErwartungswerteBerechnen(nummer_, kopie, s, d_.XWerte, d_.Haeufigkeiten, *np_, eig_);
    double summe = 0;
    for (std::uint32_t i = 0; i <= s.n; ++i) {
      const double f = d_.Haeufigkeiten[i];
      if (f == 0) continue;
      const double p = (*np_)[i] / s.summe;
      if (!(p > 0)) return std::numeric_limits<double>::infinity();
      summe -= f * std::log(p);
    }
    return guard.Faulted() ? std::numeric_limits<double>::infinity() : summe;
  }

  MlErgebnis Maximieren(Parametervektor start) {
    const std::uint32_t p = eig_.parZahl;
    MlErgebnis best{start, MinusLogL(start)};
    best.par = start;
    if (p == 0) return best;
    for (int neustart = 0; neustart < 20; ++neustart) {
      const MlErgebnis neu = Zyklus(best.par, p);
      const double gewinn = best.minusLogL - neu.minusLogL;
      if (!(gewinn > 0)) break;
      best = neu;
      if (gewinn < 1e-10) break;
    }
    return best;
  }

 private:
  MlErgebnis Zyklus(const Parametervektor& start, std::uint32_t p) {
    std::array<Parametervektor, kMaxParameter + 1> x{};
    std::array<double, kMaxParameter + 1> fx{};
    for (std::uint32_t k = 0; k <= p; ++k) {
      x[k] = start;
      if (k > 0) x[k][k - 1] = start[k - 1] == 0 ? 0.05 : start[k - 1] * 1.05;
      fx[k] = MinusLogL(x[k]);
    }
    for (int schritt = 0; schritt < 4000; ++schritt) {
      std::array<std::uint32_t, kMaxParameter + 1> o{};
      for (std::uint32_t k = 0; k <= p; ++k) o[k] = k;
      std::sort(o.begin(), o.begin() + p + 1, [&](auto a, auto b) { return fx[a] < fx[b]; });
      const std::uint32_t b = o[0], w = o[p], zw = o[p - 1];
      if (std::isfinite(fx[w]) && fx[w] - fx[b] <= 1e-12 * (1 + std::fabs(fx[b]))) break;
      Parametervektor c{};
      for (std::uint32_t k = 0; k <= p; ++k)
        if (k != w)
          for (std::uint32_t j = 0; j < p; ++j) c[j] += x[k][j] / p;
      const auto punkt = [&](double t) {
        Parametervektor v{};
        for (std::uint32_t j = 0; j < p; ++j) v[j] = c[j] + t * (x[w][j] - c[j]);
        return v;
      };
      Parametervektor r = punkt(-1);
      const double fr = MinusLogL(r);
      if (fr < fx[b]) {
        Parametervektor e = punkt(-2);
        const double fe = MinusLogL(e);
        if (fe < fr) {
          x[w] = e, fx[w] = fe;
        } else {
          x[w] = r, fx[w] = fr;
        }
      } else if (fr < fx[zw]) {
        x[w] = r, fx[w] = fr;
      } else {
        Parametervektor k = punkt(fr < fx[w] ? -0.5 : 0.5);
        const double fk = MinusLogL(k);
        if (fk < std::min(fr, fx[w])) {
          x[w] = k, fx[w] = fk;
        } else {
          for (std::uint32_t i = 0; i <= p; ++i) {
            if (i == b) continue;
            for (std::uint32_t j = 0; j < p; ++j) x[i][j] = x[b][j] + 0.5 * (x[i][j] - x[b][j]);
            fx[i] = MinusLogL(x[i]);
          }
        }
      }
    }
    std::uint32_t b = 0;
    for (std::uint32_t k = 1; k <= p; ++k)
      if (fx[k] < fx[b]) b = k;
    return {x[b], fx[b]};
  }

  std::uint32_t nummer_;
  const TDatensatz& d_;
  const TParameterEigenschaften& eig_;
  std::unique_ptr<Erwartungswerte> np_;
};

}  // namespace vk::test

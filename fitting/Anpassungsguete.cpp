// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Anpassungsguete.h"

#include <algorithm>
#include <cmath>

#include "core/FpFault.h"

namespace vk {

namespace {

bool SummeWeichtAb(double np, double summe) {
  return !(std::fabs(np - summe) <= kSummenAbweichungProN * summe);
}

// The pooling and the sum of GepooltesChiQuadrat, given the mode.
double PoolenUndSummieren(std::span<double> np, std::span<double> f, std::size_t modus,
                          double mindest, std::uint32_t& klassen) {
  const std::size_t n = np.size() - 1;
  // Descending, so that a pooled amount travels inward until it meets a class large enough.
  for (std::size_t i = n; i > modus; --i) {
    if (!(np[i] > mindest)) {
      np[i - 1] += np[i];
      f[i - 1] += f[i];
      np[i] = -1;
      f[i] = -1;
    }
  }
  for (std::size_t i = 0; i < modus; ++i) {
    if (!(np[i] > mindest)) {
      np[i + 1] += np[i];
      f[i + 1] += f[i];
      np[i] = -1;
      f[i] = -1;
    }
  }

  double chi = 0;
  std::uint32_t gezaehlt = 0;
  for (std::size_t i = 0; i <= n; ++i) {
    if (np[i] > 0) {
      const double d = np[i] - f[i];
      chi += d * d / np[i];
      ++gezaehlt;
    }
  }
  klassen = gezaehlt;
  return chi <= 0.00009 ? 0.0001 : chi;
}

}  // namespace

double GepooltesChiQuadrat(std::span<double> np, std::span<double> f, double mindest,
                           std::uint32_t& klassen) {
  const std::size_t n = np.size() - 1;
  std::size_t modus = 0;
  for (std::size_t i = 1; i <= n; ++i)
    if (np[i] > np[modus]) modus = i;
  return PoolenUndSummieren(np, f, modus, mindest, klassen);
}

double AuswertungsChiQuadrat(std::span<double> np, std::span<const double> f,
                             std::span<double> fArbeit, double summe, double negativProN,
                             double mindest, std::uint32_t& klassen) {
  // One pass where the checks, the mode and the copy would take four: at small L these passes,
  // not the arithmetic, are what an evaluation costs.
  const double grenze = -negativProN * summe;
  const std::size_t n = np.size() - 1;
  bool negativ = np[0] < grenze;
  double gesamt = np[0];
  fArbeit[0] = f[0];
  std::size_t modus = 0;
  for (std::size_t i = 1; i <= n; ++i) {
    negativ |= np[i] < grenze;
    gesamt += np[i];
    if (np[i] > np[modus]) modus = i;
    fArbeit[i] = f[i];
  }
  if (negativ || SummeWeichtAb(gesamt, summe)) return -1;
  return PoolenUndSummieren(np, fArbeit, modus, mindest, klassen);
}

void PoolungsZiele(std::span<const double> np, double mindest, std::span<std::uint32_t> ziel) {
  const std::size_t n = np.size() - 1;
  std::size_t modus = 0;
  for (std::size_t i = 1; i <= n; ++i)
    if (np[i] > np[modus]) modus = i;

  // First the neighbour each pooled class is added to, with the amount it carries along ...
  std::fill(ziel.begin(), ziel.end(), kNichtGepoolt);
  double mitgefuehrt = 0;
  for (std::size_t i = n; i > modus; --i) {
    const double wert = np[i] + mitgefuehrt;
    mitgefuehrt = 0;
    if (!(wert > mindest)) {
      ziel[i] = static_cast<std::uint32_t>(i - 1);
      mitgefuehrt = wert;
    }
  }
  mitgefuehrt = 0;
  for (std::size_t i = 0; i < modus; ++i) {
    const double wert = np[i] + mitgefuehrt;
    mitgefuehrt = 0;
    if (!(wert > mindest)) {
      ziel[i] = static_cast<std::uint32_t>(i + 1);
      mitgefuehrt = wert;
    }
  }
  // ... then, from the mode outward, the class where that chain of additions ends.
  for (std::size_t i = modus + 1; i <= n; ++i)
    if (ziel[i] != kNichtGepoolt && ziel[i - 1] != kNichtGepoolt) ziel[i] = ziel[i - 1];
  for (std::size_t i = modus; i-- > 0;)
    if (ziel[i] != kNichtGepoolt && ziel[i + 1] != kNichtGepoolt) ziel[i] = ziel[i + 1];
}

Verteilungspruefung VerteilungPruefen(std::span<const double> np, double summe,
                                      double negativProN) {
  const double grenze = -negativProN * summe;
  double gesamt = 0;
  for (std::size_t i = 0; i < np.size(); ++i) {
    if (np[i] < grenze) return {Verwerfung::kNegativ, static_cast<std::uint32_t>(i), np[i]};
    gesamt += np[i];
  }
  if (SummeWeichtAb(gesamt, summe)) return {Verwerfung::kSumme, 0, gesamt};
  return {};
}

double BestimmtheitsmassBerechnen(double summe, std::span<const double> f,
                                  std::span<const double> np) {
  const double mittel = summe / static_cast<double>(f.size());
  double sse = 0, sst = 0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    sse += (f[i] - np[i]) * (f[i] - np[i]);
    sst += (f[i] - mittel) * (f[i] - mittel);
  }
  return 1 - sse / sst;
}

double NormalSchwanz(double z) {
  const double a = std::fabs(z);
  const double t = a <= 14.14 ? a * 0.7071067812 : 10;
  const double s =
      1 +
      t * (0.0705230784 +
           t * (0.0422820123 +
                t * (0.0092705272 + t * (0.0001520143 + t * (0.0002765672 + t * 0.0000430638)))));
  return 0.5 * std::exp(-16 * std::log(s));
}

namespace {

double Wahrscheinlichkeit(std::uint32_t nu, double x) {
  if (nu == 0) return 0;
  // For every degree of freedom: the normal tail's clamp keeps 2 Q(sqrt(x)) above 8.6e-32
  // however large x is, and a method with one degree of freedom and an absurd X² would beat
  // every method with more degrees of freedom and X² >= 200 in the best-method rule.
  if (x >= 200) return 0;
  if (nu == 1) return 2 * NormalSchwanz(std::sqrt(x));
  if (nu <= 30) {
    if (nu % 2 == 1) {
      double r = std::exp(0.5 * std::log(x));
      double summe = r;
      for (std::uint32_t j = 2; j <= (nu - 1) / 2; ++j) {
        r = x * r / (2.0 * j - 1);
        summe += r;
      }
      return std::exp(-x / 2) * summe * 0.797885 + 2 * NormalSchwanz(std::sqrt(x));
    }
    double r = x / 2;
    double summe = 1;
    if (nu >= 4) summe += r;
    for (std::uint32_t j = 2; j <= (nu - 2) / 2; ++j) {
      r = x * r / (2.0 * j);
      summe += r;
    }
    return std::exp(-x / 2) * summe;
  }
  const double v = nu;
  double z;
  if (x == v - 1) {
    z = -(0.08 / v + 1.0 / 3) / std::sqrt(2 * v - 2);
  } else {
    const double e = std::sqrt((v - 1) * std::log((v - 1) / x) + x - (v - 1));
    z = e * (x - v + 2.0 / 3 - 0.08 / v) / std::fabs(x - v + 1);
  }
  return z > 0 ? NormalSchwanz(z) : 1 - NormalSchwanz(std::fabs(z));
}

}  // namespace

double ChiQuadratWahrscheinlichkeit(std::uint32_t df, double x) {
  FpFaultScope guard;
  const double p = Wahrscheinlichkeit(df, x);
  return guard.Faulted() ? 0 : p;
}

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Statistik.h"

#include <cmath>

#include "core/FpFault.h"

namespace vk {

void MomenteBerechnen(const KlassenWerte& x, const KlassenHaeufigkeiten& f, TStatistik& s) {
  const std::uint32_t n = s.n;
  const double N = s.summe;

  double gerade = 0;
  for (std::uint32_t i = 0; i <= n; i += 2) gerade += f[i] / N;
  s.paritaet = std::fabs(2 * gerade - 1);

  double summeXF = 0;
  double paritaetK = 0;
  for (std::uint32_t i = 0; i <= n; ++i) {
    summeXF += static_cast<double>(x[i]) * f[i];
    const double vorzeichen = (i % 2 == 1) ? 1.0 : -1.0;
    paritaetK += vorzeichen * static_cast<double>(i) * f[i] / N;
  }
  s.paritaetK = std::fabs(paritaetK);
  s.m1 = summeXF / N;

  double z2 = 0, z3 = 0, z4 = 0, wiederholung = 0, entropie = 0;
  for (std::uint32_t i = 0; i <= n; ++i) {
    const double d = static_cast<double>(x[i]) - s.m1;
    const double d2 = d * d;
    z2 += d2 * f[i];
    z3 += d2 * d * f[i];
    z4 += d2 * d2 * f[i];
    const double p = f[i] / N;
    wiederholung += p * p;
    if (f[i] > 0) entropie += std::log(p) * p;
  }
  s.m2 = z2 / N;
  s.m3 = z3 / N;
  s.m4 = z4 / N;

  const double m1 = s.m1, m2 = s.m2, m3 = s.m3, m4 = s.m4;
  const double m1q = m1 * m1;
  const double m1k = m1q * m1;
  // m1^4 as exp(4 ln m1): a mean that is not positive must fail here, as a fault.
  const double m1hoch4 = std::exp(4 * std::log(m1));
  s.fm2 = m2 - m1 + m1q;
  s.fm3 = m3 + 3 * m1 * m2 + m1k - 3 * (m2 + m1q) + 2 * m1;
  s.fm4 = (m4 + 4 * m1 * m3 + 6 * m1q * m2 + m1hoch4) - 6 * (m3 + 3 * m1 * m2 + m1k) +
          11 * (m2 + m1q) - 6 * m1;
  s.m1x0 = m1 - static_cast<double>(x[0]);

  const double K = static_cast<double>(n) + 1;
  s.schiefe = m3 / std::sqrt(m2 * m2 * m2);
  s.exzess = m4 / (m2 * m2) - 3;
  s.ord_i = m2 / m1;
  s.ord_s = m3 / m2;
  s.entropie = -entropie / std::log(K);
  s.wiederholungsrate = (1 - wiederholung) / (1 - 1 / K);
}

void ModusGruppeSuchen(const KlassenHaeufigkeiten& f, TStatistik& s) {
  s.ModusGruppenIndex = 0;
  s.quotient = {0, 0, 0};
  double bester = 0;
  for (std::uint32_t j = 0; j + 3 <= s.n; ++j) {
    const bool allePositiv = f[j] > 0 && f[j + 1] > 0 && f[j + 2] > 0 && f[j + 3] > 0;
    const double summe = f[j] + f[j + 1] + f[j + 2] + f[j + 3];
    if (allePositiv && summe > bester) {
      bester = summe;
      s.ModusGruppenIndex = static_cast<std::int32_t>(j + 1);
    }
  }
  if (s.ModusGruppenIndex > 0) {
    const auto a = static_cast<std::uint32_t>(s.ModusGruppenIndex);
    s.quotient[0] = f[a] / f[a - 1];
    s.quotient[1] = f[a + 1] / f[a];
    s.quotient[2] = f[a + 2] / f[a + 1];
  }
}

Status StatistikBerechnen(TDatensatz& d, TDateneigenschaften& e) {
  TStatistik& s = d.Statistik;
  if (s.summe == 0) return status::kDataNotUsable;
  if (d.XWerte[s.n] == 0) return status::kDataNotUsable;

  FpFaultScope guard;
  MomenteBerechnen(d.XWerte, d.Haeufigkeiten, s);
  ModusGruppeSuchen(d.Haeufigkeiten, s);
  const std::int64_t tot = TruncToInt64(s.summe);
  if (guard.Faulted()) return status::kException;

  e.m1 = s.m1;
  e.m2 = s.m2;
  e.m3 = s.m3;
  e.m4 = s.m4;
  e.schiefe = s.schiefe;
  e.exzess = s.exzess;
  e.ord_i = s.ord_i;
  e.ord_s = s.ord_s;
  e.entropie = s.entropie;
  e.wiederholungsrate = s.wiederholungsrate;
  e.tot = tot;
  e.n = static_cast<std::int32_t>(s.n);
  e.ModusGruppenIndex = s.ModusGruppenIndex;
  return status::kOk;
}

}  // namespace vk

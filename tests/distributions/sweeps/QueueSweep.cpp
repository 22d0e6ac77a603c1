// SPDX-License-Identifier: GPL-3.0-or-later
// Queue family (members 56, 57, 69) over their domains against long-double probabilities: loads
// far below, at and above the number of servers (56 has a removable singularity at a = m), server
// counts below and above the last class, loads heavy enough to overflow the plain terms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// log of a^j / j! for j <= m and of a^j / (m! m^(j-m)) above.
long double LogWarteschlange(long double a, long double m, long double j) {
  if (j <= m) return j * std::log(a) - LogFak(j);
  return j * std::log(a) - LogFak(m) - (j - m) * std::log(m);
}

// exp(t - max t), so that no term overflows before the normalisation.
std::vector<long double> AusLogs(std::vector<long double> t) {
  const long double c = *std::max_element(t.begin(), t.end());
  for (long double& v : t) v = std::exp(v - c);
  return t;
}

TEST(QueueSweep, FiniteWaitingRoom) {
  for (double m : {1.0, 3.0, 12.0})
    for (std::uint32_t L : {5u, 40u, 600u})
      Sweep(56, Gitter({{1e-3, 0.5, 2.9, 3, 3.1, 12, 200, 2000}}, {m}, L), Letzte::kPunkt,
            [](const SweepPunkt& p) {
              std::vector<long double> t(p.L + 1);
              for (std::uint32_t j = 0; j <= p.L; ++j)
                t[j] = LogWarteschlange(p.par[0], p.fest[0], j);
              return Normiert(AusLogs(t));
            });
}

TEST(QueueSweep, UnlimitedWaitingRoom) {
  for (double m : {1.0, 3.0, 12.0, 900.0})
    for (std::uint32_t L : {5u, 40u, 600u}) {
      std::vector<double> lasten{1e-3, 0.5 * m, 0.9 * m, 0.999 * m};
      if (m > 100) lasten.push_back(m - 5);
      Sweep(57, Gitter({lasten}, {m}, L), Letzte::kRest, [](const SweepPunkt& p) {
        const long double a = p.par[0], mm = p.fest[0];
        // The terms up to m and the geometric rest beyond, on the scale of the largest term.
        const auto bis = static_cast<std::uint32_t>(std::max<long double>(mm, p.L));
        std::vector<long double> t(bis + 1);
        for (std::uint32_t j = 0; j <= bis; ++j) t[j] = LogWarteschlange(a, mm, j);
        const long double c = *std::max_element(t.begin(), t.end());
        long double s = 0;
        for (std::uint32_t j = 0; j < mm; ++j) s += std::exp(t[j] - c);
        s += std::exp(t[static_cast<std::uint32_t>(mm)] - c) / (1 - a / mm);
        std::vector<long double> r(p.L + 1);
        for (std::uint32_t j = 0; j <= p.L; ++j) r[j] = std::exp(t[j] - c) / s;
        return r;
      });
    }
}

TEST(QueueSweep, ThreePhaseChain) {
  // (k, l, c): ranges inside the classes, a second range that is empty, a first that covers all.
  const Fest fest[] = {{2, 5, 5}, {3, 3, 1}, {1.5, 8, 8.7}, {50, 60, 60}};
  for (const Fest& f : fest)
    for (std::uint32_t L : {12u, 80u})
      Sweep(69, Gitter({{1e-3, 0.5, 3, 40}}, f, L), Letzte::kPunkt, [](const SweepPunkt& p) {
        const long double a = p.par[0], k = p.fest[0], c = p.fest[2];
        std::vector<long double> t(p.L + 1);
        t[0] = 0;
        for (std::uint32_t i = 1; i <= p.L; ++i) {
          long double r = 0;
          if (i <= std::trunc(k))
            r = c * a / i;
          else if (i <= std::trunc(c))
            r = c * a / k;
          else
            r = (p.L - i + 1.0L) * a / k;
          t[i] = t[i - 1] + std::log(r);
        }
        return Normiert(AusLogs(t));
      });
}

}  // namespace
}  // namespace vk::test

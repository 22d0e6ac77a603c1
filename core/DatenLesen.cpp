// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DatenLesen.h"

#include <exception>

#include "core/FpFault.h"
#include "core/Statistik.h"

namespace vk {

namespace {

// The classes part of a read; returns the status of the read before the statistics.
Status KlassenLesen(TDatensatz& d, RecordSource& quelle) {
  auto& xw = d.XWerte;
  auto& hf = d.Haeufigkeiten;
  std::uint32_t i = 0;
  std::uint32_t zaehler = 0;
  Status quellStatus = status::kOk;
  Record satz;
  do {
    quellStatus = quelle.Next(satz, zaehler);
    if (quellStatus != status::kOk) break;
    const std::uint32_t x = satz.x;
    if (x > kMaxX) return status::kDefXTooLarge;
    if (i > 0) {
      // Without strictly ascending x the gap filling below would run past the arrays.
      if (x <= xw[i - 1]) return status::kDataError;
      while (xw[i - 1] != x - 1) {
        xw[i] = xw[i - 1] + 1;
        hf[i] = 0;
        ++i;
      }
    }
    xw[i] = x;
    hf[i] = satz.f;
    d.Statistik.summe += satz.f;
    ++i;
  } while (i <= kMaxKlassenIndex);

  if (quellStatus == status::kEndOfData) {
    if (i == 0) return status::kNoData;
    d.Statistik.n = i - 1;
    return status::kOk;
  }
  if (quellStatus != status::kOk) return quellStatus;

  // 20001 classes are stored: one more record is one too many; the end (or any refusal, such
  // as a trailing blank line read as x = 0) closes the data set.
  if (quelle.Next(satz, zaehler) == status::kOk) return status::kTooManyClasses;
  d.Statistik.n = kMaxKlassenIndex;
  return status::kOk;
}

}  // namespace

Status DatenLesen(TDatensatz& d, RecordSource& quelle, TDateneigenschaften& eigenschaften) {
  d.DatenGueltig = false;
  d.Statistik = TStatistik{};
  Status st = status::kException;
  try {
    FpFaultScope guard;
    st = KlassenLesen(d, quelle);
    if (st == status::kOk && guard.Faulted()) st = status::kException;  // N overflowed
    if (st == status::kOk) st = StatistikBerechnen(d, eigenschaften);
  } catch (const std::exception&) {
    st = status::kException;
  }
  d.DatenGueltig = (st == status::kOk);
  return st;
}

Status KlasseHolen(const TDatensatz& d, std::uint32_t i, double& f, std::uint32_t& x) {
  if (!d.DatenGueltig) return status::kNoData;
  if (i > d.Statistik.n) return status::kEndOfData;
  f = d.Haeufigkeiten[i];
  x = d.XWerte[i];
  return status::kOk;
}

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Datenbestand.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/DatenDatei.h"
#include "core/DatenLesen.h"
#include "fitting/Anpassungen.h"
#include "python/src/Fehler.h"

namespace vk::py {

namespace {

// Records from two arrays. An x that is no whole number in 0..2^32-1 maps to the largest x, as
// the file reader maps a negative or oversized one, so that the read ends in "Def X too large".
template <typename X>
class ArrayRecordSource final : public RecordSource {
 public:
  ArrayRecordSource(std::span<const X> x, std::span<const double> f) : x_(x), f_(f) {}
  Status Next(Record& out, std::uint32_t& counter) override {
    if (i_ >= x_.size()) return status::kEndOfData;
    const double x = static_cast<double>(x_[i_]);
    const bool ganz =
        x >= 0 && x <= std::numeric_limits<std::uint32_t>::max() && std::floor(x) == x;
    out.x = ganz ? static_cast<std::uint32_t>(x) : std::numeric_limits<std::uint32_t>::max();
    out.f = f_[i_];
    ++i_;
    // As in a file, an x of 0 can only open the data.
    if (counter != 0 && out.x == 0) return status::kDataError;
    ++counter;
    return status::kOk;
  }

 private:
  std::span<const X> x_;
  std::span<const double> f_;
  std::size_t i_ = 0;
};

}  // namespace

namespace {

// The reader's room for a data set, one per thread, reused by every read on it.
TDatensatz& Leseplatz() {
  thread_local std::unique_ptr<TDatensatz> platz = std::make_unique<TDatensatz>();
  return *platz;
}

std::shared_ptr<const Klassen> Verdichten(const TDatensatz& d) {
  auto k = std::make_shared<Klassen>();
  const std::size_t zahl = static_cast<std::size_t>(d.Statistik.n) + 1;
  k->x.assign(d.XWerte.begin(), d.XWerte.begin() + static_cast<std::ptrdiff_t>(zahl));
  k->f.assign(d.Haeufigkeiten.begin(), d.Haeufigkeiten.begin() + static_cast<std::ptrdiff_t>(zahl));
  k->statistik = d.Statistik;
  return k;
}

}  // namespace

Datenbestand DateiEinlesen(const std::string& pfad) {
  return DateiEinlesen(pfad, Leseplatz());
}

Datenbestand DateiEinlesen(const std::string& pfad, TDatensatz& d) {
  TDateneigenschaften e;
  std::string detail;
  const Status st = DateiLesen(pfad, d, e, detail);
  if (st != status::kOk)
    throw Fehler(st, LesefehlerText(pfad, st) + (detail.empty() ? "" : "\n  " + detail));
  return {Verdichten(d), pfad};
}

Datenbestand FelderEinlesen(std::span<const double> x, std::span<const double> f) {
  if (x.size() != f.size())
    throw FalscherAufruf("x and f must have the same length (x has " + std::to_string(x.size()) +
                         ", f has " + std::to_string(f.size()) + ")");
  // A frequency that is no number is a malformed token in a file; the reader then says 12.
  if (!std::all_of(f.begin(), f.end(), [](double v) { return std::isfinite(v); }))
    throw Fehler(status::kException,
                 LesefehlerText("", status::kException) + "\n  a frequency is not a finite number");
  TDatensatz& d = Leseplatz();
  TDateneigenschaften e;
  ArrayRecordSource<double> quelle(x, f);
  const Status st = DatenLesen(d, quelle, e);
  if (st != status::kOk) throw Fehler(st, LesefehlerText("", st));
  return {Verdichten(d), {}};
}

void DatenUebertragen(const Datenbestand& von, Anpassungen& engine) {
  ArrayRecordSource<std::uint32_t> quelle(von.daten->x, von.daten->f);
  TDateneigenschaften e;
  // The classes were read and checked once already: this read cannot fail.
  engine.DatenLesen(quelle, e);
}

}  // namespace vk::py

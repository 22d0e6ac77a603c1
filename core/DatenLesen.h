// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/Datensatz.h"
#include "core/Status.h"

namespace vk {

// One record of an input data set: the value x and its observed frequency f.
struct Record {
  double f = 0;
  std::uint32_t x = 0;
};

// Where `DatenLesen` pulls its records from; the engine never touches files itself.
// Next returns 0 with a record delivered (and `counter` incremented), 9 for an x of 0 that is not
// the first record, 10 when there is no further record; any other code is passed through.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual Status Next(Record& out, std::uint32_t& counter) = 0;
};

// Reads every record of `quelle` into `daten`, filling gaps between consecutive x values with
// empty classes, then computes the statistics and fills `eigenschaften`. `daten.DatenGueltig` is
// true exactly when the result is 0. Records must have strictly ascending x; a repeated or
// descending x is rejected with 9.
Status DatenLesen(TDatensatz& daten, RecordSource& quelle, TDateneigenschaften& eigenschaften);

// Class i of a valid data set: 2 without valid data, 10 beyond the last class.
Status KlasseHolen(const TDatensatz& daten, std::uint32_t i, double& f, std::uint32_t& x);

}  // namespace vk

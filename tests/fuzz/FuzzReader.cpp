// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the input file reader: it must return a status, never crash, hang or
// write past the class arrays, and a successful read must satisfy the data set's invariants.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "core/DatenLesen.h"
#include "core/TextRecordSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto daten = std::make_unique<vk::TDatensatz>();
  vk::TDateneigenschaften eigenschaften;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  vk::TextRecordSource quelle(in);
  const vk::Status st = vk::DatenLesen(*daten, quelle, eigenschaften);
  if (st > vk::status::kLast) std::abort();
  if (st == vk::status::kOk) {
    const auto& d = *daten;
    if (!d.DatenGueltig || d.Statistik.n > vk::kMaxKlassenIndex) std::abort();
    if (d.XWerte[d.Statistik.n] > vk::kMaxX) std::abort();
    for (std::uint32_t i = 1; i <= d.Statistik.n; ++i)
      if (d.XWerte[i] != d.XWerte[0] + i) std::abort();
  } else if (daten->DatenGueltig) {
    std::abort();
  }
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the catalog decoder behind the cipher (decompression, binary element
// tree, entries): it must fail cleanly or yield a table whose every entry sits in its own slot
// within the fixed capacities, and a tree it accepts must encode back to a tree it reads alike.
// The first byte chooses the layer: even, the rest is a payload (length and zlib stream); odd,
// the rest is an uncompressed tree, which mutations reach far more often than through zlib.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/BinaryXml.h"
#include "catalog/CatalogFile.h"
#include "catalog/EntryReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool raw = (data[0] & 1) != 0;
  const std::span<const std::uint8_t> payload(data + 1, size - 1);
  vk::Verteilungstabelle tabelle;
  std::string error;
  vk::XmlDocument doc;
  const bool decoded = raw ? vk::DecodeBinaryXml(payload, doc, error)
                           : vk::DecodeCatalogPayload(payload, doc, error);
  const bool read = raw ? decoded && vk::EintraegeLesen(doc, tabelle, error)
                        : vk::KatalogInhaltLesen(payload, tabelle, error);
  if (read) {
    for (std::size_t k = 0; k < tabelle.size(); ++k) {
      const auto& e = tabelle[k];
      if (!e) continue;
      if (e->index != k || e->parameterZahl > vk::kMaxParameter ||
          e->festparameterZahl > vk::kMaxFestparameter)
        std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }

  if (decoded) {
    std::vector<std::uint8_t> tree;
    vk::XmlDocument back;
    if (!vk::EncodeBinaryXml(doc, tree, error) || !vk::DecodeBinaryXml(tree, back, error) ||
        !(back == doc))
      std::abort();
  }
  return 0;
}

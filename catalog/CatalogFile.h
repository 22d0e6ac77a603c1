// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/CatalogKey.h"
#include "catalog/Katalogeintrag.h"
#include "catalog/XmlTree.h"

namespace vk {

// The layers of a catalog file, outermost first: container (AES + MAC), compression, binary XML
// tree, entries. Each function says what failed in `error` and returns false.

// Deciphered payload to document: decompression and binary XML.
bool DecodeCatalogPayload(std::span<const std::uint8_t> payload, XmlDocument& doc,
                          std::string& error);

// Deciphered payload to table: the whole decoder behind the cipher.
bool KatalogInhaltLesen(std::span<const std::uint8_t> payload, Verteilungstabelle& tabelle,
                        std::string& error);

// Whole file to document and to table.
bool ReadCatalogDocument(std::span<const std::uint8_t> file, const CatalogKey& key,
                         XmlDocument& doc, std::string& error);
bool KatalogDateiLesen(std::span<const std::uint8_t> file, const CatalogKey& key,
                       Verteilungstabelle& tabelle, std::string& error);

// Document to payload and to file. Both refuse a document whose entries would not load.
bool EncodeCatalogPayload(const XmlDocument& doc, std::vector<std::uint8_t>& payload,
                          std::string& error);
bool WriteCatalogFile(const XmlDocument& doc, const CatalogKey& key,
                      std::vector<std::uint8_t>& file, std::string& error);

}  // namespace vk

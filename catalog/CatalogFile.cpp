// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CatalogFile.h"

#include "catalog/BinaryXml.h"
#include "catalog/Compression.h"
#include "catalog/Container.h"
#include "catalog/EntryReader.h"

namespace vk {

bool DecodeCatalogPayload(std::span<const std::uint8_t> payload, XmlDocument& doc,
                          std::string& error) {
  std::vector<std::uint8_t> tree;
  return Decompress(payload, tree, error) && DecodeBinaryXml(tree, doc, error);
}

bool KatalogInhaltLesen(std::span<const std::uint8_t> payload, Verteilungstabelle& tabelle,
                        std::string& error) {
  XmlDocument doc;
  return DecodeCatalogPayload(payload, doc, error) && EintraegeLesen(doc, tabelle, error);
}

bool ReadCatalogDocument(std::span<const std::uint8_t> file, const CatalogKey& key,
                         XmlDocument& doc, std::string& error) {
  std::vector<std::uint8_t> payload;
  return OpenContainer(file, key, payload, error) && DecodeCatalogPayload(payload, doc, error);
}

bool KatalogDateiLesen(std::span<const std::uint8_t> file, const CatalogKey& key,
                       Verteilungstabelle& tabelle, std::string& error) {
  std::vector<std::uint8_t> payload;
  return OpenContainer(file, key, payload, error) && KatalogInhaltLesen(payload, tabelle, error);
}

bool EncodeCatalogPayload(const XmlDocument& doc, std::vector<std::uint8_t>& payload,
                          std::string& error) {
  Verteilungstabelle check;
  std::vector<std::uint8_t> tree;
  return EintraegeLesen(doc, check, error) && EncodeBinaryXml(doc, tree, error) &&
         Compress(tree, payload, error);
}

bool WriteCatalogFile(const XmlDocument& doc, const CatalogKey& key,
                      std::vector<std::uint8_t>& file, std::string& error) {
  std::vector<std::uint8_t> payload;
  return EncodeCatalogPayload(doc, payload, error) && SealContainer(payload, key, file, error);
}

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the catalog tool's XML reader, as `kalibra-catalog pack` does: it must
// fail cleanly with a reason, or yield a tree within the nesting limit that the binary form
// carries and reads back alike, and whose entries either load or are refused with a reason. A
// tree the reader accepts, written as XML, must read back as the same tree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/BinaryXml.h"
#include "catalog/CatalogFile.h"
#include "catalog/EntryReader.h"
#include "catalog/XmlText.h"

namespace {

std::size_t Tiefe(const vk::XmlNode& n) {
  std::size_t tiefste = 0;
  for (const vk::XmlNode& c : n.children) {
    const std::size_t t = Tiefe(c);
    if (t > tiefste) tiefste = t;
  }
  return tiefste + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string xml(reinterpret_cast<const char*>(data), size);
  vk::XmlDocument doc;
  std::string error;
  if (!vk::ParseXmlText(xml, doc, error)) {
    if (error.empty() || doc.hasRoot) std::abort();
    return 0;
  }
  if (doc.hasRoot && Tiefe(doc.root) > vk::kMaxXmlDepth + 1) std::abort();

  // What pack does with it: refuse with a reason or write a file that loads to the same table.
  std::vector<std::uint8_t> file;
  if (vk::WriteCatalogFile(doc, vk::DefaultCatalogKey(), file, error)) {
    vk::Verteilungstabelle tabelle;
    if (!vk::KatalogDateiLesen(file, vk::DefaultCatalogKey(), tabelle, error)) std::abort();
  } else if (error.empty()) {
    std::abort();
  }

  // Text the reader accepted and the binary form can carry survives the way back to XML.
  std::vector<std::uint8_t> tree;
  std::string ignoriert;
  if (vk::EncodeBinaryXml(doc, tree, ignoriert)) {
    vk::XmlDocument zurueck;
    if (!vk::ParseXmlText(vk::WriteXmlText(doc), zurueck, error) || !(zurueck == doc))
      std::abort();
  }
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/XmlTree.h"

namespace vk {

// The binary form of an element tree (layout in docs/catalog-format.md): a root flag byte, then
// each element as name, text and children, lengths and counts as unsigned LEB128.
inline constexpr std::size_t kMaxXmlDepth = 32;  // the catalog needs 4 levels

// False, with `error` saying why, when a name or text cannot be carried or the tree is too deep.
bool EncodeBinaryXml(const XmlDocument& doc, std::vector<std::uint8_t>& out, std::string& error);

// Decodes exactly the whole of `bytes`; trailing bytes are an error.
bool DecodeBinaryXml(std::span<const std::uint8_t> bytes, XmlDocument& doc, std::string& error);

}  // namespace vk

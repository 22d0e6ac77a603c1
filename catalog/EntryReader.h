// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "catalog/Katalogeintrag.h"
#include "catalog/XmlTree.h"

namespace vk {

// Builds the table from the "Verteilung" children of the root, in document order; a later entry
// with the same index replaces an earlier one, and every other element is ignored. A document
// without a root gives an empty table. One malformed entry rejects the whole document: false,
// with `error` naming the entry and what is wrong, and `tabelle` left untouched.
bool EintraegeLesen(const XmlDocument& doc, Verteilungstabelle& tabelle, std::string& error);

// The text forms of element values: integers are decimal digits only (no sign), booleans are
// "true" or "false" in any case; white space around either is ignored.
bool ParseCatalogUnsigned(const std::string& text, std::uint32_t& value);
bool ParseCatalogBool(const std::string& text, bool& value);

}  // namespace vk

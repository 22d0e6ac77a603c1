// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "catalog/XmlTree.h"

namespace vk {

// Parses XML text into an element tree. Attributes, comments and processing instructions are
// dropped; an element's text is all character data directly inside it, kept as it stands for an
// element without children and trimmed of surrounding white space for one with children (so
// that indentation is not content). False, with line and column in `error`, when not well-formed.
bool ParseXmlText(const std::string& xml, XmlDocument& doc, std::string& error);

// Writes the tree as indented UTF-8 XML that ParseXmlText reads back to the same tree.
std::string WriteXmlText(const XmlDocument& doc);

}  // namespace vk

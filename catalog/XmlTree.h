// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace vk {

// The element tree that the catalog file holds: names, text content and children, nothing else
// (no attributes, comments or processing instructions). Strings are UTF-8.
struct XmlNode {
  std::string name;
  std::string text;
  std::vector<XmlNode> children;

  friend bool operator==(const XmlNode&, const XmlNode&) = default;
};

// A document is an optional root element; a document without one is valid and empty.
struct XmlDocument {
  bool hasRoot = false;
  XmlNode root;

  friend bool operator==(const XmlDocument&, const XmlDocument&) = default;
};

// Names the binary form can carry, so that every tree it decodes can be written back as XML:
// an ASCII letter or '_' first, then letters, digits, '_', '-' or '.'.
bool IsSupportedName(const std::string& name);

// Text the binary form can carry: valid UTF-8 without control characters other than tab, line
// feed and carriage return.
bool IsSupportedText(const std::string& text);

}  // namespace vk

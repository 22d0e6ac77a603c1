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

// `s` without the white space around it: an element's text as its content, not its indentation.
inline std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// Names the binary form can carry, so that every tree it decodes can be written back as XML:
// an ASCII letter or '_' first, then letters, digits, '_', '-' or '.'.
bool IsSupportedName(const std::string& name);

// Text the binary form can carry: valid UTF-8 without control characters other than tab, line
// feed and carriage return.
bool IsSupportedText(const std::string& text);

}  // namespace vk

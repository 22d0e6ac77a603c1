// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/BinaryXml.h"

namespace vk {

namespace {

void PutVarint(std::vector<std::uint8_t>& out, std::uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<std::uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<std::uint8_t>(v));
}

bool EncodeNode(const XmlNode& node, std::size_t depth, std::vector<std::uint8_t>& out,
                std::string& error) {
  if (depth > kMaxXmlDepth) {
    error = "elements nested deeper than " + std::to_string(kMaxXmlDepth) + " levels";
    return false;
  }
  if (!IsSupportedName(node.name)) {
    error = "element name \"" + node.name + "\" is not supported (ASCII letters, digits, _ - .)";
    return false;
  }
  if (!IsSupportedText(node.text)) {
    error = "text of element \"" + node.name + "\" holds control characters or invalid UTF-8";
    return false;
  }
  PutVarint(out, node.name.size());
  out.insert(out.end(), node.name.begin(), node.name.end());
  PutVarint(out, node.text.size());
  out.insert(out.end(), node.text.begin(), node.text.end());
  PutVarint(out, node.children.size());
  for (const XmlNode& child : node.children)
    if (!EncodeNode(child, depth + 1, out, error)) return false;
  return true;
}

// Reads from a byte span with bounds checks; every failure leaves a message in `error`.
class Decoder {
 public:
  Decoder(std::span<const std::uint8_t> bytes, std::string& error) : b_(bytes), error_(error) {}

  bool AtEnd() const { return pos_ == b_.size(); }
  std::size_t Position() const { return pos_; }

  bool Byte(std::uint8_t& v) {
    if (pos_ >= b_.size()) return Fail("unexpected end of the element tree");
    v = b_[pos_++];
    return true;
  }

  // Unsigned LEB128 of at most 32 bits.
  bool Varint(std::uint32_t& v) {
    std::uint64_t acc = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      std::uint8_t byte = 0;
      if (!Byte(byte)) return false;
      acc |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) {
        if (acc > 0xFFFFFFFFu) break;
        v = static_cast<std::uint32_t>(acc);
        return true;
      }
    }
    return Fail("length or count out of range at byte " + std::to_string(pos_));
  }

  bool String(std::string& s) {
    std::uint32_t len = 0;
    if (!Varint(len)) return false;
    if (len > b_.size() - pos_)
      return Fail("string runs past the end at byte " + std::to_string(pos_));
    s.assign(reinterpret_cast<const char*>(b_.data() + pos_), len);
    pos_ += len;
    return true;
  }

  bool Node(XmlNode& node, std::size_t depth) {
    if (depth > kMaxXmlDepth)
      return Fail("elements nested deeper than " + std::to_string(kMaxXmlDepth) + " levels");
    const std::size_t start = pos_;
    if (!String(node.name)) return false;
    if (!IsSupportedName(node.name))
      return Fail("invalid element name at byte " + std::to_string(start));
    if (!String(node.text)) return false;
    if (!IsSupportedText(node.text)) return Fail("invalid text in element \"" + node.name + "\"");
    std::uint32_t count = 0;
    if (!Varint(count)) return false;
    // A child takes at least three bytes, so a larger count cannot be honest; checking here
    // keeps a forged count from reserving memory.
    if (count > (b_.size() - pos_) / 3)
      return Fail("child count of element \"" + node.name + "\" exceeds the remaining bytes");
    node.children.resize(count);
    for (XmlNode& child : node.children)
      if (!Node(child, depth + 1)) return false;
    return true;
  }

 private:
  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  std::span<const std::uint8_t> b_;
  std::size_t pos_ = 0;
  std::string& error_;
};

}  // namespace

bool EncodeBinaryXml(const XmlDocument& doc, std::vector<std::uint8_t>& out, std::string& error) {
  out.clear();
  out.push_back(doc.hasRoot ? 1 : 0);
  return !doc.hasRoot || EncodeNode(doc.root, 1, out, error);
}

bool DecodeBinaryXml(std::span<const std::uint8_t> bytes, XmlDocument& doc, std::string& error) {
  doc = XmlDocument{};
  Decoder in(bytes, error);
  std::uint8_t flag = 0;
  if (!in.Byte(flag)) return false;
  if (flag > 1) {
    error = "invalid root flag " + std::to_string(flag);
    return false;
  }
  doc.hasRoot = flag == 1;
  if (doc.hasRoot && !in.Node(doc.root, 1)) return false;
  if (!in.AtEnd()) {
    error = "trailing bytes after the element tree at byte " + std::to_string(in.Position());
    return false;
  }
  return true;
}

}  // namespace vk

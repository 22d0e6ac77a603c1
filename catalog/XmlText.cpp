// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/XmlText.h"

#include "catalog/BinaryXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

namespace vk {

namespace {

void WriteNode(QXmlStreamWriter& w, const XmlNode& node) {
  w.writeStartElement(QString::fromStdString(node.name));
  if (!node.text.empty()) w.writeCharacters(QString::fromStdString(node.text));
  for (const XmlNode& child : node.children) WriteNode(w, child);
  w.writeEndElement();
}

}  // namespace

bool ParseXmlText(const std::string& xml, XmlDocument& doc, std::string& error) {
  doc = XmlDocument{};
  QXmlStreamReader r(QByteArray::fromStdString(xml));
  r.setNamespaceProcessing(false);
  std::vector<XmlNode> open;
  // Refused while the open elements are still a flat stack: a tree nested 200 000 deep would
  // overflow the stack when it is destroyed, long after this error was said.
  const auto fehler = [&](const std::string& was) { r.raiseError(QString::fromStdString(was)); };
  while (!r.atEnd()) {
    switch (r.readNext()) {
      case QXmlStreamReader::StartElement:
        if (open.size() >= kMaxXmlDepth) {
          fehler("elements nested deeper than " + std::to_string(kMaxXmlDepth) + " levels");
          break;
        }
        open.push_back(XmlNode{r.qualifiedName().toString().toStdString(), {}, {}});
        break;
      // A document type may declare entities (some fetch files, some expand without bound) and
      // an entity that is not expanded would drop out of a name unnoticed: neither belongs in a
      // catalog.
      case QXmlStreamReader::DTD:
        fehler("a document type declaration (DTD) is not allowed in a catalog");
        break;
      case QXmlStreamReader::EntityReference:
        fehler("the entity reference &" + r.name().toString().toStdString() +
               "; is not allowed in a catalog (only &lt; &gt; &amp; &quot; &apos; and character "
               "references)");
        break;
      case QXmlStreamReader::Characters:
        if (!open.empty()) open.back().text += r.text().toString().toStdString();
        break;
      case QXmlStreamReader::EndElement: {
        XmlNode done = std::move(open.back());
        open.pop_back();
        if (!done.children.empty()) done.text = Trimmed(done.text);
        if (open.empty()) {
          doc.hasRoot = true;
          doc.root = std::move(done);
        } else {
          open.back().children.push_back(std::move(done));
        }
        break;
      }
      default:
        break;
    }
  }
  if (r.hasError()) {
    error = "line " + std::to_string(r.lineNumber()) + ", column " +
            std::to_string(r.columnNumber()) + ": " + r.errorString().toStdString();
    doc = XmlDocument{};
    return false;
  }
  return true;
}

std::string WriteXmlText(const XmlDocument& doc) {
  QByteArray bytes;
  QXmlStreamWriter w(&bytes);
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(2);
  w.writeStartDocument();
  if (doc.hasRoot) WriteNode(w, doc.root);
  w.writeEndDocument();
  return bytes.toStdString();
}

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EntryReader.h"

#include <algorithm>
#include <cctype>

namespace vk {

namespace {

// Reads the children of one element; the first failure stays in `error` and makes every later
// read a no-op, so that the element can be read straight through and checked once.
class Fields {
 public:
  Fields(const XmlNode& node, std::string& error) : node_(node), error_(error) {}

  bool Ok() const { return error_.empty(); }

  const XmlNode* Single(const char* name) {
    if (!Ok()) return nullptr;
    const XmlNode* found = nullptr;
    for (const XmlNode& c : node_.children) {
      if (c.name != name) continue;
      if (found) return Fail("element \"" + std::string(name) + "\" occurs more than once");
      found = &c;
    }
    if (!found) return Fail("element \"" + std::string(name) + "\" missing");
    return found;
  }

  void Text(const char* name, std::string& out) {
    if (const XmlNode* n = Single(name)) out = Trimmed(n->text);
  }

  void Unsigned(const char* name, std::uint32_t& out) {
    if (const XmlNode* n = Single(name); n && !ParseCatalogUnsigned(n->text, out))
      Fail("\"" + std::string(name) + "\" is not an unsigned integer: \"" + n->text + "\"");
  }

  void Bool(const char* name, bool& out) {
    if (const XmlNode* n = Single(name); n && !ParseCatalogBool(n->text, out))
      Fail("\"" + std::string(name) + "\" is not true or false: \"" + n->text + "\"");
  }

  // The children called `name`, at most `max` of them.
  std::vector<const XmlNode*> Repeated(const char* name, std::size_t max) {
    std::vector<const XmlNode*> out;
    if (!Ok()) return out;
    for (const XmlNode& c : node_.children)
      if (c.name == name) out.push_back(&c);
    if (out.size() > max) {
      Fail(std::to_string(out.size()) + " \"" + name + "\" elements, at most " +
           std::to_string(max) + " allowed");
      out.clear();
    }
    return out;
  }

  const XmlNode* Fail(std::string message) {
    if (Ok()) error_ = std::move(message);
    return nullptr;
  }

 private:
  const XmlNode& node_;
  std::string& error_;
};

// Reads one entry; `error` is empty on success.
void EintragLesen(const XmlNode& v, TKatalogeintrag& e, std::string& error) {
  Fields f(v, error);
  f.Unsigned("Index", e.index);
  if (f.Ok() && e.index >= kVerteilungsSlots)
    f.Fail("\"Index\" " + std::to_string(e.index) + " outside 0.." +
           std::to_string(kVerteilungsSlots - 1));
  f.Text("Bezeichnung_E", e.bezeichnung);
  f.Bool("Automatik", e.automatik);
  f.Bool("Spezial", e.spezial);
  f.Unsigned("Alternativen", e.alternativen);
  // The engine runs alternatives 1..n, each with a start from the estimate table, whose rows
  // hold 50 slots: more could never be filled, and a huge count would run for ever.
  if (f.Ok() && (e.alternativen < 1 || e.alternativen > kMaxAlternativen))
    f.Fail("\"Alternativen\" " + std::to_string(e.alternativen) + " outside 1.." +
           std::to_string(kMaxAlternativen));
  f.Unsigned("Gruppen", e.gruppen);
  if (f.Ok() && e.gruppen >= (1u << kGruppenBits))
    f.Fail("\"Gruppen\" " + std::to_string(e.gruppen) + " has bits beyond the " +
           std::to_string(kGruppenBits) + " groups");

  const auto parameter = f.Repeated("Parameter", kMaxParameter);
  e.parameterZahl = static_cast<std::uint32_t>(parameter.size());
  for (std::size_t k = 0; k < parameter.size() && f.Ok(); ++k) {
    std::string inner;
    Fields p(*parameter[k], inner);
    p.Text("Bezeichnung", e.parameter[k].bezeichnung);
    p.Unsigned("Eigenschaften", e.parameter[k].eigenschaften);
    if (p.Ok() && e.parameter[k].eigenschaften >= (1u << kDomaenenBits))
      p.Fail("\"Eigenschaften\" " + std::to_string(e.parameter[k].eigenschaften) +
             " has bits beyond the " + std::to_string(kDomaenenBits) + " domain flags");
    if (!p.Ok()) f.Fail("\"Parameter\" " + std::to_string(k + 1) + ": " + inner);
  }

  const auto fest = f.Repeated("Festparameter", kMaxFestparameter);
  e.festparameterZahl = static_cast<std::uint32_t>(fest.size());
  for (std::size_t k = 0; k < fest.size() && f.Ok(); ++k) {
    std::string inner;
    Fields p(*fest[k], inner);
    p.Text("Bezeichnung", e.festparameter[k].bezeichnung);
    p.Text("Bedingungen", e.festparameter[k].bedingung);
    p.Text("Beschreibung", e.festparameter[k].beschreibung);
    if (!p.Ok()) f.Fail("\"Festparameter\" " + std::to_string(k + 1) + ": " + inner);
  }
}

std::string EntryName(std::size_t position, const TKatalogeintrag& e, bool indexRead,
                      const XmlNode& v) {
  std::string name = "entry " + std::to_string(position);
  if (indexRead) name += " (Index " + std::to_string(e.index) + ")";
  for (const XmlNode& c : v.children)
    if (c.name == "Bezeichnung_E") {
      name += " \"" + Trimmed(c.text) + "\"";
      break;
    }
  return name;
}

}  // namespace

bool ParseCatalogUnsigned(const std::string& text, std::uint32_t& value) {
  const std::string t = Trimmed(text);
  if (t.empty() || t.size() > 10) return false;
  std::uint64_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (v > 0xFFFFFFFFu) return false;
  value = static_cast<std::uint32_t>(v);
  return true;
}

bool ParseCatalogBool(const std::string& text, bool& value) {
  std::string t = Trimmed(text);
  std::transform(t.begin(), t.end(), t.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (t == "true")
    value = true;
  else if (t == "false")
    value = false;
  else
    return false;
  return true;
}

bool EintraegeLesen(const XmlDocument& doc, Verteilungstabelle& tabelle, std::string& error) {
  Verteilungstabelle neu;
  if (doc.hasRoot) {
    std::size_t position = 0;
    for (const XmlNode& v : doc.root.children) {
      if (v.name != "Verteilung") continue;
      ++position;
      auto e = std::make_unique<TKatalogeintrag>();
      std::string why;
      EintragLesen(v, *e, why);
      if (!why.empty()) {
        std::uint32_t index = 0;
        bool indexRead = false;
        for (const XmlNode& c : v.children)
          if (c.name == "Index") indexRead = ParseCatalogUnsigned(c.text, index);
        e->index = index;
        error = EntryName(position, *e, indexRead, v) + ": " + why;
        return false;
      }
      // A second entry with the same index would silently replace the first (a "Poisson"
      // becoming something else); the catalog is refused instead.
      if (neu[e->index]) {
        error = EntryName(position, *e, true, v) + ": \"Index\" " + std::to_string(e->index) +
                " is already the index of \"" + neu[e->index]->bezeichnung + "\"";
        return false;
      }
      neu[e->index] = std::move(e);
    }
  }
  tabelle = std::move(neu);
  return true;
}

}  // namespace vk

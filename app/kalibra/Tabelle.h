// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/kalibra/Output.h"

namespace vk::cli {

// One value as each format writes it. The formats differ on purpose: a table rounds for the
// eye, CSV keeps every digit for the next program, JSON keeps numbers as numbers and none as
// null.
struct Zelle {
  std::string text;
  std::string csv;
  QJsonValue json{QJsonValue::Undefined};  // Undefined: the key is left out of the object
};

// A number: fixed to `stellen` digits in a table ("-" for none, i.e. NaN or an infinity),
// exact in CSV (empty for none), a number or null in JSON.
Zelle Zahl(double v, int stellen);
Zelle Ganz(std::int64_t n);
Zelle Wort(const std::string& s);
// No value: empty in a table and in CSV, and no key in JSON.
Zelle Leer();
// A value that a result without a fit does not have: what `z` is when `da`, else empty cells
// and no key.
Zelle Falls(bool da, const Zelle& z);
// None where a figure does not exist (no distribution, too few degrees of freedom): "-" in a
// table, empty in CSV, null in JSON.
Zelle Keine();
// `z` with an empty table cell: the table leaves the figures of a failed result blank, where CSV
// and JSON keep what the engine gave.
Zelle OhneText(Zelle z);

// Which formats write a column; a column may be one format's only, as the table's mark of a
// refined result beside the method, where CSV and JSON have a field of their own.
enum Formate : unsigned { kImText = 1, kImCsv = 2, kImJson = 4, kUeberall = 7 };

template <class Z>
struct Spalte {
  std::string kopf;        // the table's header
  std::string schluessel;  // CSV's header and JSON's key
  std::function<Zelle(const Z&)> zelle;
  unsigned formate = kUeberall;
};

// The one description of a list's columns; the writers below render it in every format.
template <class Z>
using Tabelle = std::vector<Spalte<Z>>;

template <class Z>
std::vector<std::string> TextKopf(const Tabelle<Z>& t) {
  std::vector<std::string> k;
  for (const Spalte<Z>& s : t)
    if (s.formate & kImText) k.push_back(s.kopf);
  return k;
}

template <class Z>
std::vector<std::string> TextZeile(const Tabelle<Z>& t, const Z& z) {
  std::vector<std::string> r;
  for (const Spalte<Z>& s : t)
    if (s.formate & kImText) r.push_back(s.zelle(z).text);
  return r;
}

// CSV's header row names the columns by their JSON keys, or, where a list's CSV has always been
// headed like its table (the batch list), by the table's headers.
template <class Z>
std::vector<std::string> CsvKopf(const Tabelle<Z>& t, bool wieText = false) {
  std::vector<std::string> k;
  for (const Spalte<Z>& s : t)
    if (s.formate & kImCsv) k.push_back(wieText ? s.kopf : s.schluessel);
  return k;
}

template <class Z>
std::vector<std::string> CsvZeile(const Tabelle<Z>& t, const Z& z) {
  std::vector<std::string> r;
  for (const Spalte<Z>& s : t)
    if (s.formate & kImCsv) r.push_back(s.zelle(z).csv);
  return r;
}

// Adds the row's JSON fields to `o` (a caller may add fields of its own before or after).
template <class Z>
void JsonFelder(const Tabelle<Z>& t, const Z& z, QJsonObject& o) {
  for (const Spalte<Z>& s : t) {
    if (!(s.formate & kImJson)) continue;
    const QJsonValue v = s.zelle(z).json;
    if (!v.isUndefined()) o.insert(QString::fromStdString(s.schluessel), v);
  }
}

template <class Z>
QJsonObject JsonObjekt(const Tabelle<Z>& t, const Z& z) {
  QJsonObject o;
  JsonFelder(t, z, o);
  return o;
}

template <class Z, class Zeilen>
QJsonArray JsonListe(const Tabelle<Z>& t, const Zeilen& zeilen) {
  QJsonArray a;
  for (const Z& z : zeilen) a.append(JsonObjekt(t, z));
  return a;
}

// A one-row table as a line of "header value" pairs, two blanks apart, as a result's figures
// read in text.
template <class Z>
std::string TextSatz(const Tabelle<Z>& t, const Z& z) {
  std::string s;
  for (const Spalte<Z>& sp : t) {
    if (!(sp.formate & kImText)) continue;
    if (!s.empty()) s += "  ";
    s += sp.kopf + " " + sp.zelle(z).text;
  }
  return s;
}

}  // namespace vk::cli

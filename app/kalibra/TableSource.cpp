// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/TableSource.h"

#include <csv.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <deque>
#include <limits>

#include "app/kalibra/IdHash.h"
#include "core/Datensatz.h"
#include "core/Sichtbar.h"
#include "core/TextRecordSource.h"

namespace vk::cli {

namespace {

// More rows than a data set can have classes: the rest of its rows are not kept.
constexpr std::size_t kMehrAlsKlassen = kMaxKlassen + 1;

std::string Bezeichnung(const std::string& id, std::uint64_t zeile) {
  return "id '" + Sichtbar(id) + "', line " + std::to_string(zeile);
}

// The ids seen so far, as their 64-bit hashes in an open-addressed table (8 bytes per id at
// most half full): enough to tell that an id returns, without keeping the ids themselves.
class IdMenge {
 public:
  // False when the id was there already.
  bool Einfuegen(const std::string& id) {
    if ((anzahl_ + 1) * 2 > platz_.size()) Wachsen();
    return Setzen(platz_, IdHash(id) | 1u) && (++anzahl_, true);
  }

 private:
  static bool Setzen(std::vector<std::uint64_t>& t, std::uint64_t h) {
    const std::size_t maske = t.size() - 1;
    for (std::size_t i = h & maske;; i = (i + 1) & maske) {
      if (t[i] == h) return false;
      if (t[i] == 0) {
        t[i] = h;
        return true;
      }
    }
  }
  void Wachsen() {
    std::vector<std::uint64_t> neu(std::max<std::size_t>(1024, platz_.size() * 2), 0);
    for (std::uint64_t h : platz_)
      if (h != 0) Setzen(neu, h);
    platz_.swap(neu);
  }
  std::vector<std::uint64_t> platz_;
  std::size_t anzahl_ = 0;
};

// What the CSV and the JSON Lines reader share: the groups of rows by id.
class Gruppen : public TableSource {
 protected:
  // Row `zeile` of id `id`: a new data set unless it continues the current one.
  Tabellendatensatz* Zeile(const std::string& id, std::uint64_t zeile) {
    if (aktuell_ && aktuell_->id == id) return &*aktuell_;
    Abschliessen();
    aktuell_.emplace();
    aktuell_->id = id;
    aktuell_->zeile = zeile;
    if (id.empty()) {
      aktuell_->fehler = "line " + std::to_string(zeile) + ": the id is empty";
      aktuell_->status = status::kDataError;
    } else if (!gesehen_.Einfuegen(id)) {
      aktuell_->status = status::kDataError;
      aktuell_->fehler = Bezeichnung(id, zeile) +
                         ": the id came before, with other ids between; the rows of one id "
                         "must stand together (this group is skipped)";
    }
    return &*aktuell_;
  }
  static void Fehler(Tabellendatensatz& d, std::uint64_t zeile, const std::string& was) {
    if (!d.fehler.empty()) return;
    d.fehler = Bezeichnung(d.id, zeile) + ": " + was;
    d.status = status::kException;
    d.records.clear();
    d.records.shrink_to_fit();
  }
  static void Hinzufuegen(Tabellendatensatz& d, std::uint64_t zeile, const Record& r) {
    if (!d.fehler.empty()) return;
    if (d.records.size() == kMehrAlsKlassen - 1) {
      Fehler(d, zeile, "more than " + std::to_string(kMaxKlassen) + " rows for one data set");
      return;
    }
    d.records.push_back(r);
  }
  void Abschliessen() {
    if (aktuell_) fertig_.push_back(std::move(*aktuell_));
    aktuell_.reset();
  }
  std::optional<Tabellendatensatz> Ausgeben() {
    if (fertig_.empty()) return std::nullopt;
    Tabellendatensatz d = std::move(fertig_.front());
    fertig_.pop_front();
    return d;
  }

  std::deque<Tabellendatensatz> fertig_;
  std::optional<Tabellendatensatz> aktuell_;
  IdMenge gesehen_;
};

class CsvTableSource final : public Gruppen {
 public:
  CsvTableSource(std::istream& in, unsigned char trenner, Tabellenspalten spalten)
      : in_(in), spalten_(std::move(spalten)) {
    csv_init(&parser_, 0);
    csv_set_delim(&parser_, trenner);
  }
  ~CsvTableSource() override { csv_free(&parser_); }
  CsvTableSource(const CsvTableSource&) = delete;
  CsvTableSource& operator=(const CsvTableSource&) = delete;

  std::optional<Tabellendatensatz> Naechster() override {
    while (fertig_.empty() && !ende_) Lesen();
    return Ausgeben();
  }

 private:
  void Lesen() {
    char puffer[1 << 16];
    in_.read(puffer, sizeof puffer);
    const std::size_t n = static_cast<std::size_t>(in_.gcount());
    if (n > 0 && csv_parse(&parser_, puffer, n, Feld, ZeileZuEnde, this) != n) {
      Stoppen(std::string("the table is not CSV: ") + csv_strerror(csv_error(&parser_)));
      return;
    }
    if (in_.bad()) {
      Stoppen("the table could not be read further");
      return;
    }
    if (in_.eof() || n == 0) {
      csv_fini(&parser_, Feld, ZeileZuEnde, this);
      if (!kopfGelesen_ && abbruch_.empty()) abbruch_ = "the table is empty: no header row";
      Abschliessen();
      ende_ = true;
    }
  }
  void Stoppen(std::string warum) {
    abbruch_ = std::move(warum);
    Abschliessen();
    ende_ = true;
  }

  static void Feld(void* text, std::size_t laenge, void* selbst) {
    auto* q = static_cast<CsvTableSource*>(selbst);
    q->felder_.emplace_back(static_cast<const char*>(text), laenge);
  }
  static void ZeileZuEnde(int, void* selbst) {
    auto* q = static_cast<CsvTableSource*>(selbst);
    if (q->ende_ || !q->abbruch_.empty()) return q->felder_.clear();
    ++q->zeile_;
    if (q->kopfGelesen_) {
      q->Daten();
    } else {
      q->Kopf();
    }
    q->felder_.clear();
  }

  void Kopf() {
    kopfGelesen_ = true;
    // Editors on Windows start a text file with a UTF-8 byte order mark; it is no column name.
    if (!felder_.empty() && felder_[0].rfind("\xEF\xBB\xBF", 0) == 0) felder_[0].erase(0, 3);
    std::string fehlend;
    for (auto [name, index] : {std::pair{&spalten_.id, &id_}, std::pair{&spalten_.x, &x_},
                               std::pair{&spalten_.f, &f_}}) {
      for (std::size_t i = 0; i < felder_.size(); ++i)
        if (felder_[i] == *name) *index = i;
      if (*index == kKeine) fehlend += (fehlend.empty() ? "'" : ", '") + Sichtbar(*name) + "'";
    }
    if (fehlend.empty()) return;
    std::string vorhanden;
    for (const std::string& s : felder_) vorhanden += (vorhanden.empty() ? "'" : ", '") + Sichtbar(s) + "'";
    Stoppen("the header row (line 1) has no column " + fehlend + "; its columns are " +
            (vorhanden.empty() ? "none" : vorhanden) +
            " (choose them with --id-column, --x-column, --f-column)");
  }

  void Daten() {
    const std::size_t noetig = std::max({id_, x_, f_}) + 1;
    if (felder_.size() < noetig) {
      Tabellendatensatz& d = *Zeile(id_ < felder_.size() ? felder_[id_] : std::string(), zeile_);
      Fehler(d, zeile_,
             std::to_string(felder_.size()) + " fields, fewer than the header names");
      return;
    }
    Tabellendatensatz& d = *Zeile(felder_[id_], zeile_);
    if (!d.fehler.empty()) return;
    Record r;
    try {
      if (felder_[x_].empty()) throw MalformedNumber("no x value");
      if (felder_[f_].empty()) throw MalformedNumber("no frequency");
      r.x = ParseInteger(felder_[x_]);
      r.f = ParseReal(felder_[f_]);
    } catch (const MalformedNumber& e) {
      Fehler(d, zeile_, e.what());
      return;
    }
    Hinzufuegen(d, zeile_, r);
  }

  static constexpr std::size_t kKeine = static_cast<std::size_t>(-1);
  std::istream& in_;
  Tabellenspalten spalten_;
  csv_parser parser_{};
  std::vector<std::string> felder_;
  std::uint64_t zeile_ = 0;
  std::size_t id_ = kKeine, x_ = kKeine, f_ = kKeine;
  bool kopfGelesen_ = false;
  bool ende_ = false;
};

// One data set per line: {"id": ..., "x": [...], "f": [...]}.
class JsonLinesTableSource final : public Gruppen {
 public:
  explicit JsonLinesTableSource(std::istream& in) : in_(in) {}

  std::optional<Tabellendatensatz> Naechster() override {
    std::string zeile;
    while (fertig_.empty() && std::getline(in_, zeile)) {
      ++zeile_;
      if (zeile.find_first_not_of(" \t\r") != std::string::npos) Lesen(zeile);
    }
    if (fertig_.empty()) {
      if (in_.bad()) abbruch_ = "the table could not be read further";
      Abschliessen();
    }
    return Ausgeben();
  }

 private:
  void Lesen(const std::string& text) {
    QJsonParseError fehler{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &fehler);
    const QJsonObject o = doc.object();
    const QJsonValue idWert = o.value("id");
    std::string id;
    if (idWert.isString()) {
      id = idWert.toString().toStdString();
    } else if (idWert.isDouble() && std::trunc(idWert.toDouble()) == idWert.toDouble()) {
      id = std::to_string(static_cast<long long>(idWert.toDouble()));
    }
    if (fehler.error != QJsonParseError::NoError || !doc.isObject()) {
      // Without an object there is no id to name, only the line.
      Tabellendatensatz d;
      d.zeile = zeile_;
      d.status = status::kException;
      d.fehler = "line " + std::to_string(zeile_) + ": not a JSON object (" +
                 fehler.errorString().toStdString() + " at offset " +
                 std::to_string(fehler.offset) + ")";
      fertig_.push_back(std::move(d));
      return;
    }
    Zeile(id, zeile_);
    Abschliessen();  // a line is a whole data set
    Tabellendatensatz& fertig = fertig_.back();
    if (id.empty() && !idWert.isString())
      return Fehler(fertig, zeile_, "\"id\" must be a string or a whole number");
    const QJsonArray x = o.value("x").toArray(), f = o.value("f").toArray();
    if (!o.value("x").isArray() || !o.value("f").isArray())
      return Fehler(fertig, zeile_, "\"x\" and \"f\" must be arrays");
    if (x.size() != f.size())
      return Fehler(fertig, zeile_,
                    "\"x\" has " + std::to_string(x.size()) + " values, \"f\" " +
                        std::to_string(f.size()));
    for (qsizetype i = 0; i < x.size() && fertig.fehler.empty(); ++i) {
      const double xi = x[i].toDouble(-1), fi = f[i].toDouble(std::nan(""));
      if (!x[i].isDouble() || std::trunc(xi) != xi || xi < 0)
        return Fehler(fertig, zeile_,
                      "x[" + std::to_string(i) + "] is not a whole number of at least 0");
      if (!f[i].isDouble() || !std::isfinite(fi))
        return Fehler(fertig, zeile_, "f[" + std::to_string(i) + "] is not a number");
      Hinzufuegen(fertig, zeile_,
                  Record{fi, xi > kMaxX ? std::numeric_limits<std::uint32_t>::max()
                                        : static_cast<std::uint32_t>(xi)});
    }
  }

  std::istream& in_;
  std::uint64_t zeile_ = 0;
};

}  // namespace

std::unique_ptr<TableSource> OpenTableSource(std::istream& in, Tabellenart art,
                                               const Tabellenspalten& spalten) {
  switch (art) {
    case Tabellenart::kCsv:
      return std::make_unique<CsvTableSource>(in, CSV_COMMA, spalten);
    case Tabellenart::kTsv:
      return std::make_unique<CsvTableSource>(in, CSV_TAB, spalten);
    case Tabellenart::kJsonLines:
      return std::make_unique<JsonLinesTableSource>(in);
  }
  return nullptr;
}

Status DatensatzRecords::Next(Record& out, std::uint32_t& counter) {
  if (naechster_ == records_.size()) return status::kEndOfData;
  out = records_[naechster_++];
  if (counter != 0 && out.x == 0) return status::kDataError;
  ++counter;
  return status::kOk;
}

}  // namespace vk::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/FitReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstdio>
#include <optional>

#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/Ergebnistabellen.h"
#include "core/Format.h"

namespace vk::cli {

std::string VerfeinertCsv(const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig) return "incomplete";
  return a.Verfeinert ? "true" : "false";
}

std::string VerfeinertZusatz(const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig)
    return a.Verfeinert ? " (refined, refinement not completed)" : " (refinement not completed)";
  return a.Verfeinert ? " (refined)" : "";
}

void VerfeinertJson(QJsonObject& o, const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig) o.insert("refinementIncomplete", true);
}

// Where a class of `klassen` was pooled for X²: the x of the class that took it in; none for a
// class with a cell of its own.
std::string GepooltText(std::optional<std::uint32_t> x) {
  return x ? std::to_string(*x) : std::string();
}

QJsonValue GepooltJson(std::optional<std::uint32_t> x) {
  return x ? QJsonValue(static_cast<qint64>(*x)) : QJsonValue(QJsonValue::Null);
}

QJsonValue ZahlJson(double v) {
  return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

std::string FormatExactOderLeer(double v) {
  return std::isfinite(v) ? FormatExact(v) : std::string();
}

std::string FormatFixedOderStrich(double v, int stellen) {
  return std::isfinite(v) ? FormatFixed(v, stellen) : std::string("-");
}

std::string VerwerfungGrund(const Verteilungspruefung& v, const TDatensatz& d) {
  switch (v.grund) {
    case Verwerfung::kKeine:
      return {};
    case Verwerfung::kFehler:
      return ": the expected frequencies cannot be computed for these parameters (a division by "
             "zero, an invalid operation or an overflow)";
    case Verwerfung::kNegativ:
      return ": the expected frequency of x = " + std::to_string(d.XWerte[v.klasse]) + " is " +
             FormatExact(v.wert) + ", below 0: these parameters give no distribution";
    case Verwerfung::kSumme:
      return ": the expected frequencies sum to " + FormatExact(v.wert) +
             ", not N = " + FormatExact(d.Statistik.summe) +
             ": these parameters give no distribution";
  }
  return {};
}

std::string ParameterText(const TVerteilungsparameter& p) {
  std::string s;
  for (std::uint32_t k = 0; k < p.ParZahl; ++k)
    s += (s.empty() ? "" : " ") + p.Parameter[k].Bezeichnung + "=" +
         FormatFixed(p.Parameter[k].Wert, 4);
  for (std::uint32_t k = 0; k < p.FestParZahl; ++k)
    s += (s.empty() ? "" : " ") + p.Festparameter[k].Bezeichnung + "=" +
         FormatFixed(p.Festparameter[k].Wert, 4) + "(fixed)";
  return s;
}

QJsonArray ParameterJson(const TVerteilungsparameter& p) {
  QJsonArray a;
  for (std::uint32_t k = 0; k < p.ParZahl; ++k)
    a.append(QJsonObject{{"name", QString::fromStdString(p.Parameter[k].Bezeichnung)},
                         {"value", p.Parameter[k].Wert},
                         {"fixed", false}});
  for (std::uint32_t k = 0; k < p.FestParZahl; ++k)
    a.append(QJsonObject{{"name", QString::fromStdString(p.Festparameter[k].Bezeichnung)},
                         {"value", p.Festparameter[k].Wert},
                         {"fixed", true}});
  return a;
}

QJsonArray ParameterJson(const TVerteilungsparameter& p, const Inferenzbericht* inferenz) {
  QJsonArray a = ParameterJson(p);
  if (inferenz == nullptr || !inferenz->gerechnet) return a;
  for (std::uint32_t k = 0; k < p.ParZahl && k < static_cast<std::uint32_t>(a.size()); ++k) {
    QJsonObject o = a[k].toObject();
    o.insert("se", ZahlJson(inferenz->SE(k)));
    if (inferenz->MitBootstrap()) {
      const ParameterStreuung& s = inferenz->bootstrap.parameter[k];
      o.insert("ci", std::isfinite(s.unten) && std::isfinite(s.oben)
                         ? QJsonValue(QJsonArray{s.unten, s.oben})
                         : QJsonValue(QJsonValue::Null));
    }
    a[k] = o;
  }
  return a;
}

std::vector<Klassenzeile> FitReport::Klassenzeilen() const {
  std::vector<Klassenzeile> z;
  z.reserve(klassen.size());
  for (const TWerte& w : klassen) z.push_back({w.X, w.E, w.NP, GepooltInX(w, klassen)});
  return z;
}

void FitReport::Drucken(Format format) const {
  const bool mitInferenz = inferenz != nullptr && inferenz->auftrag.An();
  const Tabelle<Methodenzeile>& mt = mitInferenz ? InferenzMethodentabelle() : Methodentabelle();
  const Tabelle<Klassenzeile>& kt = Klassentabelle();
  const auto zeile = [](const Methodenbericht& m, bool best) {
    return Methodenzeile{&m.ergebnis, m.mitParametern ? &m.parameter : nullptr, best};
  };
  const Methodenzeile besteZeile{&beste.ergebnis, &beste.parameter, true,
                                 mitInferenz ? inferenz : nullptr};
  if (format == Format::kJson) {
    QJsonArray liste;
    for (const Methodenbericht& m : methoden) liste.append(JsonObjekt(mt, zeile(m, false)));
    QJsonObject root{
        {"file", QString::fromStdString(datei)},
        {"distribution", QJsonObject{{"index", static_cast<qint64>(verteilung.Index)},
                                     {"name", QString::fromStdString(verteilung.Bezeichnung)}}},
        {"methods", liste},
        {"status", static_cast<qint64>(status)},
        {"statusMessage", QString::fromStdString(StatusText(status))}};
    if (hatBeste) {
      root.insert("best", JsonObjekt(mt, besteZeile));
      root.insert("classes", JsonListe(kt, Klassenzeilen()));
      root.insert("total", QJsonObject{{"f", summe.E}, {"np", summe.NP}});
    }
    if (mitInferenz && inferenz->MitBootstrap())
      root.insert("bootstrap", BootstrapJson(inferenz->bootstrap));
    PrintJson(stdout, QJsonDocument(root));
    return;
  }
  if (format == Format::kCsv) {
    CsvWriter csv(stdout);
    csv.Row(CsvKopf(mt));
    for (const Methodenbericht& m : methoden) csv.Row(CsvZeile(mt, zeile(m, false)));
    if (hatBeste) {
      csv.Row(CsvZeile(mt, besteZeile));
      csv.BlankLine();
      csv.Row(CsvKopf(kt));
      for (const Klassenzeile& k : Klassenzeilen()) csv.Row(CsvZeile(kt, k));
    }
    return;
  }
  std::printf("File: %s\nDistribution: %u %s\n\n", datei.c_str(), verteilung.Index,
              verteilung.Bezeichnung.c_str());
  if (!methoden.empty()) {
    TextTable t(TextKopf(mt));
    for (const Methodenbericht& m : methoden) t.Row(TextZeile(mt, zeile(m, false)));
    t.Print(stdout);
    std::printf("\n");
  }
  if (hatBeste) {
    const TAnpassung& a = beste.ergebnis;
    std::printf("Best method: %u of %u%s\n", a.Methode, a.Alternativen,
                VerfeinertZusatz(a).c_str());
    std::printf("X² %s  P(X²) %s  DF %u  C %s  R² %s\n\n", FormatFixed(a.Chi, 2).c_str(),
                FormatFixed(a.PChi, 4).c_str(), a.FG, FormatFixed(a.Kontingenz, 4).c_str(),
                FormatFixed(a.R2, 4).c_str());
    if (mitInferenz) std::printf("%s\n", InferenzText(*inferenz).c_str());
    const bool mitIntervall = mitInferenz && inferenz->MitBootstrap();
    std::vector<std::string> kopf{"Parameter", "Value"};
    if (mitInferenz) kopf.push_back("±");
    if (mitIntervall) kopf.push_back("95 % interval");
    kopf.push_back("");
    TextTable p(kopf);
    for (std::uint32_t k = 0; k < beste.parameter.ParZahl; ++k) {
      std::vector<std::string> z{beste.parameter.Parameter[k].Bezeichnung,
                                 FormatFixed(beste.parameter.Parameter[k].Wert, 4)};
      if (mitInferenz) z.push_back(FormatFixedOderStrich(inferenz->SE(k), 4));
      if (mitIntervall) {
        const ParameterStreuung& s = inferenz->bootstrap.parameter[k];
        z.push_back(std::isfinite(s.unten) && std::isfinite(s.oben)
                        ? FormatFixed(s.unten, 4) + " .. " + FormatFixed(s.oben, 4)
                        : std::string("-"));
      }
      z.push_back("");
      p.Row(z);
    }
    for (std::uint32_t k = 0; k < beste.parameter.FestParZahl; ++k) {
      std::vector<std::string> z{beste.parameter.Festparameter[k].Bezeichnung,
                                 FormatFixed(beste.parameter.Festparameter[k].Wert, 4)};
      if (mitInferenz) z.push_back("");
      if (mitIntervall) z.push_back("");
      z.push_back("fixed");
      p.Row(z);
    }
    p.Print(stdout);
    std::printf("\n");
    TextTable k(TextKopf(kt));
    for (const Klassenzeile& z : Klassenzeilen()) k.Row(TextZeile(kt, z));
    k.Row({"Sum", FormatFixed(summe.E, 4), FormatFixed(summe.NP, 4), ""});
    k.Print(stdout);
    std::printf("\n");
  }
  std::printf("Status: %s\n", StatusText(status).c_str());
}

}  // namespace vk::cli

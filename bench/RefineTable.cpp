// SPDX-License-Identifier: GPL-3.0-or-later
// Classic against refined minimum chi-square, and both against maximum likelihood judged by the
// same pooled X², on the sample data and on every member's own expected frequencies (its example
// parameters). Prints Markdown tables with the time each fit takes; docs/refinement.md shows them.
//
//   vk_refine_table DATA_DIR [--members] [--repro DIR]
//
// With --repro, the classic published data sets in DIR (and the fetal lamb counts) follow the
// sample files; the refinement's "incomplete" marks a refinement that ended early.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "bench/BenchDaten.h"
#include "bench/GepackterKatalog.h"
#include "bench/Usage.h"
#include "core/FpFault.h"
#include "core/TextRecordSource.h"
#include "distributions/Registry.h"
#include "fitting/Anpassungen.h"
#include "fitting/Anpassungsguete.h"
#include "tests/distributions/Beispiele.h"
#include "tests/support/Likelihood.h"
#include "tests/support/NachNummer.h"

namespace {

using Uhr = std::chrono::steady_clock;

const vk::Verteilungsverzeichnis& Katalog() {
  return vk::bench::GepackterKatalog();
}

struct Ergebnis {
  vk::Status st = vk::status::kException;
  double chi = 0, p = 0, ms = 0;
  bool verfeinert = false;
  bool unvollstaendig = false;
};

struct Vergleich {
  Ergebnis klassisch, verfeinert, ml;
};

Ergebnis Fit(vk::Anpassungen& a, std::uint32_t nummer, const vk::FestparameterErfragen& fest,
             bool verfeinern) {
  vk::TEinstellungen o;
  o.Verfeinerung = verfeinern;
  a.EinstellungenUebernehmen(o);
  vk::Rueckrufe r;
  r.festparameter = fest;
  Ergebnis e;
  r.ergebnis = [&](const vk::TAnpassung& t) {
    if (t.BesteMethode) {
      e.verfeinert = t.Verfeinert;
      e.unvollstaendig = t.VerfeinerungUnvollstaendig;
    }
    return vk::status::kOk;
  };
  const auto start = Uhr::now();
  e.st = a.GewaehlteAnpassung(vk::Referenz(*Katalog().VerteilungHolen(nummer)), true, r);
  e.ms = std::chrono::duration<double, std::milli>(Uhr::now() - start).count();
  e.chi = a.Beste().chi;
  e.p = a.Beste().p;
  return e;
}

Vergleich Vergleichen(const std::string& daten, std::uint32_t nummer,
                      const vk::FestparameterErfragen& fest) {
  Vergleich v;
  auto a = std::make_unique<vk::Anpassungen>(Katalog());
  std::istringstream in(daten);
  vk::TextRecordSource q(in);
  vk::TDateneigenschaften eig;
  if (a->DatenLesen(q, eig) != vk::status::kOk) return v;
  // Without given values the fixed parameters are those the data imply.
  const vk::FestparameterErfragen festOderDaten =
      fest ? fest : vk::NurAutomatischeWerte(a->Daten());
  v.klassisch = Fit(*a, nummer, festOderDaten, false);
  v.verfeinert = Fit(*a, nummer, festOderDaten, true);
  if (v.verfeinert.st != vk::status::kOk) return v;
  // The likelihood search starts where the refined fit ended, in the same properties.
  const vk::TParameterEigenschaften e = a->Eigenschaften();
  const auto start = Uhr::now();
  vk::test::MlSuche ml(nummer, a->Daten(), e);
  vk::test::MlErgebnis m = ml.Maximieren(a->BesterVektor());
  for (std::uint32_t k = 0; k < e.parZahl; ++k)
    if (e.natuerlicheZahl[k]) m.par[k] = vk::KaufmaennischRunden(m.par[k]);
  std::uint32_t klassen = 0;
  v.ml.chi = a->ChiQuadratBerechnen(nummer, m.par, klassen);
  v.ml.ms = std::chrono::duration<double, std::milli>(Uhr::now() - start).count();
  const std::uint32_t kStrich = klassen >= e.festparZahl ? klassen - e.festparZahl : 0;
  if (kStrich >= e.parZahl + 2 && v.ml.chi < vk::kFehlschlagChiQuadrat) {
    v.ml.st = vk::status::kOk;
    v.ml.p = vk::ChiQuadratWahrscheinlichkeit(kStrich - e.parZahl - 1, v.ml.chi);
  }
  return v;
}

std::string Zelle(const Ergebnis& e, bool zeit) {
  if (e.st != vk::status::kOk) return zeit ? "no fit | | " : "no fit | ";
  char text[128];
  if (zeit)
    std::snprintf(text, sizeof text, "%.4f | %.4f | %.1f", e.chi, e.p, e.ms);
  else
    std::snprintf(text, sizeof text, "%.4f | %.4f", e.chi, e.p);
  return text;
}

void Kopf(const char* erste) {
  std::printf(
      "| %s | Member | classic X² | P | ms | refined X² | P | ms | refined | ML X² | P | "
      "refined ≥ ML |\n",
      erste);
  std::printf("|---|---|---:|---:|---:|---:|---:|---:|---|---:|---:|---|\n");
}

// The best-method rule between the refined fit and the likelihood's: P first, then X² within the
// abort criterion (the refinement's own resolution).
const char* Urteil(const Vergleich& v) {
  if (v.verfeinert.st != vk::status::kOk) return v.ml.st == vk::status::kOk ? "no" : "";
  if (v.ml.st != vk::status::kOk) return "yes";
  // Equal within the refinement's resolution: the X² within the abort criterion and the P alike
  // to four places (two perfect fits at the X² floor of 0.0001 differ in P by rounding only).
  const double aufloesung = vk::TEinstellungen{}.Abbruchkriterium;
  if (std::fabs(v.verfeinert.chi - v.ml.chi) <= aufloesung &&
      std::fabs(v.verfeinert.p - v.ml.p) <= aufloesung)
    return "yes";
  if (v.verfeinert.p > v.ml.p + 1e-9) return "yes";
  if (v.verfeinert.p < v.ml.p - 1e-9) return "**no**";
  return v.verfeinert.chi <= v.ml.chi + vk::TEinstellungen{}.Abbruchkriterium ? "yes" : "**no**";
}

void Zeile(const std::string& erste, std::uint32_t nummer, const Vergleich& v) {
  std::printf("| %s | %u %s | %s | %s | %s | %s | %s |\n", erste.c_str(), nummer,
              Katalog().VerteilungHolen(nummer)->bezeichnung.c_str(),
              Zelle(v.klassisch, true).c_str(), Zelle(v.verfeinert, true).c_str(),
              v.verfeinert.unvollstaendig ? (v.verfeinert.verfeinert ? "yes, incomplete" : "incomplete")
                                          : (v.verfeinert.verfeinert ? "yes" : ""),
              Zelle(v.ml, false).c_str(), Urteil(v));
}

// N pmf(x) of an example over its classes, unrounded.
std::string EigeneDaten(const vk::test::Beispiel& b) {
  vk::TParameterEigenschaften eig;
  eig.parZahl = vk::MitgliedSuchen(b.nummer)->parZahl;
  eig.festparameter = b.fest;
  vk::TStatistik s;
  s.summe = 1000;
  s.n = b.L;
  auto x = std::make_unique<vk::KlassenWerte>();
  for (std::uint32_t i = 0; i <= b.L; ++i) (*x)[i] = b.x0 + i;
  const vk::KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<vk::Erwartungswerte>();
  vk::Parametervektor par = b.par;
  vk::FpFaultScope scope;
  vk::ErwartungswerteBerechnen(b.nummer, par, s, *x, f, *NP, eig);
  if (scope.Faulted()) return {};
  std::ostringstream text;
  text.precision(17);
  for (std::uint32_t i = 0; i <= b.L; ++i) text << b.x0 + i << " " << (*NP)[i] << "\n";
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (!vk::bench::HasFirstArgument(argc, "vk_refine_table DATA_DIR [--members]")) return 64;
  const std::string ordner = argv[1];
  bool mitglieder = false;
  std::string repro;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--members") mitglieder = true;
    if (std::string(argv[i]) == "--repro" && i + 1 < argc) repro = argv[++i];
  }
  const char* dateien[] = {"horse-kicks.dat",       "alpha-particles.dat",
                           "shell-accidents.dat",   "gpl3-word-syllables.dat",
                           "gpl3-word-letters.dat", "gpl3-sentence-words.dat"};
  const std::uint32_t nummern[] = {2,  4,  5,  19,  20,  29,  38,  106,
                                   14, 45, 99, 108, 119, 133, 170, 175};
  Kopf("Data");
  for (const char* datei : dateien) {
    const std::string daten = vk::bench::DateiLesen(ordner + "/" + datei, "vk_refine_table");
    for (std::uint32_t nummer : nummern) {
      Zeile(datei, nummer, Vergleichen(daten, nummer, {}));
      std::fflush(stdout);
    }
  }
  if (!repro.empty()) {
    const char* klassiker[] = {"greenwood_yule_women_accidents_contagion.dat",
                               "beall_webworms_untreated.dat",
                               "hasselblad_london_times_deaths_mix2pois.dat",
                               "mckendrick_cholera_households.dat",
                               "saxony_families_males_beta_binomial.dat"};
    for (const char* datei : klassiker) {
      const std::string daten = vk::bench::DateiLesen(repro + "/" + datei, "vk_refine_table");
      for (std::uint32_t nummer : nummern) {
        Zeile(datei, nummer, Vergleichen(daten, nummer, {}));
        std::fflush(stdout);
      }
    }
    // Movements of a fetal lamb in 240 intervals (Leroux and Puterman).
    const std::string laemmer = "0 182\n1 41\n2 12\n3 2\n4 2\n5 0\n6 0\n7 1\n";
    for (std::uint32_t nummer : nummern) {
      Zeile("fetal lamb", nummer, Vergleichen(laemmer, nummer, {}));
      std::fflush(stdout);
    }
  }
  if (!mitglieder) return 0;
  std::printf("\n");
  Kopf("Own data");
  for (const vk::test::Beispiel& b : vk::test::kBeispiele) {
    const auto eintrag = Katalog().VerteilungHolen(b.nummer);
    if (!eintrag || eintrag->spezial) continue;
    const std::string daten = EigeneDaten(b);
    if (daten.empty()) continue;
    const auto fest = [&b](vk::Festparameterfeld& fp, std::uint32_t anzahl) {
      for (std::uint32_t k = 0; k < anzahl; ++k) fp[k].Wert = b.fest[k];
      return vk::status::kOk;
    };
    Zeile("example", b.nummer, Vergleichen(daten, b.nummer, fest));
    std::fflush(stdout);
  }
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// vk_refine_speed: the automatic fitting of each sample file, classic and refined, on one core
// (the thread's CPU time, fastest of a few runs), the ratio between the two measured in the same
// run, and the machine it ran on. Prints a Markdown table; docs/performance.md and
// docs/refinement.md show it.
//
//   vk_refine_speed DATA_DIR [--runs N] [--members] [--results]
//
// --members adds each member's share of the refined fitting of every file (the CPU time between
// the reports of two members, dearest first); --results prints every member's refined X², P and
// marks at full precision, so that two builds can be compared line by line.
#include <sys/utsname.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchDaten.h"
#include "bench/GepackterKatalog.h"
#include "bench/Usage.h"
#include "catalog/Festparameter.h"
#include "fitting/Anpassungen.h"

namespace {

double ThreadSekunden() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The processor's model name, the logical processors and the kernel.
std::string Maschine() {
  std::ifstream info("/proc/cpuinfo");
  std::string zeile, modell = "unknown processor";
  int prozessoren = 0;
  while (std::getline(info, zeile)) {
    if (zeile.rfind("model name", 0) == 0) {
      modell = zeile.substr(zeile.find(':') + 2);
      ++prozessoren;
    }
  }
  utsname u{};
  uname(&u);
  char text[512];
  std::snprintf(text, sizeof text, "%s, %d logical processors, %s %s, compiler %s", modell.c_str(),
                prozessoren, u.sysname, u.release, __VERSION__);
  return text;
}

struct Zeile {
  std::uint32_t nummer = 0;
  std::string name;
  double ms = 0;
  vk::TAnpassung ergebnis;
};

// One automatic fitting; with `zeilen` each member's report and the CPU time since the one before.
double Lauf(vk::Anpassungen& a, bool verfeinern, std::vector<Zeile>* zeilen) {
  vk::TEinstellungen o;
  o.Verfeinerung = verfeinern;
  a.EinstellungenUebernehmen(o);
  vk::Rueckrufe r;
  r.festparameter = vk::NurAutomatischeWerte(a.Daten());
  double letzte = 0;
  r.ergebnis = [&](const vk::TAnpassung& t) {
    if (zeilen != nullptr) {
      const double jetzt = ThreadSekunden();
      zeilen->push_back({t.Verteilung.Index, t.Verteilung.Bezeichnung, (jetzt - letzte) * 1000, t});
      letzte = ThreadSekunden();
    }
    return vk::status::kOk;
  };
  const double t0 = ThreadSekunden();
  letzte = t0;
  a.AutomatischeAnpassung(r);
  return (ThreadSekunden() - t0) * 1000;
}

// The fastest of `laeufe` runs, at least one; more runs while they stay under 50 ms in all.
double Schnellster(vk::Anpassungen& a, bool verfeinern, int laeufe) {
  double bester = 1e300, summe = 0;
  for (int i = 0; i < laeufe || summe < 50; ++i) {
    const double ms = Lauf(a, verfeinern, nullptr);
    bester = std::min(bester, ms);
    summe += ms;
  }
  return bester;
}

}  // namespace

int main(int argc, char** argv) {
  if (!vk::bench::HasFirstArgument(argc,
                                   "vk_refine_speed DATA_DIR [--runs N] [--members] [--results]"))
    return 64;
  const std::string ordner = argv[1];
  int laeufe = 3;
  bool mitglieder = false, ergebnisse = false;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) laeufe = std::max(1, std::atoi(argv[++i]));
    if (arg == "--members") mitglieder = true;
    if (arg == "--results") ergebnisse = true;
  }
  const vk::Verteilungsverzeichnis& katalog = vk::bench::GepackterKatalog();
  const char* dateien[] = {"horse-kicks.dat",       "alpha-particles.dat",
                           "shell-accidents.dat",   "gpl3-word-syllables.dat",
                           "gpl3-word-letters.dat", "gpl3-sentence-words.dat"};
  const time_t jetzt = std::time(nullptr);
  char datum[32];
  std::strftime(datum, sizeof datum, "%Y-%m-%d %H:%M UTC", std::gmtime(&jetzt));
  double last[3] = {};
  if (std::ifstream lade("/proc/loadavg"); lade) lade >> last[0] >> last[1] >> last[2];
  std::printf(
      "Machine: %s\nRun: %s, load average %.2f at the start; CPU time of the fitting "
      "thread, fastest of %d runs\n\n",
      Maschine().c_str(), datum, last[0], laeufe);
  std::printf("| Sample file | classic ms | refined ms | refined / classic |\n");
  std::printf("|---|---:|---:|---:|\n");
  std::vector<std::pair<std::string, std::vector<Zeile>>> proMitglied;
  for (const char* datei : dateien) {
    const auto a = vk::bench::EngineMit(
        katalog, vk::bench::DateiLesen(ordner + "/" + datei, "vk_refine_speed"));
    if (!a->Daten().DatenGueltig) {
      std::fprintf(stderr, "vk_refine_speed: %s/%s holds no data set\n", ordner.c_str(), datei);
      return 65;
    }
    // One thread: the members would otherwise run on helpers whose time this thread never sees.
    a->ThreadsSetzen(1);
    const double klassisch = Schnellster(*a, false, laeufe);
    const double verfeinert = Schnellster(*a, true, laeufe);
    std::printf("| %s | %.1f | %.1f | %.1f |\n", datei, klassisch, verfeinert,
                verfeinert / klassisch);
    std::fflush(stdout);
    if (mitglieder || ergebnisse) {
      std::vector<Zeile> zeilen;
      Lauf(*a, true, &zeilen);
      proMitglied.emplace_back(datei, std::move(zeilen));
    }
  }
  if (ergebnisse) {
    std::printf("\n");
    for (const auto& [datei, zeilen] : proMitglied)
      for (const Zeile& z : zeilen)
        std::printf("%s %u status %d X2 %.10g P %.10g DF %u method %u%s%s\n", datei.c_str(),
                    z.nummer, static_cast<int>(z.ergebnis.Status), z.ergebnis.Chi, z.ergebnis.PChi,
                    z.ergebnis.FG, z.ergebnis.Methode, z.ergebnis.Verfeinert ? " refined" : "",
                    z.ergebnis.VerfeinerungUnvollstaendig ? " incomplete" : "");
  }
  if (mitglieder) {
    for (auto& [datei, zeilen] : proMitglied) {
      std::sort(zeilen.begin(), zeilen.end(),
                [](const Zeile& x, const Zeile& y) { return x.ms > y.ms; });
      std::printf("\n%s, refined, dearest members\n\n| Member | Name | ms |\n|---:|---|---:|\n",
                  datei.c_str());
      for (std::size_t i = 0; i < zeilen.size() && i < 12; ++i)
        std::printf("| %u | %s | %.1f |\n", zeilen[i].nummer, zeilen[i].name.c_str(), zeilen[i].ms);
    }
  }
  return 0;
}

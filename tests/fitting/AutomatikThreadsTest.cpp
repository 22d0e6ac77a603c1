// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic fitting on several threads shows what one thread shows: every row, its order
// and figures bit for bit, the final status, the host called on the calling thread only, and a
// cancel that ends the list where one thread's pass ends it.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "catalog/Festparameter.h"
#include "catalog/VerzeichnisLaden.h"
#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"
#include "tests/fitting/InferenzHilfe.h"

namespace vk {
namespace {

using test::Katalog;

// One row as the hosts show it, every figure as its bits.
std::vector<std::uint64_t> Zeile(const TAnpassung& a) {
  return {a.Verteilung.Index,
          a.Methode,
          a.Alternativen,
          a.Status,
          a.FG,
          std::bit_cast<std::uint64_t>(a.Chi),
          std::bit_cast<std::uint64_t>(a.PChi),
          std::bit_cast<std::uint64_t>(a.Kontingenz),
          std::bit_cast<std::uint64_t>(a.R2),
          static_cast<std::uint64_t>(a.Verfeinert) * 2 + a.VerfeinerungUnvollstaendig};
}

struct Lauf {
  Status status = status::kException;
  std::vector<std::vector<std::uint64_t>> zeilen;
  std::vector<std::uint32_t> gefragt;  // the running number of the row before each question
  bool fremderThread = false;          // some callback ran off the calling thread
};

// The automatic fitting of data file `datei` on `threads` threads. Fixed values come from the
// data where a code gives them; a member with others is skipped, as a host's cancelled dialog
// does. `abbruchNach` > 0: the cancel poll says yes once that many rows were shown.
Lauf Anpassen(const std::string& datei, unsigned threads, std::size_t abbruchNach = 0) {
  auto engine = std::make_unique<Anpassungen>(Katalog());
  std::ifstream text(std::string(VK_DATA_DIR) + "/" + datei);
  TextRecordSource quelle(text);
  TDateneigenschaften e;
  EXPECT_EQ(engine->DatenLesen(quelle, e), status::kOk) << datei;
  engine->ThreadsSetzen(threads);
  const std::thread::id rufer = std::this_thread::get_id();
  Lauf lauf;
  const auto pruefen = [&] {
    if (std::this_thread::get_id() != rufer) lauf.fremderThread = true;
  };
  Rueckrufe r;
  r.ergebnis = [&](const TAnpassung& a) {
    pruefen();
    lauf.zeilen.push_back(Zeile(a));
    return status::kOk;
  };
  r.festparameter = [&](Festparameterfeld& f, std::uint32_t n) {
    pruefen();
    lauf.gefragt.push_back(static_cast<std::uint32_t>(lauf.zeilen.size()));
    std::array<bool, kMaxFestparameter> automatisch{};
    return AutomatischeWerteEintragen(f, n, engine->Daten(), automatisch)
               ? status::kOk
               : status::kSkipAbortByUser;
  };
  r.abbruch = [&] {
    pruefen();
    return abbruchNach > 0 && lauf.zeilen.size() >= abbruchNach;
  };
  lauf.status = engine->AutomatischeAnpassung(r);
  return lauf;
}

struct Fall {
  const char* datei;
  unsigned threads;
  std::size_t abbruchNach;
};

class AutomatikThreads : public testing::TestWithParam<Fall> {};

TEST_P(AutomatikThreads, ShowsWhatOneThreadShows) {
  const Fall& f = GetParam();
  const Lauf einer = Anpassen(f.datei, 1, f.abbruchNach);
  const Lauf mehrere = Anpassen(f.datei, f.threads, f.abbruchNach);
  EXPECT_EQ(mehrere.status, einer.status);
  ASSERT_EQ(mehrere.zeilen.size(), einer.zeilen.size());
  for (std::size_t i = 0; i < einer.zeilen.size(); ++i)
    EXPECT_EQ(mehrere.zeilen[i], einer.zeilen[i]) << "row " << i + 1;
  EXPECT_FALSE(mehrere.fremderThread);
  // Every question is asked before the first fit: no row is shown before any of them.
  EXPECT_FALSE(einer.gefragt.empty());
  for (const std::uint32_t vorher : mehrere.gefragt) EXPECT_EQ(vorher, 0u);
  const std::uint32_t automatische = Katalog().VerteilungenZaehlen().automatik;
  if (f.abbruchNach > 0) {
    EXPECT_EQ(mehrere.status, status::kAbort);
    EXPECT_GE(mehrere.zeilen.size(), f.abbruchNach);
    EXPECT_LT(mehrere.zeilen.size(), automatische);
  } else {
    EXPECT_EQ(mehrere.zeilen.size(), automatische);
  }
}

// The automatic pass prepares each member ahead (properties, support, fixed values) and hands
// that to the fit. A member with fixed values must then fit as the selected fitting fits it
// alone, which prepares for itself; one refused answer skips only its own member.
TEST(AutomatikVorbereitung, FixedValuesReachTheFitAsInASelectedFit) {
  struct Datei {
    const char* datei;
    unsigned threads;
  };
  const Datei faelle[] = {{"horse-kicks.dat", 1}, {"alpha-particles.dat", 3}};
  const auto lesen = [](Anpassungen& a, const char* datei) {
    std::ifstream text(std::string(VK_DATA_DIR) + "/" + datei);
    TextRecordSource quelle(text);
    TDateneigenschaften e;
    return a.DatenLesen(quelle, e);
  };
  for (const Datei& c : faelle) {
    SCOPED_TRACE(c.datei);
    auto engine = std::make_unique<Anpassungen>(Katalog());
    ASSERT_EQ(lesen(*engine, c.datei), status::kOk);
    engine->ThreadsSetzen(c.threads);
    // Every member with fixed values gets those the data give; the first one asked refuses.
    std::size_t gefragt = 0;
    const auto host = [&](Festparameterfeld& f, std::uint32_t n) {
      std::array<bool, kMaxFestparameter> automatisch{};
      if (!AutomatischeWerteEintragen(f, n, engine->Daten(), automatisch))
        return status::kSkipAbortByUser;
      return status::kOk;
    };
    Rueckrufe r;
    std::vector<TAnpassung> zeilen;
    r.ergebnis = [&](const TAnpassung& a) {
      zeilen.push_back(a);
      return status::kOk;
    };
    r.festparameter = [&](Festparameterfeld& f, std::uint32_t n) {
      return ++gefragt == 1 ? status::kSkipAbortByUser : host(f, n);
    };
    engine->AutomatischeAnpassung(r);
    ASSERT_GE(gefragt, 3u);
    std::size_t verglichen = 0;
    bool abgelehnt = false;
    for (const TAnpassung& z : zeilen) {
      Anpassungen allein(Katalog());
      ASSERT_EQ(lesen(allein, c.datei), status::kOk);
      bool mitFestwerten = false;
      TAnpassung beste;
      Rueckrufe einzeln;
      einzeln.festparameter = [&](Festparameterfeld& f, std::uint32_t n) {
        mitFestwerten = true;
        return host(f, n);
      };
      einzeln.ergebnis = [&](const TAnpassung& a) {
        if (a.BesteMethode) beste = a;
        return status::kOk;
      };
      const Status st = allein.GewaehlteAnpassung(z.Verteilung, true, einzeln);
      if (!mitFestwerten) continue;
      SCOPED_TRACE(z.Verteilung.Bezeichnung);
      if (z.Status == status::kSkipAbortByUser && !abgelehnt) {
        abgelehnt = true;  // the refused one
        continue;
      }
      ASSERT_EQ(z.Status, st);
      if (st != status::kOk) continue;
      EXPECT_EQ(z.FG, beste.FG);
      EXPECT_EQ(z.Chi, beste.Chi);
      EXPECT_EQ(z.PChi, beste.PChi);
      ++verglichen;
    }
    EXPECT_TRUE(abgelehnt);
    EXPECT_GE(verglichen, 2u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Beispieldateien, AutomatikThreads,
    testing::Values(Fall{"horse-kicks.dat", 2, 0}, Fall{"alpha-particles.dat", 3, 0},
                    Fall{"gpl3-word-letters.dat", 2, 0}, Fall{"shell-accidents.dat", 7, 0},
                    Fall{"alpha-particles.dat", 2, 40}, Fall{"horse-kicks.dat", 3, 1},
                    Fall{"gpl3-word-letters.dat", 2, 100}));

}  // namespace
}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
// A host's callbacks run outside the fit's floating-point fault scope: a dialog, a tooltip or
// an event loop inside one may leave flags behind, and a correct fit once ended in "Exception"
// when the user typed a fixed value or opened the About box during the "Next Method" wait.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "catalog/VerzeichnisLaden.h"
#include "core/FpFault.h"
#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"

namespace vk {
namespace {

// What the toolkit may do while a callback waits for the user.
void WieEinDialog() {
  std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
}

struct Lauf {
  Status status = status::kException;
  double chi = 0;
  std::uint32_t methoden = 0;
};

// The binomial with fixed p (a fixed value the data cannot give, so it is asked for) on the
// horse kicks, with every callback either quiet or raising every fault flag.
Lauf Anpassen(bool laut) {
  static const Verteilungsverzeichnis katalog = [] {
    Verteilungsverzeichnis k;
    std::string meldung;
    EXPECT_EQ(VerzeichnisAusDateiLaden(VK_CATALOG_BXM, k, meldung), status::kOk) << meldung;
    return k;
  }();
  auto engine = std::make_unique<Anpassungen>(katalog);
  std::istringstream text("0 109\n1 65\n2 22\n3 3\n4 1\n");
  TextRecordSource quelle(text);
  TDateneigenschaften e;
  EXPECT_EQ(engine->DatenLesen(quelle, e), status::kOk);
  const auto laerm = [laut] {
    if (laut) WieEinDialog();
  };
  Lauf lauf;
  Rueckrufe r;
  r.festparameter = [&](Festparameterfeld& fest, std::uint32_t) {
    laerm();
    fest[0].Wert = 0.15;
    return status::kOk;
  };
  r.ergebnis = [&](const TAnpassung& a) {
    laerm();
    if (a.BesteMethode) lauf.chi = a.Chi;
    ++lauf.methoden;
    return status::kOk;
  };
  r.parameter = [&](const TVerteilungsparameter&) {
    laerm();
    return status::kOk;
  };
  r.klasse = [&](const TWerte&) {
    laerm();
    return status::kOk;
  };
  r.abbruch = [&] {
    laerm();
    return false;
  };
  r.weiter = [&] {
    laerm();
    return true;
  };
  lauf.status = engine->GewaehlteAnpassung(Referenz(*katalog.VerteilungHolen(9)), false, r);
  return lauf;
}

TEST(Rueckrufe, FlagsRaisedInsideACallbackDoNotFailTheFit) {
  const Lauf still = Anpassen(false);
  ASSERT_EQ(still.status, status::kOk);
  const Lauf laut = Anpassen(true);
  EXPECT_EQ(laut.status, status::kOk);
  EXPECT_EQ(laut.chi, still.chi);
  EXPECT_EQ(laut.methoden, still.methoden);
}

// The flags of the computation itself still count: what the fit raised before a callback is
// there again after it.
TEST(Rueckrufe, TheFitsOwnFlagsSurviveACallback) {
  FpFaultScope fit;
  WieEinDialog();
  {
    FpFaultScope beiseite;
    EXPECT_FALSE(beiseite.Faulted());
  }
  EXPECT_TRUE(fit.Faulted());
}

// On many classes one evaluation of a convolution member costs seconds: the abort poll is asked
// inside it too, not only once per simplex step, so a cancel is seen at once. Counted, not timed:
// a few simplex steps on 2001 classes ask the poll hundreds of times.
TEST(Rueckrufe, LongEvaluationsAskTheAbortPollAsTheyGo) {
  static const Verteilungsverzeichnis katalog = [] {
    Verteilungsverzeichnis k;
    std::string meldung;
    EXPECT_EQ(VerzeichnisAusDateiLaden(VK_CATALOG_BXM, k, meldung), status::kOk) << meldung;
    return k;
  }();
  std::ostringstream text;
  for (int x = 0; x <= 2000; ++x) text << x << ' ' << 1 + 1000 * std::exp(-x / 40.0) << '\n';
  for (const std::uint32_t nummer : {16u, 104u}) {
    SCOPED_TRACE("member " + std::to_string(nummer));
    auto engine = std::make_unique<Anpassungen>(katalog);
    std::istringstream in(text.str());
    TextRecordSource quelle(in);
    TDateneigenschaften e;
    ASSERT_EQ(engine->DatenLesen(quelle, e), status::kOk);
    TEinstellungen kurz;
    kurz.Optimierungsversuche = 2;
    engine->EinstellungenUebernehmen(kurz);
    const TVerteilung ref = Referenz(*katalog.VerteilungHolen(nummer));

    std::uint32_t fragen = 0;
    Rueckrufe r;
    r.abbruch = [&] {
      ++fragen;
      return false;
    };
    engine->GewaehlteAnpassung(ref, true, r);
    EXPECT_GT(fragen, 100u) << "asked inside the evaluations";

    // Answering yes inside an evaluation ends the fit with Abort: every evaluation still to come
    // (the rest of the start simplex, the step) stops at its first question, after at most
    // kUnterbrechungsTakt class operations, where a whole one costs about 2 million.
    std::uint32_t nachJa = 0;
    fragen = 0;
    r.abbruch = [&] {
      if (++fragen < 5) return false;
      ++nachJa;
      return true;
    };
    EXPECT_EQ(engine->GewaehlteAnpassung(ref, true, r), status::kAbort);
    EXPECT_LE(nachJa, 20u);
  }
}

}  // namespace
}  // namespace vk

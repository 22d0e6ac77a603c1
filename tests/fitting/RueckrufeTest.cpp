// SPDX-License-Identifier: GPL-3.0-or-later
// A host's callbacks run outside the fit's floating-point fault scope: a dialog, a tooltip or
// an event loop inside one may leave flags behind, and a correct fit once ended in "Exception"
// when the user typed a fixed value or opened the About box during the "Next Method" wait.
#include <gtest/gtest.h>

#include <cfenv>
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

}  // namespace
}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Anpassungen.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <exception>
#include <span>
#include <utility>

#include "core/FpFault.h"
#include "distributions/Dispatch.h"
#include "distributions/Spezialmodell.h"
#include "distributions/helpers/Parameter.h"
#include "fitting/Anpassungsguete.h"
#include "fitting/Traeger.h"

namespace vk {

namespace {

constexpr double kUnbekannterParameter = 123456789.0;

bool AbbruchPollen(void* daten) {
  const auto* r = static_cast<const Rueckrufe*>(daten);
  return r != nullptr && r->abbruch && r->abbruch();
}

Status Melden(const std::function<Status(const TAnpassung&)>& cb, const TAnpassung& a) {
  return cb ? cb(a) : status::kOk;
}

// A host's callback may show a dialog, wait for a button or run an event loop, and the toolkit
// raises floating-point flags of its own there: none of them may count against the fit. Every
// callback therefore runs in a scope of its own, which puts the fit's flags aside and gives them
// back afterwards, so a fit's fault scope covers its computation only.
template <typename R, typename... A>
std::function<R(A...)> Abgeschirmt(const std::function<R(A...)>& f) {
  if (!f) return f;
  return [f](A... a) -> R {
    FpFaultScope beiseite;
    return f(std::forward<A>(a)...);
  };
}

Rueckrufe Abgeschirmt(const Rueckrufe& r) {
  return {Abgeschirmt(r.ergebnis),      Abgeschirmt(r.parameter), Abgeschirmt(r.klasse),
          Abgeschirmt(r.festparameter), Abgeschirmt(r.abbruch),   Abgeschirmt(r.weiter)};
}

SpezialRueckrufe Abgeschirmt(const SpezialRueckrufe& s) {
  return {Abgeschirmt(s.vorgaben), Abgeschirmt(s.fortschritt)};
}

}  // namespace

Anpassungen::Anpassungen(const Verteilungsverzeichnis& katalog) : katalog_(katalog) {}

Status Anpassungen::DatenLesen(RecordSource& quelle, TDateneigenschaften& eigenschaften) {
  auswertung_ = {};  // prepared for the data set it replaces
  return vk::DatenLesen(daten_, quelle, eigenschaften);
}

Status Anpassungen::KlasseHolen(std::uint32_t i, double& f, std::uint32_t& x) const {
  return vk::KlasseHolen(daten_, i, f, x);
}

void Anpassungen::Korrigieren(Parametervektor& v) const {
  // The simplex corrects every vertex it makes: with the corrections read once for the fit.
  if (auswertung_.mitglied) {
    ParameterKorrigieren(v, v, auswertung_.korrekturen, eig_.parZahl);
  } else {
    ParameterKorrigieren(v, eig_);
  }
}

double Anpassungen::ChiQuadrat(const Parametervektor& v, std::uint32_t& klassen) {
  const double chi = ChiQuadratBerechnen(nummer_, v, klassen);
  // In the refinement a vertex that pools the data into too few classes for one degree of
  // freedom counts as failed: its small X² would otherwise draw the search into one class. Nor
  // may it count fewer cells than its start: the best-method rule puts P first, and a lower X²
  // bought with a lost degree of freedom draws the search away from the better P.
  if (verfeinernd_ &&
      (klassen < eig_.festparZahl + eig_.parZahl + 2 || klassen < startKlassen_)) {
    klassen = 0;
    return kFehlschlagChiQuadrat;
  }
  return chi;
}

double Anpassungen::Auswerten(std::uint32_t index, const Parametervektor& v, std::uint32_t& k) {
  const TStatistik& s = daten_.Statistik;
  Auswertung andere;
  const Auswertung* a = &auswertung_;
  if (index != nummer_ || !auswertung_.mitglied) {
    andere = MitgliedAufloesen(index).AuswertungVorbereiten(eingaben_);
    a = &andere;
  }
  if (!a->mitglied) return -1;
  // The distribution corrects and repairs its own copy of the parameters it has; the simplex
  // keeps the vertex as it is. Straight into the pooling array: nothing reads the frequencies
  // before they are pooled.
  Parametervektor kopie{};
  ErwartungswerteBerechnen(*a, eingaben_, v, kopie, poolNP_);
  // A lower X² bought by pooling an observed class away is no better fit: in the refinement a
  // protected class is judged with the start's pooling, as a cell of its own, wherever the
  // vertex's pooling would hide it.
  double versteckt = 0;
  std::uint32_t verstecktZahl = 0;
  if (verfeinernd_ && index == nummer_) {
    versteckt = Verstecktes(poolNP_, verstecktZahl);
    if (versteckt < 0) return -1;
  }
  const std::size_t klassen = s.n + 1;
  // After a fault the frequencies may hold NaN, which the pooling and the sum carry through
  // harmlessly (they index by count only); the caller's look at the flags discards the result.
  const double chi = AuswertungsChiQuadrat(
      std::span(poolNP_.data(), klassen),
      std::span<const double>(daten_.Haeufigkeiten.data(), klassen),
      std::span(poolF_.data(), klassen), s.summe, a->mitglied.Eintrag().negativProN,
      einstellungen_.Mindestklassengroesse, k);
  if (chi < 0) return chi;
  k += verstecktZahl;
  return chi + versteckt;
}

double Anpassungen::ChiQuadratBerechnen(std::uint32_t index, const Parametervektor& v,
                                        std::uint32_t& k) {
  double chi = 0;
  if (serie_ == nullptr) {
    FpFaultScope guard;
    chi = Auswerten(index, v, k);
    if (guard.Schliessen() != 0) chi = -1;
  } else {
    chi = Auswerten(index, v, k);
    if (const int flaggen = serie_->Pruefen(); flaggen != 0) {
      // Raised by this evaluation or by the simplex's arithmetic since the last one: the
      // evaluation once more, in a scope of its own, tells which. Whatever it does not raise
      // again belongs to the fit.
      FpFaultScope allein;
      chi = Auswerten(index, v, k);
      const int eigene = allein.Schliessen();
      serie_->Aussen(flaggen & ~eigene);
      if (eigene != 0) chi = -1;
    }
  }
  if (chi < 0) {
    k = 0;
    return kFehlschlagChiQuadrat;
  }
  return chi;
}

bool Anpassungen::ChiQuadratFesteZellen(const Parametervektor& v,
                                        std::span<const std::uint32_t> ziel,
                                        std::span<const double> zellF, double& chi) {
  const TStatistik& s = daten_.Statistik;
  const std::size_t klassen = s.n + 1;
  if (!auswertung_.mitglied || ziel.size() < klassen || zellF.size() < klassen)
    return false;
  FpFaultScope guard;
  Parametervektor kopie{};
  ErwartungswerteBerechnen(auswertung_, eingaben_, v, kopie, poolNP_);
  const Verteilungspruefung pruefung = VerteilungPruefen(
      std::span<const double>(poolNP_.data(), klassen), s.summe, auswertung_.mitglied.Eintrag().negativProN);
  if (guard.Faulted() || pruefung.grund != Verwerfung::kKeine) return false;
  std::fill_n(poolF_.begin(), klassen, 0.0);
  for (std::size_t i = 0; i < klassen; ++i)
    poolF_[ziel[i] == kNichtGepoolt ? i : ziel[i]] += poolNP_[i];
  chi = 0;
  for (std::size_t i = 0; i < klassen; ++i) {
    if (ziel[i] != kNichtGepoolt) continue;
    if (!(poolF_[i] > 0)) return false;
    const double d = poolF_[i] - zellF[i];
    chi += d * d / poolF_[i];
  }
  return guard.Schliessen() == 0;
}

double Anpassungen::GezeigtesChiQuadrat(std::uint32_t& k) {
  // X² of the frequencies the result shows, pooled on a copy; a second evaluation of the vector
  // would give another X² wherever a member's repairs, written back, are not the vector it
  // computed from.
  const TStatistik& s = daten_.Statistik;
  const std::size_t klassen = s.n + 1;
  std::copy_n(aktuelleNP_.begin(), klassen, poolNP_.begin());
  std::copy_n(daten_.Haeufigkeiten.begin(), klassen, poolF_.begin());
  FpFaultScope guard;
  const double chi =
      GepooltesChiQuadrat(std::span(poolNP_.data(), klassen), std::span(poolF_.data(), klassen),
                          einstellungen_.Mindestklassengroesse, k);
  if (guard.Schliessen() == 0) return chi;
  k = 0;
  return kFehlschlagChiQuadrat;
}

void Anpassungen::BestesZuruecksetzen() {
  besteAlternative_ = 0;
  beste_ = Kennzahlen{};
  beste_.chi = daten_.Statistik.summe;
  gefunden_ = false;
  fgJeAlternative_.fill(0);
  verfeinerungsStartZahl_ = 0;
}

bool Anpassungen::SchonVerfeinert(const Parametervektor& von) const {
  // Bit for bit: a start that differs in the last place may end elsewhere.
  const auto gleich = [&](const Parametervektor& w) {
    for (std::uint32_t j = 0; j < eig_.parZahl; ++j)
      if (std::bit_cast<std::uint64_t>(w[j]) != std::bit_cast<std::uint64_t>(von[j])) return false;
    return true;
  };
  return std::any_of(verfeinerungsStarts_.begin(),
                     verfeinerungsStarts_.begin() + verfeinerungsStartZahl_, gleich);
}

bool Anpassungen::AnpassungBewerten() {
  const std::uint32_t p = eig_.parZahl;
  SimplexSortieren(simplex_, p, *this);
  Parametervektor& v = simplex_.ecke[0];
  ParameterKorrigieren(v, eig_);
  for (std::uint32_t k = 0; k < p; ++k)
    if (eig_.natuerlicheZahl[k]) v[k] = KaufmaennischRunden(v[k]);

  const TStatistik& s = daten_.Statistik;
  aktuell_ = Kennzahlen{};
  {
    // A vector whose expected frequencies cannot be computed, or are no distribution, has no
    // final evaluation; the method counts as failed rather than ending the whole fit.
    FpFaultScope guard;
    verwerfung_ = {};
    mitglied_.ErwartungswerteBerechnen(eingaben_, v, aktuelleNP_);
    if (guard.Faulted()) {
      verwerfung_.grund = Verwerfung::kFehler;
      return false;
    }
    const double negativProN =
        auswertung_.mitglied ? auswertung_.mitglied.Eintrag().negativProN : kNegativProN;
    verwerfung_ = VerteilungPruefen(std::span<const double>(aktuelleNP_.data(), s.n + 1), s.summe,
                                    negativProN);
    if (verwerfung_.grund != Verwerfung::kKeine) return false;
  }
  std::uint32_t k = 0;
  aktuell_.chi = GezeigtesChiQuadrat(k);
  aktuell_.klassen = k;
  {
    // Equal observed frequencies leave R² undefined (no variation to explain); it reads as 0.
    FpFaultScope guard;
    const std::size_t klassen = s.n + 1;
    aktuell_.r2 = BestimmtheitsmassBerechnen(
        s.summe, std::span<const double>(daten_.Haeufigkeiten.data(), klassen),
        std::span<const double>(aktuelleNP_.data(), klassen));
    if (guard.Faulted()) aktuell_.r2 = 0;
  }
  const std::uint32_t kStrich = k >= eig_.festparZahl ? k - eig_.festparZahl : 0;
  aktuell_.c = aktuell_.chi / s.summe;
  if (kStrich < p + 1) {
    aktuell_.p = kZuWenigFreiheitsgrade;
    simplex_.klassen[0] = 0;
    return false;
  }
  aktuell_.fg = kStrich - p - 1;
  aktuell_.p = aktuell_.fg == 0 ? 0 : ChiQuadratWahrscheinlichkeit(aktuell_.fg, aktuell_.chi);
  simplex_.klassen[0] = aktuell_.fg;
  return true;
}

void Anpassungen::BestesMerken(std::uint32_t alternative) {
  const bool besser =
      aktuell_.p > beste_.p || (aktuell_.p == beste_.p && aktuell_.chi < beste_.chi);
  if (!besser) return;
  gefunden_ = true;
  beste_ = aktuell_;
  besteAlternative_ = alternative;
  const std::size_t klassen = daten_.Statistik.n + 1;
  std::copy_n(aktuelleNP_.begin(), klassen, besteNP_.begin());
  besterVektor_ = simplex_.ecke[0];
}

bool Anpassungen::AlternativeRechnen(std::uint32_t k, const Rueckrufe& r, Status& status) {
  simplex_ = Simplex{};
  mitglied_.AlternativeWaehlen(eingaben_, k, schaetzwerte_, simplex_.ecke[0]);
  ParameterKorrigieren(simplex_.ecke[0], eig_);
  const Parametervektor start = simplex_.ecke[0];
  const Abbruchabfrage abbruch{&AbbruchPollen, const_cast<Rueckrufe*>(&r)};
  unterbrechung_ = {&AbbruchPollen, const_cast<Rueckrufe*>(&r)};
  eingaben_.unterbrechung = &unterbrechung_;
  bool ok = InSerie([&] {
    return Optimierungszyklus(simplex_, eig_.parZahl, *this, einstellungen_, abbruch, status);
  });
  eingaben_.unterbrechung = nullptr;
  if (ok) ok = AnpassungBewerten();
  if (einstellungen_.Verfeinerung && status == status::kOk)
    ok = VerfeinertRechnen(start, ok, abbruch, status);
  if (k <= fgJeAlternative_.size()) fgJeAlternative_[k - 1] = ok ? aktuell_.fg : 0;
  if (k <= methodenVektor_.size()) {
    methodenVektor_[k - 1] = simplex_.ecke[0];
    methodenErgebnis_[k - 1] = aktuell_;
  }
  return ok;
}

void Anpassungen::VonAnderenVerfeinern(const Rueckrufe& r, Status& status) {
  const std::uint32_t b = besteAlternative_;
  const std::uint32_t n = std::min<std::uint32_t>(eig_.alternativen, methodenVektor_.size());
  if (!gefunden_ || b == 0 || b > n) return;
  // The best result of the methods other than the best one; for every other method that is the
  // best method's own result.
  std::uint32_t zweiter = 0;
  for (std::uint32_t k = 1; k <= n; ++k) {
    if (k == b || fgJeAlternative_[k - 1] == 0) continue;
    const Kennzahlen& e = methodenErgebnis_[k - 1];
    const Kennzahlen* z = zweiter == 0 ? nullptr : &methodenErgebnis_[zweiter - 1];
    if (z == nullptr || e.p > z->p || (e.p == z->p && e.chi < z->chi)) zweiter = k;
  }
  const Abbruchabfrage abbruch{&AbbruchPollen, const_cast<Rueckrufe*>(&r)};
  unterbrechung_ = {&AbbruchPollen, const_cast<Rueckrufe*>(&r)};
  const std::array<std::uint32_t, 2> starts{zweiter, b};
  for (const std::uint32_t k : starts) {
    if (k == 0 || status != status::kOk) continue;
    // Each restart is the refinement again: what it does wrong costs it its own result only.
    const Parametervektor von = methodenVektor_[k - 1];
    FpFaultScope neustart;
    bool ok = false;
    try {
      simplex_ = Simplex{};
      for (std::uint32_t j = 0; j <= eig_.parZahl; ++j) simplex_.ecke[j] = von;
      // A start that an earlier refinement of this fit began from (a method whose refinement
      // gained nothing keeps its classic vector, which was that refinement's start) would give
      // the same result again, already offered to the best-method rule.
      ok = AnpassungBewerten() && !SchonVerfeinert(simplex_.ecke[0]) &&
           VerfeinertRechnen(von, true, abbruch, status) && aktuell_.verfeinert &&
           !aktuell_.unvollstaendig;
    } catch (const std::exception&) {
      ok = false;
    }
    if (neustart.Schliessen() == 0 && ok) BestesMerken(b);
  }
}

void Anpassungen::SchutzSetzen(const Parametervektor& von) {
  schutzZahl_ = 0;
  startKlassen_ = 0;
  const std::size_t klassen = daten_.Statistik.n + 1;
  Parametervektor kopie{};
  FpFaultScope guard;
  ErwartungswerteBerechnen(auswertung_, eingaben_, von, kopie, poolNP_);
  // A start whose frequencies cannot be computed protects nothing: no pooling is known to keep.
  if (guard.Schliessen() != 0) return;
  const double mindest = einstellungen_.Mindestklassengroesse;
  for (std::size_t i = 0; i < klassen; ++i)
    if (daten_.Haeufigkeiten[i] > 0 && poolNP_[i] > mindest)
      geschuetzt_[schutzZahl_++] = static_cast<std::uint32_t>(i);
  // The cells the start counts, by the evaluation's own pooling (on a copy).
  std::uint32_t k = 0;
  FpFaultScope zaehlen;
  std::copy_n(daten_.Haeufigkeiten.begin(), klassen, poolF_.begin());
  GepooltesChiQuadrat(std::span(poolNP_.data(), klassen), std::span(poolF_.data(), klassen),
                      mindest, k);
  if (zaehlen.Schliessen() == 0) startKlassen_ = k;
}

double Anpassungen::Verstecktes(const Erwartungswerte& np, std::uint32_t& zahl) const {
  const double mindest = einstellungen_.Mindestklassengroesse;
  double summe = 0;
  zahl = 0;
  for (std::uint32_t j = 0; j < schutzZahl_; ++j) {
    const double e = np[geschuetzt_[j]];
    if (e > mindest) continue;
    if (!(e > 0)) return -1;
    const double d = e - daten_.Haeufigkeiten[geschuetzt_[j]];
    summe += d * d / e;
    ++zahl;
  }
  return summe;
}

bool Anpassungen::VerfeinertRechnen(const Parametervektor& start, bool klassischOk,
                                    const Abbruchabfrage& abbruch, Status& status) {
  const std::size_t klassen = daten_.Statistik.n + 1;
  const Kennzahlen klassisch = aktuell_;
  const Parametervektor klassischV = simplex_.ecke[0];
  const std::uint32_t klassischK = simplex_.klassen[0];
  if (klassischOk) std::copy_n(aktuelleNP_.begin(), klassen, klassischNP_.begin());
  // From the classic result, or where the classic cycle found none, from the method's start.
  const Parametervektor von = klassischOk ? klassischV : start;
  if (verfeinerungsStartZahl_ < verfeinerungsStarts_.size())
    verfeinerungsStarts_[verfeinerungsStartZahl_++] = von;
  simplex_ = Simplex{};
  simplex_.ecke[0] = von;
  // The refinement is an addition to the classic result, never a risk to it: a fault in its own
  // arithmetic, an exception, a final evaluation that fails or cycles that run out end the
  // refinement alone, each in a scope of its own, and the result says so. A fault in the search
  // (a step of the simplex that overflows) leaves its best vertex as it was evaluated: that vertex
  // is judged by a final evaluation of its own like any other.
  bool erschoepft = false;
  bool gestoert = false;
  bool ausnahme = false;
  bool zyklusOk = false;
  double versteckt = 0;
  bool ok = false;
  {
    FpFaultScope suche;
    try {
      SchutzSetzen(von);
      verfeinernd_ = true;
      eingaben_.unterbrechung = &unterbrechung_;
      zyklusOk = InSerie([&] {
        return Verfeinern(simplex_, eig_.parZahl, *this, einstellungen_, abbruch, status,
                          &erschoepft);
      });
    } catch (const std::exception&) {
      ausnahme = true;
    }
    eingaben_.unterbrechung = nullptr;
    verfeinernd_ = false;
    gestoert = suche.Schliessen() != 0 || ausnahme;
  }
  if (!ausnahme && zyklusOk) {
    FpFaultScope bewertung;
    try {
      ok = AnpassungBewerten();
      // What the result's own pooling hides of the protected classes, judged as their own cells.
      std::uint32_t zahl = 0;
      if (ok) versteckt = Verstecktes(aktuelleNP_, zahl);
      if (versteckt < 0) ok = false;
    } catch (const std::exception&) {
      ok = false;
    }
    if (bewertung.Schliessen() != 0) {
      ok = false;
      gestoert = true;
    }
  }
  schutzZahl_ = 0;
  startKlassen_ = 0;
  const bool unvollstaendig = status == status::kOk && (gestoert || erschoepft || !ok);
  if (ok) aktuell_.verfeinert = true;
  // The best-method rule judges the two: the refined result stands only where it is better.
  // A gain bought by hiding a protected class is none: with the hidden classes judged as cells
  // of their own the refined X² must still be below the classic one.
  const bool besser = ok && (!klassischOk || ((aktuell_.p > klassisch.p ||
                                               (aktuell_.p == klassisch.p &&
                                                aktuell_.chi < klassisch.chi)) &&
                                              (versteckt == 0 ||
                                               aktuell_.chi + versteckt < klassisch.chi)));
  if (besser || !klassischOk) {
    aktuell_.unvollstaendig = unvollstaendig;
    return ok;
  }
  aktuell_ = klassisch;
  aktuell_.unvollstaendig = unvollstaendig;
  simplex_.ecke[0] = klassischV;
  simplex_.klassen[0] = klassischK;
  std::copy_n(klassischNP_.begin(), klassen, aktuelleNP_.begin());
  return true;
}

Status Anpassungen::Vorbereiten(const TVerteilung& verteilung, const FestparameterErfragen& fest) {
  if (!daten_.DatenGueltig) return status::kNoData;
  const TStatistik& s = daten_.Statistik;
  // The catalog leaves fixed-parameter values alone; a member that reads a slot it does not
  // declare would otherwise see whatever the distribution fitted before had left there.
  eig_.festparameter.fill(0);
  Status st = katalog_.ParameterEigenschaftenSetzen(verteilung, eig_, s.n);
  if (st != status::kOk) return st;
  const MemberHandle mitglied = MitgliedAufloesen(verteilung.Index);
  if (!mitglied) return status::kDirectoryError;
  if (!TraegerPruefen(mitglied, daten_.XWerte, daten_.Haeufigkeiten, s.n))
    return status::kNoGoodFit;
  st = katalog_.FestparameterHolen(verteilung, fest, eig_);
  if (st != status::kOk) return st;
  MitgliedEinrichten(verteilung, eig_, mitglied);
  return status::kOk;
}

void Anpassungen::MitgliedEinrichten(const TVerteilung& verteilung,
                                     const TParameterEigenschaften& eig, MemberHandle mitglied) {
  if (&eig != &eig_) eig_ = eig;
  nummer_ = verteilung.Index;
  mitglied_ = mitglied;
  auswertung_ = mitglied_.AuswertungVorbereiten(eingaben_);
  schaetzwerte_.fill(0);
  mitglied_.SchaetzwerteBerechnen(eingaben_, schaetzwerte_);
}

TAnpassung Anpassungen::Bericht(const TVerteilung& verteilung, const Kennzahlen& k,
                                std::uint32_t methode, bool beste) const {
  TAnpassung a;
  a.Chi = k.chi;
  a.PChi = k.p;
  a.Kontingenz = k.c;
  a.R2 = k.r2;
  a.Verteilung = verteilung;
  a.FG = k.fg;
  a.Methode = methode;
  a.Alternativen = eig_.alternativen;
  a.BesteMethode = beste;
  a.Verfeinert = k.verfeinert;
  a.VerfeinerungUnvollstaendig = k.unvollstaendig;
  return a;
}

Status Anpassungen::ParameterMelden(const TVerteilung& verteilung, bool beste,
                                    const Rueckrufe& r) const {
  if (!r.parameter) return status::kOk;
  TVerteilungsparameter vp;
  const Status st = VerteilungsparameterHolen(verteilung, beste, vp);
  return st != status::kOk ? st : r.parameter(vp);
}

std::vector<std::uint32_t> Anpassungen::Poolung(bool beste) const {
  const Erwartungswerte& np = beste ? besteNP_ : aktuelleNP_;
  std::vector<std::uint32_t> ziel(daten_.Statistik.n + 1, kNichtGepoolt);
  // The rows of a failed method carry what its last evaluation left, NaN or infinities among it;
  // comparing and summing those must not leave a flag that fails the whole fit. Such rows have
  // no cells to name.
  FpFaultScope guard;
  PoolungsZiele(std::span<const double>(np.data(), ziel.size()),
                einstellungen_.Mindestklassengroesse, ziel);
  if (guard.Faulted()) std::fill(ziel.begin(), ziel.end(), kNichtGepoolt);
  return ziel;
}

Status Anpassungen::KlassenMelden(bool beste, const Rueckrufe& r) const {
  if (!r.klasse) return status::kOk;
  const TStatistik& s = daten_.Statistik;
  const Erwartungswerte& np = beste ? besteNP_ : aktuelleNP_;
  // Once per result reported, never in the optimisation's evaluations.
  const std::vector<std::uint32_t> ziel = Poolung(beste);
  double summe = 0;
  for (std::uint32_t i = 0; i <= s.n; ++i) {
    const TWerte w{daten_.Haeufigkeiten[i], np[i], daten_.XWerte[i], i, false, ziel[i]};
    summe += np[i];
    const Status st = r.klasse(w);
    if (st != status::kOk) return st;
  }
  return r.klasse(TWerte{s.summe, summe, s.n, s.n, true});
}

Status Anpassungen::AbschlussPruefen() const {
  if (!gefunden_) return status::kNoFit;
  const std::size_t n = std::min<std::size_t>(eig_.alternativen, fgJeAlternative_.size());
  const bool alleNull = std::all_of(fgJeAlternative_.begin(), fgJeAlternative_.begin() + n,
                                    [](std::uint32_t fg) { return fg == 0; });
  return alleNull ? status::kNoFit : status::kOk;
}

Status Anpassungen::BestesMelden(const TVerteilung& verteilung, const Rueckrufe& r, bool spezial) {
  Status st = Melden(r.ergebnis, Bericht(verteilung, beste_, besteAlternative_, true));
  if (st != status::kOk) return st;
  if (spezial) {
    if (r.parameter) {
      // Every parameter of the model, fixed ones with their fixed values, by name.
      TVerteilungsparameter vp;
      st = katalog_.VerteilungsparameterHolen(verteilung, vp);
      if (st != status::kOk) return st;
      for (std::uint32_t k = 0; k < vp.ParZahl; ++k)
        vp.Parameter[k].Wert = ParameterWertSuchen(vp.Parameter[k].Bezeichnung);
      st = r.parameter(vp);
    }
  } else {
    st = ParameterMelden(verteilung, true, r);
  }
  if (st != status::kOk) return st;
  return KlassenMelden(true, r);
}

Status Anpassungen::AlternativenDurchlaufen(const TVerteilung& verteilung, Modus modus,
                                            bool nurBeste, const Rueckrufe& r) {
  Status st = status::kOk;
  const bool berichten = modus == Modus::kGewaehlt && !nurBeste;
  for (std::uint32_t k = 1; k <= eig_.alternativen && st == status::kOk; ++k) {
    const bool ok = AlternativeRechnen(k, r, st);
    if (ok) {
      if (berichten) {
        st = Melden(r.ergebnis, Bericht(verteilung, aktuell_, k, false));
        if (st == status::kOk) st = ParameterMelden(verteilung, false, r);
        if (st == status::kOk) st = KlassenMelden(false, r);
      }
      if (st == status::kOk) BestesMerken(k);
    } else if (berichten) {
      TAnpassung fehl;
      fehl.Verteilung = verteilung;
      fehl.Methode = k;
      fehl.Alternativen = eig_.alternativen;
      fehl.Status = status::kNotEnoughDf;
      // The host's answer decides: a method cut short by a cancel is shown as failed, and the
      // continue poll then ends the fit.
      st = Melden(r.ergebnis, fehl);
      if (st == status::kOk) st = KlassenMelden(false, r);
    }
    if (modus != Modus::kAutomatisch && st == status::kOk && r.weiter && !r.weiter())
      st = status::kAbort;
  }
  if (einstellungen_.Verfeinerung && st == status::kOk) VonAnderenVerfeinern(r, st);
  return st;
}

Status Anpassungen::GewaehlteAnpassung(const TVerteilung& verteilung, bool nurBeste,
                                       const Rueckrufe& host) {
  if (verteilung.spezial) return status::kFitNotPossible;
  const Rueckrufe r = Abgeschirmt(host);
  Status st = status::kException;
  try {
    FpFaultScope guard;
    BestesZuruecksetzen();
    st = Vorbereiten(verteilung, r.festparameter);
    if (st == status::kOk) st = AlternativenDurchlaufen(verteilung, Modus::kGewaehlt, nurBeste, r);
    if (guard.Faulted()) return status::kException;
    if (st == status::kOk) st = AbschlussPruefen();
    if (st == status::kOk) st = BestesMelden(verteilung, r, false);
  } catch (const std::exception&) {
    st = status::kException;
  }
  return st;
}

Status Anpassungen::StillAnpassen(const TVerteilung& verteilung, const TParameterEigenschaften& eig,
                                  MemberHandle mitglied, const Rueckrufe& r) {
  try {
    FpFaultScope guard;
    BestesZuruecksetzen();
    if (!daten_.DatenGueltig) return status::kNoData;
    MitgliedEinrichten(verteilung, eig, mitglied);
    Status st = AlternativenDurchlaufen(verteilung, Modus::kAutomatisch, true, r);
    if (guard.Faulted()) return status::kExceptionSkip;
    if (st == status::kOk && AbschlussPruefen() != status::kOk) gefunden_ = false;
    return st;
  } catch (const std::exception&) {
    return status::kExceptionSkip;
  }
}

Status Anpassungen::AutomatischeAnpassung(const Rueckrufe& host) {
  if (!daten_.DatenGueltig) return status::kNoData;
  const Rueckrufe r = Abgeschirmt(host);
  try {
    return AutomatikLauf(r);
  } catch (const std::exception&) {
    return status::kException;
  }
}

std::string PreflightBereichPruefen(const TSpezialVorgabe& v) {
  if (!std::isfinite(v.Start) || !std::isfinite(v.Stop) || !std::isfinite(v.Delta))
    return "START, STOP and DELTA must be finite numbers";
  if (!(v.Start < v.Stop && v.Delta > 0)) return {};
  if (!(v.Start + v.Delta > v.Start) || !(v.Stop - v.Delta > v.Start - v.Delta))
    return "DELTA is too small to move from START at this magnitude";
  if ((v.Stop - v.Start) / v.Delta > kMaxPreflightPunkte)
    return "more than 1000000 points; choose a larger DELTA";
  return {};
}

Status Anpassungen::SpezielleAnpassung(const TVerteilung& verteilung, const Rueckrufe& host,
                                       const SpezialRueckrufe& spezialHost) {
  const Rueckrufe r = Abgeschirmt(host);
  const SpezialRueckrufe s = Abgeschirmt(spezialHost);
  if (!verteilung.spezial || verteilung.Index != kSpezialIndex) return status::kFitNotPossible;
  try {
    FpFaultScope guard;
    BestesZuruecksetzen();
    if (!daten_.DatenGueltig) return status::kNoData;
    Status st = katalog_.ParameterEigenschaftenSetzen(verteilung, eig_, daten_.Statistik.n);
    if (st != status::kOk) return st;
    const MemberHandle mitglied = MitgliedAufloesen(verteilung.Index);
    if (!mitglied) return status::kDirectoryError;
    if (!TraegerPruefen(mitglied, daten_.XWerte, daten_.Haeufigkeiten, daten_.Statistik.n))
      return status::kNoGoodFit;

    TVerteilungsparameter vp;
    st = katalog_.VerteilungsparameterHolen(verteilung, vp);
    if (st != status::kOk) return st;
    Spezialvorgaben vorgaben{};
    if (vp.ParZahl > 0 && s.vorgaben) {
      st = s.vorgaben(vorgaben, vp.ParZahl);
      if (st != status::kOk) return st;
    }

    // Checked parameters become fixed ones; the others keep their order.
    TParameterEigenschaften frei = eig_;
    frei.parZahl = 0;
    eig_.festparZahl = 0;
    const std::array<ParameterFlags TParameterEigenschaften::*, 10> flaggen = {
        &TParameterEigenschaften::zwischenNullundEins,
        &TParameterEigenschaften::ueberEins,
        &TParameterEigenschaften::unterMinusEins,
        &TParameterEigenschaften::zwischenMinusEinsundEins,
        &TParameterEigenschaften::natuerlicheZahl,
        &TParameterEigenschaften::positiveZahl,
        &TParameterEigenschaften::natuerlicheZahlMit0,
        &TParameterEigenschaften::groesserNull,
        &TParameterEigenschaften::kleinerEins,
        &TParameterEigenschaften::groesserGleichMinusEins};
    for (std::uint32_t k = 0; k < eig_.parZahl && k < vorgaben.size(); ++k) {
      if (vorgaben[k].Fest) {
        if (eig_.festparZahl == kMaxFestparameter) return status::kFitNotPossible;
        eig_.festparameter[eig_.festparZahl] = vorgaben[k].Wert;
        eig_.festparNamen[eig_.festparZahl] = eig_.parNamen[k];
        ++eig_.festparZahl;
      } else {
        const std::uint32_t j = frei.parZahl++;
        frei.parNamen[j] = eig_.parNamen[k];
        for (auto f : flaggen) (frei.*f)[j] = (eig_.*f)[k];
      }
    }
    for (std::uint32_t j = frei.parZahl; j < kMaxParameter; ++j) {
      frei.parNamen[j].clear();
      for (auto f : flaggen) (frei.*f)[j] = false;
    }
    frei.festparameter = eig_.festparameter;
    frei.festparNamen = eig_.festparNamen;
    frei.festparZahl = eig_.festparZahl;
    eig_ = frei;
    nummer_ = verteilung.Index;
    mitglied_ = mitglied;
    auswertung_ = mitglied_.AuswertungVorbereiten(eingaben_);
    schaetzwerte_.fill(0);

    st = PreflightSuche(vorgaben, r, s);
    if (st != status::kOk) return st;
    mitglied_.SchaetzwerteBerechnen(eingaben_, schaetzwerte_);
    st = AlternativenDurchlaufen(verteilung, Modus::kSpeziell, true, r);
    if (guard.Faulted()) return status::kException;
    if (st == status::kOk) st = AbschlussPruefen();
    if (st == status::kOk) st = BestesMelden(verteilung, r, true);
    return st;
  } catch (const std::exception&) {
    return status::kException;
  }
}

Status Anpassungen::Auswerten(const TVerteilung& verteilung, const Parametervektor& vorgabe,
                              const FestparameterErfragen& festparameterHost) {
  // The special model too: evaluating given coefficients is how a special fit is checked.
  const FestparameterErfragen festparameter = Abgeschirmt(festparameterHost);
  // A copy: the caller may hand in one of this engine's own vectors (the last result's, to
  // evaluate it again), which preparing the evaluation resets.
  const Parametervektor parameter = vorgabe;
  try {
    FpFaultScope guard;
    BestesZuruecksetzen();
    Status st = Vorbereiten(verteilung, festparameter);
    if (st != status::kOk) return st;
    // The estimates that preparing computes start no simplex here: a fault in them (the special
    // model's, for one, divide by the grid point the special fitting would have set) says
    // nothing about the given parameters.
    guard.Reset();
    simplex_ = Simplex{};
    for (std::uint32_t k = 0; k <= eig_.parZahl; ++k) simplex_.ecke[k] = parameter;
    const bool ok = AnpassungBewerten();
    if (guard.Faulted()) return status::kException;
    // Given parameters whose frequencies are no distribution give no fit; too few classes after
    // pooling leave a fit without a P.
    if (!ok) return verwerfung_.grund != Verwerfung::kKeine ? status::kNoFit : status::kNotEnoughDf;
    fgJeAlternative_[0] = aktuell_.fg;
    BestesMerken(1);
    return AbschlussPruefen();
  } catch (const std::exception&) {
    return status::kException;
  }
}

Status Anpassungen::VerteilungsparameterHolen(const TVerteilung& verteilung, bool beste,
                                              TVerteilungsparameter& out) const {
  return katalog_.VerteilungsparameterHolen(verteilung, beste ? besterVektor_ : simplex_.ecke[0],
                                            eig_, out);
}

double Anpassungen::ParameterWertSuchen(const std::string& name) const {
  for (std::uint32_t k = 0; k < eig_.festparZahl; ++k)
    if (eig_.festparNamen[k] == name) return eig_.festparameter[k];
  for (std::uint32_t k = 0; k < eig_.parZahl; ++k)
    if (eig_.parNamen[k] == name) return besterVektor_[k];
  return kUnbekannterParameter;
}

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalog/Verteilungsverzeichnis.h"
#include "core/DatenLesen.h"
#include "core/FpFault.h"
#include "distributions/Dispatch.h"
#include "distributions/Member.h"
#include "fitting/Anpassungsguete.h"
#include "fitting/Einstellungen.h"
#include "fitting/Ergebnis.h"
#include "fitting/Simplex.h"

namespace vk {

// One possible parameter of the special model (a0, a1, a2, b1, b2 use entries 0..4): its value,
// its preflight range and whether it is held fixed at the value.
struct TSpezialVorgabe {
  double Wert = 0;
  double Start = 0;
  double Stop = 0;
  double Delta = 0;
  bool Fest = false;
};
using Spezialvorgaben = std::array<TSpezialVorgabe, 9>;

// The most points a preflight range may have; a finer grid would run for hours.
inline constexpr double kMaxPreflightPunkte = 1e6;

// Why a preflight range START, START + DELTA, ... below STOP cannot be searched, or empty when it
// can: its values must be finite, and a range that is not empty (START < STOP, DELTA > 0) must
// move (START + DELTA > START) and have at most kMaxPreflightPunkte points. An empty range is
// allowed: it has no points.
std::string PreflightBereichPruefen(const TSpezialVorgabe& v);

// What the special fitting's preflight grid reports: its start (with the number of b1 rows),
// the end of each b1 row, and its end.
enum class PreflightEreignis { kStart, kZeile, kEnde };

// The two extra callbacks of the special fitting.
struct SpezialRueckrufe {
  // Fills the entries (count 9, and the model's number of parameters); non-zero stops.
  std::function<Status(Spezialvorgaben& vorgaben, std::uint32_t parZahl)> vorgaben;
  // (kStart, rows) before the grid, (kZeile, 0) after each b1 row, (kEnde, 0) after it;
  // non-zero after a row stops the grid with that status.
  std::function<Status(PreflightEreignis ereignis, std::uint32_t anzahl)> fortschritt;
};

// The fitting engine: owns the current data set, its copy of the optimisation settings, the
// parameter properties of the distribution being fitted, the estimate table, the simplex and
// the current and best results. One fit runs at a time on one engine; engines on different
// threads are independent (they share only the read-only catalog). About 1 MB: hold it on the
// heap.
class Anpassungen final : private Zielfunktion {
 public:
  explicit Anpassungen(const Verteilungsverzeichnis& katalog);
  // The member inputs refer to the engine's own fields, so an engine is never copied.
  Anpassungen(const Anpassungen&) = delete;
  Anpassungen& operator=(const Anpassungen&) = delete;

  // Reading replaces the current data set (statistics included).
  Status DatenLesen(RecordSource& quelle, TDateneigenschaften& eigenschaften);
  Status KlasseHolen(std::uint32_t i, double& f, std::uint32_t& x) const;
  const TDatensatz& Daten() const { return daten_; }
  const Verteilungsverzeichnis& Katalog() const { return katalog_; }
  TDatensatz& DatenZumLesen() { return daten_; }

  void EinstellungenUebernehmen(const TEinstellungen& e) { einstellungen_ = e; }
  const TEinstellungen& Einstellungen() const { return einstellungen_; }

  // The four drivers.
  Status GewaehlteAnpassung(const TVerteilung& verteilung, bool nurBeste, const Rueckrufe& r);
  Status AutomatischeAnpassung(const Rueckrufe& r);
  Status SpezielleAnpassung(const TVerteilung& verteilung, const Rueckrufe& r,
                            const SpezialRueckrufe& s);

  // No optimisation: the given free parameters are corrected and evaluated like a method's final
  // evaluation; fills the current result, NP and vector.
  Status Auswerten(const TVerteilung& verteilung, const Parametervektor& parameter,
                   const FestparameterErfragen& festparameter);

  // How many threads the automatic fitting's members and the special fitting's preflight grid
  // run on; 0 (the default) for one per core. The results, their order and the callbacks' thread
  // do not depend on it: the host is called on the calling thread only.
  void ThreadsSetzen(unsigned threads) { threads_ = threads; }

  // The best (or current) parameter set with values, as the window is told of it.
  Status VerteilungsparameterHolen(const TVerteilung& verteilung, bool beste,
                                   TVerteilungsparameter& out) const;
  // Value of a fixed or estimated parameter by name (estimated ones from the best vector);
  // 123456789 when the distribution has no parameter of that name.
  double ParameterWertSuchen(const std::string& name) const;

  // The figures of the method evaluated last and of the best method.
  struct Kennzahlen {
    double chi = 0, p = 0, c = 0, r2 = 0;
    std::uint32_t fg = 0;
    std::uint32_t klassen = 0;  // classes that counted after pooling
    bool verfeinert = false;    // the refinement improved on the classic cycle
    // The refinement ended early (a fault, a failed final evaluation, its cycles used up): the
    // result is the classic one, or the better refined vertex reached before the end.
    bool unvollstaendig = false;
  };
  const Kennzahlen& Aktuell() const { return aktuell_; }
  // Why the last final evaluation found no distribution (Verwerfung::kKeine when it did).
  const Verteilungspruefung& Verworfen() const { return verwerfung_; }
  const Kennzahlen& Beste() const { return beste_; }
  // The last fit found a result (its best method's figures, vector and frequencies are set).
  bool Gefunden() const { return gefunden_; }
  std::uint32_t BesteAlternative() const { return besteAlternative_; }
  const Parametervektor& BesterVektor() const { return besterVektor_; }
  const Parametervektor& AktuellerVektor() const { return simplex_.ecke[0]; }
  const Erwartungswerte& BesteNP() const { return besteNP_; }
  const Erwartungswerte& AktuelleNP() const { return aktuelleNP_; }
  const TParameterEigenschaften& Eigenschaften() const { return eig_; }
  // Where the X² of the best (or current) result counted each class 0..L: the index of the
  // class it was pooled into, kNichtGepoolt for a cell of its own.
  std::vector<std::uint32_t> Poolung(bool beste) const;

  // One evaluation: X² of `v` for distribution `index` under the current properties (the vector
  // is corrected on a copy) and its class count; 10 000 000 for a failed evaluation.
  double ChiQuadratBerechnen(std::uint32_t index, const Parametervektor& v, std::uint32_t& k);

  // X² of `v` for the distribution of the last fit with the cells held as given: class i counts
  // in the cell of class `ziel[i]` (its own for kNichtGepoolt, as Poolung gives them), whose
  // observed frequency is `zellF` at that index. Near a minimum this is a smooth function of the
  // parameters, where the evaluation's own pooling jumps wherever a class's NP crosses the
  // minimal class size. False where the frequencies cannot be computed, are no distribution or
  // leave a cell without expected frequency.
  bool ChiQuadratFesteZellen(const Parametervektor& v, std::span<const std::uint32_t> ziel,
                             std::span<const double> zellF, double& chi);

  // Runs `zyklus` (a simplex cycle, or any loop of evaluations) in one fault series: each
  // evaluation then looks at the flags once.
  template <typename Zyklus>
  bool InSerie(Zyklus zyklus) {
    FpFaultSerie serie;
    serie_ = &serie;
    struct Ende {
      FpFaultSerie*& s;
      ~Ende() { s = nullptr; }
    } ende{serie_};
    return zyklus();
  }

 private:
  enum class Modus { kGewaehlt, kAutomatisch, kSpeziell };

  void Korrigieren(Parametervektor& v) const override;
  double ChiQuadrat(const Parametervektor& v, std::uint32_t& klassen) override;
  // The evaluation without a look at the flags: X², or -1 where the frequencies are negative.
  double Auswerten(std::uint32_t index, const Parametervektor& v, std::uint32_t& k);

  void BestesZuruecksetzen();
  bool AnpassungBewerten();
  // X² and class count of aktuelleNP_, as a final evaluation reports them.
  double GezeigtesChiQuadrat(std::uint32_t& k);
  void BestesMerken(std::uint32_t alternative);
  bool AlternativeRechnen(std::uint32_t k, const Rueckrufe& r, Status& status);
  bool VerfeinertRechnen(const Parametervektor& start, bool klassischOk, const Abbruchabfrage& a,
                         Status& status);
  // The observed classes that keep a cell of their own at `von`: the refinement may not pool them.
  void SchutzSetzen(const Parametervektor& von);
  // The protected classes that `np` would pool (own NP at or under the minimal class size),
  // judged as cells of their own: the sum of their (NP - f)² / NP, their number in `zahl`; -1
  // where one has no NP above 0.
  double Verstecktes(const Erwartungswerte& np, std::uint32_t& zahl) const;
  // The refinement restarted from the best result of the methods other than the best and from
  // the best method's own; a restart that is better by the best-method rule becomes the best
  // method's result.
  void VonAnderenVerfeinern(const Rueckrufe& r, Status& status);
  // The distribution's properties, its member, the data's support and the fixed values, checked
  // and taken in this order; kNoGoodFit where the data do not suit the member.
  Status Vorbereiten(const TVerteilung& verteilung, const FestparameterErfragen& fest);
  // The rest of the preparation, once those are settled: `eig` with its fixed values.
  void MitgliedEinrichten(const TVerteilung& verteilung, const TParameterEigenschaften& eig,
                          MemberHandle mitglied);
  Status AlternativenDurchlaufen(const TVerteilung& verteilung, Modus modus, bool nurBeste,
                                 const Rueckrufe& r);
  Status AbschlussPruefen() const;
  Status BestesMelden(const TVerteilung& verteilung, const Rueckrufe& r, bool spezial);
  Status ParameterMelden(const TVerteilung& verteilung, bool beste, const Rueckrufe& r) const;
  Status KlassenMelden(bool beste, const Rueckrufe& r) const;
  // A fit of the automatic pass, whose preparation the caller has done (MitgliedEinrichten's
  // arguments): every method, nothing reported; the best result stays in the engine.
  Status StillAnpassen(const TVerteilung& verteilung, const TParameterEigenschaften& eig,
                       MemberHandle mitglied, const Rueckrufe& r);
  Status PreflightSuche(const Spezialvorgaben& v, const Rueckrufe& r, const SpezialRueckrufe& s);
  // One grid point of the preflight: its P and X², false where its fit fails or faults.
  bool PreflightPunkt(double b1, double b2, const Abbruchabfrage& abbruch, double& p, double& chi);
  // An engine for a preflight thread: this one's data set, settings, properties and estimates.
  std::unique_ptr<Anpassungen> PreflightHelfer() const;
  struct Gitterblock;
  // An engine for an automatic fitting's thread: this one's data set and settings.
  std::unique_ptr<Anpassungen> AutomatikHelfer() const;
  struct Automatikarbeit;
  // The automatic fitting behind the host's callbacks, which are already shielded.
  Status AutomatikLauf(const Rueckrufe& r);
  TAnpassung Bericht(const TVerteilung& verteilung, const Kennzahlen& k, std::uint32_t methode,
                     bool beste) const;

  const Verteilungsverzeichnis& katalog_;
  TDatensatz daten_;
  TEinstellungen einstellungen_;
  TParameterEigenschaften eig_;
  // The member's inputs, built once over the engine's own data set and properties.
  // During a method's optimisation it carries the abort poll, so long evaluations can stop.
  Unterbrechung unterbrechung_{};
  Eingaben eingaben_{daten_.Statistik, daten_.Haeufigkeiten, daten_.XWerte, eig_, nullptr};
  Schaetzwerttabelle schaetzwerte_{};
  Simplex simplex_;
  std::uint32_t nummer_ = 0;  // distribution being fitted
  MemberHandle mitglied_;     // its member, resolved once per fit
  Auswertung auswertung_{};   // the member's checks over this fit's data and properties

  Erwartungswerte poolNP_{};  // one evaluation's frequencies, pooled in place
  Erwartungswerte poolF_{};   // the pooling copy of the observed frequencies
  Erwartungswerte aktuelleNP_{};
  Erwartungswerte besteNP_{};
  Erwartungswerte klassischNP_{};  // the classic result while a refinement tries to beat it
  bool verfeinernd_ = false;       // a vertex must leave at least one degree of freedom
  // The classes the refinement keeps unpooled (observed, own NP above the minimal class size at
  // its start), geschuetzt_[0..schutzZahl_).
  std::array<std::uint32_t, kMaxKlassen> geschuetzt_{};
  std::uint32_t schutzZahl_ = 0;
  std::uint32_t startKlassen_ = 0;  // cells counted at the refinement's start; none fewer after
  // While a simplex cycle runs, its evaluations are checked by the series' single flag test.
  FpFaultSerie* serie_ = nullptr;
  Parametervektor besterVektor_{};
  Kennzahlen aktuell_;
  Verteilungspruefung verwerfung_;
  Kennzahlen beste_;
  std::uint32_t besteAlternative_ = 0;
  bool gefunden_ = false;
  std::array<std::uint32_t, 64> fgJeAlternative_{};  // DF of each alternative, 0 when it failed
  // Each alternative's result and vector, for the refinement's restarts from the others.
  std::array<Parametervektor, 64> methodenVektor_{};
  std::array<Kennzahlen, 64> methodenErgebnis_{};
  // The start of every refinement of this fit: the refinement is a function of its start alone
  // (the protected classes and the start's cells come from it), so a restart from one of them
  // would only repeat a result the best-method rule has already judged.
  std::array<Parametervektor, 66> verfeinerungsStarts_{};
  std::uint32_t verfeinerungsStartZahl_ = 0;
  bool SchonVerfeinert(const Parametervektor& von) const;
  unsigned threads_ = 0;  // 0: one per core
};

}  // namespace vk

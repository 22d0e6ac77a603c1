// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic fitting: every member marked for it, fitted on all cores.
//
// The members' fits are independent: each starts from its own estimates and leaves nothing that
// the next one reads. They run on engines of their own, one per thread, taking the members in
// catalog order as they come free. The calling thread computes nothing while helpers run: it
// alone talks to the host (asks the fixed values, polls for a cancel, reports), and it reports
// the members in catalog order as soon as each and all before it are done, with the running
// numbers, the threshold of the best X² and the final status of a single pass over the catalog.
// A member on a big data set can take minutes; a calling thread busy with one would hold back the
// reports and the cancel of all the others.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "core/FpFault.h"
#include "fitting/Anpassungen.h"
#include "fitting/Helferthreads.h"
#include "fitting/Traeger.h"

namespace vk {

namespace {

// One member of the pass. The calling thread prepares it before any fit starts, as the fit's own
// preparation would; the thread that fits it takes the preparation over and fills the rest.
struct Automatikauftrag {
  TVerteilung ref;
  Status eigenschaften = status::kOk;  // of setting its parameter properties
  // The properties with the host's fixed values, and the member, resolved once.
  TParameterEigenschaften eig;
  MemberHandle mitglied;
  // The preparation ends before the fit's first abort poll (data the member does not suit, a
  // fixed value refused), with this status.
  bool ohneFit = false;
  Status vorbereitet = status::kOk;
  // A floating-point fault in the preparation's own arithmetic (not the host's), which fails
  // the fit as one inside the fit's scope would.
  bool vorbereitungFehler = false;
  // Its fit: the status, whether a best method was found, and that method's figures.
  Status fit = status::kOk;
  bool gefunden = false;
  TAnpassung bericht;
};

// A fit whose status does not end the pass: a result, no result, or a member skipped.
bool LaufGehtWeiter(Status fit) {
  return fit == status::kOk || fit == status::kSkipAbortByUser || fit == status::kExceptionSkip;
}

// What the fit of `a` gives when a cancel is seen at its first abort poll; the single pass does
// the same with every member after a cancel.
void Abbrechen(Automatikauftrag& a) {
  a.gefunden = false;
  a.fit = a.ohneFit ? a.vorbereitet : status::kAbort;
}

// What the threads share. A member's result is written by the thread that fitted it and read by
// the calling thread after `fertig` says so, both under the lock.
struct Automatiklauf {
  std::vector<Automatikauftrag> auftraege;
  std::atomic<std::size_t> naechster{0};
  // A cancel has been seen or the pass has ended: no further member is started, and the running
  // fits end at their next abort poll.
  std::atomic<bool> stopp{false};
  std::mutex sperre;
  std::condition_variable fertigMeldung;
  std::vector<char> fertig;
  std::exception_ptr fehler;  // the first exception that left a helper's fit
};

}  // namespace

struct Anpassungen::Automatikarbeit {
  // Fits member `a` on `engine` as the single pass does; `r` is the engine's side of the host.
  static void Rechnen(Anpassungen& engine, Automatikauftrag& a, const Rueckrufe& r) {
    a.gefunden = false;
    if (a.vorbereitungFehler) {
      // Where the preparation went on to a fit, the fit's scope saw the fault: kExceptionSkip;
      // where it ended with data the member does not suit, it was a "No fit" before any check.
      a.fit = a.ohneFit && a.vorbereitet == status::kOk ? status::kOk : status::kExceptionSkip;
      return;
    }
    if (a.ohneFit) {
      a.fit = a.vorbereitet;
      return;
    }
    a.fit = engine.StillAnpassen(a.ref, a.eig, a.mitglied, r);
    a.gefunden = a.fit == status::kOk && engine.gefunden_;
    if (a.gefunden) a.bericht = engine.Bericht(a.ref, engine.beste_, 0, false);
  }

  // The fit's preparation of member `a`, done ahead on the calling thread so that the host is
  // asked for the fixed values before any fit starts: the checks in the fit's order, their
  // outcome noted for the fit. `a.eig` holds the properties already set (status kOk).
  static void VorabVorbereiten(const Anpassungen& engine, Automatikauftrag& a, const Rueckrufe& r) {
    const TDatensatz& d = engine.daten_;
    FpFaultScope guard;
    a.ohneFit = true;
    a.vorbereitet = status::kOk;
    a.mitglied = MitgliedAufloesen(a.ref.Index);
    if (!a.mitglied) {
      a.vorbereitet = status::kDirectoryError;
      a.vorbereitungFehler = guard.Schliessen() != 0;
      return;
    }
    // Data the member does not suit make a "No fit".
    if (!TraegerPruefen(a.mitglied, d.XWerte, d.Haeufigkeiten, d.Statistik.n)) {
      a.vorbereitungFehler = guard.Schliessen() != 0;
      return;
    }
    FestparameterErfragen fragen;
    if (r.festparameter) {
      fragen = [&r](Festparameterfeld& f, std::uint32_t n) {
        // The host's own arithmetic is none of the fit's.
        const FpFaultScope host;
        return r.festparameter(f, n);
      };
    }
    const Status st = engine.katalog_.FestparameterHolen(a.ref, fragen, a.eig);
    a.vorbereitungFehler = guard.Schliessen() != 0;
    a.ohneFit = st != status::kOk;
    a.vorbereitet = st == status::kNoGoodFit ? status::kOk : st;
  }

  // Takes members until none is left. Once the pass has stopped, the members still to come
  // count as cut short without being started, so that the calling thread waits for none of them.
  static void Arbeiten(Anpassungen& engine, Automatiklauf& lauf, const Rueckrufe& r) {
    for (;;) {
      const std::size_t i = lauf.naechster.fetch_add(1, std::memory_order_relaxed);
      if (i >= lauf.auftraege.size()) return;
      Automatikauftrag& a = lauf.auftraege[i];
      if (lauf.stopp.load(std::memory_order_relaxed)) {
        Abbrechen(a);
      } else if (a.eigenschaften == status::kOk) {
        Rechnen(engine, a, r);
      }
      {
        const std::lock_guard<std::mutex> halten(lauf.sperre);
        lauf.fertig[i] = 1;
      }
      lauf.fertigMeldung.notify_one();
    }
  }
};

std::unique_ptr<Anpassungen> Anpassungen::AutomatikHelfer() const {
  auto h = std::make_unique<Anpassungen>(katalog_);
  h->daten_ = daten_;
  h->einstellungen_ = einstellungen_;
  h->threads_ = 1;
  return h;
}

Status Anpassungen::AutomatikLauf(const Rueckrufe& r) {
  using Arbeit = Automatikarbeit;
  const std::uint32_t anzahl = katalog_.VerteilungenZaehlen().automatik;
  Automatiklauf lauf;
  // The members in catalog order, up to the first whose properties end the pass. Their fixed
  // values are asked here, all before the first fit, so that no helper ever calls the host; a
  // member whose answer ends the pass is the last one taken.
  Status ende = status::kDirectoryEnd;
  int cursor = -1;
  for (auto eintrag = katalog_.ErsteVerteilung(kMaskeAlle, cursor); eintrag;
       eintrag = katalog_.NaechsteVerteilung(kMaskeAlle, cursor)) {
    if (!eintrag->automatik) continue;
    Automatikauftrag a;
    a.ref = Referenz(*eintrag);
    a.eigenschaften = katalog_.ParameterEigenschaftenSetzen(a.ref, a.eig, daten_.Statistik.n);
    if (a.eigenschaften != status::kOk && a.eigenschaften != status::kNotEnoughClasses) {
      ende = a.eigenschaften;
      break;
    }
    if (a.eigenschaften == status::kOk) Arbeit::VorabVorbereiten(*this, a, r);
    lauf.auftraege.push_back(a);
    if (a.ohneFit && !LaufGehtWeiter(a.vorbereitet)) break;
  }
  lauf.fertig.assign(lauf.auftraege.size(), 0);

  // The single pass's reports of member i, in catalog order; false where the pass ends (`st`
  // then says why).
  double schwelle = 100;
  bool besteGefunden = false;
  bool abgebrochen = false;
  bool selbstPollend = false;  // the members are fitted on this thread, polling as they go
  Status st = status::kOk;
  const auto bericht = [&](const TVerteilung& v, std::uint32_t nummer, Status s) {
    TAnpassung a;
    a.Verteilung = v;
    a.Methode = nummer;
    a.Alternativen = anzahl;
    a.Status = s;
    return a;
  };
  const auto melden = [&](std::size_t i) {
    Automatikauftrag& a = lauf.auftraege[i];
    // After a cancel the members still to be reported are those the single pass would have
    // begun after it: each ends at its first abort poll, whatever a helper computed ahead.
    if (!selbstPollend && !abgebrochen && r.abbruch && r.abbruch()) {
      abgebrochen = true;
      lauf.stopp.store(true, std::memory_order_relaxed);
    }
    if (abgebrochen && !selbstPollend) Abbrechen(a);
    const auto nummer = static_cast<std::uint32_t>(i + 1);
    const auto weiter = [&](const TAnpassung& t) {
      return r.ergebnis ? r.ergebnis(t) : status::kOk;
    };
    if (a.eigenschaften == status::kNotEnoughClasses) {
      st = weiter(bericht(a.ref, nummer, status::kNotEnoughClasses));
    } else if (a.fit == status::kOk && a.gefunden) {
      TAnpassung t = a.bericht;
      t.Methode = nummer;
      t.Alternativen = anzahl;
      st = weiter(t);
      if (st == status::kOk && t.Chi < schwelle) {
        besteGefunden = true;
        schwelle = t.Chi;
      }
    } else if (a.fit == status::kOk) {
      st = weiter(bericht(a.ref, nummer, status::kNoFit));
    } else if (a.fit == status::kSkipAbortByUser || a.fit == status::kExceptionSkip) {
      weiter(bericht(a.ref, nummer, a.fit));
      st = status::kOk;
    } else {
      st = a.fit;
    }
    return st == status::kOk;
  };
  const auto abschluss = [&] {
    if (st == status::kOk) st = ende;
    if (st == status::kDirectoryEnd) st = besteGefunden ? status::kOk : status::kNoGoodFit;
    return st;
  };

  unsigned threads = threads_ != 0 ? threads_ : std::thread::hardware_concurrency();
  threads =
      static_cast<unsigned>(std::min<std::size_t>(std::max(threads, 1u), lauf.auftraege.size()));
  // One thread: the calling thread fits each member and reports it at once; its fits poll the
  // host themselves.
  const auto nacheinander = [&] {
    for (std::size_t i = 0; i < lauf.auftraege.size(); ++i) {
      if (lauf.auftraege[i].eigenschaften == status::kOk)
        Arbeit::Rechnen(*this, lauf.auftraege[i], r);
      if (!melden(i)) return st;
    }
    return abschluss();
  };
  if (threads <= 1) {
    selbstPollend = true;
    return nacheinander();
  }

  // Helpers poll the shared stop, never the host; the calling thread turns the host's cancel
  // into that stop. Every question was answered above.
  Rueckrufe helferSeite;
  helferSeite.abbruch = [&lauf] { return lauf.stopp.load(std::memory_order_relaxed); };
  std::vector<std::unique_ptr<Anpassungen>> helfer;
  for (unsigned t = 0; t < threads; ++t) helfer.push_back(AutomatikHelfer());
  std::vector<std::jthread> arbeiter;
  const HelferAnhalten<Automatiklauf> anhalten{lauf};
  for (unsigned t = 0; t < threads; ++t) {
    const auto arbeit = [&lauf, &helferSeite, engine = helfer[t].get()] {
      // The thread's own floating-point flags start from the creating thread's: cleared here,
      // and each fit's scopes guard its computation as on the calling thread.
      FpFaultScope eigene;
      Arbeit::Arbeiten(*engine, lauf, helferSeite);
    };
    HelferStarten(arbeiter, lauf, 1, arbeit, [&lauf] { lauf.fertigMeldung.notify_one(); });
  }
  if (arbeiter.empty()) {
    selbstPollend = true;
    return nacheinander();
  }

  for (std::size_t gemeldet = 0; gemeldet < lauf.auftraege.size(); ++gemeldet) {
    for (;;) {
      {
        std::unique_lock<std::mutex> warten(lauf.sperre);
        lauf.fertigMeldung.wait_for(warten, std::chrono::milliseconds(10),
                                    [&] { return lauf.fehler || lauf.fertig[gemeldet] != 0; });
        if (lauf.fehler) std::rethrow_exception(lauf.fehler);
        if (lauf.fertig[gemeldet] != 0) break;
      }
      if (!abgebrochen && r.abbruch && r.abbruch()) {
        abgebrochen = true;
        lauf.stopp.store(true, std::memory_order_relaxed);
      }
    }
    if (!melden(gemeldet)) return st;
  }
  return abschluss();
}

}  // namespace vk

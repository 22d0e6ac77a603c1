// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TabAnpassen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Status.h"
#include "ui/Arbeiter.h"
#include "ui/Fensterdienste.h"
#include "ui/Meldungen.h"
#include "ui/TabBausteine.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

TabAnpassen::TabAnpassen(Fensterdienste& fenster, QWidget* eltern)
    : QWidget(eltern), fenster_(fenster) {
  setObjectName("TabShAnpassen");
  CBNFVerteilung = new QComboBox(this);
  CBNFVerteilung->setObjectName("CBNFVerteilung");
  LVNFParameter = ParameterListe(this, "LVNFParameter");
  EdNFErgebnis = ErgebnisFeld(this, "EdNFErgebnis");
  NumedNFChi2 = Feld(this, "NumedNFChi2", 4);
  NumEdNFPChi2 = Feld(this, "NumEdNFPChi2", 4);
  NumEdNFFG = Feld(this, "NumEdNFFG", 0);
  NumEdNFKontingenz = Feld(this, "NumEdNFKontingenz", 4);
  NumEdNFDetKoeff = Feld(this, "NumEdNFDetKoeff", 4);
  LblNFMethode = new QLabel("Method", this);
  LblNFMethode->setObjectName("LblNFMethode");
  NumEdNFMethode = Feld(this, "NumEdNFMethode", 0);
  NumEdNFAlternativen = Feld(this, "NumEdNFAlternativen", 0);
  NumEdNFMethode->setMaximumWidth(50);
  NumEdNFAlternativen->setMaximumWidth(50);
  CBNFNurBesteMethode = new QCheckBox("Show only best method", this);
  CBNFNurBesteMethode->setObjectName("CBNFNurBesteMethode");
  CBNFAuswahlhilfe = new QCheckBox("Assisted selection of distribution", this);
  CBNFAuswahlhilfe->setObjectName("CBNFAuswahlhilfe");
  BtnNFAbbruch = new QPushButton("Cancel", this);
  BtnNFAbbruch->setObjectName("BtnNFAbbruch");
  BtnNFAbbruch->setEnabled(false);
  BtnNFNaechsteMethode = new QPushButton("Next Method", this);
  BtnNFNaechsteMethode->setObjectName("BtnNFNaechsteMethode");
  BtnNFNaechsteMethode->setEnabled(false);
  BtnNFNaechsteMethode->setToolTip("Go on with the next method (F10)");
  SpinNFBootstrap = new QSpinBox(this);
  SpinNFBootstrap->setObjectName("SpinNFBootstrap");
  SpinNFBootstrap->setRange(0, static_cast<int>(kMaxBootstrapProben));
  SpinNFBootstrap->setSpecialValueText("off");
  SpinNFBootstrap->setToolTip(
      "Parametric bootstrap after the fit: samples drawn from the fitted law and refitted, for "
      "standard errors, 95 % intervals and a Monte Carlo P");
  EdNFSeed = new QLineEdit("1", this);
  EdNFSeed->setObjectName("EdNFSeed");
  EdNFSeed->setToolTip(
      "Seed of the bootstrap's draws: a whole number from 0 to 18446744073709551615; the same "
      "seed gives the same figures");
  CBNFIntervall = new QComboBox(this);
  CBNFIntervall->setObjectName("CBNFIntervall");
  // A list, not a text: every entry is a kind the bootstrap knows.
  CBNFIntervall->addItem("Percentile", static_cast<int>(Intervallart::kPerzentil));
  CBNFIntervall->addItem("Basic", static_cast<int>(Intervallart::kBasis));
  CBNFIntervall->addItem("Bias-corrected", static_cast<int>(Intervallart::kBiaskorrigiert));
  CBNFIntervall->setToolTip(
      "How the bootstrap's 95 % intervals are read from the refitted values: their 2.5 % and "
      "97.5 % quantiles (percentile), those reflected about the estimate (basic), or quantiles "
      "shifted against the estimator's median bias (bias-corrected)");
  CBNFKruemmung = new QCheckBox("Curvature standard errors", this);
  CBNFKruemmung->setObjectName("CBNFKruemmung");
  CBNFKruemmung->setToolTip("Standard errors from the Hessian of X² at the minimum");
  LblNFInferenz = new QLabel(this);
  LblNFInferenz->setObjectName("LblNFInferenz");
  LblNFInferenz->setWordWrap(true);
  LblNFInferenz->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* werte = new QFormLayout;
  werte->addRow("Result", EdNFErgebnis);
  werte->addRow("X²", NumedNFChi2);
  werte->addRow("P(X²)", NumEdNFPChi2);
  werte->addRow("DF", NumEdNFFG);
  werte->addRow("C", NumEdNFKontingenz);
  werte->addRow("R²", NumEdNFDetKoeff);
  auto* methode = new QHBoxLayout;
  methode->addWidget(LblNFMethode);
  methode->addWidget(NumEdNFMethode);
  methode->addWidget(new QLabel("of", this));
  methode->addWidget(NumEdNFAlternativen);
  methode->addStretch();
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BtnNFNaechsteMethode);
  knoepfe->addWidget(BtnNFAbbruch);

  // The window has a fixed size. The standard errors' options and their summary sit under the
  // parameter list, which gives up its height to them, and beside the figures: the two sides are
  // laid out on their own, so that the figures' height does not also bind the options' rows.
  auto* links = new QGridLayout;
  auto* parameterText = new QLabel("Parameters", this);
  links->addWidget(parameterText, 0, 0, Qt::AlignTop);
  links->addWidget(LVNFParameter, 0, 1);
  auto* fehler = new QVBoxLayout;
  auto* proben = new QHBoxLayout;
  proben->addWidget(new QLabel("Bootstrap samples", this));
  proben->addWidget(SpinNFBootstrap, 1);
  fehler->addLayout(proben);
  // Seed and interval kind share a row: the window has no height for one more.
  auto* seed = new QHBoxLayout;
  seed->addWidget(new QLabel("Seed", this));
  seed->addWidget(EdNFSeed, 1);
  seed->addWidget(new QLabel("Interval", this));
  seed->addWidget(CBNFIntervall);
  fehler->addLayout(seed);
  fehler->addWidget(CBNFKruemmung);
  fehler->addWidget(LblNFInferenz);
  // From the labels' column on: the figures' labels beside them keep the width they need.
  links->addLayout(fehler, 1, 0, 1, 2);
  links->addWidget(CBNFNurBesteMethode, 2, 1);
  links->setRowStretch(0, 1);
  // Three parameters stay in view when the summary takes its lines.
  LVNFParameter->setMinimumHeight(3 * LVNFParameter->fontMetrics().height() +
                                  2 * LVNFParameter->frameWidth() + 6);
  auto* rechts = new QVBoxLayout;
  rechts->addLayout(werte);
  rechts->addLayout(methode);
  rechts->addLayout(knoepfe);
  rechts->addStretch();
  rechts->addWidget(CBNFAuswahlhilfe);
  auto* seiten = new QHBoxLayout;
  seiten->addLayout(links, 1);
  seiten->addLayout(rechts, 1);

  auto* raster = new QVBoxLayout(this);
  auto* oben = new QHBoxLayout;
  auto* verteilungText = new QLabel("Distribution", this);
  oben->addWidget(verteilungText);
  oben->addWidget(CBNFVerteilung, 1);
  raster->addLayout(oben);
  raster->addLayout(seiten, 1);
  // The list starts under the distribution's box: both labels take the wider one's width.
  const int textBreite =
      std::max(verteilungText->sizeHint().width(), parameterText->sizeHint().width());
  verteilungText->setMinimumWidth(textBreite);
  parameterText->setMinimumWidth(textBreite);

  connect(CBNFVerteilung, &QComboBox::currentIndexChanged, this, [this] { Leeren(); });
  connect(EdNFSeed, &QLineEdit::editingFinished, this, [this] { SeedPruefen(); });
  connect(CBNFAuswahlhilfe, &QCheckBox::clicked, this, [this] {
    auswahlhilfe_ = CBNFAuswahlhilfe->isChecked();
    AuswahlFuellen();
  });
  connect(BtnNFAbbruch, &QPushButton::clicked, this, [this] { Abbrechen(); });
  connect(BtnNFNaechsteMethode, &QPushButton::clicked, this, [this] {
    // One answer per wait: the button goes off at once, before the worker has taken it up.
    if (!wartet_) return;
    WartenAnzeigen(false);
    {
      const std::lock_guard<std::mutex> l(antwortSperre_);
      naechste_ = true;
    }
    antwortSignal_.notify_all();
  });
}

TabAnpassen::~TabAnpassen() {
  if (arbeiter_) {
    Abbrechen();
    arbeiter_->wait();
  }
}

void TabAnpassen::Abbrechen() {
  {
    const std::lock_guard<std::mutex> l(antwortSperre_);
    abbruch_ = true;
  }
  antwortSignal_.notify_all();
}

void TabAnpassen::Leeren() {
  LVNFParameter->clear();
  LVNFParameter->setColumnCount(2);
  LblNFInferenz->clear();
  LblNFInferenz->setMinimumHeight(0);
  NumEdNFFG->SetzeWert(0);
  NumEdNFMethode->SetzeWert(0);
  NumEdNFAlternativen->SetzeWert(0);
  NumedNFChi2->SetzeWert(0);
  NumEdNFPChi2->SetzeWert(0);
  NumEdNFKontingenz->SetzeWert(0);
  NumEdNFDetKoeff->SetzeWert(0);
  ErgebnisSetzen(EdNFErgebnis, QString());
  LblNFMethode->setText("Method");
}

void TabAnpassen::AuswahlFuellen() {
  CBNFVerteilung->blockSignals(true);
  CBNFVerteilung->clear();
  fenster_.Katalog().VerteilungenAuflisten(
      auswahlhilfe_, fenster_.Engine().Daten(), [this](const TVerteilung& v) {
        if (!v.spezial)
          CBNFVerteilung->addItem(QString::fromStdString(v.Bezeichnung),
                                  QVariant::fromValue(TListObj{v}));
        return status::kOk;
      });
  CBNFVerteilung->model()->sort(0);
  CBNFVerteilung->setCurrentIndex(CBNFVerteilung->count() > 0 ? 0 : -1);
  CBNFVerteilung->blockSignals(false);
  Leeren();
}

void TabAnpassen::ZustandAnpassung(bool laeuft) {
  CBNFVerteilung->setEnabled(!laeuft);
  CBNFAuswahlhilfe->setEnabled(!laeuft);
}

void TabAnpassen::AuswahlhilfeSetzen(bool an) {
  CBNFAuswahlhilfe->setChecked(an);
  auswahlhilfe_ = an;
}

bool TabAnpassen::NurBesteMethode() const {
  return CBNFNurBesteMethode->isChecked();
}

void TabAnpassen::NurBesteMethodeSetzen(bool an) {
  CBNFNurBesteMethode->setChecked(an);
}

QString TabAnpassen::Verteilungsname() const {
  return CBNFVerteilung->currentText();
}

bool TabAnpassen::VerteilungWaehlen(const QString& name) {
  if (CBNFAuswahlhilfe->isChecked()) {
    AuswahlhilfeSetzen(false);
    AuswahlFuellen();
  }
  const int i = CBNFVerteilung->findText(name);
  if (i < 0) return false;
  CBNFVerteilung->setCurrentIndex(i);
  return true;
}

void TabAnpassen::NaechsteMethode() {
  if (BtnNFNaechsteMethode->isEnabled()) BtnNFNaechsteMethode->click();
}

void TabAnpassen::Starten() {
  // With assisted selection the list may be empty; then there is nothing to fit.
  if (CBNFVerteilung->currentIndex() < 0 || arbeiter_) {
    QApplication::beep();
    return;
  }
  // A seed typed but not yet confirmed is checked here; a bad one starts no run.
  if (!SeedPruefen()) return;
  abbruch_ = false;
  naechste_ = false;
  besteZusatz_.clear();
  Leeren();
  // The data list shows this run's fit or none, never an earlier distribution's.
  fenster_.NPLeeren();
  fenster_.AnpassungBeginnt();
  // How far the fit is shows as methods done of methods in all, once the first has ended.
  fenster_.FortschrittStart(0);
  BtnNFAbbruch->setEnabled(true);
  waitCursor_ = std::make_unique<WaitCursor>();

  Anpassungen& engine = fenster_.Engine();
  const TVerteilung verteilung = Gewaehlt(CBNFVerteilung);
  const bool nurBeste = CBNFNurBesteMethode->isChecked();
  const QString name = CBNFVerteilung->currentText();
  const InferenzEinstellungen inferenz = Inferenz();
  arbeiter_ = std::make_unique<Arbeiter>([this, &engine, verteilung, nurBeste, name, inferenz] {
    Klassenpuffer puffer;
    Rueckrufe r;
    r.festparameter = [this](Festparameterfeld& f, std::uint32_t n) {
      return Erfragen(this, [this, &f, n] { return fenster_.FestparameterErfragen(f, n); });
    };
    r.abbruch = [this] { return abbruch_.load(); };
    r.weiter = [this, nurBeste] { return nurBeste || NaechsteMethodeAbwarten(); };
    r.klasse = KlassenFuerDatenliste(this, fenster_, puffer, name);
    r.ergebnis = [this, &puffer](const TAnpassung& a) {
      puffer.ergebnisOk = a.Status == status::kOk;
      Posten(this, [this, a] { ErgebnisAnzeigen(a); });
      return status::kOk;
    };
    r.parameter = [this](const TVerteilungsparameter& vp) {
      Posten(this, [this, vp] { ParameterAnzeigen(vp); });
      return status::kOk;
    };
    const Status st = engine.GewaehlteAnpassung(verteilung, nurBeste, r);
    if (st == status::kOk && (inferenz.Bootstrap > 0 || inferenz.Kruemmung)) {
      Unsicherheit u;
      u.auftrag = inferenz;
      if (inferenz.Kruemmung) u.kruemmung = KruemmungRechnen(engine);
      if (inferenz.Bootstrap > 0) {
        BootstrapVorgabe vorgabe;
        vorgabe.wiederholungen = inferenz.Bootstrap;
        vorgabe.seed = inferenz.Seed;
        vorgabe.intervall = inferenz.Intervall;
        // Cancel stops the samples at once; the figures are those of the samples done.
        vorgabe.abbruch = [this] { return abbruch_.load(); };
        vorgabe.fortschritt = [this, B = inferenz.Bootstrap](std::uint32_t fertig) {
          Posten(this, [this, fertig, B] {
            fenster_.FortschrittStand(static_cast<int>(fertig), static_cast<int>(B));
          });
        };
        BootstrapRechnen(engine, verteilung, vorgabe, u.bootstrap);
      }
      Posten(this, [this, u] { InferenzAnzeigen(u); });
    }
    Posten(this, [this, st] { Beendet(st); });
  });
  arbeiter_->start();
}

bool TabAnpassen::NaechsteMethodeAbwarten() {
  Posten(this, [this] { WartenAnzeigen(true); });
  bool weiter = false;
  {
    std::unique_lock<std::mutex> l(antwortSperre_);
    antwortSignal_.wait(l, [this] { return naechste_ || abbruch_; });
    weiter = naechste_;
    naechste_ = false;
  }
  Posten(this, [this] { WartenAnzeigen(false); });
  return weiter;
}

void TabAnpassen::WartenAnzeigen(bool wartet) {
  if (wartet == wartet_) return;
  wartet_ = wartet;
  BtnNFNaechsteMethode->setEnabled(wartet);
  emit NaechsteMethodeMoeglich(wartet);
  // While the fit waits for the user, the normal cursor.
  if (wartet) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TabAnpassen::ErgebnisAnzeigen(const TAnpassung& a) {
  if (a.Alternativen > 0)
    fenster_.FortschrittStand(static_cast<int>(a.Methode), static_cast<int>(a.Alternativen));
  if (a.BesteMethode) LblNFMethode->setText("Best method");
  if (a.BesteMethode) besteZusatz_ = a.Status == status::kOk ? VerfeinertZusatz(a) : QString();
  NumEdNFMethode->SetzeWert(a.Methode);
  NumEdNFAlternativen->SetzeWert(a.Alternativen);
  if (a.Status != status::kOk) {
    NumEdNFFG->SetzeWert(0);
    NumedNFChi2->SetzeWert(0);
    NumEdNFPChi2->SetzeWert(0);
    NumEdNFKontingenz->SetzeWert(0);
    NumEdNFDetKoeff->SetzeWert(0);
    LVNFParameter->clear();
    ErgebnisSetzen(EdNFErgebnis, QString::fromStdString(StatusText(a.Status)));
    fenster_.NPLeeren();
  } else {
    NumEdNFFG->SetzeWert(a.FG);
    NumedNFChi2->SetzeWert(a.Chi);
    NumEdNFPChi2->SetzeWert(a.PChi);
    NumEdNFKontingenz->SetzeWert(a.Kontingenz);
    NumEdNFDetKoeff->SetzeWert(a.R2);
    ErgebnisSetzen(EdNFErgebnis, "OK" + VerfeinertZusatz(a));
  }
}

void TabAnpassen::ParameterAnzeigen(const TVerteilungsparameter& vp) {
  LVNFParameter->clear();
  for (std::uint32_t k = 0; k < vp.ParZahl && k < kMaxParameter; ++k)
    ParameterZeile(LVNFParameter, vp.Parameter[k].Bezeichnung, vp.Parameter[k].Wert);
  for (std::uint32_t k = 0; k < vp.FestParZahl && k < kMaxFestparameter; ++k)
    ParameterZeile(LVNFParameter, vp.Festparameter[k].Bezeichnung, vp.Festparameter[k].Wert, true);
}

InferenzEinstellungen TabAnpassen::Inferenz() const {
  InferenzEinstellungen e;
  e.Bootstrap = static_cast<std::uint32_t>(SpinNFBootstrap->value());
  e.Seed = seed_;
  e.Kruemmung = CBNFKruemmung->isChecked();
  e.Intervall = static_cast<Intervallart>(CBNFIntervall->currentData().toInt());
  return e;
}

void TabAnpassen::InferenzSetzen(const InferenzEinstellungen& e) {
  SpinNFBootstrap->setValue(static_cast<int>(std::min(e.Bootstrap, kMaxBootstrapProben)));
  seed_ = e.Seed;
  EdNFSeed->setText(QString::number(seed_));
  CBNFIntervall->setCurrentIndex(CBNFIntervall->findData(static_cast<int>(e.Intervall)));
  CBNFKruemmung->setChecked(e.Kruemmung);
}

bool TabAnpassen::SeedPruefen() {
  const QString text = EdNFSeed->text();
  bool ok = false;
  const qulonglong wert = text.trimmed().toULongLong(&ok, 10);
  if (ok) {
    seed_ = wert;
    return true;
  }
  // Put the valid seed back first: the warning's event loop would otherwise end the editing
  // once more and warn twice.
  EdNFSeed->setText(QString::number(seed_));
  Warnung(this, "Seed '" + text + "' is not a whole number from 0 to 18446744073709551615; " +
                    "the seed stays " + QString::number(seed_));
  return false;
}

void TabAnpassen::InferenzAnzeigen(const Unsicherheit& u) {
  const bool mitBootstrap = u.auftrag.Bootstrap > 0;
  // The curvature's errors where asked for, else the bootstrap's; the free parameters are the
  // list's first rows.
  LVNFParameter->setColumnCount(3);
  LVNFParameter->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  const std::uint32_t parZahl = mitBootstrap ? u.bootstrap.parZahl : u.kruemmung.parZahl;
  for (std::uint32_t k = 0; k < parZahl && k < kMaxParameter; ++k) {
    QTreeWidgetItem* z = LVNFParameter->topLevelItem(static_cast<int>(k));
    if (z == nullptr) break;
    const double se = u.auftrag.Kruemmung ? u.kruemmung.se[k] : u.bootstrap.parameter[k].se;
    z->setText(2, std::isfinite(se) ? "± " + FestOderSignifikant(se, 4) : QStringLiteral("± -"));
    z->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    if (mitBootstrap) {
      const ParameterStreuung& p = u.bootstrap.parameter[k];
      if (std::isfinite(p.unten) && std::isfinite(p.oben))
        z->setToolTip(2, QString("95 % %1 interval ").arg(IntervallartName(u.bootstrap.intervall)) +
                             FestOderSignifikant(p.unten, 4) + " .. " +
                             FestOderSignifikant(p.oben, 4));
    }
  }
  QStringList zeilen;
  if (mitBootstrap) {
    const BootstrapErgebnis& b = u.bootstrap;
    QString p = std::isfinite(b.pMonteCarlo) ? FestOderSignifikant(b.pMonteCarlo, 4) : "-";
    QString zeile = QString("Monte Carlo P %1 from %2 of %3 bootstrap samples, %4 failed (seed %5)")
                        .arg(p)
                        .arg(b.gerechnet - b.fehlgeschlagen)
                        .arg(b.verlangt)
                        .arg(b.fehlgeschlagen)
                        .arg(QString::number(b.seed));
    if (b.abgebrochen) zeile += QString("; cancelled after %1 samples").arg(b.gerechnet);
    zeilen << zeile;
  }
  if (u.auftrag.Kruemmung) {
    zeilen << (u.kruemmung.Verfuegbar()
                   ? QStringLiteral("± from the curvature of X² at the minimum")
                   : "Curvature standard errors unavailable: " +
                         QString::fromStdString(KruemmungsgrundText(u.kruemmung.grund)));
  } else if (mitBootstrap) {
    zeilen << QStringLiteral("± from the bootstrap");
  }
  LblNFInferenz->setText(zeilen.join("\n"));
  // The wrapped lines in full: the parameter list above gives up the height.
  LblNFInferenz->setMinimumHeight(LblNFInferenz->heightForWidth(LblNFInferenz->width()));
}

void TabAnpassen::Beendet(Status st) {
  arbeiter_->wait();
  arbeiter_.reset();
  waitCursor_.reset();
  BtnNFAbbruch->setEnabled(false);
  if (st != status::kOk) {
    Leeren();
    fenster_.NPLeeren();
  }
  ErgebnisSetzen(EdNFErgebnis, QString::fromStdString(StatusText(st)) +
                                   (st == status::kOk ? besteZusatz_ : QString()));
  fenster_.FortschrittEnde();
  fenster_.AnpassungEndet();
}

}  // namespace vk::ui

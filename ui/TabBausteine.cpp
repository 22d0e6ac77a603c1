// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TabBausteine.h"

#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTreeWidget>
#include <algorithm>

#include "core/Status.h"
#include "ui/Arbeiter.h"
#include "ui/Fensterdienste.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

TNumEdit* Feld(QWidget* eltern, const char* name, int dezimalen, bool nurLesen) {
  auto* f = new TNumEdit(dezimalen, nurLesen, eltern);
  f->setObjectName(name);
  return f;
}

QTreeWidget* ParameterListe(QWidget* eltern, const char* name) {
  auto* l = new QTreeWidget(eltern);
  l->setObjectName(name);
  l->setColumnCount(2);
  l->setHeaderHidden(true);
  l->setRootIsDecorated(false);
  // The name takes what the value leaves over, so a value is never cut off.
  l->header()->setStretchLastSection(false);
  l->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  l->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  VolltextHinweise(l);
  return l;
}

void ParameterZeile(QTreeWidget* liste, const std::string& name, double wert, bool fest) {
  auto* z = new QTreeWidgetItem(liste);
  // A value held fixed was given, not fitted; the list says so.
  z->setText(0, QString::fromStdString(name) + (fest ? QStringLiteral(" (fixed)") : QString()));
  z->setText(1, FestOderSignifikant(wert, 4));
  z->setTextAlignment(1, kRechts);
}

QLineEdit* ErgebnisFeld(QWidget* eltern, const char* name) {
  auto* feld = new QLineEdit(eltern);
  feld->setObjectName(name);
  feld->setReadOnly(true);
  int breite = 0;
  for (Status st = 0; st <= status::kLast; ++st)
    breite = std::max(
        breite, feld->fontMetrics().horizontalAdvance(QString::fromStdString(StatusText(st))));
  // The text, the two pixels QLineEdit keeps free on either side, and the style's frame.
  QStyleOptionFrame option;
  option.initFrom(feld);
  const QSize groesse = feld->style()->sizeFromContents(
      QStyle::CT_LineEdit, &option, QSize(breite + 4, feld->sizeHint().height()), feld);
  feld->setMinimumWidth(groesse.width());
  return feld;
}

void ErgebnisSetzen(QLineEdit* feld, const QString& text) {
  feld->setText(text);
  feld->setCursorPosition(0);
  feld->setToolTip(text);
}

QString VerfeinertZusatz(const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig)
    return a.Verfeinert ? " (refined, refinement not completed)" : " (refinement not completed)";
  return a.Verfeinert ? kVerfeinertZusatz : "";
}

QTreeWidget* ErgebnisListe(QWidget* eltern, const char* name) {
  auto* l = new QTreeWidget(eltern);
  l->setObjectName(name);
  l->setRootIsDecorated(false);
  l->setUniformRowHeights(true);
  l->setSelectionBehavior(QAbstractItemView::SelectRows);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setEditTriggers(QAbstractItemView::NoEditTriggers);
  l->header()->setSectionsClickable(true);
  l->header()->setStretchLastSection(true);
  GitterlinienZeichnen(l);
  return l;
}

void SpaltenAnlegen(QTreeWidget* liste, const std::vector<Spalte>& spalten) {
  liste->setColumnCount(static_cast<int>(spalten.size()));
  for (int s = 0; s < static_cast<int>(spalten.size()); ++s) {
    const Spalte& sp = spalten[static_cast<std::size_t>(s)];
    liste->headerItem()->setText(s, sp.titel);
    if (s > 0) liste->headerItem()->setTextAlignment(s, kRechts);
    SpaltenartSetzen(liste, s, sp.art);
    liste->setColumnWidth(s, sp.breite);
  }
}

void ErgebnisEintragen(QTreeWidgetItem* z, const TAnpassung& a) {
  z->setText(kSpChi, Fest(a.Chi, 2));
  z->setText(kSpP, Fest(a.PChi, 4));
  z->setText(kSpC, Fest(a.Kontingenz, 4));
  z->setText(kSpFG, QString::number(a.FG));
  z->setText(kSpR2, Fest(a.R2, 4));
  // A refined result has its first cell in italics and says so over its figures, so the list
  // reads at a glance which figures the classic cycle alone would not have reached. (The figures
  // keep the list's font: their columns are fitted to it.)
  QFont schrift = z->font(0);
  schrift.setItalic(a.Verfeinert);
  z->setFont(0, schrift);
  QString hinweis = a.Verfeinert ? QString(kVerfeinertHinweis) : QString();
  if (a.VerfeinerungUnvollstaendig)
    hinweis += (hinweis.isEmpty() ? "" : "\n") + QString(kUnvollstaendigHinweis);
  for (int s = kSpChi; s <= kSpR2; ++s) z->setToolTip(s, hinweis);
}

TVerteilung Gewaehlt(const QComboBox* box) {
  return box->currentData().value<TListObj>().Verteilung;
}

std::function<Status(const TWerte&)> KlassenFuerDatenliste(QObject* ziel, Fensterdienste& fenster,
                                                           Klassenpuffer& puffer,
                                                           const QString& verteilung) {
  return [ziel, &fenster, &puffer, verteilung](const TWerte& w) {
    if (w.Ergebnis) {
      if (puffer.ergebnisOk) {
        Posten(ziel, [&fenster, verteilung, liste = std::move(puffer.klassen)] {
          for (std::size_t i = 0; i < liste.size(); ++i)
            fenster.NPZeigen(static_cast<std::uint32_t>(i), liste[i].NP, liste[i].GepooltIn);
          fenster.NPGehoertZu(verteilung);
        });
      } else {
        Posten(ziel, [&fenster] { fenster.NPLeeren(); });
      }
      puffer.klassen.clear();
    } else if (w.Idx <= kMaxKlassenIndex) {
      if (puffer.klassen.size() <= w.Idx) puffer.klassen.resize(w.Idx + 1);
      puffer.klassen[w.Idx] = w;
    }
    return status::kOk;
  };
}

}  // namespace vk::ui

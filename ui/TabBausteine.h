// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Building blocks the fitting tabs share: their read-only fields, parameter and result lists,
// the result columns of the automatic and batch lists, and the cursors of a running fit.
#include <QApplication>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "catalog/Defs.h"
#include "fitting/Ergebnis.h"
#include "ui/Listen.h"

class QComboBox;
class QLineEdit;
class QObject;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace vk::ui {

class Fensterdienste;
class TNumEdit;

inline constexpr Qt::Alignment kRechts = Qt::AlignRight | Qt::AlignVCenter;

// The result columns shared by the automatic and the batch list.
inline constexpr int kSpChi = 1, kSpP = 2, kSpC = 3, kSpFG = 4, kSpR2 = 5;

struct Spalte {
  const char* titel;
  int breite;
  Spaltenart art;
};

TNumEdit* Feld(QWidget* eltern, const char* name, int dezimalen, bool nurLesen = true);
QTreeWidget* ParameterListe(QWidget* eltern, const char* name);
void ParameterZeile(QTreeWidget* liste, const std::string& name, double wert, bool fest = false);
QTreeWidget* ErgebnisListe(QWidget* eltern, const char* name);

// The "Result" field of a tab: wide enough for every status message; a longer text shows its
// beginning, and the whole text is the field's tooltip.
QLineEdit* ErgebnisFeld(QWidget* eltern, const char* name);
void ErgebnisSetzen(QLineEdit* feld, const QString& text);

// The mark of a result the refinement improved, and of one whose refinement ended early (a fault,
// an exception, a final evaluation that failed or cycles that ran out): its figures are those the
// refinement had reached, or the classic cycle's.
inline constexpr const char* kVerfeinertHinweis =
    "Refined: axis-wise restarts improved on the classic simplex cycle";
inline constexpr const char* kUnvollstaendigHinweis =
    "Refinement not completed: it ended early, the figures are the best it had reached";
inline constexpr const char* kVerfeinertZusatz = " (refined)";
// What follows "OK" in a "Result" field: "", " (refined)", " (refinement not completed)" or
// " (refined, refinement not completed)".
QString VerfeinertZusatz(const TAnpassung& a);
void SpaltenAnlegen(QTreeWidget* liste, const std::vector<Spalte>& spalten);
void ErgebnisEintragen(QTreeWidgetItem* z, const TAnpassung& a);
// The distribution of the combo box's current item.
TVerteilung Gewaehlt(const QComboBox* box);

// What a worker keeps of the method being reported until its classes are complete. The engine
// reports a method's result before its classes; a failed method's classes are no fit.
struct Klassenpuffer {
  std::vector<TWerte> klassen;
  bool ergebnisOk = false;
};

// The engine's class callback for a worker whose fit shows its expected frequencies in the data
// list: the classes come one by one and are collected in `puffer`; when the method's closing
// record comes the list gets them together as the fit of `verteilung`, posted to `ziel`'s thread,
// or, after a failed result, the list's NP column is emptied.
std::function<Status(const TWerte&)> KlassenFuerDatenliste(QObject* ziel, Fensterdienste& fenster,
                                                           Klassenpuffer& puffer,
                                                           const QString& verteilung);

// The cursor while a fit computes; the normal one while it waits for the user.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};
struct NormalerZeiger {
  NormalerZeiger() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~NormalerZeiger() { QApplication::restoreOverrideCursor(); }
  NormalerZeiger(const NormalerZeiger&) = delete;
  NormalerZeiger& operator=(const NormalerZeiger&) = delete;
};

}  // namespace vk::ui

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

// The mark of a result the refinement improved.
inline constexpr const char* kVerfeinertHinweis =
    "Refined: axis-wise restarts improved on the classic simplex cycle";
inline constexpr const char* kVerfeinertZusatz = " (refined)";
void SpaltenAnlegen(QTreeWidget* liste, const std::vector<Spalte>& spalten);
void ErgebnisEintragen(QTreeWidgetItem* z, const TAnpassung& a);
// The distribution of the combo box's current item.
TVerteilung Gewaehlt(const QComboBox* box);

// The engine's class callback for a worker whose fit shows its expected frequencies in the data
// list: the classes come one by one and are collected in `klassen`; the list gets them together
// when the method's closing record comes, posted to `ziel`'s thread.
std::function<Status(const TWerte&)> KlassenFuerDatenliste(QObject* ziel, Fensterdienste& fenster,
                                                           std::vector<TWerte>& klassen);

// The cursor while a fit computes; the normal one while it waits for the user.
struct Sanduhr {
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};
struct NormalerZeiger {
  NormalerZeiger() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~NormalerZeiger() { QApplication::restoreOverrideCursor(); }
  NormalerZeiger(const NormalerZeiger&) = delete;
  NormalerZeiger& operator=(const NormalerZeiger&) = delete;
};

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "catalog/Verteilungsverzeichnis.h"
#include "core/Datensatz.h"
#include "fitting/Anpassungen.h"

namespace vk::ui {

// What a fitting tab needs of the main window: the engine and the catalog, the shared displays
// (progress, the data list's NP column, the statistics), the fixed-parameter dialog, the input
// file list, and the window-wide state of a running fit. Every call is made on the window's
// thread; a tab's worker reaches them only through Posten and Erfragen.
class Fensterdienste {
 public:
  virtual Anpassungen& Engine() = 0;
  virtual const Verteilungsverzeichnis& Katalog() const = 0;

  // The window-wide state: controls that would change the data or start another fit are
  // disabled from the first call until the second.
  virtual void AnpassungBeginnt() = 0;
  virtual void AnpassungEndet() = 0;
  virtual bool InAnpassung() const = 0;

  // The fixed-parameter dialog for the engine's question; kSkipAbortByUser when cancelled.
  virtual Status FestparameterErfragen(Festparameterfeld& fest, std::uint32_t anzahl) = 0;

  // The progress field: a count of steps, or a busy indicator while the count is unknown (0).
  virtual void FortschrittStart(int gesamt) = 0;
  virtual void FortschrittStand(int erledigt, int gesamt) = 0;
  virtual void FortschrittSchritt() = 0;
  virtual void FortschrittEnde() = 0;

  // The data list's NP column, and the class each class was pooled into for X² (kNichtGepoolt
  // for none): pooled rows are shaded. Once a fit's classes are all in, NPGehoertZu names its
  // distribution: the chart draws the column only under that name. Emptying the column, or
  // showing another data set, leaves it belonging to no fit.
  virtual void NPLeeren() = 0;
  virtual void NPZeigen(std::uint32_t idx, double np, std::uint32_t gepooltIn) = 0;
  virtual void NPGehoertZu(const QString& verteilung) = 0;

  // The input files, and the statistics and data list of one of them: read now into the engine
  // (false after a warning) or as a batch row keeps them.
  virtual QStringList Eingabedateien() const = 0;
  virtual bool DateiAnzeigen(const QString& pfad) = 0;
  virtual void DatensatzAnzeigen(const QString& pfad, const TDateneigenschaften& eig,
                                 const TDaten& daten) = 0;
  virtual void Warnen(const QString& text) = 0;

  // Fit the distribution of this name on the selected tab (a double-clicked result row).
  virtual void AufAnpassenTabAnpassen(const QString& name) = 0;

 protected:
  ~Fensterdienste() = default;
};

}  // namespace vk::ui

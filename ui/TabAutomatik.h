// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>

#include "fitting/Ergebnis.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vk::ui {

class Arbeiter;
class Fensterdienste;

// The automatic fitting: every automatic distribution on the data, the successful ones listed
// and coloured by quality as they come. The fit runs on a worker.
class TabAutomatik : public QWidget {
  Q_OBJECT
 public:
  TabAutomatik(Fensterdienste& fenster, QWidget* eltern);
  ~TabAutomatik() override;

  void Starten();
  bool Laeuft() const { return arbeiter_ != nullptr; }
  void Leeren();
  void ZustandAnpassung(bool laeuft);

 private:
  void ErgebnisAnzeigen(const TAnpassung& a);
  // Widens the figure columns for the new row (every row when null), the name takes the rest.
  void SpaltenVerteilen(const QTreeWidgetItem* neu);
  void Beendet();
  void ZeileDoppelklick();

  Fensterdienste& fenster_;
  std::unique_ptr<Arbeiter> arbeiter_;
  std::atomic<bool> abbruch_{false};
  int sortiert_ = -1;

  QPushButton* BtnAFAbbrechen = nullptr;
  QTreeWidget* LVAFAutomatik = nullptr;
};

}  // namespace vk::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Automatikordnung.h"

#include <algorithm>
#include <functional>

namespace vk::cli {

bool AutomatikSortieren(std::vector<TAnpassung>& zeilen, const QString& spalte) {
  const auto ohneFit = [](const TAnpassung& a) { return a.Status != 0; };
  std::function<bool(const TAnpassung&, const TAnpassung&)> vor;
  if (spalte == "p")
    vor = [](auto& a, auto& b) { return a.PChi > b.PChi; };
  else if (spalte == "r2")
    vor = [](auto& a, auto& b) { return a.R2 > b.R2; };
  else if (spalte == "c")
    vor = [](auto& a, auto& b) { return a.Kontingenz < b.Kontingenz; };
  else if (spalte == "x2")
    vor = [](auto& a, auto& b) { return a.Chi < b.Chi; };
  else if (spalte == "df")
    vor = [](auto& a, auto& b) { return a.FG < b.FG; };
  else if (spalte == "name")
    vor = [](auto& a, auto& b) {
      return QString::fromStdString(a.Verteilung.Bezeichnung)
                 .compare(QString::fromStdString(b.Verteilung.Bezeichnung), Qt::CaseInsensitive) <
             0;
    };
  else
    return false;
  std::stable_sort(zeilen.begin(), zeilen.end(), [&](const TAnpassung& a, const TAnpassung& b) {
    if (ohneFit(a) != ohneFit(b)) return ohneFit(b);
    return !ohneFit(a) && vor(a, b);
  });
  return true;
}

}  // namespace vk::cli

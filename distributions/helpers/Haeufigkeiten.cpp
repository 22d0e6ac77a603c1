// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Haeufigkeiten.h"

namespace vk {

void NullhaeufigkeitenErsetzen(std::span<double> f) {
  for (double& w : f) {
    if (w == 0) w = 1.0;
  }
  if (f.size() >= 2 && f[0] == f[1]) f[0] += 0.1;
}

}  // namespace vk

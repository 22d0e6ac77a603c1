// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalog/VerzeichnisLaden.h"

namespace vk::bench {

// The shipped catalog, packed by the build beside the command-line tool (VK_CATALOG_FILE), loaded
// once. Without it a benchmark has nothing to measure, so a failed load ends the process.
inline const Verteilungsverzeichnis& GepackterKatalog() {
  static const Verteilungsverzeichnis k = [] {
    Verteilungsverzeichnis geladen;
    std::string meldung;
    if (VerzeichnisAusDateiLaden(VK_CATALOG_FILE, geladen, meldung) != status::kOk) {
      std::fprintf(stderr, "%s\n", meldung.c_str());
      std::exit(1);
    }
    return geladen;
  }();
  return k;
}

}  // namespace vk::bench

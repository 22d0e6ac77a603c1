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
  static Verteilungsverzeichnis katalog;
  static const bool geladen = [] {
    std::string meldung;
    const bool ok = VerzeichnisAusDateiLaden(VK_CATALOG_FILE, katalog, meldung) == status::kOk;
    if (!ok) std::fprintf(stderr, "%s\n", meldung.c_str());
    return ok;
  }();
  if (!geladen) std::exit(1);
  return katalog;
}

}  // namespace vk::bench

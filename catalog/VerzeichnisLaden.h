// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "catalog/Verteilungsverzeichnis.h"

namespace vk {

inline constexpr char kKatalogDateiname[] = "Kalibra.bxm";

// The catalog file to load: "Kalibra.bxm" in the current directory when it exists there, else
// the one in `programmVerzeichnis` (the directory of the executable, which the host knows and
// the core does not). Empty when neither exists.
std::filesystem::path KatalogdateiFinden(const std::filesystem::path& programmVerzeichnis);

// Loads the catalog found by KatalogdateiFinden into `ziel`. On failure (7) `meldung` names the
// file and what is wrong with it, and `ziel` keeps what it held: no partial table is kept.
Status VerzeichnisLaden(const std::filesystem::path& programmVerzeichnis,
                        Verteilungsverzeichnis& ziel, std::string& meldung);

// The same for a named file.
Status VerzeichnisAusDateiLaden(const std::filesystem::path& datei, Verteilungsverzeichnis& ziel,
                                std::string& meldung);

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "catalog/Verteilungsverzeichnis.h"

namespace vk {

inline constexpr char kKatalogDateiname[] = "Kalibra.bxm";
// Where an installation keeps the catalog, relative to the directory of its executables: an
// installed tree (bin/ beside share/) works wherever it is unpacked.
inline constexpr char kKatalogInstallVerzeichnis[] = "../share/vostra-kalibra";

// The catalog file to load: "Kalibra.bxm" in the current directory when it exists there, else
// the one in `programmVerzeichnis` (the directory of the executable, which the host knows and
// the core does not), else the one in kKatalogInstallVerzeichnis below that. Empty when none
// exists. A name in the current directory that cannot be followed (a broken link, a link loop)
// is passed over with a note in `hinweis`, for the host to show: the user meant that file, and
// another one is loaded.
std::filesystem::path KatalogdateiFinden(const std::filesystem::path& programmVerzeichnis,
                                         std::string* hinweis = nullptr);

// Loads the catalog found by KatalogdateiFinden into `ziel`. On failure (7) `meldung` names the
// file and what is wrong with it, and `ziel` keeps what it held: no partial table is kept. A
// catalog without any entry is a failure too. `hinweis` receives KatalogdateiFinden's note.
Status VerzeichnisLaden(const std::filesystem::path& programmVerzeichnis,
                        Verteilungsverzeichnis& ziel, std::string& meldung,
                        std::string* hinweis = nullptr);

// The same for a named file.
Status VerzeichnisAusDateiLaden(const std::filesystem::path& datei, Verteilungsverzeichnis& ziel,
                                std::string& meldung);

}  // namespace vk

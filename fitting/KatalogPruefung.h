// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "catalog/Verteilungsverzeichnis.h"
#include "core/Status.h"

namespace vk {

// Whether every catalog entry has code behind it that matches what it declares: a member of the
// library with the same number of free and fixed parameters and of alternatives, and the special
// flag on the special model's index and nowhere else. An entry that fails would only end fits
// with "Exception" or "No fit" later; the first one is named in `meldung` (status 7).
Status KatalogPruefen(const Verteilungsverzeichnis& katalog, std::string& meldung);

// The hosts' way to the catalog: VerzeichnisLaden, then KatalogPruefen. `hinweis` receives a
// note for standard error or a message box (a catalog in the current directory that could not
// be used).
Status KatalogLaden(const std::filesystem::path& programmVerzeichnis, Verteilungsverzeichnis& ziel,
                    std::string& meldung, std::string& hinweis);

}  // namespace vk

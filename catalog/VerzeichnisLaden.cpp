// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/VerzeichnisLaden.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "catalog/CatalogFile.h"

namespace vk {

namespace {

constexpr std::uintmax_t kMaxDateigroesse = 64u << 20;

bool DateiLesen(const std::filesystem::path& datei, std::vector<std::uint8_t>& bytes,
                std::string& error) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(datei, ec);
  if (ec) {
    error = "cannot read it (" + ec.message() + ")";
    return false;
  }
  if (size > kMaxDateigroesse) {
    error = "too large for a catalog (" + std::to_string(size) + " bytes)";
    return false;
  }
  std::ifstream in(datei, std::ios::binary);
  if (!in) {
    error = "cannot open it";
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "read error";
    return false;
  }
  return true;
}

}  // namespace

std::filesystem::path KatalogdateiFinden(const std::filesystem::path& programmVerzeichnis,
                                         std::string* hinweis) {
  std::error_code ec;
  const std::filesystem::path hier(kKatalogDateiname);
  if (std::filesystem::exists(hier, ec)) return hier;
  std::error_code linkFehler;
  if (hinweis != nullptr && std::filesystem::is_symlink(hier, linkFehler)) {
    *hinweis = std::string("Catalog file \"") + kKatalogDateiname +
               "\" in the current directory is a link that cannot be followed (" +
               (ec ? ec.message() : std::string("its target does not exist")) +
               "); it is passed over";
  }
  if (!programmVerzeichnis.empty()) {
    const std::filesystem::path dort = programmVerzeichnis / kKatalogDateiname;
    if (std::filesystem::exists(dort, ec)) return dort;
    const std::filesystem::path installiert =
        (programmVerzeichnis / kKatalogInstallVerzeichnis / kKatalogDateiname).lexically_normal();
    if (std::filesystem::exists(installiert, ec)) return installiert;
  }
  return {};
}

Status VerzeichnisAusDateiLaden(const std::filesystem::path& datei, Verteilungsverzeichnis& ziel,
                                std::string& meldung) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  Verteilungstabelle tabelle;
  const auto leer = [&] {
    for (const auto& e : tabelle)
      if (e) return false;
    error = "it holds no distribution";
    return true;
  };
  if (!DateiLesen(datei, bytes, error) ||
      !KatalogDateiLesen(bytes, DefaultCatalogKey(), tabelle, error) || leer()) {
    std::error_code ec;
    const std::filesystem::path voll = std::filesystem::absolute(datei, ec);
    meldung = "Catalog file \"" + (ec ? datei : voll).string() + "\": " + error;
    return status::kDirectoryError;
  }
  ziel = Verteilungsverzeichnis(std::move(tabelle));
  return status::kOk;
}

Status VerzeichnisLaden(const std::filesystem::path& programmVerzeichnis,
                        Verteilungsverzeichnis& ziel, std::string& meldung, std::string* hinweis) {
  const std::filesystem::path datei = KatalogdateiFinden(programmVerzeichnis, hinweis);
  if (datei.empty()) {
    std::error_code ec;
    meldung = std::string("Catalog file \"") + kKatalogDateiname +
              "\" not found in the current directory (" +
              std::filesystem::current_path(ec).string() + "), beside the program (" +
              programmVerzeichnis.string() + ") nor in " +
              (programmVerzeichnis / kKatalogInstallVerzeichnis).lexically_normal().string();
    return status::kDirectoryError;
  }
  return VerzeichnisAusDateiLaden(datei, ziel, meldung);
}

}  // namespace vk

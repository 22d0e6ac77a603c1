// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DatenDatei.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/Format.h"
#include "core/InputFileBuffer.h"
#include "core/TextRecordSource.h"

namespace vk {

namespace {

std::string Zeile(std::uint64_t n) {
  return "line " + std::to_string(n);
}

// Why a read that got past the file itself failed: the line and what was wrong with it.
std::string Grund(const TextRecordSource& quelle, const TDatensatz& daten, Status st) {
  const std::string zeile = Zeile(quelle.Line());
  if (!quelle.Error().empty()) return zeile + ": " + quelle.Error();
  switch (st) {
    case status::kNoData:
      return "the file holds no record (it is empty or only white space)";
    case status::kDataNotUsable:
      if (daten.Statistik.summe == 0) return "every frequency is 0";
      return "the only class is x = 0: the statistics need a value above 0";
    case status::kTooManyClasses:
      return zeile + ": more than 20001 classes";
    case status::kDefXTooLarge:
      return zeile + ": x must lie between 0 and 20000";
    case status::kDataError:
      if (quelle.TrailingWhiteSpace()) {
        return zeile + ": white space after the last record reads as x = 0; remove the line";
      }
      return zeile + ": x must be greater than the previous record's x";
    case status::kException:
      if (quelle.SumOverflowLine() != 0) {
        return Zeile(quelle.SumOverflowLine()) +
               ": the frequencies add up to more than the largest number (about 1.8e308)";
      }
      return "the statistics cannot be computed: they need at least two classes with a "
             "frequency above 0, one of them at a value above 0";
    default:
      return {};
  }
}

}  // namespace

Status DateiLesen(const std::string& pfad, TDatensatz& daten, TDateneigenschaften& eigenschaften,
                  std::string& detail, ReadCancelled abbruch) {
  detail.clear();
  // A directory opens on some systems and reads as empty: asked only when a read fails, because
  // a batch reads many files and every question to the file system costs.
  const auto verzeichnis = [&] {
    std::error_code fehler;
    if (!std::filesystem::is_directory(pfad, fehler)) return false;
    daten.DatenGueltig = false;
    detail = "this is a directory, not a data file";
    return true;
  };
  // A buffer on the stack rather than one the stream allocates: a batch opens thousands of
  // files on several threads, and every allocation of that size costs the allocator a clean-up.
  char puffer[8192];
  InputFileBuffer datei(puffer, sizeof puffer, abbruch);
  if (!datei.Open(pfad)) {
    const int grund = errno;
    if (verzeichnis()) return status::kException;
    daten.DatenGueltig = false;
    detail = "cannot open the file: " + std::string(std::strerror(grund));
    return status::kException;
  }
  std::istream in(&datei);
  TextRecordSource quelle(in);
  const Status st = DatenLesen(daten, quelle, eigenschaften);
  if (datei.Cancelled()) {
    daten.DatenGueltig = false;
    detail = "the read was cancelled (Ctrl-C) before the file ended";
    return status::kAbort;
  }
  if ((datei.IsDirectory() || st != status::kOk || datei.ReadError() != 0) && verzeichnis())
    return status::kException;
  if (datei.ReadError() != 0) {
    daten.DatenGueltig = false;
    detail = "the file could not be read to its end: " +
             std::string(std::strerror(datei.ReadError()));
    return status::kException;
  }
  if (st == status::kOk) return st;
  detail = Grund(quelle, daten, st);
  if (quelle.LineWithoutFrequency() != 0) {
    detail += "; note: " + Zeile(quelle.LineWithoutFrequency()) +
              " holds no frequency, so the next number was read as its frequency";
  }
  return st;
}

std::string LesefehlerText(const std::string& pfad, Status st) {
  std::string text = "Error encountered while scanning input data";
  if (!pfad.empty()) text += " (" + pfad + ")";
  return text + "; debug info: " + StatusText(st);
}

}  // namespace vk

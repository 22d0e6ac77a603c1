// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DatenDatei.h"

#include <cerrno>
#include <cmath>
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

// What went wrong in the statistics, read off the data set they were computed from.
std::string StatistikFehler(const TDatensatz& daten) {
  const TStatistik& s = daten.Statistik;
  std::uint32_t positiv = 0;
  double kleinste = 0;
  for (std::uint32_t i = 0; i <= s.n; ++i) {
    const double f = daten.Haeufigkeiten[i];
    if (f > 0) ++positiv;
    if (f > 0 && (kleinste == 0 || f < kleinste)) kleinste = f;
  }
  const std::string kopf = "the statistics cannot be computed: ";
  if (positiv < 2 || s.m2 == 0)
    return kopf +
           "they need at least two classes with a frequency above 0, one of them at a "
           "value above 0";
  // N is also the sample size as a whole number.
  if (!(s.summe < 9223372036854775808.0))
    return kopf + "the sum of the frequencies, N = " + FormatExact(s.summe) +
           ", is not below 2^63 (about 9.22e18), the largest sample size";
  const struct {
    const char* name;
    double wert;
  } felder[] = {{"m1", s.m1},
                {"m2", s.m2},
                {"m3", s.m3},
                {"m4", s.m4},
                {"fm2", s.fm2},
                {"fm3", s.fm3},
                {"fm4", s.fm4},
                {"skewness", s.schiefe},
                {"excess", s.exzess},
                {"Ord I", s.ord_i},
                {"Ord S", s.ord_s},
                {"entropy", s.entropie},
                {"repeat rate", s.wiederholungsrate}};
  for (const auto& f : felder) {
    if (std::isfinite(f.wert)) continue;
    if (std::isnan(f.wert))
      return kopf + f.name + " is undefined: the variance m2 = " + FormatExact(s.m2) +
             " is too small to divide by (the smallest frequency is " + FormatExact(kleinste) +
             " beside N = " + FormatExact(s.summe) + ")";
    return kopf + f.name + " = " + FormatExact(f.wert) +
           " leaves the range of numbers (about 1.8e308): the frequencies or x values are too "
           "large, or a frequency too small beside the others (the smallest is " +
           FormatExact(kleinste) + ")";
  }
  // A fault inside a sum, with finite results: a frequency so small beside N that its share
  // f/N leaves the range of normal numbers.
  if (kleinste / s.summe < 2.2250738585072014e-308)
    return kopf + "a frequency (" + FormatExact(kleinste) +
           ") is too small beside N = " + FormatExact(s.summe) + " for its share to be computed";
  return kopf + "a division by zero or an overflow in the moments";
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
      return StatistikFehler(daten);
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
    detail =
        "the file could not be read to its end: " + std::string(std::strerror(datei.ReadError()));
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

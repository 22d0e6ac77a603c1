// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DatenDatei.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/TextRecordSource.h"

namespace vk {

Status DateiLesen(const std::string& pfad, TDatensatz& daten, TDateneigenschaften& eigenschaften,
                  std::string& detail) {
  detail.clear();
  std::ifstream in(pfad, std::ios::binary);
  if (!in) {
    daten.DatenGueltig = false;
    detail = "cannot open the file: " + std::string(std::strerror(errno));
    return status::kException;
  }
  TextRecordSource quelle(in);
  const Status st = DatenLesen(daten, quelle, eigenschaften);
  if (in.bad()) {
    daten.DatenGueltig = false;
    detail = "the file could not be read to its end";
    return status::kException;
  }
  if (st == status::kOk) return st;
  const std::string zeile = "line " + std::to_string(quelle.Line());
  if (!quelle.Error().empty()) {
    detail = zeile + ": " + quelle.Error();
  } else if (st == status::kDataError) {
    detail = zeile + ": x must be greater than the previous record's x";
  } else if (st == status::kDefXTooLarge) {
    detail = zeile + ": x must lie between 0 and 20000";
  } else if (st == status::kTooManyClasses) {
    detail = zeile + ": more than 20001 classes";
  }
  return st;
}

std::string LesefehlerText(const std::string& pfad, Status st) {
  std::string text = "Error encountered while scanning input data";
  if (!pfad.empty()) text += " (" + pfad + ")";
  return text + "; debug info: " + StatusText(st);
}

}  // namespace vk

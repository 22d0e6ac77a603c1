// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Tabelle.h"

#include <cmath>

#include "core/Format.h"

namespace vk::cli {

Zelle Zahl(double v, int stellen) {
  if (!std::isfinite(v)) return {"-", "", QJsonValue(QJsonValue::Null)};
  return {FormatFixed(v, stellen), FormatExact(v), QJsonValue(v)};
}

Zelle Ganz(std::int64_t n) {
  return {std::to_string(n), std::to_string(n), QJsonValue(static_cast<qint64>(n))};
}

Zelle Wort(const std::string& s) {
  return {s, s, QJsonValue(QString::fromStdString(s))};
}

Zelle Leer() {
  return {};
}

Zelle Falls(bool da, const Zelle& z) {
  return da ? z : Leer();
}

Zelle Keine() {
  return {"-", "", QJsonValue(QJsonValue::Null)};
}

Zelle OhneText(Zelle z) {
  z.text.clear();
  return z;
}

}  // namespace vk::cli

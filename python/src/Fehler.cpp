// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Fehler.h"

namespace vk::py {

std::string StatusMeldung(Status st, const std::string& detail) {
  std::string text = StatusText(st);
  if (text.empty()) text = "status " + std::to_string(st);
  return detail.empty() ? text : text + ": " + detail;
}

}  // namespace vk::py

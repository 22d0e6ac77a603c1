// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

#include "core/Status.h"

namespace vk::py {

// The exit code the command line gives a call it refuses (a usage error).
inline constexpr Status kFalscherAufruf = 64;

// A failed read, catalog load or fit as the module raises it: the status code the command line
// exits with and its message. Turned into the package's KalibraError (a usage error into its
// subclass that is also a ValueError) at the module's edge.
struct Fehler : std::runtime_error {
  Fehler(Status c, const std::string& text) : std::runtime_error(text), code(c) {}
  Status code;
};

// A call the command line would refuse as a usage error (64).
inline Fehler FalscherAufruf(const std::string& text) {
  return Fehler(kFalscherAufruf, text);
}

// The status's message, followed by `detail` when there is one.
std::string StatusMeldung(Status st, const std::string& detail = {});

}  // namespace vk::py

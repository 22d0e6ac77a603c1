// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/DatenLesen.h"

namespace vk {

// Reads the input data file `pfad` into `daten` (DatenLesen over the file's records). On failure
// `detail` says where and what, beyond the status: the line of the offending record, the
// malformed token, or why the file could not be opened (then the status is 12).
Status DateiLesen(const std::string& pfad, TDatensatz& daten, TDateneigenschaften& eigenschaften,
                  std::string& detail);

// "Error encountered while scanning input data (FILE); debug info: MESSAGE", or without the
// file name part when `pfad` is empty.
std::string LesefehlerText(const std::string& pfad, Status st);

}  // namespace vk

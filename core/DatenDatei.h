// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/DatenLesen.h"
#include "core/InputFileBuffer.h"

namespace vk {

// Reads the input data file `pfad` into `daten` (DatenLesen over the file's records). On failure
// `detail` says where and what, beyond the status: the line of the offending record, the
// malformed token, or why the file could not be opened or read (then the status is 12). A pipe,
// FIFO or terminal is read as a file would be; while it keeps the read waiting, `abbruch` is
// asked, and when it says so the read ends with 11 (Abort).
Status DateiLesen(const std::string& pfad, TDatensatz& daten, TDateneigenschaften& eigenschaften,
                  std::string& detail, ReadCancelled abbruch = nullptr);

// "Error encountered while scanning input data (FILE); debug info: MESSAGE", or without the
// file name part when `pfad` is empty.
std::string LesefehlerText(const std::string& pfad, Status st);

}  // namespace vk

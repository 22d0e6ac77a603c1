// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vk {

// Fixed-point text with `decimals` places and "." as separator, whatever the process locale
// ("%.4f" for statistics and parameters, "%.2f" for X²).
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back as the same Double ("." separator).
std::string FormatExact(double value);

}  // namespace vk

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace vk {

// Prepares frequencies for the ratio estimators: every element equal to 0 becomes 1.0; then, if
// f[0] equals f[1], f[0] is increased by 0.1, so that no first ratio is exactly 1. Works on the
// caller's own copy: the whole class array, or the few leading classes an estimator reads.
void NullhaeufigkeitenErsetzen(std::span<double> f);

}  // namespace vk

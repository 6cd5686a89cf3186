// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace krnz {

// Runs work(0) .. work(count - 1) on up to as many threads as the machine has cores and returns
// when all are done. Each call must touch only its own data. The first exception thrown by a
// call is rethrown here.
void parallelFor(int count, const std::function<void(int)>& work);

}  // namespace krnz

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace krnz {

// Runs work(0) .. work(count - 1) on up to as many threads as the machine has cores and returns
// when all are done. Each call must touch only its own data. The first exception thrown by a
// call is rethrown here.
void parallelFor(int count, const std::function<void(int)>& work);

// Caps the threads of every later parallelFor (1: each runs on the calling thread); 0 lifts the
// cap. For runs that want every call cheap and in one thread, such as the fuzz targets.
void setParallelThreadLimit(int threads);

}  // namespace krnz

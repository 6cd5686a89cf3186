// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "core/view/row_reduction.h"
#include "core/workspace/workspace.h"

namespace krnz::test {

// The workspace's strip rows equal a reduction made afresh from its samples. Few rows, each
// many blocks of samples long, so rows kept from before a change of the samples would show.
inline void expectFreshRows(Workspace& workspace, const char* after) {
    SCOPED_TRACE(after);
    workspace.layoutRows(3, 15.0);
    view::RowData fresh;
    view::reduceToRows(fresh, workspace.event().sample, 3);
    EXPECT_EQ(workspace.rows().rowMin, fresh.rowMin);
    EXPECT_EQ(workspace.rows().rowMax, fresh.rowMax);
}

}  // namespace krnz::test

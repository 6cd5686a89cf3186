// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/batch_chain.h"

#include "core/analysis/macro_file.h"
#include "core/analysis/operator_chain.h"

namespace krnz::analysis {

bool runChainOnEvent(Event& event, const BatchChainOptions& options, const TextLookup& texts,
                     Reporter& reporter) {
    OperatorChain chain(texts, reporter);
    if (options.macroFile) {
        const std::optional<EncodedLists> lists =
            readMacroFile(*options.macroFile, texts, reporter);
        if (!lists) return false;
        chain.setLoadedLists(*lists);
    }
    for (int r = 0; r < kSlots; ++r) {
        chain.setSourceChannel(r, options.sourceChannel[r]);
        chain.setIntOn(r, options.intOn[r]);
    }
    chain.init(event);
    chain.showChain(event);
    return true;
}

}  // namespace krnz::analysis

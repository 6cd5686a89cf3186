// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/workspace.h"

#include "core/analysis/active_channels.h"
#include "core/analysis/macro_file.h"
#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/event/user_info.h"
#include "core/report/error_report.h"
#include "core/report/half_waves.h"
#include "core/report/ppvzx_texts.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/fft_texts.h"
#include "core/spectrum/frequency_analysis.h"
#include "core/view/full_scale.h"

namespace krnz {
namespace {

// The chain keeps its texts and reporter for life; these let the workspace switch language and
// let each apply report to its own caller.
class ForwardedTexts final : public TextLookup {
  public:
    explicit ForwardedTexts(const TextLookup& texts) : m_to(&texts) {}
    void setTarget(const TextLookup& texts) { m_to = &texts; }
    std::string text(std::string_view section, std::string_view key) const override {
        return m_to->text(section, key);
    }

  private:
    const TextLookup* m_to;
};

class ForwardedReporter final : public analysis::Reporter {
  public:
    void setTarget(analysis::Reporter* reporter) { m_to = reporter; }
    void message(const std::string& text) override {
        if (m_to) m_to->message(text);
    }

  private:
    analysis::Reporter* m_to = nullptr;
};

}  // namespace

struct Workspace::ChainHolder {
    explicit ChainHolder(const TextLookup& lookup) : texts(lookup) {}
    ForwardedTexts texts;
    ForwardedReporter reporter;
    analysis::OperatorChain chain{texts, reporter};
};

Workspace::Workspace(const TextLookup& texts)
    : m_texts(&texts), m_chain(std::make_unique<ChainHolder>(texts)) {}

Workspace::~Workspace() = default;
Workspace::Workspace(Workspace&&) noexcept = default;
Workspace& Workspace::operator=(Workspace&&) noexcept = default;

const analysis::OperatorChain& Workspace::chain() const {
    return m_chain->chain;
}

analysis::OperatorChain& Workspace::chainLists() {
    return m_chain->chain;
}

void Workspace::open(const std::filesystem::path& path, const ReadOptions& options) {
    takeEvent(readDatafile(path, options), path);
}

void Workspace::takeEvent(LoadedEvent loaded, const std::filesystem::path& path) {
    m_event = std::move(loaded.event);
    m_blocks = {};
    m_loadedKept = false;
    m_file = path;
    for (int c = 0; c < kSlots; ++c) m_event.sample.curUnit[c] = m_event.channels[c].unit;

    // A KRN event without ".userinfo" starts with no texts at all; carrying the previous
    // event's texts over is the user's choice, asked by the window.
    if (loaded.userInfo) {
        m_userInfo = std::move(*loaded.userInfo);
    } else if (auto stored = readUserInfoFile(path)) {
        m_userInfo = std::move(*stored);
    } else {
        m_userInfo = {};
    }
    m_storedUserInfo = m_userInfo;

    for (int c = 0; c < kSlots; ++c) {
        settings::SlotOptions& slot = m_options.slotOptions[static_cast<std::size_t>(c)];
        slot.ampScale = settings::AmpScale::Normalize;
        slot.channelOn = m_event.sample.channelOff[static_cast<std::size_t>(c)]
                             ? settings::CheckState::Unchecked
                             : settings::CheckState::Checked;
    }
    // A graph once clicked stays clicked: the reference may be inserted in the next event too.
    const bool keepPlaced = m_cursor.placed;
    m_cursor = {};
    m_cursor.placed = keepPlaced;
    m_rows.reset();
    m_sourceChannel = {1, 2, 3, 4};
    m_timeScaleS = timeGridStep(m_event.sample.nSecPerChannel).stepS;
    m_processed = false;
    m_panels = {};
    m_verdict.reset();
}

bool Workspace::runChain(const analysis::BatchChainOptions& chain, analysis::Reporter& reporter) {
    m_blocks = {};
    if (!analysis::runChainOnEvent(m_event, chain, *m_texts, reporter)) return false;
    m_sourceChannel = chain.sourceChannel;
    m_processed = true;
    m_verdict.reset();
    return true;
}

void Workspace::setProcessed(bool processed) {
    m_processed = processed;
    m_verdict.reset();
    rebuildPanels();
}

void Workspace::setSourceChannels(const std::array<int, kSlots>& channels) {
    m_sourceChannel = channels;
}

void Workspace::setTexts(const TextLookup& texts) {
    m_texts = &texts;
    m_chain->texts.setTarget(texts);
    rebuildPanels();
}

bool Workspace::loadChainMacro(const std::filesystem::path& macroDir, std::string_view name,
                               analysis::Reporter& reporter) {
    return analysis::loadMacro(m_chain->chain, macroDir, name, *m_texts, reporter);
}

void Workspace::keepLoadedSamples() {
    m_chain->chain.init(m_event);
    m_loadedKept = true;
}

void Workspace::applyChain(analysis::Reporter& reporter) {
    m_blocks = {};  // the rows change, also when the run stops half way
    {
        struct Through {
            ForwardedReporter& forward;
            ~Through() { forward.setTarget(nullptr); }
        } through{m_chain->reporter};
        through.forward.setTarget(&reporter);
        try {
            m_chain->chain.showChain(m_event);
        } catch (const Error& e) {
            report::reportError(reporter, e);
        }
    }
    m_sourceChannel = m_chain->chain.sourceChannels();
    setProcessed(true);
}

void Workspace::unloadChain() {
    if (hasEvent() && m_loadedKept) {
        m_chain->chain.restore(m_event);
        m_blocks = {};
    }
    m_sourceChannel = {1, 2, 3, 4};
    setProcessed(false);
}

PanelInputs Workspace::panelInputs() const {
    PanelInputs inputs;
    inputs.processed = m_processed;
    inputs.sourceChannel = m_sourceChannel;
    for (int c = 0; c < kSlots; ++c) inputs.channelOn[c] = isActive(c);
    inputs.timeScaleS = m_timeScaleS;
    return inputs;
}

const PanelTexts& Workspace::measurePanels() {
    rebuildPanels();
    return m_panels;
}

void Workspace::rebuildPanels() {
    if (!m_event.sample.dataLoaded) return;
    const PanelInputs inputs = panelInputs();
    m_measures = measureChannels(m_event);
    m_panels = setMainWindowTexts(m_event, inputs, *m_texts, m_measures);
    m_vectorMaxShown = showsVectorMax(m_event, inputs);
}

bool Workspace::setTimeScale(double gridStepS) {
    if (!m_event.sample.dataLoaded) return false;
    PanelInputs inputs = panelInputs();
    inputs.timeScaleS = gridStepS;
    const bool vectorMax = showsVectorMax(m_event, inputs);
    if (gridStepS == m_timeScaleS && vectorMax == m_vectorMaxShown) return false;
    m_timeScaleS = gridStepS;
    // The labels carry the vector-maximum line only while it is shown, so both columns follow.
    if (vectorMax != m_vectorMaxShown) {
        rebuildPanels();
    } else {
        m_panels.sampleValues = set_sample_texts(m_event, inputs);
    }
    return true;
}

void Workspace::autoScaleAll() {
    for (int c = 0; c < kSlots; ++c) view::autoScale(m_options, m_event, m_processed, c);
}

void Workspace::layoutRows(std::int32_t height, double twipsPerRow) {
    m_twipsPerRow = twipsPerRow;
    for (int c = 0; c < kSlots; ++c)
        if (isActive(c)) view::autoScale(m_options, m_event, m_processed, c);
    if (m_blocks.samplesPerRow < 0) m_blocks = view::blockExtremes(m_event.sample);
    view::reduceToRows(m_rows, m_event.sample, height, &m_blocks);
}

bool Workspace::moveCursor(double yTwips, const view::StripGeometry& strip) {
    return view::moveCursor(m_cursor, yTwips, strip, m_rows, m_event.sample.pretrig);
}

bool Workspace::insertReference(const view::StripGeometry& strip) {
    return view::insertReference(m_cursor, strip, m_rows, m_event.sample.pretrig);
}

std::array<bool, kSlots> Workspace::updateHalfWaves() {
    const std::array<bool, kSlots> plottable =
        report::updateHalfWaves(m_event, m_processed, m_peaks);
    for (int c = 0; c < kSlots; ++c)
        if (!plottable[c]) m_ppvzxChannelOn[c] = false;
    judge();
    return plottable;
}

void Workspace::setPpvzxTable(report::PpvzxTable table) {
    m_ppvzxTable = std::move(table);
    m_verdict.reset();
}

void Workspace::chooseStandard(int standard) {
    m_standard = standard;
    judge();
}

void Workspace::judge() {
    m_verdict.reset();
    if (!hasEvent() || m_standard < 0 ||
        m_standard >= static_cast<int>(m_ppvzxTable.standards.size()))
        return;
    m_verdict = report::judgeEvent(m_event, m_processed,
                                   m_ppvzxTable.standards[static_cast<std::size_t>(m_standard)]);
}

std::optional<report::VerdictTable> Workspace::verdictTable() const {
    if (!m_verdict) return std::nullopt;
    return report::verdictTable(*m_verdict,
                                m_ppvzxTable.standards[static_cast<std::size_t>(m_standard)],
                                m_event, *m_texts);
}

report::PpvzxDiagram Workspace::ppvzxDiagram() const {
    report::PpvzxDiagram diagram;
    diagram.table = &m_ppvzxTable;
    diagram.standard = m_standard;
    diagram.channelOn = m_ppvzxChannelOn;
    diagram.rec = &m_event.sample;
    diagram.texts = report::ppvzxTexts(*m_texts);
    if (m_verdict) {
        for (const report::ChannelVerdict& channel : m_verdict->channels) {
            if (const report::LineVerdict* worst = channel.worstLine())
                diagram.worst[static_cast<std::size_t>(channel.slot)] =
                    std::pair(*worst->frequency, *worst->amplitude);
        }
    }
    return diagram;
}

int Workspace::displayedUnit(int slot) const {
    return krnz::displayedUnit(m_event, m_processed, slot);
}

bool Workspace::isActive(int slot) const {
    return view::isActive(m_options, slot);
}

report::PrintView Workspace::printView() const {
    const TextLookup& texts = *m_texts;
    report::PrintView view;
    view.sampleLabels = m_panels.sampleLabels;
    view.sampleValues = m_panels.sampleValues;
    view.channelLabels = m_panels.channelLabels;
    view.channelValues = m_panels.channelValues;
    view.userCaptions = {texts.text("krn", "client"), texts.text("krn", "operation"),
                         texts.text("krn", "location"), texts.text("krn", "operator"),
                         texts.text("krn", "notes")};
    view.channelText = texts.text("krn", "channel");
    view.processed = m_processed;

    const report::VisiblePart part =
        report::visiblePart(m_visible.zoom, m_visible.scrollValue, m_visible.scrollMaximum);
    view.visibleStart = part.start;
    view.visibleEnd = part.end;

    // Cursor positions are twips along the strips, whose rows the last layout counted.
    const double stripTwips = m_rows.rowCount * m_twipsPerRow;
    if (m_cursor.shown && stripTwips > 0) {
        view.cursors.push_back({m_cursor.yTwips / stripTwips, m_cursor.timeText});
        if (m_cursor.refSet)
            view.cursors.push_back(
                {m_cursor.refYTwips / stripTwips, texts.text("krn", "refLabel")});
    }
    return view;
}

std::string Workspace::spectrumHeading() const {
    return spectrum::spectrumHeading(m_spectrum.spectrumType, m_spectrum.windowType, *m_texts);
}

std::array<std::string, kSlots> Workspace::spectrumYUnits() const {
    return spectrum::spectrumYUnits(m_event, m_processed, m_spectrum.spectrumType);
}

report::PrintSpectrum Workspace::spectrumPage(const spectrum::Segment& segment) const {
    spectrum::SpectrumParams params;
    params.windowType = m_spectrum.windowType;
    params.spectrumType = m_spectrum.spectrumType;
    params.logx = m_spectrum.logx;
    params.logy = m_spectrum.logy;
    const spectrum::SpectrumResult result = spectrum::repaintSpectra(m_event, segment, params);
    report::PrintSpectrum page;
    page.graphs = result.graphs;
    page.yUnits = spectrumYUnits();
    page.selected = spectrumHeading();
    page.tStart = result.run.tStart;
    page.tEnd = result.run.tEnd;
    return page;
}

}  // namespace krnz

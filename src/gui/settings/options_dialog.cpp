// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/options_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/common/error.h"
#include "core/settings/ini_text.h"
#include "gui/settings/color_swatch.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {
namespace {

Qt::CheckState toQt(settings::CheckState state) {
    switch (state) {
        case settings::CheckState::Checked:
            return Qt::Checked;
        case settings::CheckState::Greyed:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

// The five swatches of a slot in the order of the graphics page's columns.
std::int32_t& colorOf(settings::SlotColors& colors, std::size_t k) {
    const std::array<std::int32_t*, 5> all = {&colors.bkColor, &colors.cursorColor,
                                              &colors.gridColor, &colors.sampleColor,
                                              &colors.refColor};
    return *all[k];
}

std::int32_t colorOf(const settings::SlotColors& colors, std::size_t k) {
    const std::array<std::int32_t, 5> all = {colors.bkColor, colors.cursorColor, colors.gridColor,
                                             colors.sampleColor, colors.refColor};
    return all[k];
}

}  // namespace

OptionsDialog::OptionsDialog(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session) {
    setObjectName(QStringLiteral("options"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(buildGeneralPage(), QString());
    m_tabs->addTab(buildGraphicsPage(), QString());
    m_tabs->addTab(buildScalePage(), QString());

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_apply = buttons->addButton(QDialogButtonBox::Apply);
    m_apply->setObjectName(QStringLiteral("apply"));
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    connect(m_ok, &QPushButton::clicked, this, &OptionsDialog::ok);
    connect(m_apply, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(m_cancel, &QPushButton::clicked, this, &OptionsDialog::cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    connect(m_printInColor, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_loading) change([on](settings::Options& o) { o.printInColor = on; });
    });
    connect(m_printerDataReduction, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && i >= 0) change([i](settings::Options& o) { o.printerDataReduction = i; });
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int i) {
        if (!m_loading) change([i](settings::Options& o) { o.tab = i; });
    });
    connect(m_lines, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_loading)
            change([on](settings::Options& o) {
                o.drawStyle = on ? settings::DrawStyle::Lines : settings::DrawStyle::Pixels;
            });
    });
    connect(m_sameColor, &QPushButton::clicked, this, [this] {
        change([](settings::Options& o) { settings::applySameColors(o); });
        loadFromModel();
    });
    connect(m_defaultColors, &QPushButton::clicked, this, [this] {
        change([](settings::Options& o) { settings::applyDefaultColors(o); });
        loadFromModel();
    });
    connect(m_languageList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        const QString file = item ? item->data(Qt::UserRole).toString() : QString();
        if (!m_loading && !file.isEmpty()) m_session.setLanguage(stdstr(file));
    });
    connect(&m_session, &Session::languageChanged, this, &OptionsDialog::applyCaptions);
    for (int c = 0; c < kSlots; ++c) connectSlot(c);

    fillLanguageList();
    applyCaptions();
    loadFromModel();
}

void OptionsDialog::connectSlot(int c) {
    SlotControls& slot = m_slots[static_cast<std::size_t>(c)];
    // Each change edits this slot of the session's options.
    auto model = [this, c](auto edit) {
        change(
            [c, &edit](settings::Options& o) { edit(o.slotOptions[static_cast<std::size_t>(c)]); });
    };
    for (std::size_t k = 0; k < slot.swatches.size(); ++k)
        connect(slot.swatches[k], &ColorSwatch::colorChosen, this, [model, k](std::int32_t value) {
            model([k, value](settings::SlotOptions& m) { colorOf(m.colors, k) = value; });
        });
    connect(slot.channelOn, &QCheckBox::clicked, this,
            [this, c](bool on) { channelOnClicked(c, on); });
    auto mode = [this, model, &slot](settings::AmpScale scale) {
        if (m_loading) return;
        model([scale](settings::SlotOptions& m) { m.ampScale = scale; });
        const bool manual = scale == settings::AmpScale::Manual;
        slot.manualScale->setEnabled(manual);
        slot.manualScaleFrq->setEnabled(manual);
    };
    connect(slot.autoScale, &QRadioButton::clicked, this,
            [mode] { mode(settings::AmpScale::Auto); });
    connect(slot.manual, &QRadioButton::clicked, this,
            [mode] { mode(settings::AmpScale::Manual); });
    connect(slot.normalize, &QRadioButton::clicked, this,
            [mode] { mode(settings::AmpScale::Normalize); });
    connect(slot.manualScale, &QComboBox::currentIndexChanged, this, [this, model](int i) {
        if (!m_loading && i >= 0)
            model([i](settings::SlotOptions& m) { m.manualScale = static_cast<std::size_t>(i); });
    });
    connect(slot.manualScaleFrq, &QComboBox::currentIndexChanged, this, [this, model](int i) {
        if (!m_loading && i >= 0)
            model(
                [i](settings::SlotOptions& m) { m.manualScaleFrq = static_cast<std::size_t>(i); });
    });
}

template <typename Edit>
void OptionsDialog::change(Edit edit) {
    settings::Options options = m_session.options();
    edit(options);
    m_session.setOptions(options);
}

void OptionsDialog::channelOnClicked(int slot, bool on) {
    if (m_session.setChannelOn(slot, on)) return;
    m_slots[static_cast<std::size_t>(slot)].channelOn->setChecked(true);
    platform::prompter().message(m_session.texts().text("option", "errChannelOn"));
}

void OptionsDialog::loadFromModel() {
    m_loading = true;
    const settings::Options& options = m_session.options();
    m_printInColor->setChecked(options.printInColor);
    m_printerDataReduction->setCurrentIndex(options.printerDataReduction);
    if (options.tab >= 0 && options.tab < m_tabs->count()) m_tabs->setCurrentIndex(options.tab);
    (options.drawStyle == settings::DrawStyle::Lines ? m_lines : m_pixels)->setChecked(true);
    for (std::size_t s = 0; s < kSlots; ++s) {
        SlotControls& slot = m_slots[s];
        const settings::SlotOptions& model = options.slotOptions[s];
        for (std::size_t k = 0; k < slot.swatches.size(); ++k)
            slot.swatches[k]->setColorValue(colorOf(model.colors, k));
        slot.channelOn->setCheckState(toQt(model.channelOn));
        QRadioButton* mode = model.ampScale == settings::AmpScale::Auto     ? slot.autoScale
                             : model.ampScale == settings::AmpScale::Manual ? slot.manual
                                                                            : slot.normalize;
        mode->setChecked(true);
        const bool manual = model.ampScale == settings::AmpScale::Manual;
        slot.manualScale->setEnabled(manual);
        slot.manualScaleFrq->setEnabled(manual);
        slot.manualScale->setCurrentIndex(static_cast<int>(model.manualScale));
        slot.manualScaleFrq->setCurrentIndex(static_cast<int>(model.manualScaleFrq));
    }
    m_loading = false;
}

void OptionsDialog::fillLanguageList() {
    m_loading = true;
    m_languageList->clear();
    for (const std::string& name : m_session.texts().languageList()) {
        auto* item = new QListWidgetItem(qstr(m_session.texts().languageName(name)));
        item->setData(Qt::UserRole, qstr(name));
        item->setToolTip(qstr(name));
        m_languageList->addItem(item);
        if (settings::sameText(name, m_session.texts().languageFile()))
            m_languageList->setCurrentRow(m_languageList->count() - 1);
    }
    m_loading = false;
}

void OptionsDialog::applyCaptions() {
    const auto& t = m_session.texts();
    auto text = [&t](const char* key) { return qtext(t, "option", key); };
    setWindowTitle(text("title"));
    m_tabs->setTabText(0, text("general"));
    m_tabs->setTabText(1, text("graphics"));
    m_tabs->setTabText(2, text("scalemode"));
    m_printBox->setTitle(text("print"));
    m_printInColor->setText(text("printInColor"));
    m_dataReductionLabel->setText(text("datareduc"));
    const auto reductions = settings::printerDataReductionTexts(t);
    for (int i = 0; i < 4; ++i)
        m_printerDataReduction->setItemText(i, qstr(reductions[static_cast<std::size_t>(i)]));
    m_languageBox->setTitle(text("language"));
    const std::array<const char*, 5> headers = {"backColor", "cursorColor", "gridColor",
                                                "sampleColor", "refColor"};
    for (std::size_t k = 0; k < headers.size(); ++k) m_colorHeaders[k]->setText(text(headers[k]));
    m_sameColor->setText(text("sameColor"));
    m_defaultColors->setText(text("defaultColor"));
    m_drawStyleBox->setTitle(text("drawStyle"));
    m_lines->setText(text("lines"));
    m_pixels->setText(text("pixels"));
    for (SlotControls& slot : m_slots) {
        slot.channelOn->setText(text("channelOn"));
        slot.autoScale->setText(text("auto"));
        slot.manual->setText(text("manual"));
        slot.normalize->setText(text("normalize"));
        slot.mainLabel->setText(text("main"));
        slot.frqLabel->setText(text("frq"));
    }
    m_ok->setText(text("ok"));
    m_apply->setText(text("apply"));
    m_cancel->setText(text("cancel"));
    retitleSlotFrames();
}

void OptionsDialog::retitleSlotFrames() {
    const QString channel = qtext(m_session.texts(), "option", "channel");
    for (int c = 0; c < kSlots; ++c) {
        const QString title = channel + QLatin1Char(' ') +
                              QString::number(fileChannelOfSlot(m_session.event().sample, c));
        m_slots[static_cast<std::size_t>(c)].channelFrame->setTitle(title);
        m_slots[static_cast<std::size_t>(c)].channelScaleFrame->setTitle(title);
    }
}

void OptionsDialog::apply() {
    m_languageToKeep = m_session.texts().languageFile();
    try {
        settings::writeOptions(m_session.paths().optionIniPath(), m_session.options());
    } catch (const Error& e) {
        m_session.settingsNotSaved(e);  // the options apply all the same
    }
    Q_EMIT applied();
    m_session.optionsApplied();
}

void OptionsDialog::ok() {
    apply();
    hide();
}

void OptionsDialog::cancel() {
    m_session.readStoredOptions();
    if (!m_languageToKeep.empty() &&
        !settings::sameText(m_languageToKeep, m_session.texts().languageFile())) {
        m_session.setLanguage(m_languageToKeep);
        fillLanguageList();
    }
    loadFromModel();
    hide();
}

void OptionsDialog::showEvent(QShowEvent* event) {
    // Not when the window system restores a minimised dialog: that is no new opening.
    if (!event->spontaneous()) {
        m_languageToKeep = m_session.texts().languageFile();
        fillLanguageList();  // a language file may have been added since the last opening
    }
    retitleSlotFrames();
    loadFromModel();
    QDialog::showEvent(event);
}

void OptionsDialog::reject() {
    cancel();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    // The title bar's close button hides the dialog as Cancel does.
    cancel();
    event->accept();
}

}  // namespace krnz::gui

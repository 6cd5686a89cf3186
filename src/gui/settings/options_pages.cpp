// SPDX-License-Identifier: GPL-3.0-or-later
// The three pages of the options dialog: controls and their layout only; what they do is in
// options_dialog.cpp.
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/settings/scale_table.h"
#include "gui/settings/color_swatch.h"
#include "gui/settings/options_dialog.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

QString slotName(const char* base, int slot) {
    return QStringLiteral("%1%2").arg(QLatin1String(base)).arg(slot);
}

QComboBox* scaleCombo(QWidget* parent, const char* name, int slot) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(slotName(name, slot));
    for (std::size_t i = 0; i < settings::kScaleTableSize; ++i)
        combo->addItem(qstr(settings::scaleTableText(i)));
    combo->setMaxVisibleItems(20);
    // The list that drops down is as wide as the box, less its scroll bar, unless told.
    QAbstractItemView* list = combo->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                          2 * list->frameWidth());
    return combo;
}

}  // namespace

QWidget* OptionsDialog::buildGeneralPage() {
    auto* page = new QWidget;
    m_printBox = new QGroupBox(page);
    m_printInColor = new QCheckBox(m_printBox);
    m_printInColor->setObjectName(QStringLiteral("printInColor"));
    m_dataReductionLabel = new QLabel(m_printBox);
    m_printerDataReduction = new QComboBox(m_printBox);
    m_printerDataReduction->setObjectName(QStringLiteral("printerDataReduction"));
    for (int i = 0; i < 4; ++i) m_printerDataReduction->addItem(QString());
    auto* print = new QGridLayout(m_printBox);
    print->addWidget(m_printInColor, 0, 0, 1, 2);
    print->addWidget(m_dataReductionLabel, 1, 0);
    print->addWidget(m_printerDataReduction, 1, 1);
    print->setColumnStretch(2, 1);

    m_languageBox = new QGroupBox(page);
    m_languageList = new QListWidget(m_languageBox);
    m_languageList->setObjectName(QStringLiteral("languageList"));
    auto* language = new QVBoxLayout(m_languageBox);
    language->addWidget(m_languageList);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_printBox);
    layout->addWidget(m_languageBox, 1);
    return page;
}

QWidget* OptionsDialog::buildGraphicsPage() {
    auto* page = new QWidget;
    auto* colors = new QGridLayout;
    static constexpr std::array<const char*, 5> kSwatchNames = {
        "bkColor", "cursorColor", "gridColor", "sampleColor", "refColor"};
    for (std::size_t k = 0; k < kSwatchNames.size(); ++k) {
        m_colorHeaders[k] = new QLabel(page);
        m_colorHeaders[k]->setAlignment(Qt::AlignCenter);
        colors->addWidget(m_colorHeaders[k], 0, static_cast<int>(k) + 1);
    }
    for (int c = 0; c < kSlots; ++c) {
        SlotControls& slot = m_slots[static_cast<std::size_t>(c)];
        slot.channelFrame = new QGroupBox(page);
        slot.channelFrame->setObjectName(slotName("channelFrame", c));
        slot.channelFrame->setFlat(true);
        colors->addWidget(slot.channelFrame, c + 1, 0);
        for (std::size_t k = 0; k < kSwatchNames.size(); ++k) {
            slot.swatches[k] = new ColorSwatch(page);
            slot.swatches[k]->setObjectName(slotName(kSwatchNames[k], c));
            colors->addWidget(slot.swatches[k], c + 1, static_cast<int>(k) + 1, Qt::AlignCenter);
        }
    }
    m_sameColor = new QPushButton(page);
    m_sameColor->setObjectName(QStringLiteral("sameColor"));
    m_defaultColors = new QPushButton(page);
    m_defaultColors->setObjectName(QStringLiteral("defaultColors"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_sameColor);
    buttons->addWidget(m_defaultColors);
    buttons->addStretch();

    m_drawStyleBox = new QGroupBox(page);
    m_lines = new QRadioButton(m_drawStyleBox);
    m_lines->setObjectName(QStringLiteral("lines"));
    m_pixels = new QRadioButton(m_drawStyleBox);
    m_pixels->setObjectName(QStringLiteral("pixels"));
    auto* style = new QHBoxLayout(m_drawStyleBox);
    style->addWidget(m_lines);
    style->addWidget(m_pixels);
    style->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(colors);
    layout->addLayout(buttons);
    layout->addWidget(m_drawStyleBox);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::buildScalePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int c = 0; c < kSlots; ++c) {
        SlotControls& slot = m_slots[static_cast<std::size_t>(c)];
        slot.channelScaleFrame = new QGroupBox(page);
        slot.channelScaleFrame->setObjectName(slotName("channelScaleFrame", c));
        slot.channelOn = new QCheckBox(slot.channelScaleFrame);
        slot.channelOn->setObjectName(slotName("channelOn", c));
        slot.autoScale = new QRadioButton(slot.channelScaleFrame);
        slot.autoScale->setObjectName(slotName("auto", c));
        slot.manual = new QRadioButton(slot.channelScaleFrame);
        slot.manual->setObjectName(slotName("manual", c));
        slot.normalize = new QRadioButton(slot.channelScaleFrame);
        slot.normalize->setObjectName(slotName("normalize", c));
        auto* modes = new QButtonGroup(slot.channelScaleFrame);
        for (QRadioButton* b : {slot.autoScale, slot.manual, slot.normalize}) modes->addButton(b);
        slot.mainLabel = new QLabel(slot.channelScaleFrame);
        slot.manualScale = scaleCombo(slot.channelScaleFrame, "manualScale", c);
        slot.frqLabel = new QLabel(slot.channelScaleFrame);
        slot.manualScaleFrq = scaleCombo(slot.channelScaleFrame, "manualScaleFrq", c);
        // The spectrum window's full scale belongs to that window, which this build lacks.
        slot.frqLabel->hide();
        slot.manualScaleFrq->hide();

        auto* box = new QGridLayout(slot.channelScaleFrame);
        box->addWidget(slot.channelOn, 0, 0, 1, 2);
        box->addWidget(slot.autoScale, 1, 0, 1, 2);
        box->addWidget(slot.manual, 2, 0, 1, 2);
        box->addWidget(slot.normalize, 3, 0, 1, 2);
        box->addWidget(slot.mainLabel, 4, 0);
        box->addWidget(slot.manualScale, 4, 1);
        box->addWidget(slot.frqLabel, 5, 0);
        box->addWidget(slot.manualScaleFrq, 5, 1);
        grid->addWidget(slot.channelScaleFrame, c / 2, c % 2);
    }
    return page;
}

}  // namespace krnz::gui

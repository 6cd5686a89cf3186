// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/spectrum_wizard.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/report/print_dialog.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

// A stored choice outside the option buttons (a hand-edited settings file) selects the nearest.
int clampChoice(int value) {
    return std::clamp(value, 0, SpectrumWizard::kChoices - 1);
}

QGroupBox* optionFrame(QWidget* parent, const char* frameName, const char* optionName,
                       std::array<QRadioButton*, SpectrumWizard::kChoices>& options) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(QLatin1String(frameName));
    auto* layout = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < SpectrumWizard::kChoices; ++i) {
        auto* option = new QRadioButton(frame);
        option->setObjectName(QLatin1String(optionName) + QString::number(i));
        group->addButton(option, i);
        layout->addWidget(option);
        options[static_cast<std::size_t>(i)] = option;
    }
    return frame;
}

}  // namespace

SpectrumWizard::SpectrumWizard(SpectrumWindow& window, QWidget* parent)
    : QDialog(parent), m_window(window) {
    setObjectName(QStringLiteral("frqPreForm"));
    m_weightFrame = optionFrame(this, "weightFrame", "weight", m_weight);
    m_filterFrame = optionFrame(this, "filterFrame", "filter", m_filter);
    m_back = new QPushButton(this);
    m_back->setObjectName(QStringLiteral("back"));
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("next"));
    m_next->setDefault(true);

    auto* frames = new QHBoxLayout;
    frames->addWidget(m_weightFrame);
    frames->addWidget(m_filterFrame);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, &SpectrumWizard::back);
    connect(m_next, &QPushButton::clicked, this, &SpectrumWizard::next);
    applyCaptions();

    m_window.setWindowType(clampChoice(m_window.windowType()));
    m_weight[static_cast<std::size_t>(m_window.windowType())]->setChecked(true);
    m_window.setSpectrumType(clampChoice(m_window.spectrumType()));
    m_filter[static_cast<std::size_t>(m_window.spectrumType())]->setChecked(true);
}

void SpectrumWizard::applyCaptions() {
    const TextLookup& texts = m_window.session().texts();
    auto t = [&](const char* key) { return qtext(texts, "frqpre", key); };
    setWindowTitle(t("caption"));
    m_back->setText(t("back"));
    m_next->setText(t("next"));
    m_weightFrame->setTitle(t("weight"));
    m_filterFrame->setTitle(t("filter"));
    const std::array<const char*, kChoices> weights{"rect", "geo", "hanning"};
    const std::array<const char*, kChoices> filters{"fft", "psd", "esd"};
    for (std::size_t i = 0; i < kChoices; ++i) {
        m_weight[i]->setText(t(weights[i]));
        m_filter[i]->setText(t(filters[i]));
    }
}

void SpectrumWizard::next() {
    for (int i = 0; i < kChoices; ++i) {
        if (m_weight[static_cast<std::size_t>(i)]->isChecked()) m_window.setWindowType(i);
        if (m_filter[static_cast<std::size_t>(i)]->isChecked()) m_window.setSpectrumType(i);
    }
    settings::FftSettings stored = m_window.session().general().fft;
    stored.fftwindow = static_cast<std::uint8_t>(m_window.windowType());
    stored.fftspectra = static_cast<std::uint8_t>(m_window.spectrumType());
    m_window.session().setFftSettings(stored);
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
    hide();
}

void SpectrumWizard::back() {
    hide();
}

}  // namespace krnz::gui

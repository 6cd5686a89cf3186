// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/sample_info_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "core/view/main_layout.h"
#include "gui/event/user_text_rules.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

constexpr int kMargin = 6;
constexpr int kRowGap = 2;
constexpr std::array<const char*, 5> kFieldKeys = {"client", "operation", "location", "operator",
                                                   "notes"};

int textBlockWidth(const QLabel* label) {
    int width = 0;
    const QFontMetrics metrics(label->font());
    for (const QString& line : label->text().split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    return width;
}

}  // namespace

SampleInfoPanel::SampleInfoPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("sampleInfo"));
    setFrameShape(QFrame::StyledPanel);
    m_labels = new QLabel(this);
    m_labels->setObjectName(QStringLiteral("sampleText"));
    m_labels->setForegroundRole(QPalette::PlaceholderText);
    m_values = new QLabel(this);
    m_values->setObjectName(QStringLiteral("sampleTextValue"));
    m_values->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* l : {m_labels, m_values}) l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("truncatedNotice"));
    QFont bold = m_notice->font();
    bold.setBold(true);
    m_notice->setFont(bold);
    QPalette warning = m_notice->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB4, 0x1A, 0x1A));
    m_notice->setPalette(warning);
    m_notice->hide();

    m_userInfo = new QFrame(this);
    m_userInfo->setObjectName(QStringLiteral("userInfo"));
    for (std::size_t k = 0; k < kFieldKeys.size(); ++k) {
        m_fieldLabels[k] = new QLabel(m_userInfo);
        m_fieldLabels[k]->setObjectName(
            QStringLiteral("%1Label").arg(QLatin1String(kFieldKeys[k])));
        m_fields[k] = new QLineEdit(m_userInfo);
        m_fields[k]->setObjectName(QLatin1String(kFieldKeys[k]));
        m_fieldLabels[k]->setBuddy(m_fields[k]);
        connect(m_fields[k], &QLineEdit::textEdited, this,
                [this, k](const QString& text) { Q_EMIT fieldEdited(static_cast<int>(k), text); });
    }
    m_more = new QPushButton(m_userInfo);
    m_more->setObjectName(QStringLiteral("more_client_info_button"));
    connect(m_more, &QPushButton::clicked, this, &SampleInfoPanel::moreClicked);
}

void SampleInfoPanel::setLines(const std::vector<std::string>& labels,
                               const std::vector<std::string>& values) {
    m_labels->setText(joinedLines(labels));
    m_values->setText(joinedLines(values));
    arrange();
}

void SampleInfoPanel::setNotice(const QString& text) {
    m_notice->setText(text);
    m_notice->setHidden(text.isEmpty());
    arrange();
}

QString SampleInfoPanel::notice() const {
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void SampleInfoPanel::setUserInfo(const UserInfo& info, int fileFormat) {
    const std::array<const std::string*, 5> texts = {&info.client, &info.operation, &info.location,
                                                     &info.operatorName, &info.notes};
    for (std::size_t k = 0; k < texts.size(); ++k) {
        applyUserTextRules(*m_fields[k], fileFormat, static_cast<UserInfoField>(k));
        const QString text = qstr(*texts[k]);
        if (m_fields[k]->text() != text) setUncheckedText(*m_fields[k], text);
    }
}

void SampleInfoPanel::applyCaptions(const TextLookup& texts) {
    for (std::size_t k = 0; k < kFieldKeys.size(); ++k)
        m_fieldLabels[k]->setText(QLatin1Char(' ') + qtext(texts, "krn", kFieldKeys[k]) +
                                  QLatin1Char(':'));
    m_more->setText(qtext(texts, "krn", "more"));
    arrange();
}

int SampleInfoPanel::preferredHeight() const {
    const int lines = QFontMetrics(m_values->font()).lineSpacing() * 6;
    const int fields = 5 * m_fields[0]->sizeHint().height() + 4 * kRowGap;
    const int notice = m_notice->isHidden() ? 0 : m_notice->sizeHint().height() + kRowGap;
    return std::max(lines, fields) + notice + 2 * kMargin + 2 * frameWidth();
}

void SampleInfoPanel::arrange() {
    const int top = kMargin + frameWidth();
    const int labelWidth = textBlockWidth(m_labels) + 12;
    const int valueWidth =
        std::max(textBlockWidth(m_values),
                 QFontMetrics(m_values->font())
                     .horizontalAdvance(QStringLiteral("Wed 28 Feb 2024 10:42:07"))) +
        16;
    const int noticeHeight = m_notice->isHidden() ? 0 : m_notice->sizeHint().height();
    if (noticeHeight > 0)
        m_notice->setGeometry(kMargin + frameWidth(), height() - top - noticeHeight,
                              std::max(0, width() - 2 * (kMargin + frameWidth())), noticeHeight);
    const int innerHeight = height() - 2 * top - (noticeHeight > 0 ? noticeHeight + kRowGap : 0);
    m_labels->setGeometry(kMargin + frameWidth(), top, labelWidth, innerHeight);
    m_values->setGeometry(m_labels->geometry().right() + 1, top, valueWidth, innerHeight);

    const int sampleTextWidth = m_values->geometry().right() + 1;
    const int userInfoWidth = std::max(0, width() - sampleTextWidth - kMargin - frameWidth());
    m_userInfo->setGeometry(sampleTextWidth, top, userInfoWidth, innerHeight);

    int labelColumn = 0;
    for (const QLabel* l : m_fieldLabels)
        labelColumn = std::max(labelColumn, l->sizeHint().width());
    const int fieldLeft = labelColumn + 6;
    const int widest =
        QFontMetrics(m_fields[0]->font()).horizontalAdvance(QString(31, QLatin1Char('W')));
    const int fieldWidth = std::max(40, view::userFieldWidth(userInfoWidth, fieldLeft, widest));
    const int rowHeight = m_fields[0]->sizeHint().height();
    for (std::size_t k = 0; k < m_fields.size(); ++k) {
        const int y = static_cast<int>(k) * (rowHeight + kRowGap);
        m_fieldLabels[k]->setGeometry(0, y, labelColumn, rowHeight);
        m_fields[k]->setGeometry(fieldLeft, y, fieldWidth, rowHeight);
    }
    const QRect notes = m_fields[4]->geometry();
    const int buttonWidth = m_more->sizeHint().width();
    const view::MoreButtonPlacement more =
        view::placeMoreButton(userInfoWidth, buttonWidth, notes.x(), notes.width());
    m_more->setGeometry(more.buttonLeft, notes.y(), buttonWidth, rowHeight);
    m_fields[4]->resize(std::max(40, more.notesWidth), rowHeight);
}

void SampleInfoPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    arrange();
}

}  // namespace krnz::gui

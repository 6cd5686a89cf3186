// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/start_screen.h"

#include <QFileInfo>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace krnz::gui {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name, double scale) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(240, 244, 248));
    label->setPalette(p);
    return label;
}

}  // namespace

StartScreen::StartScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("startPicture"));
    m_welcome = makeLabel(this, "welcomeLabel", 2.2);
    m_loading = makeLabel(this, "loadingLabel", 1.4);
    m_loading->hide();
    m_hint = makeLabel(this, "hintLabel", 1.1);
    m_recent = makeLabel(this, "recentLabel", 1.0);
    m_recent->setTextFormat(Qt::RichText);
    m_recent->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_recent, &QLabel::linkActivated, this, [this](const QString& link) {
        const int index = link.toInt();
        if (index >= 0 && index < m_recentFiles.size())
            Q_EMIT recentFileClicked(m_recentFiles[index]);
    });
}

void StartScreen::setTexts(const QString& welcome, const QString& loading, const QString& hint,
                           const QString& recentHeading) {
    m_welcome->setText(welcome);
    m_loading->setText(loading);
    m_hint->setText(hint);
    m_recentHeading = recentHeading;
    showRecentFiles();
}

void StartScreen::setRecentFiles(const QStringList& paths) {
    m_recentFiles = paths;
    showRecentFiles();
}

void StartScreen::showRecentFiles() {
    // Links name the entry's index, so no path needs escaping as a URL.
    QString html;
    if (!m_recentFiles.isEmpty()) html = m_recentHeading.toHtmlEscaped() + QStringLiteral("<br>");
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
        const QString name = QFileInfo(m_recentFiles[i]).fileName();
        html += QStringLiteral("<a href=\"%1\" style=\"color:#9fd0ff\">%2</a><br>")
                    .arg(i)
                    .arg(name.toHtmlEscaped());
    }
    m_recent->setText(html);
    m_recent->setToolTip(m_recentFiles.join(QLatin1Char('\n')));
    centreLabels();
}

void StartScreen::showWelcome() {
    m_loading->hide();
    m_welcome->show();
    m_hint->show();
    m_recent->show();
    show();
    raise();
}

void StartScreen::showLoading() {
    m_welcome->hide();
    m_hint->hide();
    m_recent->hide();
    m_loading->show();
    show();
    raise();
    repaint();
}

bool StartScreen::isLoading() const {
    return isVisible() && m_loading->isVisibleTo(this);
}

void StartScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(38, 58, 82));
    gradient.setColorAt(1, QColor(16, 26, 40));
    painter.fillRect(rect(), gradient);
    // A quiet seismogram across the middle as the program's emblem.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 140, 190, 120), 1.5));
    const double mid = height() * 0.62;
    QPainterPath path(QPointF(0, mid));
    for (int x = 0; x <= width(); x += 3) {
        const double t = x / double(std::max(1, width()));
        const double envelope = std::exp(-std::pow((t - 0.45) / 0.12, 2)) * height() * 0.12 + 2;
        path.lineTo(x, mid + envelope * std::sin(x * 0.21) * std::cos(x * 0.037));
    }
    painter.drawPath(path);
}

void StartScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    centreLabels();
}

void StartScreen::centreLabels() {
    const int top = height() / 2 - height() / 10;
    for (QLabel* label : {m_welcome, m_loading}) {
        const QSize hint = label->sizeHint();
        label->setGeometry((width() - hint.width()) / 2, top - hint.height() / 2, hint.width(),
                           hint.height());
    }
    // What to do below the welcome, the recent files below that.
    int y = m_welcome->geometry().bottom() + 12;
    for (QLabel* label : {m_hint, m_recent}) {
        const QSize hint = label->sizeHint();
        label->setGeometry((width() - hint.width()) / 2, y, hint.width(), hint.height());
        y += hint.height() + 16;
    }
}

}  // namespace krnz::gui

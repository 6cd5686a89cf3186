// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/start_screen.h"

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
}

void StartScreen::setTexts(const QString& welcome, const QString& loading) {
    m_welcome->setText(welcome);
    m_loading->setText(loading);
    centreLabels();
}

void StartScreen::showWelcome() {
    m_loading->hide();
    m_welcome->show();
    show();
    raise();
}

void StartScreen::showLoading() {
    m_welcome->hide();
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
    for (QLabel* label : {m_welcome, m_loading}) {
        const QSize hint = label->sizeHint();
        label->setGeometry((width() - hint.width()) / 2,
                           (height() - hint.height()) / 2 - height() / 10, hint.width(),
                           hint.height());
    }
}

}  // namespace krnz::gui

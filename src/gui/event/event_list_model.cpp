// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/event_list_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "gui/view/texts.h"

namespace krnz::gui {
namespace fs = std::filesystem;

EventListModel::EventListModel(const TextLookup& texts, QObject* parent)
    : QAbstractTableModel(parent), m_texts(texts) {}

EventColumn EventListModel::column(int index) const {
    const std::vector<EventColumn> columns = eventColumns(m_geophones);
    return columns[static_cast<std::size_t>(index)];
}

void EventListModel::clear() {
    beginResetModel();
    m_list.clear();
    m_geophones = 0;
    endResetModel();
}

void EventListModel::removeFile(const fs::path& file) {
    const EventList::Range range = m_list.rowsOf(file);
    if (range.count == 0) return;
    const int first = static_cast<int>(range.first);
    beginRemoveRows({}, first, first + static_cast<int>(range.count) - 1);
    m_list.removeFile(file);
    endRemoveRows();
}

void EventListModel::setFile(const fs::path& file, const FileStamp& stamp,
                             std::vector<EventSummary> summaries) {
    removeFile(file);
    const int first = static_cast<int>(m_list.rowCount());
    if (!summaries.empty()) {
        beginInsertRows({}, first, first + static_cast<int>(summaries.size()) - 1);
        m_list.appendFile(file, stamp, std::move(summaries));
        endInsertRows();
    }
    followColumns();
}

void EventListModel::keepFiles(const std::vector<fs::path>& files) {
    std::vector<fs::path> gone;
    for (const auto& [file, stamp] : m_list.stamps())
        if (std::find(files.begin(), files.end(), file) == files.end()) gone.push_back(file);
    for (const fs::path& file : gone) removeFile(file);
    followColumns();
}

void EventListModel::followColumns() {
    const int wanted = m_list.geophoneColumns();
    // The geophone columns sit after the leading ones, two per geophone.
    const int first = kLeadingEventColumns;
    if (wanted > m_geophones) {
        beginInsertColumns({}, first + 2 * m_geophones, first + 2 * wanted - 1);
        m_geophones = wanted;
        endInsertColumns();
    } else if (wanted < m_geophones) {
        beginRemoveColumns({}, first + 2 * wanted, first + 2 * m_geophones - 1);
        m_geophones = wanted;
        endRemoveColumns();
    }
}

void EventListModel::captionsChanged() {
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int EventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.rowCount());
}

int EventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(eventColumns(m_geophones).size());
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const EventSummary& e = m_list.row(row);
    switch (role) {
        case Qt::DisplayRole: {
            return qstr(m_list.cell(row, column(index.column()), m_texts).text);
        }
        case Qt::TextAlignmentRole: {
            const bool number =
                m_list.cell(row, column(index.column()), m_texts).number.has_value();
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (number ? Qt::AlignRight : Qt::AlignLeft));
        }
        case Qt::BackgroundRole:
            if (e.exceeds()) return QBrush(QColor(255, 190, 190));
            return {};
        case Qt::ForegroundRole:
            // Dark text on the light red, whatever the colour scheme.
            if (e.exceeds()) return QBrush(Qt::black);
            return {};
        case Qt::ToolTipRole: {
            QString tip = qstr(e.file.string());
            if (e.error) tip += QLatin1Char('\n') + qstr(*e.error);
            return tip;
        }
        default:
            return {};
    }
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columnCount()) return {};
    return qstr(EventList::columnTitle(column(section), m_texts));
}

EventListProxy::EventListProxy(EventListModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), m_model(model) {
    setSourceModel(&model);
}

void EventListProxy::setFilterWords(const QString& words) {
    m_words = stdstr(words);
    invalidateFilter();
}

std::vector<std::size_t> EventListProxy::shownRows() const {
    std::vector<std::size_t> rows;
    for (int r = 0; r < rowCount(); ++r)
        rows.push_back(static_cast<std::size_t>(mapToSource(index(r, 0)).row()));
    return rows;
}

bool EventListProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return m_model.list().matches(static_cast<std::size_t>(sourceRow), m_words, m_model.texts());
}

bool EventListProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const EventList& list = m_model.list();
    const EventColumn column = m_model.column(left.column());
    return cellLess(list.cell(static_cast<std::size_t>(left.row()), column, m_model.texts()),
                    list.cell(static_cast<std::size_t>(right.row()), column, m_model.texts()));
}

}  // namespace krnz::gui

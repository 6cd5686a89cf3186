// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <filesystem>
#include <vector>

#include "core/settings/text_lookup.h"
#include "core/workspace/event_list.h"

namespace krnz::gui {

// The folder's events (core EventList) as a table model: a row per event, the texts, numbers
// and marks the core gives each cell.
class EventListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    EventListModel(const TextLookup& texts, QObject* parent = nullptr);

    const EventList& list() const { return m_list; }
    const TextLookup& texts() const { return m_texts; }
    EventColumn column(int index) const;

    void clear();
    // The rows of a file read (again): its old rows go, the new ones come at the end.
    void setFile(const std::filesystem::path& file, const FileStamp& stamp,
                 std::vector<EventSummary> summaries);
    // Drops the rows of every file not among `files`.
    void keepFiles(const std::vector<std::filesystem::path>& files);
    // The captions of another language.
    void captionsChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    void removeFile(const std::filesystem::path& file);
    // The geophone columns follow the list's.
    void followColumns();

    const TextLookup& m_texts;
    EventList m_list;
    int m_geophones = 0;  // the geophone columns the model shows
};

// Sorts by the core's cell order (numbers as numbers) and keeps the rows that match the filter
// words.
class EventListProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    EventListProxy(EventListModel& model, QObject* parent = nullptr);

    void setFilterWords(const QString& words);
    // The list's rows in the order shown.
    std::vector<std::size_t> shownRows() const;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    EventListModel& m_model;
    std::string m_words;
};

}  // namespace krnz::gui

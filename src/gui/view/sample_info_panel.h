// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <array>
#include <vector>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace krnz::gui {

// The sample-info panel: the event's header lines (`sampleText`, `sampleTextValue`) and beside
// them the user-information fields `client` .. `notes` with the "more..." button.
class SampleInfoPanel : public QFrame {
    Q_OBJECT
  public:
    explicit SampleInfoPanel(QWidget* parent = nullptr);

    void setLines(const std::vector<std::string>& labels, const std::vector<std::string>& values);
    // A warning under the lines and fields (a file that ended early); empty hides it.
    void setNotice(const QString& text);
    QString notice() const;
    // The five main-window texts of `info` into the fields, which take from then on what an
    // event of `fileFormat` can hold (see user_text_rules.h).
    void setUserInfo(const UserInfo& info, int fileFormat);
    void applyCaptions(const TextLookup& texts);

    // Height that holds the header lines and the five fields.
    int preferredHeight() const;
    // Places the columns and fields for the panel's width (layout pass steps 5 and 16).
    void arrange();

    QLineEdit& field(int k) { return *m_fields[static_cast<std::size_t>(k)]; }

  Q_SIGNALS:
    // A field was edited: k = 0 client, 1 operation, 2 location, 3 operator, 4 notes.
    void fieldEdited(int k, const QString& text);
    void moreClicked();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* m_labels;
    QLabel* m_values;
    QLabel* m_notice;
    QFrame* m_userInfo;
    std::array<QLabel*, 5> m_fieldLabels{};
    std::array<QLineEdit*, 5> m_fields{};
    QPushButton* m_more;
};

}  // namespace krnz::gui

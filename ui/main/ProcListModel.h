// The procedure list's entries as the list control reads them: one model over the entries,
// filled in one step, so a comparison of ten thousand procedures fills the list at once. Each
// entry is drawn in the colours of its status's class, with a swatch of them that the closed
// list shows beside the procedure on display.
#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <array>
#include <vector>

#include "ProcList.h"
#include "Settings.h"

namespace dualis {

// A swatch of a class's colours, as the lists show beside an entry.
QIcon ColourSwatch(const LineColours& colours);

class ProcListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    // `settings` holds the class colours and outlives the model.
    ProcListModel(const Settings& settings, QObject* parent = nullptr);

    void SetEntries(std::vector<ProcListEntry> entries);
    const std::vector<ProcListEntry>& Entries() const { return entries_; }
    // The class colours may have changed: every entry is drawn again in them.
    void ColoursChanged();

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }

    // The entry's text, its procedure record as the item data, and its class's colours.
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const QIcon& Swatch(int16_t status) const;

    const Settings& settings_;
    std::vector<ProcListEntry> entries_;
    mutable std::array<QIcon, 5> swatches_;  // by status, made when first asked for
};

}  // namespace dualis

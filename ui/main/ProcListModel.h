// The procedure list's entries as the list control reads them: one model over the entries,
// filled in one step, so a comparison of ten thousand procedures fills the list at once.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "ProcList.h"

namespace dualis {

class ProcListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    void SetEntries(std::vector<ProcListEntry> entries) {
        beginResetModel();
        entries_ = std::move(entries);
        endResetModel();
    }

    const std::vector<ProcListEntry>& Entries() const { return entries_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }

    // The entry's text, and its procedure record as the item data.
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const ProcListEntry& e = entries_[static_cast<size_t>(index.row())];
        if (role == Qt::DisplayRole) return QString::fromStdString(e.Text);
        if (role == Qt::UserRole) return QVariant(static_cast<int>(e.Proc));
        return {};
    }

  private:
    std::vector<ProcListEntry> entries_;
};

}  // namespace dualis

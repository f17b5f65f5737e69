// The procedure list's model and its class colours.
#include "ProcListModel.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "RowPainter.h"

namespace dualis {

ProcListModel::ProcListModel(const Settings& settings, QObject* parent)
    : QAbstractListModel(parent), settings_(settings) {}

void ProcListModel::SetEntries(std::vector<ProcListEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

void ProcListModel::ColoursChanged() {
    swatches_ = {};
    if (!entries_.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole, Qt::DecorationRole});
    }
}

QVariant ProcListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ProcListEntry& e = entries_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(e.Text);
        case Qt::UserRole:
            return QVariant(static_cast<int>(e.Proc));
        case Qt::ForegroundRole:
            return SettingsColour(ProcEntryColours(e.Status, settings_).Fore);
        case Qt::BackgroundRole:
            return SettingsColour(ProcEntryColours(e.Status, settings_).Back);
        case Qt::DecorationRole:
            return Swatch(e.Status);
        default:
            return {};
    }
}

QIcon ColourSwatch(const LineColours& colours) {
    QIcon swatch;
    // A square of the class's fore colour in a frame of its back colour and a thin outline, so
    // that it shows on any list background; drawn at two sizes for dense screens.
    for (const int size : {16, 32}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        const int unit = size / 16;
        const QRect box(2 * unit, 2 * unit, 12 * unit, 12 * unit);
        painter.fillRect(box, QColor(128, 128, 128));
        painter.fillRect(box.adjusted(unit, unit, -unit, -unit), SettingsColour(colours.Back));
        painter.fillRect(box.adjusted(3 * unit, 3 * unit, -3 * unit, -3 * unit),
                         SettingsColour(colours.Fore));
        painter.end();
        swatch.addPixmap(picture);
    }
    return swatch;
}

const QIcon& ProcListModel::Swatch(int16_t status) const {
    QIcon& swatch = swatches_[static_cast<size_t>(std::clamp<int16_t>(status, 0, 4))];
    if (swatch.isNull()) swatch = ColourSwatch(ProcEntryColours(status, settings_));
    return swatch;
}

}  // namespace dualis

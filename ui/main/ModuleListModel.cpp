// The module list's model over the outline of a project comparison.
#include "ModuleListModel.h"

#include <algorithm>

#include "ProcList.h"
#include "ProcListModel.h"
#include "RowPainter.h"

namespace dualis {

using project::CompanionStatus;

ModuleListModel::ModuleListModel(const Settings& settings, QObject* parent)
    : QAbstractItemModel(parent), settings_(settings) {}

void ModuleListModel::Reset(const ProjectResults* results) {
    beginResetModel();
    results_ = results;
    outline_ = results ? BuildOutline(*results) : ModuleOutline{};
    rowOf_.assign(outline_.Nodes.size(), 0);
    for (int node = 0; node < static_cast<int>(outline_.Nodes.size()); ++node) {
        const std::vector<int>& children = outline_.Nodes[static_cast<size_t>(node)].Children;
        for (size_t row = 0; row < children.size(); ++row) {
            rowOf_[static_cast<size_t>(children[row])] = static_cast<int>(row);
        }
    }
    for (size_t row = 0; row < outline_.Roots.size(); ++row) {
        rowOf_[static_cast<size_t>(outline_.Roots[row])] = static_cast<int>(row);
    }
    settingsRows_ = results ? SettingsRows(*results).size() : 0;
    endResetModel();
}

QModelIndex ModuleListModel::ModuleIndex(size_t pair) const {
    if (pair >= outline_.ModuleNode.size()) return {};
    return IndexOfNode(outline_.ModuleNode[pair], 0);
}

QModelIndex ModuleListModel::SettingsIndex() const {
    if (outline_.Roots.empty()) return {};
    const int first = outline_.Roots.front();
    if (outline_.Nodes[static_cast<size_t>(first)].Kind != OutlineKind::Settings) return {};
    return IndexOfNode(first, 0);
}

void ModuleListModel::ModuleUpdated(size_t pair) {
    const QModelIndex first = ModuleIndex(pair);
    if (!first.isValid()) return;
    emit dataChanged(first, first.siblingAtColumn(1));
}

void ModuleListModel::ColoursChanged() {
    swatches_ = {};
    for (size_t pair = 0; pair < outline_.ModuleNode.size(); ++pair) ModuleUpdated(pair);
}

const std::vector<int>& ModuleListModel::ChildrenOf(int node) const {
    return node < 0 ? outline_.Roots : outline_.Nodes[static_cast<size_t>(node)].Children;
}

QModelIndex ModuleListModel::IndexOfNode(int node, int column) const {
    return createIndex(rowOf_[static_cast<size_t>(node)], column, static_cast<quintptr>(node));
}

QModelIndex ModuleListModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column > 1 || row < 0) return {};
    const std::vector<int>& children =
        ChildrenOf(parent.isValid() ? static_cast<int>(parent.internalId()) : -1);
    if (row >= static_cast<int>(children.size())) return {};
    return createIndex(row, column, static_cast<quintptr>(children[static_cast<size_t>(row)]));
}

QModelIndex ModuleListModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    const int parent = outline_.Nodes[child.internalId()].Parent;
    return parent < 0 ? QModelIndex() : IndexOfNode(parent, 0);
}

int ModuleListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    return static_cast<int>(
        ChildrenOf(parent.isValid() ? static_cast<int>(parent.internalId()) : -1).size());
}

int ModuleListModel::columnCount(const QModelIndex&) const {
    return 2;
}

QVariant ModuleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Module") : QStringLiteral("Procedures");
}

std::optional<int16_t> ModuleListModel::ClassOf(const OutlineNode& node) const {
    switch (node.Kind) {
        case OutlineKind::Module: {
            const int16_t status = LookOf(*results_, node.Item).ProcStatus;
            return status == 0 ? std::nullopt : std::optional<int16_t>(status);
        }
        case OutlineKind::Settings:
            return ProcChanged;
        case OutlineKind::Branch:
            return std::nullopt;
        default:
            break;
    }
    switch (DescribeCompanion(*results_, node).Change) {
        case CompanionStatus::Equal:
            return ProcEqual;
        case CompanionStatus::Different:
            return ProcChanged;
        case CompanionStatus::Added:
            return ProcAdded;
        case CompanionStatus::Deleted:
            return ProcDeleted;
        case CompanionStatus::Unreadable:
            break;
    }
    return std::nullopt;
}

QVariant ModuleListModel::Text(const OutlineNode& node, int column) const {
    switch (node.Kind) {
        case OutlineKind::Settings:
            return column == 0 ? QStringLiteral("# Project settings")
                               : QStringLiteral("%1 differ").arg(settingsRows_);
        case OutlineKind::Branch:
            return column == 0 ? QString::fromStdString(node.Label) : QString();
        case OutlineKind::Module: {
            if (column == 0) return QString::fromStdString(ModuleText(*results_, node.Item));
            const std::string counts = CountsText(*results_, node.Item);
            return QString::fromStdString(counts.empty() ? LookOf(*results_, node.Item).Status
                                                         : counts);
        }
        default: {
            const CompanionText text = DescribeCompanion(*results_, node);
            return QString::fromStdString(column == 0 ? text.Text : text.Status);
        }
    }
}

QString ModuleListModel::Tip(const OutlineNode& node) const {
    switch (node.Kind) {
        case OutlineKind::Settings:
            return QStringLiteral("The settings of the project files that differ");
        case OutlineKind::Branch:
            return {};
        case OutlineKind::Module:
            return QString::fromStdString(ModuleTip(*results_, node.Item));
        default:
            return QString::fromStdString(DescribeCompanion(*results_, node).Tip);
    }
}

bool ModuleListModel::Differs(const OutlineNode& node) const {
    switch (node.Kind) {
        case OutlineKind::Settings:
            return true;
        case OutlineKind::Branch:
            return false;
        case OutlineKind::Module:
            return ModuleDiffers(*results_, node.Item);
        default:
            return DescribeCompanion(*results_, node).Change != CompanionStatus::Equal;
    }
}

QVariant ModuleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !results_) return {};
    const OutlineNode& node = outline_.Nodes[index.internalId()];
    switch (role) {
        case Qt::DisplayRole:
            return Text(node, index.column());
        case Qt::ToolTipRole:
            return Tip(node);
        case NodeRole:
            return static_cast<int>(index.internalId());
        case FilterRole:
            return Differs(node) ? QStringLiteral("1") : QStringLiteral("0");
        case Qt::ForegroundRole:
        case Qt::BackgroundRole: {
            const std::optional<int16_t> status = ClassOf(node);
            if (!status) return {};
            const LineColours colours = ProcEntryColours(*status, settings_);
            return SettingsColour(role == Qt::ForegroundRole ? colours.Fore : colours.Back);
        }
        case Qt::DecorationRole: {
            const std::optional<int16_t> status = ClassOf(node);
            if (index.column() != 0 || !status || node.Kind == OutlineKind::Branch) return {};
            return Swatch(*status);
        }
        default:
            return {};
    }
}

const QIcon& ModuleListModel::Swatch(int16_t status) const {
    QIcon& swatch = swatches_[static_cast<size_t>(std::clamp<int16_t>(status, 0, 4))];
    if (swatch.isNull()) swatch = ColourSwatch(ProcEntryColours(status, settings_));
    return swatch;
}

}  // namespace dualis

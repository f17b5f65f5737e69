// The module list's model: the tree of ModuleOutline over the window's value of a project
// comparison, in two columns (the entry, and its counts or status), each module in the colours
// of its status's class with a swatch of them, its two paths as its tip. A module's row fills
// in when its result arrives. FilterRole tells whether an entry differs, for the proxy that
// shows only the modules that differ.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <array>
#include <cstddef>
#include <optional>

#include "ModuleOutline.h"
#include "ProjectResults.h"
#include "Settings.h"

namespace dualis {

class ModuleListModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    // The node of ModuleOutline an index shows.
    static constexpr int NodeRole = Qt::UserRole;
    // "1" for an entry that differs (a module, companion or the settings entry), "0" otherwise;
    // a branch is never "1" itself.
    static constexpr int FilterRole = Qt::UserRole + 1;

    // `settings` holds the class colours and outlives the model.
    ModuleListModel(const Settings& settings, QObject* parent = nullptr);

    // A new comparison; `results` outlives the model or the next Reset.
    void Reset(const ProjectResults* results);
    const ModuleOutline& Outline() const { return outline_; }
    // The index of a module pair's entry, column 0.
    QModelIndex ModuleIndex(size_t pair) const;
    // The settings entry; invalid when the project files do not differ.
    QModelIndex SettingsIndex() const;
    // The result of pair `pair` arrived: its entry is drawn anew.
    void ModuleUpdated(size_t pair);
    // The class colours may have changed.
    void ColoursChanged();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const std::vector<int>& ChildrenOf(int node) const;
    QModelIndex IndexOfNode(int node, int column) const;
    // The procedure class whose colours an entry takes; none for a branch or a pending module.
    std::optional<int16_t> ClassOf(const OutlineNode& node) const;
    QVariant Text(const OutlineNode& node, int column) const;
    QString Tip(const OutlineNode& node) const;
    bool Differs(const OutlineNode& node) const;
    const QIcon& Swatch(int16_t status) const;

    const Settings& settings_;
    const ProjectResults* results_ = nullptr;
    ModuleOutline outline_;
    std::vector<int> rowOf_;  // by node: its row under its parent
    size_t settingsRows_ = 0;
    mutable std::array<QIcon, 5> swatches_;  // by class, made when first asked for
};

}  // namespace dualis

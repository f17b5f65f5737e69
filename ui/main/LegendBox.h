// The floating legend (picLegend): a title bar to drag it by, a close image, the explanation
// of the current view and one label per line class in that class's colours.
#pragma once

#include <QFrame>
#include <QLabel>

#include "Settings.h"
#include "Splitter.h"

namespace dualis {

class LegendBox : public QFrame {
    Q_OBJECT
  public:
    explicit LegendBox(QWidget* parent = nullptr);

    // The class labels' colours and the explanation of the view mode (an unknown mode keeps
    // the explanation).
    void SetupLegend(const Settings& settings, std::string_view viewMode);

    DragHandle* picLegendTitleBar;
    QLabel* imgCloseLegend;
    QLabel* lblLegendProse;
    QLabel* lblLegendChanged;
    QLabel* lblLegendEqual;
    QLabel* lblLegendAdded;
    QLabel* lblLegendDeleted;
    QLabel* lblLegendIgnored;

  signals:
    void CloseClicked();
    // A colour label was clicked; `handler` names its click handler for the trace.
    void ColourLabelClicked(const char* handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dualis

// The floating legend (picLegend): a title bar to drag it by, a close image, the explanation
// of the current view, one label per line class in that class's colours, and in the two-pane
// views a sample of the filler rows.
#pragma once

#include <QFrame>
#include <QLabel>

#include "Settings.h"
#include "Splitter.h"

namespace dualis {

// A filler row in small: the filler's hatched ground under a caption.
class FillerSample : public QLabel {
  public:
    using QLabel::QLabel;
    void SetColours(uint32_t ground, uint32_t hatch, uint32_t text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor ground_;
    QColor hatch_;
};

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
    FillerSample* lblLegendFiller;  // what a filler row looks like, in the two-pane views

  signals:
    void CloseClicked();
    // A colour label was clicked; `handler` names its click handler for the trace.
    void ColourLabelClicked(const char* handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dualis

// The main window's toolbar strip (picToolBar): paints one toolbar of an XToolbar with the
// project's icons and turns the mouse over it into hover texts and completed presses.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <map>
#include <utility>

#include "XToolbar.h"

namespace dualis {

class ToolbarStrip : public QWidget {
    Q_OBJECT
  public:
    // `bar` belongs to the window and outlives the strip; `toolTips` reads the tool-tips switch,
    // at every move of the pointer over the strip.
    ToolbarStrip(XToolbar& bar, int32_t toolbar, std::function<bool()> toolTips,
                 QWidget* parent = nullptr);

    // Lays the buttons out again and repaints, for the buttons added so far.
    void g_ResizeToolbar();
    // Enables or disables a button and repaints it.
    void SetButtonState(int32_t position, ButtonState state);

    // The buttons' height with the margins above and below them; the width of the buttons.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The picture the strip paints for an image, at the strip's device pixel ratio; greyed for
    // a disabled button. Null for an image without an icon.
    QPixmap ButtonImage(int32_t image, bool greyed) const;

  signals:
    // A press was released over the button it started on: run the command of `position`.
    void ButtonClicked(int position);
    // The text for the status line while the pointer moves over the strip; empty off the
    // buttons and when the pointer leaves the strip.
    void StatusHelp(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void ShowTexts(const HoverTexts& texts);
    // Repaints when the pointer changed how a button looks.
    void UpdateIfChanged(const ToolbarRecord& before);

    XToolbar& bar_;
    int32_t toolbar_;
    std::function<bool()> toolTips_;
    // Rendered icons by image and greyed, at imagesRatio_ device pixels per pixel.
    mutable std::map<std::pair<int32_t, bool>, QPixmap> images_;
    mutable double imagesRatio_ = 0;
};

}  // namespace dualis

// Mouse reports of the splitter and the legend's title bar.
#include "Splitter.h"

#include <QMouseEvent>

namespace dualis {

void DragHandle::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit MouseDown(event->position().toPoint());
}

void DragHandle::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->position().toPoint());
}

void DragHandle::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit MouseUp(event->position().toPoint());
}

}  // namespace dualis

// The file box and the browse button of the file selection dialog.
#include "FileControls.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace dualis {
namespace {

bool IsEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

}  // namespace

void FileBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A dialog being shown tells its focus widget before its window is active; the box gets
    // the focus only when the window does.
    if (GotFocus && hasFocus() && event->reason() != Qt::PopupFocusReason) GotFocus();
}

void FileBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (LostFocus && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
        LostFocus();
    }
}

void FileBox::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(*event)) {
        if (KeyPress) KeyPress(KeyEnter);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void BrowseButton::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(*event) && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace dualis

// Message boxes, the busy pointer and pending events for the engine.
#include "WindowHost.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

namespace dualis {

void ShowExclamation(QWidget* owner, const std::string& text) {
    QMessageBox::warning(owner, QStringLiteral("Dualis"), QString::fromStdString(text));
}

void WindowHost::ShowMessage(std::string_view text) {
    // The user reads the message with the normal pointer, whatever the work under way shows.
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    if (message_) message_(owner_, std::string(text));
    QApplication::restoreOverrideCursor();
}

void WindowHost::BeginBusy() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void WindowHost::EndBusy() {
    QApplication::restoreOverrideCursor();
}

void WindowHost::DoEvents() {
    QCoreApplication::processEvents();
}

}  // namespace dualis

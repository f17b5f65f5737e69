// Message boxes, the busy pointer and pending events for the engine.
#include "WindowHost.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <chrono>

#include "DirectionControls.h"

namespace dualis {

void ShowExclamation(QWidget* owner, const std::string& text) {
    QMessageBox::warning(owner, QStringLiteral("Dualis"), QString::fromStdString(text));
}

bool AskYesNo(QWidget* owner, const std::string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Dualis"),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

void WindowHost::ShowMessage(std::string_view text) {
    ShowMessageOver(owner_, std::string(text));
}

void WindowHost::ShowMessageOver(QWidget* owner, const std::string& text) {
    // The user reads the message with the normal pointer, whatever the work under way shows.
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    // A name or a text in the message cannot turn it round.
    if (message_) message_(owner, NameDirectionControls(text));
    QApplication::restoreOverrideCursor();
}

bool WindowHost::Ask(const std::string& text) {
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    const bool yes = question_ && question_(owner_, NameDirectionControls(text));
    QApplication::restoreOverrideCursor();
    return yes;
}

void WindowHost::BeginBusy() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void WindowHost::EndBusy() {
    QApplication::restoreOverrideCursor();
}

void WindowHost::DoEvents() {
    // The engine yields once per procedure, and each pass over the pending events asks the
    // display server: tens of thousands of procedures spent more time yielding than comparing.
    // A hundred passes a second keep the window as responsive.
    const auto now = std::chrono::steady_clock::now();
    if (now - lastEvents_ < EventInterval) return;
    lastEvents_ = now;
    QCoreApplication::processEvents();
}

}  // namespace dualis

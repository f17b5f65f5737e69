// The file selection dialog's own kinds of controls: a file box that reports its focus changes
// and keys as a text field's events do, and a browse button that Enter presses as Space does.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace dualis {

// The character code a file box reports for Enter.
inline constexpr int KeyEnter = 13;

// A focus change because another window became active, or a popup opened, is none of the
// dialog's: the user has not left the box. Enter stays with the box, so that no button of the
// dialog takes it.
class FileBox : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    // A key the box keeps for itself, by its character code (KeyEnter).
    std::function<void(int keyAscii)> KeyPress;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A "..." button. The dialog's buttons are no default buttons, so that Enter in a file box
// never confirms; on a focused browse button, Enter still presses it, as Space does.
class BrowseButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace dualis

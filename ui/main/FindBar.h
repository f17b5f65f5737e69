// The find bar under the panes: the text to search for, match case and whole word, whether to
// search every module of two projects (shown only for them), the previous and next buttons and
// a close button. Enter searches on, Shift+Enter back, Escape closes it;
// the window carries the search out.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include "TextMatch.h"

namespace dualis {

class FindBar : public QWidget {
    Q_OBJECT
  public:
    explicit FindBar(QWidget* parent = nullptr);

    TextQuery Query() const;
    // Shows the bar with the focus in its field and the field's text selected.
    void Open();
    // Whether the focus is in the bar.
    bool HasFocus() const;
    // Whether the search goes through every module of two projects: the option is offered and
    // ticked.
    bool WholeProject() const;

    QLineEdit* txtFind;
    QCheckBox* chkMatchCase;
    QCheckBox* chkWholeWord;
    QCheckBox* chkWholeProject;  // hidden while a file pair is compared
    QToolButton* cmdPrevious;
    QToolButton* cmdNext;
    QToolButton* cmdClose;

  signals:
    // 1: the next occurrence, -1: the previous one.
    void Search(int direction);
    void CloseRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace dualis

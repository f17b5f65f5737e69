// The find bar's controls and keys.
#include "FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>

namespace dualis {

namespace {

QToolButton* Button(QWidget* parent, const QString& text, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    auto* label = new QLabel(QStringLiteral("Find:"), this);
    txtFind = new QLineEdit(this);
    txtFind->setClearButtonEnabled(true);
    label->setBuddy(txtFind);
    chkMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    chkWholeWord = new QCheckBox(QStringLiteral("&Whole word"), this);
    chkWholeProject = new QCheckBox(QStringLiteral("Whole &project"), this);
    chkWholeProject->setToolTip(QStringLiteral("Search every module of the two projects"));
    chkWholeProject->hide();
    cmdPrevious =
        Button(this, QStringLiteral("Previous"), QStringLiteral("Previous (Shift+Enter)"));
    cmdNext = Button(this, QStringLiteral("Next"), QStringLiteral("Next (Enter)"));
    cmdClose = Button(this, QString(), QStringLiteral("Close (Esc)"));
    cmdClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->addWidget(label);
    row->addWidget(txtFind, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{chkMatchCase, chkWholeWord, chkWholeProject,
                                                      cmdPrevious, cmdNext, cmdClose}) {
        row->addWidget(w);
    }
    connect(cmdPrevious, &QToolButton::clicked, this, [this] { emit Search(-1); });
    connect(cmdNext, &QToolButton::clicked, this, [this] { emit Search(1); });
    connect(cmdClose, &QToolButton::clicked, this, [this] { emit CloseRequested(); });
}

TextQuery FindBar::Query() const {
    return {txtFind->text().toStdString(), chkMatchCase->isChecked(), chkWholeWord->isChecked()};
}

void FindBar::Open() {
    show();
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
}

bool FindBar::HasFocus() const {
    // The window's focus, which it keeps while another window is active.
    const QWidget* focus = window()->focusWidget();
    return focus && isAncestorOf(focus);
}

bool FindBar::WholeProject() const {
    return !chkWholeProject->isHidden() && chkWholeProject->isChecked();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    // The field and the boxes leave Enter and Escape to the bar.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit Search(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
            return;
        case Qt::Key_Escape:
            emit CloseRequested();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace dualis

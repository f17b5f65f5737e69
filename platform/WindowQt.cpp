// The window methods of the window utility class, over Qt Widgets.
#include <QAbstractItemView>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "Tracing.h"
#include "Window.h"

namespace dualis {
namespace {

template <class Body>
void Traced(Tracing* tracing, std::string_view procText, Body&& body) {
    if (tracing) {
        tracing->Run(TraceKind::Classes, procText, body);
    } else {
        body();
    }
}

// Gives every item of a list at least the extent's width, so that the list scrolls across that
// far, as a list box with a horizontal extent does. Drawing and editing stay with the delegate
// the list had before.
class ExtentDelegate : public QStyledItemDelegate {
  public:
    ExtentDelegate(QAbstractItemDelegate* inner, QObject* parent)
        : QStyledItemDelegate(parent), inner_(inner) {}

    void SetExtent(int pixels) {
        extent_ = pixels;
        emit sizeHintChanged(QModelIndex());
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (inner_) {
            inner_->paint(painter, option, index);
        } else {
            QStyledItemDelegate::paint(painter, option, index);
        }
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size =
            inner_ ? inner_->sizeHint(option, index) : QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), extent_));
        return size;
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        return inner_ ? inner_->createEditor(parent, option, index)
                      : QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (inner_) {
            inner_->setEditorData(editor, index);
        } else {
            QStyledItemDelegate::setEditorData(editor, index);
        }
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (inner_) {
            inner_->setModelData(editor, model, index);
        } else {
            QStyledItemDelegate::setModelData(editor, model, index);
        }
    }

  private:
    QPointer<QAbstractItemDelegate> inner_;
    int extent_ = 0;
};

}  // namespace

void cWindow::Center(QWidget* frm) const {
    Traced(Trace, "cWindow: Center", [&] {
        if (!frm) return;
        if (frm->windowState() &
            (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
            return;
        }
        QRect area;
        QSize size;
        if (!frm->isWindow()) {
            if (!frm->parentWidget()) return;
            area = frm->parentWidget()->contentsRect();
            size = frm->size();
        } else {
            QScreen* screen = frm->screen() ? frm->screen() : QGuiApplication::primaryScreen();
            if (!screen) return;
            area = screen->availableGeometry();
            size = frm->frameGeometry().size();
        }
        // A window larger than the area keeps its top left corner, and so its title bar, inside.
        const int left = std::max(area.left(), area.left() + (area.width() - size.width()) / 2);
        const int top = std::max(area.top(), area.top() + (area.height() - size.height()) / 2);
        frm->move(left, top);
    });
}

void cWindow::BringToTop(QWidget* frm) const {
    Traced(Trace, "cWindow: BringToTop", [&] {
        if (!frm) return;
        frm->raise();
        if (frm->isWindow()) frm->activateWindow();
    });
}

void cWindow::OnTop(QWidget* frm, bool setOnTop) const {
    Traced(Trace, "cWindow: OnTop", [&] {
        if (!frm) return;
        Qt::WindowFlags flags = frm->windowFlags();
        flags.setFlag(Qt::WindowStaysOnTopHint, setOnTop);
        if (!frm->isVisible()) {
            frm->setWindowFlags(flags);
            return;
        }
        // Setting the flags of a shown window would hide it, which ends a modal dialog's loop;
        // the flag goes to the window system's window directly instead, without moving it.
        frm->overrideWindowFlags(flags);
        if (QWindow* window = frm->windowHandle()) {
            window->setFlag(Qt::WindowStaysOnTopHint, setOnTop);
        }
    });
}

void cWindow::CallWinHelp(const std::string& helpFile, int helpCommand, int contextId) const {
    Traced(Trace, "cWindow: CallWinHelp", [&] {
        if (helpFile.empty() || !HelpViewer) return;
        HelpViewer(helpCommand, contextId);
    });
}

void cWindow::HiLIte(QLineEdit* c) const {
    Traced(Trace, "cWindow: HiLIte", [&] {
        if (c) c->setSelection(0, static_cast<int>(c->text().size()));
    });
}

void cWindow::SetHorizontalExtent(QAbstractItemView* ctl, int32_t howMuch) const {
    Traced(Trace, "cWindow: SetHorizontalExtent", [&] {
        if (!ctl) return;
        const int pixels = TwipsToPixels(howMuch, TwipsPerPixel(ctl->logicalDpiX()));
        auto* delegate = dynamic_cast<ExtentDelegate*>(ctl->itemDelegate());
        if (!delegate) {
            delegate = new ExtentDelegate(ctl->itemDelegate(), ctl);
            ctl->setItemDelegate(delegate);
        }
        ctl->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        delegate->SetExtent(std::max(0, pixels));
    });
}

}  // namespace dualis

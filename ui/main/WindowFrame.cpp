// Watches the frame round the main window: under X with a window manager that announces its
// frames, from the window's frame extents property; elsewhere from Qt once the window is shown.
#include "WindowFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef DUALIS_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace dualis {

namespace {

#ifdef DUALIS_WITH_XCB
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Whether the window manager of the window's screen lists the frame extents property among
// the things it supports.
bool AnnouncesFrames(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    const xcb_atom_t supported = Atom(c, "_NET_SUPPORTED");
    if (!tree || supported == XCB_ATOM_NONE) return false;
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, tree->root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, extents) != atoms + count;
}
#endif

}  // namespace

WindowFrame::WindowFrame(QWidget* window)
    : QObject(window),
      window_(window),
      x11_(QGuiApplication::platformName() == QLatin1String("xcb")) {
    window_->windowHandle()->installEventFilter(this);
#ifdef DUALIS_WITH_XCB
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    if (extents == XCB_ATOM_NONE ||
        !AnnouncesFrames(c, static_cast<xcb_window_t>(window_->windowHandle()->winId()), extents)) {
        return;
    }
    connection_ = c;
    extentsAtom_ = extents;
    QCoreApplication::instance()->installNativeEventFilter(this);
#endif
}

std::optional<QMargins> WindowFrame::Margins() const {
    if (connection_) return AnnouncedMargins();
    // Another window manager under X frames a window, if at all, before it puts it on screen;
    // other window systems know the frame as soon as they have made the window.
    const QWindow* w = window_->windowHandle();
    if (!w || !(x11_ ? w->isExposed() : w->isVisible())) return std::nullopt;
    return w->frameMargins();
}

std::optional<QMargins> WindowFrame::AnnouncedMargins() const {
#ifdef DUALIS_WITH_XCB
    auto* c = static_cast<xcb_connection_t*>(connection_);
    const auto window = static_cast<xcb_window_t>(window_->windowHandle()->winId());
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, extentsAtom_, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    // Left, right, top and bottom, in the screen's pixels.
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    const double ratio = window_->devicePixelRatioF();
    const auto logical = [ratio](uint32_t pixels) {
        return static_cast<int>(std::lround(pixels / ratio));
    };
    return QMargins(logical(v[0]), logical(v[2]), logical(v[1]), logical(v[3]));
#else
    return std::nullopt;
#endif
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_->windowHandle() && event->type() == QEvent::Expose) {
        QTimer::singleShot(0, this, &WindowFrame::Changed);
    }
    return QObject::eventFilter(watched, event);
}

bool WindowFrame::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef DUALIS_WITH_XCB
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    const QWindow* w = window_->windowHandle();
    if (w && change->atom == extentsAtom_ && change->window == w->winId()) {
        // Acted on once Qt has handled the event.
        QTimer::singleShot(0, this, &WindowFrame::Changed);
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

}  // namespace dualis

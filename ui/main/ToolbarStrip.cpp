// Painting of the toolbar strip and its mouse handling.
#include "ToolbarStrip.h"

#include <qdrawutil.h>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QToolTip>

namespace dualis {

namespace {

QString IconFile(int32_t image) {
    switch (image) {
        case ImageOpen:
            return QStringLiteral(":/icons/toolbar/open.svg");
        case ImageRecompare:
            return QStringLiteral(":/icons/toolbar/recompare.svg");
        case ImageViewCombined:
            return QStringLiteral(":/icons/toolbar/view-combined.svg");
        case ImageViewVertical:
            return QStringLiteral(":/icons/toolbar/view-vertical.svg");
        case ImageViewHorizontal:
            return QStringLiteral(":/icons/toolbar/view-horizontal.svg");
        case ImageFindPriorMatch:
            return QStringLiteral(":/icons/toolbar/prior-match.svg");
        case ImageFindPriorMismatch:
            return QStringLiteral(":/icons/toolbar/prior-mismatch.svg");
        case ImageFindNextMatch:
            return QStringLiteral(":/icons/toolbar/next-match.svg");
        case ImageFindNextMismatch:
            return QStringLiteral(":/icons/toolbar/next-mismatch.svg");
        case ImageOptions:
            return QStringLiteral(":/icons/toolbar/options.svg");
        case ImageHelp:
            return QStringLiteral(":/icons/toolbar/help.svg");
        case ImageNextChangedProc:
            return QStringLiteral(":/icons/toolbar/next-changed-proc.svg");
        case ImagePriorChangedProc:
            return QStringLiteral(":/icons/toolbar/prior-changed-proc.svg");
        case ImageNextChangedModule:
            return QStringLiteral(":/icons/toolbar/next-changed-module.svg");
        case ImagePriorChangedModule:
            return QStringLiteral(":/icons/toolbar/prior-changed-module.svg");
        default:
            return {};
    }
}

// The icon rendered at device pixels, so that its lines stay sharp at any pixel ratio.
QPixmap RenderIcon(const QString& file, int size, double ratio) {
    QSvgRenderer renderer(file);
    if (file.isEmpty() || !renderer.isValid()) return {};
    QImage image(QSize(size, size) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

QPoint At(QMouseEvent* event) {
    return event->position().toPoint();
}

}  // namespace

ToolbarStrip::ToolbarStrip(XToolbar& bar, int32_t toolbar, std::function<bool()> toolTips,
                           QWidget* parent)
    : QWidget(parent), bar_(bar), toolbar_(toolbar), toolTips_(std::move(toolTips)) {
    setMouseTracking(true);
    // Every command of the toolbar is in the menus, which the keyboard reaches.
    setFocusPolicy(Qt::NoFocus);
}

void ToolbarStrip::g_ResizeToolbar() {
    bar_.g_CalcToolbarButtons(toolbar_);
    updateGeometry();
    update();
}

void ToolbarStrip::SetButtonState(int32_t position, ButtonState state) {
    bar_.SetButtonState(position, state);
    update();
}

QSize ToolbarStrip::sizeHint() const {
    return {bar_.ToolbarWidth(toolbar_), bar_.ToolbarHeight(toolbar_)};
}

QPixmap ToolbarStrip::ButtonImage(int32_t image, bool greyed) const {
    const double ratio = devicePixelRatioF();
    if (ratio != imagesRatio_) {
        images_.clear();
        imagesRatio_ = ratio;
    }
    const auto key = std::make_pair(image, greyed);
    if (const auto found = images_.find(key); found != images_.end()) return found->second;
    const int size = bar_.Toolbar(toolbar_).LargeButtons ? 24 : 16;
    QPixmap picture = RenderIcon(IconFile(image), size, ratio);
    if (greyed && !picture.isNull()) {
        QStyleOption option;
        option.initFrom(this);
        picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
    }
    return images_[key] = picture;
}

void ToolbarStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Button));
    const QBrush pressed(colours.color(QPalette::Button).darker(110));
    for (int32_t position = 1; position <= bar_.ButtonCount(); ++position) {
        const ButtonRecord& b = bar_.Button(position);
        if (b.Toolbar != toolbar_) continue;
        if (b.IsSeparator()) {
            // An etched line: a shadow with a highlight beside it.
            painter.fillRect(b.Left, b.Top, 1, b.Bottom - b.Top, colours.color(QPalette::Dark));
            painter.fillRect(b.Left + 1, b.Top, 1, b.Bottom - b.Top,
                             colours.color(QPalette::Light));
            continue;
        }
        const QRect frame(QPoint(b.Left, b.Top), QPoint(b.Right - 1, b.Bottom - 1));
        const ButtonLook look = bar_.Look(position);
        if (look == ButtonLook::Raised) qDrawShadePanel(&painter, frame, colours, false, 1);
        if (look == ButtonLook::Sunken)
            qDrawShadePanel(&painter, frame, colours, true, 1, &pressed);
        const QPixmap image = ButtonImage(b.Image, look == ButtonLook::Greyed);
        if (image.isNull()) continue;
        const QSize size = image.deviceIndependentSize().toSize();
        QPoint corner = frame.topLeft() + QPoint((frame.width() - size.width()) / 2,
                                                 (frame.height() - size.height()) / 2);
        if (look == ButtonLook::Sunken) corner += QPoint(1, 1);
        painter.drawPixmap(corner, image);
    }
}

void ToolbarStrip::UpdateIfChanged(const ToolbarRecord& before) {
    const ToolbarRecord& now = bar_.Toolbar(toolbar_);
    if (now.Hovered != before.Hovered || now.Pressed != before.Pressed ||
        now.PressedUnderPointer != before.PressedUnderPointer)
        update();
}

void ToolbarStrip::ShowTexts(const HoverTexts& texts) {
    emit StatusHelp(QString::fromStdString(texts.StatusHelp));
    const QString tip = QString::fromStdString(texts.ToolTip);
    if (tip == toolTip()) return;
    setToolTip(tip);
    // A tip on show belongs to the button the pointer left; the next one shows when it rests.
    if (QToolTip::isVisible()) QToolTip::hideText();
}

void ToolbarStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const ToolbarRecord before = bar_.Toolbar(toolbar_);
    bar_.PressDown(toolbar_, At(event).x(), At(event).y());
    UpdateIfChanged(before);
}

void ToolbarStrip::mouseMoveEvent(QMouseEvent* event) {
    const ToolbarRecord before = bar_.Toolbar(toolbar_);
    bar_.PressMove(toolbar_, At(event).x(), At(event).y());
    if (const auto texts = bar_.Hover(toolbar_, At(event).x(), At(event).y(), toolTips_()))
        ShowTexts(*texts);
    UpdateIfChanged(before);
}

void ToolbarStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const ToolbarRecord before = bar_.Toolbar(toolbar_);
    const int32_t position = bar_.PressUp(toolbar_, At(event).x(), At(event).y());
    UpdateIfChanged(before);
    if (position != NoButton) emit ButtonClicked(position);
}

void ToolbarStrip::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    const ToolbarRecord before = bar_.Toolbar(toolbar_);
    bar_.HoverEnd(toolbar_);
    ShowTexts({});
    UpdateIfChanged(before);
}

void ToolbarStrip::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The greyed pictures follow the palette and the style.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        images_.clear();
}

}  // namespace dualis

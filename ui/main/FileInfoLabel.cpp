// The file information label's text, cut to its width.
#include "FileInfoLabel.h"

#include <QFontMetrics>
#include <QStringList>

namespace dualis {

FileInfoLabel::FileInfoLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A file name is shown as it is, whatever markup it happens to hold.
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusPolicy(Qt::NoFocus);
}

void FileInfoLabel::SetFullText(const QString& text) {
    fullText_ = text;
    ShowCut();
}

void FileInfoLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    ShowCut();
}

void FileInfoLabel::ShowCut() {
    const QFontMetrics metrics(font());
    const int width = contentsRect().width();
    QStringList lines = fullText_.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // Above the counts the name keeps its start and its file name; a line of its own, or
        // the counts, keep their start.
        const Qt::TextElideMode mode =
            lines.size() > 1 && i == 0 ? Qt::ElideMiddle : Qt::ElideRight;
        lines[i] = metrics.elidedText(lines[i], mode, width);
    }
    const QString shown = lines.join(QLatin1Char('\n'));
    setText(shown);
    setToolTip(shown == fullText_ ? QString() : fullText_);
}

}  // namespace dualis

// A build-time helper that turns the sources of installed files into their installed form:
//   dualis_assets icon SVG SIZE PNG      renders the application icon at SIZE x SIZE pixels
//   dualis_assets html MARKDOWN TITLE HTML   converts the user manual to a standalone page
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <cstdio>

#include "HelpWindow.h"

namespace {

bool RenderIcon(const QString& svg, int size, const QString& png) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(png, "PNG");
}

bool ConvertManual(const QString& markdown, const QString& title, const QString& html) {
    QFile in(markdown);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(in.readAll()));
    dualis::PrepareHeadings(document);
    document.setMetaInformation(QTextDocument::DocumentTitle, title);
    QFile out(html);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return out.write(document.toHtml().toUtf8()) >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    // No window is shown: the offscreen platform needs no display at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool done = false;
    if (args.size() == 5 && args[1] == "icon") {
        done = RenderIcon(args[2], args[3].toInt(), args[4]);
    } else if (args.size() == 5 && args[1] == "html") {
        done = ConvertManual(args[2], args[3], args[4]);
    } else {
        std::fprintf(stderr, "usage: dualis_assets icon SVG SIZE PNG | html MARKDOWN TITLE HTML\n");
        return 2;
    }
    if (!done) std::fprintf(stderr, "dualis_assets: %s failed\n", qPrintable(args.join(' ')));
    return done ? 0 : 1;
}

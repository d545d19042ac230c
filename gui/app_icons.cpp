#include "app_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The pictures live in a static library; registering them here makes the linker keep them in
// every program that draws one.
static void RegisterPictures() {
    static bool done = false;
    if (done) return;
    done = true;
    Q_INIT_RESOURCE(resources);
}

namespace {

QIcon RenderedIcon(const QString& stem, std::initializer_list<int> sizes) {
    RegisterPictures();
    QSvgRenderer renderer(PicturePath(stem));
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (int s : sizes) {
        QPixmap pm(s, s);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, QRectF(0, 0, s, s));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

void DrawPicture(const QString& stem, QPainter& p, const QRect& r) {
    RegisterPictures();
    QSvgRenderer renderer(PicturePath(stem));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&p, QRectF(r));
    p.restore();
}

}  // namespace

QString PicturePath(const QString& stem) {
    return QStringLiteral(":/quorvel05/") + stem + QStringLiteral(".svg");
}

QIcon AppIcon() {
    return RenderedIcon(QStringLiteral("quorvel05"), {16, 22, 24, 32, 48, 64, 128, 256});
}

QIcon ToolbarGlyph(const QString& stem) {
    static const char* const kGlyphs[] = {"new", "open", "save", "print", "undo", "redo"};
    for (const char* g : kGlyphs) {
        // 18 pixels as designed, 36 for screens at twice the density.
        if (stem == QLatin1String(g)) return RenderedIcon(stem, {18, 36});
    }
    return {};
}

void DrawMainLogo(QPainter& p, const QRect& r) {
    DrawPicture(QStringLiteral("logo"), p, r);
}

void DrawAboutLogo(QPainter& p, const QRect& r) {
    DrawPicture(QStringLiteral("about_logo"), p, r);
}

// The program's own pictures: the icon, the toolbar glyphs and the two logos, drawn from the SVG
// files compiled into the program (gui/resources.qrc).
#pragma once

#include <QIcon>
#include <QRect>
#include <QString>

class QPainter;

// The application icon, rendered for the sizes desktops ask for (16 to 256 pixels).
QIcon AppIcon();
// A toolbar glyph by its file stem: "new", "open", "save", "print", "undo" or "redo"; an empty
// icon for any other stem.
QIcon ToolbarGlyph(const QString& stem);
// The main window's logo (designed at 234 x 103) and the About window's logo (161 x 81), drawn
// into r; the picture is stretched to r.
void DrawMainLogo(QPainter& p, const QRect& r);
void DrawAboutLogo(QPainter& p, const QRect& r);
// The resource path of a picture by its file stem, e.g. ":/quorvel05/logo.svg".
QString PicturePath(const QString& stem);

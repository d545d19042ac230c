// The program's own pictures and the user manuals, as a user meets them: every picture draws, and
// each manual is a whole document in its language that quotes the window's own texts.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cstring>

#include "app_icons.h"
#include "ui/language.h"

namespace {

int CountPixels(const QImage& img, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += test(img.pixel(x, y)) ? 1 : 0;
    return n;
}

}  // namespace

TEST(Pictures, EachDrawsAtItsDesignSize) {
    AppIcon();  // registers the compiled-in pictures
    const struct {
        const char* stem;
        int width, height;
        int minCoverPercent;  // share of opaque pixels
    } kPictures[] = {
        {"quorvel05", 256, 256, 70}, {"logo", 234, 103, 100}, {"about_logo", 161, 81, 90},
        {"new", 18, 18, 25},         {"open", 18, 18, 25},    {"save", 18, 18, 25},
        {"print", 18, 18, 25},       {"undo", 18, 18, 10},    {"redo", 18, 18, 10},
    };
    for (const auto& p : kPictures) {
        QSvgRenderer r(PicturePath(p.stem));
        ASSERT_TRUE(r.isValid()) << p.stem;
        EXPECT_EQ(r.defaultSize(), QSize(p.width, p.height)) << p.stem;
        QImage img(p.width, p.height, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter painter(&img);
        r.render(&painter);
        painter.end();
        const int opaque = CountPixels(img, [](QRgb c) { return qAlpha(c) > 200; });
        EXPECT_GE(opaque * 100, p.minCoverPercent * p.width * p.height) << p.stem;
    }
    // The white title of the two logos is really drawn on their dark background.
    for (const char* stem : {"logo", "about_logo"}) {
        QImage img(234, 103, QImage::Format_ARGB32);
        img.fill(Qt::black);
        QPainter painter(&img);
        QSvgRenderer(PicturePath(stem)).render(&painter);
        painter.end();
        EXPECT_GT(CountPixels(img, [](QRgb c) { return qGray(c) > 230; }), 150) << stem;
    }
}

TEST(Pictures, IconAndGlyphsOfferTheSizesAsked) {
    const QIcon icon = AppIcon();
    for (int s : {16, 32, 48, 256}) EXPECT_EQ(icon.pixmap(s, s).size(), QSize(s, s)) << s;
    for (const char* g : {"new", "open", "save", "print", "undo", "redo"})
        EXPECT_EQ(ToolbarGlyph(g).pixmap(18, 18).size(), QSize(18, 18)) << g;
    EXPECT_TRUE(ToolbarGlyph("logo").isNull());
}

namespace {

// The control's caption in language lang as the window shows it (without the access-key "&").
std::string Caption(uint8_t lang, const char* control) {
    const TControlText* table = lang == kLangCzech    ? kJazyk2Controls
                                : lang == kLangGerman ? kJazyk3Controls
                                                      : kJazyk1Controls;
    for (int i = 0; i < kControlTextCount; ++i)
        if (table[i].prop == TTextProp::Caption && std::strcmp(table[i].control, control) == 0)
            return table[i].text;
    for (int i = 0; i < kJazykspolCaptionCount; ++i)
        if (kJazykspolCaptions[i].control != nullptr &&
            std::strcmp(kJazykspolCaptions[i].control, control) == 0)
            return kJazykspolCaptions[i].text[lang];
    ADD_FAILURE() << "no caption for " << control;
    return "";
}

QString Shown(const std::string& text) {
    return QString::fromStdString(text).remove('&').simplified();
}

}  // namespace

TEST(Manuals, EachIsAWholeDocumentInItsLanguageQuotingTheWindowsTexts) {
    const struct {
        const char* suffix;
        const char* lang;
        uint8_t language;
    } kManuals[] = {
        {"_cz", "cs", kLangCzech}, {"_en", "en", kLangEnglish}, {"_de", "de", kLangGerman}};
    const char* const kControls[] = {"TabSheet_Ign",  "TabSheetLadeni",   "CheckBoxProgHned",
                                     "MenuTpNormal",  "MenuTpConnected",  "CheckBoxLadeniPovoleno",
                                     "LabelLadeni",   "CheckBoxLadeniOn", "LabelLadeniRpm",
                                     "LabelEeDataErr"};
    const TMsg kMessages[] = {TMsg::VerifyOk,     TMsg::ReadError,          TMsg::VerifyError,
                              TMsg::ProgramError, TMsg::ProgramOk,          TMsg::UnverifiedWarning,
                              TMsg::RpmNotSame,   TMsg::DefaultQuestion,    TMsg::OpenFileError,
                              TMsg::UnmatchedIgn, TMsg::VersionMismatchBox, TMsg::PrintHeader};
    for (const auto& m : kManuals) {
        const QString path = QStringLiteral(QUORVEL05_MANUAL_DIR "/Quorvel05") + m.suffix + ".html";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        QXmlStreamReader xml(&file);
        QString text, title, rootLang;
        QSet<QString> ids, links;
        bool inTitle = false, external = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const QString name = xml.name().toString();
                const auto a = xml.attributes();
                if (name == "html") rootLang = a.value("lang").toString();
                inTitle = name == "title";
                if (a.hasAttribute("id")) ids.insert(a.value("id").toString());
                if (a.hasAttribute("href")) links.insert(a.value("href").toString());
                // Self-contained: nothing fetched, nothing run.
                external |= a.hasAttribute("src") || name == "script" || name == "link" ||
                            name == "iframe" || name == "object";
            } else if (xml.isEndElement()) {
                inTitle = false;
            } else if (xml.isCharacters()) {
                (inTitle ? title : text) += xml.text();
            }
        }
        ASSERT_FALSE(xml.hasError())
            << m.suffix << " line " << xml.lineNumber() << ": " << xml.errorString().toStdString();
        EXPECT_EQ(rootLang, m.lang) << m.suffix;
        EXPECT_FALSE(title.simplified().isEmpty()) << m.suffix;
        EXPECT_FALSE(external) << m.suffix;
        for (const QString& l : links) {
            EXPECT_TRUE(l.startsWith('#') && ids.contains(l.mid(1)))
                << m.suffix << ": link " << l.toStdString();
        }
        text = text.simplified();
        for (const char* c : kControls) {
            const QString caption = Shown(Caption(m.language, c));
            EXPECT_TRUE(text.contains(caption)) << m.suffix << ": " << caption.toStdString();
        }
        for (TMsg msg : kMessages) {
            const QString shown = Shown(LanguageText(m.language, msg));
            EXPECT_TRUE(text.contains(shown)) << m.suffix << ": " << shown.toStdString();
        }
    }
}

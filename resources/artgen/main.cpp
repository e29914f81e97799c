// Draws every picture of the game's catalogue and writes them, with the
// licence text and a Qt resource list, into one folder that the build turns
// into resources of the game.

#include "ArtStyle.h"
#include "ContactSheet.h"
#include "ControlArt.h"
#include "PieceArt.h"
#include "SidebarArt.h"
#include "TableArt.h"

#include "resources/PictureCatalogue.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

struct CatalogueEntry {
    const char* name;
    std::int32_t id;
};

const std::vector<CatalogueEntry>& Catalogue()
{
#define KOLMIRA_ENTRY(name, id, ...) {#name, id},
    static const std::vector<CatalogueEntry> entries = {
        KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_ENTRY, KOLMIRA_ENTRY)};
#undef KOLMIRA_ENTRY
    return entries;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "artgen: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    constexpr int kRequiredArgs = 3;
    if (args.size() < kRequiredArgs) {
        return Fail(QStringLiteral("usage: kolmira_artgen <output folder> <licence text> "
                                   "[<window mock-up png> <contact sheet png>]"));
    }
    const QDir out(args[1]);
    if (!LoadArtFonts()) {
        return 1;
    }

    ArtSet art;
    AddPieceArt(art);
    AddSidebarArt(art);
    AddControlArt(art);
    AddTableArt(art);

    if (!out.mkpath(QStringLiteral("pictures")) || !out.mkpath(QStringLiteral("texts/TEXT"))) {
        return Fail(QStringLiteral("cannot create %1").arg(out.path()));
    }
    QStringList files;
    QSet<QString> written;
    for (const CatalogueEntry& entry : Catalogue()) {
        const QString name = QString::fromLatin1(entry.name);
        if (!art.contains(name)) {
            return Fail(QStringLiteral("no art drawn for %1").arg(name));
        }
        const QString file = QStringLiteral("pictures/%1.png").arg(entry.id);
        if (!art.value(name).save(out.filePath(file), "PNG")) {
            return Fail(QStringLiteral("cannot write %1").arg(out.filePath(file)));
        }
        files << file;
        written << name;
    }
    for (const QString& name : art.keys()) {
        if (!written.contains(name)) {
            return Fail(QStringLiteral("art drawn for %1, which the catalogue lacks").arg(name));
        }
    }

    const QString licenceFile = QStringLiteral("texts/%1/%2")
                                    .arg(QString::fromLatin1(kLicenseTextType))
                                    .arg(kLicenseTextId);
    QFile::remove(out.filePath(licenceFile));
    if (!QFile::copy(args[2], out.filePath(licenceFile))) {
        return Fail(QStringLiteral("cannot copy the licence text %1").arg(args[2]));
    }
    files << licenceFile;

    // The resource list last: the build takes it as the sign that the whole
    // folder is written.
    QSaveFile qrc(out.filePath(QStringLiteral("kolmira_art.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return Fail(QStringLiteral("cannot write the resource list"));
    }
    QTextStream list(&qrc);
    list << "<RCC>\n  <qresource prefix=\"/\">\n";
    for (const QString& file : files) {
        list << "    <file>" << file << "</file>\n";
    }
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    if (!qrc.commit()) {
        return Fail(QStringLiteral("cannot write the resource list"));
    }

    // Optional pictures for a person to look at the art as the game shows it.
    constexpr int kMockupArg = 3;
    constexpr int kSheetArg = 4;
    if (args.size() > kSheetArg) {
        if (!WindowMockup(art).save(args[kMockupArg]) || !ContactSheet(art).save(args[kSheetArg])) {
            return Fail(QStringLiteral("cannot write the contact sheets"));
        }
    }
    return 0;
}

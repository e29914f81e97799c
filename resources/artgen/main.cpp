// Draws every picture of the game's catalogue and writes them, with the
// licence text, into the one block of built-in resources that the game links.

#include "ArtStyle.h"
#include "BundleWriter.h"
#include "ContactSheet.h"
#include "ControlArt.h"
#include "PieceArt.h"
#include "SidebarArt.h"
#include "TableArt.h"

#include "resources/PictureCatalogue.h"

#include <QFile>
#include <QGuiApplication>
#include <QSet>

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
        return Fail(QStringLiteral("usage: kolmira_artgen <resource block> <licence text> "
                                   "[<window mock-up png> <contact sheet png>]"));
    }
    if (!LoadArtFonts()) {
        return 1;
    }

    ArtSet art;
    AddPieceArt(art);
    AddSidebarArt(art);
    AddControlArt(art);
    AddTableArt(art);

    BundleWriter bundle;
    QSet<QString> written;
    for (const CatalogueEntry& entry : Catalogue()) {
        const QString name = QString::fromLatin1(entry.name);
        if (!art.contains(name)) {
            return Fail(QStringLiteral("no art drawn for %1").arg(name));
        }
        // Masks are grey: one byte a pixel is all they need.
        if (!bundle.AddPicture(entry.id, art.value(name), name.endsWith(QLatin1String("mask")))) {
            return Fail(QStringLiteral("the mask %1 is not grey").arg(name));
        }
        written << name;
    }
    for (const QString& name : art.keys()) {
        if (!written.contains(name)) {
            return Fail(QStringLiteral("art drawn for %1, which the catalogue lacks").arg(name));
        }
    }

    QFile licence(args[2]);
    if (!licence.open(QIODevice::ReadOnly)) {
        return Fail(QStringLiteral("cannot read the licence text %1").arg(args[2]));
    }
    bundle.AddText(kLicenseTextType, kLicenseTextId, licence.readAll());
    if (!bundle.Write(args[1])) {
        return Fail(QStringLiteral("cannot write %1").arg(args[1]));
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

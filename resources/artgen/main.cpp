// Draws every picture of the game's catalogue and writes them, with the
// licence text, into the one block of built-in resources that the game links.

#include "ArtStyle.h"
#include "BundleWriter.h"
#include "ContactSheet.h"
#include "ControlArt.h"
#include "PieceArt.h"
#include "SidebarArt.h"
#include "TableArt.h"

#include "platform/pictures/ResourceBundle.h"
#include "resources/PictureCatalogue.h"

#include <QFile>
#include <QGuiApplication>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct CatalogueEntry {
    const char* name;
    std::int32_t id;
    const char* partner = nullptr; // the mask of a masked picture
};

const std::vector<CatalogueEntry>& Catalogue()
{
#define KOLMIRA_PLAIN_ENTRY(name, id) {#name, id},
#define KOLMIRA_MASKED_ENTRY(name, id, partner) {#name, id, #partner},
    static const std::vector<CatalogueEntry> entries = {
        KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_PLAIN_ENTRY, KOLMIRA_MASKED_ENTRY)};
#undef KOLMIRA_PLAIN_ENTRY
#undef KOLMIRA_MASKED_ENTRY
    return entries;
}

const CatalogueEntry* EntryNamed(const char* name)
{
    const auto entry = std::find_if(Catalogue().begin(), Catalogue().end(),
                                    [name](const CatalogueEntry& e) { return std::strcmp(e.name, name) == 0; });
    return entry != Catalogue().end() ? &*entry : nullptr;
}

// What the first screen of a first run reads, in the order it is drawn: the
// table, the start pieces' composites, the sidebar with the help page, the
// tabs and the first puzzle's silhouette and card. Only the block's layout
// depends on this list: that art is placed first and together, so that the
// pages the system maps around what the first screen reads hold little else
// (see BundleWriter::PlaceFirst). A name missing here costs memory, never a
// picture; a name the catalogue lacks stops the build.
constexpr const char* kFirstScreenArt[] = {
    "tablebackground", "largetriangle8", "largetriangle2", "mediumtriangle6", "smalltriangle1",
    "rhombus4", "square1", "largetriangle1mask", "largetriangle5mask", "mediumtriangle2mask",
    "rhombus2mask", "smalltriangle1mask", "smalltriangle3mask", "square2mask",
    "sidebartopbackground", "puzzlecard", "cardlargetriangle1mask", "cardlargetriangle5mask",
    "cardmediumtriangle2mask", "cardrhombus2mask", "cardsmalltriangle1mask",
    "cardsmalltriangle3mask", "cardsquare2mask", "helptabbackground", "gethint",
    "sidebartab1deselected", "sidebartab2deselected", "sidebartab3"};

// Art drawn only by copying it into a canvas's buffer, whole or in part: it
// is kept as tiles (see BundleWriter::AddTiledPicture). The table's
// background is read whole by the first screen, and as tiles it keeps the
// game's peak memory within its limit (the figures: docs/art-path.md).
constexpr const char* kTiledArt[] = {"tablebackground", "puzzlecard"};

bool IsTiled(const QString& name)
{
    return std::any_of(std::begin(kTiledArt), std::end(kTiledArt),
                       [&name](const char* tiled) { return name == QLatin1String(tiled); });
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
        if (IsTiled(name)) {
            bundle.AddTiledPicture(entry.id, art.value(name));
        } else if (!bundle.AddPicture(entry.id, art.value(name), name.endsWith(QLatin1String("mask")))) {
            return Fail(QStringLiteral("the mask %1 is not grey").arg(name));
        }
        written << name;
    }
    // Masked pictures are drawn through their composite, made here once.
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.partner) {
            bundle.AddComposite(entry.id, art.value(QLatin1String(entry.name)), EntryNamed(entry.partner)->id,
                                art.value(QLatin1String(entry.partner)));
        }
    }
    for (const QString& name : art.keys()) {
        if (!written.contains(name)) {
            return Fail(QStringLiteral("art drawn for %1, which the catalogue lacks").arg(name));
        }
    }

    for (const char* name : kFirstScreenArt) {
        const CatalogueEntry* entry = EntryNamed(name);
        // A masked picture is drawn through its composite; its planes are not read.
        const bool placed = entry != nullptr
            && bundle.PlaceFirst(entry->partner ? platform::kBundleCompositeType : platform::kBundlePictureType,
                                 entry->id);
        if (!placed) {
            return Fail(QStringLiteral("no art named %1 to place first").arg(QLatin1String(name)));
        }
    }

    QFile licence(args[2]);
    if (!licence.open(QIODevice::ReadOnly)) {
        return Fail(QStringLiteral("cannot read the licence text %1").arg(args[2]));
    }
    bundle.AddText(kLicenseTextType, kLicenseTextId, licence.readAll());
    if (const QString fault = bundle.Write(args[1]); !fault.isEmpty()) {
        return Fail(fault);
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

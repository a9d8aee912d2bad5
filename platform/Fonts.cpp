#include "platform/Fonts.h"

#include <QFontDatabase>

#include <algorithm>

namespace platform {

namespace {

struct Candidate {
    const char* designed;
    const char* family;
    int stretch;
};

// In order of preference for each designed family. The Liberation families have the advance widths
// of the designed ones, so texts measure as the window was laid out. Debian's second Liberation
// release has no narrow family; condensed Liberation Sans then has Arial Narrow's widths (82 %).
constexpr Candidate Candidates[] = {
    {"Arial", "Liberation Sans", 100},
    {"Arial", "Arimo", 100},
    {"Arial Narrow", "Liberation Sans Narrow", 100},
    {"Arial Narrow", "Liberation Sans", 82},
    {"Arial Narrow", "Arimo", 82},
    {"Courier New", "Liberation Mono", 100},
    {"Courier New", "Cousine", 100},
    {"Courier", "Liberation Mono", 100},
    {"Courier", "Cousine", 100},
    {"Times New Roman", "Liberation Serif", 100},
    {"Times New Roman", "Tinos", 100},
    {"MS Sans Serif", "Liberation Sans", 100},
    {"MS Sans Serif", "Arimo", 100},
};

bool containsFamily(const QStringList& families, const QString& family) {
    return families.contains(family, Qt::CaseInsensitive);
}

} // namespace

QList<FontSubstitute> designedFontSubstitutes(const QStringList& installedFamilies) {
    QList<FontSubstitute> result;
    for (const Candidate& c : Candidates) {
        const QString designed = QString::fromLatin1(c.designed);
        if (containsFamily(installedFamilies, designed))
            continue;
        const bool taken = std::any_of(result.cbegin(), result.cend(),
                                       [&](const FontSubstitute& s) { return s.Designed == designed; });
        if (taken || !containsFamily(installedFamilies, QString::fromLatin1(c.family)))
            continue;
        result.append({designed, QString::fromLatin1(c.family), c.stretch});
    }
    return result;
}

namespace {

QList<FontSubstitute>& installedSubstitutes() {
    static QList<FontSubstitute> substitutes;
    return substitutes;
}

} // namespace

void installDesignedFonts() {
    QList<FontSubstitute>& substitutes = installedSubstitutes();
    substitutes = designedFontSubstitutes(QFontDatabase::families());
    for (const FontSubstitute& s : substitutes) {
        QFont::removeSubstitutions(s.Designed);
        QFont::insertSubstitution(s.Designed, s.Family);
    }
}

QFont designedFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    for (const FontSubstitute& s : installedSubstitutes()) {
        if (s.Designed.compare(family, Qt::CaseInsensitive) != 0)
            continue;
        // The substitute is named directly: a stretched substitute must not be mistaken for the
        // designed family by the font system's own matching.
        font.setFamily(s.Family);
        if (s.Stretch != 100)
            font.setStretch(s.Stretch);
        break;
    }
    return font;
}

} // namespace platform

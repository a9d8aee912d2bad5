#pragma once

#include "sortgrid/SortGridTypes.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

/// The parts of the locale that the sort conversions read: decimal separator, date order and
/// separators. Taken once per sort (or per detection) from the default locale.
struct SortLocale {
    /// Order of day, month and year in a date text.
    enum class DateOrder { DMY, MDY, YMD };

    QChar DecimalSeparator = u',';
    QChar DateSeparator = u'.';
    QChar TimeSeparator = u':';
    DateOrder Order = DateOrder::DMY;
    /// The year a date without a year gets; also the centre of the two-digit year window.
    int CurrentYear = 2000;

    /// The settings of the default locale (`QLocale()`), with today's year.
    static SortLocale FromDefault();
};

/// Text to floating point: optional blanks, sign, digits with the locale's decimal separator,
/// optional exponent, optional blanks. No group separators, no "nan" or "inf".
bool TextToFloat(QStringView s, const SortLocale& loc, double& value);
/// Text to a time of day in milliseconds: h:m, h:m:s or h:m:s followed by the decimal separator
/// (or '.') and up to three digits, optionally "AM"/"PM"; surrounding blanks allowed.
bool TextToTime(QStringView s, const SortLocale& loc, double& ms);
/// Text to a point in time in milliseconds: a date in the locale's order (the year may be left out
/// or written with two digits), optionally followed by a blank and a time; or a time alone, which
/// lies on the zero day (30 Dec 1899) like a date-time value without a date.
bool TextToDateTime(QStringView s, const SortLocale& loc, double& ms);
/// Text to a 32-bit integer: optional blanks, sign and decimal digits, optional blanks.
bool TextToInt(QStringView s, int32_t& value);

/// Maps the letters A-Z to a-z and leaves every other character alone (also letters with
/// diacritics), as the case-insensitive sort does.
QString LowerAsciiLetters(const QString& s);

/// Compares two texts character by character by their UTF-16 code units, up to the first
/// difference; a shorter text that is a prefix of the other comes first, and a text ends at its
/// first zero character. For the characters of Latin-1 this is the order of their single bytes, so
/// 'Abc' < 'abc', 'ab' < 'abc' and 'Ä' (196) > 'z'. Returns the difference of the first differing
/// code units (the end counting as 0).
int CompareText(QStringView S1, QStringView S2);
/// Numeric order when both texts convert with `TextToFloat`, else `CompareText`: −1, 0 or 1.
int CompareNumeric(const QString& S1, const QString& S2, const SortLocale& loc);
/// Order in time when both texts convert with `TextToDateTime`, else `CompareText`.
int CompareDateTime(const QString& S1, const QString& S2, const SortLocale& loc);
/// Order of the time of day when both texts convert with `TextToTime`, else `CompareText`.
int CompareTime(const QString& S1, const QString& S2, const SortLocale& loc);
/// Compares texts that mix digits with other characters ('12 km/h' against '9 km/h') by the
/// numbers left after dropping the characters they share; equal numbers written differently
/// ('07', '7') compare equal. An empty text comes first.
int CompareNumericExtended(const QString& S1, const QString& S2);

/// Comparison style, direction and case rule of one sort key, with the keys of every row of the
/// key column computed once: the case-mapped texts side by side in one buffer, their first code
/// units packed into two numbers for quick text comparisons, and the converted values for the
/// numeric, date-time and time styles. Compares rows by their index in the key list.
class SortKeyColumn {
public:
    /// Computes the keys of `texts` (one per row; null stands for an empty text) for `style`. The
    /// texts are read during construction only.
    SortKeyColumn(const std::vector<const QString*>& texts, TSortStyle style, TSortDirection direction,
                  bool caseSensitive, TCustomCompare custom, const SortLocale& loc);

    /// The same for texts held in a list.
    SortKeyColumn(const std::vector<QString>& texts, TSortStyle style, TSortDirection direction,
                  bool caseSensitive, TCustomCompare custom, const SortLocale& loc);

    /// The style's comparison of rows a and b, without the direction: negative, 0 or positive.
    int CompareRows(int32_t a, int32_t b) const;
    /// The comparison with the direction applied (0 stays 0).
    int CompareDirected(int32_t a, int32_t b) const {
        const int r = CompareRows(a, b);
        return m_descending ? -r : r;
    }

private:
    /// The first code units of a text: 16 of them as bytes when every text of the column is
    /// Latin-1, else 8 as 16-bit units; big end first, padded with zeros like the end of a text.
    struct Prefix {
        uint64_t hi = 0;
        uint64_t lo = 0;
    };

    int CompareTexts(int32_t a, int32_t b) const;
    QStringView KeyView(int32_t row) const {
        return QStringView(m_chars.data() + m_start[size_t(row)],
                           m_start[size_t(row) + 1] - m_start[size_t(row)]);
    }

    TSortStyle m_style;
    bool m_descending;
    TCustomCompare m_custom;
    /// Code units a prefix holds (16 or 8).
    qsizetype m_prefixUnits = 16;
    std::vector<char16_t> m_chars;
    std::vector<uint32_t> m_start;
    std::vector<Prefix> m_prefix;
    /// The texts as QStrings, for the styles that compare with QString functions.
    std::vector<QString> m_texts;
    std::vector<double> m_values;
    std::vector<uint8_t> m_ok;
};

/// Sorts the row indices 0 .. n − 1 by the keys, most significant first, and ties by their index,
/// so equal rows keep their order. Returns the new order: entry p is the row that goes to position p.
std::vector<int32_t> SortRowOrder(int32_t n, const std::vector<const SortKeyColumn*>& keys);

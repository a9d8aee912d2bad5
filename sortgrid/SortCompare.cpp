#include "sortgrid/SortCompare.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

QStringView Trimmed(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].isSpace())
        ++b;
    while (e > b && s[e - 1].isSpace())
        --e;
    return s.mid(b, e - b);
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads 1..maxDigits decimal digits at pos.
bool ReadNumber(QStringView s, qsizetype& pos, int maxDigits, int& value, int* digits = nullptr) {
    int n = 0;
    value = 0;
    while (pos < s.size() && IsDigit(s[pos]) && n < maxDigits) {
        value = value * 10 + (s[pos].unicode() - u'0');
        ++pos;
        ++n;
    }
    if (digits)
        *digits = n;
    return n > 0;
}

// The day count a date without a date part has: 30 Dec 1899, the zero of date-time values.
const qint64 kZeroDay = QDate(1899, 12, 30).toJulianDay();
constexpr double kMsPerDay = 86400000.0;

bool ParseTime(QStringView s, const SortLocale& loc, double& ms) {
    qsizetype pos = 0;
    int h = 0, m = 0, sec = 0, msec = 0;
    if (!ReadNumber(s, pos, 2, h) || pos >= s.size() || s[pos] != loc.TimeSeparator)
        return false;
    ++pos;
    if (!ReadNumber(s, pos, 2, m))
        return false;
    if (pos < s.size() && s[pos] == loc.TimeSeparator) {
        ++pos;
        if (!ReadNumber(s, pos, 2, sec))
            return false;
        if (pos < s.size() && (s[pos] == loc.DecimalSeparator || s[pos] == u'.')) {
            ++pos;
            int digits = 0;
            if (!ReadNumber(s, pos, 3, msec, &digits))
                return false;
            for (; digits < 3; ++digits)
                msec *= 10;
        }
    }
    while (pos < s.size() && s[pos].isSpace())
        ++pos;
    if (pos < s.size()) {
        const QStringView rest = s.mid(pos);
        const bool am = rest.compare(u"AM", Qt::CaseInsensitive) == 0;
        const bool pm = rest.compare(u"PM", Qt::CaseInsensitive) == 0;
        if (!am && !pm)
            return false;
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (pm ? 12 : 0);
    }
    if (h > 23 || m > 59 || sec > 59)
        return false;
    ms = ((h * 60.0 + m) * 60.0 + sec) * 1000.0 + msec;
    return true;
}

int WindowedYear(int y, int currentYear) {
    int full = y + (currentYear / 100) * 100;
    if (full > currentYear + 49)
        full -= 100;
    else if (full < currentYear - 50)
        full += 100;
    return full;
}

// A date in the locale's order; the whole of s must be used.
bool ParseDate(QStringView s, const SortLocale& loc, qint64& julianDay) {
    int part[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    qsizetype pos = 0;
    while (count < 3) {
        if (!ReadNumber(s, pos, 4, part[count], &digits[count]))
            return false;
        ++count;
        if (pos >= s.size())
            break;
        if (s[pos] != loc.DateSeparator)
            return false;
        ++pos;
        // A trailing separator ("24.12.") ends the date.
        if (pos >= s.size() && count >= 2)
            break;
    }
    if (pos < s.size() || count < 2)
        return false;
    int d = 0, m = 0, y = loc.CurrentYear, yDigits = 4;
    if (count == 2) {
        if (loc.Order == SortLocale::DateOrder::DMY) {
            d = part[0];
            m = part[1];
        } else {
            m = part[0];
            d = part[1];
        }
    } else {
        switch (loc.Order) {
        case SortLocale::DateOrder::DMY:
            d = part[0], m = part[1], y = part[2], yDigits = digits[2];
            break;
        case SortLocale::DateOrder::MDY:
            m = part[0], d = part[1], y = part[2], yDigits = digits[2];
            break;
        case SortLocale::DateOrder::YMD:
            y = part[0], m = part[1], d = part[2], yDigits = digits[0];
            break;
        }
        if (yDigits <= 2)
            y = WindowedYear(y, loc.CurrentYear);
    }
    const QDate date(y, m, d);
    if (!date.isValid())
        return false;
    julianDay = date.toJulianDay();
    return true;
}

} // namespace

SortLocale SortLocale::FromDefault() {
    const QLocale loc;
    SortLocale out;
    const QString dec = loc.decimalPoint();
    if (!dec.isEmpty())
        out.DecimalSeparator = dec.at(0);
    const QString df = loc.dateFormat(QLocale::ShortFormat);
    for (QChar c : df)
        if (!c.isLetter() && !c.isSpace()) {
            out.DateSeparator = c;
            break;
        }
    const qsizetype d = df.indexOf(u'd'), m = df.indexOf(u'M'), y = df.indexOf(u'y');
    if (y >= 0 && d >= 0 && m >= 0) {
        if (y < m && m < d)
            out.Order = DateOrder::YMD;
        else if (m < d)
            out.Order = DateOrder::MDY;
        else
            out.Order = DateOrder::DMY;
    }
    const QString tf = loc.timeFormat(QLocale::ShortFormat);
    for (QChar c : tf)
        if (!c.isLetter() && !c.isSpace()) {
            out.TimeSeparator = c;
            break;
        }
    out.CurrentYear = QDate::currentDate().year();
    return out;
}

bool TextToFloat(QStringView s, const SortLocale& loc, double& value) {
    s = Trimmed(s);
    char buf[72];
    qsizetype n = 0;
    qsizetype pos = 0;
    if (s.isEmpty() || s.size() > 64)
        return false;
    if (s[0] == u'+')
        ++pos;
    else if (s[0] == u'-')
        buf[n++] = '-', ++pos;
    int mantissaDigits = 0;
    while (pos < s.size() && IsDigit(s[pos]))
        buf[n++] = char(s[pos++].unicode()), ++mantissaDigits;
    if (pos < s.size() && s[pos] == loc.DecimalSeparator) {
        buf[n++] = '.';
        ++pos;
        while (pos < s.size() && IsDigit(s[pos]))
            buf[n++] = char(s[pos++].unicode()), ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (pos < s.size() && (s[pos] == u'e' || s[pos] == u'E')) {
        buf[n++] = 'e';
        ++pos;
        if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-'))
            buf[n++] = char(s[pos++].unicode());
        int expDigits = 0;
        while (pos < s.size() && IsDigit(s[pos]))
            buf[n++] = char(s[pos++].unicode()), ++expDigits;
        if (expDigits == 0)
            return false;
    }
    if (pos != s.size())
        return false;
    double v = 0;
    const auto res = std::from_chars(buf, buf + n, v);
    if (res.ec != std::errc() || res.ptr != buf + n || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool TextToTime(QStringView s, const SortLocale& loc, double& ms) {
    return ParseTime(Trimmed(s), loc, ms);
}

bool TextToDateTime(QStringView s, const SortLocale& loc, double& ms) {
    s = Trimmed(s);
    qint64 day = 0;
    if (ParseDate(s, loc, day)) {
        ms = double(day - kZeroDay) * kMsPerDay;
        return true;
    }
    qsizetype blank = 0;
    while (blank < s.size() && !s[blank].isSpace())
        ++blank;
    if (blank < s.size() && ParseDate(s.left(blank), loc, day)) {
        double t = 0;
        if (!ParseTime(Trimmed(s.mid(blank)), loc, t))
            return false;
        ms = double(day - kZeroDay) * kMsPerDay + t;
        return true;
    }
    double t = 0;
    if (!ParseTime(s, loc, t))
        return false;
    ms = t;
    return true;
}

bool TextToInt(QStringView s, int32_t& value) {
    s = Trimmed(s);
    qsizetype pos = 0;
    bool negative = false;
    if (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-')) {
        negative = s[0] == u'-';
        ++pos;
    }
    if (pos >= s.size())
        return false;
    qint64 v = 0;
    for (; pos < s.size(); ++pos) {
        if (!IsDigit(s[pos]))
            return false;
        v = v * 10 + (s[pos].unicode() - u'0');
        if (v > qint64(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    value = int32_t(v);
    return true;
}

QString LowerAsciiLetters(const QString& s) {
    const QChar* p = s.constData();
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && !(p[i] >= u'A' && p[i] <= u'Z'))
        ++i;
    if (i == n)
        return s;
    QString out = s;
    QChar* q = out.data();
    for (; i < n; ++i)
        if (q[i] >= u'A' && q[i] <= u'Z')
            q[i] = QChar(q[i].unicode() + 32);
    return out;
}

int CompareText(QStringView S1, QStringView S2) {
    const qsizetype n = std::min(S1.size(), S2.size());
    const char16_t* a = S1.utf16();
    const char16_t* b = S2.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i] || a[i] == 0)
            return int(a[i]) - int(b[i]);
    }
    const int ca = S1.size() > n ? int(a[n]) : 0;
    const int cb = S2.size() > n ? int(b[n]) : 0;
    return ca - cb;
}

namespace {

int Sign(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

template <typename Convert> int CompareConverted(const QString& S1, const QString& S2, Convert convert) {
    double a = 0, b = 0;
    if (convert(S1, a) && convert(S2, b))
        return Sign(a, b);
    return CompareText(S1, S2);
}

} // namespace

int CompareNumeric(const QString& S1, const QString& S2, const SortLocale& loc) {
    return CompareConverted(S1, S2, [&](const QString& s, double& v) { return TextToFloat(s, loc, v); });
}

int CompareDateTime(const QString& S1, const QString& S2, const SortLocale& loc) {
    return CompareConverted(S1, S2, [&](const QString& s, double& v) { return TextToDateTime(s, loc, v); });
}

int CompareTime(const QString& S1, const QString& S2, const SortLocale& loc) {
    return CompareConverted(S1, S2, [&](const QString& s, double& v) { return TextToTime(s, loc, v); });
}

int CompareNumericExtended(const QString& S1, const QString& S2) {
    if (S1.isEmpty() || S2.isEmpty())
        return S1.isEmpty() ? (S2.isEmpty() ? 0 : -1) : 1;
    // Drop the characters both texts share at the same place, unless they are digits; the last
    // place of the shorter text takes the rest of both texts.
    const qsizetype n = std::min(S1.size(), S2.size());
    QString A, B;
    for (qsizetype i = 0; i < n; ++i) {
        if (S1[i] == S2[i] && !IsDigit(S1[i]))
            continue;
        if (i == n - 1) {
            A += S1.mid(i);
            B += S2.mid(i);
        } else {
            A += S1[i];
            B += S2[i];
        }
    }
    // Then a shared non-digit tail, compared on the texts as they were after the first step.
    const QString A0 = A, B0 = B;
    const qsizetype m = std::min(A0.size(), B0.size());
    for (qsizetype j = 0; j < m; ++j) {
        const QChar ca = A0[A0.size() - 1 - j];
        if (ca == B0[B0.size() - 1 - j] && !IsDigit(ca)) {
            A.chop(1);
            B.chop(1);
        }
    }
    if (A == B)
        return 0;
    int32_t a = 0, b = 0;
    if (TextToInt(A, a) && TextToInt(B, b))
        return a < b ? -1 : (a > b ? 1 : 0);
    return CompareText(A, B);
}

// --- precomputed keys ------------------------------------------------------------------------

namespace {

// A text as the sort sees it: case-mapped when asked, and ending at its first zero character.
QString KeyText(const QString& s, bool caseSensitive) {
    QString t = caseSensitive ? s : LowerAsciiLetters(s);
    const qsizetype zero = t.indexOf(QChar(0));
    if (zero >= 0)
        t.truncate(zero);
    return t;
}

const QString kNoText;

} // namespace

SortKeyColumn::SortKeyColumn(const std::vector<const QString*>& texts, TSortStyle style,
                             TSortDirection direction, bool caseSensitive, TCustomCompare custom,
                             const SortLocale& loc)
    : m_style(style), m_descending(direction == sdDescending), m_custom(std::move(custom)) {
    // A custom style without a function compares as text.
    if (m_style == ssCustom && !m_custom)
        m_style = ssNormal;
    const size_t n = texts.size();
    if (m_style == ssCustom || m_style == ssNumericExtended) {
        // These compare QStrings; the copies share the grid's texts where the case mapping changes
        // nothing.
        m_texts.reserve(n);
        for (const QString* s : texts)
            m_texts.push_back(KeyText(s ? *s : kNoText, caseSensitive));
        return;
    }

    // The case-mapped texts, cut at their first zero, one after the other in one buffer: the
    // comparisons then read neighbouring memory instead of a hundred thousand separate strings.
    // The grid's texts lie all over the heap; the loop loads them some rows ahead.
    constexpr size_t Ahead = 8;
    m_chars.reserve(n * 12);
    m_start.resize(n + 1);
    char16_t orAll = 0;
    for (size_t i = 0; i < n; ++i) {
        if (i + 2 * Ahead < n && texts[i + 2 * Ahead])
            __builtin_prefetch(texts[i + 2 * Ahead]);
        if (i + Ahead < n && texts[i + Ahead])
            __builtin_prefetch(texts[i + Ahead]->constData());
        m_start[i] = uint32_t(m_chars.size());
        if (!texts[i])
            continue;
        const auto* p = reinterpret_cast<const char16_t*>(texts[i]->constData());
        const size_t len = size_t(texts[i]->size());
        const size_t at = m_chars.size();
        m_chars.resize(at + len);
        char16_t* out = m_chars.data() + at;
        size_t used = 0;
        for (; used < len && p[used] != 0; ++used) {
            char16_t c = p[used];
            if (!caseSensitive && c >= u'A' && c <= u'Z')
                c = char16_t(c + 32);
            orAll |= c;
            out[used] = c;
        }
        m_chars.resize(at + used);
    }
    m_start[n] = uint32_t(m_chars.size());

    // Packed first code units: bytes when every code unit of the column fits in one.
    const bool narrow = orAll < 0x100;
    m_prefixUnits = narrow ? 16 : 8;
    const int bits = narrow ? 8 : 16;
    const qsizetype half = m_prefixUnits / 2;
    m_prefix.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const QStringView t = KeyView(int32_t(i));
        Prefix& pre = m_prefix[i];
        for (qsizetype k = 0; k < half; ++k)
            pre.hi = (pre.hi << bits) | (k < t.size() ? t[k].unicode() : 0u);
        for (qsizetype k = half; k < m_prefixUnits; ++k)
            pre.lo = (pre.lo << bits) | (k < t.size() ? t[k].unicode() : 0u);
    }

    bool (*convert)(QStringView, const SortLocale&, double&) = nullptr;
    if (m_style == ssNumeric)
        convert = TextToFloat;
    else if (m_style == ssDateTime)
        convert = TextToDateTime;
    else if (m_style == ssTime)
        convert = TextToTime;
    if (convert) {
        m_values.resize(n);
        m_ok.resize(n);
        for (size_t i = 0; i < n; ++i)
            m_ok[i] = convert(KeyView(int32_t(i)), loc, m_values[i]) ? 1 : 0;
    }
}

namespace {

std::vector<const QString*> Addresses(const std::vector<QString>& texts) {
    std::vector<const QString*> out;
    out.reserve(texts.size());
    for (const QString& s : texts)
        out.push_back(&s);
    return out;
}

} // namespace

SortKeyColumn::SortKeyColumn(const std::vector<QString>& texts, TSortStyle style, TSortDirection direction,
                             bool caseSensitive, TCustomCompare custom, const SortLocale& loc)
    : SortKeyColumn(Addresses(texts), style, direction, caseSensitive, std::move(custom), loc) {}

int SortKeyColumn::CompareTexts(int32_t a, int32_t b) const {
    const Prefix& pa = m_prefix[size_t(a)];
    const Prefix& pb = m_prefix[size_t(b)];
    if (pa.hi != pb.hi)
        return pa.hi < pb.hi ? -1 : 1;
    if (pa.lo != pb.lo)
        return pa.lo < pb.lo ? -1 : 1;
    // The same first code units. A text shorter than the prefix ends there, with zeros in its
    // prefix, so the other one ends at the same place: both are equal. Otherwise the rest decides.
    const QStringView ta = KeyView(a), tb = KeyView(b);
    if (ta.size() <= m_prefixUnits && tb.size() <= m_prefixUnits)
        return 0;
    return CompareText(ta.mid(m_prefixUnits), tb.mid(m_prefixUnits));
}

int SortKeyColumn::CompareRows(int32_t a, int32_t b) const {
    switch (m_style) {
    case ssNumeric:
    case ssDateTime:
    case ssTime:
        if (m_ok[size_t(a)] && m_ok[size_t(b)])
            return Sign(m_values[size_t(a)], m_values[size_t(b)]);
        return CompareTexts(a, b);
    case ssNumericExtended:
        return CompareNumericExtended(m_texts[size_t(a)], m_texts[size_t(b)]);
    case ssCustom:
        return m_custom(m_texts[size_t(a)], m_texts[size_t(b)]);
    case ssAutomatic:
    case ssNormal:
        break;
    }
    return CompareTexts(a, b);
}

std::vector<int32_t> SortRowOrder(int32_t n, const std::vector<const SortKeyColumn*>& keys) {
    std::vector<int32_t> order(size_t(std::max(n, 0)));
    for (int32_t i = 0; i < n; ++i)
        order[size_t(i)] = i;
    // One sort on all keys at once gives what sorting stably key by key, least significant first,
    // gives. A stable merge sort, because mixed numeric and text cells do not always compare
    // transitively, and a quicksort may then run past its range.
    std::stable_sort(order.begin(), order.end(), [&keys](int32_t a, int32_t b) {
        for (const SortKeyColumn* k : keys) {
            const int r = k->CompareDirected(a, b);
            if (r != 0)
                return r < 0;
        }
        return a < b;
    });
    return order;
}

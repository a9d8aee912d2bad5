#include "sortgrid/ColorText.h"

#include "sortgrid/EConvertError.h"

#include <array>

namespace {

struct NamedColor {
    TColor value;
    const char* name;
};

constexpr std::array<NamedColor, 24> kNames{{
    {clBlack, "clBlack"},         {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},         {clOlive, "clOlive"},
    {clNavy, "clNavy"},           {clPurple, "clPurple"},
    {clTeal, "clTeal"},           {clGray, "clGray"},
    {clSilver, "clSilver"},       {clRed, "clRed"},
    {clLime, "clLime"},           {clYellow, "clYellow"},
    {clBlue, "clBlue"},           {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},           {clWhite, "clWhite"},
    {clBtnFace, "clBtnFace"},     {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},     {clBtnHighlight, "clBtnHighlight"},
    {clWindow, "clWindow"},       {clWindowText, "clWindowText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
}};

} // namespace

QString ColorToString(TColor Color) {
    for (const NamedColor& n : kNames)
        if (n.value == Color)
            return QString::fromLatin1(n.name);
    return QStringLiteral("$%1").arg(Color, 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString& S) {
    for (const NamedColor& n : kNames)
        if (S.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.value;

    bool ok = false;
    qint64 v = 0;
    if (S.startsWith(u'$'))
        v = S.mid(1).toLongLong(&ok, 16);
    else if (S.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = S.mid(2).toLongLong(&ok, 16);
    else
        v = S.toLongLong(&ok, 10);
    // Hex digits after a sign would be accepted by toLongLong; a colour text never carries one there.
    if (ok && (S.startsWith(u'$') || S.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) &&
        (S.contains(u'-') || S.contains(u'+')))
        ok = false;
    if (!ok || v < INT32_MIN || v > UINT32_MAX)
        throw EConvertError(QStringLiteral("'%1' is not a valid colour value").arg(S));
    return TColor(uint32_t(v));
}

#include "sortgrid/TFontSetting.h"

#include "core/CommaText.h"
#include "sortgrid/ColorText.h"
#include "sortgrid/EConvertError.h"

namespace {
QString flag(bool v) {
    return v ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

QString TFontSetting::Text() const {
    return ToCommaText({ColorToString(m_fontColor), flag(m_bold), flag(m_italic), flag(m_underline),
                        ColorToString(m_backColor)});
}

void TFontSetting::setText(const QString& text) {
    const QStringList items = ParseCommaText(text);
    if (items.size() < 5)
        throw EConvertError(QStringLiteral("'%1' is not a valid format setting").arg(text));
    // Convert everything first so that a bad colour leaves the setting as it was.
    const TColor font = StringToColor(items[0]);
    const TColor back = StringToColor(items[4]);
    m_fontColor = font;
    m_bold = items[1] == QLatin1String("1");
    m_italic = items[2] == QLatin1String("1");
    m_underline = items[3] == QLatin1String("1");
    m_backColor = back;
    m_active = false;
}

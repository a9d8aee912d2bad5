#pragma once

#include "core/Colors.h"

#include <QString>

/// The colours and style flags of one column or row of the protocol grid. A setting only counts in
/// drawing while `Active` is set.
class TFontSetting {
public:
    /// Text colour.
    TColor FontColor() const { return m_fontColor; }
    /// Sets the text colour.
    void setFontColor(TColor c) { m_fontColor = c; }
    /// Background colour.
    TColor BackColor() const { return m_backColor; }
    /// Sets the background colour.
    void setBackColor(TColor c) { m_backColor = c; }
    /// Bold text.
    bool Bold() const { return m_bold; }
    /// Sets bold text.
    void setBold(bool v) { m_bold = v; }
    /// Italic text.
    bool Italic() const { return m_italic; }
    /// Sets italic text.
    void setItalic(bool v) { m_italic = v; }
    /// Underlined text.
    bool Underline() const { return m_underline; }
    /// Sets underlined text.
    void setUnderline(bool v) { m_underline = v; }
    /// True when the setting takes effect in drawing.
    bool Active() const { return m_active; }
    /// Switches the setting on or off for drawing.
    void setActive(bool v) { m_active = v; }

    /// The comma text of font colour, Bold, Italic, Underline ("1"/"0") and back colour, as the
    /// protocol file stores it; `Active` is not part of it.
    QString Text() const;
    /// Reads the five items of `Text()` back; `Active` becomes false. A text with fewer than five items
    /// or an unreadable colour raises an exception and leaves the setting unchanged.
    void setText(const QString& text);

    friend bool operator==(const TFontSetting&, const TFontSetting&) = default;

private:
    TColor m_fontColor = clBlack;
    TColor m_backColor = clBlack;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_active = false;
};

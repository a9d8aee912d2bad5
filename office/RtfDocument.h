#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

/// The document behind the word-processor server: an RTF template with text inserted at the start
/// of its body, where a freshly opened document has its cursor. The inserted text is kept as
/// paragraphs and tables; the cursor stays at the end of what was inserted. Saving writes the
/// template's header, the inserted paragraphs and tables, and the rest of the template.
class RtfDocument {
public:
    /// A paragraph, or a table with its rows of cell texts.
    struct Block {
        bool isTable = false;
        QString text;                  ///< the paragraph's text
        std::vector<QStringList> rows; ///< the table's rows, each with the table's column count
    };

    /// An empty document with a plain header (A4, Arial 10 pt).
    RtfDocument();

    /// Replaces the document by the RTF template `rtf`. Returns an empty text, or why it is no RTF
    /// document (the document then stays as it was).
    QString Load(const QByteArray& rtf);

    /// Inserts `text` at the cursor; CR LF, CR and LF end paragraphs. Clears the selection.
    void Insert(const QString& text);

    /// Moves the cursor `count` lines up (a table row is a line). With `extend` the selection then
    /// reaches from the line the cursor lands on to the end of the inserted text; without it the
    /// selection is cleared and the next insertion still goes to the end.
    void LineUp(int count, bool extend);

    /// True when text is selected.
    bool HasSelection() const { return m_selFirst >= 0; }

    /// Turns the selected paragraphs into a table of `numColumns` columns (less than 1: as many as the
    /// widest line has fields). `convertFrom` names the field separator: 0 paragraph marks (one cell
    /// per paragraph), 1 tabs, 2 commas. A field enclosed in double quotes keeps its separators and line
    /// breaks, and its doubled quotes become one; a line with more fields than columns continues on
    /// the next row. Returns an empty text, or why nothing was converted.
    QString TextToTable(int convertFrom, int numColumns);

    /// The inserted paragraphs and tables, in order; an unfinished last paragraph is `Tail()`.
    const std::vector<Block>& Blocks() const { return m_blocks; }
    /// The text after the last paragraph mark inserted.
    const QString& Tail() const { return m_tail; }

    /// The whole document as RTF.
    QByteArray ToRtf() const;

    /// `text` as RTF: special characters escaped, tabs and line breaks as control words, characters
    /// beyond ASCII as Unicode escapes with a Windows-1252 fallback.
    static QByteArray Escape(const QString& text);

private:
    int lineCount() const;
    QByteArray tableRtf(const Block& table) const;
    int textWidthTwips() const;

    QByteArray m_prefix; // the template up to the insertion point
    QByteArray m_suffix; // the template from the insertion point on
    bool m_suffixHasBody = false;
    std::vector<Block> m_blocks;
    QString m_tail;
    int m_selFirst = -1; // first selected block; the selection runs to the tail
};

} // namespace platform

#include "platform/TextFile.h"

#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows leaves undefined map to the C1
// control of the same value, so every byte reads and writes back unchanged.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of a character, or -1 when Windows-1252 has none.
int ToWindows1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[size_t(i)] == c)
            return 0x80 + i;
    return -1;
}

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// True when reading `bytes` back would take them for UTF-8 (see DecodeTextFile). UTF-8 sequences
// consist of bytes from 0x80 on only, so the bytes are valid exactly when every run of such bytes
// is; a run that is not decides it at once, which for Windows-1252 text is nearly always the first.
bool ReadsAsUtf8(const QByteArray& bytes) {
    const char* d = bytes.constData();
    const qsizetype n = bytes.size();
    bool high = false;
    for (qsizetype i = 0; i < n;) {
        if (uchar(d[i]) < 0x80) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && uchar(d[end]) >= 0x80)
            ++end;
        // The same two checks as reading makes.
        const QByteArrayView run(d + i, end - i);
        if (!run.isValidUtf8())
            return false;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(run); // decoding is lazy until here
        if (utf8.hasError())
            return false;
        high = true;
        i = end;
    }
    return high;
}

QByteArray EncodeUtf8(const QString& text, TextFileKind kind) {
    QByteArray utf8 = text.toUtf8();
    // A text that itself starts with a byte-order mark keeps it only behind a second one, as
    // reading drops the first.
    if (kind == TextFileKind::Csv || text.startsWith(QChar(0xFEFF)))
        utf8.prepend(kUtf8Bom);
    return utf8;
}

QString WriteFailureText(const QString& fileName, int errorNumber, const QString& qtText) {
    const QFileInfo info(fileName);
    if (errorNumber == ENOENT && !info.absoluteDir().exists())
        return QCoreApplication::translate("FileErrors", "Der Ordner %1 existiert nicht.")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    if (errorNumber != 0)
        return errorText(errorNumber);
    // Refused by Qt itself, without a system call that failed.
    if (info.exists() && !info.isWritable())
        return errorText(EACCES);
    return QCoreApplication::translate("FileErrors", "Unbekannter Fehler (%1).").arg(qtText);
}

} // namespace

bool FitsWindows1252(const QString& text) {
    for (QChar ch : text)
        if (ch.unicode() >= 0x80 && ToWindows1252(ch.unicode()) < 0)
            return false;
    return true;
}

QByteArray EncodeTextFile(const QString& text, TextFileKind kind) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    for (QChar ch : text) {
        const int b = ToWindows1252(ch.unicode());
        if (b < 0)
            return EncodeUtf8(text, kind);
        *p++ = char(b);
    }
    // Rare Windows-1252 texts ("Ã¤") are also valid UTF-8 and would read back as something else;
    // those are written as UTF-8.
    if (ReadsAsUtf8(out))
        return EncodeUtf8(text, kind);
    return out;
}

QString DecodeTextFile(const QByteArray& bytes) {
    // Checking first stops at the first byte that is not UTF-8 (in a Windows file, usually the first
    // umlaut) instead of decoding the whole file in vain.
    if (bytes.isValidUtf8()) {
        // The decoder would drop a leading byte-order mark on its own; it is dropped below, once.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            return text;
        }
    }
    // Latin-1 agrees with Windows-1252 but for 0x80..0x9F: convert all bytes at once, then mend those.
    QString text = QString::fromLatin1(bytes);
    QChar* out = text.data();
    const char* in = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // Eight plain ASCII bytes at a time are skipped: such a file is mostly ASCII.
        if (i + 8 <= n) {
            uint64_t word;
            std::memcpy(&word, in + i, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const auto b = uchar(in[i]);
        if (b >= 0x80 && b < 0xA0)
            out[i] = QChar(kHigh[b - 0x80]);
        ++i;
    }
    return text;
}

bool WriteTextFile(const QString& fileName, const QString& text, TextFileKind kind, QString* error) {
    const QByteArray bytes = EncodeTextFile(text, kind);
    QSaveFile f(fileName);
    // The system's error number is taken right after the call that failed; Qt's own text for it
    // is English and often just "Unknown error".
    auto fail = [&](int errorNumber) {
        if (error)
            *error = WriteFailureText(fileName, errorNumber, f.errorString());
        f.cancelWriting();
        return false;
    };
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        return fail(errno);
    // commit() does not notice a failed write of the buffered data (Qt 6.4) and would replace the
    // old file with a cut-off one, so flush first and look at the result.
    errno = 0;
    if (f.write(bytes) != bytes.size() || !f.flush())
        return fail(errno);
    errno = 0;
    if (!f.commit())
        return fail(errno);
    return true;
}

std::optional<QString> ReadTextFile(const QString& fileName, QString* error) {
    // A FIFO named like a protocol would otherwise hold the window until some writer appears.
    FileReadResult read = ReadRegularFile(fileName, MaxTextFileSize);
    if (read.Status != FileReadStatus::Read) {
        if (error)
            *error = read.Error;
        return std::nullopt;
    }
    return DecodeTextFile(read.Bytes);
}

} // namespace platform

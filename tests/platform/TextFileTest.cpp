#include "platform/TextFile.h"
#include "Fifo.h"
#include "FileBytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace platform;

TEST(TextFileEncoding, TextThatFitsIsWrittenAsWindows1252Bytes) {
    const QString text = QStringLiteral("Müller;Größe €5 „Zeit“\r\n");
    const QByteArray expected = QByteArray("M\xFCller;Gr\xF6\xDF"
                                           "e \x80"
                                           "5 \x84Zeit\x93\r\n");
    EXPECT_TRUE(FitsWindows1252(text));
    EXPECT_EQ(EncodeTextFile(text, TextFileKind::Plain), expected);
    // A CSV in Windows-1252 carries no byte-order mark.
    EXPECT_EQ(EncodeTextFile(text, TextFileKind::Csv), expected);
    EXPECT_EQ(DecodeTextFile(expected), text);
}

TEST(TextFileEncoding, TextBeyondWindows1252IsUtf8AndCsvGetsAByteOrderMark) {
    const QString text = QStringLiteral("Łukasz Żak, Müller");
    EXPECT_FALSE(FitsWindows1252(text));
    EXPECT_EQ(EncodeTextFile(text, TextFileKind::Plain), text.toUtf8());
    EXPECT_EQ(EncodeTextFile(text, TextFileKind::Csv), QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    EXPECT_EQ(DecodeTextFile(text.toUtf8()), text);
    EXPECT_EQ(DecodeTextFile(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), text);
}

TEST(TextFileEncoding, EveryWindows1252ByteReadsAndWritesBackUnchanged) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    const QString text = DecodeTextFile(all);
    ASSERT_EQ(text.size(), 255);
    EXPECT_EQ(text[0x80 - 1], QChar(0x20AC));
    EXPECT_EQ(text[0x9F - 1], QChar(0x0178));
    EXPECT_EQ(EncodeTextFile(text, TextFileKind::Plain), all);
}

TEST(TextFileEncoding, Windows1252BytesReadRightAtEveryPositionOfALongAsciiText) {
    // Plain ASCII is passed over in blocks; a byte from 0x80 to 0x9F (mapped apart from Latin-1) or
    // an umlaut must be found wherever it stands, also in the last bytes of the file.
    const QByteArray ascii = "Stopp:,\"3,03\",\"43,003 km/h\",Kegel";
    for (const char high : {'\x80', '\x9F', '\xC4'}) {
        for (qsizetype at = 0; at < ascii.size(); ++at) {
            QByteArray bytes = ascii;
            bytes[at] = high;
            QString expected = QString::fromLatin1(ascii);
            expected[at] = high == '\x80' ? QChar(0x20AC) : high == '\x9F' ? QChar(0x0178) : QChar(0xC4);
            ASSERT_EQ(DecodeTextFile(bytes), expected) << "byte " << at;
        }
    }
}

TEST(TextFileEncoding, TextWhoseWindows1252BytesLookLikeUtf8IsWrittenAsUtf8) {
    // "Ã¤" in Windows-1252 is C3 A4, the UTF-8 of "ä"; a leading "ï»¿" would be taken for a
    // byte-order mark. Both must read back as they were.
    for (const QString& text :
         {QStringLiteral("Ã¤ Müller"), QStringLiteral("ï»¿Zeit"), QStringLiteral("a\u00c2\u00a0b")}) {
        for (TextFileKind kind : {TextFileKind::Plain, TextFileKind::Csv})
            EXPECT_EQ(DecodeTextFile(EncodeTextFile(text, kind)), text) << text.toStdString();
    }
    // Ordinary umlauts stay Windows-1252.
    EXPECT_EQ(EncodeTextFile(QStringLiteral("Ä Ã¤"), TextFileKind::Plain), QByteArray("\xC4 \xC3\xA4"));
}

TEST(TextFileEncoding, ALeadingByteOrderMarkInTheTextSurvives) {
    const QString text = QChar(0xFEFF) + QStringLiteral("Łukasz");
    EXPECT_EQ(DecodeTextFile(EncodeTextFile(text, TextFileKind::Plain)), text);
    EXPECT_EQ(DecodeTextFile(EncodeTextFile(text, TextFileKind::Csv)), text);
}

TEST(TextFileSave, ReplacesTheFileAndReadsItBack) {
    QTemporaryDir dir;
    const QString name = dir.filePath("p.txt");
    WriteBytes(name, "old");
    ASSERT_TRUE(WriteTextFile(name, QStringLiteral("Jörg\r\n"), TextFileKind::Plain));
    EXPECT_EQ(ReadBytes(name), QByteArray("J\xF6rg\r\n"));
    EXPECT_EQ(ReadTextFile(name).value_or(QString()), QStringLiteral("Jörg\r\n"));
}

TEST(TextFileSave, FailureToCreateIsReportedAndLeavesNoFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath("missing/p.txt");
    QString error;
    EXPECT_FALSE(WriteTextFile(name, QStringLiteral("x"), TextFileKind::Plain, &error));
    EXPECT_EQ(error, QStringLiteral("Der Ordner %1 existiert nicht.").arg(dir.filePath("missing")));
    EXPECT_FALSE(QFile::exists(name));
    EXPECT_FALSE(ReadTextFile(name, &error).has_value());
}

TEST(TextFileRead, AFifoOrADeviceIsRefusedAtOnce) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("x.txt");
    RescuedFifo fifoFile(fifo);
    ASSERT_TRUE(fifoFile.made());
    QElapsedTimer clock;
    clock.start();
    QString error;
    EXPECT_FALSE(ReadTextFile(fifo, &error).has_value());
    EXPECT_LT(clock.elapsed(), 1000);
    fifoFile.stop();
    EXPECT_EQ(error, QStringLiteral("Es ist keine gewöhnliche Datei."));
    EXPECT_FALSE(ReadTextFile(QStringLiteral("/dev/zero"), &error).has_value()) << "it would never end";
    EXPECT_FALSE(ReadTextFile(dir.path(), &error).has_value());
    EXPECT_EQ(error, QStringLiteral("Es ist ein Ordner, keine Datei."));
}

TEST(TextFileSave, AWriteThatFailsHalfWayLeavesTheOldFileByteForByte) {
    QTemporaryDir dir;
    const QString name = dir.filePath("p.txt");
    const QByteArray old = "GenerelSettings,0\r\nthe protocol as it was\r\n";
    WriteBytes(name, old);
    {
        FileSizeLimit limit(4 * 1024);
        // Large enough to be cut off by the limit on its first write, and small enough to sit in
        // the file's buffer until the final flush.
        // The reason is the system's, in German, whether the write itself or the flush failed.
        QString error;
        EXPECT_FALSE(WriteTextFile(name, QString(300000, QChar(u'x')), TextFileKind::Plain, &error));
        EXPECT_EQ(error, QStringLiteral("Die Datei ist zu groß."));
        error.clear();
        EXPECT_FALSE(WriteTextFile(name, QString(10000, QChar(u'y')), TextFileKind::Plain, &error));
        EXPECT_EQ(error, QStringLiteral("Die Datei ist zu groß."));
    }
    EXPECT_EQ(ReadBytes(name), old);
    // No half-written temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.txt"});
}

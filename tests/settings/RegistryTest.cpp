#include "settings/Registry.h"
#include "FileBytes.h"
#include "ThrownMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::ERegistryException;
using platform::RegDataType;
using platform::Registry;
using platform::RegistryFile;

namespace {

const QString Key = QStringLiteral("\\Software\\Vantro");

class RegistryTest : public ::testing::Test {
protected:
    QByteArray fileBytes() const {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("Vantro/registry.reg"));
};

TEST_F(RegistryTest, IntegersRoundTripAsDwordsInAnExportFile) {
    {
        Registry reg(m_path);
        ASSERT_TRUE(reg.OpenKey(Key, true)) << reg.LastError().toStdString();
        reg.WriteInteger("Zero", 0);
        reg.WriteInteger("LenLuch", 10);
        reg.WriteInteger("Alg", -5);
        reg.WriteInteger("Min", INT_MIN);
        reg.WriteInteger("All", static_cast<int>(0xFFFFFFFFu));
        reg.WriteBool("Sound", true);
        EXPECT_EQ(reg.ReadInteger("LenLuch"), 10) << "a write is visible to the writer at once";
    }
    const QString text = QString::fromUtf8(fileBytes());
    EXPECT_TRUE(
        text.startsWith("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Vantro]\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\"LenLuch\"=dword:0000000a\n"));
    EXPECT_TRUE(text.contains("\"Alg\"=dword:fffffffb\n"));
    EXPECT_TRUE(text.contains("\"All\"=dword:ffffffff\n"));

    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, false));
    EXPECT_EQ(reg.ReadInteger("Zero"), 0);
    EXPECT_EQ(reg.ReadInteger("LenLuch"), 10);
    EXPECT_EQ(reg.ReadInteger("Alg"), -5);
    EXPECT_EQ(reg.ReadInteger("Min"), INT_MIN);
    EXPECT_EQ(static_cast<uint32_t>(reg.ReadInteger("All")), 0xFFFFFFFFu);
    EXPECT_TRUE(reg.ReadBool("Sound"));
    EXPECT_EQ(reg.GetDataType("All"), RegDataType::Integer);
    EXPECT_EQ(reg.GetValueNames(), QStringList({"Zero", "LenLuch", "Alg", "Min", "All", "Sound"}));
}

TEST_F(RegistryTest, StringsKeepQuotesBackslashesUmlautsAndLineBreaks) {
    const QString path = QStringLiteral("C:\\media\\\"chord\".wav");
    const QString umlauts = QStringLiteral("Größe äöü ß €");
    const QString twoLines = QStringLiteral("first\r\nsecond\ttab");
    {
        Registry reg(m_path);
        ASSERT_TRUE(reg.OpenKey(Key, true));
        reg.WriteString("Sound1", path);
        reg.WriteString("Umlauts", umlauts);
        reg.WriteString("Empty", QString());
        reg.WriteString("Lines", twoLines);
        reg.WriteString("Sound1", path); // rewriting keeps one entry
    }
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains("\"Sound1\"=\"C:\\\\media\\\\\\\"chord\\\".wav\"\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains(umlauts.toUtf8())) << "stored as UTF-8";
    EXPECT_EQ(bytes.count("\"Sound1\""), 1);
    // Every value stays on its own line.
    EXPECT_EQ(bytes.count('\n'), 3 + 4 + 1);

    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, false));
    EXPECT_EQ(reg.ReadString("Sound1"), path);
    EXPECT_EQ(reg.ReadString("Umlauts"), umlauts);
    EXPECT_EQ(reg.ReadString("Lines"), twoLines);
    EXPECT_TRUE(reg.ValueExists("Empty"));
    EXPECT_EQ(reg.ReadString("Empty"), QString());
    EXPECT_EQ(reg.GetDataType("Lines"), RegDataType::String);
}

TEST_F(RegistryTest, OpeningWithoutCreatingFailsForAMissingKeyAndChangesNothing) {
    Registry reg(m_path);
    EXPECT_FALSE(reg.OpenKey(Key, false));
    EXPECT_FALSE(reg.LastError().isEmpty());
    EXPECT_FALSE(QFile::exists(m_path)) << "reading must not create the file";
    EXPECT_TRUE(ThrownMessage<ERegistryException>([&] {
                    reg.WriteInteger("Port", 1);
                }).startsWith("Failed to set data for 'Port'"));

    writeFile(
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"A\"=dword:1\n");
    const QByteArray before = fileBytes();
    EXPECT_FALSE(reg.OpenKey(Key, false));
    EXPECT_FALSE(reg.KeyExists(Key));
    EXPECT_EQ(fileBytes(), before);

    ASSERT_TRUE(reg.OpenKey(Key, true));
    EXPECT_TRUE(Registry(m_path).KeyExists(Key)) << "a created key is saved at once";
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vantro");
    EXPECT_TRUE(reg.OpenKey("\\Software", false)) << "a parent of an existing key exists";
}

TEST_F(RegistryTest, MissingAndMistypedValues) {
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString("Sound1", "a.wav");
    reg.WriteInteger("Acc", 2);

    EXPECT_EQ(ThrownMessage<ERegistryException>([&] { reg.ReadInteger("Port"); }),
              "Failed to get data for 'Port'");
    EXPECT_FALSE(reg.ValueExists("Port"));
    EXPECT_EQ(reg.GetDataType("Port"), RegDataType::Unknown);
    EXPECT_EQ(reg.ReadString("Sound2"), QString()) << "a missing string reads as empty";

    EXPECT_EQ(ThrownMessage<ERegistryException>([&] { reg.ReadInteger("Sound1"); }),
              "Invalid data type for 'Sound1'");
    EXPECT_EQ(ThrownMessage<ERegistryException>([&] { reg.ReadString("Acc"); }),
              "Invalid data type for 'Acc'");
    EXPECT_EQ(reg.GetDataType("Sound1"), RegDataType::String);

    EXPECT_TRUE(reg.DeleteValue("acc"));
    EXPECT_FALSE(reg.DeleteValue("Acc"));
    reg.CloseKey();
    EXPECT_EQ(ThrownMessage<ERegistryException>([&] { reg.ReadInteger("Sound1"); }),
              "Failed to get data for 'Sound1'");

    Registry again(m_path);
    ASSERT_TRUE(again.OpenKey(Key, false));
    EXPECT_FALSE(again.ValueExists("Acc")) << "a deleted value is gone from the file";
}

TEST_F(RegistryTest, KeysAreSeparateAndFoundWithoutCase) {
    Registry a(m_path);
    Registry b(m_path);
    ASSERT_TRUE(a.OpenKey(Key, true));
    ASSERT_TRUE(b.OpenKey("\\Software\\Other", true));
    a.WriteInteger("Port", 1);
    b.WriteInteger("Port", 2);
    a.WriteInteger("Alg", 3); // a saves after b: b's key must survive
    ASSERT_TRUE(b.OpenKey("Sub", true)) << "a relative path is below the open key";
    EXPECT_EQ(b.CurrentPath(), "Software\\Other\\Sub");
    b.WriteString("Name", "sub");

    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\vantro\\", false));
    EXPECT_EQ(reg.ReadInteger("port"), 1);
    EXPECT_EQ(reg.ReadInteger("Alg"), 3);
    EXPECT_FALSE(reg.ValueExists("Name"));
    reg.WriteInteger("PORT", 7);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Other", false));
    EXPECT_EQ(reg.ReadInteger("Port"), 2);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Other\\Sub", false));
    EXPECT_EQ(reg.ReadString("Name"), "sub");

    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains("\"Port\"=dword:00000007")) << "a rewrite keeps the stored spelling";
    EXPECT_EQ(bytes.count("[HKEY_CURRENT_USER\\Software\\Vantro]"), 1);
}

TEST_F(RegistryTest, HandWrittenFileIsReadAndItsOtherLinesSurviveAWrite) {
    writeFile("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
              "\r\n"
              "; settings of the timing program\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vantro]\r\n"
              "\"Port\"=dword:00000009\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Vantro]\r\n"
              "\"Port\"=dword:3\r\n"
              "\"Acc\" = dword:00000001\r\n"
              "@=\"default\"\r\n"
              "\"Blob\"=hex:01,02,\\\r\n"
              "  03,ff\r\n"
              "\"Path\"=hex(2):25,00,41,00,00,00\r\n"
              "\"Hex4\"=hex(4):0a,00,00,00\r\n"
              "\"Big\"=qword:0000000000000001\r\n"
              "\"Acc\"=dword:00000002\r\n"
              "some line nobody knows\r\n"
              "\"Gone\"=-\r\n");
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, false)) << reg.LastError().toStdString();
    EXPECT_EQ(reg.ReadInteger("Port"), 3) << "only HKEY_CURRENT_USER counts";
    EXPECT_EQ(reg.ReadInteger("Acc"), 2) << "the later of two values of one name holds";
    EXPECT_EQ(reg.ReadString(""), "default");
    EXPECT_EQ(reg.GetDataType("Blob"), RegDataType::Binary);
    EXPECT_EQ(reg.GetDataType("Path"), RegDataType::ExpandString);
    EXPECT_EQ(reg.ReadString("Path"), "%A");
    EXPECT_EQ(reg.ReadInteger("Hex4"), 10);
    EXPECT_EQ(reg.GetDataType("Big"), RegDataType::Unknown);
    EXPECT_EQ(ThrownMessage<ERegistryException>([&] { reg.ReadInteger("Big"); }),
              "Invalid data type for 'Big'");
    EXPECT_FALSE(reg.ValueExists("Gone"));

    reg.WriteInteger("LenLuch", 12);
    const QString text = QString::fromUtf8(fileBytes());
    for (const char* kept :
         {"; settings of the timing program", "[HKEY_LOCAL_MACHINE\\Software\\Vantro]",
          "\"Blob\"=hex:01,02,03,ff", "\"Path\"=hex(2):25,00,41,00,00,00", "\"Big\"=qword:0000000000000001",
          "some line nobody knows", "\"Gone\"=-", "@=\"default\"", "\"LenLuch\"=dword:0000000c"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(kept))) << kept << "\n" << text.toStdString();
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n\n"));
}

TEST_F(RegistryTest, ExportInUtf16IsRead) {
    const QString text =
        QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Vantro]\r\n\"Sound1\"=\"Glöckchen.wav\"\r\n");
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    writeFile(bytes);
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, false)) << reg.LastError().toStdString();
    EXPECT_EQ(reg.ReadString("Sound1"), QStringLiteral("Glöckchen.wav"));
}

TEST_F(RegistryTest, MalformedFileIsReportedAndNeverOverwritten) {
    const QByteArray head = "Windows Registry Editor Version 5.00\n\n";
    const QByteArray key = "[HKEY_CURRENT_USER\\Software\\Vantro]\n";
    const std::pair<QByteArray, const char*> bad[] = {
        {"Port=3\n", "line 1"},
        {head + "[HKEY_CURRENT_USER\\Software\\Vantro\n", "line 3"},
        {head + "\"Port\"=dword:1\n", "line 3"},
        {head + key + "\"Port=dword:1\n", "line 4"},
        {head + key + "\"Port\"=dword:12345678a\n", "line 4"},
        {head + key + "\"Port\"=dword:-1\n", "line 4"},
        {head + key + "\"Port\"=dword:\n", "line 4"},
        {head + key + "\"Name\"=\"open\n", "line 4"},
        {head + key + "\"Name\"=\"a\"b\n", "line 4"},
        {head + key + "\"Name\"dword:1\n", "line 4"},
        {head + key + "\"Blob\"=hex:1g\n", "line 4"},
        {head + key + "\"Name\"=\"\xFC\"\n", "UTF-8"},
    };
    for (const auto& [contents, where] : bad) {
        SCOPED_TRACE(contents.toStdString());
        writeFile(contents);
        Registry reg(m_path);
        EXPECT_FALSE(reg.OpenKey(Key, true));
        EXPECT_TRUE(reg.LastError().contains(where)) << reg.LastError().toStdString();
        EXPECT_FALSE(reg.KeyExists(Key));
        EXPECT_EQ(fileBytes(), contents);
    }

    // The file turns bad while the key is open: the write fails and leaves it alone.
    writeFile(head + key);
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, false));
    writeFile("garbage\n");
    EXPECT_TRUE(ThrownMessage<ERegistryException>([&] {
                    reg.WriteInteger("Port", 1);
                }).startsWith("Failed to set data for 'Port'"));
    EXPECT_EQ(fileBytes(), "garbage\n");
}

TEST_F(RegistryTest, EmptyFileIsAnEmptyRegistry) {
    writeFile("");
    Registry reg(m_path);
    EXPECT_FALSE(reg.OpenKey(Key, false));
    ASSERT_TRUE(reg.OpenKey(Key, true)) << reg.LastError().toStdString();
    reg.WriteInteger("Port", 1);
    EXPECT_EQ(Registry(m_path).KeyExists(Key), true);
}

TEST_F(RegistryTest, FailedSaveLeavesTheOldFileAndIsReported) {
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString("Sound1", "old.wav");
    const QByteArray before = fileBytes();
    {
        FileSizeLimit limit(before.size() + 100);
        const QString message =
            ThrownMessage<ERegistryException>([&] { reg.WriteString("Sound1", QString(2000, u'x')); });
        EXPECT_TRUE(message.startsWith("Failed to set data for 'Sound1'")) << message.toStdString();
    }
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(reg.ReadString("Sound1"), "old.wav") << "the reader sees what the file holds";
    EXPECT_EQ(QDir(QFileInfo(m_path).absolutePath()).entryList(QDir::Files), QStringList{"registry.reg"})
        << "no temporary file is left behind";

    // A folder that cannot be created: the key cannot be created either, so nothing gets written.
    QFile blocker(m_dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Registry blocked(m_dir.filePath("blocker/Vantro/registry.reg"));
    EXPECT_FALSE(blocked.OpenKey(Key, true));
    EXPECT_FALSE(blocked.LastError().isEmpty());
    EXPECT_TRUE(QFileInfo(blocker.fileName()).isFile());
}

TEST_F(RegistryTest, StringsWithNulsAndUnpairedSurrogatesReadBackUnchanged) {
    const QString texts[] = {
        QString("x") + QChar(0) + "y", QString("x") + QChar(0),      QString(QChar(0)),
        QString(QChar(0xDC00)),        QString("a") + QChar(0xD800), QString(QChar(0xDC00)) + QChar(0xD800),
    };
    {
        Registry reg(m_path);
        ASSERT_TRUE(reg.OpenKey(Key, true));
        for (size_t i = 0; i < std::size(texts); ++i)
            reg.WriteString(QString("T%1").arg(i), texts[i]);
    }
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, false)) << reg.LastError().toStdString();
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(reg.ReadString(QString("T%1").arg(i)), texts[i]) << i;

    // A name UTF-8 cannot carry is refused, not stored as something else.
    const QString badName = QString("N") + QChar(0xD800);
    EXPECT_TRUE(ThrownMessage<ERegistryException>([&] {
                    reg.WriteString(badName, "v");
                }).startsWith("Failed to set data"));
    EXPECT_FALSE(Registry(m_path).OpenKey(QString("\\Software\\") + QChar(0xDC00), true));
}

TEST_F(RegistryTest, NulInAQuotedTextAndUnpairedSurrogateInAUtf16FileAreKept) {
    const QByteArray key = "[HKEY_CURRENT_USER\\Software\\Vantro]\n";
    writeFile(QByteArray("REGEDIT4\n") + key + QByteArray("\"a\"=\"x\0y\"\n", 10));
    {
        Registry reg(m_path);
        ASSERT_TRUE(reg.OpenKey(Key, false)) << reg.LastError().toStdString();
        EXPECT_EQ(reg.ReadString("a"), QString("x") + QChar(0) + "y");
        reg.WriteInteger("other", 1);
        Registry again(m_path);
        ASSERT_TRUE(again.OpenKey(Key, false));
        EXPECT_EQ(again.ReadString("a"), QString("x") + QChar(0) + "y") << "a write elsewhere keeps it";
    }

    auto utf16File = [&](const QString& text) {
        QByteArray bytes("\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        writeFile(bytes);
        return bytes;
    };
    const QString head = QString("Windows Registry Editor Version 5.00\r\n") + QString::fromLatin1(key);
    utf16File(head + "\"a\"=\"" + QChar(0xDC00) + "\"\r\n");
    {
        Registry reg(m_path);
        ASSERT_TRUE(reg.OpenKey(Key, false)) << reg.LastError().toStdString();
        EXPECT_EQ(reg.ReadString("a"), QString(QChar(0xDC00)));
        reg.WriteInteger("other", 1);
        Registry again(m_path);
        ASSERT_TRUE(again.OpenKey(Key, false));
        EXPECT_EQ(again.ReadString("a"), QString(QChar(0xDC00)));
    }

    // Where only UTF-8 text could keep it, the file is refused and left alone.
    for (const QString& line : {QString("\"a") + QChar(0xDC00) + "\"=dword:1", QString("; ") + QChar(0xD800),
                                QString("\"a\"=qword:") + QChar(0xD800)}) {
        const QByteArray bytes = utf16File(head + line + "\r\n");
        Registry reg(m_path);
        EXPECT_FALSE(reg.OpenKey(Key, true));
        EXPECT_TRUE(reg.LastError().contains("surrogate")) << reg.LastError().toStdString();
        EXPECT_EQ(fileBytes(), bytes);
    }
}

TEST_F(RegistryTest, OnlyARegularFileUpToTheLimitIsRead) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QByteArray path = QFile::encodeName(m_path);
    // A FIFO without a writer: opening it must not wait for one.
    ASSERT_EQ(mkfifo(path.constData(), 0600), 0);
    {
        Registry reg(m_path);
        EXPECT_FALSE(reg.OpenKey(Key, true));
        EXPECT_TRUE(reg.LastError().contains("keine gewöhnliche Datei")) << reg.LastError().toStdString();
        EXPECT_FALSE(reg.KeyExists(Key));
    }
    ASSERT_EQ(unlink(path.constData()), 0);

    ASSERT_EQ(symlink("/dev/zero", path.constData()), 0);
    {
        Registry reg(m_path);
        EXPECT_FALSE(reg.OpenKey(Key, true));
        EXPECT_TRUE(reg.LastError().contains("keine gewöhnliche Datei")) << reg.LastError().toStdString();
    }
    ASSERT_EQ(unlink(path.constData()), 0);

    const QByteArray head = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Vantro]\n";
    QByteArray big = head + "; " + QByteArray(Registry::MaxFileSize - head.size() - 3, 'x') + "\n";
    ASSERT_EQ(big.size(), Registry::MaxFileSize);
    writeFile(big);
    EXPECT_TRUE(Registry(m_path).OpenKey(Key, false)) << "a file of exactly the limit is read";
    big.insert(head.size(), ';');
    writeFile(big);
    Registry reg(m_path);
    EXPECT_FALSE(reg.OpenKey(Key, false));
    EXPECT_TRUE(reg.LastError().contains("größer als")) << reg.LastError().toStdString();
    EXPECT_EQ(fileBytes(), big);
}

TEST_F(RegistryTest, AWriteThatWouldPassTheLimitIsRefused) {
    Registry reg(m_path);
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString("Small", "s");
    const QByteArray before = fileBytes();
    const QString message = ThrownMessage<ERegistryException>(
        [&] { reg.WriteString("Huge", QString(Registry::MaxFileSize, u'x')); });
    EXPECT_TRUE(message.contains("exceed")) << message.toStdString();
    EXPECT_EQ(fileBytes(), before);
    EXPECT_FALSE(reg.ValueExists("Huge"));
}

TEST(RegistryFileIndex, ValuesOfAKeySpreadOverSeveralSectionsAndEdited) {
    RegistryFile file;
    QString error;
    ASSERT_TRUE(file.parse("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=dword:1\n\"B\"=dword:2\n\"A\"=dword:3\n"
                           "[hkey_current_user\\k]\n\"b\"=dword:4\n\"c\"=dword:5\n"
                           "[HKEY_CURRENT_USER\\K\\Sub]\n\"a\"=dword:6\n",
                           error))
        << error.toStdString();
    const QStringList k{"HKEY_CURRENT_USER", "K"};
    EXPECT_EQ(file.valueNames(k), (QStringList{"A", "B", "c"})) << "the later spelling of one section";
    EXPECT_EQ(file.findValue(k, "A")->Dword, 3u) << "the later of two in one section";
    EXPECT_EQ(file.findValue(k, "b")->Dword, 4u) << "the later section";
    EXPECT_EQ(file.findValue({"HKEY_CURRENT_USER", "k", "SUB"}, "a")->Dword, 6u);

    EXPECT_TRUE(file.deleteValue(k, "B"));
    EXPECT_EQ(file.findValue(k, "b"), nullptr) << "gone from every section";
    EXPECT_EQ(file.findValue(k, "c")->Dword, 5u) << "the others are still found after a removal";
    platform::RegistryValue v;
    v.Name = "New";
    v.Type = RegDataType::Integer;
    v.Dword = 7;
    file.setValue(k, v);
    v.Name = "NEW";
    v.Dword = 8;
    file.setValue(k, v);
    EXPECT_EQ(file.valueNames(k), (QStringList{"A", "c", "New"}));
    EXPECT_EQ(file.findValue(k, "new")->Dword, 8u);

    RegistryFile copy = file;
    ASSERT_TRUE(copy.parse(file.serialize(), error)) << error.toStdString();
    EXPECT_EQ(copy.valueNames(k), file.valueNames(k));
    EXPECT_EQ(copy.findValue(k, "new")->Dword, 8u);
}

TEST(RegistryLocation, DefaultFileFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QString title = QCoreApplication::applicationName();

    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(Registry::DefaultFileName(), "/somewhere/config/" + title + "/registry.reg");
    EXPECT_EQ(Registry().FileName(), Registry::DefaultFileName());
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(Registry::DefaultFileName(), QDir::homePath() + "/.config/" + title + "/registry.reg");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Registry::DefaultFileName(), QDir::homePath() + "/.config/" + title + "/registry.reg");

    if (wasSet)
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace

#include "Settings.h"

#include "platform/Registry.h"
#include "platform/RegistryFile.h"
#include "platform/SerialPortNames.h"
#include "platform/SerialSimServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

using platform::RegDataType;

// True when the file is there but does not hold a registry export this program can read.
bool unreadableFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        return false;
    QFile f(fileName);
    if (info.isDir() || !f.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return true;
    platform::RegistryFile parsed;
    QString error;
    return !parsed.parse(bytes, error);
}

// Moves the file to "<name>.unreadable-<date>-<time>"; the new name, or empty when it failed.
QString moveAside(const QString& fileName) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = fileName + QStringLiteral(".unreadable-") + stamp;
    for (int i = 2; QFileInfo::exists(target); ++i)
        target = fileName + QStringLiteral(".unreadable-") + stamp + u'-' + QString::number(i);
    return QFile::rename(fileName, target) ? target : QString();
}

void readComDeviceOverrides(const platform::Registry& registry) {
    static const QRegularExpression deviceName(QStringLiteral("^ComDevice([0-9]{1,3})$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : registry.GetValueNames()) {
        const QRegularExpressionMatch m = deviceName.match(name);
        const RegDataType type = registry.GetDataType(name);
        if (m.hasMatch() && (type == RegDataType::String || type == RegDataType::ExpandString))
            platform::setComDeviceOverride(m.captured(1).toInt(), registry.ReadString(name).toStdString());
    }
}

} // namespace

QString Settings::WindowsFolder() {
    return QStringLiteral("/usr/share");
}

QString Settings::DefaultSound1() {
    return WindowsFolder() + QStringLiteral("/media/chord.wav");
}

QString Settings::DefaultSound2() {
    return WindowsFolder() + QStringLiteral("/media/ding.wav");
}

QString Settings::KeyPath() {
    return QStringLiteral("\\Software\\") + QCoreApplication::applicationName();
}

Settings::ReadResult Settings::Read(platform::Registry& registry) {
    ReadResult result;
    // The simulator's own socket is offered as its port; a setting for that port replaces it.
    if (platform::comDevicePath(platform::DefaultSimPort).empty())
        platform::setComDeviceOverride(platform::DefaultSimPort, platform::DefaultSimSocket);
    if (!registry.OpenKey(KeyPath(), false)) {
        const QString file = registry.FileName();
        if (unreadableFile(file)) {
            const QString moved = moveAside(file);
            result.Problem =
                moved.isEmpty()
                    ? QStringLiteral(
                          "Die Einstellungsdatei %1 ist nicht lesbar und konnte nicht beiseite gelegt "
                          "werden. Es gelten die Grundeinstellungen; sie werden nicht gespeichert.")
                          .arg(file)
                    : QStringLiteral(
                          "Die Einstellungsdatei %1 ist nicht lesbar. Sie wurde als %2 beiseite gelegt; "
                          "es gelten die Grundeinstellungen.")
                          .arg(file, moved);
        }
        return result;
    }
    result.KeyFound = true;
    readComDeviceOverrides(registry);

    // Each step reads one value; false ends the reading there.
    auto integer = [&](const QString& name, auto&& store) {
        if (registry.GetDataType(name) != RegDataType::Integer) {
            result.StoppedAt = name;
            return false;
        }
        store(registry.ReadInteger(name));
        ++result.ValuesRead;
        return true;
    };
    auto text = [&](const QString& name, QString& target) {
        const RegDataType type = registry.GetDataType(name);
        if (type == RegDataType::Unknown)
            return true;
        if (type != RegDataType::String && type != RegDataType::ExpandString) {
            result.StoppedAt = name;
            return false;
        }
        const QString value = registry.ReadString(name);
        if (!value.isEmpty()) {
            target = value;
            ++result.ValuesRead;
        }
        return true;
    };

    const bool complete = integer(QStringLiteral("Port"), [&](int v) { Port = uint8_t(v & 0xFF); }) &&
                          integer(QStringLiteral("Alg"), [&](int v) { Alg = v; }) &&
                          integer(QStringLiteral("Left"), [&](int v) { Left = v; }) &&
                          integer(QStringLiteral("Top"), [&](int v) { Top = v; }) &&
                          integer(QStringLiteral("Width"), [&](int v) { Width = v; }) &&
                          integer(QStringLiteral("Height"), [&](int v) { Height = v; }) &&
                          integer(QStringLiteral("Sound"), [&](int v) { Sound = v != 0; }) &&
                          integer(QStringLiteral("Acc"), [&](int v) { Acc = v; }) &&
                          text(QStringLiteral("Sound1"), Sound1) && text(QStringLiteral("Sound2"), Sound2) &&
                          integer(QStringLiteral("C0"), [&](int v) { C[0] = TColor(v); }) &&
                          integer(QStringLiteral("C1"), [&](int v) { C[1] = TColor(v); }) &&
                          integer(QStringLiteral("C2"), [&](int v) { C[2] = TColor(v); }) &&
                          integer(QStringLiteral("C3"), [&](int v) { C[3] = TColor(v); }) &&
                          integer(QStringLiteral("C4"), [&](int v) { C[4] = TColor(v); }) &&
                          integer(QStringLiteral("LenLuch"), [&](int v) { LenLuch = v; });
    Q_UNUSED(complete);
    return result;
}

bool Settings::Write(platform::Registry& registry) const {
    if (!registry.OpenKey(KeyPath(), true))
        return false;
    try {
        registry.WriteInteger(QStringLiteral("Left"), Left);
        registry.WriteInteger(QStringLiteral("Top"), Top);
        registry.WriteInteger(QStringLiteral("Width"), Width);
        registry.WriteInteger(QStringLiteral("Height"), Height);
        registry.WriteBool(QStringLiteral("Sound"), Sound);
        registry.WriteInteger(QStringLiteral("Port"), Port);
        registry.WriteInteger(QStringLiteral("Alg"), Alg);
        registry.WriteInteger(QStringLiteral("Acc"), Acc);
        registry.WriteString(QStringLiteral("Sound1"), Sound1);
        registry.WriteString(QStringLiteral("Sound2"), Sound2);
        for (int i = 0; i < 5; ++i)
            registry.WriteInteger(QStringLiteral("C%1").arg(i), int(C[size_t(i)]));
        registry.WriteInteger(QStringLiteral("LenLuch"), LenLuch);
    } catch (const platform::ERegistryException&) {
        return false;
    }
    return true;
}

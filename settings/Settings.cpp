#include "settings/Settings.h"

#include "platform/RegularFile.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "settings/ComDeviceOverrides.h"
#include "settings/Registry.h"
#include "settings/RegistryFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <climits>

namespace {

using platform::RegDataType;

// True when the file is there but does not hold a registry export this program can read: a
// folder, FIFO or device in its place, a file past the size limit, or one that does not parse.
bool unreadableFile(const QString& fileName) {
    const platform::FileReadResult read =
        platform::ReadRegularFile(fileName, platform::Registry::MaxFileSize);
    if (read.Status == platform::FileReadStatus::Missing)
        return false;
    if (read.Status != platform::FileReadStatus::Read)
        return true;
    platform::RegistryFile parsed;
    QString error;
    return !parsed.parse(read.Bytes, error);
}

// What a value is, for the operator.
QString valueDescription(const QString& name) {
    static const QHash<QString, const char*> descriptions = {
        {QStringLiteral("Port"), QT_TRANSLATE_NOOP("Settings", "Anschluss der Lichtschranke")},
        {QStringLiteral("Alg"), QT_TRANSLATE_NOOP("Settings", "Algorithmus")},
        {QStringLiteral("Left"), QT_TRANSLATE_NOOP("Settings", "linker Fensterrand")},
        {QStringLiteral("Top"), QT_TRANSLATE_NOOP("Settings", "oberer Fensterrand")},
        {QStringLiteral("Width"), QT_TRANSLATE_NOOP("Settings", "Fensterbreite")},
        {QStringLiteral("Height"), QT_TRANSLATE_NOOP("Settings", "Fensterhöhe")},
        {QStringLiteral("Sound"), QT_TRANSLATE_NOOP("Settings", "Ton")},
        {QStringLiteral("Acc"), QT_TRANSLATE_NOOP("Settings", "Empfindlichkeit")},
        {QStringLiteral("Sound1"), QT_TRANSLATE_NOOP("Settings", "Startgong")},
        {QStringLiteral("Sound2"), QT_TRANSLATE_NOOP("Settings", "Stoppgong")},
        {QStringLiteral("C0"), QT_TRANSLATE_NOOP("Settings", "Farbe Fenster")},
        {QStringLiteral("C1"), QT_TRANSLATE_NOOP("Settings", "Farbe Ziffern")},
        {QStringLiteral("C2"), QT_TRANSLATE_NOOP("Settings", "Farbe ZiffernF")},
        {QStringLiteral("C3"), QT_TRANSLATE_NOOP("Settings", "Farbe der dunklen Ziffern")},
        {QStringLiteral("C4"), QT_TRANSLATE_NOOP("Settings", "Farbe der hellen Ziffern")},
        {QStringLiteral("LenLuch"), QT_TRANSLATE_NOOP("Settings", "LS-Abstand")},
        {QStringLiteral("DeadTime"), QT_TRANSLATE_NOOP("Settings", "Sperrzeit")},
        {QStringLiteral("EventFile"), QT_TRANSLATE_NOOP("Settings", "Veranstaltung")},
        {QStringLiteral("StartNumber"), QT_TRANSLATE_NOOP("Settings", "Startnummer")},
        {QStringLiteral("LiveOn"), QT_TRANSLATE_NOOP("Settings", "Live-Ergebnisse")},
        {QStringLiteral("LivePort"), QT_TRANSLATE_NOOP("Settings", "Port der Live-Ergebnisse")},
        {QStringLiteral("Language"), QT_TRANSLATE_NOOP("Settings", "Sprache")},
    };
    const char* text = descriptions.value(name);
    return text ? QCoreApplication::translate("Settings", text) : QString();
}

// Moves the file to "<name>.unreadable-<date>-<time>"; the new name, or empty when it failed.
QString moveAside(const QString& fileName) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = fileName + QStringLiteral(".unreadable-") + stamp;
    for (int i = 2; QFileInfo::exists(target); ++i)
        target = fileName + QStringLiteral(".unreadable-") + stamp + u'-' + QString::number(i);
    return QFile::rename(fileName, target) ? target : QString();
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
                    ? QCoreApplication::translate(
                          "Settings",
                          "Die Einstellungsdatei %1 ist nicht lesbar und konnte nicht beiseite gelegt "
                          "werden. Es gelten die Grundeinstellungen; sie werden nicht gespeichert.")
                          .arg(file)
                    : QCoreApplication::translate(
                          "Settings",
                          "Die Einstellungsdatei %1 ist nicht lesbar. Sie wurde als %2 beiseite gelegt; "
                          "es gelten die Grundeinstellungen.")
                          .arg(file, moved);
        }
        return result;
    }
    result.KeyFound = true;
    platform::loadComDeviceOverrides(registry);

    // Every value on its own: one of the wrong type or out of range keeps its default, is named in
    // the result, and the reading goes on with the next.
    auto integer = [&](const QString& name, int min, int max, auto&& store) {
        const RegDataType type = registry.GetDataType(name);
        if (type == RegDataType::Unknown && !registry.ValueExists(name))
            return;
        const int value = type == RegDataType::Integer ? registry.ReadInteger(name) : 0;
        if (type != RegDataType::Integer || value < min || value > max) {
            result.Invalid << name;
            return;
        }
        store(value);
        ++result.ValuesRead;
    };
    auto text = [&](const QString& name, QString& target) {
        const RegDataType type = registry.GetDataType(name);
        if (type == RegDataType::Unknown && !registry.ValueExists(name))
            return;
        if (type != RegDataType::String && type != RegDataType::ExpandString) {
            result.Invalid << name;
            return;
        }
        // An empty name keeps the default.
        const QString value = registry.ReadString(name);
        if (!value.isEmpty()) {
            target = value;
            ++result.ValuesRead;
        }
    };

    integer(QStringLiteral("Port"), 0, 255, [&](int v) { Port = uint8_t(v); });
    // Any mode is stored as it is: modes other than 0 leave the light barrier idle on purpose.
    integer(QStringLiteral("Alg"), INT_MIN, INT_MAX, [&](int v) { Alg = v; });
    integer(QStringLiteral("Left"), -MaxWindowExtent, MaxWindowExtent, [&](int v) { Left = v; });
    integer(QStringLiteral("Top"), -MaxWindowExtent, MaxWindowExtent, [&](int v) { Top = v; });
    integer(QStringLiteral("Width"), 1, MaxWindowExtent, [&](int v) { Width = v; });
    integer(QStringLiteral("Height"), 1, MaxWindowExtent, [&](int v) { Height = v; });
    integer(QStringLiteral("Sound"), 0, 1, [&](int v) { Sound = v != 0; });
    integer(QStringLiteral("Acc"), 0, 2, [&](int v) { Acc = v; });
    text(QStringLiteral("Sound1"), Sound1);
    text(QStringLiteral("Sound2"), Sound2);
    for (size_t i = 0; i < C.size(); ++i)
        integer(QStringLiteral("C%1").arg(i), 0, 0xFFFFFF, [&](int v) { C[i] = TColor(v); });
    integer(QStringLiteral("LenLuch"), LenLuchMin, LenLuchMax, [&](int v) { LenLuch = v; });
    integer(QStringLiteral("DeadTime"), 0, DeadTimeMax, [&](int v) { DeadTime = v; });
    text(QStringLiteral("EventFile"), EventFile);
    integer(QStringLiteral("StartNumber"), StartNumberMin, StartNumberMax, [&](int v) { StartNumber = v; });
    integer(QStringLiteral("LiveOn"), 0, 1, [&](int v) { LiveOn = v != 0; });
    integer(QStringLiteral("LivePort"), 1, 65535, [&](int v) { LivePort = v; });
    integer(QStringLiteral("Language"), 0, int(platform::Language::English),
            [&](int v) { UiLanguage = platform::Language(v); });

    if (!result.Invalid.isEmpty()) {
        QStringList described;
        for (const QString& name : result.Invalid)
            described << QStringLiteral("%1 (%2)").arg(name, valueDescription(name));
        result.Problem =
            QCoreApplication::translate(
                "Settings", "In der Einstellungsdatei %1 sind ungültige Werte: %2. Für sie gelten "
                            "die Grundeinstellungen.")
                .arg(registry.FileName(), described.join(QStringLiteral(", ")));
    }
    return result;
}

platform::Language Settings::ReadLanguage(platform::Registry& registry) {
    const QString name = QStringLiteral("Language");
    if (!registry.OpenKey(KeyPath(), false) || registry.GetDataType(name) != RegDataType::Integer)
        return platform::Language::System;
    const int value = registry.ReadInteger(name);
    return value >= 0 && value <= int(platform::Language::English) ? platform::Language(value)
                                                                   : platform::Language::System;
}

bool Settings::Write(platform::Registry& registry, const Settings* stored,
                     const QStringList& alsoWrite) const {
    if (!registry.OpenKey(KeyPath(), true))
        return false;
    // A value this program did not change is left to whatever the file holds now, which another
    // instance may have written since; a value missing from the file is filled in.
    auto needed = [&](const QString& name, bool changed) {
        return !stored || changed || alsoWrite.contains(name) || !registry.ValueExists(name);
    };
    auto integer = [&](const QString& name, int value, int before) {
        if (needed(name, value != before))
            registry.WriteInteger(name, value);
    };
    auto text = [&](const QString& name, const QString& value, const QString& before) {
        if (needed(name, value != before))
            registry.WriteString(name, value);
    };
    const Settings& old = stored ? *stored : *this;
    try {
        integer(QStringLiteral("Left"), Left, old.Left);
        integer(QStringLiteral("Top"), Top, old.Top);
        integer(QStringLiteral("Width"), Width, old.Width);
        integer(QStringLiteral("Height"), Height, old.Height);
        integer(QStringLiteral("Sound"), Sound ? 1 : 0, old.Sound ? 1 : 0);
        integer(QStringLiteral("Port"), Port, old.Port);
        integer(QStringLiteral("Alg"), Alg, old.Alg);
        integer(QStringLiteral("Acc"), Acc, old.Acc);
        text(QStringLiteral("Sound1"), Sound1, old.Sound1);
        text(QStringLiteral("Sound2"), Sound2, old.Sound2);
        for (size_t i = 0; i < C.size(); ++i)
            integer(QStringLiteral("C%1").arg(i), int(C[i]), int(old.C[i]));
        integer(QStringLiteral("LenLuch"), LenLuch, old.LenLuch);
        integer(QStringLiteral("DeadTime"), DeadTime, old.DeadTime);
        text(QStringLiteral("EventFile"), EventFile, old.EventFile);
        integer(QStringLiteral("StartNumber"), StartNumber, old.StartNumber);
        integer(QStringLiteral("LiveOn"), LiveOn ? 1 : 0, old.LiveOn ? 1 : 0);
        integer(QStringLiteral("LivePort"), LivePort, old.LivePort);
        integer(QStringLiteral("Language"), int(UiLanguage), int(old.UiLanguage));
    } catch (const platform::ERegistryException&) {
        return false;
    }
    return true;
}

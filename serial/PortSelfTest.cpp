#include "serial/PortSelfTest.h"

#include "serial/ComPortScan.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QString readFirstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

// What the tool looks at, with the fake root's prefix taken off again for the operator.
struct Paths {
    QString root;
    QString dev() const { return root + QStringLiteral("/dev"); }
    QString sys() const { return root + QStringLiteral("/sys"); }
    QString proc() const { return root + QStringLiteral("/proc"); }
    QString shown(const QString& path) const {
        return !root.isEmpty() && path.startsWith(root + QLatin1Char('/')) ? path.mid(root.size()) : path;
    }
};

// The kernel's name of the tty: follows links as long as they stay in /dev, so both
// /dev/serial/by-id/... and a fake tree's link to a stand-in device end at the name below /dev.
QString ttyName(const QString& path, const Paths& paths) {
    QString current = path;
    for (int hops = 0; hops < 16; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        const QString target = QDir::cleanPath(info.absoluteDir().absoluteFilePath(info.symLinkTarget()));
        if (!target.startsWith(paths.dev() + QLatin1Char('/')))
            break;
        current = target;
    }
    return QFileInfo(current).fileName();
}

// The USB device folder (the one with idVendor) above the tty's device in /sys; empty if none.
QString usbDeviceFolder(const QString& tty, const Paths& paths) {
    QString folder = QFileInfo(paths.sys() + QStringLiteral("/class/tty/") + tty + QStringLiteral("/device"))
                         .canonicalFilePath();
    const QString sysRoot = QFileInfo(paths.sys()).canonicalFilePath() + QLatin1Char('/');
    while (!folder.isEmpty() && folder.startsWith(sysRoot)) {
        if (QFileInfo::exists(folder + QStringLiteral("/idVendor")))
            return folder;
        folder = QFileInfo(folder).path();
    }
    return {};
}

QString modeText(mode_t mode) {
    QString text = QStringLiteral("c");
    const char* letters = "rwxrwxrwx";
    for (int i = 0; i < 9; ++i)
        text += (mode & (0400 >> i)) ? QLatin1Char(letters[i]) : QLatin1Char('-');
    return text;
}

QString userName(uid_t uid) {
    const passwd* pw = ::getpwuid(uid);
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

struct Holder {
    QString name;
    long pid = 0;
};

// Processes with an open file on the same device as `node`. /proc entries of other users that
// cannot be read are passed over.
std::vector<Holder> holdersOf(const struct stat& node, const Paths& paths) {
    std::vector<Holder> holders;
    const QDir proc(paths.proc());
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const long pid = entry.toLong(&isPid);
        if (!isPid)
            continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        const QStringList links = fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        const bool holds = std::any_of(links.begin(), links.end(), [&](const QString& fd) {
            struct stat st {};
            return ::stat(QFile::encodeName(fds.filePath(fd)).constData(), &st) == 0 && S_ISCHR(st.st_mode) &&
                   st.st_rdev == node.st_rdev;
        });
        if (holds)
            holders.push_back({readFirstLine(proc.filePath(entry + QStringLiteral("/comm"))), pid});
    }
    return holders;
}

PortFinding identify(const QString& port, const QString& path, const QString& tty, const QString& usb,
                     const Paths& paths) {
    QStringList parts;
    const QString byIdFolder = paths.dev() + QStringLiteral("/serial/by-id/");
    const QString byId =
        path.startsWith(byIdFolder) ? path : q(serialByIdName(path.toStdString(), paths.dev().toStdString()));
    if (!byId.isEmpty())
        parts << QStringLiteral("by-id: %1").arg(paths.shown(byId));
    const QString driver =
        QFileInfo(paths.sys() + QStringLiteral("/class/tty/") + tty + QStringLiteral("/device/driver"))
            .symLinkTarget();
    if (!driver.isEmpty())
        parts << QCoreApplication::translate("PortSelfTest", "Treiber %1").arg(QFileInfo(driver).fileName());
    if (!usb.isEmpty()) {
        QString text = QStringLiteral("USB %1:%2")
                           .arg(readFirstLine(usb + QStringLiteral("/idVendor")),
                                readFirstLine(usb + QStringLiteral("/idProduct")));
        const QString name = QStringList{readFirstLine(usb + QStringLiteral("/manufacturer")),
                                         readFirstLine(usb + QStringLiteral("/product"))}
                                 .join(QLatin1Char(' '))
                                 .trimmed();
        if (!name.isEmpty())
            text += QStringLiteral(" „%1“").arg(name);
        parts << text;
    }
    QString text =
        QCoreApplication::translate("PortSelfTest", "%1 ist das Gerät %2").arg(port, paths.shown(path));
    if (!parts.isEmpty())
        text += QStringLiteral(" (%1)").arg(parts.join(QStringLiteral(", ")));
    return {FindingSeverity::Ok, text + QLatin1Char('.')};
}

PortFinding permission(const QString& shownPath, const struct stat& node,
                       const PortSelfTestEnvironment& env) {
    const QString group = env.GroupName ? q(env.GroupName(node.st_gid)) : QString();
    const QString groupText = group.isEmpty() ? QString::number(node.st_gid) : group;
    const QString rights = QCoreApplication::translate("PortSelfTest", "Rechte %1, Besitzer %2, Gruppe %3")
                               .arg(modeText(node.st_mode), userName(node.st_uid), groupText);
    const bool member = std::find(env.Gids.begin(), env.Gids.end(), node.st_gid) != env.Gids.end();
    const auto rw = [&](mode_t bits) { return (node.st_mode & bits) == bits; };
    const bool may = env.Uid == 0 || (env.Uid == node.st_uid && rw(S_IRUSR | S_IWUSR)) ||
                     (member && rw(S_IRGRP | S_IWGRP)) || rw(S_IROTH | S_IWOTH);
    if (may)
        return {
            FindingSeverity::Ok,
            QCoreApplication::translate("PortSelfTest", "Sie dürfen %1 öffnen (%2).").arg(shownPath, rights)};

    QString text = QCoreApplication::translate("PortSelfTest", "Sie dürfen %1 nicht öffnen (%2). ")
                       .arg(shownPath, rights);
    const QString user = env.UserName.empty() ? QStringLiteral("$USER") : q(env.UserName);
    if (!rw(S_IRGRP | S_IWGRP))
        text += QCoreApplication::translate(
                    "PortSelfTest",
                    "Die Gruppe %1 hat keine Lese- und Schreibrechte; bis zum nächsten Einstecken "
                    "hilft\n  sudo chmod g+rw %2\n")
                    .arg(groupText, shownPath);
    if (!member && !group.isEmpty())
        text += QCoreApplication::translate(
                    "PortSelfTest",
                    "Dazu braucht es die Gruppe %1. Fügen Sie sich mit\n  sudo usermod -aG %1 %2\nhinzu "
                    "und melden Sie sich danach ab und wieder an.")
                    .arg(group, user);
    return {FindingSeverity::Error, text.trimmed()};
}

PortFinding holders(const QString& path, const QString& shownPath, const struct stat& node, bool mayOpen,
                    const Paths& paths, const PortSelfTestEnvironment& env) {
    QStringList others;
    bool self = false;
    for (const Holder& h : holdersOf(node, paths)) {
        if (h.pid == env.OwnPid)
            self = true;
        else
            others << QCoreApplication::translate("PortSelfTest", "%1 (Prozess %2)")
                          .arg(h.name.isEmpty() ? QStringLiteral("?") : h.name)
                          .arg(h.pid);
    }
    if (!others.isEmpty())
        return {FindingSeverity::Error,
                QCoreApplication::translate("PortSelfTest",
                                            "%1 ist belegt von: %2. Beenden Sie dieses Programm, damit "
                                            "Vantro die Lichtschranke lesen kann.")
                    .arg(shownPath, others.join(QStringLiteral(", ")))};
    if (self)
        return {FindingSeverity::Ok,
                QCoreApplication::translate("PortSelfTest",
                                            "Vantro selbst hat %1 geöffnet, kein anderes Programm.")
                    .arg(shownPath)};
    // Programs of other users are not visible in /proc; the device's own lock still shows them.
    if (mayOpen && env.Root.empty() && probeComPort(path.toStdString()) == PortProbe::Busy)
        return {FindingSeverity::Error,
                QCoreApplication::translate("PortSelfTest",
                                            "%1 ist von einem Programm belegt, das hier nicht zu sehen "
                                            "ist (etwa eines anderen Benutzers).")
                    .arg(shownPath)};
    return {
        FindingSeverity::Ok,
        QCoreApplication::translate("PortSelfTest", "Kein anderes Programm hat %1 geöffnet.").arg(shownPath)};
}

PortFinding latency(const QString& tty, const QString& shownPath, const QString& usb, const Paths& paths) {
    if (usb.isEmpty())
        return {FindingSeverity::Ok,
                QCoreApplication::translate("PortSelfTest",
                                            "%1 ist kein USB-Adapter; es gibt keinen Latenz-Timer zu prüfen.")
                    .arg(shownPath)};
    const QString file =
        paths.sys() + QStringLiteral("/bus/usb-serial/devices/") + tty + QStringLiteral("/latency_timer");
    if (!QFileInfo::exists(file))
        return {
            FindingSeverity::Ok,
            QCoreApplication::translate(
                "PortSelfTest", "Der USB-Adapter %1 hat keinen Latenz-Timer; hier ist nichts einzustellen.")
                .arg(tty)};
    bool ok = false;
    const int ms = readFirstLine(file).toInt(&ok);
    if (!ok)
        return {
            FindingSeverity::Warning,
            QCoreApplication::translate("PortSelfTest", "Der Latenz-Timer von %1 (%2) ließ sich nicht lesen.")
                .arg(tty, paths.shown(file))};
    if (ms <= 1)
        return {FindingSeverity::Ok, QCoreApplication::translate(
                                         "PortSelfTest", "Latenz-Timer von %1: %2 ms – richtig eingestellt.")
                                         .arg(tty)
                                         .arg(ms)};
    QString installed;
    // The folders Debian 12's udev reads rules from.
    for (const char* folder : {"/etc/udev/rules.d/", "/run/udev/rules.d/", "/usr/local/lib/udev/rules.d/",
                               "/usr/lib/udev/rules.d/", "/lib/udev/rules.d/"}) {
        const QString rule = paths.root + QLatin1String(folder) + QLatin1String(LatencyRuleFile);
        if (installed.isEmpty() && QFileInfo::exists(rule))
            installed = paths.shown(rule);
    }
    const QString rule =
        installed.isEmpty()
            ? QCoreApplication::translate(
                  "PortSelfTest",
                  "Die mit Vantro gelieferte udev-Regel %1 stellt ihn beim Einstecken auf 1 ms, ist aber "
                  "nicht installiert: „cmake --install“ legt sie nach <Präfix>/lib/udev/rules.d (udev liest "
                  "/usr/lib und /usr/local/lib), oder kopieren Sie sie nach /etc/udev/rules.d; danach "
                  "den Adapter aus- und wieder einstecken.")
                  .arg(QLatin1String(LatencyRuleFile))
            : QCoreApplication::translate(
                  "PortSelfTest",
                  "Die udev-Regel %1, die ihn auf 1 ms stellt, ist installiert, wirkt aber erst, wenn "
                  "der Adapter aus- und wieder eingesteckt wird.")
                  .arg(installed);
    return {FindingSeverity::Warning,
            QCoreApplication::translate(
                "PortSelfTest",
                "Latenz-Timer von %1: %2 ms. Der Adapter meldet Änderungen erst nach bis zu %2 ms: "
                "Durchfahrten werden bis zu %2 ms zu spät gestempelt, und zwei kurz aufeinanderfolgende "
                "Durchfahrten können zu einer verschmelzen. %3 Sofort, bis zum nächsten Einstecken:\n"
                "  echo 1 | sudo tee %4")
                .arg(tty)
                .arg(ms)
                .arg(rule, paths.shown(file))};
}

} // namespace

PortSelfTestEnvironment PortSelfTestEnvironment::current() {
    PortSelfTestEnvironment env;
    env.Uid = ::getuid();
    env.OwnPid = ::getpid();
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        env.Gids.resize(count);
        env.Gids.resize(std::max(0, ::getgroups(count, env.Gids.data())));
    }
    env.Gids.push_back(::getgid());
    if (const passwd* pw = ::getpwuid(env.Uid))
        env.UserName = pw->pw_name;
    env.GroupName = [](gid_t gid) {
        const group* gr = ::getgrgid(gid);
        return gr ? std::string(gr->gr_name) : std::string();
    };
    return env;
}

std::vector<PortFinding> runPortSelfTest(const std::string& portName, const PortSelfTestEnvironment& env) {
    const Paths paths{q(env.Root)};
    const QString port = q(portName);
    const int n = comPortNumber(portName);
    if (n <= 0)
        return {{FindingSeverity::Error,
                 QCoreApplication::translate("PortSelfTest", "„%1“ ist kein Portname wie COM1 oder COM5.")
                     .arg(port)}};
    std::string device = comPortPath(portName);
    if (device.empty())
        return {{FindingSeverity::Error,
                 QCoreApplication::translate("PortSelfTest",
                                             "Für %1 ist kein Gerät eingetragen; legen Sie in den "
                                             "Einstellungen den Wert ComDevice%2 mit dem Gerätepfad an.")
                     .arg(port)
                     .arg(n)}};
    if (device.rfind("/dev/", 0) == 0)
        device = env.Root + device;
    const QString path = q(device);
    const QString shownPath = paths.shown(path);

    struct stat node {};
    if (::stat(device.c_str(), &node) != 0) {
        QString text = QCoreApplication::translate(
                           "PortSelfTest", "Das Gerät %1 für %2 gibt es nicht. Ist der Adapter eingesteckt?")
                           .arg(shownPath, port);
        const QStringList present = QDir(paths.dev() + QStringLiteral("/serial/by-id"))
                                        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        if (!present.isEmpty())
            text += QCoreApplication::translate(
                        "PortSelfTest",
                        " Angeschlossen sind: %1 – wählen Sie den Port, der zu einem davon führt.")
                        .arg(present.join(QStringLiteral(", ")));
        return {{FindingSeverity::Error, text}};
    }
    if (S_ISSOCK(node.st_mode)) {
        QString text =
            QCoreApplication::translate(
                "PortSelfTest", "%1 ist der Lichtschranken-Simulator (%2), kein USB-Gerät; es gibt keinen "
                                "Latenz-Timer zu prüfen.")
                .arg(port, shownPath);
        if (SerialSimDevice::isHeld(device))
            text += QCoreApplication::translate("PortSelfTest", " Vantro ist gerade mit ihm verbunden.");
        return {{FindingSeverity::Ok, text}};
    }
    if (!S_ISCHR(node.st_mode))
        return {{FindingSeverity::Error,
                 QCoreApplication::translate("PortSelfTest",
                                             "%1 ist keine Gerätedatei einer seriellen Schnittstelle.")
                     .arg(shownPath)}};

    const QString tty = ttyName(path, paths);
    const QString usb = usbDeviceFolder(tty, paths);
    std::vector<PortFinding> findings;
    findings.push_back(identify(port, path, tty, usb, paths));
    findings.push_back(permission(shownPath, node, env));
    findings.push_back(
        holders(path, shownPath, node, findings.back().Severity == FindingSeverity::Ok, paths, env));
    findings.push_back(latency(tty, shownPath, usb, paths));
    return findings;
}

} // namespace platform

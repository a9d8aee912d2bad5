#include "settings/ComDeviceOverrides.h"

#include "serial/SerialPortNames.h"
#include "settings/Registry.h"

#include <algorithm>

namespace platform {

int loadComDeviceOverrides(const Registry& registry) {
    static const QString Prefix = QStringLiteral("ComDevice");
    int loaded = 0;
    for (const QString& name : registry.GetValueNames()) {
        if (name.size() <= Prefix.size() || name.size() > Prefix.size() + 3 ||
            !name.startsWith(Prefix, Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int n = QStringView(name).mid(Prefix.size()).toInt(&ok);
        const bool digitsOnly = std::all_of(name.begin() + Prefix.size(), name.end(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!ok || !digitsOnly || n < 1 || n > 255 || registry.GetDataType(name) != RegDataType::String)
            continue;
        setComDeviceOverride(n, registry.ReadString(name).toStdString());
        ++loaded;
    }
    return loaded;
}

} // namespace platform

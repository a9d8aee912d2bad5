// Settings file: a file that parses writes back to one that parses to the same keys and values,
// and writing it once more changes nothing; any text stored under any storable name reads back
// identical.
#include "FuzzCheck.h"
#include "settings/RegistryFile.h"

using platform::RegDataType;
using platform::RegistryFile;
using platform::RegistryValue;

namespace {

bool sameValue(const RegistryValue& a, const RegistryValue& b) {
    if (a.Type != b.Type || a.Name != b.Name)
        return false;
    switch (a.Type) {
    case RegDataType::Integer:
        return a.Dword == b.Dword;
    case RegDataType::String:
    case RegDataType::ExpandString:
        return a.Text == b.Text;
    default:
        return a.Raw == b.Raw;
    }
}

void checkSameContents(const RegistryFile& a, const RegistryFile& b) {
    FUZZ_CHECK(a.keys() == b.keys(), "the same keys in the same order");
    for (const QStringList& key : a.keys()) {
        FUZZ_CHECK(b.hasKey(key), "every key is there");
        const QStringList names = a.valueNames(key);
        FUZZ_CHECK(names == b.valueNames(key), "the same value names");
        for (const QString& name : names) {
            const RegistryValue* va = a.findValue(key, name);
            const RegistryValue* vb = b.findValue(key, name);
            FUZZ_CHECK(va && vb, "every listed value is found");
            FUZZ_CHECK(sameValue(*va, *vb), "every value is the same");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    RegistryFile file;
    QString error;
    if (file.parse(bytes, error)) {
        const QByteArray written = file.serialize();
        RegistryFile again;
        FUZZ_CHECK(again.parse(written, error), "what was read can be written and read");
        checkSameContents(file, again);
        FUZZ_CHECK(again.serialize() == written, "writing is stable");
    } else {
        FUZZ_CHECK(!error.isEmpty(), "a refused file says why");
    }

    // The input as a name and a text (UTF-16 code units, split at the first U+FFFF) written from
    // the program.
    const QString units = fuzzUtf16(data, size);
    const qsizetype cut = units.indexOf(QChar(0xFFFF));
    const QString name = cut < 0 ? QStringLiteral("v") : units.left(cut);
    if (!RegistryFile::isStorableName(name))
        return 0;
    RegistryValue v;
    v.Name = name;
    v.Type = RegDataType::String;
    v.Text = cut < 0 ? units : units.mid(cut + 1);
    const QStringList key{QStringLiteral("HKEY_CURRENT_USER"), QStringLiteral("Software"),
                          QStringLiteral("Vantro")};
    RegistryFile written;
    written.setValue(key, v);
    RegistryFile read;
    FUZZ_CHECK(read.parse(written.serialize(), error), "a written value can be read");
    const RegistryValue* back = read.findValue(key, name);
    FUZZ_CHECK(back && back->Type == RegDataType::String && back->Text == v.Text && back->Name == name,
               "any text reads back identical");
    return 0;
}

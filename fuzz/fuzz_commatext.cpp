// Comma text: any line parses to items that write and parse back to the same items, and any list
// of items written as comma text parses back to that list.
#include "FuzzCheck.h"
#include "core/CommaText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input read as a line, half as UTF-8 (the files) and half as raw UTF-16 code units.
    const QString line = (size % 2 == 0)
                             ? fuzzUtf16(data, size)
                             : QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList items = ParseCommaText(line);
    FUZZ_CHECK(items.size() <= line.size() + 1, "no more items than characters and a trailing comma");
    const QString written = ToCommaText(items);
    FUZZ_CHECK(ParseCommaText(written) == items, "parse -> write -> parse keeps the items");
    QString appended = QStringLiteral("x");
    AppendCommaText(appended, items);
    FUZZ_CHECK(appended.mid(1) == written, "appending writes what ToCommaText writes");

    // The protocol file's reader (shared item texts) reads every line as the plain reader does,
    // also the same line twice, when its items come from the shared texts.
    static CommaTextReader reader;
    bool plainToEnd = false, sharedToEnd = false;
    const QStringList plain = ParseCommaText(QStringView(line), plainToEnd);
    FUZZ_CHECK(plain == items, "both plain readers agree");
    for (int pass = 0; pass < 2; ++pass) {
        FUZZ_CHECK(reader.Read(line, sharedToEnd) == plain,
                   "the sharing reader reads what the plain one reads");
        FUZZ_CHECK(sharedToEnd == plainToEnd, "both readers say alike whether the line was read whole");
    }
    FUZZ_CHECK(plainToEnd || line.contains(QChar(0)), "only a zero character cuts a line short");

    // The same input as a list of items, split at U+FFFF.
    const QStringList list = line.split(QChar(0xFFFF));
    FUZZ_CHECK(ParseCommaText(ToCommaText(list)) == list, "write -> parse keeps any list");
    return 0;
}

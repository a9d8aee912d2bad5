// Start list: any bytes either give problems or competitors that each have a number in range and a
// name, with no number twice; and a list that was read writes and reads back the same.
#include "FuzzCheck.h"
#include "event/StartList.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (StartListMode mode : {StartListMode::AllOrNothing, StartListMode::SkipErrorLines}) {
        const StartListResult r = readStartList(bytes, mode);
        FUZZ_CHECK(mode == StartListMode::SkipErrorLines || !r.hasErrors() || r.competitors.isEmpty(),
                   "nothing is imported when there is an error");
        QSet<int> numbers;
        for (const Competitor& c : r.competitors) {
            FUZZ_CHECK(c.startNumber >= 1 && c.startNumber <= 65535, "start number in range");
            FUZZ_CHECK(!c.displayName().trimmed().isEmpty(), "every competitor has a name");
            FUZZ_CHECK(!numbers.contains(c.startNumber), "no start number twice");
            numbers.insert(c.startNumber);
        }
        if (r.competitors.isEmpty())
            continue;
        const StartListResult again = readStartList(startListFileBytes(r.competitors));
        FUZZ_CHECK(!again.hasErrors(), "a written list reads without errors");
        FUZZ_CHECK(again.competitors == r.competitors, "read(write(list)) == list");
    }
    return 0;
}

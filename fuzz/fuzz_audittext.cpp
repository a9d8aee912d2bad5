// Audit texts as an event file stores them: any text is shown without a crash, and without a
// translation installed (the program speaking German) exactly as it was stored.
#include "FuzzCheck.h"
#include "event/AuditTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString stored = fuzzUtf16(data, size);
    FUZZ_CHECK(auditText(stored) == stored, "German is shown as stored");
    return 0;
}

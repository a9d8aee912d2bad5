// Audit entries are kept in German whatever language the interface speaks, so an event file reads
// the same on every machine, and are shown in the program's language where that can be done.
#include "event/AuditTexts.h"
#include "event/EventModel.h"
#include "event/SetPenaltiesCommand.h"
#include "event/SetRunStatusCommand.h"
#include "tests/support/WidgetTexts.h"

#include <gtest/gtest.h>

using testsupport::ScopedLanguage;

TEST(AuditTexts, ChangesAreStoredInGermanAndShownInTheProgramsLanguage) {
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    EventModel model(EventData{});
    RunRecord r;
    r.startNumber = 7;
    r.runTimeMs = 40000;
    const int64_t id = model.addRun(r);

    SetPenaltiesCommand penalties(model, id, 1, 0, QStringLiteral("Protest"));
    penalties.redo();
    EXPECT_EQ(penalties.text(), "Penalties") << "the undo menu speaks the interface's language";
    SetRunStatusCommand status(model, id, RunStatus::Disqualified, QStringLiteral("Frühstart"), QString());
    status.redo();
    ASSERT_EQ(model.data().audit.size(), 2);
    const AuditEntry& stored = model.data().audit[0];
    EXPECT_EQ(stored.what, "Strafen");
    EXPECT_EQ(stored.oldValue, "Pylonen 0, Tore 0");
    EXPECT_EQ(stored.newValue, "Pylonen 1, Tore 0");
    EXPECT_EQ(model.data().audit[1].newValue, "disqualifiziert (Frühstart)");

    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"Strafen", "Penalties"},
        {"Pylonen 1, Tore 0", "Cones 1, gates 0"},
        {"disqualifiziert (Frühstart)", "disqualified (Frühstart)"},
        {"Klasse: K2; gelöscht: ja", "Class: K2; deleted: yes"},
        {"Abbruch, Laufzeit 40,00 s, 61,20 km/h", "did not finish, Run time 40,00 s, 61,20 km/h"},
        {"Startliste Nr. 7", "Start list no. 7"},
        {"3 neu, 1 geändert, aus liste %2.csv", "3 new, 1 changed, from liste %2.csv"},
        // What a person wrote, and the summary of the rules, stay as they were stored.
        {"Frühstart", "Frühstart"},
        {"bester Lauf; Pylone 2 s, Tor 10 s", "bester Lauf; Pylone 2 s, Tor 10 s"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(auditText(QString::fromUtf8(c.stored)).toStdString(), c.shown);
    // A damaged file's text is not cut at a NUL into a known word.
    const QString damaged = QStringLiteral("Strafen") + QChar(0) + QStringLiteral("x");
    EXPECT_EQ(auditText(damaged), damaged);
}

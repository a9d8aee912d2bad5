<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>ImpulseListModel</name>
    <message>
        <source>Uhrzeit</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <source>Tick</source>
        <translation>Tick</translation>
    </message>
    <message>
        <source>Wirkung</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>Lauf</source>
        <translation>Run</translation>
    </message>
</context>
<context>
    <name>ImpulseLog</name>
    <message>
        <source>Impuls als %1</source>
        <translation>Impulse as %1</translation>
    </message>
    <message>
        <source>Impuls von %1</source>
        <translation>Impulse of %1</translation>
    </message>
    <message>
        <source>Bitte zuerst einen Impuls in der Liste wählen.</source>
        <translation>Please choose an impulse in the list first.</translation>
    </message>
    <message>
        <source>Dieser Impuls ist bereits als %1 übernommen.</source>
        <translation>This impulse has already been taken as %1.</translation>
    </message>
    <message>
        <source>Dieser Impuls hat %1 ausgelöst; übernommen werden können nur ignorierte Impulse.</source>
        <translation>This impulse triggered %1; only ignored impulses can be taken.</translation>
    </message>
    <message>
        <source>Zu diesem Impuls gehört kein Lauf.</source>
        <translation>No run belongs to this impulse.</translation>
    </message>
    <message>
        <source>%1 wurde von Hand gestartet: ohne den Impuls seines STARTs lässt sich keine Zeit berechnen.</source>
        <translation>%1 was started by hand: without the impulse of its START no time can be computed.</translation>
    </message>
    <message>
        <source>Der Impuls liegt nicht nach dem START des Laufs.</source>
        <translation>The impulse is not after the START of the run.</translation>
    </message>
    <message>
        <source>Der Impuls liegt nach dem STOP des Laufs; als LAP kommt er nicht in Frage.</source>
        <translation>The impulse is after the STOP of the run; it cannot be its LAP.</translation>
    </message>
    <message>
        <source>Der Lauf hat keine Zwischenzeit (LAP): nehmen Sie zuerst einen Impuls als LAP.</source>
        <translation>The run has no lap time (LAP): first take an impulse as LAP.</translation>
    </message>
    <message>
        <source>Der Impuls liegt vor dem LAP des Laufs; als STOP kommt er nicht in Frage.</source>
        <translation>The impulse is before the LAP of the run; it cannot be its STOP.</translation>
    </message>
    <message>
        <source>als %1 übernommen%2</source>
        <translation>taken as %1%2</translation>
    </message>
    <message>
        <source>LAP, ersetzt</source>
        <translation>LAP, replaced</translation>
    </message>
    <message>
        <source>STOP, ersetzt</source>
        <translation>STOP, replaced</translation>
    </message>
    <message>
        <source>ignoriert (Sperrzeit)</source>
        <translation>ignored (lockout)</translation>
    </message>
    <message>
        <source>ignoriert (nach STOP)</source>
        <translation>ignored (after STOP)</translation>
    </message>
    <message>
        <source>ignoriert (kein Lauf)</source>
        <translation>ignored (no run)</translation>
    </message>
    <message>
        <source>Nr. %1</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>Lauf ohne Nummer</source>
        <translation>Run without number</translation>
    </message>
    <message>
        <source>, Start %1</source>
        <translation>, start %1</translation>
    </message>
    <message>
        <source> (von Hand gestartet)</source>
        <translation> (started by hand)</translation>
    </message>
    <message>
        <source>, ersetzt</source>
        <translation>, replaced</translation>
    </message>
</context>
<context>
    <name>ImpulseWindow</name>
    <message>
        <source>Impulse</source>
        <translation>Impulses</translation>
    </message>
    <message>
        <source>Ein ignorierter Impuls (Sperrzeit, nach STOP) kann als fehlender LAP oder STOP seines Laufs übernommen werden.</source>
        <translation>An ignored impulse (lockout, after STOP) can be taken as the missing LAP or STOP of its run.</translation>
    </message>
    <message>
        <source>Als &amp;LAP übernehmen</source>
        <translation>Take as &amp;LAP</translation>
    </message>
    <message>
        <source>Als &amp;STOP übernehmen</source>
        <translation>Take as &amp;STOP</translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Wiederholen</source>
        <translation>&amp;Redo</translation>
    </message>
</context>
</TS>

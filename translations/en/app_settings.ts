<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>PortSelfTestDialog</name>
    <message>
        <source>Lichtschranke prüfen</source>
        <translation>Check light barrier</translation>
    </message>
    <message>
        <source>Erneut prüfen</source>
        <translation>Check again</translation>
    </message>
    <message>
        <source>Testmodus starten</source>
        <translation>Start test mode</translation>
    </message>
    <message>
        <source>Im Testmodus zählt jede Durchfahrt, ohne einen Lauf zu starten. Fahren oder gehen Sie mehrmals durch die Lichtschranke: Abstände unter 0,5 s sind meist Doppelflanken einer Durchfahrt.</source>
        <translation>In test mode every pass is counted without starting a run. Drive or walk through the light barrier several times: gaps under 0.5 s are mostly double edges of one pass.</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Lichtschranke an %1</source>
        <translation>Light barrier at %1</translation>
    </message>
    <message>
        <source>&lt;p&gt;Alles in Ordnung. Prüfen Sie die Lichtschranke selbst mit dem Testmodus.&lt;/p&gt;</source>
        <translation>&lt;p&gt;All in order. Check the light barrier itself with the test mode.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Testmodus beenden</source>
        <translation>End test mode</translation>
    </message>
    <message>
        <source>  Doppelflanke?</source>
        <translation>  double edge?</translation>
    </message>
    <message>
        <source>Testmodus aus.</source>
        <translation>Test mode off.</translation>
    </message>
    <message>
        <source>Durchfahrten: %1</source>
        <translation>Passes: %1</translation>
    </message>
    <message>
        <source> · kürzester Abstand: %1 ms</source>
        <translation> · shortest gap: %1 ms</translation>
    </message>
    <message>
        <source> · längste Doppelflanke: %1 ms · Vorschlag Sperrzeit: %2 ms</source>
        <translation> · longest double edge: %1 ms · suggested lockout: %2 ms</translation>
    </message>
    <message>
        <source> · keine Doppelflanken</source>
        <translation> · no double edges</translation>
    </message>
    <message>
        <source>Sperrzeit %1 ms übernehmen</source>
        <translation>Use lockout %1 ms</translation>
    </message>
    <message>
        <source>Sperrzeit übernehmen</source>
        <translation>Use lockout</translation>
    </message>
</context>
<context>
    <name>TCfgDialog</name>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Empfindlichkeit:</source>
        <translation>Precision:</translation>
    </message>
    <message>
        <source>Lichtschranke:</source>
        <translation>Light barrier:</translation>
    </message>
    <message>
        <source>Algorithmus:</source>
        <translation>Algorithm:</translation>
    </message>
    <message>
        <source>LS-Abstand (m):</source>
        <translation>Distance (m):</translation>
    </message>
    <message>
        <source>Sperrzeit (ms):</source>
        <translation>Lockout (ms):</translation>
    </message>
    <message>
        <source>Farbe</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Fenster:</source>
        <translation>Window:</translation>
    </message>
    <message>
        <source>Ziffern:</source>
        <translation>Digits:</translation>
    </message>
    <message>
        <source>ZiffernF:</source>
        <translation>DigitsF:</translation>
    </message>
    <message>
        <source>Gong</source>
        <translation>Gong</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Stopp:</source>
        <translation>Stop:</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Lichtschranke prüfen</source>
        <translation>Check light barrier</translation>
    </message>
    <message>
        <source>Alarmton</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Ein Ton, wenn die Lichtschranke während eines Laufs verloren geht</source>
        <translation>A sound when the light barrier is lost during a run</translation>
    </message>
    <message>
        <source>Sprache:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Wie das System</source>
        <translation>As the system</translation>
    </message>
    <message>
        <source>Gilt ab dem nächsten Start des Programms</source>
        <translation>Takes effect the next time the program starts</translation>
    </message>
    <message>
        <source>Vantro läuft noch ein zweites Mal mit diesen Einstellungen. Hier geänderte Werte werden gespeichert; das andere Programm übernimmt sie erst bei seinem nächsten Start.</source>
        <translation>Vantro is running a second time with these settings. Values changed here are saved; the other program takes them over only at its next start.</translation>
    </message>
    <message>
        <source>%1 (belegt oder nicht angeschlossen)</source>
        <translation>%1 (in use or not connected)</translation>
    </message>
</context>
</TS>

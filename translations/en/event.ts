<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AuditTexts</name>
    <message>
        <source>Startliste Nr. %1</source>
        <translation>Start list no. %1</translation>
    </message>
    <message>
        <source>Pylonen %1, Tore %2</source>
        <translation>Cones %1, gates %2</translation>
    </message>
    <message>
        <source>Zwischenzeit %1 s</source>
        <translation>Split time %1 s</translation>
    </message>
    <message>
        <source>Laufzeit %1 s</source>
        <translation>Run time %1 s</translation>
    </message>
    <message>
        <source>%1 km/h</source>
        <translation>%1 km/h</translation>
    </message>
    <message>
        <source>Eintrag Nr. %1 hinzugefügt</source>
        <translation>Entry no. %1 added</translation>
    </message>
    <message>
        <source>%1 neu, %2 geändert, aus %3</source>
        <translation>%1 new, %2 changed, from %3</translation>
    </message>
    <message>
        <source>Prüfen</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>prüfen</source>
        <translation>check</translation>
    </message>
    <message>
        <source>bestätigt</source>
        <translation>confirmed</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Verein</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Fahrzeug</source>
        <translation>Vehicle</translation>
    </message>
    <message>
        <source>Jahrgang</source>
        <translation>Year of birth</translation>
    </message>
    <message>
        <source>Geschlecht</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>w</source>
        <translation>f</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>gelöscht</source>
        <translation>deleted</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>nein</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Trainingslauf</source>
        <translation>Practice run</translation>
    </message>
    <message>
        <source>Startnummer</source>
        <translation>Start number</translation>
    </message>
    <message>
        <source>Korrekturgrund</source>
        <translation>Reason for correction</translation>
    </message>
    <message>
        <source>Strafen</source>
        <translation>Penalties</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>gewertet</source>
        <translation>counted</translation>
    </message>
    <message>
        <source>ungültig, Wiederholung</source>
        <translation>void, rerun</translation>
    </message>
</context>
<context>
    <name>EditCompetitorCommand</name>
    <message>
        <source>Startliste ändern</source>
        <translation>Edit start list</translation>
    </message>
    <message>
        <source>Diesen Eintrag gibt es in der Startliste nicht.</source>
        <translation>This entry is not in the start list.</translation>
    </message>
    <message>
        <source>Die Startnummer %1 liegt nicht zwischen 1 und 65535.</source>
        <translation>Start number %1 is not between 1 and 65535.</translation>
    </message>
    <message>
        <source>Die Startnummer %1 hat schon %2.</source>
        <translation>Start number %1 already belongs to %2.</translation>
    </message>
</context>
<context>
    <name>EventStore</name>
    <message>
        <source>Schreib- oder Lesefehler des Datenträgers</source>
        <translation>read or write error on the disk</translation>
    </message>
    <message>
        <source>Datei nicht gefunden</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>Version %1, dieses Programm kennt bis Version %2</source>
        <translation>version %1, this program knows up to version %2</translation>
    </message>
    <message>
        <source>Die Datei „%1“ ist keine Veranstaltungsdatei und wird nicht geöffnet.</source>
        <translation>The file “%1” is not an event file and will not be opened.</translation>
    </message>
    <message>
        <source>Die Veranstaltungsdatei „%1“ stammt von einer neueren Programmversion und wird nicht geöffnet.</source>
        <translation>The event file “%1” comes from a newer version of the program and will not be opened.</translation>
    </message>
    <message>
        <source>Die Veranstaltungsdatei „%1“ ist beschädigt und wird nicht geöffnet.</source>
        <translation>The event file “%1” is damaged and will not be opened.</translation>
    </message>
    <message>
        <source>In die Veranstaltungsdatei „%1“ kann nicht geschrieben werden (schreibgeschützt oder keine Berechtigung).</source>
        <translation>The event file “%1” cannot be written (read-only or no permission).</translation>
    </message>
    <message>
        <source>Der Datenträger ist voll: die Veranstaltungsdatei „%1“ kann nicht geschrieben werden.</source>
        <translation>The disk is full: the event file “%1” cannot be written.</translation>
    </message>
    <message>
        <source>Die Veranstaltungsdatei „%1“ gibt es schon; sie wird nicht überschrieben.</source>
        <translation>The event file “%1” already exists; it will not be overwritten.</translation>
    </message>
    <message>
        <source>Fehler bei der Veranstaltungsdatei „%1“.</source>
        <translation>Error in the event file “%1”.</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
</context>
<context>
    <name>Plausibility</name>
    <message>
        <source>Laufzeit %1 unter %2</source>
        <translation>run time %1 below %2</translation>
    </message>
    <message>
        <source>Laufzeit %1 über %2</source>
        <translation>run time %1 above %2</translation>
    </message>
    <message>
        <source>%1 über %2</source>
        <translation>%1 above %2</translation>
    </message>
    <message>
        <source>Nr. %1, Lauf %2 prüfen</source>
        <translation>Check no. %1, run %2</translation>
    </message>
    <message>
        <source>Nr. %1 prüfen</source>
        <translation>Check no. %1</translation>
    </message>
</context>
<context>
    <name>ResultTexts</name>
    <message>
        <source>%1 Pylone</source>
        <translation>%1 cone</translation>
    </message>
    <message>
        <source>%1 Pylonen</source>
        <translation>%1 cones</translation>
    </message>
    <message>
        <source>%1 Tor</source>
        <translation>%1 gate</translation>
    </message>
    <message>
        <source>%1 Tore</source>
        <translation>%1 gates</translation>
    </message>
    <message>
        <source>prüfen</source>
        <translation>check</translation>
    </message>
    <message>
        <source>ungültig</source>
        <translation>void</translation>
    </message>
    <message>
        <source>Training</source>
        <translation>practice</translation>
    </message>
    <message>
        <source>Streicher</source>
        <translation>dropped</translation>
    </message>
    <message>
        <source>korrigiert: %1</source>
        <translation>corrected: %1</translation>
    </message>
    <message>
        <source>unvollständig (%1 Lauf gewertet)</source>
        <translation>incomplete (%1 run counted)</translation>
    </message>
    <message>
        <source>unvollständig (%1 Läufe gewertet)</source>
        <translation>incomplete (%1 runs counted)</translation>
    </message>
    <message>
        <source>Lauf %1: %2</source>
        <translation>Run %1: %2</translation>
    </message>
</context>
<context>
    <name>ResultsExport</name>
    <message>
        <source>Die Datei „%1“ kann nicht geschrieben werden: %2</source>
        <translation>The file “%1” cannot be written: %2</translation>
    </message>
    <message>
        <source>Die Datei „%1“ kann nicht gespeichert werden: %2</source>
        <translation>The file “%1” cannot be saved: %2</translation>
    </message>
    <message>
        <source>das Zahlenformat des Programms ist nicht „C“ (interner Fehler)</source>
        <translation>the program’s number format is not “C” (internal error)</translation>
    </message>
    <message>
        <source>kein Schreibrecht in %1</source>
        <translation>no permission to write in %1</translation>
    </message>
    <message>
        <source>umbenennen von %1 misslang</source>
        <translation>renaming %1 failed</translation>
    </message>
    <message>
        <source>de</source>
        <comment>language code of the page</comment>
        <translation>en</translation>
    </message>
    <message>
        <source>Ergebnisse</source>
        <translation>Results</translation>
    </message>
</context>
<context>
    <name>ResultsSheet</name>
    <message>
        <source>ohne Klasse</source>
        <translation>no class</translation>
    </message>
    <message>
        <source>Klasse %1</source>
        <translation>Class %1</translation>
    </message>
    <message>
        <source>Platz</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Verein</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Lauf %1</source>
        <translation>Run %1</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Abstand</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>Abstand zum Vorderen</source>
        <translation>Gap ahead</translation>
    </message>
    <message>
        <source>Bemerkung</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>Gesamtwertung</source>
        <translation>Overall</translation>
    </message>
    <message>
        <source>Nr. %1</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>Mannschaftswertung</source>
        <translation>Team ranking</translation>
    </message>
    <message>
        <source>Fahrer</source>
        <translation>Drivers</translation>
    </message>
    <message>
        <source>unvollständig</source>
        <translation>incomplete</translation>
    </message>
    <message>
        <source>Ehrungen</source>
        <translation>Awards</translation>
    </message>
    <message>
        <source>Ehrung</source>
        <translation>Award</translation>
    </message>
    <message>
        <source>schnellstes Mädchen</source>
        <translation>fastest girl</translation>
    </message>
    <message>
        <source>schnellster Junge</source>
        <translation>fastest boy</translation>
    </message>
    <message>
        <source>Ergebnisliste</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Änderungsprotokoll</source>
        <translation>Change log</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Betrifft</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>Was</source>
        <translation>What</translation>
    </message>
    <message>
        <source>alt</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Grund</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>rückgängig</source>
        <translation>undone</translation>
    </message>
    <message>
        <source>wiederholt</source>
        <translation>redone</translation>
    </message>
    <message>
        <source>Änderung</source>
        <translation>change</translation>
    </message>
    <message>
        <source>Lauf %1 von Nr. %2</source>
        <translation>Run %1 of no. %2</translation>
    </message>
    <message>
        <source>Nr. %1 %2</source>
        <translation>No. %1 %2</translation>
    </message>
</context>
<context>
    <name>RunStatus</name>
    <message>
        <source>Abbruch</source>
        <translation>did not finish</translation>
    </message>
    <message>
        <source>nicht gestartet</source>
        <translation>did not start</translation>
    </message>
    <message>
        <source>disqualifiziert</source>
        <translation>disqualified</translation>
    </message>
</context>
<context>
    <name>StartList</name>
    <message>
        <source>Weitere Probleme werden nicht aufgeführt.</source>
        <translation>Further problems are not listed.</translation>
    </message>
    <message>
        <source>Die Datei ist mit %1 MB zu groß für eine Startliste (höchstens %2 MB).</source>
        <translation>At %1 MB the file is too large for a start list (at most %2 MB).</translation>
    </message>
    <message>
        <source>Die Datei ist keine Textdatei (sie enthält Binärdaten).</source>
        <translation>The file is not a text file (it contains binary data).</translation>
    </message>
    <message>
        <source>Die Datei ist leer.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Keine Kopfzeile gefunden: die erste Zeile muss die Spalten benennen, z. B. „Nr;Name;Klasse;Verein“.</source>
        <translation>No header line found: the first line must name the columns, e.g. “Nr;Name;Klasse;Verein”.</translation>
    </message>
    <message>
        <source>Die Spalte „Nr“ (Startnummer) fehlt.</source>
        <translation>The column “Nr” (start number) is missing.</translation>
    </message>
    <message>
        <source>Die Spalte „Name“ (oder „Vorname“ und „Nachname“) fehlt.</source>
        <translation>The column “Name” (or “Vorname” and “Nachname”) is missing.</translation>
    </message>
    <message>
        <source>Unbekannte Spalten werden nicht übernommen: %1.</source>
        <translation>Unknown columns are not imported: %1.</translation>
    </message>
    <message>
        <source>Die Startnummer fehlt.</source>
        <translation>The start number is missing.</translation>
    </message>
    <message>
        <source>Die Startnummer „%1“ ist keine Zahl.</source>
        <translation>The start number “%1” is not a number.</translation>
    </message>
    <message>
        <source>Die Startnummer %1 liegt nicht zwischen 1 und 65535.</source>
        <translation>Start number %1 is not between 1 and 65535.</translation>
    </message>
    <message>
        <source>Die Startnummer %1 steht schon in Zeile %2.</source>
        <translation>Start number %1 is already in line %2.</translation>
    </message>
    <message>
        <source>Der Name fehlt.</source>
        <translation>The name is missing.</translation>
    </message>
    <message>
        <source>Der Jahrgang „%1“ ist keine Jahreszahl.</source>
        <translation>The year of birth “%1” is not a year.</translation>
    </message>
    <message>
        <source>Das Geschlecht „%1“ ist unbekannt (m, w oder d).</source>
        <translation>The sex “%1” is unknown (m, w or d).</translation>
    </message>
    <message>
        <source>Die Startliste enthält keine Teilnehmer.</source>
        <translation>The start list has no competitors.</translation>
    </message>
</context>
</TS>

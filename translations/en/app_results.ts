<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AuditTableModel</name>
    <message>
        <source>Änderung</source>
        <translation>change</translation>
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
        <source>Lauf %1 von Nr. %2</source>
        <translation>Run %1 of no. %2</translation>
    </message>
    <message>
        <source>Nr. %1 %2</source>
        <translation>No. %1 %2</translation>
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
</context>
<context>
    <name>AuditTexts</name>
    <message>
        <source>Wertung</source>
        <translation>Scoring</translation>
    </message>
    <message>
        <source>Startliste</source>
        <translation>Start list</translation>
    </message>
    <message>
        <source>Eintrag Nr. %1 hinzugefügt</source>
        <translation>Entry no. %1 added</translation>
    </message>
    <message>
        <source>Startliste importiert</source>
        <translation>Start list imported</translation>
    </message>
    <message>
        <source>%1 neu, %2 geändert, aus %3</source>
        <translation>%1 new, %2 changed, from %3</translation>
    </message>
</context>
<context>
    <name>CompetitorTableModel</name>
    <message>
        <source>„%1“ ist keine Startnummer.</source>
        <translation>“%1” is not a start number.</translation>
    </message>
    <message>
        <source>„%1“ ist kein Jahrgang.</source>
        <translation>“%1” is not a year of birth.</translation>
    </message>
    <message>
        <source>Geschlecht: bitte „w“ oder „m“ eingeben.</source>
        <translation>Sex: please enter “f” or “m”.</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Vorname</source>
        <translation>First name</translation>
    </message>
    <message>
        <source>Nachname</source>
        <translation>Last name</translation>
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
</context>
<context>
    <name>EventCommands</name>
    <message>
        <source>Veranstaltung &amp;bearbeiten …</source>
        <translation>&amp;Edit event …</translation>
    </message>
    <message>
        <source>&amp;Neu …</source>
        <translation>&amp;New …</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen …</source>
        <translation>&amp;Open …</translation>
    </message>
    <message>
        <source>&amp;Kopie speichern unter …</source>
        <translation>Save &amp;copy as …</translation>
    </message>
    <message>
        <source>Startliste &amp;importieren …</source>
        <translation>&amp;Import start list …</translation>
    </message>
    <message>
        <source>Startliste e&amp;xportieren …</source>
        <translation>E&amp;xport start list …</translation>
    </message>
    <message>
        <source>Ergebnisliste &amp;drucken …</source>
        <translation>&amp;Print results …</translation>
    </message>
    <message>
        <source>Ergebnisse als &amp;CSV …</source>
        <translation>Results as &amp;CSV …</translation>
    </message>
    <message>
        <source>Ergebnisse als E&amp;xcel-Datei (.xlsx) …</source>
        <translation>Results as E&amp;xcel file (.xlsx) …</translation>
    </message>
    <message>
        <source>Ergebnisse als &amp;HTML-Seite …</source>
        <translation>Results as &amp;HTML page …</translation>
    </message>
    <message>
        <source>Neue Veranstaltung</source>
        <translation>New event</translation>
    </message>
    <message>
        <source>Veranstaltung (*.vantro)|*.vantro</source>
        <translation>Event (*.vantro)|*.vantro</translation>
    </message>
    <message>
        <source>Veranstaltung öffnen</source>
        <translation>Open event</translation>
    </message>
    <message>
        <source>Veranstaltung (*.vantro)|*.vantro|Alle Dateien|*</source>
        <translation>Event (*.vantro)|*.vantro|All files|*</translation>
    </message>
    <message>
        <source>Kopie der Veranstaltung speichern</source>
        <translation>Save copy of the event</translation>
    </message>
    <message>
        <source>Ergebnisliste %1</source>
        <translation>Results %1</translation>
    </message>
    <message>
        <source>Ergebnisse %1.%2</source>
        <translation>Results %1.%2</translation>
    </message>
    <message>
        <source>Veranstaltung</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Ergebnisse als CSV</source>
        <translation>Results as CSV</translation>
    </message>
    <message>
        <source>CSV-Datei (*.csv)|*.csv</source>
        <translation>CSV file (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Ergebnisse als Excel-Datei</source>
        <translation>Results as Excel file</translation>
    </message>
    <message>
        <source>Excel-Arbeitsmappe (*.xlsx)|*.xlsx</source>
        <translation>Excel workbook (*.xlsx)|*.xlsx</translation>
    </message>
    <message>
        <source>Ergebnisse als HTML-Seite</source>
        <translation>Results as HTML page</translation>
    </message>
    <message>
        <source>HTML-Seite (*.html)|*.html</source>
        <translation>HTML page (*.html)|*.html</translation>
    </message>
</context>
<context>
    <name>EventDialog</name>
    <message>
        <source>Veranstaltung</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Datum:</source>
        <translation>&amp;Date:</translation>
    </message>
    <message>
        <source>&amp;Ort:</source>
        <translation>&amp;Place:</translation>
    </message>
    <message>
        <source>Datei: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>bester Lauf</source>
        <translation>best run</translation>
    </message>
    <message>
        <source>Summe aller Läufe</source>
        <translation>sum of all runs</translation>
    </message>
    <message>
        <source>Summe der besten N von M</source>
        <translation>sum of the best N of M</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Der erste Lauf jedes Fahrers ist ein Trainingslauf</source>
        <translation>Each driver’s first run is a practice run</translation>
    </message>
    <message>
        <source>&amp;Wertung:</source>
        <translation>&amp;Scoring:</translation>
    </message>
    <message>
        <source>Beste &amp;N:</source>
        <translation>Best &amp;N:</translation>
    </message>
    <message>
        <source>Strafe je &amp;Pylone:</source>
        <translation>Penalty per &amp;cone:</translation>
    </message>
    <message>
        <source>Strafe je &amp;Tor/Aufgabe:</source>
        <translation>Penalty per &amp;gate/task:</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source> km/h</source>
        <translation> km/h</translation>
    </message>
    <message>
        <source>Laufzeit &amp;mindestens:</source>
        <translation>Run time at &amp;least:</translation>
    </message>
    <message>
        <source>Laufzeit &amp;höchstens:</source>
        <translation>Run time at &amp;most:</translation>
    </message>
    <message>
        <source>&amp;Geschwindigkeit höchstens:</source>
        <translation>&amp;Speed at most:</translation>
    </message>
    <message>
        <source>Wertung</source>
        <translation>Scoring</translation>
    </message>
    <message>
        <source>Fahrer ohne Klasse bekommen die Klasse ihres Jahrgangs:</source>
        <translation>Drivers without a class get the class of their year of birth:</translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Jahrgang von</source>
        <translation>Born from</translation>
    </message>
    <message>
        <source>Jahrgang bis</source>
        <translation>Born to</translation>
    </message>
    <message>
        <source>Klasse hinzufügen</source>
        <translation>Add class</translation>
    </message>
    <message>
        <source>Klasse entfernen</source>
        <translation>Remove class</translation>
    </message>
    <message>
        <source>Klassen</source>
        <translation>Classes</translation>
    </message>
    <message>
        <source>Mannschaftswertung aus der Spalte Verein</source>
        <translation>Team ranking by the club column</translation>
    </message>
    <message>
        <source>Fahrer einer Mannschaft aus verschiedenen Klassen</source>
        <translation>A team’s drivers from different classes</translation>
    </message>
    <message>
        <source>Summe der Ergebnisse</source>
        <translation>sum of the results</translation>
    </message>
    <message>
        <source>Summe der Klassenplätze</source>
        <translation>sum of the class places</translation>
    </message>
    <message>
        <source>Fahrer je Mannschaft höchstens:</source>
        <translation>Drivers per team at most:</translation>
    </message>
    <message>
        <source>Mannschaftsergebnis:</source>
        <translation>Team result:</translation>
    </message>
    <message>
        <source>Mannschaften</source>
        <translation>Teams</translation>
    </message>
    <message>
        <source>&amp;Importieren …</source>
        <translation>&amp;Import …</translation>
    </message>
    <message>
        <source>E&amp;xportieren …</source>
        <translation>E&amp;xport …</translation>
    </message>
    <message>
        <source>Eintrag &amp;hinzufügen</source>
        <translation>&amp;Add entry</translation>
    </message>
    <message>
        <source>Eintrag &amp;entfernen</source>
        <translation>&amp;Remove entry</translation>
    </message>
    <message>
        <source>Startliste</source>
        <translation>Start list</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Die kürzeste Laufzeit ist länger als die längste.</source>
        <translation>The shortest run time is longer than the longest.</translation>
    </message>
    <message>
        <source>Klassentabelle, Zeile %1: bitte eine Klasse und die Jahrgänge von–bis (der erste nicht größer als der zweite) eingeben.</source>
        <translation>Class table, row %1: please enter a class and the years of birth from–to (the first not greater than the second).</translation>
    </message>
    <message>
        <source>Startliste importieren</source>
        <translation>Import start list</translation>
    </message>
    <message>
        <source>Startliste (*.csv;*.txt)|*.csv;*.txt|Alle Dateien|*</source>
        <translation>Start list (*.csv;*.txt)|*.csv;*.txt|All files|*</translation>
    </message>
    <message>
        <source>Startliste exportieren</source>
        <translation>Export start list</translation>
    </message>
    <message>
        <source>Startliste (*.csv)|*.csv</source>
        <translation>Start list (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Startliste.csv</source>
        <translation>start-list.csv</translation>
    </message>
    <message>
        <source>(neu)</source>
        <translation>(new)</translation>
    </message>
</context>
<context>
    <name>EventDocument</name>
    <message>
        <source>Es ist keine Veranstaltung geöffnet.</source>
        <translation>No event is open.</translation>
    </message>
</context>
<context>
    <name>ResultsPrint</name>
    <message>
        <source>%1 (Fortsetzung)</source>
        <translation>%1 (continued)</translation>
    </message>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Es ist kein Drucker eingerichtet. Unter „Drucker“ lässt sich auch eine PDF-Datei wählen.</source>
        <translation>No printer is set up. Under “Printer” a PDF file can be chosen as well.</translation>
    </message>
    <message>
        <source>Die Ergebnisliste konnte nicht gedruckt werden: %1</source>
        <translation>The results could not be printed: %1</translation>
    </message>
</context>
<context>
    <name>ResultsSheet</name>
    <message>
        <source>Bemerkung</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>Gesamtwertung</source>
        <translation>Overall</translation>
    </message>
</context>
<context>
    <name>ResultsWindow</name>
    <message>
        <source>Ergebnisse</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Disqualifizieren</source>
        <translation>Disqualify</translation>
    </message>
    <message>
        <source>Grund der Disqualifikation:</source>
        <translation>Reason for disqualification:</translation>
    </message>
    <message>
        <source>&amp;Läufe</source>
        <translation>&amp;Runs</translation>
    </message>
    <message>
        <source>Wertung:</source>
        <translation>Ranking:</translation>
    </message>
    <message>
        <source>&amp;Wertung</source>
        <translation>R&amp;anking</translation>
    </message>
    <message>
        <source>Ä&amp;nderungen</source>
        <translation>&amp;Changes</translation>
    </message>
    <message>
        <source>&amp;Veranstaltung</source>
        <translation>&amp;Event</translation>
    </message>
    <message>
        <source>Fenster &amp;schließen</source>
        <translation>&amp;Close window</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Wiederholen</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Ergebnisse – %1</source>
        <translation>Results – %1</translation>
    </message>
    <message>
        <source>Keine Veranstaltung geöffnet</source>
        <translation>No event open</translation>
    </message>
    <message>
        <source>Die Veranstaltung kann gerade nicht gespeichert werden: %1
Die Läufe bleiben im Speicher und im Protokoll und werden gespeichert, sobald es wieder geht.</source>
        <translation>The event cannot be saved right now: %1
The runs stay in memory and in the protocol and will be saved as soon as possible.</translation>
    </message>
    <message>
        <source>Lauf verschieben</source>
        <translation>Move run</translation>
    </message>
    <message>
        <source>Lauf %1 von Nr. %2 gehört zur Startnummer:</source>
        <translation>Run %1 of no. %2 belongs to start number:</translation>
    </message>
    <message>
        <source>Korrektur nach Protest</source>
        <translation>Correction after protest</translation>
    </message>
    <message>
        <source>Was wurde korrigiert und warum (erscheint in der Ergebnisliste):</source>
        <translation>What was corrected and why (shown in the results):</translation>
    </message>
    <message>
        <source>Lauf auf andere Start&amp;nummer …</source>
        <translation>Move run to other start &amp;number …</translation>
    </message>
    <message>
        <source>&amp;Disqualifizieren …</source>
        <translation>&amp;Disqualify …</translation>
    </message>
    <message>
        <source>Nicht ge&amp;startet</source>
        <translation>Did not &amp;start</translation>
    </message>
    <message>
        <source>&amp;Ungültig, Wiederholung (an/aus)</source>
        <translation>&amp;Void, rerun (on/off)</translation>
    </message>
    <message>
        <source>Als gelöscht &amp;markieren (an/aus)</source>
        <translation>&amp;Mark as deleted (on/off)</translation>
    </message>
    <message>
        <source>&amp;Korrektur nach Protest …</source>
        <translation>&amp;Correction after protest …</translation>
    </message>
    <message>
        <source>Geprüft, &amp;bestätigen</source>
        <translation>Checked, &amp;confirm</translation>
    </message>
</context>
<context>
    <name>RunsTableModel</name>
    <message>
        <source>gelöscht</source>
        <translation>deleted</translation>
    </message>
    <message>
        <source>Training</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>Streicher</source>
        <translation>dropped</translation>
    </message>
    <message>
        <source>zählt</source>
        <translation>counts</translation>
    </message>
    <message>
        <source>prüfen</source>
        <translation>check</translation>
    </message>
    <message>
        <source>Bitte eine Anzahl von 0 bis 999 eingeben.</source>
        <translation>Please enter a number from 0 to 999.</translation>
    </message>
    <message>
        <source>Die Startnummer muss eine Zahl von 1 bis 65535 sein.</source>
        <translation>The start number must be a number from 1 to 65535.</translation>
    </message>
    <message>
        <source>Unbekannter Status „%1“.</source>
        <translation>Unknown status “%1”.</translation>
    </message>
    <message>
        <source>Ein Lauf ohne Zeit kann nicht gewertet werden.</source>
        <translation>A run without a time cannot be counted.</translation>
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
        <source>Lauf</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Pylonen</source>
        <translation>Cones</translation>
    </message>
    <message>
        <source>Tore</source>
        <translation>Gates</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>ungültig</source>
        <translation>Void</translation>
    </message>
    <message>
        <source>Wertung</source>
        <translation>Counts</translation>
    </message>
    <message>
        <source>Korrektur</source>
        <translation>Correction</translation>
    </message>
</context>
<context>
    <name>StartListImportDialog</name>
    <message>
        <source>Startliste importieren</source>
        <translation>Import start list</translation>
    </message>
    <message>
        <source>Probleme:</source>
        <translation>Problems:</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Fehlerhafte Zeilen überspringen</source>
        <translation>Skip faulty lines</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Die Datei %1 lässt sich nicht lesen.</source>
        <translation>The file %1 cannot be read.</translation>
    </message>
    <message>
        <source>Startliste importieren – %1</source>
        <translation>Import start list – %1</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Vorname</source>
        <translation>First name</translation>
    </message>
    <message>
        <source>Nachname</source>
        <translation>Last name</translation>
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
        <source>Zeile %1: </source>
        <translation>Line %1: </translation>
    </message>
    <message>
        <source>Hinweis: </source>
        <translation>Note: </translation>
    </message>
    <message numerus="yes">
        <source>%n Einträge werden importiert.</source>
        <translation>
            <numerusform>%n entry will be imported.</numerusform>
            <numerusform>%n entries will be imported.</numerusform>
        </translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht importieren. Es wird nichts übernommen.</source>
        <translation>The file cannot be imported. Nothing is taken over.</translation>
    </message>
    <message>
        <source>%1 Zeilen haben Fehler. Es wird nichts importiert, bis sie in der Datei korrigiert sind oder übersprungen werden.</source>
        <translation>%1 lines have errors. Nothing is imported until they are corrected in the file or skipped.</translation>
    </message>
    <message>
        <source>w</source>
        <translation>f</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
</context>
</TS>

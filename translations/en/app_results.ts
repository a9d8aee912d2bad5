<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AuditTableModel</name>
    <message>
        <source>Änderung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rückgängig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wiederholt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lauf %1 von Nr. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr. %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompetitorTableModel</name>
    <message>
        <source>„%1“ ist keine Startnummer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ ist kein Jahrgang.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Geschlecht: bitte „w“ oder „m“ eingeben.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventCommands</name>
    <message>
        <source>Veranstaltung &amp;bearbeiten …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Neu …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ö&amp;ffnen …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Kopie speichern unter …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste &amp;importieren …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste e&amp;xportieren …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisliste &amp;drucken …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse als &amp;CSV …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse als E&amp;xcel-Datei (.xlsx) …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse als &amp;HTML-Seite …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neue Veranstaltung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veranstaltung (*.vantro)|*.vantro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veranstaltung öffnen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veranstaltung (*.vantro)|*.vantro|Alle Dateien|*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kopie der Veranstaltung speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisliste %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse %1.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veranstaltung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse als CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV-Datei (*.csv)|*.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse als Excel-Datei</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel-Arbeitsmappe (*.xlsx)|*.xlsx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse als HTML-Seite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML-Seite (*.html)|*.html</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventDialog</name>
    <message>
        <source>Veranstaltung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Datum:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ort:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bester Lauf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summe aller Läufe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summe der besten N von M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der erste Lauf jedes Fahrers ist ein Trainingslauf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wertung:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beste &amp;N:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strafe je &amp;Pylone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strafe je &amp;Tor/Aufgabe:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> km/h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laufzeit &amp;mindestens:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laufzeit &amp;höchstens:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Geschwindigkeit höchstens:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wertung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fahrer ohne Klasse bekommen die Klasse ihres Jahrgangs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jahrgang von</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jahrgang bis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klasse hinzufügen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klasse entfernen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klassen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mannschaftswertung aus der Spalte Verein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fahrer einer Mannschaft aus verschiedenen Klassen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summe der Ergebnisse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summe der Klassenplätze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fahrer je Mannschaft höchstens:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mannschaftsergebnis:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mannschaften</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Importieren …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xportieren …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eintrag &amp;hinzufügen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eintrag &amp;entfernen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die kürzeste Laufzeit ist länger als die längste.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klassentabelle, Zeile %1: bitte eine Klasse und die Jahrgänge von–bis (der erste nicht größer als der zweite) eingeben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste importieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste (*.csv;*.txt)|*.csv;*.txt|Alle Dateien|*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste exportieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste (*.csv)|*.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(neu)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eintrag Nr. %1 hinzugefügt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventDocument</name>
    <message>
        <source>Es ist keine Veranstaltung geöffnet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste importiert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 neu, %2 geändert, aus %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultsWindow</name>
    <message>
        <source>Ergebnisse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disqualifizieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grund der Disqualifikation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Läufe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wertung:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wertung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ä&amp;nderungen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Veranstaltung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenster &amp;schließen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wiederholen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnisse – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Veranstaltung geöffnet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Veranstaltung kann gerade nicht gespeichert werden: %1
Die Läufe bleiben im Speicher und im Protokoll und werden gespeichert, sobald es wieder geht.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lauf verschieben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lauf %1 von Nr. %2 gehört zur Startnummer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Korrektur nach Protest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Was wurde korrigiert und warum (erscheint in der Ergebnisliste):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunsTableModel</name>
    <message>
        <source>gelöscht</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Training</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Streicher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zählt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>prüfen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte eine Anzahl von 0 bis 999 eingeben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Startnummer muss eine Zahl von 1 bis 65535 sein.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unbekannter Status „%1“.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ein Lauf ohne Zeit kann nicht gewertet werden.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartListImportDialog</name>
    <message>
        <source>Startliste importieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Probleme:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlerhafte Zeilen überspringen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Datei %1 lässt sich nicht lesen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste importieren – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vorname</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nachname</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fahrzeug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jahrgang</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Geschlecht</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeile %1: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hinweis: </source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n Einträge werden importiert.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht importieren. Es wird nichts übernommen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Zeilen haben Fehler. Es wird nichts importiert, bis sie in der Datei korrigiert sind oder übersprungen werden.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

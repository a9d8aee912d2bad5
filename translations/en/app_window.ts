<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>TFDlgYesNo</name>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>&amp;Veranstaltung</source>
        <translation>E&amp;vent</translation>
    </message>
    <message>
        <source>Er&amp;gebnisse</source>
        <translation>Resul&amp;ts</translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Er&amp;gebnisse …</source>
        <translation>Resul&amp;ts …</translation>
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
        <source>Live-E&amp;rgebnisse</source>
        <translation>&amp;Live results</translation>
    </message>
    <message>
        <source>&amp;Zuschauer-Anzeige</source>
        <translation>Spectator &amp;display</translation>
    </message>
    <message>
        <source>Live-E&amp;rgebnisse …</source>
        <translation>&amp;Live results …</translation>
    </message>
    <message>
        <source>Die Sprache wechselt beim nächsten Start des Programms.</source>
        <translation>The language changes the next time the program starts.</translation>
    </message>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Sek.</source>
        <translation>Sec.</translation>
    </message>
    <message>
        <source>Nr:</source>
        <translation>No:</translation>
    </message>
    <message>
        <source>Nummer</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Lap</source>
        <translation>&amp;Lap</translation>
    </message>
    <message>
        <source>Sto&amp;pp</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message>
        <source>Protokoll  löschen</source>
        <translation>Clear protocol</translation>
    </message>
    <message>
        <source>Protokoll öffnen</source>
        <translation>Open protocol</translation>
    </message>
    <message>
        <source>Protokoll drucken</source>
        <translation>Print protocol</translation>
    </message>
    <message>
        <source>Datei in MS Word</source>
        <translation>File in MS Word</translation>
    </message>
    <message>
        <source>Datei in MS Excel</source>
        <translation>File in MS Excel</translation>
    </message>
    <message>
        <source>Protokoll speichern unter</source>
        <translation>Save protocol as</translation>
    </message>
    <message>
        <source>Zeile entfernen</source>
        <translation>Remove line</translation>
    </message>
    <message>
        <source>Alles kopieren</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>Die Datei wurde geschrieben:
%1

Es konnte kein Programm gestartet werden, das sie anzeigt. Bitte öffnen Sie sie selbst.</source>
        <translation>The file was written:
%1

No program could be started to show it. Please open it yourself.</translation>
    </message>
    <message>
        <source>Zeile löschen ?</source>
        <translation>Delete line?</translation>
    </message>
    <message>
        <source>Zeitenprotokoll  löschen ?</source>
        <translation>Clear the time protocol?</translation>
    </message>
    <message>
        <source>Datei kann nicht geschrieben werden: %1
%2</source>
        <translation>Cannot write the file: %1
%2</translation>
    </message>
    <message>
        <source>Datei kann nicht gelesen werden: %1
%2</source>
        <translation>Cannot read the file: %1
%2</translation>
    </message>
    <message>
        <source>Die Veranstaltung kann nicht gespeichert werden.
%1

Die Zeitnahme läuft weiter; die Läufe bleiben im Speicher und im Protokoll und werden gespeichert, sobald es wieder geht.</source>
        <translation>The event cannot be saved.
%1

Timing goes on; the runs stay in memory and in the protocol and are saved as soon as it works again.</translation>
    </message>
    <message>
        <source>Imp&amp;ulse</source>
        <translation>Imp&amp;ulses</translation>
    </message>
    <message>
        <source>Wählen Sie zuerst unter „Lichtschranke“ einen Port.</source>
        <translation>First choose a port under "Light barrier".</translation>
    </message>
    <message>
        <source>Der Testmodus zählt die Durchfahrten an der geöffneten Lichtschranke. %1 ist noch nicht gewählt: übernehmen Sie die Wahl zuerst mit OK und öffnen Sie „Lichtschranke prüfen“ dann erneut.</source>
        <translation>Test mode counts the passes at the open light barrier. %1 is not chosen yet: first confirm the choice with OK, then open "Check light barrier" again.</translation>
    </message>
    <message>
        <source>%1 ist nicht geöffnet: beheben Sie zuerst, was oben als Fehler steht.</source>
        <translation>%1 is not open: first fix what is listed above as an error.</translation>
    </message>
    <message>
        <source>Während ein Lauf gemessen wird, gibt es keinen Testmodus.</source>
        <translation>There is no test mode while a run is being timed.</translation>
    </message>
    <message>
        <source>Protokoll wiederherstellen?</source>
        <translation>Restore the protocol?</translation>
    </message>
    <message>
        <source>&amp;Einstellungen</source>
        <translation>S&amp;ettings</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Drucker</source>
        <translation>&amp;Printer</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>
oder
</source>
        <translation>
or
</translation>
    </message>
    <message>
        <source>Beenden?</source>
        <translation>Exit?</translation>
    </message>
    <message>
        <source>Die Hilfe wurde nicht gefunden. Erwartet wird die Datei
%1</source>
        <translation>The help was not found. The file expected is
%1</translation>
    </message>
    <message>
        <source>Die Hilfe konnte nicht geöffnet werden:
%1</source>
        <translation>The help could not be opened:
%1</translation>
    </message>
    <message>
        <source>P R O T O K O L L</source>
        <translation>P R O T O C O L</translation>
    </message>
    <message>
        <source>STOP&amp;P</source>
        <translation>STO&amp;P</translation>
    </message>
</context>
</TS>

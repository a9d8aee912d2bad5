<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>ConfirmRunCommand</name>
    <message>
        <source>Prüfen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>prüfen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bestätigt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditCompetitorCommand</name>
    <message>
        <source>Startliste ändern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diesen Eintrag gibt es in der Startliste nicht.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Startnummer %1 liegt nicht zwischen 1 und 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Startnummer %1 hat schon %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startliste Nr. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
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
        <source>w</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gelöscht</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nein</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventStore</name>
    <message>
        <source>Schreib- oder Lesefehler des Datenträgers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei nicht gefunden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1, dieses Programm kennt bis Version %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MarkRunDeletedCommand</name>
    <message>
        <source>gelöscht</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nein</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MarkTrainingCommand</name>
    <message>
        <source>Trainingslauf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nein</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoveRunCommand</name>
    <message>
        <source>Startnummer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetCorrectionCommand</name>
    <message>
        <source>Korrekturgrund</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetPenaltiesCommand</name>
    <message>
        <source>Strafen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pylonen %1, Tore %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetRunStatusCommand</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gewertet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetRunTimingCommand</name>
    <message>
        <source>Zwischenzeit %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laufzeit %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 km/h</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VoidRunCommand</name>
    <message>
        <source>ungültig, Wiederholung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nein</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>TFormMain</name>
    <message>
        <source>&amp;Veranstaltung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Er&amp;gebnisse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Er&amp;gebnisse …</source>
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
        <source>Live-E&amp;rgebnisse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zuschauer-Anzeige</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live-E&amp;rgebnisse …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Sprache wechselt beim nächsten Start des Programms.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>BarrierLink</name>
    <message>
        <source>Lichtschranke: kein Port</source>
        <translation>Light barrier: no port</translation>
    </message>
    <message>
        <source>Lichtschranke: %1 verbunden</source>
        <translation>Light barrier: %1 connected</translation>
    </message>
    <message>
        <source>Lichtschranke: %1 getrennt seit %2</source>
        <translation>Light barrier: %1 lost since %2</translation>
    </message>
    <message>
        <source>Lichtschranke: %1 belegt</source>
        <translation>Light barrier: %1 in use</translation>
    </message>
    <message>
        <source>Lichtschranke: verbinde %1 …</source>
        <translation>Light barrier: connecting %1 …</translation>
    </message>
    <message>
        <source>Keine Lichtschranke eingestellt</source>
        <translation>No light barrier set</translation>
    </message>
    <message>
        <source>(unbekannt)</source>
        <translation>(unknown)</translation>
    </message>
    <message>
        <source>
Neuer Versuch jede Sekunde</source>
        <translation>
Retrying every second</translation>
    </message>
    <message>
        <source>
Der Port ist von einem anderen Programm geöffnet.</source>
        <translation>
The port is open in another program.</translation>
    </message>
    <message>
        <source>Gerät: %1</source>
        <translation>Device: %1</translation>
    </message>
    <message>
        <source>
Letzter Fehler: %1</source>
        <translation>
Last error: %1</translation>
    </message>
</context>
<context>
    <name>RunNotices</name>
    <message>
        <source>Achtung: START ohne Startnummer</source>
        <translation>Note: START without a start number</translation>
    </message>
    <message>
        <source>Achtung: Nr. %1 fehlt in der Startliste%2</source>
        <translation>Note: no. %1 is not in the start list%2</translation>
    </message>
</context>
</TS>

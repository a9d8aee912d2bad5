<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>LivePage</name>
    <message>
        <source>Live-Ergebnisse</source>
        <translation>Live results</translation>
    </message>
    <message>
        <source>Verbinde …</source>
        <translation>Connecting …</translation>
    </message>
    <message>
        <source>Auf der Strecke</source>
        <translation>On track</translation>
    </message>
    <message>
        <source>Gerade ist niemand auf der Strecke.</source>
        <translation>Nobody is on track right now.</translation>
    </message>
    <message>
        <source>Wertung</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Pl.</source>
        <translation>Pl.</translation>
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
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Abst.</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>Letzte Läufe</source>
        <translation>Latest runs</translation>
    </message>
    <message>
        <source>Diese Seite braucht JavaScript. Die Daten gibt es auch als JSON unter /api/state.</source>
        <translation>This page needs JavaScript. The data is also available as JSON at /api/state.</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Keine Verbindung – verbinde neu …</source>
        <translation>No connection – reconnecting …</translation>
    </message>
    <message>
        <source>Klasse %1</source>
        <translation>Class %1</translation>
    </message>
    <message>
        <source>ohne Klasse</source>
        <translation>no class</translation>
    </message>
    <message>
        <source>Platz %1 in %2</source>
        <translation>Place %1 in %2</translation>
    </message>
    <message>
        <source>Noch keine Läufe.</source>
        <translation>No runs yet.</translation>
    </message>
    <message>
        <source>%1. Lauf</source>
        <translation>Run %1</translation>
    </message>
    <message>
        <source>Noch keine Wertung.</source>
        <translation>No ranking yet.</translation>
    </message>
    <message>
        <source>de</source>
        <comment>language code of the page</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>LiveServer</name>
    <message>
        <source>Port %1 ist schon belegt (ein anderes Programm nutzt ihn). Bitte einen anderen Port wählen, z. B. %2.</source>
        <translation>Port %1 is already in use (another program uses it). Please choose another port, e.g. %2.</translation>
    </message>
    <message>
        <source>Port %1 darf dieses Programm nicht öffnen (Ports unter 1024 brauchen Administratorrechte). Bitte einen Port ab 1024 wählen.</source>
        <translation>This program may not open port %1 (ports below 1024 need administrator rights). Please choose a port from 1024.</translation>
    </message>
    <message>
        <source>Der Ergebnis-Server konnte Port %1 nicht öffnen: %2</source>
        <translation>The results server could not open port %1: %2</translation>
    </message>
</context>
<context>
    <name>LiveTexts</name>
    <message>
        <source>ohne Klasse</source>
        <translation>no class</translation>
    </message>
    <message>
        <source>Klasse %1</source>
        <translation>Class %1</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Dialogs</name>
    <message>
        <source>Die Datei &quot;%1&quot; ist schon vorhanden.
Soll sie ersetzt werden?</source>
        <translation>The file "%1" already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>Es ist ein Ordner, keine Datei.</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>Es ist keine gewöhnliche Datei.</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>Die Datei ist größer als %1 Bytes.</source>
        <translation>The file is larger than %1 bytes.</translation>
    </message>
    <message>
        <source>Kein Speicherplatz mehr auf dem Gerät.</source>
        <translation>No space left on the device.</translation>
    </message>
    <message>
        <source>Der zugeteilte Speicherplatz (Quota) ist erschöpft.</source>
        <translation>The disk quota is used up.</translation>
    </message>
    <message>
        <source>Die Datei ist zu groß.</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>Keine Berechtigung.</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>Das Dateisystem ist nur lesbar.</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>Die Datei oder der Ordner existiert nicht.</source>
        <translation>The file or folder does not exist.</translation>
    </message>
    <message>
        <source>Ein Teil des Pfades ist kein Ordner.</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>Der Dateiname ist zu lang.</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler des Geräts.</source>
        <translation>Input/output error of the device.</translation>
    </message>
    <message>
        <source>Zu viele offene Dateien.</source>
        <translation>Too many open files.</translation>
    </message>
    <message>
        <source>Die Datei ist in Benutzung.</source>
        <translation>The file is in use.</translation>
    </message>
    <message>
        <source>Das Gerät ist nicht vorhanden.</source>
        <translation>The device is not present.</translation>
    </message>
    <message>
        <source>Der Ordner %1 existiert nicht.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>Unbekannter Fehler (%1).</source>
        <translation>Unknown error (%1).</translation>
    </message>
</context>
</TS>

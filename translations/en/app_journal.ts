<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>ProtocolJournal</name>
    <message>
        <source>Das Protokoll-Journal kann nicht in „%1“ geschrieben werden: %2.
Die Zeitnahme läuft weiter, aber ein Absturz verliert alles seit dem letzten Speichern.</source>
        <translation>The protocol journal cannot be written in "%1": %2.
Timing goes on, but a crash loses everything since the last save.</translation>
    </message>
    <message>
        <source>der Ordner kann nicht angelegt werden</source>
        <translation>the folder cannot be created</translation>
    </message>
    <message>
        <source>Das Protokoll-Journal in „%1“ führt schon ein anderes Vantro-Fenster; dieses übernimmt es, sobald jenes endet.</source>
        <translation>Another Vantro window already keeps the protocol journal in "%1"; this one takes it over as soon as that one ends.</translation>
    </message>
    <message>
        <source>Das Protokoll-Journal kann nicht geschrieben werden (%1): %2.
Die Zeitnahme läuft weiter.</source>
        <translation>The protocol journal cannot be written (%1): %2.
Timing goes on.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>LiveServerWindow</name>
    <message>
        <source>Live-Ergebnisse</source>
        <translation>Live results</translation>
    </message>
    <message>
        <source>Live-Ergebnisse im lokalen Netz anbieten</source>
        <translation>Offer live results in the local network</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Aus. Die Ergebnisse sind nur an diesem Rechner zu sehen.</source>
        <translation>Off. The results can only be seen on this computer.</translation>
    </message>
    <message>
        <source>Läuft auf Port %1. Telefone im selben Netz öffnen die Adresse unten oder scannen den Code.</source>
        <translation>Running on port %1. Phones in the same network open the address below or scan the code.</translation>
    </message>
    <message>
        <source>Kein lokales Netz gefunden. Auf diesem Rechner: http://127.0.0.1:%1/</source>
        <translation>No local network found. On this computer: http://127.0.0.1:%1/</translation>
    </message>
    <message>
        <source>Dieser Rechner hat mehrere Adressen; der Code zeigt die gewählte. Die Telefone brauchen die aus ihrem Netz.</source>
        <translation>This computer has several addresses; the code shows the chosen one. Phones need the one of their network.</translation>
    </message>
    <message>
        <source>Adresse im Browser des Telefons öffnen oder den Code scannen.</source>
        <translation>Open the address in the phone’s browser or scan the code.</translation>
    </message>
    <message>
        <source>1 Seite geöffnet</source>
        <translation>1 page open</translation>
    </message>
    <message>
        <source>%1 Seiten geöffnet</source>
        <translation>%1 pages open</translation>
    </message>
</context>
<context>
    <name>SpectatorContent</name>
    <message>
        <source>   Platz %1</source>
        <translation>   Place %1</translation>
    </message>
</context>
<context>
    <name>SpectatorWindow</name>
    <message>
        <source>Zuschauer-Anzeige</source>
        <translation>Spectator display</translation>
    </message>
    <message>
        <source>Niemand auf der Strecke</source>
        <translation>Nobody on track</translation>
    </message>
    <message>
        <source>Letztes Ergebnis</source>
        <translation>Last result</translation>
    </message>
    <message>
        <source>%1 – Top 10</source>
        <translation>%1 – Top 10</translation>
    </message>
</context>
</TS>

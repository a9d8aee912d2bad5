<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Settings</name>
    <message>
        <source>Anschluss der Lichtschranke</source>
        <translation>light barrier port</translation>
    </message>
    <message>
        <source>Algorithmus</source>
        <translation>algorithm</translation>
    </message>
    <message>
        <source>linker Fensterrand</source>
        <translation>window left edge</translation>
    </message>
    <message>
        <source>oberer Fensterrand</source>
        <translation>window top edge</translation>
    </message>
    <message>
        <source>Fensterbreite</source>
        <translation>window width</translation>
    </message>
    <message>
        <source>Fensterhöhe</source>
        <translation>window height</translation>
    </message>
    <message>
        <source>Ton</source>
        <translation>sound</translation>
    </message>
    <message>
        <source>Empfindlichkeit</source>
        <translation>precision</translation>
    </message>
    <message>
        <source>Startgong</source>
        <translation>start gong</translation>
    </message>
    <message>
        <source>Stoppgong</source>
        <translation>stop gong</translation>
    </message>
    <message>
        <source>Farbe Fenster</source>
        <translation>window colour</translation>
    </message>
    <message>
        <source>Farbe Ziffern</source>
        <translation>digit colour</translation>
    </message>
    <message>
        <source>Farbe ZiffernF</source>
        <translation>digit colour F</translation>
    </message>
    <message>
        <source>Farbe der dunklen Ziffern</source>
        <translation>colour of the dark digits</translation>
    </message>
    <message>
        <source>Farbe der hellen Ziffern</source>
        <translation>colour of the bright digits</translation>
    </message>
    <message>
        <source>LS-Abstand</source>
        <translation>barrier distance</translation>
    </message>
    <message>
        <source>Sperrzeit</source>
        <translation>lockout</translation>
    </message>
    <message>
        <source>Veranstaltung</source>
        <translation>event</translation>
    </message>
    <message>
        <source>Startnummer</source>
        <translation>start number</translation>
    </message>
    <message>
        <source>Live-Ergebnisse</source>
        <translation>live results</translation>
    </message>
    <message>
        <source>Port der Live-Ergebnisse</source>
        <translation>live results port</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>language</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei %1 ist nicht lesbar und konnte nicht beiseite gelegt werden. Es gelten die Grundeinstellungen; sie werden nicht gespeichert.</source>
        <translation>The settings file %1 is unreadable and could not be moved aside. The default settings apply; they will not be saved.</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei %1 ist nicht lesbar. Sie wurde als %2 beiseite gelegt; es gelten die Grundeinstellungen.</source>
        <translation>The settings file %1 is unreadable. It was moved aside as %2; the default settings apply.</translation>
    </message>
    <message>
        <source>In der Einstellungsdatei %1 sind ungültige Werte: %2. Für sie gelten die Grundeinstellungen.</source>
        <translation>The settings file %1 holds invalid values: %2. The defaults apply to them.</translation>
    </message>
</context>
</TS>

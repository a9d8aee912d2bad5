<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>TSortGrid</name>
    <message>
        <source>Nicht genug Arbeitsspeicher.</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>keine Protokolldatei</source>
        <translation>not a protocol file</translation>
    </message>
    <message>
        <source>Protokoll wird gedruckt …</source>
        <translation>Printing the protocol …</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>

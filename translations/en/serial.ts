<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>PortSelfTest</name>
    <message>
        <source>Treiber %1</source>
        <translation>driver %1</translation>
    </message>
    <message>
        <source>%1 ist das Gerät %2</source>
        <translation>%1 is the device %2</translation>
    </message>
    <message>
        <source>Rechte %1, Besitzer %2, Gruppe %3</source>
        <translation>permissions %1, owner %2, group %3</translation>
    </message>
    <message>
        <source>Sie dürfen %1 öffnen (%2).</source>
        <translation>You may open %1 (%2).</translation>
    </message>
    <message>
        <source>Sie dürfen %1 nicht öffnen (%2). </source>
        <translation>You may not open %1 (%2). </translation>
    </message>
    <message>
        <source>Die Gruppe %1 hat keine Lese- und Schreibrechte; bis zum nächsten Einstecken hilft
  sudo chmod g+rw %2
</source>
        <translation>The group %1 has no read and write permission; until the adapter is plugged in again, this helps:
  sudo chmod g+rw %2
</translation>
    </message>
    <message>
        <source>Dazu braucht es die Gruppe %1. Fügen Sie sich mit
  sudo usermod -aG %1 %2
hinzu und melden Sie sich danach ab und wieder an.</source>
        <translation>This needs the group %1. Add yourself with
  sudo usermod -aG %1 %2
and then log out and in again.</translation>
    </message>
    <message>
        <source>%1 (Prozess %2)</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>%1 ist belegt von: %2. Beenden Sie dieses Programm, damit Vantro die Lichtschranke lesen kann.</source>
        <translation>%1 is in use by: %2. Quit that program so that Vantro can read the light barrier.</translation>
    </message>
    <message>
        <source>Vantro selbst hat %1 geöffnet, kein anderes Programm.</source>
        <translation>Vantro itself has opened %1, no other program.</translation>
    </message>
    <message>
        <source>%1 ist von einem Programm belegt, das hier nicht zu sehen ist (etwa eines anderen Benutzers).</source>
        <translation>%1 is in use by a program that cannot be seen here (perhaps one of another user).</translation>
    </message>
    <message>
        <source>Kein anderes Programm hat %1 geöffnet.</source>
        <translation>No other program has opened %1.</translation>
    </message>
    <message>
        <source>%1 ist kein USB-Adapter; es gibt keinen Latenz-Timer zu prüfen.</source>
        <translation>%1 is not a USB adapter; there is no latency timer to check.</translation>
    </message>
    <message>
        <source>Der USB-Adapter %1 hat keinen Latenz-Timer; hier ist nichts einzustellen.</source>
        <translation>The USB adapter %1 has no latency timer; there is nothing to set here.</translation>
    </message>
    <message>
        <source>Der Latenz-Timer von %1 (%2) ließ sich nicht lesen.</source>
        <translation>The latency timer of %1 (%2) could not be read.</translation>
    </message>
    <message>
        <source>Latenz-Timer von %1: %2 ms – richtig eingestellt.</source>
        <translation>Latency timer of %1: %2 ms – set correctly.</translation>
    </message>
    <message>
        <source>Die mit Vantro gelieferte udev-Regel %1 stellt ihn beim Einstecken auf 1 ms, ist aber nicht installiert: „cmake --install“ legt sie nach &lt;Präfix&gt;/lib/udev/rules.d (udev liest /usr/lib und /usr/local/lib), oder kopieren Sie sie nach /etc/udev/rules.d; danach den Adapter aus- und wieder einstecken.</source>
        <translation>The udev rule %1 that comes with Vantro sets it to 1 ms when the adapter is plugged in, but it is not installed: "cmake --install" puts it into &lt;prefix&gt;/lib/udev/rules.d (udev reads /usr/lib and /usr/local/lib), or copy it to /etc/udev/rules.d; then unplug the adapter and plug it in again.</translation>
    </message>
    <message>
        <source>Die udev-Regel %1, die ihn auf 1 ms stellt, ist installiert, wirkt aber erst, wenn der Adapter aus- und wieder eingesteckt wird.</source>
        <translation>The udev rule %1, which sets it to 1 ms, is installed, but takes effect only when the adapter is unplugged and plugged in again.</translation>
    </message>
    <message>
        <source>Latenz-Timer von %1: %2 ms. Der Adapter meldet Änderungen erst nach bis zu %2 ms: Durchfahrten werden bis zu %2 ms zu spät gestempelt, und zwei kurz aufeinanderfolgende Durchfahrten können zu einer verschmelzen. %3 Sofort, bis zum nächsten Einstecken:
  echo 1 | sudo tee %4</source>
        <translation>Latency timer of %1: %2 ms. The adapter reports changes only after up to %2 ms: passes are stamped up to %2 ms late, and two passes in quick succession can merge into one. %3 At once, until the adapter is plugged in again:
  echo 1 | sudo tee %4</translation>
    </message>
    <message>
        <source>„%1“ ist kein Portname wie COM1 oder COM5.</source>
        <translation>"%1" is not a port name such as COM1 or COM5.</translation>
    </message>
    <message>
        <source>Für %1 ist kein Gerät eingetragen; legen Sie in den Einstellungen den Wert ComDevice%2 mit dem Gerätepfad an.</source>
        <translation>No device is set for %1; add the value ComDevice%2 with the device path to the settings.</translation>
    </message>
    <message>
        <source>Das Gerät %1 für %2 gibt es nicht. Ist der Adapter eingesteckt?</source>
        <translation>The device %1 for %2 does not exist. Is the adapter plugged in?</translation>
    </message>
    <message>
        <source> Angeschlossen sind: %1 – wählen Sie den Port, der zu einem davon führt.</source>
        <translation> Connected are: %1 – choose the port that leads to one of them.</translation>
    </message>
    <message>
        <source>%1 ist der Lichtschranken-Simulator (%2), kein USB-Gerät; es gibt keinen Latenz-Timer zu prüfen.</source>
        <translation>%1 is the light barrier simulator (%2), not a USB device; there is no latency timer to check.</translation>
    </message>
    <message>
        <source> Vantro ist gerade mit ihm verbunden.</source>
        <translation> Vantro is connected to it right now.</translation>
    </message>
    <message>
        <source>%1 ist keine Gerätedatei einer seriellen Schnittstelle.</source>
        <translation>%1 is not the device file of a serial port.</translation>
    </message>
</context>
</TS>

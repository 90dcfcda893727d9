<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>Network control for this run: a rigctld-compatible server (Hamlib&apos;s NET rigctl) on PORT, 4532 unless given.</source>
        <translation>Netzwerksteuerung für diesen Lauf: ein rigctld-kompatibler Server (NET rigctl von Hamlib) auf PORT, ohne Angabe 4532.</translation>
    </message>
    <message>
        <source>The address network control listens on, 127.0.0.1 unless given. Any other lets programs on other machines key the transmitter.</source>
        <translation>Die Adresse, auf der die Netzwerksteuerung lauscht, ohne Angabe 127.0.0.1. Mit jeder anderen können Programme auf anderen Rechnern den Sender tasten.</translation>
    </message>
    <message>
        <source>Run the panel with profile NAME (letters, digits, - and _, up to 32): its own stored port, network control, time-out and transmit log, so that two panels can drive two transmitters.</source>
        <translation>Das Bedienfeld mit dem Profil NAME starten (Buchstaben, Ziffern, - und _, höchstens 32): mit eigenem gespeichertem Port, eigener Netzwerksteuerung, eigenem Timeout und Sendeprotokoll, sodass zwei Bedienfelder zwei Sender steuern können.</translation>
    </message>
    <message>
        <source>For this run, switch the carrier off once when the transmitter has reported it on for SECONDS (10 to 3600) without a break.</source>
        <translation>Für diesen Lauf: den Träger einmal ausschalten, wenn der Sender ihn SECONDS Sekunden (10 bis 3600) ohne Unterbrechung als eingeschaltet gemeldet hat.</translation>
    </message>
    <message>
        <source>List the serial devices present and what each port number 1 to 9 opens, and exit.</source>
        <translation>Die vorhandenen seriellen Geräte auflisten und was jede Portnummer 1 bis 9 öffnet, dann beenden.</translation>
    </message>
    <message>
        <source>Make port number N (1 to 9) open DEVICE, by its /dev/serial/by-id name where it has one, and exit.</source>
        <translation>Portnummer N (1 bis 9) DEVICE öffnen lassen, unter seinem Namen in /dev/serial/by-id, wo es einen hat, dann beenden.</translation>
    </message>
    <message>
        <source>Clear port number N&apos;s entry, so that it opens /dev/ttyS&lt;N-1&gt; again, and exit.</source>
        <translation>Den Eintrag von Portnummer N löschen, sodass sie wieder /dev/ttyS&lt;N-1&gt; öffnet, dann beenden.</translation>
    </message>
    <message>
        <source>invalid port &apos;%1&apos; for --rigctld: give a number from 0 (the system chooses) to 65535.</source>
        <translation>ungültiger Port &apos;%1&apos; für --rigctld: Geben Sie eine Zahl von 0 (das System wählt) bis 65535 an.</translation>
    </message>
    <message>
        <source>invalid address &apos;%1&apos; for --rigctld-listen: give an IP address such as 127.0.0.1, ::1 or 0.0.0.0.</source>
        <translation>ungültige Adresse &apos;%1&apos; für --rigctld-listen: Geben Sie eine IP-Adresse wie 127.0.0.1, ::1 oder 0.0.0.0 an.</translation>
    </message>
    <message>
        <source>invalid time-out &apos;%1&apos; for --tx-timeout: give seconds from %2 to %3.</source>
        <translation>ungültiges Timeout &apos;%1&apos; für --tx-timeout: Geben Sie Sekunden von %2 bis %3 an.</translation>
    </message>
    <message>
        <source>invalid profile &apos;%1&apos; for --profile: use 1 to 32 letters, digits, &apos;-&apos; or &apos;_&apos;.</source>
        <translation>ungültiges Profil &apos;%1&apos; für --profile: Verwenden Sie 1 bis 32 Buchstaben, Ziffern, &apos;-&apos; oder &apos;_&apos;.</translation>
    </message>
    <message>
        <source>--list-ports, --map-port and --unmap-port go one at a time.</source>
        <translation>--list-ports, --map-port und --unmap-port gehen nur einzeln.</translation>
    </message>
    <message>
        <source>--rigctld, --rigctld-listen, --tx-timeout and --profile start with the panel; they do not go with --list-ports, --map-port or --unmap-port.</source>
        <translation>--rigctld, --rigctld-listen, --tx-timeout und --profile gelten für den Start des Bedienfelds; sie passen nicht zu --list-ports, --map-port oder --unmap-port.</translation>
    </message>
    <message>
        <source>--%1 takes a port number from 1 to 9, not &apos;%2&apos;.</source>
        <translation>--%1 erwartet eine Portnummer von 1 bis 9, nicht &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>--map-port needs a DEVICE after the port number.</source>
        <translation>--map-port braucht ein DEVICE nach der Portnummer.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;.</source>
        <translation>unerwartetes Argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Usage: vora-tx-controller [options]
A control panel for an amateur-radio transmitter whose controller is on a serial port
(9600 baud, 8N1). Without options it opens the panel on the port chosen in
&quot;Options&quot;, &quot;Settings&quot; (port 1 until one is chosen).

Options:
</source>
        <translation>Aufruf: vora-tx-controller [Optionen]
Ein Bedienfeld für einen Amateurfunksender, dessen Steuerung an einer seriellen
Schnittstelle hängt (9600 Baud, 8N1). Ohne Optionen öffnet es das Bedienfeld an
dem Port, der unter &quot;Optionen&quot;, &quot;Einstellungen&quot; gewählt ist (Port 1, solange
keiner gewählt ist).

Optionen:
</translation>
    </message>
    <message>
        <source>Usage: vora-tx-controller [options]
Try &apos;vora-tx-controller --help&apos; for more.
</source>
        <translation>Aufruf: vora-tx-controller [Optionen]
Mehr mit &apos;vora-tx-controller --help&apos;.
</translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>%1 is held by another program (%2).</source>
        <translation>%1 ist von einem anderen Programm belegt (%2).</translation>
    </message>
    <message>
        <source>%1 is locked by %2 for process %3, which has ended: remove that file (%4).</source>
        <translation>%1 ist durch %2 für Prozess %3 gesperrt, der schon beendet ist: Löschen Sie diese Datei (%4).</translation>
    </message>
    <message>
        <source>%1 is held by process %2.</source>
        <translation>%1 ist von Prozess %2 belegt.</translation>
    </message>
    <message>
        <source>%1 is held by %2 (process %3).</source>
        <translation>%1 ist von %2 belegt (Prozess %3).</translation>
    </message>
    <message>
        <source>You may not open %1 (%2). Add yourself to the dialout group (sudo adduser $USER dialout), then log out and in again.</source>
        <translation>Sie dürfen %1 nicht öffnen (%2). Nehmen Sie sich in die Gruppe dialout auf (sudo adduser $USER dialout), melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>%1 is not a serial line, or it refused 9600 8N1 (%2).</source>
        <translation>%1 ist keine serielle Leitung oder hat 9600 8N1 abgelehnt (%2).</translation>
    </message>
    <message>
        <source>%1 does not exist (%2).</source>
        <translation>%1 existiert nicht (%2).</translation>
    </message>
    <message>
        <source>%1 failed as it was opened (%2): is a serial port behind it?</source>
        <translation>%1 ist beim Öffnen fehlgeschlagen (%2): Steckt eine serielle Schnittstelle dahinter?</translation>
    </message>
</context>
<context>
    <name>PortAssignments</name>
    <message>
        <source>Port %1 is not a port number: choose one from %2 to %3.</source>
        <translation>Port %1 ist keine Portnummer: Wählen Sie eine von %2 bis %3.</translation>
    </message>
    <message>
        <source>The port map %1 cannot be created.</source>
        <translation>Die Porttabelle %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 cannot be pointed at %2 (%3).</source>
        <translation>%1 kann nicht auf %2 zeigen (%3).</translation>
    </message>
    <message>
        <source>%1 is a folder, not a port-map entry; leaving it alone.</source>
        <translation>%1 ist ein Ordner, kein Eintrag der Porttabelle; er bleibt unangetastet.</translation>
    </message>
    <message>
        <source>%1 cannot be removed (%2).</source>
        <translation>%1 kann nicht entfernt werden (%2).</translation>
    </message>
</context>
<context>
    <name>PortMap</name>
    <message>
        <source>%1 is a port-map entry, not a device.</source>
        <translation>%1 ist ein Eintrag der Porttabelle, kein Gerät.</translation>
    </message>
    <message>
        <source>%1 leads into the port map, to %2, not to a device.</source>
        <translation>%1 führt in die Porttabelle, zu %2, nicht zu einem Gerät.</translation>
    </message>
    <message>
        <source>%1 does not exist (%2).</source>
        <translation>%1 existiert nicht (%2).</translation>
    </message>
    <message>
        <source>%1 is not a serial line: it is a folder.</source>
        <translation>%1 ist keine serielle Leitung: Es ist ein Ordner.</translation>
    </message>
    <message>
        <source>%1 is not a serial line: it is a file.</source>
        <translation>%1 ist keine serielle Leitung: Es ist eine Datei.</translation>
    </message>
    <message>
        <source>%1 cannot be told a serial device: %2 cannot be read (%3).</source>
        <translation>Ob %1 ein serielles Gerät ist, lässt sich nicht sagen: %2 ist nicht lesbar (%3).</translation>
    </message>
    <message>
        <source>%1 is not a serial device.</source>
        <translation>%1 ist kein serielles Gerät.</translation>
    </message>
    <message>
        <source>%1 is a terminal of the kind &quot;%2&quot;, not a serial line.</source>
        <translation>%1 ist ein Terminal der Art &quot;%2&quot;, keine serielle Leitung.</translation>
    </message>
    <message>
        <source>Port %1 names no device: choose a port from %2 to %3.</source>
        <translation>Port %1 bezeichnet kein Gerät: Wählen Sie einen Port von %2 bis %3.</translation>
    </message>
    <message>
        <source>Port %1, through %2: %3</source>
        <translation>Port %1, über %2: %3</translation>
    </message>
    <message>
        <source>the entry is not a link to a device.</source>
        <translation>Der Eintrag ist kein Verweis auf ein Gerät.</translation>
    </message>
</context>
<context>
    <name>PortMapCommands</name>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>yes, by this program</source>
        <translation>ja, von diesem Programm</translation>
    </message>
    <message>
        <source>yes, by process %1</source>
        <translation>ja, von Prozess %1</translation>
    </message>
    <message>
        <source>%1 (no entry: the default)</source>
        <translation>%1 (kein Eintrag: Standard)</translation>
    </message>
    <message>
        <source>%1 (port map)</source>
        <translation>%1 (Porttabelle)</translation>
    </message>
    <message>
        <source>, points nowhere</source>
        <translation>, zeigt ins Leere</translation>
    </message>
    <message>
        <source>, present</source>
        <translation>, vorhanden</translation>
    </message>
    <message>
        <source>, not present</source>
        <translation>, nicht vorhanden</translation>
    </message>
    <message>
        <source>Serial devices present:</source>
        <translation>Vorhandene serielle Geräte:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>stable name</source>
        <translation>fester Name</translation>
    </message>
    <message>
        <source>description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>belegt</translation>
    </message>
    <message>
        <source>Port numbers:</source>
        <translation>Portnummern:</translation>
    </message>
    <message>
        <source>Port %1 now opens %2.</source>
        <translation>Port %1 öffnet jetzt %2.</translation>
    </message>
    <message>
        <source>Port %1&apos;s entry is cleared: it opens %2 again.</source>
        <translation>Der Eintrag von Port %1 ist gelöscht: Er öffnet wieder %2.</translation>
    </message>
    <message>
        <source>Port %1 has no entry: it opens %2.</source>
        <translation>Port %1 hat keinen Eintrag: Er öffnet %2.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>it is not a settings file</source>
        <translation>sie ist keine Einstellungsdatei</translation>
    </message>
    <message>
        <source>a folder is in its place</source>
        <translation>an ihrer Stelle steht ein Ordner</translation>
    </message>
    <message>
        <source>you may not read it</source>
        <translation>Sie dürfen sie nicht lesen</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>ihr Ordner ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the disk may be full</source>
        <translation>der Datenträger ist vielleicht voll</translation>
    </message>
    <message>
        <source>cannot read the settings file %1: %2</source>
        <translation>die Einstellungsdatei %1 ist nicht lesbar: %2</translation>
    </message>
    <message>
        <source>cannot write the settings file %1: %2</source>
        <translation>die Einstellungsdatei %1 ist nicht schreibbar: %2</translation>
    </message>
</context>
<context>
    <name>StartupMessage</name>
    <message>
        <source>Error !!</source>
        <translation>Fehler !!</translation>
    </message>
    <message>
        <source>VoraController</source>
        <translation>VoraController</translation>
    </message>
    <message>
        <source>Choose another port in Options, Serial Ports…</source>
        <translation>Wählen Sie einen anderen Port unter Optionen, Serielle Ports…</translation>
    </message>
    <message>
        <source>Com port </source>
        <translation>COM-Port </translation>
    </message>
    <message>
        <source>This com port is in use !</source>
        <translation>Dieser COM-Port ist belegt !</translation>
    </message>
    <message>
        <source>Please check your settings</source>
        <translation>Bitte prüfen Sie Ihre Einstellungen</translation>
    </message>
    <message>
        <source>or shutdown another application</source>
        <translation>oder beenden Sie ein anderes Programm</translation>
    </message>
    <message>
        <source>This com port is not detected !</source>
        <translation>Dieser COM-Port wurde nicht gefunden !</translation>
    </message>
    <message>
        <source>Error nr </source>
        <translation>Fehler Nr. </translation>
    </message>
    <message>
        <source>The stored port &quot;%1&quot; does not end in a port number: choose a port in Options, Settings.</source>
        <translation>Der gespeicherte Port &quot;%1&quot; endet nicht auf eine Portnummer: Wählen Sie einen Port unter Optionen, Einstellungen.</translation>
    </message>
</context>
<context>
    <name>app::Program</name>
    <message>
        <source>Transmit Time-out</source>
        <translation>Sende-Timeout</translation>
    </message>
    <message>
        <source>The time-out is in force for now, but the next start will not know.</source>
        <translation>Das Timeout gilt jetzt, aber der nächste Start weiß nichts davon.</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n Sekunde</numerusform>
            <numerusform>%n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>The carrier was on for %1: the panel switched it off.</source>
        <translation>Der Träger war %1 lang eingeschaltet: Das Bedienfeld hat ihn ausgeschaltet.</translation>
    </message>
    <message>
        <source>The transmitter still reports the carrier on after the time-out switched it off.</source>
        <translation>Der Sender meldet den Träger noch eingeschaltet, nachdem das Timeout ihn ausgeschaltet hat.</translation>
    </message>
    <message>
        <source>The panel sends nothing more: a second toggle could key it. Switch it off yourself.</source>
        <translation>Das Bedienfeld sendet nichts mehr: Ein zweites Umschalten könnte ihn einschalten. Schalten Sie ihn selbst aus.</translation>
    </message>
    <message>
        <source>Carrier On</source>
        <translation>Träger ein</translation>
    </message>
    <message>
        <source>The transmitter reports the carrier on. Close the panel?</source>
        <translation>Der Sender meldet den Träger eingeschaltet. Bedienfeld schließen?</translation>
    </message>
    <message>
        <source>Switch Off and Close</source>
        <translation>Ausschalten und schließen</translation>
    </message>
    <message>
        <source>Close and Leave On</source>
        <translation>Schließen, eingeschaltet lassen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Port %1: no device opened yet</source>
        <translation>Port %1: noch kein Gerät geöffnet</translation>
    </message>
    <message>
        <source>Port %1: %2</source>
        <translation>Port %1: %2</translation>
    </message>
    <message>
        <source>open</source>
        <translation>geöffnet</translation>
    </message>
    <message>
        <source>not open</source>
        <translation>nicht geöffnet</translation>
    </message>
    <message>
        <source>nothing received yet</source>
        <translation>noch nichts empfangen</translation>
    </message>
    <message>
        <source>last record %1 s ago</source>
        <translation>letzter Datensatz vor %1 s</translation>
    </message>
    <message>
        <source>Network Control</source>
        <translation>Netzwerksteuerung</translation>
    </message>
    <message>
        <source>Network control could not start.</source>
        <translation>Die Netzwerksteuerung konnte nicht starten.</translation>
    </message>
    <message>
        <source>Network control is on for now, but the next start will not know.</source>
        <translation>Die Netzwerksteuerung ist jetzt eingeschaltet, aber der nächste Start weiß nichts davon.</translation>
    </message>
    <message>
        <source>Network control is off for now, but the next start will not know.</source>
        <translation>Die Netzwerksteuerung ist jetzt ausgeschaltet, aber der nächste Start weiß nichts davon.</translation>
    </message>
</context>
<context>
    <name>rigctl::Server</name>
    <message>
        <source>cannot listen on %1 port %2: %3</source>
        <translation>kann nicht auf %1 Port %2 lauschen: %3</translation>
    </message>
</context>
<context>
    <name>ui::about::AboutWindow</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>For more info, log on to </source>
        <translation>Mehr Infos unter </translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ver. </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Created by</source>
        <translation>Erstellt von</translation>
    </message>
    <message>
        <source>Thanks and please </source>
        <translation>Danke, und bitte </translation>
    </message>
    <message>
        <source>send your feedback or </source>
        <translation>senden Sie Rückmeldungen </translation>
    </message>
    <message>
        <source>comments to</source>
        <translation>oder Kommentare an</translation>
    </message>
    <message>
        <source>Press Enter to open it.</source>
        <translation>Mit Enter öffnen.</translation>
    </message>
    <message>
        <source>Press Enter to close this window.</source>
        <translation>Mit Enter dieses Fenster schließen.</translation>
    </message>
</context>
<context>
    <name>ui::about::MakerDetails</name>
    <message>
        <source>the Vora TX developers</source>
        <translation>die Vora-TX-Entwickler</translation>
    </message>
    <message>
        <source>your distributor</source>
        <translation>Ihren Distributor</translation>
    </message>
</context>
<context>
    <name>ui::main::MainWindow</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>2 minutes</source>
        <translation>2 Minuten</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>125 KHz</source>
        <translation>125 KHz</translation>
    </message>
    <message>
        <source>250 KHz</source>
        <translation>250 KHz</translation>
    </message>
    <message>
        <source>500 KHz</source>
        <translation>500 KHz</translation>
    </message>
    <message>
        <source>1 MHz</source>
        <translation>1 MHz</translation>
    </message>
    <message>
        <source>5 MHz</source>
        <translation>5 MHz</translation>
    </message>
    <message>
        <source>Vora TX Controller</source>
        <translation>Vora TX Controller</translation>
    </message>
    <message>
        <source>TX Freq :</source>
        <translation>TX-Freq :</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>Step :</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Ab</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Auf</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>On / Off</source>
        <translation>Ein / Aus</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>RS232 Monitor</source>
        <translation>RS232-Monitor</translation>
    </message>
    <message>
        <source>Serial Ports…</source>
        <translation>Serielle Ports…</translation>
    </message>
    <message>
        <source>Network Control</source>
        <translation>Netzwerksteuerung</translation>
    </message>
    <message>
        <source>Transmit Time-out</source>
        <translation>Sende-Timeout</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>TX Locked</source>
        <translation>TX Lock</translation>
    </message>
    <message>
        <source>TX UnLocked</source>
        <translation>TX kein Lock</translation>
    </message>
    <message>
        <source>TX Off</source>
        <translation>TX Aus</translation>
    </message>
    <message>
        <source>TX On</source>
        <translation>TX Ein</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Remote TX</source>
        <translation>Fern-TX</translation>
    </message>
    <message>
        <source>Net %1</source>
        <translation>Netz %1</translation>
    </message>
    <message>
        <source>Frequency, decimal point</source>
        <translation>Frequenz, Dezimalpunkt</translation>
    </message>
    <message>
        <source>Frequency, fraction digits</source>
        <translation>Frequenz, Nachkommastellen</translation>
    </message>
    <message>
        <source>Frequency, unit</source>
        <translation>Frequenz, Einheit</translation>
    </message>
    <message>
        <source>Carrier state not reported yet. Press to switch the carrier on or off.</source>
        <translation>Träger noch nicht gemeldet. Drücken schaltet den Träger ein oder aus.</translation>
    </message>
    <message>
        <source>Go to Frequency…</source>
        <translation>Gehe zu Frequenz…</translation>
    </message>
    <message>
        <source>Carrier on. Press to switch the carrier off.</source>
        <translation>Träger an. Drücken schaltet den Träger aus.</translation>
    </message>
    <message>
        <source>Carrier off. Press to key the transmitter.</source>
        <translation>Träger aus. Drücken tastet den Sender.</translation>
    </message>
    <message>
        <source>%1.%2 MHz</source>
        <translation>%1.%2 MHz</translation>
    </message>
    <message>
        <source>%1. Hold to tune down.</source>
        <translation>%1. Halten stimmt nach unten ab.</translation>
    </message>
    <message>
        <source>%1. Hold to tune up.</source>
        <translation>%1. Halten stimmt nach oben ab.</translation>
    </message>
    <message>
        <source>Power %1 of %2.</source>
        <translation>Leistung %1 von %2.</translation>
    </message>
    <message>
        <source>%1 Hold to lower the power.</source>
        <translation>%1 Halten senkt die Leistung.</translation>
    </message>
    <message>
        <source>%1 Hold to raise the power.</source>
        <translation>%1 Halten erhöht die Leistung.</translation>
    </message>
    <message>
        <source>%1, selected step</source>
        <translation>%1, gewählter Schritt</translation>
    </message>
    <message>
        <source>No step reported yet. Press to change the step.</source>
        <translation>Noch kein Schritt gemeldet. Drücken ändert den Schritt.</translation>
    </message>
    <message>
        <source>%1 step. Press to change the step.</source>
        <translation>Schritt %1. Drücken ändert den Schritt.</translation>
    </message>
</context>
<context>
    <name>ui::monitor::LampShape</name>
    <message>
        <source>lit</source>
        <translation>an</translation>
    </message>
    <message>
        <source>out</source>
        <translation>aus</translation>
    </message>
</context>
<context>
    <name>ui::monitor::LinkMonitor</name>
    <message>
        <source>Com port</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>TXD</source>
        <translation>TXD</translation>
    </message>
    <message>
        <source>RXD</source>
        <translation>RXD</translation>
    </message>
    <message>
        <source>RS232 Monitor</source>
        <translation>RS232-Monitor</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Schnittstelle</translation>
    </message>
    <message>
        <source>Link lamp</source>
        <translation>Verbindungslampe</translation>
    </message>
    <message>
        <source>Transmit lamp</source>
        <translation>Sendelampe</translation>
    </message>
    <message>
        <source>Receive lamp</source>
        <translation>Empfangslampe</translation>
    </message>
</context>
<context>
    <name>ui::ports::SerialPortsWindow</name>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>by this program</source>
        <translation>von diesem Programm</translation>
    </message>
    <message>
        <source>by process %1</source>
        <translation>von Prozess %1</translation>
    </message>
    <message>
        <source>Serial Ports</source>
        <translation>Serielle Ports</translation>
    </message>
    <message>
        <source>Serial devices present</source>
        <translation>Vorhandene serielle Geräte</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Kernel name</source>
        <translation>Kernelname</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>In use</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Port number</source>
        <translation>Portnummer</translation>
    </message>
    <message>
        <source>&amp;Assign device to port</source>
        <translation>Gerät dem Port &amp;zuweisen</translation>
    </message>
    <message>
        <source>Assign the selected device to the port number</source>
        <translation>Das gewählte Gerät der Portnummer zuweisen</translation>
    </message>
    <message>
        <source>C&amp;lear port</source>
        <translation>Port &amp;leeren</translation>
    </message>
    <message>
        <source>Clear the port number&apos;s entry</source>
        <translation>Den Eintrag der Portnummer löschen</translation>
    </message>
    <message>
        <source>Port numbers</source>
        <translation>Portnummern</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Port-map entry</source>
        <translation>Eintrag der Porttabelle</translation>
    </message>
    <message>
        <source>Opens</source>
        <translation>Öffnet</translation>
    </message>
    <message>
        <source>Present</source>
        <translation>Vorhanden</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation>Das Fenster schließen</translation>
    </message>
    <message>
        <source>Port &amp;number:</source>
        <translation>Port&amp;nummer:</translation>
    </message>
    <message>
        <source>&amp;Serial devices present:</source>
        <translation>Vorhandene &amp;serielle Geräte:</translation>
    </message>
    <message>
        <source>&amp;Port numbers:</source>
        <translation>&amp;Portnummern:</translation>
    </message>
    <message>
        <source>nothing: the entry points nowhere</source>
        <translation>nichts: Der Eintrag zeigt ins Leere</translation>
    </message>
    <message>
        <source>none (the default)</source>
        <translation>keiner (Standard)</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>Select a device first.</source>
        <translation>Wählen Sie zuerst ein Gerät.</translation>
    </message>
    <message>
        <source>%1 now opens %2.</source>
        <translation>%1 öffnet jetzt %2.</translation>
    </message>
    <message>
        <source>%1 has no entry: it opens %2.</source>
        <translation>%1 hat keinen Eintrag: Er öffnet %2.</translation>
    </message>
    <message>
        <source>%1&apos;s entry is cleared: it opens %2 again.</source>
        <translation>Der Eintrag von %1 ist gelöscht: Er öffnet wieder %2.</translation>
    </message>
</context>
<context>
    <name>ui::settings::SettingsDialog</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Com port :</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Error !!</source>
        <translation>Fehler !!</translation>
    </message>
    <message>
        <source>The port was not saved.</source>
        <translation>Der Port wurde nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>ui::tuning::GoToFrequencyWindow</name>
    <message>
        <source>At %1 MHz, on your step.</source>
        <translation>Auf %1 MHz, mit Ihrem Schritt.</translation>
    </message>
    <message>
        <source>The transmitter has not reported its frequency and step yet.</source>
        <translation>Der Sender hat Frequenz und Schritt noch nicht gemeldet.</translation>
    </message>
    <message>
        <source>the carrier is on: the frequency is not changed while the transmitter sends.</source>
        <translation>der Träger ist an: die Frequenz wird nicht geändert, solange der Sender sendet.</translation>
    </message>
    <message>
        <source>the link to the transmitter is down.</source>
        <translation>die Verbindung zum Sender ist unterbrochen.</translation>
    </message>
    <message>
        <source>%1 MHz cannot be reached with the transmitter&apos;s steps.</source>
        <translation>%1 MHz ist mit den Schritten des Senders nicht erreichbar.</translation>
    </message>
    <message>
        <source>stopped by a button, Escape or Stop.</source>
        <translation>angehalten durch eine Taste, Escape oder Stopp.</translation>
    </message>
    <message>
        <source>the main window was reloaded.</source>
        <translation>das Hauptfenster wurde neu geladen.</translation>
    </message>
    <message>
        <source>another frequency was asked for (here or by network control).</source>
        <translation>eine andere Frequenz wurde verlangt (hier oder über die Netzsteuerung).</translation>
    </message>
    <message>
        <source>the frequency did not move: a band edge?</source>
        <translation>die Frequenz hat sich nicht bewegt: eine Bandgrenze?</translation>
    </message>
    <message>
        <source>Step did not change the step.</source>
        <translation>Schritt hat den Schritt nicht geändert.</translation>
    </message>
    <message>
        <source>the transmitter reported something else than the move should have made.</source>
        <translation>der Sender meldete etwas anderes, als der Schritt ergeben sollte.</translation>
    </message>
    <message>
        <source>the transmitter did not answer within a second.</source>
        <translation>der Sender hat nicht innerhalb einer Sekunde geantwortet.</translation>
    </message>
    <message>
        <source>Not at %1 MHz: %2</source>
        <translation>Nicht auf %1 MHz: %2</translation>
    </message>
    <message>
        <source>The transmitter is at %1 MHz.</source>
        <translation>Der Sender steht auf %1 MHz.</translation>
    </message>
    <message>
        <source>Go to Frequency</source>
        <translation>Gehe zu Frequenz</translation>
    </message>
    <message>
        <source>Frequency in MHz</source>
        <translation>Frequenz in MHz</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Los</translation>
    </message>
    <message>
        <source>Go to the frequency</source>
        <translation>Zur Frequenz gehen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Stop tuning</source>
        <translation>Abstimmen anhalten</translation>
    </message>
    <message>
        <source>Tuning progress, in commands</source>
        <translation>Fortschritt beim Abstimmen, in Befehlen</translation>
    </message>
    <message>
        <source>%v of %m commands</source>
        <translation>%v von %m Befehlen</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Memories</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>&amp;Add current frequency</source>
        <translation>Aktuelle Frequenz &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add the current frequency to the memories</source>
        <translation>Die aktuelle Frequenz zu den Speichern hinzufügen</translation>
    </message>
    <message>
        <source>Go to &amp;memory</source>
        <translation>Zum &amp;Speicher</translation>
    </message>
    <message>
        <source>Go to the selected memory</source>
        <translation>Zum gewählten Speicher gehen</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Rename the selected memory</source>
        <translation>Den gewählten Speicher umbenennen</translation>
    </message>
    <message>
        <source>Remo&amp;ve</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove the selected memory</source>
        <translation>Den gewählten Speicher entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation>Das Fenster schließen</translation>
    </message>
    <message>
        <source>&amp;Frequency (MHz):</source>
        <translation>&amp;Frequenz (MHz):</translation>
    </message>
    <message>
        <source>M&amp;emories:</source>
        <translation>Spei&amp;cher:</translation>
    </message>
    <message>
        <source>Type a frequency in MHz, such as %1.</source>
        <translation>Geben Sie eine Frequenz in MHz ein, etwa %1.</translation>
    </message>
    <message>
        <source>Tuning to %1 MHz…</source>
        <translation>Stimme auf %1 MHz ab…</translation>
    </message>
    <message>
        <source>The transmitter has not reported its frequency yet.</source>
        <translation>Der Sender hat seine Frequenz noch nicht gemeldet.</translation>
    </message>
    <message>
        <source>%1 MHz added to the memories.</source>
        <translation>%1 MHz zu den Speichern hinzugefügt.</translation>
    </message>
    <message>
        <source>Select a memory first.</source>
        <translation>Wählen Sie zuerst einen Speicher.</translation>
    </message>
    <message>
        <source>%1 removed from the memories.</source>
        <translation>%1 aus den Speichern entfernt.</translation>
    </message>
    <message>
        <source>The memories could not be stored: %1</source>
        <translation>Die Speicher konnten nicht gesichert werden: %1</translation>
    </message>
</context>
</TS>

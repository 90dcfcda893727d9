<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Deze hulp tonen en stoppen.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>De versie tonen en stoppen.</translation>
    </message>
    <message>
        <source>Network control for this run: a rigctld-compatible server (Hamlib&apos;s NET rigctl) on PORT, 4532 unless given.</source>
        <translation>Netwerkbediening voor deze keer: een rigctld-compatibele server (NET rigctl van Hamlib) op PORT, 4532 als die niet gegeven is.</translation>
    </message>
    <message>
        <source>The address network control listens on, 127.0.0.1 unless given. Any other lets programs on other machines key the transmitter.</source>
        <translation>Het adres waarop de netwerkbediening luistert, 127.0.0.1 als het niet gegeven is. Met elk ander adres kunnen programma&apos;s op andere computers de zender inschakelen.</translation>
    </message>
    <message>
        <source>Run the panel with profile NAME (letters, digits, - and _, up to 32): its own stored port, network control, time-out and transmit log, so that two panels can drive two transmitters.</source>
        <translation>Het paneel starten met profiel NAME (letters, cijfers, - en _, hoogstens 32): met een eigen opgeslagen poort, netwerkbediening, time-out en zendlogboek, zodat twee panelen twee zenders kunnen bedienen.</translation>
    </message>
    <message>
        <source>For this run, switch the carrier off once when the transmitter has reported it on for SECONDS (10 to 3600) without a break.</source>
        <translation>Voor deze keer: de draaggolf eenmaal uitschakelen wanneer de zender hem SECONDS seconden (10 tot 3600) zonder onderbreking aan heeft gemeld.</translation>
    </message>
    <message>
        <source>List the serial devices present and what each port number 1 to 9 opens, and exit.</source>
        <translation>De aanwezige seriële apparaten tonen en wat elk poortnummer 1 tot 9 opent, en stoppen.</translation>
    </message>
    <message>
        <source>Make port number N (1 to 9) open DEVICE, by its /dev/serial/by-id name where it has one, and exit.</source>
        <translation>Poortnummer N (1 tot 9) DEVICE laten openen, onder zijn naam in /dev/serial/by-id als het die heeft, en stoppen.</translation>
    </message>
    <message>
        <source>Clear port number N&apos;s entry, so that it opens /dev/ttyS&lt;N-1&gt; again, and exit.</source>
        <translation>De vermelding van poortnummer N wissen, zodat het weer /dev/ttyS&lt;N-1&gt; opent, en stoppen.</translation>
    </message>
    <message>
        <source>invalid port &apos;%1&apos; for --rigctld: give a number from 0 (the system chooses) to 65535.</source>
        <translation>ongeldige poort &apos;%1&apos; voor --rigctld: geef een getal van 0 (het systeem kiest) tot 65535.</translation>
    </message>
    <message>
        <source>invalid address &apos;%1&apos; for --rigctld-listen: give an IP address such as 127.0.0.1, ::1 or 0.0.0.0.</source>
        <translation>ongeldig adres &apos;%1&apos; voor --rigctld-listen: geef een IP-adres zoals 127.0.0.1, ::1 of 0.0.0.0.</translation>
    </message>
    <message>
        <source>invalid time-out &apos;%1&apos; for --tx-timeout: give seconds from %2 to %3.</source>
        <translation>ongeldige time-out &apos;%1&apos; voor --tx-timeout: geef seconden van %2 tot %3.</translation>
    </message>
    <message>
        <source>invalid profile &apos;%1&apos; for --profile: use 1 to 32 letters, digits, &apos;-&apos; or &apos;_&apos;.</source>
        <translation>ongeldig profiel &apos;%1&apos; voor --profile: gebruik 1 tot 32 letters, cijfers, &apos;-&apos; of &apos;_&apos;.</translation>
    </message>
    <message>
        <source>--list-ports, --map-port and --unmap-port go one at a time.</source>
        <translation>--list-ports, --map-port en --unmap-port gaan één tegelijk.</translation>
    </message>
    <message>
        <source>--rigctld, --rigctld-listen, --tx-timeout and --profile start with the panel; they do not go with --list-ports, --map-port or --unmap-port.</source>
        <translation>--rigctld, --rigctld-listen, --tx-timeout en --profile horen bij het starten van het paneel; ze gaan niet samen met --list-ports, --map-port of --unmap-port.</translation>
    </message>
    <message>
        <source>--%1 takes a port number from 1 to 9, not &apos;%2&apos;.</source>
        <translation>--%1 verwacht een poortnummer van 1 tot 9, niet &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>--map-port needs a DEVICE after the port number.</source>
        <translation>--map-port verwacht een DEVICE na het poortnummer.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;.</source>
        <translation>onverwacht argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Usage: vora-tx-controller [options]
A control panel for an amateur-radio transmitter whose controller is on a serial port
(9600 baud, 8N1). Without options it opens the panel on the port chosen in
&quot;Options&quot;, &quot;Settings&quot; (port 1 until one is chosen).

Options:
</source>
        <translation>Gebruik: vora-tx-controller [opties]
Een bedieningspaneel voor een amateurzender waarvan de besturing aan een seriële
poort hangt (9600 baud, 8N1). Zonder opties opent het het paneel op de poort die
in &quot;Opties&quot;, &quot;Instellingen&quot; gekozen is (poort 1 zolang er geen gekozen is).

Opties:
</translation>
    </message>
    <message>
        <source>Usage: vora-tx-controller [options]
Try &apos;vora-tx-controller --help&apos; for more.
</source>
        <translation>Gebruik: vora-tx-controller [opties]
Meer met &apos;vora-tx-controller --help&apos;.
</translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>%1 is held by another program (%2).</source>
        <translation>%1 is bezet door een ander programma (%2).</translation>
    </message>
    <message>
        <source>%1 is locked by %2 for process %3, which has ended: remove that file (%4).</source>
        <translation>%1 is vergrendeld door %2 voor proces %3, dat al beëindigd is: verwijder dat bestand (%4).</translation>
    </message>
    <message>
        <source>%1 is held by process %2.</source>
        <translation>%1 is bezet door proces %2.</translation>
    </message>
    <message>
        <source>%1 is held by %2 (process %3).</source>
        <translation>%1 is bezet door %2 (proces %3).</translation>
    </message>
    <message>
        <source>You may not open %1 (%2). Add yourself to the dialout group (sudo adduser $USER dialout), then log out and in again.</source>
        <translation>U mag %1 niet openen (%2). Voeg uzelf toe aan de groep dialout (sudo adduser $USER dialout) en meld u daarna af en weer aan.</translation>
    </message>
    <message>
        <source>%1 is not a serial line, or it refused 9600 8N1 (%2).</source>
        <translation>%1 is geen seriële lijn, of weigerde 9600 8N1 (%2).</translation>
    </message>
    <message>
        <source>%1 does not exist (%2).</source>
        <translation>%1 bestaat niet (%2).</translation>
    </message>
    <message>
        <source>%1 failed as it was opened (%2): is a serial port behind it?</source>
        <translation>%1 faalde bij het openen (%2): zit er wel een seriële poort achter?</translation>
    </message>
</context>
<context>
    <name>PortAssignments</name>
    <message>
        <source>Port %1 is not a port number: choose one from %2 to %3.</source>
        <translation>Poort %1 is geen poortnummer: kies er een van %2 tot %3.</translation>
    </message>
    <message>
        <source>The port map %1 cannot be created.</source>
        <translation>De poorttabel %1 kan niet worden gemaakt.</translation>
    </message>
    <message>
        <source>%1 cannot be pointed at %2 (%3).</source>
        <translation>%1 kan niet naar %2 verwijzen (%3).</translation>
    </message>
    <message>
        <source>%1 is a folder, not a port-map entry; leaving it alone.</source>
        <translation>%1 is een map, geen vermelding in de poorttabel; die blijft zoals hij is.</translation>
    </message>
    <message>
        <source>%1 cannot be removed (%2).</source>
        <translation>%1 kan niet worden verwijderd (%2).</translation>
    </message>
</context>
<context>
    <name>PortMap</name>
    <message>
        <source>%1 is a port-map entry, not a device.</source>
        <translation>%1 is een vermelding in de poorttabel, geen apparaat.</translation>
    </message>
    <message>
        <source>%1 leads into the port map, to %2, not to a device.</source>
        <translation>%1 leidt de poorttabel in, naar %2, niet naar een apparaat.</translation>
    </message>
    <message>
        <source>%1 does not exist (%2).</source>
        <translation>%1 bestaat niet (%2).</translation>
    </message>
    <message>
        <source>%1 is not a serial line: it is a folder.</source>
        <translation>%1 is geen seriële lijn: het is een map.</translation>
    </message>
    <message>
        <source>%1 is not a serial line: it is a file.</source>
        <translation>%1 is geen seriële lijn: het is een bestand.</translation>
    </message>
    <message>
        <source>%1 cannot be told a serial device: %2 cannot be read (%3).</source>
        <translation>Of %1 een serieel apparaat is, valt niet te zeggen: %2 is niet te lezen (%3).</translation>
    </message>
    <message>
        <source>%1 is not a serial device.</source>
        <translation>%1 is geen serieel apparaat.</translation>
    </message>
    <message>
        <source>%1 is a terminal of the kind &quot;%2&quot;, not a serial line.</source>
        <translation>%1 is een terminal van de soort &quot;%2&quot;, geen seriële lijn.</translation>
    </message>
    <message>
        <source>Port %1 names no device: choose a port from %2 to %3.</source>
        <translation>Poort %1 wijst geen apparaat aan: kies een poort van %2 tot %3.</translation>
    </message>
    <message>
        <source>Port %1, through %2: %3</source>
        <translation>Poort %1, via %2: %3</translation>
    </message>
    <message>
        <source>the entry is not a link to a device.</source>
        <translation>de vermelding is geen koppeling naar een apparaat.</translation>
    </message>
</context>
<context>
    <name>PortMapCommands</name>
    <message>
        <source>no</source>
        <translation>nee</translation>
    </message>
    <message>
        <source>yes, by this program</source>
        <translation>ja, door dit programma</translation>
    </message>
    <message>
        <source>yes, by process %1</source>
        <translation>ja, door proces %1</translation>
    </message>
    <message>
        <source>%1 (no entry: the default)</source>
        <translation>%1 (geen vermelding: de standaard)</translation>
    </message>
    <message>
        <source>%1 (port map)</source>
        <translation>%1 (poorttabel)</translation>
    </message>
    <message>
        <source>, points nowhere</source>
        <translation>, wijst nergens heen</translation>
    </message>
    <message>
        <source>, present</source>
        <translation>, aanwezig</translation>
    </message>
    <message>
        <source>, not present</source>
        <translation>, niet aanwezig</translation>
    </message>
    <message>
        <source>Serial devices present:</source>
        <translation>Aanwezige seriële apparaten:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>geen</translation>
    </message>
    <message>
        <source>stable name</source>
        <translation>vaste naam</translation>
    </message>
    <message>
        <source>description</source>
        <translation>beschrijving</translation>
    </message>
    <message>
        <source>manufacturer</source>
        <translation>fabrikant</translation>
    </message>
    <message>
        <source>serial number</source>
        <translation>serienummer</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>in gebruik</translation>
    </message>
    <message>
        <source>Port numbers:</source>
        <translation>Poortnummers:</translation>
    </message>
    <message>
        <source>Port %1 now opens %2.</source>
        <translation>Poort %1 opent nu %2.</translation>
    </message>
    <message>
        <source>Port %1&apos;s entry is cleared: it opens %2 again.</source>
        <translation>De vermelding van poort %1 is gewist: die opent weer %2.</translation>
    </message>
    <message>
        <source>Port %1 has no entry: it opens %2.</source>
        <translation>Poort %1 heeft geen vermelding: die opent %2.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>it is not a settings file</source>
        <translation>het is geen instellingenbestand</translation>
    </message>
    <message>
        <source>a folder is in its place</source>
        <translation>er staat een map op zijn plaats</translation>
    </message>
    <message>
        <source>you may not read it</source>
        <translation>u mag het niet lezen</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>de schijf is vol</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 is geen map</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>het bestand is alleen-lezen</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>de map ervan is alleen-lezen</translation>
    </message>
    <message>
        <source>the disk may be full</source>
        <translation>de schijf is misschien vol</translation>
    </message>
    <message>
        <source>cannot read the settings file %1: %2</source>
        <translation>kan het instellingenbestand %1 niet lezen: %2</translation>
    </message>
    <message>
        <source>cannot write the settings file %1: %2</source>
        <translation>kan het instellingenbestand %1 niet schrijven: %2</translation>
    </message>
</context>
<context>
    <name>StartupMessage</name>
    <message>
        <source>Error !!</source>
        <translation>Fout !!</translation>
    </message>
    <message>
        <source>VoraController</source>
        <translation>VoraController</translation>
    </message>
    <message>
        <source>Choose another port in Options, Serial Ports…</source>
        <translation>Kies een andere poort in Opties, Seriële poorten…</translation>
    </message>
    <message>
        <source>Com port </source>
        <translation>Com-poort </translation>
    </message>
    <message>
        <source>This com port is in use !</source>
        <translation>Deze com-poort is in gebruik !</translation>
    </message>
    <message>
        <source>Please check your settings</source>
        <translation>Controleer uw instellingen</translation>
    </message>
    <message>
        <source>or shutdown another application</source>
        <translation>of sluit een ander programma af</translation>
    </message>
    <message>
        <source>This com port is not detected !</source>
        <translation>Deze com-poort is niet gevonden !</translation>
    </message>
    <message>
        <source>Error nr </source>
        <translation>Fout nr </translation>
    </message>
    <message>
        <source>The stored port &quot;%1&quot; does not end in a port number: choose a port in Options, Settings.</source>
        <translation>De opgeslagen poort &quot;%1&quot; eindigt niet op een poortnummer: kies een poort in Opties, Instellingen.</translation>
    </message>
</context>
<context>
    <name>app::Program</name>
    <message>
        <source>Transmit Time-out</source>
        <translation>Zendtime-out</translation>
    </message>
    <message>
        <source>The time-out is in force for now, but the next start will not know.</source>
        <translation>De time-out geldt nu, maar de volgende start weet daar niets van.</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuut</numerusform>
            <numerusform>%n minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n seconden</numerusform>
        </translation>
    </message>
    <message>
        <source>The carrier was on for %1: the panel switched it off.</source>
        <translation>De draaggolf stond %1 aan: het paneel heeft hem uitgeschakeld.</translation>
    </message>
    <message>
        <source>The transmitter still reports the carrier on after the time-out switched it off.</source>
        <translation>De zender meldt de draaggolf nog steeds aan, nadat de time-out hem uitschakelde.</translation>
    </message>
    <message>
        <source>The panel sends nothing more: a second toggle could key it. Switch it off yourself.</source>
        <translation>Het paneel stuurt niets meer: nog een keer omschakelen zou hem kunnen inschakelen. Schakel hem zelf uit.</translation>
    </message>
    <message>
        <source>Carrier On</source>
        <translation>Draaggolf aan</translation>
    </message>
    <message>
        <source>The transmitter reports the carrier on. Close the panel?</source>
        <translation>De zender meldt de draaggolf aan. Het paneel sluiten?</translation>
    </message>
    <message>
        <source>Switch Off and Close</source>
        <translation>Uitschakelen en sluiten</translation>
    </message>
    <message>
        <source>Close and Leave On</source>
        <translation>Sluiten en aan laten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Port %1: no device opened yet</source>
        <translation>Poort %1: nog geen apparaat geopend</translation>
    </message>
    <message>
        <source>Port %1: %2</source>
        <translation>Poort %1: %2</translation>
    </message>
    <message>
        <source>open</source>
        <translation>geopend</translation>
    </message>
    <message>
        <source>not open</source>
        <translation>niet geopend</translation>
    </message>
    <message>
        <source>nothing received yet</source>
        <translation>nog niets ontvangen</translation>
    </message>
    <message>
        <source>last record %1 s ago</source>
        <translation>laatste record %1 s geleden</translation>
    </message>
    <message>
        <source>Network Control</source>
        <translation>Netwerkbediening</translation>
    </message>
    <message>
        <source>Network control could not start.</source>
        <translation>De netwerkbediening kon niet starten.</translation>
    </message>
    <message>
        <source>Network control is on for now, but the next start will not know.</source>
        <translation>De netwerkbediening staat nu aan, maar de volgende start weet daar niets van.</translation>
    </message>
    <message>
        <source>Network control is off for now, but the next start will not know.</source>
        <translation>De netwerkbediening staat nu uit, maar de volgende start weet daar niets van.</translation>
    </message>
</context>
<context>
    <name>rigctl::Server</name>
    <message>
        <source>cannot listen on %1 port %2: %3</source>
        <translation>kan niet luisteren op %1 poort %2: %3</translation>
    </message>
</context>
<context>
    <name>ui::about::AboutWindow</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>For more info, log on to </source>
        <translation>Meer info vindt u op </translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sluit</translation>
    </message>
    <message>
        <source>Ver. </source>
        <translation>Versie </translation>
    </message>
    <message>
        <source>Created by</source>
        <translation>Gemaakt door</translation>
    </message>
    <message>
        <source>Thanks and please </source>
        <translation>Bedankt, en stuur </translation>
    </message>
    <message>
        <source>send your feedback or </source>
        <translation>uw reacties of </translation>
    </message>
    <message>
        <source>comments to</source>
        <translation>opmerkingen naar</translation>
    </message>
    <message>
        <source>Press Enter to open it.</source>
        <translation>Druk op Enter om het te openen.</translation>
    </message>
    <message>
        <source>Press Enter to close this window.</source>
        <translation>Druk op Enter om dit venster te sluiten.</translation>
    </message>
</context>
<context>
    <name>ui::about::MakerDetails</name>
    <message>
        <source>the Vora TX developers</source>
        <translation>de Vora TX-ontwikkelaars</translation>
    </message>
    <message>
        <source>your distributor</source>
        <translation>uw distributeur</translation>
    </message>
</context>
<context>
    <name>ui::main::MainWindow</name>
    <message>
        <source>Off</source>
        <translation>Uit</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minuut</translation>
    </message>
    <message>
        <source>2 minutes</source>
        <translation>2 minuten</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 minuten</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minuten</translation>
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
        <translation>TX-freq :</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>Step :</source>
        <translation>Stap :</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Omlaag</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Stap</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Omhoog</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Vermogen</translation>
    </message>
    <message>
        <source>On / Off</source>
        <translation>Aan / Uit</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opties</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>RS232 Monitor</source>
        <translation>RS232-monitor</translation>
    </message>
    <message>
        <source>Serial Ports…</source>
        <translation>Seriële poorten…</translation>
    </message>
    <message>
        <source>Network Control</source>
        <translation>Netwerkbediening</translation>
    </message>
    <message>
        <source>Transmit Time-out</source>
        <translation>Zendtime-out</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>TX Locked</source>
        <translation>TX in lock</translation>
    </message>
    <message>
        <source>TX UnLocked</source>
        <translation>TX uit lock</translation>
    </message>
    <message>
        <source>TX Off</source>
        <translation>TX Uit</translation>
    </message>
    <message>
        <source>TX On</source>
        <translation>TX Aan</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbonden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Verbroken</translation>
    </message>
    <message>
        <source>Remote TX</source>
        <translation>TX extern</translation>
    </message>
    <message>
        <source>Net %1</source>
        <translation>Net %1</translation>
    </message>
    <message>
        <source>Frequency, decimal point</source>
        <translation>Frequentie, decimale punt</translation>
    </message>
    <message>
        <source>Frequency, fraction digits</source>
        <translation>Frequentie, cijfers achter de punt</translation>
    </message>
    <message>
        <source>Frequency, unit</source>
        <translation>Frequentie, eenheid</translation>
    </message>
    <message>
        <source>Carrier state not reported yet. Press to switch the carrier on or off.</source>
        <translation>Draaggolf nog niet gemeld. Druk om de draaggolf aan of uit te zetten.</translation>
    </message>
    <message>
        <source>Go to Frequency…</source>
        <translation>Naar frequentie…</translation>
    </message>
    <message>
        <source>Carrier on. Press to switch the carrier off.</source>
        <translation>Draaggolf aan. Druk om de draaggolf uit te zetten.</translation>
    </message>
    <message>
        <source>Carrier off. Press to key the transmitter.</source>
        <translation>Draaggolf uit. Druk om de zender in te schakelen.</translation>
    </message>
    <message>
        <source>%1.%2 MHz</source>
        <translation>%1.%2 MHz</translation>
    </message>
    <message>
        <source>%1. Hold to tune down.</source>
        <translation>%1. Vasthouden om omlaag af te stemmen.</translation>
    </message>
    <message>
        <source>%1. Hold to tune up.</source>
        <translation>%1. Vasthouden om omhoog af te stemmen.</translation>
    </message>
    <message>
        <source>Power %1 of %2.</source>
        <translation>Vermogen %1 van %2.</translation>
    </message>
    <message>
        <source>%1 Hold to lower the power.</source>
        <translation>%1 Vasthouden om het vermogen te verlagen.</translation>
    </message>
    <message>
        <source>%1 Hold to raise the power.</source>
        <translation>%1 Vasthouden om het vermogen te verhogen.</translation>
    </message>
    <message>
        <source>%1, selected step</source>
        <translation>%1, gekozen stap</translation>
    </message>
    <message>
        <source>No step reported yet. Press to change the step.</source>
        <translation>Nog geen stap gemeld. Druk om de stap te wijzigen.</translation>
    </message>
    <message>
        <source>%1 step. Press to change the step.</source>
        <translation>Stap %1. Druk om de stap te wijzigen.</translation>
    </message>
</context>
<context>
    <name>ui::monitor::LampShape</name>
    <message>
        <source>lit</source>
        <translation>aan</translation>
    </message>
    <message>
        <source>out</source>
        <translation>uit</translation>
    </message>
</context>
<context>
    <name>ui::monitor::LinkMonitor</name>
    <message>
        <source>Com port</source>
        <translation>Com-poort</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbonden</translation>
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
        <translation>RS232-monitor</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Aansluiting</translation>
    </message>
    <message>
        <source>Link lamp</source>
        <translation>Verbindingslamp</translation>
    </message>
    <message>
        <source>Transmit lamp</source>
        <translation>Zendlamp</translation>
    </message>
    <message>
        <source>Receive lamp</source>
        <translation>Ontvangstlamp</translation>
    </message>
</context>
<context>
    <name>ui::ports::SerialPortsWindow</name>
    <message>
        <source>no</source>
        <translation>nee</translation>
    </message>
    <message>
        <source>by this program</source>
        <translation>door dit programma</translation>
    </message>
    <message>
        <source>by process %1</source>
        <translation>door proces %1</translation>
    </message>
    <message>
        <source>Serial Ports</source>
        <translation>Seriële poorten</translation>
    </message>
    <message>
        <source>Serial devices present</source>
        <translation>Aanwezige seriële apparaten</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Apparaat</translation>
    </message>
    <message>
        <source>Kernel name</source>
        <translation>Kernelnaam</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschrijving</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Fabrikant</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serienummer</translation>
    </message>
    <message>
        <source>In use</source>
        <translation>In gebruik</translation>
    </message>
    <message>
        <source>Port number</source>
        <translation>Poortnummer</translation>
    </message>
    <message>
        <source>&amp;Assign device to port</source>
        <translation>&amp;Apparaat aan poort toewijzen</translation>
    </message>
    <message>
        <source>Assign the selected device to the port number</source>
        <translation>Het gekozen apparaat aan het poortnummer toewijzen</translation>
    </message>
    <message>
        <source>C&amp;lear port</source>
        <translation>Poort &amp;wissen</translation>
    </message>
    <message>
        <source>Clear the port number&apos;s entry</source>
        <translation>De vermelding van het poortnummer wissen</translation>
    </message>
    <message>
        <source>Port numbers</source>
        <translation>Poortnummers</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Poort</translation>
    </message>
    <message>
        <source>Port-map entry</source>
        <translation>Vermelding in poorttabel</translation>
    </message>
    <message>
        <source>Opens</source>
        <translation>Opent</translation>
    </message>
    <message>
        <source>Present</source>
        <translation>Aanwezig</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultaat</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation>Het venster sluiten</translation>
    </message>
    <message>
        <source>Port &amp;number:</source>
        <translation>Poort&amp;nummer:</translation>
    </message>
    <message>
        <source>&amp;Serial devices present:</source>
        <translation>Aanwezige &amp;seriële apparaten:</translation>
    </message>
    <message>
        <source>&amp;Port numbers:</source>
        <translation>&amp;Poortnummers:</translation>
    </message>
    <message>
        <source>nothing: the entry points nowhere</source>
        <translation>niets: de vermelding wijst nergens heen</translation>
    </message>
    <message>
        <source>none (the default)</source>
        <translation>geen (de standaard)</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>Select a device first.</source>
        <translation>Kies eerst een apparaat.</translation>
    </message>
    <message>
        <source>%1 now opens %2.</source>
        <translation>%1 opent nu %2.</translation>
    </message>
    <message>
        <source>%1 has no entry: it opens %2.</source>
        <translation>%1 heeft geen vermelding: die opent %2.</translation>
    </message>
    <message>
        <source>%1&apos;s entry is cleared: it opens %2 again.</source>
        <translation>De vermelding van %1 is gewist: die opent weer %2.</translation>
    </message>
</context>
<context>
    <name>ui::settings::SettingsDialog</name>
    <message>
        <source>Options</source>
        <translation>Opties</translation>
    </message>
    <message>
        <source>Com port :</source>
        <translation>Poort :</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Error !!</source>
        <translation>Fout !!</translation>
    </message>
    <message>
        <source>The port was not saved.</source>
        <translation>De poort is niet opgeslagen.</translation>
    </message>
</context>
<context>
    <name>ui::tuning::GoToFrequencyWindow</name>
    <message>
        <source>At %1 MHz, on your step.</source>
        <translation>Op %1 MHz, met uw stap.</translation>
    </message>
    <message>
        <source>The transmitter has not reported its frequency and step yet.</source>
        <translation>De zender heeft zijn frequentie en stap nog niet gemeld.</translation>
    </message>
    <message>
        <source>the carrier is on: the frequency is not changed while the transmitter sends.</source>
        <translation>de draaggolf is aan: de frequentie verandert niet terwijl de zender uitzendt.</translation>
    </message>
    <message>
        <source>the link to the transmitter is down.</source>
        <translation>de verbinding met de zender is weg.</translation>
    </message>
    <message>
        <source>%1 MHz cannot be reached with the transmitter&apos;s steps.</source>
        <translation>%1 MHz is met de stappen van de zender niet te bereiken.</translation>
    </message>
    <message>
        <source>stopped by a button, Escape or Stop.</source>
        <translation>gestopt door een knop, Escape of Stop.</translation>
    </message>
    <message>
        <source>the main window was reloaded.</source>
        <translation>het hoofdvenster is opnieuw geladen.</translation>
    </message>
    <message>
        <source>another frequency was asked for (here or by network control).</source>
        <translation>er is om een andere frequentie gevraagd (hier of via netwerkbediening).</translation>
    </message>
    <message>
        <source>the frequency did not move: a band edge?</source>
        <translation>de frequentie veranderde niet: een bandgrens?</translation>
    </message>
    <message>
        <source>Step did not change the step.</source>
        <translation>Stap veranderde de stap niet.</translation>
    </message>
    <message>
        <source>the transmitter reported something else than the move should have made.</source>
        <translation>de zender meldde iets anders dan de stap had moeten opleveren.</translation>
    </message>
    <message>
        <source>the transmitter did not answer within a second.</source>
        <translation>de zender antwoordde niet binnen een seconde.</translation>
    </message>
    <message>
        <source>Not at %1 MHz: %2</source>
        <translation>Niet op %1 MHz: %2</translation>
    </message>
    <message>
        <source>The transmitter is at %1 MHz.</source>
        <translation>De zender staat op %1 MHz.</translation>
    </message>
    <message>
        <source>Go to Frequency</source>
        <translation>Naar frequentie</translation>
    </message>
    <message>
        <source>Frequency in MHz</source>
        <translation>Frequentie in MHz</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Ga</translation>
    </message>
    <message>
        <source>Go to the frequency</source>
        <translation>Naar de frequentie gaan</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Stop tuning</source>
        <translation>Afstemmen stoppen</translation>
    </message>
    <message>
        <source>Tuning progress, in commands</source>
        <translation>Voortgang van het afstemmen, in opdrachten</translation>
    </message>
    <message>
        <source>%v of %m commands</source>
        <translation>%v van %m opdrachten</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultaat</translation>
    </message>
    <message>
        <source>Memories</source>
        <translation>Geheugens</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>&amp;Add current frequency</source>
        <translation>Huidige frequentie &amp;toevoegen</translation>
    </message>
    <message>
        <source>Add the current frequency to the memories</source>
        <translation>De huidige frequentie aan de geheugens toevoegen</translation>
    </message>
    <message>
        <source>Go to &amp;memory</source>
        <translation>Naar &amp;geheugen</translation>
    </message>
    <message>
        <source>Go to the selected memory</source>
        <translation>Naar het gekozen geheugen gaan</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Hernoemen</translation>
    </message>
    <message>
        <source>Rename the selected memory</source>
        <translation>Het gekozen geheugen hernoemen</translation>
    </message>
    <message>
        <source>Remo&amp;ve</source>
        <translation>&amp;Verwijderen</translation>
    </message>
    <message>
        <source>Remove the selected memory</source>
        <translation>Het gekozen geheugen verwijderen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation>Het venster sluiten</translation>
    </message>
    <message>
        <source>&amp;Frequency (MHz):</source>
        <translation>&amp;Frequentie (MHz):</translation>
    </message>
    <message>
        <source>M&amp;emories:</source>
        <translation>Gehe&amp;ugens:</translation>
    </message>
    <message>
        <source>Type a frequency in MHz, such as %1.</source>
        <translation>Typ een frequentie in MHz, zoals %1.</translation>
    </message>
    <message>
        <source>Tuning to %1 MHz…</source>
        <translation>Afstemmen op %1 MHz…</translation>
    </message>
    <message>
        <source>The transmitter has not reported its frequency yet.</source>
        <translation>De zender heeft zijn frequentie nog niet gemeld.</translation>
    </message>
    <message>
        <source>%1 MHz added to the memories.</source>
        <translation>%1 MHz aan de geheugens toegevoegd.</translation>
    </message>
    <message>
        <source>Select a memory first.</source>
        <translation>Kies eerst een geheugen.</translation>
    </message>
    <message>
        <source>%1 removed from the memories.</source>
        <translation>%1 uit de geheugens verwijderd.</translation>
    </message>
    <message>
        <source>The memories could not be stored: %1</source>
        <translation>De geheugens konden niet worden bewaard: %1</translation>
    </message>
</context>
</TS>

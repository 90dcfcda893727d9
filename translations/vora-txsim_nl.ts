<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en">
<context>
    <name>PortMapEntry</name>
    <message>
        <source>port %1 is in use by another simulator that is still running</source>
        <translation>poort %1 is in gebruik door een andere simulator die nog draait</translation>
    </message>
    <message>
        <source>port %1 is taken: %2 is your own entry, pointing at %3</source>
        <translation>poort %1 is bezet: %2 is uw eigen vermelding, die naar %3 wijst</translation>
    </message>
    <message>
        <source>port %1 is taken: %2 is your own entry</source>
        <translation>poort %1 is bezet: %2 is uw eigen vermelding</translation>
    </message>
    <message>
        <source>port %1 is free (--port %1)</source>
        <translation>poort %1 is vrij (--port %1)</translation>
    </message>
    <message>
        <source>no port from %1 to %2 is free</source>
        <translation>geen poort van %1 tot %2 is vrij</translation>
    </message>
    <message>
        <source>%1; %2, or add --replace to use port %3 and put the entry back when the simulator ends</source>
        <translation>%1; %2, of voeg --replace toe om poort %3 te gebruiken en de vermelding terug te zetten wanneer de simulator stopt</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>kan %1 niet schrijven: %2</translation>
    </message>
    <message>
        <source>port %1 is not one of %2 to %3</source>
        <translation>poort %1 ligt niet tussen %2 en %3</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>kan %1 niet maken</translation>
    </message>
    <message>
        <source>%1 still holds an entry that an earlier simulator replaced; put it back as %2 or remove it first</source>
        <translation>%1 bevat nog een vermelding die een eerdere simulator verving; zet die eerst terug als %2 of verwijder hem</translation>
    </message>
    <message>
        <source>cannot keep %1 aside as %2: %3</source>
        <translation>kan %1 niet opzij zetten als %2: %3</translation>
    </message>
    <message>
        <source>cannot link %1 to %2: %3</source>
        <translation>kan %1 niet naar %2 laten verwijzen: %3</translation>
    </message>
    <message>
        <source>; your own entry is left as %1</source>
        <translation>; uw eigen vermelding staat nu als %1</translation>
    </message>
    <message>
        <source>%1 was changed while the simulator ran; the entry it replaced is left as %2</source>
        <translation>%1 is gewijzigd terwijl de simulator draaide; de vermelding die hij verving staat nu als %2</translation>
    </message>
    <message>
        <source>cannot put %1 back as %2: %3</source>
        <translation>kan %1 niet terugzetten als %2: %3</translation>
    </message>
</context>
<context>
    <name>PtyLine</name>
    <message>
        <source>read: end of file</source>
        <translation>lezen: einde van het bestand</translation>
    </message>
</context>
<context>
    <name>SimOptions</name>
    <message>
        <source>Frequency record kind: F, G or H (default F).</source>
        <translation>Soort frequentierecord: F, G of H (standaard F).</translation>
    </message>
    <message>
        <source>Start frequency in MHz (default per format: 1296, 10368, 2320).</source>
        <translation>Startfrequentie in MHz (standaard per formaat: 1296, 10368, 2320).</translation>
    </message>
    <message>
        <source>Start power level, 0 to 255 (default 128).</source>
        <translation>Startvermogen, 0 tot 255 (standaard 128).</translation>
    </message>
    <message>
        <source>Report the synthesiser as unlocked.</source>
        <translation>De synthesizer uit lock melden.</translation>
    </message>
    <message>
        <source>Publish the pty as the panel&apos;s port N (1-9) in the port map.</source>
        <translation>De pty als poort N (1-9) van het paneel in de poorttabel zetten.</translation>
    </message>
    <message>
        <source>With --port: take the port&apos;s entry even if it is someone&apos;s own; put it back at the end.</source>
        <translation>Met --port: de vermelding van de poort overnemen, ook als die van iemand zelf is; aan het eind terugzetten.</translation>
    </message>
    <message>
        <source>Print the pty path first (always done; kept for scripts).</source>
        <translation>Eerst het pty-pad afdrukken (gebeurt altijd; blijft voor scripts).</translation>
    </message>
    <message>
        <source>Print the pty path alone, and log nothing.</source>
        <translation>Alleen het pty-pad afdrukken, en niets loggen.</translation>
    </message>
    <message>
        <source>Repeat the status every MS milliseconds; 0 never (default 1000).</source>
        <translation>De status elke MS milliseconden herhalen; 0 nooit (standaard 1000).</translation>
    </message>
    <message>
        <source>Pause between the parts of a split record (default 50).</source>
        <translation>Pauze tussen de delen van een gesplitst record (standaard 50).</translation>
    </message>
    <message>
        <source>--format takes F, G or H</source>
        <translation>--format verwacht F, G of H</translation>
    </message>
    <message>
        <source>--frequency is out of range for this format</source>
        <translation>--frequency valt buiten het bereik van dit formaat</translation>
    </message>
    <message>
        <source>--%1 takes %2</source>
        <translation>--%1 verwacht %2</translation>
    </message>
    <message>
        <source>--split takes K:P, K from 1, P from 1 to 7</source>
        <translation>--split verwacht K:P, K vanaf 1, P van 1 tot 7</translation>
    </message>
    <message>
        <source>--%1 takes seconds</source>
        <translation>--%1 verwacht seconden</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>onverwacht argument: %1</translation>
    </message>
    <message>
        <source>--replace needs --port</source>
        <translation>--replace vereist --port</translation>
    </message>
    <message>
        <source>--silence-for needs --silence-after</source>
        <translation>--silence-for vereist --silence-after</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 tot 255</translation>
    </message>
    <message>
        <source>1 to 9</source>
        <translation>1 tot 9</translation>
    </message>
    <message>
        <source>milliseconds, 0 to 3600000</source>
        <translation>milliseconden, 0 tot 3600000</translation>
    </message>
    <message>
        <source>1 to 10000000</source>
        <translation>1 tot 10000000</translation>
    </message>
    <message>
        <source>0 to 60000</source>
        <translation>0 tot 60000</translation>
    </message>
    <message>
        <source>0 to 4096</source>
        <translation>0 tot 4096</translation>
    </message>
    <message>
        <source>Fault: answer Step (1a) with the step unchanged.</source>
        <translation>Fout: beantwoord Step (1a) met een ongewijzigde stap.</translation>
    </message>
    <message>
        <source>Fault: up and down do nothing where they would leave LOW to HIGH MHz; the frequency record still comes.</source>
        <translation>Fout: op en neer doen niets waar ze LOW tot HIGH MHz zouden verlaten; het frequentierecord komt wel.</translation>
    </message>
    <message>
        <source>Fault: write records a byte at a time, 1.042 ms apart (9600 baud 8N1).</source>
        <translation>Storing: schrijf records byte voor byte, 1,042 ms uit elkaar (9600 baud 8N1).</translation>
    </message>
    <message>
        <source>Fault: microseconds between paced bytes (default 1042); implies --byte-pacing.</source>
        <translation>Storing: microseconden tussen de bytes (standaard 1042); houdt --byte-pacing in.</translation>
    </message>
    <message>
        <source>Fault: the K-th record sent (counting every record from 1) goes out as P characters (1 to 7), a pause, then the rest.</source>
        <translation>Storing: het K-de verstuurde record (elk record geteld vanaf 1) gaat uit als P tekens (1 tot 7), een pauze, en dan de rest.</translation>
    </message>
    <message>
        <source>Fault: write N random bytes ahead of every status repeat.</source>
        <translation>Storing: schrijf N willekeurige bytes vóór elke statusherhaling.</translation>
    </message>
    <message>
        <source>Fault: status repeats carry a step code that is no number (&quot;x1&quot; and the like).</source>
        <translation>Storing: statusherhalingen hebben een stapcode die geen getal is (&quot;x1&quot; en dergelijke).</translation>
    </message>
    <message>
        <source>Fault: after S seconds nothing more goes out; commands are still read, obeyed and logged.</source>
        <translation>Storing: na S seconden gaat er niets meer uit; commando&apos;s worden nog wel gelezen, uitgevoerd en gelogd.</translation>
    </message>
    <message>
        <source>Fault: with --silence-after, talk again after S more seconds.</source>
        <translation>Storing: met --silence-after, na nog S seconden weer praten.</translation>
    </message>
    <message>
        <source>Fault: close the line after S seconds (the panel sees the device vanish) and exit.</source>
        <translation>Storing: sluit de lijn na S seconden (het paneel ziet het apparaat verdwijnen) en stop.</translation>
    </message>
    <message>
        <source>A virtual Vora transmitter on a pseudo-terminal.

It answers the panel&apos;s two-byte commands 1a to 7a with 8-character records
(S status, then F, G or H frequency), repeats its status on its own, and can
commit the faults of a real serial line. On start it prints &quot;pty /dev/pts/N&quot;
as its first line; afterwards it logs &quot;rx &lt;command&gt;&quot; for every command it
reads, &quot;tx &lt;record&gt;&quot; for every record once it is on the line, &quot;junk &lt;hex&gt;&quot;
for garbage it sent, &quot;rx-junk &lt;hex&gt;&quot; for bytes it skipped, &quot;silent&quot; and
&quot;talking&quot; when --silence-after and --silence-for take effect, &quot;muted &lt;record&gt;&quot;
for records held back meanwhile, and &quot;hangup&quot;. With --quiet it prints the pty
path alone and nothing more. SIGINT, SIGTERM or SIGHUP end it with status 0
and remove the port-map entry it made.

With --port N it refuses an entry comN that is the operator&apos;s own (or another
running simulator&apos;s) and names a free port instead; --replace takes it all the
same and puts it back when the simulator ends.

The options whose description begins &quot;Fault:&quot; commit the faults of a real
serial line.</source>
        <translation>Een virtuele Vora-zender op een pseudoterminal.

Hij beantwoordt de commando&apos;s 1a tot 7a (van twee bytes) van het paneel met
records van 8 tekens (S status, dan F, G of H frequentie), herhaalt uit zichzelf
zijn status en kan de fouten van een echte seriële lijn nabootsen. Bij de start
drukt hij &quot;pty /dev/pts/N&quot; af als eerste regel; daarna logt hij &quot;rx &lt;command&gt;&quot;
voor elk commando dat hij leest, &quot;tx &lt;record&gt;&quot; voor elk record zodra het op de
lijn staat, &quot;junk &lt;hex&gt;&quot; voor rommel die hij stuurde, &quot;rx-junk &lt;hex&gt;&quot; voor bytes
die hij oversloeg, &quot;silent&quot; en &quot;talking&quot; wanneer --silence-after en
--silence-for ingaan, &quot;muted &lt;record&gt;&quot; voor records die intussen achterblijven,
en &quot;hangup&quot;. Met --quiet drukt hij alleen het pty-pad af en verder niets.
SIGINT, SIGTERM of SIGHUP beëindigen hem met status 0 en verwijderen de
vermelding in de poorttabel die hij maakte.

Met --port N weigert hij een vermelding comN die van de operator zelf is (of van
een andere simulator die nog draait) en noemt hij in plaats daarvan een vrije
poort; --replace neemt die toch over en zet hem terug wanneer de simulator stopt.

De opties waarvan de beschrijving met &quot;Storing:&quot; begint, veroorzaken de storingen
van een echte seriële lijn.</translation>
    </message>
</context>
</TS>

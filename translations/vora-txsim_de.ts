<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>PortMapEntry</name>
    <message>
        <source>port %1 is in use by another simulator that is still running</source>
        <translation>Port %1 wird von einem anderen, noch laufenden Simulator benutzt</translation>
    </message>
    <message>
        <source>port %1 is taken: %2 is your own entry, pointing at %3</source>
        <translation>Port %1 ist belegt: %2 ist Ihr eigener Eintrag und zeigt auf %3</translation>
    </message>
    <message>
        <source>port %1 is taken: %2 is your own entry</source>
        <translation>Port %1 ist belegt: %2 ist Ihr eigener Eintrag</translation>
    </message>
    <message>
        <source>port %1 is free (--port %1)</source>
        <translation>Port %1 ist frei (--port %1)</translation>
    </message>
    <message>
        <source>no port from %1 to %2 is free</source>
        <translation>kein Port von %1 bis %2 ist frei</translation>
    </message>
    <message>
        <source>%1; %2, or add --replace to use port %3 and put the entry back when the simulator ends</source>
        <translation>%1; %2, oder geben Sie --replace an, um Port %3 zu benutzen und den Eintrag zurückzustellen, wenn der Simulator endet</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 ist nicht schreibbar: %2</translation>
    </message>
    <message>
        <source>port %1 is not one of %2 to %3</source>
        <translation>Port %1 liegt nicht zwischen %2 und %3</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 still holds an entry that an earlier simulator replaced; put it back as %2 or remove it first</source>
        <translation>%1 enthält noch einen Eintrag, den ein früherer Simulator ersetzt hat; stellen Sie ihn zuerst als %2 zurück oder entfernen Sie ihn</translation>
    </message>
    <message>
        <source>cannot keep %1 aside as %2: %3</source>
        <translation>%1 kann nicht als %2 beiseitegelegt werden: %3</translation>
    </message>
    <message>
        <source>cannot link %1 to %2: %3</source>
        <translation>%1 kann nicht auf %2 verweisen: %3</translation>
    </message>
    <message>
        <source>; your own entry is left as %1</source>
        <translation>; Ihr eigener Eintrag liegt jetzt als %1 da</translation>
    </message>
    <message>
        <source>%1 was changed while the simulator ran; the entry it replaced is left as %2</source>
        <translation>%1 wurde geändert, während der Simulator lief; der ersetzte Eintrag liegt jetzt als %2 da</translation>
    </message>
    <message>
        <source>cannot put %1 back as %2: %3</source>
        <translation>%1 kann nicht als %2 zurückgestellt werden: %3</translation>
    </message>
</context>
<context>
    <name>PtyLine</name>
    <message>
        <source>read: end of file</source>
        <translation>Lesen: Dateiende</translation>
    </message>
</context>
<context>
    <name>SimOptions</name>
    <message>
        <source>Frequency record kind: F, G or H (default F).</source>
        <translation>Art des Frequenzdatensatzes: F, G oder H (Standard F).</translation>
    </message>
    <message>
        <source>Start frequency in MHz (default per format: 1296, 10368, 2320).</source>
        <translation>Startfrequenz in MHz (Standard je Format: 1296, 10368, 2320).</translation>
    </message>
    <message>
        <source>Start power level, 0 to 255 (default 128).</source>
        <translation>Anfangsleistung, 0 bis 255 (Standard 128).</translation>
    </message>
    <message>
        <source>Report the synthesiser as unlocked.</source>
        <translation>Den Synthesizer ohne Lock melden.</translation>
    </message>
    <message>
        <source>Publish the pty as the panel&apos;s port N (1-9) in the port map.</source>
        <translation>Das pty als Port N (1-9) des Bedienfelds in die Porttabelle eintragen.</translation>
    </message>
    <message>
        <source>With --port: take the port&apos;s entry even if it is someone&apos;s own; put it back at the end.</source>
        <translation>Mit --port: den Eintrag des Ports übernehmen, auch wenn er jemandem selbst gehört; am Ende zurückstellen.</translation>
    </message>
    <message>
        <source>Print the pty path first (always done; kept for scripts).</source>
        <translation>Zuerst den pty-Pfad ausgeben (geschieht immer; bleibt für Skripte).</translation>
    </message>
    <message>
        <source>Print the pty path alone, and log nothing.</source>
        <translation>Nur den pty-Pfad ausgeben und nichts protokollieren.</translation>
    </message>
    <message>
        <source>Repeat the status every MS milliseconds; 0 never (default 1000).</source>
        <translation>Den Status alle MS Millisekunden wiederholen; 0 nie (Standard 1000).</translation>
    </message>
    <message>
        <source>Pause between the parts of a split record (default 50).</source>
        <translation>Pause zwischen den Teilen eines geteilten Datensatzes (Standard 50).</translation>
    </message>
    <message>
        <source>--format takes F, G or H</source>
        <translation>--format erwartet F, G oder H</translation>
    </message>
    <message>
        <source>--frequency is out of range for this format</source>
        <translation>--frequency liegt außerhalb des Bereichs dieses Formats</translation>
    </message>
    <message>
        <source>--%1 takes %2</source>
        <translation>--%1 erwartet %2</translation>
    </message>
    <message>
        <source>--split takes K:P, K from 1, P from 1 to 7</source>
        <translation>--split erwartet K:P, K ab 1, P von 1 bis 7</translation>
    </message>
    <message>
        <source>--%1 takes seconds</source>
        <translation>--%1 erwartet Sekunden</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>--replace needs --port</source>
        <translation>--replace braucht --port</translation>
    </message>
    <message>
        <source>--silence-for needs --silence-after</source>
        <translation>--silence-for braucht --silence-after</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 bis 255</translation>
    </message>
    <message>
        <source>1 to 9</source>
        <translation>1 bis 9</translation>
    </message>
    <message>
        <source>milliseconds, 0 to 3600000</source>
        <translation>Millisekunden, 0 bis 3600000</translation>
    </message>
    <message>
        <source>1 to 10000000</source>
        <translation>1 bis 10000000</translation>
    </message>
    <message>
        <source>0 to 60000</source>
        <translation>0 bis 60000</translation>
    </message>
    <message>
        <source>0 to 4096</source>
        <translation>0 bis 4096</translation>
    </message>
    <message>
        <source>Fault: answer Step (1a) with the step unchanged.</source>
        <translation>Fehler: Step (1a) mit unverändertem Schritt beantworten.</translation>
    </message>
    <message>
        <source>Fault: up and down do nothing where they would leave LOW to HIGH MHz; the frequency record still comes.</source>
        <translation>Fehler: auf und ab tun nichts, wo sie LOW bis HIGH MHz verlassen würden; der Frequenzdatensatz kommt trotzdem.</translation>
    </message>
    <message>
        <source>Fault: write records a byte at a time, 1.042 ms apart (9600 baud 8N1).</source>
        <translation>Störung: Datensätze Byte für Byte schreiben, 1,042 ms Abstand (9600 Baud 8N1).</translation>
    </message>
    <message>
        <source>Fault: microseconds between paced bytes (default 1042); implies --byte-pacing.</source>
        <translation>Störung: Mikrosekunden zwischen den Bytes (Vorgabe 1042); schließt --byte-pacing ein.</translation>
    </message>
    <message>
        <source>Fault: the K-th record sent (counting every record from 1) goes out as P characters (1 to 7), a pause, then the rest.</source>
        <translation>Störung: der K-te gesendete Datensatz (jeder ab 1 gezählt) geht als P Zeichen (1 bis 7), eine Pause, dann der Rest hinaus.</translation>
    </message>
    <message>
        <source>Fault: write N random bytes ahead of every status repeat.</source>
        <translation>Störung: N zufällige Bytes vor jede Statuswiederholung schreiben.</translation>
    </message>
    <message>
        <source>Fault: status repeats carry a step code that is no number (&quot;x1&quot; and the like).</source>
        <translation>Störung: Statuswiederholungen tragen einen Schrittcode, der keine Zahl ist (&quot;x1&quot; und ähnliche).</translation>
    </message>
    <message>
        <source>Fault: after S seconds nothing more goes out; commands are still read, obeyed and logged.</source>
        <translation>Störung: nach S Sekunden geht nichts mehr hinaus; Befehle werden weiter gelesen, befolgt und protokolliert.</translation>
    </message>
    <message>
        <source>Fault: with --silence-after, talk again after S more seconds.</source>
        <translation>Störung: mit --silence-after nach weiteren S Sekunden wieder sprechen.</translation>
    </message>
    <message>
        <source>Fault: close the line after S seconds (the panel sees the device vanish) and exit.</source>
        <translation>Störung: die Leitung nach S Sekunden schließen (das Bedienfeld sieht das Gerät verschwinden) und enden.</translation>
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
        <translation>Ein virtueller Vora-Sender auf einem Pseudoterminal.

Er beantwortet die Zwei-Byte-Befehle 1a bis 7a des Bedienfelds mit Datensätzen
aus 8 Zeichen (S Status, dann F, G oder H Frequenz), wiederholt von sich aus
seinen Status und kann die Fehler einer echten seriellen Leitung begehen. Beim
Start gibt er als erste Zeile &quot;pty /dev/pts/N&quot; aus; danach protokolliert er
&quot;rx &lt;command&gt;&quot; für jeden gelesenen Befehl, &quot;tx &lt;record&gt;&quot; für jeden Datensatz,
sobald er auf der Leitung ist, &quot;junk &lt;hex&gt;&quot; für gesendeten Datenmüll,
&quot;rx-junk &lt;hex&gt;&quot; für übersprungene Bytes, &quot;silent&quot; und &quot;talking&quot;, wenn
--silence-after und --silence-for wirken, &quot;muted &lt;record&gt;&quot; für derweil
zurückgehaltene Datensätze und &quot;hangup&quot;. Mit --quiet gibt er nur den pty-Pfad
aus und sonst nichts. SIGINT, SIGTERM oder SIGHUP beenden ihn mit Status 0 und
entfernen den Eintrag in der Porttabelle, den er angelegt hat.

Mit --port N lehnt er einen Eintrag comN ab, der dem Operator selbst (oder einem
anderen laufenden Simulator) gehört, und nennt stattdessen einen freien Port;
--replace übernimmt ihn trotzdem und stellt ihn zurück, wenn der Simulator
endet.

Die Optionen, deren Beschreibung mit &quot;Störung:&quot; beginnt, erzeugen die Störungen
einer echten seriellen Leitung.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CardNames</name>
    <message>
        <source>Card back</source>
        <translation>Kartenrückseite</translation>
    </message>
    <message>
        <source>No Trump</source>
        <translation>Kein Trumpf</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Drei</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Vier</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Fünf</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Sechs</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sieben</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Acht</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Neun</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Zehn</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>King</source>
        <translation>König</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>J</source>
        <translation>B</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>D</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit (&quot;Queen of Hearts&quot;).</extracomment>
        <translation>%2-%1</translation>
    </message>
</context>
<context>
    <name>ChatterSounds</name>
    <message>
        <source>Doh</source>
        <translation>Mist</translation>
    </message>
    <message>
        <source>Cough</source>
        <translation>Husten</translation>
    </message>
    <message>
        <source>Hello</source>
        <translation>Hallo</translation>
    </message>
    <message>
        <source>Thank You</source>
        <translation>Danke</translation>
    </message>
    <message>
        <source>Where have you been?</source>
        <translation>Wo warst du?</translation>
    </message>
    <message>
        <source>Snoring</source>
        <translation>Schnarchen</translation>
    </message>
    <message>
        <source>Sneezing</source>
        <translation>Niesen</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Entschuldigung</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Yeehaa</source>
        <translation>Juhu</translation>
    </message>
    <message>
        <source>Yippee</source>
        <translation>Hurra</translation>
    </message>
    <message>
        <source>Oh No</source>
        <translation>Oh nein</translation>
    </message>
    <message>
        <source>Applause</source>
        <translation>Applaus</translation>
    </message>
    <message>
        <source>Honk</source>
        <translation>Hupe</translation>
    </message>
    <message>
        <source>Oooh</source>
        <translation>Oooh</translation>
    </message>
    <message>
        <source>Razzberry</source>
        <translation>Pfffft</translation>
    </message>
    <message>
        <source>Cheer</source>
        <translation>Jubel</translation>
    </message>
    <message>
        <source>Woman Laughing</source>
        <translation>Frau lacht</translation>
    </message>
    <message>
        <source>Man Laughing</source>
        <translation>Mann lacht</translation>
    </message>
    <message>
        <source>Crying</source>
        <translation>Weinen</translation>
    </message>
</context>
<context>
    <name>ClientSession</name>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 hat eine andere Version des Spiels als Sie.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Sie haben eine andere Version des Spiels als der Gastgeber.</translation>
    </message>
    <message>
        <source>You could not get your seat back.</source>
        <translation>Sie konnten Ihren Platz nicht zurückbekommen.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>Der Tisch ist voll</translation>
    </message>
    <message>
        <source>The host has closed the table.</source>
        <translation>Der Gastgeber hat den Tisch geschlossen.</translation>
    </message>
    <message>
        <source>You have been removed from the game.</source>
        <translation>Sie wurden aus dem Spiel entfernt.</translation>
    </message>
    <message>
        <source>Could not connect to %1: %2</source>
        <translation>Keine Verbindung zu %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a Lastling table</source>
        <translation>%1 ist kein Lastling-Tisch</translation>
    </message>
    <message>
        <source>The connection to the host was lost. Reconnecting...</source>
        <translation>Die Verbindung zum Gastgeber ist abgebrochen. Neue Verbindung wird aufgebaut …</translation>
    </message>
    <message>
        <source>Could not reconnect to the host.</source>
        <translation>Die Verbindung zum Gastgeber ließ sich nicht wiederherstellen.</translation>
    </message>
    <message>
        <source>Connection lost. Reconnecting... %1 s</source>
        <translation>Verbindung verloren. Neuer Versuch … %1 s</translation>
    </message>
    <message>
        <source>You</source>
        <extracomment>The name of the player in a solo game, on the own seat and in the chat.</extracomment>
        <translation>Sie</translation>
    </message>
    <message>
        <source>Loading solo game... Please wait.</source>
        <translation>Einzelspiel wird geladen … Bitte warten.</translation>
    </message>
    <message>
        <source>Loading multi-player game... Please wait.</source>
        <translation>Mehrspielerpartie wird geladen … Bitte warten.</translation>
    </message>
</context>
<context>
    <name>DealCheck</name>
    <message>
        <source>The host&apos;s deal for this round does not match what it promised.</source>
        <translation>Das Blatt des Gastgebers für diese Runde entspricht nicht dem, was er zugesagt hat.</translation>
    </message>
</context>
<context>
    <name>InProcessHost</name>
    <message>
        <source>Cannot host a table because port %1 is in use by another program</source>
        <translation>Der Tisch lässt sich nicht eröffnen: Port %1 wird von einem anderen Programm benutzt</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation>Spr&amp;ache</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Gilt ab dem nächsten Start</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Start Game</source>
        <translation>Spiel &amp;starten</translation>
    </message>
    <message>
        <source>&amp;Host a Table...</source>
        <translation>Tisch &amp;eröffnen …</translation>
    </message>
    <message>
        <source>&amp;Join a Table...</source>
        <translation>Tisch be&amp;itreten …</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Text C&amp;olor</source>
        <translation>Text&amp;farbe</translation>
    </message>
    <message>
        <source>Scroll Chat O&amp;ff</source>
        <translation>Chat nicht &amp;mitrollen</translation>
    </message>
    <message>
        <source>Cl&amp;ear Main Chat</source>
        <translation>Hauptchat &amp;leeren</translation>
    </message>
    <message>
        <source>Text Si&amp;ze</source>
        <translation>Text&amp;größe</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Play &amp;Sounds</source>
        <translation>&amp;Klänge abspielen</translation>
    </message>
    <message>
        <source>Player &amp;Phrase Sounds</source>
        <translation>&amp;Phrasenklänge der Spieler</translation>
    </message>
    <message>
        <source>&amp;Turn Sound</source>
        <translation>&amp;Zugsignal</translation>
    </message>
    <message>
        <source>&amp;Classic</source>
        <translation>&amp;Klassisch</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Bot Speed</source>
        <translation>Computer&amp;tempo</translation>
    </message>
    <message>
        <source>&amp;Slow</source>
        <translation>&amp;Langsam</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation>&amp;Schnell</translation>
    </message>
    <message>
        <source>Bot S&amp;kill</source>
        <translation>Computer&amp;stärke</translation>
    </message>
    <message>
        <source>S&amp;mart</source>
        <translation>&amp;Clever</translation>
    </message>
    <message>
        <source>&amp;Reset Screen Location</source>
        <translation>Fensterposition zu&amp;rücksetzen</translation>
    </message>
    <message>
        <source>&amp;Just Watch</source>
        <translation>&amp;Nur zuschauen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>View &amp;Tally</source>
        <translation>&amp;Bilanz anzeigen</translation>
    </message>
    <message>
        <source>&amp;Spy List</source>
        <translation>&amp;Kiebitzliste</translation>
    </message>
    <message>
        <source>&amp;Last Trick</source>
        <translation>&amp;Letzter Stich</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Tipp</translation>
    </message>
    <message>
        <source>&amp;Phrase List</source>
        <translation>&amp;Phrasenliste</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Content</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>N&amp;otifications</source>
        <translation>&amp;Benachrichtigungen</translation>
    </message>
    <message>
        <source>&amp;Four-Colour Deck</source>
        <translation>&amp;Vierfarbiges Blatt</translation>
    </message>
    <message>
        <source>&amp;Card Size</source>
        <translation>&amp;Kartengröße</translation>
    </message>
    <message>
        <source>&amp;Large</source>
        <translation>&amp;Groß</translation>
    </message>
    <message>
        <source>La&amp;rgest</source>
        <translation>Am &amp;größten</translation>
    </message>
</context>
<context>
    <name>Phrases</name>
    <message>
        <source>Way To Go!</source>
        <translation>Weiter so!</translation>
    </message>
    <message>
        <source>Good One!</source>
        <translation>Guter Zug!</translation>
    </message>
    <message>
        <source>Nice Try!</source>
        <translation>Netter Versuch!</translation>
    </message>
    <message>
        <source>Excellent!</source>
        <translation>Ausgezeichnet!</translation>
    </message>
    <message>
        <source>Brilliant!</source>
        <translation>Genial!</translation>
    </message>
    <message>
        <source>Wow, WTG!</source>
        <translation>Wow, spitze!</translation>
    </message>
    <message>
        <source>Thanks!</source>
        <translation>Danke!</translation>
    </message>
    <message>
        <source>Way To Go Teamie!</source>
        <translation>Super, Partner!</translation>
    </message>
    <message>
        <source>Good Game Everyone!</source>
        <translation>Gutes Spiel, alle zusammen!</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>NO</source>
        <extracomment>The picture of the turned-up card when there is no trump: two lines, &quot;NO&quot; and &quot;TRUMP&quot;.</extracomment>
        <translation>KEIN</translation>
    </message>
    <message>
        <source>TRUMP</source>
        <translation>TRUMPF</translation>
    </message>
    <message>
        <source>START GAME</source>
        <translation>SPIEL STARTEN</translation>
    </message>
    <message>
        <source>by Korvel Software</source>
        <translation>von Korvel Software</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>RAUS</translation>
    </message>
    <message>
        <source>WINNER</source>
        <translation>SIEGER</translation>
    </message>
</context>
<context>
    <name>PortMapping</name>
    <message>
        <source>Friends can join at %1:%2</source>
        <translation>Freunde können unter %1:%2 beitreten</translation>
    </message>
    <message>
        <source>Your internet provider shares one address among many homes; friends outside cannot reach a table hosted here. A dedicated host on a server can: see the help.</source>
        <translation>Ihr Internetanbieter teilt eine Adresse unter vielen Haushalten; Freunde von außen erreichen keinen hier eröffneten Tisch. Ein eigener Server kann das: siehe die Hilfe.</translation>
    </message>
    <message>
        <source>No router answered the request to open port %1, so friends outside this network may not reach the table. Forward TCP port %1 to this computer in the router&apos;s settings, or see the help.</source>
        <translation>Kein Router hat auf die Bitte geantwortet, Port %1 zu öffnen; Freunde außerhalb dieses Netzes erreichen den Tisch daher vielleicht nicht. Leiten Sie in den Einstellungen des Routers TCP-Port %1 an diesen Rechner weiter, oder siehe die Hilfe.</translation>
    </message>
    <message>
        <source>The router refused to open port %1 for this table, so friends outside this network cannot reach it. Forward TCP port %1 to this computer in the router&apos;s settings, or see the help.</source>
        <translation>Der Router hat abgelehnt, Port %1 für diesen Tisch zu öffnen; Freunde außerhalb dieses Netzes erreichen ihn daher nicht. Leiten Sie in den Einstellungen des Routers TCP-Port %1 an diesen Rechner weiter, oder siehe die Hilfe.</translation>
    </message>
    <message>
        <source>another computer</source>
        <translation>einen anderen Rechner</translation>
    </message>
    <message>
        <source>another computer (%1)</source>
        <translation>einen anderen Rechner (%1)</translation>
    </message>
    <message>
        <source>The router already forwards port %1 to %2; that was left as it is, so friends outside cannot reach this table.</source>
        <translation>Der Router leitet Port %1 schon an %2 weiter; das bleibt so, daher erreichen Freunde von außen diesen Tisch nicht.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 lässt sich nicht schreiben</translation>
    </message>
</context>
<context>
    <name>SocketErrors</name>
    <message>
        <source>connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>host unreachable</source>
        <translation>Rechner nicht erreichbar</translation>
    </message>
    <message>
        <source>network unreachable</source>
        <translation>Netz nicht erreichbar</translation>
    </message>
    <message>
        <source>connection reset</source>
        <translation>Verbindung zurückgesetzt</translation>
    </message>
    <message>
        <source>connection aborted</source>
        <translation>Verbindung abgebrochen</translation>
    </message>
    <message>
        <source>address already in use</source>
        <translation>Adresse wird schon benutzt</translation>
    </message>
    <message>
        <source>address not available</source>
        <translation>Adresse nicht verfügbar</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>network is down</source>
        <translation>Netz ist ausgefallen</translation>
    </message>
    <message>
        <source>host is down</source>
        <translation>Rechner ist nicht erreichbar</translation>
    </message>
    <message>
        <source>connection broken</source>
        <translation>Verbindung unterbrochen</translation>
    </message>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (Fehler %2)</translation>
    </message>
</context>
<context>
    <name>TableAnnouncer</name>
    <message>
        <source>You played %1.</source>
        <translation>Sie haben %1 gespielt.</translation>
    </message>
    <message>
        <source>%1 played %2.</source>
        <translation>%1 hat %2 gespielt.</translation>
    </message>
    <message>
        <source>You are out.</source>
        <translation>Sie sind raus.</translation>
    </message>
    <message>
        <source>%1 is out.</source>
        <translation>%1 ist raus.</translation>
    </message>
    <message>
        <source>You drew %1.</source>
        <translation>Sie haben %1 gezogen.</translation>
    </message>
    <message>
        <source>Your cards: %1.</source>
        <translation>Ihre Karten: %1.</translation>
    </message>
    <message>
        <source>Trump: %1.</source>
        <translation>Trumpf: %1.</translation>
    </message>
    <message>
        <source>Hand slot %1 is empty.</source>
        <translation>Kartenplatz %1 ist leer.</translation>
    </message>
    <message>
        <source>Not your turn.</source>
        <translation>Sie sind nicht am Zug.</translation>
    </message>
</context>
<context>
    <name>TableLaunch</name>
    <message>
        <source>A name can have at most %1 characters.</source>
        <translation>Ein Name darf höchstens %1 Zeichen haben.</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Bitte geben Sie Ihren Namen ein.</translation>
    </message>
    <message>
        <source>A name cannot hold &quot;+&quot;, &quot;|&quot;, &quot;ÿ&quot; or control characters.</source>
        <translation>Ein Name darf weder »+«, »|«, »ÿ« noch Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>A name cannot begin with &quot;-&quot;.</source>
        <translation>Ein Name darf nicht mit »-« beginnen.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s address.</source>
        <translation>Bitte geben Sie die Adresse des Gastgebers ein.</translation>
    </message>
    <message>
        <source>In &quot;%1&quot;, the port after &quot;:&quot; must be a number from 1 to 65535.</source>
        <translation>In »%1« muss der Port nach »:« eine Zahl von 1 bis 65535 sein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IPv4 or IPv6 address or a host name.</source>
        <translation>»%1« ist weder eine IPv4- oder IPv6-Adresse noch ein Rechnername.</translation>
    </message>
</context>
<context>
    <name>TableSounds</name>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <extracomment>A chat line for a chatter sound not played: %1 the player&apos;s name, %2 the sound&apos;s caption. Keep &quot;:&quot; after the name.</extracomment>
        <translation>%1: &lt;Plauderklang&gt; %2</translation>
    </message>
</context>
<context>
    <name>TallyChart</name>
    <message>
        <source>You</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Andere</translation>
    </message>
    <message numerus="yes">
        <source>%1 won %2 of %n game(s) together</source>
        <translation>
            <numerusform>%1 gewann %2 von %n gemeinsamen Spiel</numerusform>
            <numerusform>%1 gewann %2 von %n gemeinsamen Spielen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 won %2 of %n game(s) together this session</source>
        <translation>
            <numerusform>%1 gewann %2 von %n gemeinsamen Spiel in dieser Sitzung</numerusform>
            <numerusform>%1 gewann %2 von %n gemeinsamen Spielen in dieser Sitzung</numerusform>
        </translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>No games finished yet; a fair share at a table of four is 25%</source>
        <translation>Noch kein Spiel beendet; ein gerechter Anteil an einem Vierertisch sind 25 %</translation>
    </message>
    <message numerus="yes">
        <source>You won %1 of %n game(s), %2%; a fair share at a table of four is 25%</source>
        <translation>
            <numerusform>Sie gewannen %1 von %n Spiel, %2 %; ein gerechter Anteil an einem Vierertisch sind 25 %</numerusform>
            <numerusform>Sie gewannen %1 von %n Spielen, %2 %; ein gerechter Anteil an einem Vierertisch sind 25 %</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TallyFile</name>
    <message>
        <source>The tally file %1 could not be read: %2.</source>
        <translation>Die Bilanzdatei %1 ließ sich nicht lesen: %2.</translation>
    </message>
    <message>
        <source>It could not be moved aside either, so the tally is not saved until that file is moved away.</source>
        <translation>Sie ließ sich auch nicht beiseitelegen; die Bilanz wird daher erst wieder gespeichert, wenn diese Datei entfernt ist.</translation>
    </message>
    <message>
        <source>It was kept as %1 and a new, empty tally begins.</source>
        <translation>Sie wurde als %1 aufbewahrt; eine neue, leere Bilanz beginnt.</translation>
    </message>
    <message>
        <source>it is not a tally file</source>
        <translation>sie ist keine Bilanzdatei</translation>
    </message>
    <message>
        <source>it is cut short</source>
        <translation>sie ist abgeschnitten</translation>
    </message>
    <message>
        <source>it is far larger than a tally can be</source>
        <translation>sie ist viel größer, als eine Bilanz sein kann</translation>
    </message>
    <message>
        <source>its contents are damaged</source>
        <translation>ihr Inhalt ist beschädigt</translation>
    </message>
    <message>
        <source>the file cannot be opened</source>
        <translation>die Datei lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <source>its list of players is damaged</source>
        <translation>ihre Spielerliste ist beschädigt</translation>
    </message>
</context>
<context>
    <name>TallyKeeper</name>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Damit wird die Bilanz von %1 gelöscht. Wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>WindowProgram</name>
    <message>
        <source>Leave this table and join the table at %1?</source>
        <translation>Diesen Tisch verlassen und dem Tisch auf %1 beitreten?</translation>
    </message>
</context>
<context>
    <name>lastling::client::TableClient</name>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>der Port ist keine Zahl von 1 bis 65535</translation>
    </message>
    <message>
        <source>not an IPv4 or IPv6 address or a host name</source>
        <translation>weder eine IPv4- oder IPv6-Adresse noch ein Rechnername</translation>
    </message>
</context>
<context>
    <name>lastling::client::TableModel</name>
    <message>
        <source>You are not connected</source>
        <translation>Sie sind nicht verbunden</translation>
    </message>
    <message>
        <source>Hint: play the %1</source>
        <translation>Tipp: Spielen Sie %1</translation>
    </message>
    <message>
        <source>You no longer see what %1 sends to the chat.</source>
        <translation>Sie sehen nicht mehr, was %1 in den Chat schreibt.</translation>
    </message>
    <message>
        <source>You see what %1 sends to the chat again.</source>
        <translation>Sie sehen wieder, was %1 in den Chat schreibt.</translation>
    </message>
    <message>
        <source>You are no longer at the table.</source>
        <translation>Sie sind nicht mehr am Tisch.</translation>
    </message>
    <message>
        <source>Play to Score: %1</source>
        <translation>Zielpunktzahl: %1</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 hat ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Sie haben ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>%1 ist am Zug.</translation>
    </message>
    <message>
        <source>The computer plays for you.</source>
        <translation>Der Computer spielt für Sie.</translation>
    </message>
    <message>
        <source>Your Turn.</source>
        <translation>Sie sind am Zug.</translation>
    </message>
    <message>
        <source>%1 played.</source>
        <translation>%1 hat gespielt.</translation>
    </message>
    <message>
        <source>%1 played the %2.</source>
        <translation>%1 hat %2 gespielt.</translation>
    </message>
    <message>
        <source>The computer played for you.</source>
        <translation>Der Computer hat für Sie gespielt.</translation>
    </message>
    <message>
        <source>The computer played the %1 for you.</source>
        <translation>Der Computer hat für Sie %1 gespielt.</translation>
    </message>
    <message>
        <source>You played.</source>
        <translation>Sie haben gespielt.</translation>
    </message>
    <message>
        <source>You played the %1.</source>
        <translation>Sie haben %1 gespielt.</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source>You must follow suit if able.</source>
        <translation>Sie müssen Farbe bekennen, wenn Sie können.</translation>
    </message>
    <message>
        <source>You took the trick.</source>
        <translation>Sie haben den Stich gemacht.</translation>
    </message>
    <message>
        <source>%1 took the trick.</source>
        <translation>%1 hat den Stich gemacht.</translation>
    </message>
    <message>
        <source>You win the round: +%1</source>
        <translation>Sie gewinnen die Runde: +%1</translation>
    </message>
    <message>
        <source>%1 wins the round: +%2</source>
        <translation>%1 gewinnt die Runde: +%2</translation>
    </message>
    <message>
        <source>You win the round:+%1</source>
        <extracomment>A chat line: the text up to &quot;:&quot; shows as a name; keep &quot;:+&quot; just before the number.</extracomment>
        <translation>Sie gewinnen die Runde:+%1</translation>
    </message>
    <message>
        <source>%1 wins the round:+%2</source>
        <translation>%1 gewinnt die Runde:+%2</translation>
    </message>
    <message>
        <source>You have Won the Game!</source>
        <translation>Sie haben das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>%1 hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>You can start the next game.</source>
        <translation>Sie können das nächste Spiel starten.</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Sie sind verbunden.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 ist verbunden.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Sie kiebitzen.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 kiebitzt.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 hat die Verbindung getrennt.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 ist gegangen.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 schaut nur zu</translation>
    </message>
    <message>
        <source>%1 is now playing again</source>
        <translation>%1 spielt wieder mit</translation>
    </message>
    <message>
        <source>You are just watching</source>
        <translation>Sie schauen nur zu</translation>
    </message>
    <message>
        <source>You are now playing again</source>
        <translation>Sie spielen wieder mit</translation>
    </message>
    <message>
        <source>Welcome to Lastling</source>
        <translation>Willkommen bei Lastling</translation>
    </message>
</context>
<context>
    <name>lastling::help::AboutWindow</name>
    <message>
        <source>Lastling - About</source>
        <translation>Lastling – Über</translation>
    </message>
    <message>
        <source>Korvel Software logo</source>
        <translation>Logo von Korvel Software</translation>
    </message>
    <message>
        <source>Lastling, the card game for four seats.</source>
        <translation>Lastling, das Kartenspiel für vier Plätze.</translation>
    </message>
    <message>
        <source>Copyright ©</source>
        <translation>Copyright ©</translation>
    </message>
    <message>
        <source>Korvel Software. MIT License.</source>
        <translation>Korvel Software. MIT-Lizenz.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>lastling::help::HelpWindow</name>
    <message>
        <source>Overview</source>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Spielablauf</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentation</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>Die Lobby</translation>
    </message>
    <message>
        <source>Lastling - Help File</source>
        <translation>Lastling – Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>by Korvel Software</source>
        <translation>von Korvel Software</translation>
    </message>
    <message>
        <source>Copyright ©</source>
        <translation>Copyright ©</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>lastling::shell::Board</name>
    <message>
        <source>Trump: %1</source>
        <translation>Trumpf: %1</translation>
    </message>
    <message>
        <source>Play to Score: %1</source>
        <translation>Zielpunktzahl: %1</translation>
    </message>
    <message>
        <source>TRUMP</source>
        <translation>TRUMPF</translation>
    </message>
    <message>
        <source>START GAME</source>
        <translation>SPIEL STARTEN</translation>
    </message>
    <message>
        <source>Welcome to Lastling</source>
        <translation>Willkommen bei Lastling</translation>
    </message>
    <message>
        <source>Took the last trick (Ctrl+L shows it)</source>
        <translation>Hat den letzten Stich gemacht (Strg+L zeigt ihn)</translation>
    </message>
    <message>
        <source>Just watching</source>
        <translation>Schaut nur zu</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Frei&gt;</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>RAUS</translation>
    </message>
    <message>
        <source>WINNER</source>
        <translation>SIEGER</translation>
    </message>
    <message>
        <source>Korvel Software web site</source>
        <translation>Website von Korvel Software</translation>
    </message>
    <message>
        <source>%1, played by %2</source>
        <translation>%1, gespielt von %2</translation>
    </message>
    <message>
        <source>Your hand</source>
        <translation>Ihr Blatt</translation>
    </message>
    <message>
        <source>Your remaining cards</source>
        <translation>Ihre restlichen Karten</translation>
    </message>
    <message>
        <source>%1&apos;s hand</source>
        <translation>Blatt von %1</translation>
    </message>
    <message>
        <source>%1&apos;s remaining cards</source>
        <translation>Restliche Karten von %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n point(s)</source>
        <translation>
            <numerusform>%1: %n Punkt</numerusform>
            <numerusform>%1: %n Punkte</numerusform>
        </translation>
    </message>
    <message>
        <source>Your turn marker</source>
        <translation>Ihre Zugmarke</translation>
    </message>
    <message>
        <source>%1&apos;s turn marker</source>
        <translation>Zugmarke von %1</translation>
    </message>
    <message>
        <source>Hand slot %1: empty</source>
        <translation>Kartenplatz %1: leer</translation>
    </message>
    <message>
        <source>%1 (Alt+%2 or F%3)</source>
        <translation>%1 (Alt+%2 oder F%3)</translation>
    </message>
    <message>
        <source>Hand slot %1</source>
        <translation>Kartenplatz %1</translation>
    </message>
    <message>
        <source>Your turn</source>
        <translation>Sie sind am Zug</translation>
    </message>
    <message>
        <source>%1&apos;s turn</source>
        <translation>%1 ist am Zug</translation>
    </message>
</context>
<context>
    <name>lastling::shell::ClientBridge</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel reconnecting</source>
        <translation>Neue Verbindung abbrechen</translation>
    </message>
</context>
<context>
    <name>lastling::shell::DesktopNotifier</name>
    <message>
        <source>Show the table</source>
        <translation>Tisch zeigen</translation>
    </message>
</context>
<context>
    <name>lastling::shell::FriendInvitations</name>
    <message>
        <source>&amp;Invite Friends...</source>
        <translation>Freunde &amp;einladen …</translation>
    </message>
    <message>
        <source>Open Port on the Ro&amp;uter</source>
        <translation>Port am R&amp;outer öffnen</translation>
    </message>
    <message>
        <source>Host a table first (File &gt; Host a Table...); then this window shows where friends can join it.</source>
        <translation>Eröffnen Sie zuerst einen Tisch (Datei &gt; Tisch eröffnen …); dann zeigt dieses Fenster, wo Freunde ihm beitreten können.</translation>
    </message>
    <message>
        <source>Asking the router to open port %1...</source>
        <translation>Der Router wird gebeten, Port %1 zu öffnen …</translation>
    </message>
    <message>
        <source>Options &gt; Open Port on the Router is off: friends outside this network reach the table only if port %1 is forwarded to this computer by hand.</source>
        <translation>Optionen &gt; Port am Router öffnen ist aus: Freunde außerhalb dieses Netzes erreichen den Tisch nur, wenn Port %1 von Hand an diesen Rechner weitergeleitet wird.</translation>
    </message>
    <message>
        <source>

Friends whose internet has IPv6 can join at [%1]:%2.</source>
        <translation>

Freunde mit IPv6-Internet können unter [%1]:%2 beitreten.</translation>
    </message>
    <message>
        <source>

Friends on this network can join at %1:%2.</source>
        <translation>

Freunde in diesem Netz können unter %1:%2 beitreten.</translation>
    </message>
    <message>
        <source>Router: %1</source>
        <translation>Router: %1</translation>
    </message>
</context>
<context>
    <name>lastling::shell::GameStartDialog</name>
    <message>
        <source>Lastling - Game Start</source>
        <translation>Lastling – Spielbeginn</translation>
    </message>
    <message>
        <source>Game Option</source>
        <translation>Spieloption</translation>
    </message>
    <message>
        <source>Play to Score:</source>
        <translation>Zielpunktzahl:</translation>
    </message>
    <message>
        <source>Play to Score</source>
        <translation>Zielpunktzahl</translation>
    </message>
    <message>
        <source>START GAME</source>
        <translation>SPIEL STARTEN</translation>
    </message>
</context>
<context>
    <name>lastling::shell::HistoryKeeper</name>
    <message>
        <source>Game &amp;History</source>
        <translation>Spiel&amp;verlauf</translation>
    </message>
</context>
<context>
    <name>lastling::shell::HistoryWindow</name>
    <message>
        <source>Solo</source>
        <translation>Allein</translation>
    </message>
    <message>
        <source>Hosted here</source>
        <translation>Hier eröffnet</translation>
    </message>
    <message>
        <source>Watched</source>
        <translation>Zugeschaut</translation>
    </message>
    <message>
        <source>Not finished</source>
        <translation>Nicht beendet</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Lost to %1</source>
        <translation>Verloren gegen %1</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Opponents</source>
        <translation>Gegner</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Game History</source>
        <translation>Spielverlauf</translation>
    </message>
    <message>
        <source>Filter by opponent</source>
        <translation>Nach Gegner filtern</translation>
    </message>
    <message>
        <source>Kept games</source>
        <translation>Gespeicherte Spiele</translation>
    </message>
    <message>
        <source>Export as &amp;Text...</source>
        <translation>Als &amp;Text exportieren …</translation>
    </message>
    <message>
        <source>Export as &amp;JSON...</source>
        <translation>Als &amp;JSON exportieren …</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Runde</translation>
    </message>
    <message>
        <source>&amp;Play This Deal Again</source>
        <translation>Dieses Blatt noch einmal &amp;spielen</translation>
    </message>
    <message>
        <source>Round %1</source>
        <translation>Runde %1</translation>
    </message>
    <message>
        <source>Only at a solo table</source>
        <translation>Nur an einem Einzeltisch</translation>
    </message>
    <message>
        <source>Export as Text</source>
        <translation>Als Text exportieren</translation>
    </message>
    <message>
        <source>Export as JSON</source>
        <translation>Als JSON exportieren</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
</context>
<context>
    <name>lastling::shell::InviteDialog</name>
    <message>
        <source>Lastling - Invite Friends</source>
        <translation>Lastling – Freunde einladen</translation>
    </message>
    <message>
        <source>Invitation link</source>
        <translation>Einladungslink</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the invitation link</source>
        <translation>Einladungslink kopieren</translation>
    </message>
</context>
<context>
    <name>lastling::shell::LanTableList</name>
    <message>
        <source>Tables on the local network</source>
        <translation>Tische im lokalen Netz</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Free seats</source>
        <translation>Freie Plätze</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>Tables on the local network cannot be found: no Avahi daemon is running. Type the host&apos;s address below.</source>
        <translation>Tische im lokalen Netz lassen sich nicht finden: Es läuft kein Avahi-Dienst. Geben Sie unten die Adresse des Gastgebers ein.</translation>
    </message>
    <message>
        <source>Looking for tables on the local network failed. Type the host&apos;s address below.</source>
        <translation>Die Suche nach Tischen im lokalen Netz ist fehlgeschlagen. Geben Sie unten die Adresse des Gastgebers ein.</translation>
    </message>
    <message>
        <source>Looking for tables on the local network...</source>
        <translation>Suche nach Tischen im lokalen Netz …</translation>
    </message>
    <message>
        <source>Tables on the local network (double-click to join):</source>
        <translation>Tische im lokalen Netz (Doppelklick zum Beitreten):</translation>
    </message>
</context>
<context>
    <name>lastling::shell::LastTrickPanel</name>
    <message>
        <source>%1 played %2</source>
        <translation>%1 spielte %2</translation>
    </message>
    <message>
        <source>Last trick: %1, %2 took it</source>
        <translation>Letzter Stich: %1; %2 hat ihn gemacht</translation>
    </message>
    <message>
        <source>Last trick: %1 took it</source>
        <translation>Letzter Stich: %1 hat ihn gemacht</translation>
    </message>
    <message>
        <source>%1 (click or Ctrl+L to hide)</source>
        <translation>%1 (Klick oder Strg+L blendet ihn aus)</translation>
    </message>
</context>
<context>
    <name>lastling::shell::MainWindow</name>
    <message>
        <source>Lastling by Korvel Software</source>
        <translation>Lastling von Korvel Software</translation>
    </message>
    <message>
        <source>Play card %1</source>
        <translation>Karte %1 spielen</translation>
    </message>
    <message>
        <source>Remove %1 from the game?</source>
        <translation>%1 aus dem Spiel entfernen?</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Auf Zuschauen setzen</translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation>Zuschauen aufheben</translation>
    </message>
    <message>
        <source>Ignore Chat</source>
        <translation>Chat ignorieren</translation>
    </message>
    <message>
        <source>Stop Ignoring</source>
        <translation>Nicht mehr ignorieren</translation>
    </message>
    <message>
        <source>Leave the table? The game ends for everybody.</source>
        <translation>Den Tisch verlassen? Das Spiel endet für alle.</translation>
    </message>
    <message>
        <source>Leave the game? The computer plays your seat from now on.</source>
        <translation>Das Spiel verlassen? Der Computer spielt ab jetzt Ihren Platz.</translation>
    </message>
    <message>
        <source>On Wayland the desktop places windows: Reset Screen Location has no effect on the window&apos;s place, only on its size.</source>
        <translation>Unter Wayland platziert die Arbeitsumgebung die Fenster: Fensterposition zurücksetzen ändert nur die Größe des Fensters, nicht seinen Platz.</translation>
    </message>
    <message>
        <source>Your turn at %1</source>
        <translation>Sie sind am Zug (%1)</translation>
    </message>
    <message>
        <source>A game is starting</source>
        <translation>Ein Spiel beginnt</translation>
    </message>
    <message>
        <source>At %1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>the solo table</source>
        <translation>Einzeltisch</translation>
    </message>
    <message>
        <source>%1&apos;s table</source>
        <translation>Tisch von %1</translation>
    </message>
</context>
<context>
    <name>lastling::shell::ReplayBoard</name>
    <message>
        <source>Replay</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Open a game to replay it.</source>
        <translation>Öffnen Sie ein Spiel, um es nachzuspielen.</translation>
    </message>
    <message>
        <source>Trump</source>
        <translation>Trumpf</translation>
    </message>
    <message>
        <source>Round %1 of %2, trick %3</source>
        <translation>Runde %1 von %2, Stich %3</translation>
    </message>
</context>
<context>
    <name>lastling::shell::SpyListDialog</name>
    <message>
        <source>Lastling - Spys</source>
        <translation>Lastling – Kiebitze</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Kiebitzliste</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
</context>
<context>
    <name>lastling::shell::TableDialog</name>
    <message>
        <source>Lastling - Host a Table</source>
        <translation>Lastling – Tisch eröffnen</translation>
    </message>
    <message>
        <source>Lastling - Join a Table</source>
        <translation>Lastling – Tisch beitreten</translation>
    </message>
    <message>
        <source>Your &amp;name:</source>
        <translation>Ihr &amp;Name:</translation>
    </message>
    <message>
        <source>Host&apos;s &amp;address:</source>
        <translation>&amp;Adresse des Gastgebers:</translation>
    </message>
    <message>
        <source>192.168.1.20, [::1]:7780 or a name</source>
        <translation>192.168.1.20, [::1]:7780 oder ein Name</translation>
    </message>
    <message>
        <source>&amp;Host</source>
        <translation>&amp;Eröffnen</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Beitreten</translation>
    </message>
    <message>
        <source>Turn time</source>
        <translation>Bedenkzeit</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n Sekunde</numerusform>
            <numerusform>%n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Turn time:</source>
        <translation>&amp;Bedenkzeit:</translation>
    </message>
</context>
<context>
    <name>lastling::shell::TurnCountdown</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>noch %n Sekunde</numerusform>
            <numerusform>noch %n Sekunden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatEntry</name>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Chat hier eingeben&gt;</translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatModel</name>
    <message>
        <source>%1 chats: %2</source>
        <translation>%1 schreibt: %2</translation>
    </message>
    <message>
        <source>%1 plays a sound</source>
        <translation>%1 spielt einen Klang</translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatPanel</name>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Chat message</source>
        <translation>Chatnachricht</translation>
    </message>
    <message>
        <source>Smileys</source>
        <translation>Smileys</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation>Hauptchat leeren</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Chat nicht mitrollen</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message numerus="yes">
        <source>Line not sent. %n lines are already waiting to go out, and the table takes one a second.</source>
        <translation>
            <numerusform>Zeile nicht gesendet. Schon %n Zeile wartet auf den Versand, und der Tisch nimmt eine pro Sekunde.</numerusform>
            <numerusform>Zeile nicht gesendet. Schon %n Zeilen warten auf den Versand, und der Tisch nimmt eine pro Sekunde.</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>lastling::social::PhraseEditor</name>
    <message>
        <source>Lastling - Phrase Buttons </source>
        <translation>Lastling – Phrasentasten </translation>
    </message>
    <message>
        <source>Buttons can only be used once every 2 seconds</source>
        <translation>Die Tasten lassen sich nur alle 2 Sekunden benutzen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Phrasentaste %1:</translation>
    </message>
</context>
<context>
    <name>lastling::social::PhraseRow</name>
    <message>
        <source>Chatter Sounds</source>
        <translation>Plauderklänge</translation>
    </message>
    <message>
        <source>Chatter sounds</source>
        <translation>Plauderklänge</translation>
    </message>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Abbrechen&gt;</translation>
    </message>
    <message>
        <source>Phrase %1: %2</source>
        <translation>Phrase %1: %2</translation>
    </message>
</context>
<context>
    <name>lastling::start::HttpDownload</name>
    <message>
        <source>Download stopped</source>
        <translation>Download angehalten</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>zu viele Weiterleitungen</translation>
    </message>
</context>
<context>
    <name>lastling::start::LobbyInstaller</name>
    <message>
        <source>connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>host unreachable</source>
        <translation>Rechner nicht erreichbar</translation>
    </message>
    <message>
        <source>network unreachable</source>
        <translation>Netz nicht erreichbar</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>cut short after %1 of %2 bytes</source>
        <translation>nach %1 von %2 Byte abgebrochen</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Wird heruntergeladen: %1</translation>
    </message>
    <message>
        <source>the address names no file</source>
        <translation>die Adresse nennt keine Datei</translation>
    </message>
    <message>
        <source>Download - Cannot create %1: %2</source>
        <translation>Download – %1 lässt sich nicht anlegen: %2</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Lädt</translation>
    </message>
    <message>
        <source>not an HTTP address</source>
        <translation>keine HTTP-Adresse</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download abgebrochen</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 Byte empfangen</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>Download - Cannot write %1: %2</source>
        <translation>Download – %1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>Download - Cannot rename %1 to %2: %3</source>
        <translation>Download – %1 lässt sich nicht in %2 umbenennen: %3</translation>
    </message>
    <message>
        <source>The Korvel Lobby&apos;s installer was saved as %1 in the folder %2.</source>
        <translation>Das Installationsprogramm der Korvel Lobby wurde als %1 im Ordner %2 gespeichert.</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Wird installiert</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Gespeichert: %1</translation>
    </message>
    <message>
        <source>No program here opens it for you. Open that folder now?</source>
        <translation>Hier gibt es kein Programm, das sie für Sie öffnet. Den Ordner jetzt öffnen?</translation>
    </message>
    <message>
        <source>Download Aborted: %1</source>
        <translation>Download abgebrochen: %1</translation>
    </message>
    <message>
        <source>The Korvel Lobby was not downloaded (%1).</source>
        <translation>Die Korvel Lobby wurde nicht heruntergeladen (%1).</translation>
    </message>
</context>
<context>
    <name>lastling::start::StartDialog</name>
    <message>
        <source>Download The Korvel Lobby</source>
        <translation>Die Korvel Lobby herunterladen</translation>
    </message>
    <message>
        <source>The Korvel Lobby</source>
        <translation>Die Korvel Lobby</translation>
    </message>
    <message>
        <source>Download The Korvel Lobby Now to play this and other exciting games online with other players! </source>
        <translation>Laden Sie jetzt die Korvel Lobby herunter und spielen Sie dieses und andere spannende Spiele online mit anderen! </translation>
    </message>
    <message>
        <source>Download And Install The Korvel Lobby Now</source>
        <translation>Korvel Lobby jetzt herunterladen und installieren</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Download anhalten</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Um ohne Gegner aus dem Netz weiterzuspielen, klicken Sie auf die Schaltfläche unten.</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Allein spielen</translation>
    </message>
    <message>
        <source>Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.</source>
        <translation>Hinweis: Auch ohne Internet muss Ihre FIREWALL dem Spiel den Zugriff auf die Netzwerkteile erlauben.</translation>
    </message>
    <message>
        <source>Show this window at start</source>
        <translation>Dieses Fenster beim Start zeigen</translation>
    </message>
    <message>
        <source>If you already have The Korvel Lobby and you wish to play with others then click the button below to close this game and open The Korvel Lobby.</source>
        <translation>Wenn Sie die Korvel Lobby schon haben und mit anderen spielen möchten, klicken Sie unten: Das Spiel schließt und die Korvel Lobby öffnet sich.</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Mit anderen spielen</translation>
    </message>
    <message>
        <source>%p% of %1</source>
        <translation>%p % von %1</translation>
    </message>
</context>
<context>
    <name>lastling::tally::ShareBar</name>
    <message>
        <source>%1% (fair %2%)</source>
        <translation>%1 % (gerecht %2 %)</translation>
    </message>
</context>
<context>
    <name>lastling::tally::TallyKeeper</name>
    <message>
        <source>Opponent</source>
        <translation>Gegner</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Bilanz von %1</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Siege von %1:</translation>
    </message>
</context>
<context>
    <name>lastling::tally::TallyWindow</name>
    <message>
        <source>Lastling - Tally List</source>
        <translation>Lastling – Bilanz</translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Ihre Gesamtbilanz</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spiele gesamt:</translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation>Ihre Siege</translation>
    </message>
    <message>
        <source>Var3:</source>
        <translation>Var3:</translation>
    </message>
    <message>
        <source>Var4:</source>
        <translation>Var4:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Anzahl Spiele</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Ihre Siege:</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Keiner gewann:</translation>
    </message>
    <message>
        <source>Select a player being tallied to see your record.</source>
        <translation>Wählen Sie einen erfassten Spieler, um Ihre Bilanz gegen ihn zu sehen.</translation>
    </message>
    <message>
        <source>Players In Current Game</source>
        <translation>Spieler am Tisch</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Erfasste Spieler</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Bilanz zurücksetzen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
</TS>

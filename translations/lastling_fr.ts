<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CardNames</name>
    <message>
        <source>Card back</source>
        <translation>Dos de carte</translation>
    </message>
    <message>
        <source>No Trump</source>
        <translation>Sans atout</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Deux</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Trois</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Quatre</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Cinq</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Six</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sept</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Huit</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Neuf</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Dix</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Valet</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>King</source>
        <translation>Roi</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>As</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>trèfle</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>carreau</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>cœur</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>pique</translation>
    </message>
    <message>
        <source>J</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>D</translation>
    </message>
    <message>
        <source>K</source>
        <translation>R</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit (&quot;Queen of Hearts&quot;).</extracomment>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>ChatterSounds</name>
    <message>
        <source>Doh</source>
        <translation>Zut</translation>
    </message>
    <message>
        <source>Cough</source>
        <translation>Toux</translation>
    </message>
    <message>
        <source>Hello</source>
        <translation>Bonjour</translation>
    </message>
    <message>
        <source>Thank You</source>
        <translation>Merci</translation>
    </message>
    <message>
        <source>Where have you been?</source>
        <translation>T&apos;étais où&#xa0;?</translation>
    </message>
    <message>
        <source>Snoring</source>
        <translation>Ronflement</translation>
    </message>
    <message>
        <source>Sneezing</source>
        <translation>Éternuement</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Pardon</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
    <message>
        <source>Yeehaa</source>
        <translation>Youhou</translation>
    </message>
    <message>
        <source>Yippee</source>
        <translation>Youpi</translation>
    </message>
    <message>
        <source>Oh No</source>
        <translation>Oh non</translation>
    </message>
    <message>
        <source>Applause</source>
        <translation>Applaudissements</translation>
    </message>
    <message>
        <source>Honk</source>
        <translation>Klaxon</translation>
    </message>
    <message>
        <source>Oooh</source>
        <translation>Ooooh</translation>
    </message>
    <message>
        <source>Razzberry</source>
        <translation>Pfff</translation>
    </message>
    <message>
        <source>Cheer</source>
        <translation>Acclamations</translation>
    </message>
    <message>
        <source>Woman Laughing</source>
        <translation>Rire de femme</translation>
    </message>
    <message>
        <source>Man Laughing</source>
        <translation>Rire d&apos;homme</translation>
    </message>
    <message>
        <source>Crying</source>
        <translation>Pleurs</translation>
    </message>
</context>
<context>
    <name>ClientSession</name>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 a une autre version du jeu que vous.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Vous avez une autre version du jeu que l&apos;hôte.</translation>
    </message>
    <message>
        <source>You could not get your seat back.</source>
        <translation>Vous n&apos;avez pas pu reprendre votre place.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>La table est complète</translation>
    </message>
    <message>
        <source>The host has closed the table.</source>
        <translation>L&apos;hôte a fermé la table.</translation>
    </message>
    <message>
        <source>You have been removed from the game.</source>
        <translation>Vous avez été retiré de la partie.</translation>
    </message>
    <message>
        <source>Could not connect to %1: %2</source>
        <translation>Connexion à %1 impossible&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is not a Lastling table</source>
        <translation>%1 n&apos;est pas une table de Lastling</translation>
    </message>
    <message>
        <source>The connection to the host was lost. Reconnecting...</source>
        <translation>La connexion à l&apos;hôte est perdue. Reconnexion…</translation>
    </message>
    <message>
        <source>Could not reconnect to the host.</source>
        <translation>Impossible de se reconnecter à l&apos;hôte.</translation>
    </message>
    <message>
        <source>Connection lost. Reconnecting... %1 s</source>
        <translation>Connexion perdue. Reconnexion… %1&#xa0;s</translation>
    </message>
    <message>
        <source>You</source>
        <extracomment>The name of the player in a solo game, on the own seat and in the chat.</extracomment>
        <translation>Vous</translation>
    </message>
    <message>
        <source>Loading solo game... Please wait.</source>
        <translation>Chargement de la partie en solo… Veuillez patienter.</translation>
    </message>
    <message>
        <source>Loading multi-player game... Please wait.</source>
        <translation>Chargement de la partie à plusieurs… Veuillez patienter.</translation>
    </message>
</context>
<context>
    <name>DealCheck</name>
    <message>
        <source>The host&apos;s deal for this round does not match what it promised.</source>
        <translation>La donne de l&apos;hôte pour cette manche ne correspond pas à ce qu&apos;il avait promis.</translation>
    </message>
</context>
<context>
    <name>InProcessHost</name>
    <message>
        <source>Cannot host a table because port %1 is in use by another program</source>
        <translation>Impossible d&apos;héberger une table&#xa0;: le port %1 est utilisé par un autre programme</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation>Lan&amp;gue</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Système</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Prend effet au prochain démarrage</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Start Game</source>
        <translation>&amp;Commencer la partie</translation>
    </message>
    <message>
        <source>&amp;Host a Table...</source>
        <translation>&amp;Héberger une table…</translation>
    </message>
    <message>
        <source>&amp;Join a Table...</source>
        <translation>&amp;Rejoindre une table…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Text C&amp;olor</source>
        <translation>&amp;Couleur du texte</translation>
    </message>
    <message>
        <source>Scroll Chat O&amp;ff</source>
        <translation>Ne pas &amp;faire défiler le chat</translation>
    </message>
    <message>
        <source>Cl&amp;ear Main Chat</source>
        <translation>&amp;Effacer le chat principal</translation>
    </message>
    <message>
        <source>Text Si&amp;ze</source>
        <translation>Tai&amp;lle du texte</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Play &amp;Sounds</source>
        <translation>&amp;Jouer les sons</translation>
    </message>
    <message>
        <source>Player &amp;Phrase Sounds</source>
        <translation>Sons des &amp;phrases des joueurs</translation>
    </message>
    <message>
        <source>&amp;Turn Sound</source>
        <translation>Son du &amp;tour</translation>
    </message>
    <message>
        <source>&amp;Classic</source>
        <translation>&amp;Classique</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Bot Speed</source>
        <translation>&amp;Vitesse de l&apos;ordinateur</translation>
    </message>
    <message>
        <source>&amp;Slow</source>
        <translation>&amp;Lente</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normale</translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation>&amp;Rapide</translation>
    </message>
    <message>
        <source>Bot S&amp;kill</source>
        <translation>&amp;Niveau de l&apos;ordinateur</translation>
    </message>
    <message>
        <source>S&amp;mart</source>
        <translation>&amp;Malin</translation>
    </message>
    <message>
        <source>&amp;Reset Screen Location</source>
        <translation>&amp;Réinitialiser la position de la fenêtre</translation>
    </message>
    <message>
        <source>&amp;Just Watch</source>
        <translation>&amp;Observer seulement</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>Affic&amp;hage</translation>
    </message>
    <message>
        <source>View &amp;Tally</source>
        <translation>Afficher le &amp;bilan</translation>
    </message>
    <message>
        <source>&amp;Spy List</source>
        <translation>Liste des &amp;spectateurs</translation>
    </message>
    <message>
        <source>&amp;Last Trick</source>
        <translation>&amp;Dernier pli</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Conseil</translation>
    </message>
    <message>
        <source>&amp;Phrase List</source>
        <translation>Liste des &amp;phrases</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Content</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>N&amp;otifications</source>
        <translation>Notificatio&amp;ns</translation>
    </message>
    <message>
        <source>&amp;Four-Colour Deck</source>
        <translation>Jeu à &amp;quatre couleurs</translation>
    </message>
    <message>
        <source>&amp;Card Size</source>
        <translation>Taille des c&amp;artes</translation>
    </message>
    <message>
        <source>&amp;Large</source>
        <translation>&amp;Grande</translation>
    </message>
    <message>
        <source>La&amp;rgest</source>
        <translation>&amp;Très grande</translation>
    </message>
</context>
<context>
    <name>Phrases</name>
    <message>
        <source>Way To Go!</source>
        <translation>Bravo&#xa0;!</translation>
    </message>
    <message>
        <source>Good One!</source>
        <translation>Joli coup&#xa0;!</translation>
    </message>
    <message>
        <source>Nice Try!</source>
        <translation>Bien tenté&#xa0;!</translation>
    </message>
    <message>
        <source>Excellent!</source>
        <translation>Excellent&#xa0;!</translation>
    </message>
    <message>
        <source>Brilliant!</source>
        <translation>Génial&#xa0;!</translation>
    </message>
    <message>
        <source>Wow, WTG!</source>
        <translation>Waouh, chapeau&#xa0;!</translation>
    </message>
    <message>
        <source>Thanks!</source>
        <translation>Merci&#xa0;!</translation>
    </message>
    <message>
        <source>Way To Go Teamie!</source>
        <translation>Bravo, partenaire&#xa0;!</translation>
    </message>
    <message>
        <source>Good Game Everyone!</source>
        <translation>Bonne partie à tous&#xa0;!</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>NO</source>
        <extracomment>The picture of the turned-up card when there is no trump: two lines, &quot;NO&quot; and &quot;TRUMP&quot;.</extracomment>
        <translation>SANS</translation>
    </message>
    <message>
        <source>TRUMP</source>
        <translation>ATOUT</translation>
    </message>
    <message>
        <source>START GAME</source>
        <translation>COMMENCER</translation>
    </message>
    <message>
        <source>by Korvel Software</source>
        <translation>par Korvel Software</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>SORTI</translation>
    </message>
    <message>
        <source>WINNER</source>
        <translation>GAGNANT</translation>
    </message>
</context>
<context>
    <name>PortMapping</name>
    <message>
        <source>Friends can join at %1:%2</source>
        <translation>Vos amis peuvent rejoindre à %1:%2</translation>
    </message>
    <message>
        <source>Your internet provider shares one address among many homes; friends outside cannot reach a table hosted here. A dedicated host on a server can: see the help.</source>
        <translation>Votre fournisseur d&apos;accès partage une adresse entre de nombreux foyers&#xa0;: vos amis de l&apos;extérieur ne peuvent pas atteindre une table hébergée ici. Un serveur dédié le peut&#xa0;: voir l&apos;aide.</translation>
    </message>
    <message>
        <source>No router answered the request to open port %1, so friends outside this network may not reach the table. Forward TCP port %1 to this computer in the router&apos;s settings, or see the help.</source>
        <translation>Aucun routeur n&apos;a répondu à la demande d&apos;ouverture du port %1&#xa0;; vos amis hors de ce réseau risquent de ne pas atteindre la table. Redirigez le port TCP %1 vers cet ordinateur dans les réglages du routeur, ou voyez l&apos;aide.</translation>
    </message>
    <message>
        <source>The router refused to open port %1 for this table, so friends outside this network cannot reach it. Forward TCP port %1 to this computer in the router&apos;s settings, or see the help.</source>
        <translation>Le routeur a refusé d&apos;ouvrir le port %1 pour cette table&#xa0;; vos amis hors de ce réseau ne peuvent donc pas l&apos;atteindre. Redirigez le port TCP %1 vers cet ordinateur dans les réglages du routeur, ou voyez l&apos;aide.</translation>
    </message>
    <message>
        <source>another computer</source>
        <translation>un autre ordinateur</translation>
    </message>
    <message>
        <source>another computer (%1)</source>
        <translation>un autre ordinateur (%1)</translation>
    </message>
    <message>
        <source>The router already forwards port %1 to %2; that was left as it is, so friends outside cannot reach this table.</source>
        <translation>Le routeur redirige déjà le port %1 vers %2&#xa0;; cela reste ainsi, donc vos amis de l&apos;extérieur ne peuvent pas atteindre cette table.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
</context>
<context>
    <name>SocketErrors</name>
    <message>
        <source>connection refused</source>
        <translation>connexion refusée</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>délai dépassé</translation>
    </message>
    <message>
        <source>host unreachable</source>
        <translation>hôte injoignable</translation>
    </message>
    <message>
        <source>network unreachable</source>
        <translation>réseau injoignable</translation>
    </message>
    <message>
        <source>connection reset</source>
        <translation>connexion réinitialisée</translation>
    </message>
    <message>
        <source>connection aborted</source>
        <translation>connexion interrompue</translation>
    </message>
    <message>
        <source>address already in use</source>
        <translation>adresse déjà utilisée</translation>
    </message>
    <message>
        <source>address not available</source>
        <translation>adresse non disponible</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>accès refusé</translation>
    </message>
    <message>
        <source>network is down</source>
        <translation>le réseau est en panne</translation>
    </message>
    <message>
        <source>host is down</source>
        <translation>l&apos;hôte est arrêté</translation>
    </message>
    <message>
        <source>connection broken</source>
        <translation>connexion rompue</translation>
    </message>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (erreur %2)</translation>
    </message>
</context>
<context>
    <name>TableAnnouncer</name>
    <message>
        <source>You played %1.</source>
        <translation>Vous avez joué&#xa0;: %1.</translation>
    </message>
    <message>
        <source>%1 played %2.</source>
        <translation>%1 a joué&#xa0;: %2.</translation>
    </message>
    <message>
        <source>You are out.</source>
        <translation>Vous êtes sorti.</translation>
    </message>
    <message>
        <source>%1 is out.</source>
        <translation>%1 est sorti.</translation>
    </message>
    <message>
        <source>You drew %1.</source>
        <translation>Vous avez pioché&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Your cards: %1.</source>
        <translation>Vos cartes&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Trump: %1.</source>
        <translation>Atout&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Hand slot %1 is empty.</source>
        <translation>L&apos;emplacement %1 est vide.</translation>
    </message>
    <message>
        <source>Not your turn.</source>
        <translation>Ce n&apos;est pas votre tour.</translation>
    </message>
</context>
<context>
    <name>TableLaunch</name>
    <message>
        <source>A name can have at most %1 characters.</source>
        <translation>Un nom ne peut pas dépasser %1 caractères.</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Veuillez saisir votre nom.</translation>
    </message>
    <message>
        <source>A name cannot hold &quot;+&quot;, &quot;|&quot;, &quot;ÿ&quot; or control characters.</source>
        <translation>Un nom ne peut contenir ni «&#xa0;+&#xa0;», ni «&#xa0;|&#xa0;», ni «&#xa0;ÿ&#xa0;», ni caractère de contrôle.</translation>
    </message>
    <message>
        <source>A name cannot begin with &quot;-&quot;.</source>
        <translation>Un nom ne peut pas commencer par «&#xa0;-&#xa0;».</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s address.</source>
        <translation>Veuillez saisir l&apos;adresse de l&apos;hôte.</translation>
    </message>
    <message>
        <source>In &quot;%1&quot;, the port after &quot;:&quot; must be a number from 1 to 65535.</source>
        <translation>Dans «&#xa0;%1&#xa0;», le port après «&#xa0;:&#xa0;» doit être un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IPv4 or IPv6 address or a host name.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est ni une adresse IPv4 ou IPv6 ni un nom d&apos;hôte.</translation>
    </message>
</context>
<context>
    <name>TableSounds</name>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <extracomment>A chat line for a chatter sound not played: %1 the player&apos;s name, %2 the sound&apos;s caption. Keep &quot;:&quot; after the name.</extracomment>
        <translation>%1: &lt;Son de bavardage&gt; %2</translation>
    </message>
</context>
<context>
    <name>TallyChart</name>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Autres</translation>
    </message>
    <message numerus="yes">
        <source>%1 won %2 of %n game(s) together</source>
        <translation>
            <numerusform>%1 a gagné %2 sur %n partie commune</numerusform>
            <numerusform>%1 a gagné %2 sur %n parties communes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 won %2 of %n game(s) together this session</source>
        <translation>
            <numerusform>%1 a gagné %2 sur %n partie commune pendant cette session</numerusform>
            <numerusform>%1 a gagné %2 sur %n parties communes pendant cette session</numerusform>
        </translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>No games finished yet; a fair share at a table of four is 25%</source>
        <translation>Aucune partie terminée pour l&apos;instant&#xa0;; la juste part à une table de quatre est de 25&#xa0;%</translation>
    </message>
    <message numerus="yes">
        <source>You won %1 of %n game(s), %2%; a fair share at a table of four is 25%</source>
        <translation>
            <numerusform>Vous avez gagné %1 partie sur %n, soit %2&#xa0;%&#xa0;; la juste part à une table de quatre est de 25&#xa0;%</numerusform>
            <numerusform>Vous avez gagné %1 parties sur %n, soit %2&#xa0;%&#xa0;; la juste part à une table de quatre est de 25&#xa0;%</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TallyFile</name>
    <message>
        <source>The tally file %1 could not be read: %2.</source>
        <translation>Impossible de lire le fichier de bilan %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>It could not be moved aside either, so the tally is not saved until that file is moved away.</source>
        <translation>Il n&apos;a pas non plus pu être mis de côté&#xa0;: le bilan ne sera enregistré qu&apos;une fois ce fichier déplacé.</translation>
    </message>
    <message>
        <source>It was kept as %1 and a new, empty tally begins.</source>
        <translation>Il a été conservé sous %1 et un nouveau bilan vide commence.</translation>
    </message>
    <message>
        <source>it is not a tally file</source>
        <translation>ce n&apos;est pas un fichier de bilan</translation>
    </message>
    <message>
        <source>it is cut short</source>
        <translation>il est tronqué</translation>
    </message>
    <message>
        <source>it is far larger than a tally can be</source>
        <translation>il est bien plus grand qu&apos;un bilan ne peut l&apos;être</translation>
    </message>
    <message>
        <source>its contents are damaged</source>
        <translation>son contenu est endommagé</translation>
    </message>
    <message>
        <source>the file cannot be opened</source>
        <translation>le fichier ne peut pas être ouvert</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>il est vide</translation>
    </message>
    <message>
        <source>its list of players is damaged</source>
        <translation>sa liste de joueurs est endommagée</translation>
    </message>
</context>
<context>
    <name>TallyKeeper</name>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Le bilan de %1 va être supprimé. Voulez-vous vraiment le supprimer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>WindowProgram</name>
    <message>
        <source>Leave this table and join the table at %1?</source>
        <translation>Quitter cette table et rejoindre la table de %1&#xa0;?</translation>
    </message>
</context>
<context>
    <name>lastling::client::TableClient</name>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>le port n&apos;est pas un nombre de 1 à 65535</translation>
    </message>
    <message>
        <source>not an IPv4 or IPv6 address or a host name</source>
        <translation>ni une adresse IPv4 ou IPv6 ni un nom d&apos;hôte</translation>
    </message>
</context>
<context>
    <name>lastling::client::TableModel</name>
    <message>
        <source>You are not connected</source>
        <translation>Vous n&apos;êtes pas connecté</translation>
    </message>
    <message>
        <source>Hint: play the %1</source>
        <translation>Conseil&#xa0;: jouez %1</translation>
    </message>
    <message>
        <source>You no longer see what %1 sends to the chat.</source>
        <translation>Vous ne voyez plus ce que %1 écrit dans le chat.</translation>
    </message>
    <message>
        <source>You see what %1 sends to the chat again.</source>
        <translation>Vous voyez de nouveau ce que %1 écrit dans le chat.</translation>
    </message>
    <message>
        <source>You are no longer at the table.</source>
        <translation>Vous n&apos;êtes plus à la table.</translation>
    </message>
    <message>
        <source>Play to Score: %1</source>
        <translation>Score à atteindre&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 a commencé une partie.</translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Vous avez commencé une partie.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>C&apos;est au tour de %1.</translation>
    </message>
    <message>
        <source>The computer plays for you.</source>
        <translation>L&apos;ordinateur joue pour vous.</translation>
    </message>
    <message>
        <source>Your Turn.</source>
        <translation>C&apos;est votre tour.</translation>
    </message>
    <message>
        <source>%1 played.</source>
        <translation>%1 a joué.</translation>
    </message>
    <message>
        <source>%1 played the %2.</source>
        <translation>%1 a joué&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The computer played for you.</source>
        <translation>L&apos;ordinateur a joué pour vous.</translation>
    </message>
    <message>
        <source>The computer played the %1 for you.</source>
        <translation>L&apos;ordinateur a joué pour vous&#xa0;: %1.</translation>
    </message>
    <message>
        <source>You played.</source>
        <translation>Vous avez joué.</translation>
    </message>
    <message>
        <source>You played the %1.</source>
        <translation>Vous avez joué&#xa0;: %1.</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>You must follow suit if able.</source>
        <translation>Vous devez fournir la couleur si vous le pouvez.</translation>
    </message>
    <message>
        <source>You took the trick.</source>
        <translation>Vous avez remporté le pli.</translation>
    </message>
    <message>
        <source>%1 took the trick.</source>
        <translation>%1 a remporté le pli.</translation>
    </message>
    <message>
        <source>You win the round: +%1</source>
        <translation>Vous gagnez la manche&#xa0;: +%1</translation>
    </message>
    <message>
        <source>%1 wins the round: +%2</source>
        <translation>%1 gagne la manche&#xa0;: +%2</translation>
    </message>
    <message>
        <source>You win the round:+%1</source>
        <extracomment>A chat line: the text up to &quot;:&quot; shows as a name; keep &quot;:+&quot; just before the number.</extracomment>
        <translation>Vous gagnez la manche:+%1</translation>
    </message>
    <message>
        <source>%1 wins the round:+%2</source>
        <translation>%1 gagne la manche:+%2</translation>
    </message>
    <message>
        <source>You have Won the Game!</source>
        <translation>Vous avez gagné la partie&#xa0;!</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>%1 a gagné la partie&#xa0;!</translation>
    </message>
    <message>
        <source>You can start the next game.</source>
        <translation>Vous pouvez commencer la partie suivante.</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Vous êtes connecté.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 est connecté.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Vous regardez en spectateur.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 regarde en spectateur.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 s&apos;est déconnecté.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 est parti.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 observe seulement</translation>
    </message>
    <message>
        <source>%1 is now playing again</source>
        <translation>%1 joue de nouveau</translation>
    </message>
    <message>
        <source>You are just watching</source>
        <translation>Vous observez seulement</translation>
    </message>
    <message>
        <source>You are now playing again</source>
        <translation>Vous jouez de nouveau</translation>
    </message>
    <message>
        <source>Welcome to Lastling</source>
        <translation>Bienvenue dans Lastling</translation>
    </message>
</context>
<context>
    <name>lastling::help::AboutWindow</name>
    <message>
        <source>Lastling - About</source>
        <translation>Lastling – À propos</translation>
    </message>
    <message>
        <source>Korvel Software logo</source>
        <translation>Logo de Korvel Software</translation>
    </message>
    <message>
        <source>Lastling, the card game for four seats.</source>
        <translation>Lastling, le jeu de cartes à quatre places.</translation>
    </message>
    <message>
        <source>Copyright ©</source>
        <translation>Copyright ©</translation>
    </message>
    <message>
        <source>Korvel Software. MIT License.</source>
        <translation>Korvel Software. Licence MIT.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>lastling::help::HelpWindow</name>
    <message>
        <source>Overview</source>
        <translation>Présentation</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Déroulement</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Décompte</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentation</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>Korvel Lobby</translation>
    </message>
    <message>
        <source>Lastling - Help File</source>
        <translation>Lastling – Aide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>by Korvel Software</source>
        <translation>par Korvel Software</translation>
    </message>
    <message>
        <source>Copyright ©</source>
        <translation>Copyright ©</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>lastling::shell::Board</name>
    <message>
        <source>Trump: %1</source>
        <translation>Atout&#xa0;: %1</translation>
    </message>
    <message>
        <source>Play to Score: %1</source>
        <translation>Score à atteindre&#xa0;: %1</translation>
    </message>
    <message>
        <source>TRUMP</source>
        <translation>ATOUT</translation>
    </message>
    <message>
        <source>START GAME</source>
        <translation>COMMENCER</translation>
    </message>
    <message>
        <source>Welcome to Lastling</source>
        <translation>Bienvenue dans Lastling</translation>
    </message>
    <message>
        <source>Took the last trick (Ctrl+L shows it)</source>
        <translation>A remporté le dernier pli (Ctrl+L l&apos;affiche)</translation>
    </message>
    <message>
        <source>Just watching</source>
        <translation>Observe seulement</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Libre&gt;</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>SORTI</translation>
    </message>
    <message>
        <source>WINNER</source>
        <translation>GAGNANT</translation>
    </message>
    <message>
        <source>Korvel Software web site</source>
        <translation>Site web de Korvel Software</translation>
    </message>
    <message>
        <source>%1, played by %2</source>
        <translation>%1, joué par %2</translation>
    </message>
    <message>
        <source>Your hand</source>
        <translation>Votre main</translation>
    </message>
    <message>
        <source>Your remaining cards</source>
        <translation>Vos cartes restantes</translation>
    </message>
    <message>
        <source>%1&apos;s hand</source>
        <translation>Main de %1</translation>
    </message>
    <message>
        <source>%1&apos;s remaining cards</source>
        <translation>Cartes restantes de %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n point(s)</source>
        <translation>
            <numerusform>%1&#xa0;: %n point</numerusform>
            <numerusform>%1&#xa0;: %n points</numerusform>
        </translation>
    </message>
    <message>
        <source>Your turn marker</source>
        <translation>Votre marqueur de tour</translation>
    </message>
    <message>
        <source>%1&apos;s turn marker</source>
        <translation>Marqueur de tour de %1</translation>
    </message>
    <message>
        <source>Hand slot %1: empty</source>
        <translation>Emplacement %1&#xa0;: vide</translation>
    </message>
    <message>
        <source>%1 (Alt+%2 or F%3)</source>
        <translation>%1 (Alt+%2 ou F%3)</translation>
    </message>
    <message>
        <source>Hand slot %1</source>
        <translation>Emplacement %1</translation>
    </message>
    <message>
        <source>Your turn</source>
        <translation>Votre tour</translation>
    </message>
    <message>
        <source>%1&apos;s turn</source>
        <translation>Tour de %1</translation>
    </message>
</context>
<context>
    <name>lastling::shell::ClientBridge</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Cancel reconnecting</source>
        <translation>Annuler la reconnexion</translation>
    </message>
</context>
<context>
    <name>lastling::shell::DesktopNotifier</name>
    <message>
        <source>Show the table</source>
        <translation>Afficher la table</translation>
    </message>
</context>
<context>
    <name>lastling::shell::FriendInvitations</name>
    <message>
        <source>&amp;Invite Friends...</source>
        <translation>&amp;Inviter des amis…</translation>
    </message>
    <message>
        <source>Open Port on the Ro&amp;uter</source>
        <translation>Ouvrir le port sur le ro&amp;uteur</translation>
    </message>
    <message>
        <source>Host a table first (File &gt; Host a Table...); then this window shows where friends can join it.</source>
        <translation>Hébergez d&apos;abord une table (Fichier &gt; Héberger une table…)&#xa0;; cette fenêtre indique alors où vos amis peuvent la rejoindre.</translation>
    </message>
    <message>
        <source>Asking the router to open port %1...</source>
        <translation>Demande au routeur d&apos;ouvrir le port %1…</translation>
    </message>
    <message>
        <source>Options &gt; Open Port on the Router is off: friends outside this network reach the table only if port %1 is forwarded to this computer by hand.</source>
        <translation>Options &gt; Ouvrir le port sur le routeur est désactivé&#xa0;: vos amis hors de ce réseau n&apos;atteignent la table que si le port %1 est redirigé à la main vers cet ordinateur.</translation>
    </message>
    <message>
        <source>

Friends whose internet has IPv6 can join at [%1]:%2.</source>
        <translation>

Les amis dont l&apos;accès internet a l&apos;IPv6 peuvent rejoindre à [%1]:%2.</translation>
    </message>
    <message>
        <source>

Friends on this network can join at %1:%2.</source>
        <translation>

Les amis de ce réseau peuvent rejoindre à %1:%2.</translation>
    </message>
    <message>
        <source>Router: %1</source>
        <translation>Routeur&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>lastling::shell::GameStartDialog</name>
    <message>
        <source>Lastling - Game Start</source>
        <translation>Lastling – Début de partie</translation>
    </message>
    <message>
        <source>Game Option</source>
        <translation>Option de jeu</translation>
    </message>
    <message>
        <source>Play to Score:</source>
        <translation>Score à atteindre&#xa0;:</translation>
    </message>
    <message>
        <source>Play to Score</source>
        <translation>Score à atteindre</translation>
    </message>
    <message>
        <source>START GAME</source>
        <translation>COMMENCER</translation>
    </message>
</context>
<context>
    <name>lastling::shell::HistoryKeeper</name>
    <message>
        <source>Game &amp;History</source>
        <translation>&amp;Historique des parties</translation>
    </message>
</context>
<context>
    <name>lastling::shell::HistoryWindow</name>
    <message>
        <source>Solo</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Hosted here</source>
        <translation>Hébergée ici</translation>
    </message>
    <message>
        <source>Watched</source>
        <translation>Observée</translation>
    </message>
    <message>
        <source>Not finished</source>
        <translation>Non terminée</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gagnée</translation>
    </message>
    <message>
        <source>Lost to %1</source>
        <translation>Perdue contre %1</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Opponents</source>
        <translation>Adversaires</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Game History</source>
        <translation>Historique des parties</translation>
    </message>
    <message>
        <source>Filter by opponent</source>
        <translation>Filtrer par adversaire</translation>
    </message>
    <message>
        <source>Kept games</source>
        <translation>Parties conservées</translation>
    </message>
    <message>
        <source>Export as &amp;Text...</source>
        <translation>Exporter en &amp;texte…</translation>
    </message>
    <message>
        <source>Export as &amp;JSON...</source>
        <translation>Exporter en &amp;JSON…</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Manche</translation>
    </message>
    <message>
        <source>&amp;Play This Deal Again</source>
        <translation>&amp;Rejouer cette donne</translation>
    </message>
    <message>
        <source>Round %1</source>
        <translation>Manche %1</translation>
    </message>
    <message>
        <source>Only at a solo table</source>
        <translation>Seulement à une table en solo</translation>
    </message>
    <message>
        <source>Export as Text</source>
        <translation>Exporter en texte</translation>
    </message>
    <message>
        <source>Export as JSON</source>
        <translation>Exporter en JSON</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Texte (*.txt)</translation>
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
        <translation>Lastling – Inviter des amis</translation>
    </message>
    <message>
        <source>Invitation link</source>
        <translation>Lien d&apos;invitation</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Copy the invitation link</source>
        <translation>Copier le lien d&apos;invitation</translation>
    </message>
</context>
<context>
    <name>lastling::shell::LanTableList</name>
    <message>
        <source>Tables on the local network</source>
        <translation>Tables du réseau local</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Free seats</source>
        <translation>Places libres</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>running</source>
        <translation>en cours</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>en attente</translation>
    </message>
    <message>
        <source>Tables on the local network cannot be found: no Avahi daemon is running. Type the host&apos;s address below.</source>
        <translation>Impossible de trouver les tables du réseau local&#xa0;: aucun service Avahi n&apos;est lancé. Saisissez l&apos;adresse de l&apos;hôte ci-dessous.</translation>
    </message>
    <message>
        <source>Looking for tables on the local network failed. Type the host&apos;s address below.</source>
        <translation>La recherche de tables sur le réseau local a échoué. Saisissez l&apos;adresse de l&apos;hôte ci-dessous.</translation>
    </message>
    <message>
        <source>Looking for tables on the local network...</source>
        <translation>Recherche de tables sur le réseau local…</translation>
    </message>
    <message>
        <source>Tables on the local network (double-click to join):</source>
        <translation>Tables du réseau local (double-clic pour rejoindre)&#xa0;:</translation>
    </message>
</context>
<context>
    <name>lastling::shell::LastTrickPanel</name>
    <message>
        <source>%1 played %2</source>
        <translation>%1 a joué %2</translation>
    </message>
    <message>
        <source>Last trick: %1, %2 took it</source>
        <translation>Dernier pli&#xa0;: %1&#xa0;; remporté par %2</translation>
    </message>
    <message>
        <source>Last trick: %1 took it</source>
        <translation>Dernier pli&#xa0;: remporté par %1</translation>
    </message>
    <message>
        <source>%1 (click or Ctrl+L to hide)</source>
        <translation>%1 (clic ou Ctrl+L pour le masquer)</translation>
    </message>
</context>
<context>
    <name>lastling::shell::MainWindow</name>
    <message>
        <source>Lastling by Korvel Software</source>
        <translation>Lastling par Korvel Software</translation>
    </message>
    <message>
        <source>Play card %1</source>
        <translation>Jouer la carte %1</translation>
    </message>
    <message>
        <source>Remove %1 from the game?</source>
        <translation>Retirer %1 de la partie&#xa0;?</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Retirer de la partie</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Mettre en observation</translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation>Retirer de l&apos;observation</translation>
    </message>
    <message>
        <source>Ignore Chat</source>
        <translation>Ignorer le chat</translation>
    </message>
    <message>
        <source>Stop Ignoring</source>
        <translation>Ne plus ignorer</translation>
    </message>
    <message>
        <source>Leave the table? The game ends for everybody.</source>
        <translation>Quitter la table&#xa0;? La partie s&apos;arrête pour tout le monde.</translation>
    </message>
    <message>
        <source>Leave the game? The computer plays your seat from now on.</source>
        <translation>Quitter la partie&#xa0;? L&apos;ordinateur joue désormais à votre place.</translation>
    </message>
    <message>
        <source>On Wayland the desktop places windows: Reset Screen Location has no effect on the window&apos;s place, only on its size.</source>
        <translation>Sous Wayland, c&apos;est le bureau qui place les fenêtres&#xa0;: Réinitialiser la position de la fenêtre ne change que sa taille, pas sa place.</translation>
    </message>
    <message>
        <source>Your turn at %1</source>
        <translation>C&apos;est votre tour à %1</translation>
    </message>
    <message>
        <source>A game is starting</source>
        <translation>Une partie commence</translation>
    </message>
    <message>
        <source>At %1</source>
        <translation>À %1</translation>
    </message>
    <message>
        <source>the solo table</source>
        <translation>la table en solo</translation>
    </message>
    <message>
        <source>%1&apos;s table</source>
        <translation>la table de %1</translation>
    </message>
</context>
<context>
    <name>lastling::shell::ReplayBoard</name>
    <message>
        <source>Replay</source>
        <translation>Rejeu</translation>
    </message>
    <message>
        <source>Open a game to replay it.</source>
        <translation>Ouvrez une partie pour la rejouer.</translation>
    </message>
    <message>
        <source>Trump</source>
        <translation>Atout</translation>
    </message>
    <message>
        <source>Round %1 of %2, trick %3</source>
        <translation>Manche %1 sur %2, pli %3</translation>
    </message>
</context>
<context>
    <name>lastling::shell::SpyListDialog</name>
    <message>
        <source>Lastling - Spys</source>
        <translation>Lastling – Spectateurs</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Liste des spectateurs</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Retirer de la partie</translation>
    </message>
</context>
<context>
    <name>lastling::shell::TableDialog</name>
    <message>
        <source>Lastling - Host a Table</source>
        <translation>Lastling – Héberger une table</translation>
    </message>
    <message>
        <source>Lastling - Join a Table</source>
        <translation>Lastling – Rejoindre une table</translation>
    </message>
    <message>
        <source>Your &amp;name:</source>
        <translation>Votre &amp;nom&#xa0;:</translation>
    </message>
    <message>
        <source>Host&apos;s &amp;address:</source>
        <translation>&amp;Adresse de l&apos;hôte&#xa0;:</translation>
    </message>
    <message>
        <source>192.168.1.20, [::1]:7780 or a name</source>
        <translation>192.168.1.20, [::1]:7780 ou un nom</translation>
    </message>
    <message>
        <source>&amp;Host</source>
        <translation>&amp;Héberger</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Rejoindre</translation>
    </message>
    <message>
        <source>Turn time</source>
        <translation>Temps par coup</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Turn time:</source>
        <translation>&amp;Temps par coup&#xa0;:</translation>
    </message>
</context>
<context>
    <name>lastling::shell::TurnCountdown</name>
    <message>
        <source>%1 s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>encore %n seconde</numerusform>
            <numerusform>encore %n secondes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatEntry</name>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Écrivez ici&gt;</translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatModel</name>
    <message>
        <source>%1 chats: %2</source>
        <translation>%1 écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 plays a sound</source>
        <translation>%1 joue un son</translation>
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
        <translation>Message du chat</translation>
    </message>
    <message>
        <source>Smileys</source>
        <translation>Émoticônes</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation>Effacer le chat principal</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Ne pas faire défiler le chat</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message numerus="yes">
        <source>Line not sent. %n lines are already waiting to go out, and the table takes one a second.</source>
        <translation>
            <numerusform>Ligne non envoyée. %n ligne attend déjà d&apos;être envoyée, et la table en prend une par seconde.</numerusform>
            <numerusform>Ligne non envoyée. %n lignes attendent déjà d&apos;être envoyées, et la table en prend une par seconde.</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Impossible d&apos;ouvrir la page web</translation>
    </message>
</context>
<context>
    <name>lastling::social::PhraseEditor</name>
    <message>
        <source>Lastling - Phrase Buttons </source>
        <translation>Lastling – Boutons de phrases </translation>
    </message>
    <message>
        <source>Buttons can only be used once every 2 seconds</source>
        <translation>Un bouton ne sert qu&apos;une fois toutes les 2 secondes</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Bouton %1&#xa0;:</translation>
    </message>
</context>
<context>
    <name>lastling::social::PhraseRow</name>
    <message>
        <source>Chatter Sounds</source>
        <translation>Sons de bavardage</translation>
    </message>
    <message>
        <source>Chatter sounds</source>
        <translation>Sons de bavardage</translation>
    </message>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Annuler&gt;</translation>
    </message>
    <message>
        <source>Phrase %1: %2</source>
        <translation>Phrase %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>lastling::start::HttpDownload</name>
    <message>
        <source>Download stopped</source>
        <translation>Téléchargement arrêté</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>trop de redirections</translation>
    </message>
</context>
<context>
    <name>lastling::start::LobbyInstaller</name>
    <message>
        <source>connection refused</source>
        <translation>connexion refusée</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>délai dépassé</translation>
    </message>
    <message>
        <source>host unreachable</source>
        <translation>hôte injoignable</translation>
    </message>
    <message>
        <source>network unreachable</source>
        <translation>réseau injoignable</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>cut short after %1 of %2 bytes</source>
        <translation>interrompu après %1 octets sur %2</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Téléchargement&#xa0;: %1</translation>
    </message>
    <message>
        <source>the address names no file</source>
        <translation>l&apos;adresse ne désigne aucun fichier</translation>
    </message>
    <message>
        <source>Download - Cannot create %1: %2</source>
        <translation>Téléchargement – impossible de créer %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
    <message>
        <source>not an HTTP address</source>
        <translation>pas une adresse HTTP</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Téléchargement interrompu</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 octets reçus</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>Download - Cannot write %1: %2</source>
        <translation>Téléchargement – impossible d&apos;écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Download - Cannot rename %1 to %2: %3</source>
        <translation>Téléchargement – impossible de renommer %1 en %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>The Korvel Lobby&apos;s installer was saved as %1 in the folder %2.</source>
        <translation>Le programme d&apos;installation de The Korvel Lobby a été enregistré sous %1 dans le dossier %2.</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Enregistré&#xa0;: %1</translation>
    </message>
    <message>
        <source>No program here opens it for you. Open that folder now?</source>
        <translation>Aucun programme ne peut l&apos;ouvrir ici. Ouvrir ce dossier maintenant&#xa0;?</translation>
    </message>
    <message>
        <source>Download Aborted: %1</source>
        <translation>Téléchargement interrompu&#xa0;: %1</translation>
    </message>
    <message>
        <source>The Korvel Lobby was not downloaded (%1).</source>
        <translation>The Korvel Lobby n&apos;a pas été téléchargé (%1).</translation>
    </message>
</context>
<context>
    <name>lastling::start::StartDialog</name>
    <message>
        <source>Download The Korvel Lobby</source>
        <translation>Télécharger The Korvel Lobby</translation>
    </message>
    <message>
        <source>The Korvel Lobby</source>
        <translation>The Korvel Lobby</translation>
    </message>
    <message>
        <source>Download The Korvel Lobby Now to play this and other exciting games online with other players! </source>
        <translation>Téléchargez The Korvel Lobby pour jouer à ce jeu et à d&apos;autres en ligne avec d&apos;autres joueurs&#xa0;! </translation>
    </message>
    <message>
        <source>Download And Install The Korvel Lobby Now</source>
        <translation>Télécharger et installer The Korvel Lobby</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Pour jouer sans pouvoir affronter d&apos;autres joueurs, cliquez sur le bouton ci-dessous.</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Jouer en solo</translation>
    </message>
    <message>
        <source>Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.</source>
        <translation>Remarque&#xa0;: même hors ligne, votre PARE-FEU doit autoriser le jeu à utiliser le réseau.</translation>
    </message>
    <message>
        <source>Show this window at start</source>
        <translation>Afficher au démarrage</translation>
    </message>
    <message>
        <source>If you already have The Korvel Lobby and you wish to play with others then click the button below to close this game and open The Korvel Lobby.</source>
        <translation>Si vous avez déjà The Korvel Lobby et voulez jouer avec d&apos;autres, cliquez sur le bouton ci-dessous&#xa0;: le jeu se ferme et The Korvel Lobby s&apos;ouvre.</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Jouer avec d&apos;autres</translation>
    </message>
    <message>
        <source>%p% of %1</source>
        <translation>%p&#xa0;% de %1</translation>
    </message>
</context>
<context>
    <name>lastling::tally::ShareBar</name>
    <message>
        <source>%1% (fair %2%)</source>
        <translation>%1&#xa0;% (juste part %2&#xa0;%)</translation>
    </message>
</context>
<context>
    <name>lastling::tally::TallyKeeper</name>
    <message>
        <source>Opponent</source>
        <translation>Adversaire</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Bilan de %1</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Victoires de %1&#xa0;:</translation>
    </message>
</context>
<context>
    <name>lastling::tally::TallyWindow</name>
    <message>
        <source>Lastling - Tally List</source>
        <translation>Lastling – Bilan</translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Votre bilan total</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Parties en tout&#xa0;:</translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation>Vos victoires</translation>
    </message>
    <message>
        <source>Var3:</source>
        <translation>Var3&#xa0;:</translation>
    </message>
    <message>
        <source>Var4:</source>
        <translation>Var4&#xa0;:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Nombre de parties</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Vos victoires&#xa0;:</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Aucun des deux&#xa0;:</translation>
    </message>
    <message>
        <source>Select a player being tallied to see your record.</source>
        <translation>Choisissez un joueur suivi pour voir votre bilan contre lui.</translation>
    </message>
    <message>
        <source>Players In Current Game</source>
        <translation>Joueurs de la partie</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Joueurs suivis</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Remettre à zéro</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
</TS>

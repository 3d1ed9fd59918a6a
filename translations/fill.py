#!/usr/bin/env python3
"""Writes the German and French translations into lastling_de.ts and lastling_fr.ts.

The catalogues are the record; this table is how they were first filled, kept so that a text
changed in the code can be translated again in one place. Usage: fill.py [translations folder]
"""
import sys
import xml.etree.ElementTree as ET

NB = "\u00a0"  # French puts a no-break space before : ; ! ?

# source -> (German, French); a list for plural forms (one, many).
# (context, source) keys win over plain source keys.
T = {
    # cards
    "Card back": ("Kartenrückseite", "Dos de carte"),
    "No Trump": ("Kein Trumpf", "Sans atout"),
    "Two": ("Zwei", "Deux"), "Three": ("Drei", "Trois"), "Four": ("Vier", "Quatre"),
    "Five": ("Fünf", "Cinq"), "Six": ("Sechs", "Six"), "Seven": ("Sieben", "Sept"),
    "Eight": ("Acht", "Huit"), "Nine": ("Neun", "Neuf"), "Ten": ("Zehn", "Dix"),
    "Jack": ("Bube", "Valet"), "Queen": ("Dame", "Dame"), "King": ("König", "Roi"),
    "Ace": ("Ass", "As"),
    "Clubs": ("Kreuz", "trèfle"), "Diamonds": ("Karo", "carreau"), "Hearts": ("Herz", "cœur"),
    "Spades": ("Pik", "pique"),
    "J": ("B", "V"), "Q": ("D", "D"), "K": ("K", "R"), "A": ("A", "A"),
    "%1 of %2": ("%2-%1", "%1 de %2"),
    # chatter sounds
    "Doh": ("Mist", "Zut"), "Cough": ("Husten", "Toux"), "Hello": ("Hallo", "Bonjour"),
    "Thank You": ("Danke", "Merci"), "Where have you been?": ("Wo warst du?", "T'étais où" + NB + "?"),
    "Snoring": ("Schnarchen", "Ronflement"), "Sneezing": ("Niesen", "Éternuement"),
    "Sorry": ("Entschuldigung", "Pardon"), "Welcome": ("Willkommen", "Bienvenue"),
    "Yeehaa": ("Juhu", "Youhou"), "Yippee": ("Hurra", "Youpi"), "Oh No": ("Oh nein", "Oh non"),
    "Applause": ("Applaus", "Applaudissements"), "Honk": ("Hupe", "Klaxon"), "Oooh": ("Oooh", "Ooooh"),
    "Razzberry": ("Pfffft", "Prout"), "Cheer": ("Jubel", "Acclamations"),
    "Woman Laughing": ("Frau lacht", "Rire de femme"), "Man Laughing": ("Mann lacht", "Rire d'homme"),
    "Crying": ("Weinen", "Pleurs"),
    # client session
    "%1 has a different version of the game then you.":
        ("%1 hat eine andere Version des Spiels als Sie.", "%1 a une autre version du jeu que vous."),
    "You have a differnt version of the game then the host.":
        ("Sie haben eine andere Version des Spiels als der Gastgeber.",
         "Vous avez une autre version du jeu que l'hôte."),
    "You could not get your seat back.": ("Sie konnten Ihren Platz nicht zurückbekommen.",
                                          "Vous n'avez pas pu reprendre votre place."),
    "Game is full": ("Der Tisch ist voll", "La table est complète"),
    "The host has closed the table.": ("Der Gastgeber hat den Tisch geschlossen.",
                                       "L'hôte a fermé la table."),
    "You have been removed from the game.": ("Sie wurden aus dem Spiel entfernt.",
                                             "Vous avez été retiré de la partie."),
    "Could not connect to %1: %2": ("Keine Verbindung zu %1: %2", "Connexion à %1 impossible" + NB + ": %2"),
    "%1 is not a Lastling table": ("%1 ist kein Lastling-Tisch", "%1 n'est pas une table de Lastling"),
    "The connection to the host was lost. Reconnecting...":
        ("Die Verbindung zum Gastgeber ist abgebrochen. Neue Verbindung wird aufgebaut …",
         "La connexion à l'hôte est perdue. Reconnexion…"),
    "Could not reconnect to the host.": ("Die Verbindung zum Gastgeber ließ sich nicht wiederherstellen.",
                                         "Impossible de se reconnecter à l'hôte."),
    "Connection lost. Reconnecting... %1 s": ("Verbindung verloren. Neuer Versuch … %1 s",
                                              "Connexion perdue. Reconnexion… %1" + NB + "s"),
    ("ClientSession", "You"): ("Sie", "Vous"),
    "Loading solo game... Please wait.": ("Einzelspiel wird geladen … Bitte warten.",
                                          "Chargement de la partie en solo… Veuillez patienter."),
    "Loading multi-player game... Please wait.": ("Mehrspielerpartie wird geladen … Bitte warten.",
                                                  "Chargement de la partie à plusieurs… Veuillez patienter."),
    "Cannot host a table because port %1 is in use by another program":
        ("Kein Tisch möglich: Port %1 wird von einem anderen Programm benutzt",
         "Impossible d'héberger une table" + NB + ": le port %1 est utilisé par un autre programme"),
    # menus
    "&Language": ("Spr&ache", "Lan&gue"),
    "&System": ("&System", "&Système"),
    "Takes effect at the next start": ("Gilt ab dem nächsten Start", "Prend effet au prochain démarrage"),
    "&File": ("&Datei", "&Fichier"),
    "&Start Game": ("Spiel &starten", "&Commencer la partie"),
    "&Host a Table...": ("Tisch &eröffnen …", "&Héberger une table…"),
    "&Join a Table...": ("Tisch be&itreten …", "&Rejoindre une table…"),
    "E&xit": ("&Beenden", "&Quitter"),
    "Text C&olor": ("Text&farbe", "&Couleur du texte"),
    "Scroll Chat O&ff": ("Chat nicht &mitrollen", "Ne pas &faire défiler le chat"),
    "Cl&ear Main Chat": ("Hauptchat &leeren", "&Effacer le chat principal"),
    "Text Si&ze": ("Text&größe", "Tai&lle du texte"),
    "&Options": ("&Optionen", "&Options"),
    "Play &Sounds": ("&Klänge abspielen", "&Jouer les sons"),
    "Player &Phrase Sounds": ("&Phrasenklänge der Spieler", "Sons des &phrases des joueurs"),
    "&Turn Sound": ("&Zugsignal", "Son du &tour"),
    "&Classic": ("&Klassisch", "&Classique"),
    "&New": ("&Neu", "&Nouveau"),
    "&Bot Speed": ("Computer&tempo", "&Vitesse de l'ordinateur"),
    "&Slow": ("&Langsam", "&Lente"),
    "&Normal": ("&Normal", "&Normale"),
    "&Fast": ("&Schnell", "&Rapide"),
    "Bot S&kill": ("Computer&stärke", "&Niveau de l'ordinateur"),
    "S&mart": ("&Clever", "&Malin"),
    "&Reset Screen Location": ("Fensterposition zu&rücksetzen", "&Réinitialiser la position de la fenêtre"),
    "&Just Watch": ("&Nur zuschauen", "&Observer seulement"),
    "&View": ("&Ansicht", "&Affichage"),
    "View &Tally": ("&Bilanz anzeigen", "Afficher le &bilan"),
    "&Spy List": ("&Kiebitzliste", "Liste des &spectateurs"),
    "&Last Trick": ("&Letzter Stich", "&Dernier pli"),
    "&Hint": ("&Tipp", "&Conseil"),
    "&Phrase List": ("&Phrasenliste", "Liste des &phrases"),
    "&Help": ("&Hilfe", "&Aide"),
    "&Content": ("&Inhalt", "&Sommaire"),
    "&About": ("Ü&ber", "À &propos"),
    # phrases
    "Way To Go!": ("Weiter so!", "Bravo" + NB + "!"),
    "Good One!": ("Guter Zug!", "Bien joué" + NB + "!"),
    "Nice Try!": ("Netter Versuch!", "Bien essayé" + NB + "!"),
    "Excellent!": ("Ausgezeichnet!", "Excellent" + NB + "!"),
    "Brilliant!": ("Genial!", "Génial" + NB + "!"),
    "Wow, WTG!": ("Wow, stark!", "Waouh, chapeau" + NB + "!"),
    "Thanks!": ("Danke!", "Merci" + NB + "!"),
    "Way To Go Teamie!": ("Klasse, Partner!", "Bravo, partenaire" + NB + "!"),
    "Good Game Everyone!": ("Gutes Spiel, alle!", "Bonne partie à tous" + NB + "!"),
    # pictures
    "NO": ("KEIN", "SANS"),
    ("Pictures", "TRUMP"): ("TRUMPF", "ATOUT"),
    ("Pictures", "START GAME"): ("SPIEL STARTEN", "COMMENCER"),
    "by Korvel Software": ("von Korvel Software", "par Korvel Software"),
    ("Pictures", "OUT"): ("RAUS", "SORTI"),
    ("Pictures", "WINNER"): ("SIEGER", "GAGNANT"),
    # announcer
    "You played %1.": ("Sie haben %1 gespielt.", "Vous avez joué" + NB + ": %1."),
    "%1 played %2.": ("%1 hat %2 gespielt.", "%1 a joué" + NB + ": %2."),
    "You are out.": ("Sie sind raus.", "Vous êtes sorti."),
    "%1 is out.": ("%1 ist raus.", "%1 est sorti."),
    "You drew %1.": ("Sie haben %1 gezogen.", "Vous avez pioché" + NB + ": %1."),
    "Your cards: %1.": ("Ihre Karten: %1.", "Vos cartes" + NB + ": %1."),
    "Trump: %1.": ("Trumpf: %1.", "Atout" + NB + ": %1."),
    "Hand slot %1 is empty.": ("Kartenplatz %1 ist leer.", "L'emplacement %1 est vide."),
    "Not your turn.": ("Sie sind nicht am Zug.", "Ce n'est pas votre tour."),
    # names and addresses
    "A name can have at most %1 characters.": ("Ein Name darf höchstens %1 Zeichen haben.",
                                               "Un nom ne peut pas dépasser %1 caractères."),
    "Please enter your name.": ("Bitte geben Sie Ihren Namen ein.", "Veuillez saisir votre nom."),
    'A name cannot hold "+", "|", "\u00ff" or control characters.':
        ("Ein Name darf weder »+«, »|«, »\u00ff« noch Steuerzeichen enthalten.",
         "Un nom ne peut contenir ni «" + NB + "+" + NB + "», ni «" + NB + "|" + NB + "», ni «" + NB
         + "\u00ff" + NB + "», ni caractère de contrôle."),
    'A name cannot begin with "-".': ("Ein Name darf nicht mit »-« beginnen.",
                                      "Un nom ne peut pas commencer par «" + NB + "-" + NB + "»."),
    "A name can only hold Western European letters.":
        ("Ein Name darf nur westeuropäische Buchstaben enthalten.",
         "Un nom ne peut contenir que des lettres d'Europe de l'Ouest."),
    "Please enter the host's address.": ("Bitte geben Sie die Adresse des Gastgebers ein.",
                                         "Veuillez saisir l'adresse de l'hôte."),
    'In "%1", the port after ":" must be a number from 1 to 65535.':
        ("In »%1« muss der Port nach »:« eine Zahl von 1 bis 65535 sein.",
         "Dans «" + NB + "%1" + NB + "», le port après «" + NB + ":" + NB
         + "» doit être un nombre de 1 à 65535."),
    '"%1" is not an IPv4 or IPv6 address or a host name.':
        ("»%1« ist weder eine IPv4- oder IPv6-Adresse noch ein Rechnername.",
         "«" + NB + "%1" + NB + "» n'est ni une adresse IPv4 ou IPv6 ni un nom d'hôte."),
    # tally
    ("TallyChart", "You"): ("Sie", "Vous"),
    "Others": ("Andere", "Autres"),
    "%1 won %2 of %n game(s) together": (
        ["%1 gewann %2 von %n gemeinsamen Spiel", "%1 gewann %2 von %n gemeinsamen Spielen"],
        ["%1 a gagné %2 sur %n partie commune", "%1 a gagné %2 sur %n parties communes"]),
    "%1 won %2 of %n game(s) together this session": (
        ["%1 gewann %2 von %n gemeinsamen Spiel in dieser Sitzung",
         "%1 gewann %2 von %n gemeinsamen Spielen in dieser Sitzung"],
        ["%1 a gagné %2 sur %n partie commune pendant cette session",
         "%1 a gagné %2 sur %n parties communes pendant cette session"]),
    "Total": ("Gesamt", "Total"),
    "Session": ("Sitzung", "Session"),
    "No games finished yet; a fair share at a table of four is 25%":
        ("Noch kein Spiel beendet; ein gerechter Anteil an einem Vierertisch sind 25 %",
         "Aucune partie terminée pour l'instant" + NB + "; la juste part à une table de quatre est de 25" + NB + "%"),
    "You won %1 of %n game(s), %2%; a fair share at a table of four is 25%": (
        ["Sie gewannen %1 von %n Spiel, %2 %; ein gerechter Anteil an einem Vierertisch sind 25 %",
         "Sie gewannen %1 von %n Spielen, %2 %; ein gerechter Anteil an einem Vierertisch sind 25 %"],
        ["Vous avez gagné %1 partie sur %n, soit %2" + NB + "%" + NB
         + "; la juste part à une table de quatre est de 25" + NB + "%",
         "Vous avez gagné %1 parties sur %n, soit %2" + NB + "%" + NB
         + "; la juste part à une table de quatre est de 25" + NB + "%"]),
    "This will delete %1's Tally, Are you want to delete it?":
        ("Damit wird die Bilanz von %1 gelöscht. Wirklich löschen?",
         "Le bilan de %1 va être supprimé. Voulez-vous vraiment le supprimer" + NB + "?"),
    "the port is not a number from 1 to 65535": ("der Port ist keine Zahl von 1 bis 65535",
                                                 "le port n'est pas un nombre de 1 à 65535"),
    "not an IPv4 or IPv6 address or a host name": ("weder eine IPv4- oder IPv6-Adresse noch ein Rechnername",
                                                   "ni une adresse IPv4 ou IPv6 ni un nom d'hôte"),
    # table model
    "You are not connected": ("Sie sind nicht verbunden", "Vous n'êtes pas connecté"),
    "Hint: play the %1": ("Tipp: Spielen Sie %1", "Conseil" + NB + ": jouez %1"),
    "You no longer see what %1 sends to the chat.": ("Sie sehen nicht mehr, was %1 in den Chat schreibt.",
                                                     "Vous ne voyez plus ce que %1 écrit dans le chat."),
    "You see what %1 sends to the chat again.": ("Sie sehen wieder, was %1 in den Chat schreibt.",
                                                 "Vous voyez de nouveau ce que %1 écrit dans le chat."),
    "You are no longer at the table.": ("Sie sind nicht mehr am Tisch.", "Vous n'êtes plus à la table."),
    "Play to Score: %1": ("Zielpunktzahl: %1", "Score à atteindre" + NB + ": %1"),
    "%1 has started a game.": ("%1 hat ein Spiel gestartet.", "%1 a commencé une partie."),
    "You have started a game.": ("Sie haben ein Spiel gestartet.", "Vous avez commencé une partie."),
    "%1's turn.": ("%1 ist am Zug.", "C'est au tour de %1."),
    "The computer plays for you.": ("Der Computer spielt für Sie.", "L'ordinateur joue pour vous."),
    "Your Turn.": ("Sie sind am Zug.", "C'est votre tour."),
    "%1 played.": ("%1 hat gespielt.", "%1 a joué."),
    "%1 played the %2.": ("%1 hat %2 gespielt.", "%1 a joué" + NB + ": %2."),
    "The computer played for you.": ("Der Computer hat für Sie gespielt.", "L'ordinateur a joué pour vous."),
    "The computer played the %1 for you.": ("Der Computer hat für Sie %1 gespielt.",
                                            "L'ordinateur a joué pour vous" + NB + ": %1."),
    "You played.": ("Sie haben gespielt.", "Vous avez joué."),
    "You played the %1.": ("Sie haben %1 gespielt.", "Vous avez joué" + NB + ": %1."),
    ("lastling::client::TableModel", "You"): ("Sie", "Vous"),
    "You must follow suit if able.": ("Sie müssen Farbe bekennen, wenn Sie können.",
                                      "Vous devez fournir la couleur si vous le pouvez."),
    "You took the trick.": ("Sie haben den Stich gemacht.", "Vous avez remporté le pli."),
    "%1 took the trick.": ("%1 hat den Stich gemacht.", "%1 a remporté le pli."),
    "You win the round: +%1": ("Sie gewinnen die Runde: +%1", "Vous gagnez la manche" + NB + ": +%1"),
    "%1 wins the round: +%2": ("%1 gewinnt die Runde: +%2", "%1 gagne la manche" + NB + ": +%2"),
    "You win the round:+%1": ("Sie gewinnen die Runde:+%1", "Vous gagnez la manche:+%1"),
    "%1 wins the round:+%2": ("%1 gewinnt die Runde:+%2", "%1 gagne la manche:+%2"),
    "You have Won the Game!": ("Sie haben das Spiel gewonnen!", "Vous avez gagné la partie" + NB + "!"),
    "%1 has Won the Game!": ("%1 hat das Spiel gewonnen!", "%1 a gagné la partie" + NB + "!"),
    "You can start the next game.": ("Sie können das nächste Spiel starten.",
                                     "Vous pouvez commencer la partie suivante."),
    "You are Connected.": ("Sie sind verbunden.", "Vous êtes connecté."),
    "%1 is Connected.": ("%1 ist verbunden.", "%1 est connecté."),
    "You are spying.": ("Sie kiebitzen.", "Vous regardez en spectateur."),
    "%1 is spying.": ("%1 kiebitzt.", "%1 regarde en spectateur."),
    "%1 disconnected.": ("%1 hat die Verbindung getrennt.", "%1 s'est déconnecté."),
    "%1 has left.": ("%1 ist gegangen.", "%1 est parti."),
    "%1 is just watching": ("%1 schaut nur zu", "%1 observe seulement"),
    "%1 is now playing again": ("%1 spielt wieder mit", "%1 joue de nouveau"),
    "You are just watching": ("Sie schauen nur zu", "Vous observez seulement"),
    "You are now playing again": ("Sie spielen wieder mit", "Vous jouez de nouveau"),
    # about and help
    "Lastling - About": ("Lastling – Über", "Lastling – À propos"),
    "Korvel Software logo": ("Logo von Korvel Software", "Logo de Korvel Software"),
    "Lastling, the card game for four seats.": ("Lastling, das Kartenspiel für vier Plätze.",
                                                "Lastling, le jeu de cartes à quatre places."),
    "Copyright \u00a9": ("Copyright \u00a9", "Copyright \u00a9"),
    "Korvel Software. MIT License.": ("Korvel Software. MIT-Lizenz.", "Korvel Software. Licence MIT."),
    "Version": ("Version", "Version"),
    "Done": ("Fertig", "Terminé"),
    "Overview": ("Überblick", "Présentation"),
    "Connecting": ("Verbinden", "Connexion"),
    "Game Play": ("Spielablauf", "Déroulement"),
    "Scoring": ("Wertung", "Décompte"),
    "Options": ("Optionen", "Options"),
    "Documentation": ("Dokumentation", "Documentation"),
    "License": ("Lizenz", "Licence"),
    "The Lobby": ("Die Lobby", "Le salon"),
    "Lastling - Help File": ("Lastling – Hilfe", "Lastling – Aide"),
    "About": ("Über", "À propos"),
    # board
    "Trump: %1": ("Trumpf: %1", "Atout" + NB + ": %1"),
    "TRUMP": ("TRUMPF", "ATOUT"),
    "START GAME": ("SPIEL STARTEN", "COMMENCER"),
    "Welcome to Lastling": ("Willkommen bei Lastling", "Bienvenue dans Lastling"),
    "Took the last trick (Ctrl+L shows it)": ("Hat den letzten Stich gemacht (Strg+L zeigt ihn)",
                                              "A remporté le dernier pli (Ctrl+L l'affiche)"),
    "Just watching": ("Schaut nur zu", "Observe seulement"),
    "<Waiting>": ("<Frei>", "<Libre>"),
    "OUT": ("RAUS", "SORTI"),
    "WINNER": ("SIEGER", "GAGNANT"),
    "Korvel Software web site": ("Website von Korvel Software", "Site web de Korvel Software"),
    "%1, played by %2": ("%1, gespielt von %2", "%1, joué par %2"),
    "Your hand": ("Ihr Blatt", "Votre main"),
    "Your remaining cards": ("Ihre restlichen Karten", "Vos cartes restantes"),
    "%1's hand": ("Blatt von %1", "Main de %1"),
    "%1's remaining cards": ("Restliche Karten von %1", "Cartes restantes de %1"),
    "%1: %n point(s)": (["%1: %n Punkt", "%1: %n Punkte"], ["%1" + NB + ": %n point", "%1" + NB + ": %n points"]),
    "Your turn marker": ("Ihre Zugmarke", "Votre marqueur de tour"),
    "%1's turn marker": ("Zugmarke von %1", "Marqueur de tour de %1"),
    "Hand slot %1: empty": ("Kartenplatz %1: leer", "Emplacement %1" + NB + ": vide"),
    "%1 (Alt+%2 or F%3)": ("%1 (Alt+%2 oder F%3)", "%1 (Alt+%2 ou F%3)"),
    "Hand slot %1": ("Kartenplatz %1", "Emplacement %1"),
    "Your turn": ("Sie sind am Zug", "Votre tour"),
    "%1's turn": ("%1 ist am Zug", "Tour de %1"),
    "Cancel": ("Abbrechen", "Annuler"),
    "Cancel reconnecting": ("Neue Verbindung abbrechen", "Annuler la reconnexion"),
    "Lastling - Game Start": ("Lastling – Spielbeginn", "Lastling – Début de partie"),
    "Game Option": ("Spieloption", "Option de jeu"),
    "Play to Score:": ("Zielpunktzahl:", "Score visé" + NB + ":"),
    "Play to Score": ("Zielpunktzahl", "Score visé"),
    "Tables on the local network": ("Tische im lokalen Netz", "Tables du réseau local"),
    "Table": ("Tisch", "Table"),
    "Address": ("Adresse", "Adresse"),
    "Free seats": ("Freie Plätze", "Places libres"),
    "Game": ("Spiel", "Partie"),
    "running": ("läuft", "en cours"),
    "waiting": ("wartet", "en attente"),
    "Tables on the local network cannot be found: no Avahi daemon is running. Type the host's address below.":
        ("Tische im lokalen Netz lassen sich nicht finden: Es läuft kein Avahi-Dienst. Geben Sie unten "
         "die Adresse des Gastgebers ein.",
         "Impossible de trouver les tables du réseau local" + NB + ": aucun service Avahi n'est lancé. "
         "Saisissez l'adresse de l'hôte ci-dessous."),
    "Looking for tables on the local network failed. Type the host's address below.":
        ("Die Suche nach Tischen im lokalen Netz ist fehlgeschlagen. Geben Sie unten die Adresse des "
         "Gastgebers ein.",
         "La recherche de tables sur le réseau local a échoué. Saisissez l'adresse de l'hôte ci-dessous."),
    "Looking for tables on the local network...": ("Suche nach Tischen im lokalen Netz …",
                                                   "Recherche de tables sur le réseau local…"),
    "Tables on the local network (double-click to join):":
        ("Tische im lokalen Netz (Doppelklick zum Beitreten):",
         "Tables du réseau local (double-clic pour rejoindre)" + NB + ":"),
    "%1 played %2": ("%1 spielte %2", "%1 a joué %2"),
    "Last trick: %1, %2 took it": ("Letzter Stich: %1; %2 hat ihn gemacht",
                                   "Dernier pli" + NB + ": %1" + NB + "; remporté par %2"),
    "Last trick: %1 took it": ("Letzter Stich: %1 hat ihn gemacht", "Dernier pli" + NB + ": remporté par %1"),
    "%1 (click or Ctrl+L to hide)": ("%1 (Klick oder Strg+L blendet ihn aus)",
                                     "%1 (clic ou Ctrl+L pour le masquer)"),
    "Lastling by Korvel Software": ("Lastling von Korvel Software", "Lastling par Korvel Software"),
    "Play card %1": ("Karte %1 spielen", "Jouer la carte %1"),
    "Remove %1 from the game?": ("%1 aus dem Spiel entfernen?", "Retirer %1 de la partie" + NB + "?"),
    "Remove From Game": ("Aus dem Spiel entfernen", "Retirer de la partie"),
    "Set to Just Watch": ("Auf Zuschauen setzen", "Mettre en observation"),
    "Unset Just Watch": ("Zuschauen aufheben", "Retirer de l'observation"),
    "Ignore Chat": ("Chat ignorieren", "Ignorer le chat"),
    "Stop Ignoring": ("Nicht mehr ignorieren", "Ne plus ignorer"),
    "Leave the table? The game ends for everybody.": ("Den Tisch verlassen? Das Spiel endet für alle.",
                                                      "Quitter la table" + NB + "? La partie s'arrête pour tout le monde."),
    "Leave the game? The computer plays your seat from now on.":
        ("Das Spiel verlassen? Der Computer spielt ab jetzt Ihren Platz.",
         "Quitter la partie" + NB + "? L'ordinateur joue désormais à votre place."),
    "On Wayland the desktop places windows: Reset Screen Location has no effect on the window's place, only on its size.":
        ("Unter Wayland platziert die Arbeitsumgebung die Fenster: Fensterposition zurücksetzen ändert "
         "nur die Größe des Fensters, nicht seinen Platz.",
         "Sous Wayland, c'est le bureau qui place les fenêtres" + NB + ": Réinitialiser la position de la "
         "fenêtre ne change que sa taille, pas sa place."),
    "Lastling - Spys": ("Lastling – Kiebitze", "Lastling – Spectateurs"),
    "Spy List": ("Kiebitzliste", "Liste des spectateurs"),
    "Lastling - Host a Table": ("Lastling – Tisch eröffnen", "Lastling – Héberger une table"),
    "Lastling - Join a Table": ("Lastling – Tisch beitreten", "Lastling – Rejoindre une table"),
    "Your &name:": ("Ihr &Name:", "Votre &nom" + NB + ":"),
    "Host's &address:": ("&Adresse des Gastgebers:", "&Adresse de l'hôte" + NB + ":"),
    "192.168.1.20, [::1]:7780 or a name": ("192.168.1.20, [::1]:7780 oder ein Name",
                                            "192.168.1.20, [::1]:7780 ou un nom"),
    "&Host": ("&Eröffnen", "&Héberger"),
    "&Join": ("&Beitreten", "&Rejoindre"),
    # chat
    "Paste": ("Einfügen", "Coller"),
    "<Enter Chat Here>": ("<Chat hier eingeben>", "<Écrivez ici>"),
    "%1 chats: %2": ("%1 schreibt: %2", "%1 écrit" + NB + ": %2"),
    "%1 plays a sound": ("%1 spielt einen Klang", "%1 joue un son"),
    "Chat": ("Chat", "Chat"),
    "Chat message": ("Chatnachricht", "Message du chat"),
    "Smileys": ("Smileys", "Émoticônes"),
    "Select All": ("Alles auswählen", "Tout sélectionner"),
    "Copy": ("Kopieren", "Copier"),
    "Clear Main Chat": ("Hauptchat leeren", "Effacer le chat principal"),
    "Scroll Chat Off": ("Chat nicht mitrollen", "Ne pas faire défiler le chat"),
    "Text Color": ("Textfarbe", "Couleur du texte"),
    "Line not sent. %n lines are already waiting to go out, and the table takes one a second.": (
        ["Zeile nicht gesendet. Schon %n Zeile wartet auf den Versand, und der Tisch nimmt eine pro Sekunde.",
         "Zeile nicht gesendet. Schon %n Zeilen warten auf den Versand, und der Tisch nimmt eine pro Sekunde."],
        ["Ligne non envoyée. %n ligne attend déjà d'être envoyée, et la table en prend une par seconde.",
         "Ligne non envoyée. %n lignes attendent déjà d'être envoyées, et la table en prend une par seconde."]),
    "Cannot open Webpage": ("Die Webseite lässt sich nicht öffnen", "Impossible d'ouvrir la page web"),
    "Lastling - Phrase Buttons ": ("Lastling – Phrasentasten ", "Lastling – Boutons de phrases "),
    "Buttons can only be used once every 2 seconds": ("Die Tasten gehen nur alle 2 Sekunden",
                                                      "Un bouton par tranche de 2 secondes"),
    "Phrase Button %1:": ("Phrasentaste %1:", "Bouton %1" + NB + ":"),
    "Chatter Sounds": ("Plauderklänge", "Sons de bavardage"),
    "Chatter sounds": ("Plauderklänge", "Sons de bavardage"),
    "<Cancel>": ("<Abbrechen>", "<Annuler>"),
    "Phrase %1: %2": ("Phrase %1: %2", "Phrase %1" + NB + ": %2"),
    # lobby download
    "connection refused": ("Verbindung abgelehnt", "connexion refusée"),
    "timed out": ("Zeitüberschreitung", "délai dépassé"),
    "host unreachable": ("Rechner nicht erreichbar", "hôte injoignable"),
    "network unreachable": ("Netz nicht erreichbar", "réseau injoignable"),
    "%1 bytes": ("%1 Byte", "%1 octets"),
    "%1 KB": ("%1 KB", "%1 Ko"),
    "%1 MB": ("%1 MB", "%1 Mo"),
    "cut short after %1 of %2 bytes": ("nach %1 von %2 Byte abgebrochen", "interrompu après %1 octets sur %2"),
    "failed": ("fehlgeschlagen", "échec"),
    "Downloading: %1": ("Wird heruntergeladen: %1", "Téléchargement" + NB + ": %1"),
    "the address names no file": ("die Adresse nennt keine Datei", "l'adresse ne désigne aucun fichier"),
    "Download - Cannot create %1: %2": ("Download – %1 lässt sich nicht anlegen: %2",
                                        "Téléchargement – impossible de créer %1" + NB + ": %2"),
    "Loading": ("Lädt", "Chargement"),
    "not an HTTP address": ("keine HTTP-Adresse", "pas une adresse HTTP"),
    "Download Aborted": ("Download abgebrochen", "Téléchargement interrompu"),
    "Received %1 bytes": ("%1 Byte empfangen", "%1 octets reçus"),
    "stopped": ("angehalten", "arrêté"),
    "Download - Cannot write %1: %2": ("Download – %1 lässt sich nicht schreiben: %2",
                                       "Téléchargement – impossible d'écrire %1" + NB + ": %2"),
    "Download - Cannot rename %1 to %2: %3": ("Download – %1 lässt sich nicht in %2 umbenennen: %3",
                                              "Téléchargement – impossible de renommer %1 en %2" + NB + ": %3"),
    "The Korvel Lobby's installer was saved as %1 in the folder %2.":
        ("Das Installationsprogramm der Korvel Lobby wurde als %1 im Ordner %2 gespeichert.",
         "Le programme d'installation de The Korvel Lobby a été enregistré sous %1 dans le dossier %2."),
    "Installing": ("Wird installiert", "Installation"),
    "Saved: %1": ("Gespeichert: %1", "Enregistré" + NB + ": %1"),
    "No program here opens it for you. Open that folder now?":
        ("Kein Programm hier öffnet sie für Sie. Den Ordner jetzt öffnen?",
         "Aucun programme ne peut l'ouvrir ici. Ouvrir ce dossier maintenant" + NB + "?"),
    "Download Aborted: %1": ("Download abgebrochen: %1", "Téléchargement interrompu" + NB + ": %1"),
    "The Korvel Lobby was not downloaded (%1).": ("Die Korvel Lobby wurde nicht heruntergeladen (%1).",
                                                  "The Korvel Lobby n'a pas été téléchargé (%1)."),
    "Download The Korvel Lobby": ("Die Korvel Lobby herunterladen", "Télécharger The Korvel Lobby"),
    "The Korvel Lobby": ("Die Korvel Lobby", "The Korvel Lobby"),
    "Download The Korvel Lobby Now to play this and other exciting games online with other players! ":
        ("Laden Sie jetzt die Korvel Lobby herunter und spielen Sie dieses und andere spannende Spiele "
         "online mit anderen! ",
         "Téléchargez The Korvel Lobby pour jouer à ce jeu et à d'autres en ligne avec d'autres joueurs" + NB + "! "),
    "Download And Install The Korvel Lobby Now": ("Korvel Lobby jetzt herunterladen und installieren",
                                                  "Télécharger et installer The Korvel Lobby"),
    "Stop Download": ("Download anhalten", "Arrêter"),
    "To proceed to the game without the ability to play against others click the button below.":
        ("Um ohne Gegner aus dem Netz weiterzuspielen, klicken Sie auf die Schaltfläche unten.",
         "Pour jouer sans pouvoir affronter d'autres joueurs, cliquez sur le bouton ci-dessous."),
    "Play Solo Game": ("Allein spielen", "Jouer en solo"),
    "Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.":
        ("Hinweis: Auch ohne Internet muss Ihre FIREWALL dem Spiel den Zugriff auf die Netzwerkteile erlauben.",
         "Remarque" + NB + ": même hors ligne, votre PARE-FEU doit autoriser le jeu à utiliser le réseau."),
    "Show this window at start": ("Dieses Fenster beim Start zeigen", "Afficher au démarrage"),
    "If you already have The Korvel Lobby and you wish to play with others then click the button below to close this game and open The Korvel Lobby.":
        ("Wenn Sie die Korvel Lobby schon haben und mit anderen spielen möchten, klicken Sie unten: "
         "Das Spiel schließt und die Korvel Lobby öffnet sich.",
         "Si vous avez déjà The Korvel Lobby et voulez jouer avec d'autres, cliquez sur le bouton "
         "ci-dessous" + NB + ": le jeu se ferme et The Korvel Lobby s'ouvre."),
    "Play with Others": ("Mit anderen spielen", "Jouer avec d'autres"),
    "%p% of %1": ("%p % von %1", "%p" + NB + "% de %1"),
    "%1% (fair %2%)": ("%1 % (gerecht %2 %)", "%1" + NB + "% (juste part %2" + NB + "%)"),
    "Opponent": ("Gegner", "Adversaire"),
    "%1's Tally": ("Bilanz von %1", "Bilan de %1"),
    "%1 Wins:": ("Siege von %1:", "Victoires de %1" + NB + ":"),
    "Lastling - Tally List": ("Lastling – Bilanz", "Lastling – Bilan"),
    "Your Total Tally": ("Ihre Gesamtbilanz", "Votre bilan total"),
    "Total Games:": ("Spiele gesamt:", "Parties en tout" + NB + ":"),
    "Your Wins": ("Ihre Siege", "Vos victoires"),
    "Var3:": ("Var3:", "Var3" + NB + ":"),
    "Var4:": ("Var4:", "Var4" + NB + ":"),
    "Number of Games": ("Anzahl Spiele", "Nombre de parties"),
    "Your Wins:": ("Ihre Siege:", "Vos victoires" + NB + ":"),
    "Neither Won:": ("Keiner gewann:", "Aucun des deux" + NB + ":"),
    "Select a player being tallied to see your record.":
        ("Wählen Sie einen erfassten Spieler, um Ihre Bilanz gegen ihn zu sehen.",
         "Choisissez un joueur suivi pour voir votre bilan contre lui."),
    "Players In Current Game": ("Spieler am Tisch", "Joueurs de la partie"),
    "Players Being Tallied": ("Erfasste Spieler", "Joueurs suivis"),
    "Reset Tally": ("Bilanz zurücksetzen", "Remettre à zéro"),
}


def fill(path, index):
    tree = ET.parse(path)
    missing = []
    for context in tree.getroot().findall("context"):
        name = context.find("name").text
        for message in context.findall("message"):
            source = message.find("source").text
            entry = T.get((name, source), T.get(source))
            translation = message.find("translation")
            if entry is None:
                missing.append((name, source))
                continue
            text = entry[index]
            for child in list(translation):
                translation.remove(child)
            translation.attrib.pop("type", None)
            if message.get("numerus") == "yes":
                forms = text if isinstance(text, list) else [text, text]
                translation.text = None
                for form in forms:
                    ET.SubElement(translation, "numerusform").text = form
            else:
                translation.text = text
    tree.write(path, encoding="utf-8", xml_declaration=True)
    return missing


# English keeps only its plural forms.
ENGLISH = {
    "%1 won %2 of %n game(s) together": ["%1 won %2 of %n game together", "%1 won %2 of %n games together"],
    "%1 won %2 of %n game(s) together this session": ["%1 won %2 of %n game together this session",
                                                      "%1 won %2 of %n games together this session"],
    "You won %1 of %n game(s), %2%; a fair share at a table of four is 25%": [
        "You won %1 of %n game, %2%; a fair share at a table of four is 25%",
        "You won %1 of %n games, %2%; a fair share at a table of four is 25%"],
    "%1: %n point(s)": ["%1: %n point", "%1: %n points"],
    "Line not sent. %n lines are already waiting to go out, and the table takes one a second.": [
        "Line not sent. %n line is already waiting to go out, and the table takes one a second.",
        "Line not sent. %n lines are already waiting to go out, and the table takes one a second."],
}


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "translations"
    for lang, index in (("de", 0), ("fr", 1)):
        for context, source in fill(f"{folder}/lastling_{lang}.ts", index):
            print(f"{lang}: no translation for {context}: {source!r}")
    T.clear()
    T.update({source: (forms,) for source, forms in ENGLISH.items()})
    for context, source in fill(f"{folder}/lastling_en.ts", 0):
        print(f"en: no plural forms for {context}: {source!r}")

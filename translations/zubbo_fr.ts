<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>C’est un jeu très simple.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>Cliquez simplement sur Jouer et écrasez les yeux&#xa0;!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Votre meilleur score est enregistré&#xa0;!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Comment jouer</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>&amp;Easy</source>
        <translation>&amp;Facile</translation>
    </message>
    <message>
        <source> - Easy</source>
        <translation> - Facile</translation>
    </message>
    <message>
        <source>&amp;Easy Top Ten</source>
        <translation>Top 10 &amp;Facile</translation>
    </message>
    <message>
        <source>&amp;Medium</source>
        <translation>&amp;Moyen</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Moyen</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>Top 10 &amp;Moyen</translation>
    </message>
    <message>
        <source>&amp;Hard</source>
        <translation>&amp;Difficile</translation>
    </message>
    <message>
        <source> - Hard</source>
        <translation> - Difficile</translation>
    </message>
    <message>
        <source>&amp;Hard Top Ten</source>
        <translation>Top 10 &amp;Difficile</translation>
    </message>
</context>
<context>
    <name>TQ_About</name>
    <message>
        <source>FREEWARE</source>
        <extracomment>Capitals, as the last line of the About window.</extracomment>
        <translation>LOGICIEL GRATUIT</translation>
    </message>
    <message>
        <source>Programmer: %1</source>
        <extracomment>The author&apos;s credit; %1 is the author&apos;s name.</extracomment>
        <translation>Auteur&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>frmRECORD</name>
    <message>
        <source>Score Memorize</source>
        <translation>Enregistrer le score</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Une erreur s’est produite.
Écrivez à l’auteur&#xa0;: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Veuillez saisir un nom.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Un nom ne peut pas contenir de virgule (,). Veuillez le modifier.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Un nom ne peut pas contenir de point-virgule (;). Veuillez le modifier.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Un nom ne peut pas commencer par un guillemet droit (&quot;). Veuillez le modifier.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Un nom ne peut pas commencer par une espace. Veuillez supprimer l’espace du début.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Un nom ne peut pas contenir de caractère de contrôle, comme une tabulation. Veuillez le modifier.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>Le top 10 de ce niveau est complet&#xa0;: impossible d’ajouter un nouveau nom.
Un nom déjà inscrit peut encore améliorer son score.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Un nom ne peut pas dépasser %1 caractères. Veuillez le raccourcir.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Jouer</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Niveau</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Meilleurs scores</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Comment jouer</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>A t t e n t i o n</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>P a u s e</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>Dit is een heel eenvoudig spel.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>Klik gewoon op Start en mep op de ogen!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Je beste score wordt bewaard!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Speluitleg</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>&amp;Easy</source>
        <translation>&amp;Eenvoudig</translation>
    </message>
    <message>
        <source> - Easy</source>
        <translation> - Eenvoudig</translation>
    </message>
    <message>
        <source>&amp;Easy Top Ten</source>
        <translation>Top 10 &amp;Eenvoudig</translation>
    </message>
    <message>
        <source>&amp;Medium</source>
        <translation>&amp;Gemiddeld</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Gemiddeld</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>Top 10 &amp;Gemiddeld</translation>
    </message>
    <message>
        <source>&amp;Hard</source>
        <translation>&amp;Moeilijk</translation>
    </message>
    <message>
        <source> - Hard</source>
        <translation> - Moeilijk</translation>
    </message>
    <message>
        <source>&amp;Hard Top Ten</source>
        <translation>Top 10 &amp;Moeilijk</translation>
    </message>
</context>
<context>
    <name>TQ_About</name>
    <message>
        <source>FREEWARE</source>
        <extracomment>Capitals, as the last line of the About window.</extracomment>
        <translation>FREEWARE</translation>
    </message>
    <message>
        <source>Programmer: %1</source>
        <extracomment>The author&apos;s credit; %1 is the author&apos;s name.</extracomment>
        <translation>Programmeur: %1</translation>
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
        <translation>Score opslaan</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Naam:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuleren</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Er is een fout opgetreden.
Neem contact op met de auteur: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Typ een naam.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Een naam mag geen komma (,) bevatten. Pas hem aan.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Een naam mag geen puntkomma (;) bevatten. Pas hem aan.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Een naam mag niet met een dubbel aanhalingsteken (&quot;) beginnen. Pas hem aan.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Een naam mag niet met een spatie beginnen. Haal de spatie aan het begin weg.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Een naam mag geen stuurteken zoals een tab bevatten. Pas hem aan.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>De top 10 van dit niveau is vol: er kan geen nieuwe naam bij.
Een naam die er al in staat, kan zijn score nog verbeteren.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Een naam mag niet langer zijn dan %1 tekens. Maak hem korter.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Niveau</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Topscores</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Speluitleg</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Over</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>O p g e l e t</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>P a u z e</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
</context>
</TS>

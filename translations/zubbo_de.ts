<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>Das ist ein ganz einfaches Spiel.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>Klick einfach auf Start und hau auf die Augen!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Dein bester Rekord wird festgehalten!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Spielanleitung</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>&amp;Easy</source>
        <translation>&amp;Leicht</translation>
    </message>
    <message>
        <source> - Easy</source>
        <translation> - Leicht</translation>
    </message>
    <message>
        <source>&amp;Easy Top Ten</source>
        <translation>Top Ten &amp;Leicht</translation>
    </message>
    <message>
        <source>&amp;Medium</source>
        <translation>&amp;Mittel</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Mittel</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>Top Ten &amp;Mittel</translation>
    </message>
    <message>
        <source>&amp;Hard</source>
        <translation>&amp;Schwer</translation>
    </message>
    <message>
        <source> - Hard</source>
        <translation> - Schwer</translation>
    </message>
    <message>
        <source>&amp;Hard Top Ten</source>
        <translation>Top Ten &amp;Schwer</translation>
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
        <translation>Entwickler: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Bestenliste</translation>
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
        <translation>Punkte eintragen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Ein Fehler ist aufgetreten.
Melde ihn bitte dem Autor: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Bitte gib einen Namen ein.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Ein Name darf kein Komma (,) enthalten. Bitte ändere ihn.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Ein Name darf kein Semikolon (;) enthalten. Bitte ändere ihn.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Ein Name darf nicht mit einem Anführungszeichen (&quot;) beginnen. Bitte ändere ihn.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Ein Name darf nicht mit einem Leerzeichen beginnen. Bitte entferne das Leerzeichen am Anfang.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Ein Name darf kein Steuerzeichen wie einen Tabulator enthalten. Bitte ändere ihn.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>Die Top Ten dieser Stufe ist voll: Ein neuer Name kann nicht hinzukommen.
Ein schon eingetragener Name kann seine Punktzahl noch verbessern.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Ein Name darf höchstens %1 Zeichen lang sein. Bitte kürze ihn.</translation>
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
        <translation>&amp;Level</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Bestenliste</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Spielanleitung</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über Zubbo!</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>A c h t u n g</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>P a u s e</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
</context>
</TS>

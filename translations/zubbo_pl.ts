<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>To bardzo prosta gra.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>Po prostu kliknij Graj i wal w oczy!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Twój najlepszy wynik zostanie zapisany!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Jak grać</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>&amp;Easy</source>
        <translation>Ł&amp;atwy</translation>
    </message>
    <message>
        <source> - Easy</source>
        <translation> - Łatwy</translation>
    </message>
    <message>
        <source>&amp;Easy Top Ten</source>
        <translation>Top 10: Ł&amp;atwy</translation>
    </message>
    <message>
        <source>&amp;Medium</source>
        <translation>Ś&amp;redni</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Średni</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>Top 10: Ś&amp;redni</translation>
    </message>
    <message>
        <source>&amp;Hard</source>
        <translation>&amp;Trudny</translation>
    </message>
    <message>
        <source> - Hard</source>
        <translation> - Trudny</translation>
    </message>
    <message>
        <source>&amp;Hard Top Ten</source>
        <translation>Top 10: &amp;Trudny</translation>
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
        <translation>Programista: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Wyniki</translation>
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
        <translation>Zapisz wynik</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Imię:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Anuluj</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Wystąpił błąd.
Napisz do autora: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Wpisz imię.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Imię nie może zawierać przecinka (,). Zmień je.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Imię nie może zawierać średnika (;). Zmień je.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Imię nie może zaczynać się od cudzysłowu (&quot;). Zmień je.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Imię nie może zaczynać się od spacji. Usuń spację z początku.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Imię nie może zawierać znaków sterujących, takich jak tabulator. Zmień je.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>Top 10 tego poziomu jest pełne: nie można dodać nowego imienia.
Imię, które już jest na liście, może jeszcze poprawić swój wynik.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Imię nie może mieć więcej niż %1 znaków. Skróć je.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Graj</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Poziom</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Najlepsze wyniki</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Jak grać</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;O grze</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>U w a g a</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>P a u z a</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Zatrzymaj</translation>
    </message>
</context>
</TS>

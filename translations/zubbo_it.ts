<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>È un gioco semplicissimo.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>Clicca su Gioca e schiaccia gli occhi!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Il tuo record migliore viene registrato!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Come si gioca</translation>
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
        <translation>&amp;Medio</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Medio</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>Top 10 &amp;Medio</translation>
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
        <translation>FREEWARE</translation>
    </message>
    <message>
        <source>Programmer: %1</source>
        <extracomment>The author&apos;s credit; %1 is the author&apos;s name.</extracomment>
        <translation>Autore: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Punteggi</translation>
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
        <translation>Registra il punteggio</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Si è verificato un errore.
Scrivi all’autore: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Scrivi un nome.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Un nome non può contenere una virgola (,). Modificalo, per favore.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Un nome non può contenere un punto e virgola (;). Modificalo, per favore.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Un nome non può iniziare con le virgolette (&quot;). Modificalo, per favore.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Un nome non può iniziare con uno spazio. Togli lo spazio all’inizio, per favore.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Un nome non può contenere caratteri di controllo, come una tabulazione. Modificalo, per favore.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>La top 10 di questo livello è piena: non si può aggiungere un nome nuovo.
Un nome già in classifica può ancora migliorare il suo punteggio.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Un nome non può superare i %1 caratteri. Accorcialo, per favore.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Gioca</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Livello</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Classifiche</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Come si gioca</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>P r e p a r a t i</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>I n   p a u s a</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Ferma</translation>
    </message>
</context>
</TS>

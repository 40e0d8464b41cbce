<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>Es un juego muy sencillo.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>¡¡¡Haz clic en Jugar y aplasta los ojos!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>¡Tu mejor marca queda registrada!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Cómo jugar</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>&amp;Easy</source>
        <translation>&amp;Fácil</translation>
    </message>
    <message>
        <source> - Easy</source>
        <translation> - Fácil</translation>
    </message>
    <message>
        <source>&amp;Easy Top Ten</source>
        <translation>Top 10 &amp;Fácil</translation>
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
        <translation>&amp;Difícil</translation>
    </message>
    <message>
        <source> - Hard</source>
        <translation> - Difícil</translation>
    </message>
    <message>
        <source>&amp;Hard Top Ten</source>
        <translation>Top 10 &amp;Difícil</translation>
    </message>
</context>
<context>
    <name>TQ_About</name>
    <message>
        <source>FREEWARE</source>
        <extracomment>Capitals, as the last line of the About window.</extracomment>
        <translation>SOFTWARE GRATUITO</translation>
    </message>
    <message>
        <source>Programmer: %1</source>
        <extracomment>The author&apos;s credit; %1 is the author&apos;s name.</extracomment>
        <translation>Programación: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Puntuaciones</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
<context>
    <name>frmRECORD</name>
    <message>
        <source>Score Memorize</source>
        <translation>Guardar puntuación</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Se ha producido un error.
Escribe al autor: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Escribe un nombre.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Un nombre no puede contener una coma (,). Cámbialo, por favor.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Un nombre no puede contener un punto y coma (;). Cámbialo, por favor.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Un nombre no puede empezar por comillas dobles (&quot;). Cámbialo, por favor.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Un nombre no puede empezar por un espacio. Quita el espacio del principio, por favor.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Un nombre no puede contener caracteres de control, como un tabulador. Cámbialo, por favor.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>El top 10 de este nivel está completo: no se puede añadir un nombre nuevo.
Un nombre que ya está en la lista aún puede mejorar su puntuación.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Un nombre no puede tener más de %1 caracteres. Acórtalo, por favor.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Jugar</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Nivel</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Mejores puntuaciones</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Cómo jugar</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>P r e p á r a t e</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>P a u s a</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Parar</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>Este é um jogo muito simples.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>É só clicar em Jogar e esmagar os olhos!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Seu melhor recorde fica registrado!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Como jogar</translation>
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
        <translation>&amp;Médio</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Médio</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>Top 10 &amp;Médio</translation>
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
        <translation>Programação: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Pontuações</translation>
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
        <translation>Registrar pontuação</translation>
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
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Ocorreu um erro.
Entre em contato com o autor: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Digite um nome.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Um nome não pode conter vírgula (,). Altere-o, por favor.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Um nome não pode conter ponto e vírgula (;). Altere-o, por favor.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Um nome não pode começar com aspas duplas (&quot;). Altere-o, por favor.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Um nome não pode começar com um espaço. Remova o espaço do início, por favor.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Um nome não pode conter caracteres de controle, como uma tabulação. Altere-o, por favor.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>O top 10 deste nível está cheio: não é possível adicionar um nome novo.
Um nome que já está na lista ainda pode melhorar sua pontuação.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Um nome não pode ter mais de %1 caracteres. Encurte-o, por favor.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Jogar</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Nível</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Recordes</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Como jogar</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Sobre</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>P r e p a r e - s e</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>P a u s a d o</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Parar</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>HowToPlay</name>
    <message>
        <source>This is a very simple game.</source>
        <translation>Это очень простая игра.</translation>
    </message>
    <message>
        <source>Just click on Start and smash the eyes!!!</source>
        <extracomment>&quot;Start&quot; is the caption of the first item in the main window&apos;s menu bar.</extracomment>
        <translation>Просто нажмите «Играть» и бейте по глазам!!!</translation>
    </message>
    <message>
        <source>Your best record is recorded!</source>
        <translation>Ваш лучший результат будет записан!</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Как играть</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>&amp;Easy</source>
        <translation>&amp;Лёгкий</translation>
    </message>
    <message>
        <source> - Easy</source>
        <translation> - Лёгкий</translation>
    </message>
    <message>
        <source>&amp;Easy Top Ten</source>
        <translation>&amp;Лёгкий: 10 лучших</translation>
    </message>
    <message>
        <source>&amp;Medium</source>
        <translation>&amp;Средний</translation>
    </message>
    <message>
        <source> - Medium</source>
        <translation> - Средний</translation>
    </message>
    <message>
        <source>&amp;Medium Top Ten</source>
        <translation>&amp;Средний: 10 лучших</translation>
    </message>
    <message>
        <source>&amp;Hard</source>
        <translation>&amp;Трудный</translation>
    </message>
    <message>
        <source> - Hard</source>
        <translation> - Трудный</translation>
    </message>
    <message>
        <source>&amp;Hard Top Ten</source>
        <translation>&amp;Трудный: 10 лучших</translation>
    </message>
</context>
<context>
    <name>TQ_About</name>
    <message>
        <source>FREEWARE</source>
        <extracomment>Capitals, as the last line of the About window.</extracomment>
        <translation>БЕСПЛАТНАЯ ПРОГРАММА</translation>
    </message>
    <message>
        <source>Programmer: %1</source>
        <extracomment>The author&apos;s credit; %1 is the author&apos;s name.</extracomment>
        <translation>Автор: %1</translation>
    </message>
</context>
<context>
    <name>TopTenViewer</name>
    <message>
        <source>Scores</source>
        <translation>Рекорды</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;ОК</translation>
    </message>
</context>
<context>
    <name>frmRECORD</name>
    <message>
        <source>Score Memorize</source>
        <translation>Запись рекорда</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Имя:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;ОК</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Error Trapped.
Contact the Author at: zubbo-author@example.com</source>
        <translation>Произошла ошибка.
Напишите автору: zubbo-author@example.com</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Введите имя.</translation>
    </message>
    <message>
        <source>A name cannot contain a comma (,). Please change it.</source>
        <translation>Имя не может содержать запятую (,). Измените его.</translation>
    </message>
    <message>
        <source>A name cannot contain a semicolon (;). Please change it.</source>
        <translation>Имя не может содержать точку с запятой (;). Измените его.</translation>
    </message>
    <message>
        <source>A name cannot begin with a double quote (&quot;). Please change it.</source>
        <translation>Имя не может начинаться с двойной кавычки (&quot;). Измените его.</translation>
    </message>
    <message>
        <source>A name cannot begin with a blank. Please remove the blank at the start.</source>
        <translation>Имя не может начинаться с пробела. Уберите пробел в начале.</translation>
    </message>
    <message>
        <source>A name cannot contain a control character such as a tab. Please change it.</source>
        <translation>Имя не может содержать управляющие символы, например табуляцию. Измените его.</translation>
    </message>
    <message>
        <source>This level&apos;s Top Ten is full: a new name cannot be added.
A name already listed can still raise its score.</source>
        <translation>Десятка лучших этого уровня заполнена: новое имя добавить нельзя.
Имя, которое уже есть в списке, ещё может улучшить свой результат.</translation>
    </message>
    <message>
        <source>A name cannot be longer than %1 characters. Please shorten it.</source>
        <translation>Имя не может быть длиннее %1 символов. Сократите его.</translation>
    </message>
</context>
<context>
    <name>frmZUB</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Играть</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Уровень</translation>
    </message>
    <message>
        <source>&amp;Top Scores</source>
        <translation>&amp;Рекорды</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <extracomment>The help menu of the menu bar, a question mark with its access key.</extracomment>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;How to play</source>
        <translation>&amp;Как играть</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>G e t   R e a d y</source>
        <extracomment>The message before play, spaced out letter by letter with three blanks between the words.</extracomment>
        <translation>Г о т о в ь с я</translation>
    </message>
    <message>
        <source>P a u s e d</source>
        <extracomment>The message while a round is paused, spaced out as the one before play.</extracomment>
        <translation>П а у з а</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Стоп</translation>
    </message>
</context>
</TS>

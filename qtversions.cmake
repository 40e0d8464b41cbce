# What differs between the Qt versions the game is built with, Debian 12's 6.4 and Debian
# 13's 6.8, decided here by Qt's version and nowhere else.

# No deprecated Qt API up to 6.4, so none creeps in. Qt 6.5 renamed the switch and made it
# inclusive; on 6.4 "before 6.5" names the same set.
if(Qt6_VERSION VERSION_LESS 6.5)
  add_compile_definitions(QT_DISABLE_DEPRECATED_BEFORE=0x060500)
else()
  add_compile_definitions(QT_DISABLE_DEPRECATED_UP_TO=0x060400)
endif()

# Since Qt 6.7, qt_add_translations waits for the end of the directory unless told to run at
# once, and would then scan every target of the project; the game's own sources are named
# explicitly and the targets it makes are used on the lines after it.
if(Qt6_VERSION VERSION_GREATER_EQUAL 6.7)
  set(ZUBBO_TRANSLATIONS_AT_ONCE IMMEDIATE_CALL)
else()
  set(ZUBBO_TRANSLATIONS_AT_ONCE)
endif()

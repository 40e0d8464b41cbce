#pragma once

#include <QString>

class QWidget;

// The game's only help: three sentences with empty lines between them, line feeds only,
// ending with a line feed. Built afresh on every call.
QString HowToPlayText();

// Shows the help in a modal information box with one OK button and waits until it closes.
// It touches no game state, so a running round goes on behind it.
void showHowToPlay(QWidget *parent);

#pragma once

class QSize;
class QWidget;

// The small fixed windows of the score tables: a narrow title bar with a close box only, no
// task bar entry, a client area of a set size in a small dialog face, and a place in the
// middle of the screen.
void makeFixedToolWindow(QWidget *window, const QSize &clientSize);

// Call when the window shows; the frame is counted as far as the window system has told it.
void centreOnScreen(QWidget *window);

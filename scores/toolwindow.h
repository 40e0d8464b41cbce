#pragma once

class QSize;
class QWidget;

// The small fixed windows of the score tables: a narrow title bar with a close box only, no
// task bar entry, and a client area of a set size in a small dialog face.
void makeFixedToolWindow(QWidget *window, const QSize &clientSize);

#pragma once

#include <QWidget>

// A transparent area without a picture that takes every press on it and reports a click
// of the left button, press and release both on the area.
class ClickArea : public QWidget
{
    Q_OBJECT
public:
    ClickArea(const QString &name, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

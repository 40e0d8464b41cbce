#pragma once

#include <QCursor>
#include <QPixmap>
#include <QWidget>

// A picture on the board: it paints its picture to fill its rectangle, carries a mouse
// pointer of its own that can be replaced at any time, and reports presses and releases
// with its index in its control array: a mouse button's, and each finger's on a
// touchscreen, which Qt then turns into no mouse press. It has no native window, so
// siblings stack and take presses exactly in their creation order.
class PictureControl : public QWidget
{
    Q_OBJECT
public:
    PictureControl(const QString &name, int index, QWidget *parent);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    QCursor mouseIcon() const { return cursor(); }
    void setMouseIcon(const QCursor &pointer) { setCursor(pointer); }

signals:
    void pressed(int index);
    void released(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int m_index;
    QPixmap m_picture;
};

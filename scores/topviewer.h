#pragma once

#include "zubmod.h"

#include <QDialog>
#include <QPointer>

class QListWidget;
class QPushButton;

// The window that lists one level's table, a "name:  score" line per entry in alphabetical
// order. "&Ok" only hides it; the close box destroys it.
class TopTenViewer : public QDialog
{
    Q_OBJECT
public:
    explicit TopTenViewer(Level level, QWidget *parent = nullptr);

    // Creates the level's viewer unless it still exists, rebuilds its lines when the table
    // has entries, and shows it modally; a viewer closed by its close box is gone afterwards.
    static void showModal(QPointer<TopTenViewer> &viewer, ZubMod &tables, Level level,
                          QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void btn_Click();

private:
    void fill(const TopTable &table);

    QListWidget *m_list = nullptr;
    QPushButton *btn = nullptr;
    bool m_closedByCloseBox = false;
};

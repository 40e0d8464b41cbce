#pragma once

#include "tablefile.h"
#include "zubmod.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The dialog that opens when a round's time runs out: it records the round's score under
// the name the player types or picks, in the table of the level played, writes that level's
// file and loads the three tables again. Each opening uses a new dialog.
class frmRECORD : public QDialog
{
    Q_OBJECT
public:
    explicit frmRECORD(ZubMod &tables, Level level, qint32 score, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void txtNAME_Change();
    void txtNAME_Click();
    void btnOK_Click();
    void btnEND_Click();

private:
    void Form_Load();
    void Form_Activate();
    void enableOkForName();
    static QString refusalText(NameProblem problem);

    ZubMod &m_tables;
    const Level m_level;
    const qint32 m_score;

    QLabel *lblNAM = nullptr;
    QComboBox *txtNAME = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnEND = nullptr;
};

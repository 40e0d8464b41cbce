#include "frmrecord.h"

#include "caseorder.h"
#include "toolwindow.h"
#include "windowdress.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace {

constexpr QSize ClientSize(188, 70);
constexpr QRect NameLabelRect(0, 8, 33, 17);
constexpr QRect NameBoxRect(40, 8, 137, 21);
constexpr QRect OkRect(16, 40, 73, 25);
constexpr QRect CancelRect(96, 40, 73, 25);
const char *const DesignCaption = QT_TRANSLATE_NOOP("frmRECORD", "Score Memorize");
} // namespace

frmRECORD::frmRECORD(ZubMod &tables, Level level, qint32 score, QWidget *parent)
    : QDialog(parent), m_tables(tables), m_level(level), m_score(score)
{
    setObjectName(QStringLiteral("frmRECORD"));
    setWindowTitle(tr(DesignCaption));
    makeFixedToolWindow(this, ClientSize);
    centreOnEveryShow(this);

    lblNAM = makeLabel(QStringLiteral("lblNAM"), tr("Name:"), NameLabelRect, Qt::AlignRight, this);
    // A translation of "Name:" wider than its place widens the dialog by what it lacks, the
    // name box moving along and the buttons staying in the middle; a text that fits keeps
    // the designed layout.
    const int lacking = std::max(0,
                                 lblNAM->fontMetrics().horizontalAdvance(lblNAM->text())
                                     - NameLabelRect.width());
    lblNAM->setGeometry(NameLabelRect.adjusted(0, 0, lacking, 0));
    setFixedSize(ClientSize + QSize(lacking, 0));

    txtNAME = new QComboBox(this);
    txtNAME->setObjectName(QStringLiteral("txtNAME"));
    txtNAME->setGeometry(NameBoxRect.translated(lacking, 0));
    txtNAME->setEditable(true);
    // The list only offers the known names: Enter must not add the typed text to it, and
    // the text is recorded as typed, so no completion may extend it.
    txtNAME->setInsertPolicy(QComboBox::NoInsert);
    txtNAME->setCompleter(nullptr);

    btnOK = new QPushButton(tr("&Ok"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(OkRect.translated(lacking / 2, 0));
    btnOK->setDefault(true);

    btnEND = new QPushButton(tr("&Cancel"), this);
    btnEND->setObjectName(QStringLiteral("btnEND"));
    btnEND->setGeometry(CancelRect.translated(lacking / 2, 0));

    setTabOrder(btnOK, btnEND);
    setTabOrder(btnEND, txtNAME);

    connect(txtNAME, &QComboBox::editTextChanged, this, &frmRECORD::txtNAME_Change);
    connect(txtNAME, &QComboBox::activated, this, &frmRECORD::txtNAME_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmRECORD::btnOK_Click);
    connect(btnEND, &QPushButton::clicked, this, &frmRECORD::btnEND_Click);

    Form_Load();
}

void frmRECORD::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Form_Activate();
}

void frmRECORD::Form_Load()
{
    btnOK->setEnabled(false);
}

void frmRECORD::Form_Activate()
{
    setWindowTitle(tr(DesignCaption)
                   + QCoreApplication::translate("Levels", levelInfo(m_level).recordSuffix));

    QStringList names;
    for (const LevelInfo &level : Levels) {
        const TopTable &table = m_tables.table(level.level);
        for (int i = 1; i <= table.count; ++i)
            names.append(table.names[i]);
    }
    sortIgnoringCase(names);
    txtNAME->clear();
    txtNAME->addItems(names);
    // Filling an empty combo box selects its first item; the box starts without a name.
    txtNAME->setCurrentIndex(-1);
    txtNAME->clearEditText();
    btnEND->setFocus();
}

void frmRECORD::txtNAME_Change()
{
    enableOkForName();
}

void frmRECORD::txtNAME_Click()
{
    enableOkForName();
}

void frmRECORD::enableOkForName()
{
    btnOK->setEnabled(!txtNAME->currentText().isEmpty());
}

void frmRECORD::btnOK_Click()
{
    const QString name = txtNAME->currentText();
    // A name of the list was read from a table file and goes back into one as it was read,
    // also one that only a hand-edited file gives, with a comma or leading blanks.
    const bool listed = txtNAME->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    if (const NameProblem problem = listed ? NameProblem::None : checkName(name);
        problem != NameProblem::None) {
        QMessageBox::warning(this, tr(DesignCaption), refusalText(problem));
        return;
    }
    switch (m_tables.record(m_level, name, m_score)) {
    case Recorded::Saved:
        m_tables.loadAll();
        accept();
        return;
    case Recorded::TableFull:
        QMessageBox::warning(this, tr(DesignCaption),
                             tr("This level's Top Ten is full: a new name cannot be added.\n"
                                "A name already listed can still raise its score."));
        return;
    case Recorded::Unsaved:
    case Recorded::NoRoom:
        break;
    }
    QMessageBox box(QMessageBox::Critical, tr("Error"),
                    tr("Error Trapped.\nContact the Author at: zubbo-author@example.com"),
                    QMessageBox::Ok, this);
    box.exec();
}

void frmRECORD::btnEND_Click()
{
    reject();
}

QString frmRECORD::refusalText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::Empty:
        return tr("Please type a name.");
    case NameProblem::TooLong:
        return tr("A name cannot be longer than %1 characters. Please shorten it.")
            .arg(MaxNameLength);
    case NameProblem::Comma:
        return tr("A name cannot contain a comma (,). Please change it.");
    case NameProblem::Semicolon:
        return tr("A name cannot contain a semicolon (;). Please change it.");
    case NameProblem::LeadingQuote:
        return tr("A name cannot begin with a double quote (\"). Please change it.");
    case NameProblem::LeadingBlank:
        return tr("A name cannot begin with a blank. Please remove the blank at the start.");
    case NameProblem::ControlCharacter:
        return tr("A name cannot contain a control character such as a tab. Please change it.");
    case NameProblem::None:
        break;
    }
    return {};
}

#include "frmrecord.h"

#include "caseorder.h"
#include "toolwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr QSize ClientSize(188, 70);
constexpr QRect NameLabelRect(0, 8, 33, 17);
constexpr QRect NameBoxRect(40, 8, 137, 21);
constexpr QRect OkRect(16, 40, 73, 25);
constexpr QRect CancelRect(96, 40, 73, 25);
constexpr int TableRoom = TableSlots - 1;
const char *const DesignCaption = QT_TRANSLATE_NOOP("frmRECORD", "Score Memorize");
} // namespace

frmRECORD::frmRECORD(ZubMod &tables, Level level, qint32 score, QWidget *parent)
    : QDialog(parent)
    , m_tables(tables)
    , m_level(level)
    , m_score(score)
{
    setObjectName(QStringLiteral("frmRECORD"));
    setWindowTitle(tr(DesignCaption));
    makeFixedToolWindow(this, ClientSize);

    lblNAM = new QLabel(tr("Name:"), this);
    lblNAM->setObjectName(QStringLiteral("lblNAM"));
    lblNAM->setGeometry(NameLabelRect);
    lblNAM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    txtNAME = new QComboBox(this);
    txtNAME->setObjectName(QStringLiteral("txtNAME"));
    txtNAME->setGeometry(NameBoxRect);
    txtNAME->setEditable(true);
    // The list only offers the known names: Enter must not add the typed text to it, and
    // the text is recorded as typed, so no completion may extend it.
    txtNAME->setInsertPolicy(QComboBox::NoInsert);
    txtNAME->setCompleter(nullptr);

    btnOK = new QPushButton(tr("&Ok"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(OkRect);
    btnOK->setDefault(true);

    btnEND = new QPushButton(tr("&Cancel"), this);
    btnEND->setObjectName(QStringLiteral("btnEND"));
    btnEND->setGeometry(CancelRect);

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
    centreOnScreen(this);
    Form_Activate();
}

void frmRECORD::Form_Load()
{
    btnOK->setEnabled(false);
}

void frmRECORD::Form_Activate()
{
    setWindowTitle(tr(DesignCaption) + levelSuffix(m_level));

    QStringList names;
    for (const Level level : {Level::Easy, Level::Medium, Level::Hard}) {
        const TopTableRef table = m_tables.table(level);
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
    if (const NameProblem problem = checkName(name); problem != NameProblem::None) {
        QMessageBox::warning(this, tr(DesignCaption), refusalText(problem));
        return;
    }
    if (!recordScore(name)) {
        QMessageBox box(QMessageBox::Critical, tr("Error"),
                        tr("Error Trapped.\nContact the Author at: zubbo-author@example.com"),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_tables.LoadTopEasy();
    m_tables.LoadTopMedi();
    m_tables.LoadTopHard();
    accept();
}

void frmRECORD::btnEND_Click()
{
    reject();
}

// The new name goes in after the last entry first; a known name, in any letter case, drops
// that entry again and only raises its own score. A failed write leaves the change in
// memory; the next Ok starts again from the file, or from memory where the file cannot be
// read, and either way adds nothing twice.
bool frmRECORD::recordScore(const QString &name)
{
    // Another copy of the game running from the same folder may have recorded at this level
    // since this copy loaded the file, and the write below would drop that entry. Reading the
    // file again under the lock, and writing before the lock is released, keeps it. With one
    // copy running the file holds what the table holds, so the reading changes nothing.
    const std::unique_ptr<QLockFile> lock = m_tables.lockTable(m_level);
    if (!lock)
        return false;
    m_tables.load(m_level);

    const TopTableRef table = m_tables.table(m_level);
    const int before = table.count;
    if (before >= TableRoom)
        return false;
    table.names[before + 1] = name;
    table.scores[before + 1] = m_score;
    table.count = quint8(before + 1);
    for (int k = 1; k <= before; ++k) {
        if (QString::compare(table.names[k], name, Qt::CaseInsensitive) == 0) {
            if (table.scores[k] < m_score)
                table.scores[k] = m_score;
            table.count = quint8(before);
            break;
        }
    }
    return m_tables.writeTable(m_level);
}

QString frmRECORD::levelSuffix(Level level)
{
    switch (level) {
    case Level::Easy:
        return tr(" - Easy");
    case Level::Medium:
        return tr(" - Medium");
    case Level::Hard:
        break;
    }
    return tr(" - Hard");
}

QString frmRECORD::refusalText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::Empty:
        return tr("Please type a name.");
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

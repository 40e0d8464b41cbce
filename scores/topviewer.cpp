#include "topviewer.h"

#include "caseorder.h"
#include "toolwindow.h"
#include "windowdress.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScroller>
#include <QTouchEvent>

namespace {

constexpr QSize ClientSize(225, 217);
constexpr QRect ListRect(8, 8, 209, 160);
constexpr QRect ButtonRect(80, 184, 65, 25);
constexpr QLatin1StringView NameScoreSeparator(":  ");

// Hands a finger's drag over a list to Qt's kinetic scroller. Fed directly rather than through
// the scroller's gesture grab, whose recogniser Qt loses when a list that never saw a touch
// goes.
class FingerDrag : public QObject
{
public:
    explicit FingerDrag(QWidget *viewport) : QObject(viewport)
    {
        viewport->setAttribute(Qt::WA_AcceptTouchEvents);
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *viewport, QEvent *event) override
    {
        QScroller::Input input = QScroller::InputMove;
        if (event->type() == QEvent::TouchBegin)
            input = QScroller::InputPress;
        else if (event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel)
            input = QScroller::InputRelease;
        else if (event->type() != QEvent::TouchUpdate)
            return false;
        const auto *touch = static_cast<QTouchEvent *>(event);
        if (!touch->points().isEmpty())
            QScroller::scroller(viewport)->handleInput(input,
                                                       touch->points().constFirst().position(),
                                                       qint64(touch->timestamp()));
        event->accept();
        return true;
    }
};

} // namespace

TopTenViewer::TopTenViewer(Level level, QWidget *parent) : QDialog(parent)
{
    const LevelInfo &names = levelInfo(level);
    setObjectName(QLatin1StringView(names.viewerWindow));
    setWindowTitle(tr("Scores"));
    makeFixedToolWindow(this, ClientSize);
    centreOnEveryShow(this);

    m_list = new QListWidget(this);
    m_list->setObjectName(QLatin1StringView(names.viewerList));
    m_list->setGeometry(ListRect);
    // A finger drags the list of up to a hundred names; by the pixel, as a finger moves.
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    new FingerDrag(m_list->viewport());

    btn = new QPushButton(tr("&Ok"), this);
    btn->setObjectName(QStringLiteral("btn"));
    btn->setGeometry(ButtonRect);
    btn->setDefault(true);

    setTabOrder(btn, m_list);
    connect(btn, &QPushButton::clicked, this, &TopTenViewer::btn_Click);
}

void TopTenViewer::showModal(QPointer<TopTenViewer> &viewer, ZubMod &tables, Level level,
                             QWidget *parent)
{
    if (!viewer)
        viewer = new TopTenViewer(level, parent);
    const TopTable &table = tables.table(level);
    if (table.count != 0)
        viewer->fill(table);
    viewer->m_closedByCloseBox = false;
    viewer->exec();
    // Deleted here rather than later, so the next opening never meets a dying viewer.
    if (viewer && viewer->m_closedByCloseBox)
        delete viewer;
}

void TopTenViewer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    btn->setFocus();
}

// Reached only through the close box: "&Ok", Enter and Esc hide the viewer without it.
void TopTenViewer::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    m_closedByCloseBox = event->isAccepted();
}

void TopTenViewer::btn_Click()
{
    accept();
}

void TopTenViewer::fill(const TopTable &table)
{
    QStringList lines;
    for (int i = 1; i <= table.count; ++i)
        lines.append(table.names[i] + NameScoreSeparator + QString::number(table.scores[i]));
    sortIgnoringCase(lines);
    m_list->clear();
    m_list->addItems(lines);
}

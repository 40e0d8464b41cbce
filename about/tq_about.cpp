#include "tq_about.h"

#include "aboutart.h"
#include "clickarea.h"
#include "windowdress.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace {
constexpr QSize ClientSize(282, 145);
constexpr QRect CloserPlace(0, 0, 281, 145);
constexpr QRect LogoPlace(8, 8, 120, 56);
constexpr QRect UpperRulePlace(8, 64, 265, 1);  // from (8, 64) to (272, 64)
constexpr QRect LowerRulePlace(8, 112, 265, 1); // from (8, 112) to (272, 112)
constexpr QRect MyNamePlace(8, 72, 161, 17);
constexpr QRect SitePlace(8, 88, 265, 17);
constexpr QRect FreewarePlace(8, 120, 265, 17);
const QString AuthorName = QStringLiteral("Tam Quillon");

void makeRule(const QString &name, const QRect &place, QWidget *parent)
{
    auto *rule = new QFrame(parent);
    rule->setObjectName(name);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setLineWidth(1);
    rule->setGeometry(place);
}
} // namespace

// A fixed frame with a bare title bar: no caption, no minimize, maximize or close button;
// as a tool window it stays out of the task bar.
TQ_About::TQ_About()
{
    setFixedFrame(this, Qt::Tool);
    setObjectName(QStringLiteral("TQ_About"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Qt would show the application's name in place of an empty title.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(ClientSize);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    buildControls();
    centreOnEveryShow(this);
    Form_Load();
}

// Controls are created from back to front, so Closer, created last, lies in front of all
// the others and takes the clicks on them. It leaves the rightmost pixel column free.
void TQ_About::buildControls()
{
    //: Capitals, as the last line of the About window.
    makeLabel(QStringLiteral("lblFREEWARE"), tr("FREEWARE"), FreewarePlace, Qt::AlignLeft, this);
    //: The author's credit; %1 is the author's name.
    makeLabel(QStringLiteral("MyName"), tr("Programmer: %1").arg(AuthorName), MyNamePlace,
              Qt::AlignLeft, this);
    makeRule(QStringLiteral("Line1(0)"), UpperRulePlace, this);
    makeLabel(QStringLiteral("lblSITE"), QStringLiteral("www.example.com/zubbo"), SitePlace,
              Qt::AlignLeft, this);
    makeRule(QStringLiteral("Line1(1)"), LowerRulePlace, this);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("TQLogo"));
    logo->setGeometry(LogoPlace);
    drawForPixelRatio(this, [this, logo](qreal ratio) {
        setWindowIcon(QIcon(Artwork::aboutIcon(ratio)));
        logo->setPixmap(Artwork::logo(ratio));
    });

    auto *closer = new ClickArea(QStringLiteral("Closer"), this);
    closer->setGeometry(CloserPlace);
    connect(closer, &ClickArea::clicked, this, &TQ_About::Closer_Click);
}

void TQ_About::Form_Load()
{
    centreOnScreen(this);
}

void TQ_About::Closer_Click()
{
    close();
}

// A dialog closes on Escape; this window binds no key to closing.
void TQ_About::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

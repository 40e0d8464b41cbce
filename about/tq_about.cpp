#include "tq_about.h"

#include "aboutart.h"
#include "clickarea.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <cmath>

namespace {
constexpr QSize ClientSize(282, 145);
constexpr QRect CloserPlace(0, 0, 281, 145);
constexpr QRect LogoPlace(8, 8, 120, 56);
constexpr QRect UpperRulePlace(8, 64, 265, 1);  // from (8, 64) to (272, 64)
constexpr QRect LowerRulePlace(8, 112, 265, 1); // from (8, 112) to (272, 112)
constexpr QRect MyNamePlace(8, 72, 161, 17);
constexpr QRect SitePlace(8, 88, 265, 17);
constexpr QRect FreewarePlace(8, 120, 265, 17);

QLabel *makeText(const QString &name, const QString &text, const QRect &place, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(place);
    return label;
}

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
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
              | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TQ_About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(Artwork::aboutIcon(devicePixelRatio())));
    // Qt would show the application's name in place of an empty title.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(ClientSize);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    buildControls();
    Form_Load();
}

// Controls are created from back to front, so Closer, created last, lies in front of all
// the others and takes the clicks on them. It leaves the rightmost pixel column free.
void TQ_About::buildControls()
{
    makeText(QStringLiteral("lblFREEWARE"), QStringLiteral("FREEWARE"), FreewarePlace, this);
    makeText(QStringLiteral("MyName"), QStringLiteral("Programmer: Tam Quillon"), MyNamePlace,
             this);
    makeRule(QStringLiteral("Line1(0)"), UpperRulePlace, this);
    makeText(QStringLiteral("lblSITE"), QStringLiteral("www.example.com/zubbo"), SitePlace, this);
    makeRule(QStringLiteral("Line1(1)"), LowerRulePlace, this);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("TQLogo"));
    logo->setPixmap(Artwork::logo(devicePixelRatio()));
    logo->setGeometry(LogoPlace);

    auto *closer = new ClickArea(QStringLiteral("Closer"), this);
    closer->setGeometry(CloserPlace);
    connect(closer, &ClickArea::clicked, this, &TQ_About::Closer_Click);
}

// Left and Top are halves of whole-pixel differences; the window lands on the whole pixel
// at or before them.
void TQ_About::Form_Load()
{
    const QRect screenArea = screen()->geometry();
    const QSize outer = frameGeometry().size();
    m_centredOuterSize = outer;
    const float left = (screenArea.width() - outer.width()) / 2.0f;
    const float top = (screenArea.height() - outer.height()) / 2.0f;
    move(screenArea.x() + static_cast<int>(std::floor(left)),
         screenArea.y() + static_cast<int>(std::floor(top)));
}

void TQ_About::Closer_Click()
{
    close();
}

// The frame is part of the outer size but becomes known only after loading: on showing, or
// on X11 with the move that follows the window manager's framing.
void TQ_About::centreAgainIfFrameChanged()
{
    if (frameGeometry().size() != m_centredOuterSize)
        Form_Load();
}

void TQ_About::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreAgainIfFrameChanged();
}

void TQ_About::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    centreAgainIfFrameChanged();
}

// A dialog closes on Escape; this window binds no key to closing.
void TQ_About::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

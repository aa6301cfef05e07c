#include "calabout.h"

#include "platform/accessibility.h"
#include "platform/window.h"

#include <QLabel>
#include <QPushButton>

using platform::place;

namespace {

constexpr int ClientWidthTwips = 4635;
constexpr int ClientHeightTwips = 3720;

void describeControls(CalAbout &box)
{
    using platform::describe;
    describe(&box, QStringLiteral("The program's name, version and authors"));
    describe(box.Label1, QStringLiteral("The program's name"));
    describe(box.Label2, QStringLiteral("Caption of the authors"));
    describe(box.Label3, QStringLiteral("Who wrote the program"));
    describe(box.Label4, QStringLiteral("The program's version"));
    describe(box.Label5, QStringLiteral("The years of the program"));
    describe(box.Command1, QStringLiteral("Closes the About box"));
}

} // namespace

CalAbout::CalAbout(QWidget *parent)
    : platform::Form(parent, QStringLiteral("About"), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalAbout"));
    setWindowIcon(platform::programIcon());
    createControls();
    Form_Load();
}

void CalAbout::createControls()
{
    Label1 = platform::makeLabel(this, "Label1", QStringLiteral("Dovrin"), Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(platform::arialFont(18, true));
    place(Label1, 120, 240, 4335, 495);
    Label2 = platform::makeLabel(this, "Label2", QStringLiteral("Written by :"), Qt::AlignLeft | Qt::AlignTop);
    place(Label2, 840, 960, 3615, 375);
    Label3 = platform::makeLabel(this, "Label3", QStringLiteral("Dovrin developers"), Qt::AlignHCenter | Qt::AlignTop);
    place(Label3, 105, 1470, 4335, 255);
    Command1 = new QPushButton(QStringLiteral("Exit"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    place(Command1, 735, 3000, 3105, 375);
    // The one button answers Enter wherever the focus is.
    Command1->setDefault(true);
    Label4 = platform::makeLabel(this, "Label4", QStringLiteral("Version " DOVRIN_VERSION), Qt::AlignHCenter | Qt::AlignTop);
    place(Label4, 120, 1875, 4335, 255);
    Label5 = platform::makeLabel(this, "Label5", QStringLiteral("2024-2026"), Qt::AlignHCenter | Qt::AlignTop);
    place(Label5, 120, 2280, 4335, 255);

    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &CalAbout::Command1_Click);
    describeControls(*this);
}

void CalAbout::Form_Load() { platform::centreOnScreen(this); }

void CalAbout::Command1_Click() { hide(); }

void CalAbout::reject() { Command1->click(); }

#include "app/coordinatemodedialog.h"

#include "data/dialogs.h"
#include "data/observationstore.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvanek {

CoordinateModeDialog::CoordinateModeDialog(ObservationStore &store, Dialogs &dialogs,
                                           QWidget *parent)
    : QDialog(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm11"));
    setWindowTitle(tr("Zadání souřadnic"));
    setFixedSize(278, 303);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *box = new QGroupBox(tr("Zadej souřadnice skupin"), this);
    box->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1 = new QButtonGroup(this);
    auto *boxLayout = new QVBoxLayout(box);
    const QString items[] = {tr("Polární souřadnice"), tr("Heliografické souřadnice")};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QRadioButton(items[i], box);
        button->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        RadioGroup1->addButton(button, i);
        boxLayout->addWidget(button);
    }

    auto *label = new QLabel(tr("Poloměr zákresu"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setText(QStringLiteral("125"));
    Button1 = new QPushButton(tr("Potvrdit"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &CoordinateModeDialog::Button1Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(label);
    layout->addWidget(Edit1);
    layout->addStretch();
    layout->addWidget(Button1);
}

void CoordinateModeDialog::Button1Click() {
    // The radius is taken over as typed (comma or point), but only a positive number counts.
    QString text = Edit1->text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double radius = text.toDouble(&ok);
    if (!ok || !(radius > 0) || radius > 65535 - 1000) {
        dialogs_.information(tr("Poloměr zákresu musí být kladné číslo v milimetrech"));
        Edit1->setFocus();
        return;
    }
    if (RadioGroup1->checkedId() < 0) {
        dialogs_.information(tr("Nebyl zvolen typ souřednic"));
        return;
    }
    store_.setDrawingSetup(radius, RadioGroup1->checkedId() == 1);
    confirmed_ = true;
    accept();
}

void CoordinateModeDialog::closeEvent(QCloseEvent *event) {
    if (confirmed_)
        event->accept();
    else
        event->ignore();
}

void CoordinateModeDialog::reject() {
    // Esc and the close box leave the choice open.
    if (confirmed_)
        QDialog::reject();
}

void askCoordinateMode(ObservationStore &store, Dialogs &dialogs, QWidget *parent) {
    CoordinateModeDialog dialog(store, dialogs, parent);
    dialog.exec();
}

} // namespace orvanek

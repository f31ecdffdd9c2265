#include "app/coordinatemodedialog.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "data/units.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

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
    kindGroup_ = new QButtonGroup(this);
    auto *boxLayout = new QVBoxLayout(box);
    const QString items[] = {tr("Polární souřadnice"), tr("Heliografické souřadnice")};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QRadioButton(items[i], box);
        button->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        kindGroup_->addButton(button, i);
        boxLayout->addWidget(button);
    }

    auto *label = new QLabel(tr("Poloměr zákresu"), this);
    radiusEdit_ = new QLineEdit(this);
    radiusEdit_->setObjectName(QStringLiteral("Edit1"));
    radiusEdit_->setText(QStringLiteral("125"));
    confirmButton_ = new QPushButton(tr("Potvrdit"), this);
    confirmButton_->setObjectName(QStringLiteral("Button1"));
    confirmButton_->setAutoDefault(false);
    connect(confirmButton_, &QPushButton::clicked, this, &CoordinateModeDialog::Button1Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(label);
    layout->addWidget(radiusEdit_);
    layout->addStretch();
    layout->addWidget(confirmButton_);
}

void CoordinateModeDialog::Button1Click() {
    // Record 1 keeps the radius in whole millimetres, and a value above 1000 there means
    // heliographic entry: only whole millimetres 1..999 come back as they were chosen after
    // the next start ("125,0" is 125).
    QString text = radiusEdit_->text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double radius = text.toDouble(&ok);
    constexpr double kLargestRadius = kHeliographicSetupOffset - 1;
    if (!ok || radius < 1 || radius > kLargestRadius || radius != std::floor(radius)) {
        dialogs_.information(
            tr("Poloměr zákresu musí být kladné celé číslo v milimetrech, nejvýše 999"));
        radiusEdit_->setFocus();
        return;
    }
    if (kindGroup_->checkedId() < 0) {
        dialogs_.information(tr("Nebyl zvolen typ souřednic"));
        return;
    }
    store_.setDrawingSetup(radius, kindGroup_->checkedId() == 1);
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

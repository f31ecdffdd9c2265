// The main window's language menu: "Nastavení › Jazyk", the choice kept in the settings and
// taken at the next start.
#include "app/mainwindow.h"

#include "data/dialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace orvanek {

void MainWindow::createLanguageMenu() {
    auto *nastaveni = new QMenu(tr("Na&stavení"), this);
    nastaveni->setObjectName(QStringLiteral("nastaveni"));
    QMenu *jazyk = nastaveni->addMenu(tr("&Jazyk"));
    jazyk->setObjectName(QStringLiteral("jazyk"));
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    // The languages by their own names, so that a user who cannot read the one shown finds his.
    const struct {
        const char *name;
        QString caption;
        LanguageChoice choice;
    } items[] = {
        {"cestina", QStringLiteral("Čeština"), LanguageChoice::Czech},
        {"anglictina", QStringLiteral("English"), LanguageChoice::English},
        {"podlesystemu", tr("Podle systému"), LanguageChoice::System},
    };
    for (const auto &item : items) {
        QAction *a = actions_.add(this, item.name, item.caption);
        a->setCheckable(true);
        a->setData(static_cast<int>(item.choice));
        group->addAction(a);
        jazyk->addAction(a);
        const LanguageChoice choice = item.choice;
        connect(a, &QAction::triggered, this, [this, choice] { jazykClick(choice); });
    }
    menuBar()->insertMenu(action(QStringLiteral("napove")), nastaveni);
    showLanguageChoice();
}

void MainWindow::setLanguages(Language running, Language system) {
    runningLanguage_ = running;
    systemLanguage_ = system;
    // The tool buttons' letters are Czech abbreviations its users know; in English a button
    // shows its picture alone, its hint saying what it does (words beside every picture would
    // not fit the tool bar at 800x600). The button keeps its word as its name.
    const Qt::ToolButtonStyle style =
        running == Language::Czech ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly;
    for (QToolButton *button : toolBar_->findChildren<QToolButton *>())
        if (!button->icon().isNull())
            button->setToolButtonStyle(style);
}

void MainWindow::showLanguageChoice() {
    const int stored = static_cast<int>(readLanguageChoice(settingsFile()));
    for (const char *name : {"cestina", "anglictina", "podlesystemu"})
        if (QAction *a = action(QLatin1String(name)); a->data().toInt() == stored)
            a->setChecked(true);
}

void MainWindow::jazykClick(LanguageChoice choice) {
    // A settings file that cannot be kept (a pipe in its place, no room) is said, not
    // promised for the next start.
    const auto failed = storeLanguageChoice(settingsFile(), choice);
    showLanguageChoice();
    if (failed) {
        dialogs_.information(*failed);
        return;
    }
    if (chosenLanguage(choice, systemLanguage_) != runningLanguage_)
        dialogs_.information(tr("Jazyk se změní při příštím spuštění programu."));
}

} // namespace orvanek

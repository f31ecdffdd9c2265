#include "app/startup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace orvanek {

namespace {

// The texts of the start, translated in the context "Startup".
struct StartupTexts {
    Q_DECLARE_TR_FUNCTIONS(Startup)
};

} // namespace

StartRequest readStartRequest(const QStringList &args, const QString &currentDir) {
    StartRequest request;
    bool version = false;
    bool help = false;
    for (const QString &word : args) {
        if (word == QLatin1String("--version"))
            version = true;
        else if (word == QLatin1String("--help") || word == QLatin1String("-h"))
            help = true;
        else if (word == QLatin1String("--startup-time"))
            request.measureStartup = true;
        else if (request.dataDir.isEmpty())
            request.dataDir = word;
    }
    if (version)
        request.action = StartRequest::Action::ShowVersion;
    else if (help)
        request.action = StartRequest::Action::ShowHelp;
    if (request.dataDir.isEmpty())
        request.dataDir = currentDir;
    return request;
}

QString programVersionLine() {
    return QStringLiteral("orvanek " ORVANEK_VERSION);
}

QString programUsage() {
    return StartupTexts::tr("použití: orvanek [ADRESÁŘ] | --version | --help\n"
                            "Otevře datový adresář ADRESÁŘ (výchozí: aktuální adresář).");
}

std::optional<QString> dataDirectoryProblem(const QString &dir) {
    const QFileInfo info(dir);
    if (!info.exists())
        return StartupTexts::tr("Adresář %1 neexistuje.").arg(dir);
    if (!info.isDir())
        return StartupTexts::tr("%1 není adresář.").arg(dir);
    return std::nullopt;
}

QIcon applicationIcon() {
    return QIcon(QStringLiteral(":/orvanek/orvanek.svg"));
}

namespace {

// Qt's Czech catalogue, but "Storno" for Cancel where it says "Zrušit": the word of the
// program's own panels and of the desktop programs Czech observers know; and the kinds of
// the file dialog's entries ("Složka") where the catalogue misses them.
class QtCzechTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override {
        if (qstrcmp(sourceText, "Cancel") == 0)
            return QStringLiteral("Storno");
        if (qstrcmp(sourceText, "&Cancel") == 0)
            return QStringLiteral("&Storno");
        // Qt 6 names a folder's kind ("Folder", "Drive") in a context the catalogue does not
        // have yet; the file dialog's own context holds the same words.
        if (qstrcmp(context, "QAbstractFileIconProvider") == 0)
            return QTranslator::translate("QFileDialog", sourceText, disambiguation, n);
        return QTranslator::translate(context, sourceText, disambiguation, n);
    }
};

} // namespace

QTranslator *installQtTranslation(QCoreApplication &app, Language language) {
    if (language != Language::Czech)
        return nullptr;
    auto *translator = new QtCzechTexts(&app);
    if (!translator->load(QStringLiteral("qtbase_cs"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace orvanek

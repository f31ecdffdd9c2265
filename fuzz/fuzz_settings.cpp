// The input is the settings file, orvanek.conf. It is read as the program reads it at start and
// written over as the language menu writes it, and the promises are checked: it reads as its
// text says, with no message (every input here is a regular file far under 1 MB); a choice
// added at its end under [General] wins; and the choice written over it reads back as written.

#include "fuzz/fuzzfiles.h"

#include "language/language.h"

#include <QByteArray>

#include <cstdint>

using namespace orvanek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString path = writeInputFile(QStringLiteral("orvanek.conf"), data, size);
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString problem;
    const LanguageChoice read = readLanguageChoice(path, &problem);
    FUZZ_CHECK(problem.isEmpty());
    FUZZ_CHECK(read == languageChoiceFromSettings(text));
    FUZZ_CHECK(languageChoiceFromSettings(text + "\n[General]\nlanguage=en\n") ==
               LanguageChoice::English);

    const auto other = static_cast<LanguageChoice>((static_cast<int>(read) + 1) % 3);
    FUZZ_CHECK(!storeLanguageChoice(path, other));
    FUZZ_CHECK(readLanguageChoice(path, &problem) == other && problem.isEmpty());
    return 0;
}

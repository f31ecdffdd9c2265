// The input is the text of a QR code found on a scan: any code on the paper, not only the
// program's own. What is taken as a sheet's code must be one the program could have
// printed: its text reads back as the same code, its radius within the sheets drawn, its
// moment a real one.

#include "fuzz/fuzzcheck.h"

#include "views/sheet/sheetcode.h"

#include <QString>

#include <cmath>
#include <cstdint>

using namespace orvanek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<SheetCode> code = parseSheetCode(text);
    if (!code)
        return 0;
    FUZZ_CHECK(code->radiusMm > 0 && code->radiusMm <= 999);
    FUZZ_CHECK(code->timeUT / 100 < 24 && code->timeUT % 100 < 60);
    FUZZ_CHECK(code->orientX * code->orientX == 1 && code->orientY * code->orientY == 1);
    FUZZ_CHECK(code->date.curMonth >= 1 && code->date.curMonth <= 12);
    FUZZ_CHECK(parseSheetCode(sheetCodeText(*code)) == code);
    return 0;
}

#include "views/sheet/sheetcode.h"

#include "data/dates.h"

#define ZX_USE_UTF8
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace orvanek {

namespace {

constexpr int kCodeFields = 7;
// zxing's scale 0..8: 4 is the QR code's level M, 15 % of the symbol may be lost (a pencil
// line across it), and the text still fits 29 x 29 modules (version 3 holds 42 bytes).
constexpr int kCodeEccLevel = 4;
// A year written with four digits reads the same whatever the pivot.
constexpr int kAnyPivotYear = 2000;

} // namespace

QString sheetCodeText(const SheetCode &code) {
    return QStringList{QString::fromLatin1(kSheetCodeTag), shortDate(code.date),
                       formatTimeUT(code.timeUT, u"hhnn"),
                       // the shortest text that reads back as the same radius
                       QString::number(code.radiusMm, 'g', QLocale::FloatingPointShortest),
                       code.orientX < 0 ? QStringLiteral("1") : QStringLiteral("0"),
                       code.orientY < 0 ? QStringLiteral("1") : QStringLiteral("0"),
                       paperName(code.paper)}
        .join(u';');
}

// The largest radius a sheet is drawn at: a code that says more is not one of ours (and
// would make a scan's millimetres vanishingly small).
constexpr double kLargestRadiusMm = 999;

std::optional<SheetCode> parseSheetCode(const QString &text) {
    const QStringList f = text.split(u';');
    if (f.size() != kCodeFields || f[0] != QLatin1String(kSheetCodeTag))
        return std::nullopt;
    SheetCode code;
    const auto date = f[1].size() == 10 ? parseDate(f[1], kAnyPivotYear) : std::nullopt;
    const auto time = parseSheetTime(f[2]);
    bool radiusRead = false;
    code.radiusMm = f[3].toDouble(&radiusRead);
    const auto paper = paperFromName(f[6]);
    const auto flag = [](const QString &t) { return t == u'0' || t == u'1'; };
    if (!date || !time || !radiusRead || !(code.radiusMm > 0) || code.radiusMm > kLargestRadiusMm ||
        !flag(f[4]) || !flag(f[5]) || !paper)
        return std::nullopt;
    code.date = *date;
    code.timeUT = *time;
    code.orientX = f[4] == u'1' ? -1 : 1;
    code.orientY = f[5] == u'1' ? -1 : 1;
    code.paper = *paper;
    return code;
}

SheetCodeSymbol sheetCodeSymbol(const QString &text) {
    // One pixel per module and no margin: the painter scales and keeps the quiet zone.
    const ZXing::BitMatrix matrix = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                                        .setMargin(0)
                                        .setEccLevel(kCodeEccLevel)
                                        .encode(text.toStdString(), 1, 1);
    SheetCodeSymbol symbol;
    symbol.size = matrix.width();
    symbol.dark.resize(static_cast<size_t>(symbol.size * symbol.size));
    for (int y = 0; y < symbol.size; ++y)
        for (int x = 0; x < symbol.size; ++x)
            symbol.dark[static_cast<size_t>(y * symbol.size + x)] = matrix.get(x, y) ? 1 : 0;
    return symbol;
}

SheetMarks sheetMarks(double radiusMm, int codeModules) {
    const double half = radiusMm + kSheetRingMm; // the square round the disk and its scale
    const double side = codeModules * kCodeModuleMm;
    const double quiet = kCodeQuietModules * kCodeModuleMm;
    // The code stands in the lower-left corner of the square; on a small disk the corner is
    // too near the scale, and the code moves out to the left until its quiet zone keeps out
    // of the ring of the ticks, numbers and letters.
    const double below = half - side - quiet; // the quiet zone's inner corner below the centre
    const double clearance = half;
    const double across =
        below >= clearance
            ? 0.0
            : std::sqrt(clearance * clearance - std::max(below, 0.0) * std::max(below, 0.0));
    const double shift = std::max(0.0, -half + side + quiet + across);
    SheetMarks marks;
    marks.code = QRectF(-half - shift, half - side, side, side);
    const double f = half - kFiducialInsetMm;
    marks.fiducials = {QPointF(-f, -f), QPointF(f, -f), QPointF(f, f)};
    return marks;
}

} // namespace orvanek

#include "reports/certificatelayout.h"

#include "data/numberformat.h"

#include <QCoreApplication>

#include <algorithm>

namespace orvanek {

namespace {

// Font heights, certificate units.
constexpr int kLabelFont = 13;
constexpr int kValueFont = 17;
constexpr int kTitleFont = 25;

// Rows of the table: day d lies at kFirstRowY + kRowHeight * d; the headings at kFirstRowY.
constexpr int kFirstRowY = 270;
constexpr int kRowHeight = 16;
constexpr int kSumsY = 782;
constexpr int kMeansY = 798;

// The grid: vertical lines from kGridTop to kCertificateBottom, kGridRows horizontal lines
// from kGridLeft to kGridRight below kGridOrigin.
constexpr int kGridTop = 266;
constexpr int kGridLeft = 60;
constexpr int kGridRight = 710;
constexpr int kGridOrigin = 250;
constexpr int kGridRows = 35;
// A column's vertical line lies this far left of its heading.
constexpr int kHeadingToLine = 10;

constexpr int kDateX = 60;
constexpr int kTimeX = 160;
constexpr int kObserverX = 605;
constexpr int kObservingDaysX = 610;

struct Placed {
    const char *text;
    int x;
    int y;
};

// The certificate is a form for the networks abroad: its labels are English in the Czech
// program too, and go through the translations like every text (the English catalogue keeps
// them and mends the two Czech headings).
// clang-format off
constexpr Placed kHeaderLabels[] = {
    {QT_TRANSLATE_NOOP("Certificate", "Station:"), 60, 50},
    {QT_TRANSLATE_NOOP("Certificate", "Instrument:"), 60, 160},
    {QT_TRANSLATE_NOOP("Certificate", "Lens:"), 250, 160},
    {QT_TRANSLATE_NOOP("Certificate", "Focus lens:"), 380, 160},
    {QT_TRANSLATE_NOOP("Certificate", "Eyepiece:"), 550, 160},
    {QT_TRANSLATE_NOOP("Certificate", "Method:"), 60, 220},
    {QT_TRANSLATE_NOOP("Certificate", "Magnification:"), 500, 220},
};

constexpr Placed kTitle = {QT_TRANSLATE_NOOP("Certificate", "CERTIFICATE  OF  DRAWING  SUN  SPOTS"),
                           140, 100};

constexpr Placed kHeadings[] = {
    {QT_TRANSLATE_NOOP("Certificate", "DATUM"), 70, kFirstRowY},
    {"   UT", 150, kFirstRowY},
    {"  g", 210, kFirstRowY},
    {"   f", 260, kFirstRowY},
    {"   r", 310, kFirstRowY},
    {QT_TRANSLATE_NOOP("Certificate", " North"), 360, kFirstRowY},
    {QT_TRANSLATE_NOOP("Certificate", " South"), 410, kFirstRowY},
    {QT_TRANSLATE_NOOP("Certificate", " Center"), 460, kFirstRowY},
    {"   F", 510, kFirstRowY},
    {"    Q", 560, kFirstRowY},
    {QT_TRANSLATE_NOOP("Certificate", "Autor"), 610, kFirstRowY},
};
// clang-format on

// The texts of the certificate, translated in the context "Certificate".
struct CertificateTexts {
    Q_DECLARE_TR_FUNCTIONS(Certificate)
};

// x of each summed value in a day row, and in the sums and means rows (those run further
// left from R on, under the column headings).
constexpr int kRowValueX[CertificateValueCount] = {220, 270, 320, 370, 420, 470, 520, 570};
constexpr int kTotalsValueX[CertificateValueCount] = {220, 270, 310, 360, 410, 460, 510, 560};

QString rightAligned(long long value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char(' '));
}

} // namespace

int certificatePrintScale(int pageWidthPx) {
    return std::max(1, pageWidthPx / kCertificateWidth);
}

QString certificateDateText(int day, int month, int year) {
    return rightAligned(day, 4) + rightAligned(month, 4) + rightAligned(year, 6);
}

QString certificateTimeText(uint16_t timeUT) {
    return rightAligned(timeUT / 100, 3) + QLatin1Char(':') + rightAligned(timeUT % 100, 3);
}

QString certificateMeanText(double value) {
    return formatNumber(value, "0.00").rightJustified(6, QLatin1Char(' '));
}

QString certificateMagnificationText(const std::optional<int> &magnification) {
    if (!magnification)
        return QStringLiteral("-").rightJustified(5, QLatin1Char(' '));
    return rightAligned(*magnification, 5) + QStringLiteral(" x");
}

CertificateLayout certificateLayout(const CertificateModel &model) {
    CertificateLayout layout;
    if (model.needsInstrument)
        return layout;
    auto &texts = layout.texts;
    auto place = [&texts](int x, int y, const QString &text, int font, bool bold) {
        texts.push_back({QPoint(x, y), text, font, bold});
    };

    for (const Placed &label : kHeaderLabels)
        place(label.x, label.y, CertificateTexts::tr(label.text), kLabelFont, false);

    const CertificateHeader &h = model.header;
    const QString mm = QStringLiteral("  mm");
    const struct {
        int x;
        int y;
        QString text;
    } headerValues[] = {
        {120, 48, h.station},
        {120, 158, h.instrument},
        {280, 158, h.aperture + mm},
        {440, 158, h.objectiveFocus + mm},
        {600, 158, h.eyepiece + mm},
        {110, 218, CertificateTexts::tr("Projection drawing")},
        {580, 218, certificateMagnificationText(h.magnification)},
    };
    for (const auto &value : headerValues)
        place(value.x, value.y, value.text, kValueFont, true);

    place(kTitle.x, kTitle.y, CertificateTexts::tr(kTitle.text), kTitleFont, true);

    for (const CertificateDay &day : model.days) {
        const int y = kFirstRowY + kRowHeight * day.day;
        place(kDateX, y, certificateDateText(day.day, model.month.month, model.month.year),
              kLabelFont, false);
        if (!day.observed())
            continue;
        place(kTimeX, y, certificateTimeText(day.timeUT), kLabelFont, false);
        for (int v = 0; v < CertificateValueCount; ++v)
            place(kRowValueX[v], y, QString::number(day.values[v]), kLabelFont, false);
        place(kObserverX, y, day.observer, kLabelFont, false);
    }

    for (int v = 0; v < CertificateValueCount; ++v) {
        place(kTotalsValueX[v], kSumsY, QString::number(model.sums[v]), kLabelFont, false);
        place(kTotalsValueX[v], kMeansY, certificateMeanText(model.means[v]), kLabelFont, false);
    }
    place(kObservingDaysX, kSumsY, QString::number(model.observingDays), kLabelFont, false);
    place(kObservingDaysX, kMeansY, certificateMeanText(model.observedShare) + QLatin1Char('%'),
          kLabelFont, false);

    for (const Placed &heading : kHeadings) {
        place(heading.x, heading.y, CertificateTexts::tr(heading.text), kLabelFont, true);
        const int x = heading.x - kHeadingToLine;
        layout.gridLines.emplace_back(x, kGridTop, x, kCertificateBottom);
    }
    layout.gridLines.emplace_back(kGridRight, kGridTop, kGridRight, kCertificateBottom);
    for (int k = 1; k <= kGridRows; ++k) {
        const int y = kGridOrigin + kRowHeight * k;
        layout.gridLines.emplace_back(kGridLeft, y, kGridRight, y);
    }
    return layout;
}

} // namespace orvanek

#include "reports/certificatelayout.h"

#include "data/numberformat.h"
#include "reports/reporttext.h"

#include <QFontMetricsF>

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

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

// Room kept between a label and its value, and between a text and a grid line.
constexpr int kTextGap = 4;
constexpr int kCellPadding = 2;
// A text that is no number shrinks to this share of its height at most before it is cut.
constexpr double kSmallestShare = 0.7;
// Wide fonts measured for paper: outline widths at this many times the height.
constexpr int kOutlineScale = 64;

struct Placed {
    const char *text;
    int x;
    int y;
    int right; // where the text's room ends: its value, the next label, the grid's edge
};

// The certificate is a form for the networks abroad: its labels are English in the Czech
// program too, and go through the translations like every text (the English catalogue keeps
// them and mends the two Czech headings).
// clang-format off
constexpr Placed kHeaderLabels[] = {
    {QT_TRANSLATE_NOOP("Certificate", "Station:"), 60, 50, 120 - kTextGap},
    {QT_TRANSLATE_NOOP("Certificate", "Instrument:"), 60, 160, 120 - kTextGap},
    {QT_TRANSLATE_NOOP("Certificate", "Lens:"), 250, 160, 280 - kTextGap},
    {QT_TRANSLATE_NOOP("Certificate", "Focus lens:"), 380, 160, 440 - kTextGap},
    {QT_TRANSLATE_NOOP("Certificate", "Eyepiece:"), 550, 160, 600 - kTextGap},
    {QT_TRANSLATE_NOOP("Certificate", "Method:"), 60, 220, 110 - kTextGap},
    {QT_TRANSLATE_NOOP("Certificate", "Magnification:"), 500, 220, 580 - kTextGap},
};

constexpr Placed kTitle = {QT_TRANSLATE_NOOP("Certificate", "CERTIFICATE  OF  DRAWING  SUN  SPOTS"),
                           140, 100, kGridRight};

constexpr Placed kHeadings[] = {
    {QT_TRANSLATE_NOOP("Certificate", "DATUM"), 70, kFirstRowY, 0},
    {"   UT", 150, kFirstRowY, 0},
    {"  g", 210, kFirstRowY, 0},
    {"   f", 260, kFirstRowY, 0},
    {"   r", 310, kFirstRowY, 0},
    {QT_TRANSLATE_NOOP("Certificate", " North"), 360, kFirstRowY, 0},
    {QT_TRANSLATE_NOOP("Certificate", " South"), 410, kFirstRowY, 0},
    {QT_TRANSLATE_NOOP("Certificate", " Center"), 460, kFirstRowY, 0},
    {"   F", 510, kFirstRowY, 0},
    {"    Q", 560, kFirstRowY, 0},
    {QT_TRANSLATE_NOOP("Certificate", "Autor"), 610, kFirstRowY, 0},
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

// The room of a text: from `left` to `right`, certificate units.
struct Room {
    int left;
    int right;
};

// The cell of the table that holds x: between the grid lines on either side, padded.
Room cellRoom(int x) {
    int left = kGridLeft;
    int right = kGridRight;
    for (const Placed &heading : kHeadings) {
        const int line = heading.x - kHeadingToLine;
        if (line <= x)
            left = line;
        else
            right = std::min(right, line);
    }
    return {left + kCellPadding, right - kCellPadding};
}

// Places texts into their rooms with one way of measuring them.
class Fitter {
  public:
    Fitter(std::vector<PlacedText> &texts, const CertificateTextWidth &width)
        : texts_(texts), width_(width) {}

    // A number or a heading: at its place when it fits, else moved left within its room,
    // and only when the room is narrower than the text made smaller.
    void number(QPoint place, const QString &text, int font, bool bold, Room room) {
        PlacedText t{place, text, font, bold, place};
        double w = width_(text, font, bold);
        if (place.x() + w > room.right) {
            const int roomWidth = room.right - room.left;
            while (t.fontHeight > 1 && w > roomWidth)
                w = width_(text, --t.fontHeight, bold);
            t.pos.setX(std::max(room.left, room.right - static_cast<int>(std::ceil(w))));
        }
        texts_.push_back(t);
    }

    // Any other text: at its place, made smaller when it does not fit, down to seven tenths
    // of its height, and then cut with "…" to what fits.
    void text(QPoint place, const QString &text, int font, bool bold, int right) {
        PlacedText t{place, text, font, bold, place};
        const int room = right - place.x();
        const int smallest = static_cast<int>(std::ceil(font * kSmallestShare));
        double w = width_(text, font, bold);
        while (w > room && t.fontHeight > smallest)
            w = width_(text, --t.fontHeight, bold);
        if (w > room) {
            const QString ellipsis(QChar(0x2026));
            qsizetype n = text.size();
            while (n > 0 && width_(text.left(n) + ellipsis, t.fontHeight, bold) > room)
                --n;
            t.text = text.left(n) + ellipsis;
        }
        texts_.push_back(t);
    }

    // The largest height, `font` at most and not under seven tenths of it, at which each of
    // the texts fits its room: labels that stand together share one size.
    int sharedHeight(const std::vector<std::pair<QString, int>> &textsAndRooms, int font,
                     bool bold) const {
        const int smallest = static_cast<int>(std::ceil(font * kSmallestShare));
        int height = font;
        for (const auto &[text, room] : textsAndRooms)
            while (height > smallest && width_(text, height, bold) > room)
                --height;
        return height;
    }

  private:
    std::vector<PlacedText> &texts_;
    const CertificateTextWidth &width_;
};

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

double certificateTextWidth(const QString &text, int fontHeight, bool bold) {
    const double screen = QFontMetricsF(reportFont(fontHeight, bold)).horizontalAdvance(text);
    const double paper =
        QFontMetricsF(reportFont(fontHeight * kOutlineScale, bold)).horizontalAdvance(text) /
        kOutlineScale;
    return std::max(screen, paper);
}

CertificateLayout certificateLayout(const CertificateModel &model,
                                    const CertificateTextWidth &width) {
    CertificateLayout layout;
    if (model.needsInstrument)
        return layout;
    Fitter fit(layout.texts, width);

    const CertificateHeader &h = model.header;
    const QString mm = QStringLiteral("  mm");
    struct HeaderValue {
        int x;
        int y;
        QString text;
        int right; // the next label, or the grid's right edge
    };
    // One value to each label of kHeaderLabels, in its order.
    HeaderValue headerValues[] = {
        {120, 48, h.station, kGridRight},
        {120, 158, h.instrument, 250 - kTextGap},
        {280, 158, h.aperture + mm, 380 - kTextGap},
        {440, 158, h.objectiveFocus + mm, 550 - kTextGap},
        {600, 158, h.eyepiece + mm, kGridRight},
        {110, 218, CertificateTexts::tr("Projection drawing"), 500 - kTextGap},
        {580, 218, certificateMagnificationText(h.magnification), kGridRight},
    };
    static_assert(std::size(headerValues) == std::size(kHeaderLabels));

    // The header's labels in one size, the largest at which all of them fit. A label that does
    // not fit the form's place for it even at the smallest size ("Focal length:" in English)
    // takes what its value leaves of the room and moves the value right.
    std::vector<std::pair<QString, int>> labels;
    for (size_t i = 0; i < std::size(kHeaderLabels); ++i) {
        const Placed &label = kHeaderLabels[i];
        const HeaderValue &value = headerValues[i];
        const QString text = CertificateTexts::tr(label.text);
        const int formRoom = label.right - label.x;
        const int smallest = static_cast<int>(std::ceil(kLabelFont * kSmallestShare));
        const int valueWidth = static_cast<int>(std::ceil(width(value.text, kValueFont, true)));
        labels.emplace_back(
            text, width(text, smallest, false) <= formRoom
                      ? formRoom
                      : std::max(formRoom, value.right - valueWidth - kTextGap - label.x));
    }
    const int labelFont = fit.sharedHeight(labels, kLabelFont, false);
    for (size_t i = 0; i < std::size(kHeaderLabels); ++i) {
        const Placed &label = kHeaderLabels[i];
        const auto &[text, room] = labels[i];
        fit.text(QPoint(label.x, label.y), text, labelFont, false, label.x + room);
        const int end = label.x + static_cast<int>(std::ceil(width(text, labelFont, false)));
        headerValues[i].x = std::max(headerValues[i].x, end + kTextGap);
    }
    for (const HeaderValue &value : headerValues)
        fit.text(QPoint(value.x, value.y), value.text, kValueFont, true, value.right);

    fit.text(QPoint(kTitle.x, kTitle.y), CertificateTexts::tr(kTitle.text), kTitleFont, true,
             kTitle.right);

    const auto number = [&fit](int x, int y, const QString &text) {
        fit.number(QPoint(x, y), text, kLabelFont, false, cellRoom(x));
    };
    for (const CertificateDay &day : model.days) {
        const int y = kFirstRowY + kRowHeight * day.day;
        number(kDateX, y, certificateDateText(day.day, model.month.month, model.month.year));
        if (!day.observed())
            continue;
        number(kTimeX, y, certificateTimeText(day.timeUT));
        for (int v = 0; v < CertificateValueCount; ++v)
            number(kRowValueX[v], y, QString::number(day.values[v]));
        fit.text(QPoint(kObserverX, y), day.observer, kLabelFont, false,
                 cellRoom(kObserverX).right);
    }

    for (int v = 0; v < CertificateValueCount; ++v) {
        number(kTotalsValueX[v], kSumsY, QString::number(model.sums[v]));
        number(kTotalsValueX[v], kMeansY, certificateMeanText(model.means[v]));
    }
    number(kObservingDaysX, kSumsY, QString::number(model.observingDays));
    number(kObservingDaysX, kMeansY, certificateMeanText(model.observedShare) + QLatin1Char('%'));

    for (const Placed &heading : kHeadings) {
        fit.number(QPoint(heading.x, heading.y), CertificateTexts::tr(heading.text), kLabelFont,
                   true, cellRoom(heading.x));
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

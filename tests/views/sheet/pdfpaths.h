#pragma once

// Reads back what a PDF page draws: the page size and the bounds of every painted path, in
// points, with the transformations of the page applied. Enough for the files Qt's PDF
// writer makes (one content stream per page, compressed with zlib).

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace orvanek::testing {

struct PdfPath {
    QRectF bounds; // points, PDF orientation (y up)
    int curves = 0;
    int lines = 0;
};

struct PdfPage {
    QSizeF size; // the media box, points
    std::vector<PdfPath> paths;
};

inline QByteArray pdfStreamOf(const QByteArray &file, int object) {
    const qsizetype start = file.indexOf(QByteArray("\n") + QByteArray::number(object) + " 0 obj");
    const qsizetype stream = file.indexOf("stream\n", start);
    const qsizetype end = file.indexOf("endstream", stream);
    if (start < 0 || stream < 0 || end < 0)
        return {};
    const QByteArray data = file.mid(stream + 7, end - stream - 7);
    // qUncompress wants the expected length in front, big-endian.
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(data.size() * 64 + 4096), sized.data());
    return qUncompress(sized + data);
}

inline PdfPage readPdfPage(const QString &path) {
    PdfPage page;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return page;
    const QByteArray file = f.readAll();
    const auto box = QRegularExpression(R"(/MediaBox \[([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+)\])")
                         .match(QString::fromLatin1(file));
    if (box.hasMatch())
        page.size = {box.captured(3).toDouble() - box.captured(1).toDouble(),
                     box.captured(4).toDouble() - box.captured(2).toDouble()};
    const auto contents =
        QRegularExpression(R"(/Contents (\d+) 0 R)").match(QString::fromLatin1(file));
    if (!contents.hasMatch())
        return page;
    const QByteArray stream = pdfStreamOf(file, contents.captured(1).toInt());

    std::vector<QTransform> stack;
    QTransform ctm;
    std::vector<double> operands;
    PdfPath current;
    std::vector<QPointF> points;
    const auto add = [&](double x, double y) { points.push_back(ctm.map(QPointF(x, y))); };
    for (const QByteArray &token : stream.simplified().split(' ')) {
        bool isNumber = false;
        const double value = token.toDouble(&isNumber);
        if (isNumber) {
            operands.push_back(value);
            continue;
        }
        const auto arg = [&](size_t i) { return operands[operands.size() - 6 + i]; };
        if (token == "q") {
            stack.push_back(ctm);
        } else if (token == "Q" && !stack.empty()) {
            ctm = stack.back();
            stack.pop_back();
        } else if (token == "cm" && operands.size() >= 6) {
            ctm = QTransform(arg(0), arg(1), arg(2), arg(3), arg(4), arg(5)) * ctm;
        } else if ((token == "m" || token == "l") && operands.size() >= 2) {
            add(operands[operands.size() - 2], operands.back());
            current.lines += token == "l";
        } else if (token == "c" && operands.size() >= 6) {
            for (size_t i = 0; i < 6; i += 2)
                add(arg(i), arg(i + 1));
            ++current.curves;
        } else if (token == "re" && operands.size() >= 4) {
            const size_t n = operands.size();
            add(operands[n - 4], operands[n - 3]);
            add(operands[n - 4] + operands[n - 2], operands[n - 3] + operands[n - 1]);
            current.lines += 4;
        } else if (token == "S" || token == "s" || token == "f" || token == "F" || token == "f*" ||
                   token == "B" || token == "B*" || token == "b" || token == "b*" || token == "n") {
            if (!points.empty()) {
                double left = points.front().x(), right = left;
                double bottom = points.front().y(), top = bottom;
                for (const QPointF &p : points) {
                    left = std::min(left, p.x());
                    right = std::max(right, p.x());
                    bottom = std::min(bottom, p.y());
                    top = std::max(top, p.y());
                }
                current.bounds = QRectF(left, bottom, right - left, top - bottom);
                page.paths.push_back(current);
            }
            points.clear();
            current = PdfPath();
        }
        operands.clear();
    }
    return page;
}

// A word of a PDF page as `pdftotext -bbox` (poppler) finds it: its text and its box in
// points from the page's top-left corner, y down.
struct PdfWord {
    QString text;
    QRectF box;
};

// The words of the first page; empty when pdftotext is missing or fails.
inline std::vector<PdfWord> readPdfWords(const QString &path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                     QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    std::vector<PdfWord> words;
    static const QRegularExpression word(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.push_back({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

inline double pointsToMm(double points) {
    return points * 25.4 / 72;
}

} // namespace orvanek::testing

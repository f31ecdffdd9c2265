#include "viewtesthelpers.h"

#include "data/dates.h"

#include <QDate>

#include <cmath>
#include <vector>

namespace orvanek::testing {

SunspotGroup &addGroup(ObservationRecord &record, int angle, int distance, int area) {
    ++record.groupCount;
    SunspotGroup &g = record.group(record.groupCount);
    writeText(g.type, QStringLiteral("Dkc"));
    g.angle = static_cast<uint16_t>(angle);
    g.distance = static_cast<uint16_t>(distance);
    g.area = static_cast<uint16_t>(area);
    g.spotCount = 3;
    g.globalGroupNumber = static_cast<uint16_t>(100 + record.groupCount);
    g.rotationGroupNumber = static_cast<uint16_t>(record.groupCount);
    return g;
}

int addFaculaField(ObservationRecord &record, std::initializer_list<uint16_t> vertices) {
    ++record.faculaFieldCount;
    FaculaField &f = record.facula(record.faculaFieldCount);
    int k = 0;
    for (uint16_t v : vertices)
        f.vertices[k++] = v;
    return record.faculaFieldCount;
}

Moment momentWithL0(double L0) {
    for (QDate day(2001, 1, 1); day.year() == 2001; day = day.addDays(1)) {
        for (int hour = 0; hour < 24; ++hour) {
            const auto time = static_cast<uint16_t>(hour * 100);
            const Ephemeris e = solarEphemeris(toCalendarDate(day), time);
            if (std::abs(e.L0 - L0) < 0.3)
                return {shortDate(toCalendarDate(day)), time, e};
        }
    }
    return {};
}

QColor pixelAt(const QImage &image, QPoint point) {
    return QColor(image.pixel(point));
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QColor)> &accept) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += accept(QColor(image.pixel(x, y))) ? 1 : 0;
    return n;
}

bool isDark(QColor c) {
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

bool isBluish(QColor c) {
    return c.blue() > 180 && c.red() < 120 && c.green() < 120;
}

std::vector<TestFactory> &factories() {
    static std::vector<TestFactory> list;
    return list;
}

int registerTest(TestFactory factory) {
    factories().push_back(factory);
    return static_cast<int>(factories().size());
}

} // namespace orvanek::testing

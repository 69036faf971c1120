#include "tests/app/convert/PostProcessSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace converttest {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Rounded4(double value) {
    return std::round(value * 1e4) / 1e4;
}

int Decimals(const std::string& number) {
    const size_t dot = number.find('.');
    return dot == std::string::npos ? 0 : static_cast<int>(number.size() - dot - 1);
}

}  // namespace

Shift ControlFileShift() {
    // ctrl.cot: known 3347936.3 532083.55 35.0, raw height 36.5.
    const ReferencePoint raw = Find(ReferenceBlock(0), "K1");
    return Shift{3347936.3 - Rounded4(raw.north), 532083.55 - Rounded4(raw.east), 35.0 - 36.5};
}

Expectation::Expectation(const CoordSysParams& job, const Shift& shift, bool corrections)
    : m_job(job),
      m_shift(shift),
      m_bCorrections(corrections),
      m_points(ReferenceBlock(job.nSevenPar ? 1 : 0)) {}

GridValue Expectation::Point(const std::string& name) const {
    const ReferencePoint& p = Find(m_points, name);
    GridValue g{p.north, p.east, p.gridHeight};
    if (m_job.nDifang && m_job.szdCk1 != 0.0) {
        const double c = std::cos(m_job.szdCa1);
        const double s = std::sin(m_job.szdCa1);
        const double k = m_job.szdCk1;
        g = GridValue{m_job.szdCx1 + k * (g.x * c - g.y * s),
                      m_job.szdCy1 + k * (g.y * c + g.x * s), g.h};
    }
    g.x += m_shift.dx;
    g.y += m_shift.dy;
    g.h += m_shift.dh;
    if (m_bCorrections) {
        g.x += m_job.szdCorrectionX;
        g.y += m_job.szdCorrectionY;
        g.h += m_job.szdCorrectionH;
    }
    if (m_job.nNiheMode == 1) {
        const double dx = g.x - m_job.szdNiheX0;
        const double dy = g.y - m_job.szdNiheY0;
        g.h -= m_job.szdNiheA0 + m_job.szdNiheA1 * dx + m_job.szdNiheA2 * dy +
               m_job.szdNiheA3 * dx * dx + m_job.szdNiheA4 * dy * dy + m_job.szdNiheA5 * dx * dy;
    }
    return g;
}

GridValue Expectation::Plain(const std::string& name, double antenna) const {
    GridValue g = Point(name);
    g.h -= antenna;
    return g;
}

GridValue Expectation::Offset(const std::string& name, double distance, double azimuth, double dh,
                              double antenna) const {
    GridValue g = Plain(name, antenna);
    g.x += std::cos(azimuth * kPi / 180.0) * distance;
    g.y += std::sin(azimuth * kPi / 180.0) * distance;
    g.h += dh;
    return g;
}

GridValue Expectation::Toward(const std::string& name, double distance, double refNorth,
                              double refEast, double angle, double dh, double antenna) const {
    const GridValue g = Point(name);
    const double towards = std::atan2(refEast - g.y, refNorth - g.x) * 180.0 / kPi;
    return Offset(name, distance, towards + angle, dh, antenna);
}

GridValue Expectation::Mean(const std::string& first, const std::string& second,
                            double antenna) const {
    const GridValue a = Point(first);
    const GridValue b = Point(second);
    return GridValue{(a.x + b.x) / 2, (a.y + b.y) / 2, (a.h + b.h) / 2 - antenna};
}

std::vector<std::vector<std::string>> ResultLines(const std::string& bytes) {
    std::vector<std::vector<std::string>> lines;
    size_t start = 0;
    while (true) {
        const size_t end = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
        std::vector<std::string> fields;
        size_t from = 0;
        while (true) {
            const size_t comma = line.find(',', from);
            fields.push_back(line.substr(from, comma == std::string::npos ? comma : comma - from));
            if (comma == std::string::npos) break;
            from = comma + 1;
        }
        lines.push_back(fields);
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

void ExpectLine(const std::vector<std::string>& fields, const std::string& name,
                const GridValue& expected, const std::string& copied, int decimals) {
    ASSERT_GE(fields.size(), 4u) << name;
    EXPECT_EQ(fields[0], name);
    EXPECT_NEAR(std::stod(fields[1]), expected.x, 1e-3) << name << " north";
    EXPECT_NEAR(std::stod(fields[2]), expected.y, 1e-3) << name << " east";
    EXPECT_NEAR(std::stod(fields[3]), expected.h, 1e-3) << name << " height";
    EXPECT_EQ(Decimals(fields[1]), decimals) << fields[1];
    EXPECT_EQ(Decimals(fields[2]), decimals) << fields[2];
    EXPECT_EQ(Decimals(fields[3]), 3) << fields[3];
    std::string tail;
    for (size_t i = 4; i < fields.size(); ++i) tail += (i > 4 ? "," : "") + fields[i];
    EXPECT_EQ(tail, copied) << name;
}

}  // namespace converttest

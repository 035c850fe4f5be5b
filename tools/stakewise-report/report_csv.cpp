#include "report_csv.hpp"

#include "report_numbers.hpp"

namespace {

void WritePosition(const PointRecord& point, TextOutput& out) {
    out << ',' << NumberText::Metres(point.x).View() << ',' << NumberText::Metres(point.y).View()
        << ',' << NumberText::Metres(point.z).View();
}

}  // namespace

void WriteCsvReport(const StakeoutReport& report, TextOutput& out) {
    out << "number,design x,design y,design z,staked x,staked y,staked z,dx mm,dy mm,dz mm,"
           "dh mm,verdict\r\n";
    for (std::size_t i = 0; i < report.deviations.size(); ++i) {
        const PointPair& pair = report.pairing.pairs[i];
        const PointRecord& design = report.design.points[pair.design].point;
        const Deviation& deviation = report.deviations[i];
        out << NumberText::Integer(design.number).View();
        WritePosition(design, out);
        WritePosition(report.staked.points[pair.staked].point, out);
        for (const double value : {deviation.dx, deviation.dy, deviation.dz, deviation.horizontal})
            out << ',' << NumberText::Millimetres(value).View();
        out << ',' << VerdictText(Judge(deviation, report.tolerance)) << "\r\n";
    }
}

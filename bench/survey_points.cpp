// Writes the input files of the bulk benchmark, as a survey of N points would give them:
//   survey_points points N FILE   a points file: measured and design points, numbered upwards
//                                 with gaps and some duplicates; most coordinates on a site near
//                                 the origin (metres, three decimals), a fifth in the national
//                                 grid around 155000 / 463000
//   survey_points update N FILE   the file that comes back from site for that plan: half of the
//                                 points moved (measured numbers), and N/10 new numbers
//   survey_points clicks N FILE   N clicks X,Y for the insert command
//   survey_points staked N FILE   an export after staking out: N design points, each staked
//                                 a few millimetres off (some beyond 10 mm), for the report
// The same N always gives the same files.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

struct SurveyPoint {
    long number;
    double x;
    double y;
    double z;
    bool measured;
};

class Survey {
public:
    explicit Survey(long count) : random_(std::uint64_t(count) * 7919u + 17u) {}

    SurveyPoint Next() {
        number_ += Chance(0.05) ? Uniform(2, 6) : 1;               // gaps in the numbering
        const long number = Chance(0.01) ? number_ - 1 : number_;  // a point measured twice
        const bool national = Chance(0.2);
        const double x = national ? Metres(150000.0, 160000.0) : Metres(-400.0, 400.0);
        const double y = national ? Metres(458000.0, 468000.0) : Metres(-400.0, 400.0);
        return {number, x, y, Metres(-3.0, 12.0), Chance(0.6)};
    }

    SurveyPoint Moved(const SurveyPoint& point) {
        return {point.number, point.x + Metres(-0.05, 0.05), point.y + Metres(-0.05, 0.05),
                point.z + Metres(-0.02, 0.02), true};
    }

    SurveyPoint Staked(const SurveyPoint& point) {
        return {point.number, point.x + Metres(-0.012, 0.012), point.y + Metres(-0.012, 0.012),
                point.z + Metres(-0.012, 0.012), true};
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p; }
    long Uniform(long low, long high) {
        return std::uniform_int_distribution<long>(low, high)(random_);
    }
    long LastNumber() const { return number_; }

private:
    // A coordinate as a site file holds it: whole millimetres.
    double Metres(double low, double high) {
        const double value = std::uniform_real_distribution<double>(low, high)(random_);
        return double(std::llround(value * 1000.0)) / 1000.0;
    }

    std::mt19937_64 random_;
    long number_ = 1000;
};

std::vector<SurveyPoint> MakeSurvey(long count, Survey& survey) {
    std::vector<SurveyPoint> points;
    points.reserve(std::size_t(count));
    for (long i = 0; i < count; ++i) points.push_back(survey.Next());
    return points;
}

void WriteLine(std::FILE* file, const SurveyPoint& point) {
    std::fprintf(file, "%ld\t%.3f\t%.3f\t%.3f\t\r\n", point.number, point.x, point.y, point.z);
}

void WriteSection(std::FILE* file, const char* header, const std::vector<SurveyPoint>& points,
                  bool measured) {
    std::fprintf(file, "%s\r\n", header);
    for (const SurveyPoint& point : points)
        if (point.measured == measured) WriteLine(file, point);
}

void WritePoints(std::FILE* file, long count) {
    Survey survey(count);
    const std::vector<SurveyPoint> points = MakeSurvey(count, survey);
    WriteSection(file, "[Measured_Points]", points, true);
    WriteSection(file, "[Design_Points]", points, false);
}

// Half of all points come back moved, taken from the measured ones (only those move), then a
// tenth are new numbers beyond the plan's.
void WriteUpdate(std::FILE* file, long count) {
    Survey survey(count);
    const std::vector<SurveyPoint> points = MakeSurvey(count, survey);
    std::fprintf(file, "[Measured_Points]\r\n");
    long moved = 0;
    for (const SurveyPoint& point : points) {
        if (moved == count / 2) break;
        if (point.measured && survey.Chance(0.85)) {
            WriteLine(file, survey.Moved(point));
            ++moved;
        }
    }
    Survey fresh(count + 1);
    long number = survey.LastNumber() + 1000;
    for (long i = 0; i < count / 10; ++i) {
        SurveyPoint point = fresh.Next();
        point.number = number++;
        WriteLine(file, point);
    }
}

// Every design point staked once, its numbers unique so that each makes a pair; measured
// first, as the export writes them.
void WriteStaked(std::FILE* file, long count) {
    Survey survey(count);
    std::vector<SurveyPoint> design = MakeSurvey(count, survey);
    for (long i = 0; i < count; ++i) design[std::size_t(i)].number = 1000 + i;
    std::fprintf(file, "[Measured_Points]\r\n");
    for (const SurveyPoint& point : design) WriteLine(file, survey.Staked(point));
    std::fprintf(file, "[Design_Points]\r\n");
    for (const SurveyPoint& point : design) WriteLine(file, point);
}

void WriteClicks(std::FILE* file, long count) {
    Survey survey(count);
    for (long i = 0; i < count; ++i) {
        const SurveyPoint point = survey.Next();
        std::fprintf(file, "%.3f,%.3f\n", point.x, point.y);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: survey_points points|update|clicks|staked N FILE\n");
        return 2;
    }
    const std::string kind = argv[1];
    const long count = std::strtol(argv[2], nullptr, 10);
    if (count < 1 ||
        (kind != "points" && kind != "update" && kind != "clicks" && kind != "staked")) {
        std::fprintf(stderr,
                     "survey_points: a kind points|update|clicks|staked and N >= 1, please\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    if (kind == "points") WritePoints(file, count);
    if (kind == "update") WriteUpdate(file, count);
    if (kind == "clicks") WriteClicks(file, count);
    if (kind == "staked") WriteStaked(file, count);
    return std::fclose(file) == 0 ? 0 : 1;
}

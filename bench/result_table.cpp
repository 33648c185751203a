#include "bench/result_table.h"

#include <algorithm>
#include <cstdio>

namespace {

// The value below which the given share of the sorted values lies,
// interpolated between neighbours.
double Quantile(const std::vector<double>& sorted, double share) {
    if (sorted.empty()) return 0;
    const double position = share * static_cast<double>(sorted.size() - 1);
    const size_t below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    const double weight = position - static_cast<double>(below);
    return sorted[below] * (1 - weight) + sorted[above] * weight;
}

std::vector<double> Sorted(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values;
}

std::string Figure(double value, const std::string& unit) {
    char text[32];
    std::snprintf(text, sizeof text, value < 100 ? "%.2f %s" : "%.0f %s", value, unit.c_str());
    return text;
}

std::string Percent(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.0f%%", value);
    return text;
}

void PrintLine(const std::string& measurement, const std::string& quillet, const std::string& floor,
               const std::string& ratio, const std::string& spread, const std::string& target,
               const std::string& result) {
    std::printf("%-38s %13s %13s %7s %11s %9s  %s\n", measurement.c_str(), quillet.c_str(), floor.c_str(),
                ratio.c_str(), spread.c_str(), target.c_str(), result.c_str());
}

// A side without samples (a phase the floor does not have) shows "-".
std::string MedianText(const std::vector<double>& values, const std::string& unit) {
    return values.empty() ? "-" : Figure(Median(values), unit);
}

std::string SpreadText(const std::vector<double>& values) {
    return values.empty() ? "-" : Percent(SpreadPercent(values));
}

void PrintRow(const ResultRow& row) {
    const double quillet = Median(row.quillet);
    const double floor = Median(row.floor);
    const double ratio = floor > 0 ? quillet / floor : 0;
    char ratioText[16] = "-";
    if (ratio > 0) std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
    char targetText[16] = "-";
    if (row.target > 0) std::snprintf(targetText, sizeof targetText, "<= %.2f", row.target);
    if (row.limit > 0) std::snprintf(targetText, sizeof targetText, "<= %.0f %s", row.limit, row.unit.c_str());
    const bool met = (row.target <= 0 || ratio <= row.target) && (row.limit <= 0 || quillet <= row.limit);
    const std::string result = row.target <= 0 && row.limit <= 0 ? "info" : met ? "met" : "missed";
    PrintLine(row.measurement, MedianText(row.quillet, row.unit), MedianText(row.floor, row.unit), ratioText,
              SpreadText(row.quillet) + " / " + SpreadText(row.floor), targetText, result);
}

}  // namespace

double Median(std::vector<double> values) { return Quantile(Sorted(std::move(values)), 0.5); }

double SpreadPercent(const std::vector<double>& values) {
    const std::vector<double> sorted = Sorted(values);
    const double median = Quantile(sorted, 0.5);
    if (median <= 0) return 0;
    return 100 * (Quantile(sorted, 0.75) - Quantile(sorted, 0.25)) / median;
}

void PrintResultTable(const std::string& title, const std::vector<ResultRow>& rows) {
    std::printf("\n%s\n", title.c_str());
    PrintLine("Measurement", "Quillet", "Floor", "Ratio", "Spread", "Target", "Result");
    for (const ResultRow& row : rows) PrintRow(row);
    std::fflush(stdout);
}

// One row per measurement: Quillet's samples beside its floor's, taken in the
// same run, and the table that reports their medians, ratio and spread.
#pragma once

#include <string>
#include <vector>

struct ResultRow {
    std::string measurement;
    std::string unit;
    std::vector<double> quillet;
    std::vector<double> floor;
    // The highest ratio of the medians allowed; 0 for a row that only informs.
    double target = 0;
    // Instead of target: the highest median Quillet's side may have, in the
    // row's unit; 0 for none.
    double limit = 0;
};

double Median(std::vector<double> values);
// The interquartile range as a share of the median, in percent.
double SpreadPercent(const std::vector<double>& values);

// The title, a header line, then one line a row: both medians, their ratio,
// both spreads, the targets and whether they were met.
void PrintResultTable(const std::string& title, const std::vector<ResultRow>& rows);

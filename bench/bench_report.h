// What every benchmark program shares: its command line, as scripts/bench
// passes it,
//
//   --out=FILE            (the rows this benchmark reports, one per line)
//   --program=NAME=PATH   (programs it measures; build-machine paths allowed)
//   --NAME=VALUE          (options of the benchmark itself, for a run by hand)
//
// and the rows themselves: what was measured, the figure, and the target it
// is held against (empty when there is none). scripts/bench prints them all
// as one table.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Reads the arguments above from the process's command line.
void read_arguments();

// The path given for a program, or empty.
std::wstring program(const std::wstring& name);

// The value of an option --NAME=VALUE, or empty.
std::wstring option(const std::wstring& name);
// The same read as a whole number; `fallback` when it is not given.
int option_int(const std::wstring& name, int fallback);

// Appends one row to the --out file (or to standard output without one).
void report(const std::string& what, const std::string& value, const std::string& target = std::string());

// The median of a set of samples (the mean of the middle two for an even
// count); 0 for none.
double median(std::vector<double> samples);

// A figure with `decimals` digits after the point and its unit: "12.3 ms".
std::string figure(double value, int decimals, const char* unit);

}  // namespace bench

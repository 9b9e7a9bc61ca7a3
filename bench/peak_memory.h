#pragma once
// Peak memory of one operation, measured in a process that does only that
// operation: this program is started again with the given arguments, does
// the operation, and writes its own peak resident set (VmHWM) on stdout.
//
// Why not getrusage(RUSAGE_CHILDREN).ru_maxrss: Linux carries into it the
// resident set that the forked child shared with its parent before exec, so
// a parent holding a 64 MB file would inflate every child's figure. VmHWM
// belongs to the memory the child got at exec, and to nothing else.

#include <string>
#include <vector>

namespace kelvarion::bench {

// Runs this program with `arguments` and returns what it wrote with
// print_own_peak_kib, or -1 (with *err) when it failed or wrote nothing.
long child_peak_kib(const std::vector<std::string>& arguments, std::string* err);

// In the child: writes this process's peak resident set in KiB on stdout.
bool print_own_peak_kib();

}  // namespace kelvarion::bench

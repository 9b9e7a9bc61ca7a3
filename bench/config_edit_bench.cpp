// Times the SASAUTOS edit of the SAS configuration file (edit_sas_config)
// against a plain copy of the same bytes, in the same run, on files of 1 KB,
// 1 MB and 64 MB of three shapes, and measures the peak memory of each in a
// process of its own. Prints the figures as Markdown tables, then checks:
//  - at 64 MB, reading, editing and replacing the file takes at most 3 times
//    as long as reading and replacing it unchanged (the copy);
//  - time grows linearly with the size: from 1 MB to 64 MB the edit's cost
//    per byte grows at most 1.5 times as much as the copy's (the copy is
//    linear by nature, and at 64 MB both leave the caches; a quadratic part
//    would make the edit's cost per byte 64 times what it was);
//  - the edit's peak memory stays below the copy's plus twice the file size
//    and 1 MiB (the edit holds the file read and the new text: one file more
//    than the copy).
// Before timing, it checks the bytes each operation writes: the copy's are the
// input's, the edits' pass wrong_edit_of_sample (bench/sample_configs.h),
// which the native tests run on the smallest samples too.
// Exit status 0 when every check holds, 1 when one fails, 2 on an error.
//
// The files lie in a new folder under --dir, by default /dev/shm (memory, so
// that the copy is the fastest there is and no disk write-back adds noise).
//
// Usage: kelvarion_config_edit_bench [--rounds N] [--min-sample-seconds S]
//                                    [--dir FOLDER]
// (internally also: --peak copy|current|legacy|none SOURCE TARGET)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/peak_memory.h"
#include "bench/posix_files.h"
#include "bench/sample_configs.h"
#include "bench/timing.h"
#include "fuzz/config_edit_invariants.h"
#include "host/sas_config_edit.h"

namespace kelvarion::bench {
namespace {

struct SizeCase {
    const char* label;
    std::size_t bytes;
};
constexpr SizeCase kSizes[] = {{"1 KB", 1024}, {"1 MB", 1024 * 1024}, {"64 MB", 64 * 1024 * 1024}};

enum Operation { kCopy, kEditCurrent, kEditLegacy, kOperations };
constexpr const char* kOperationArgument[] = {"copy", "current", "legacy"};

constexpr double kMaxRatioAt64Mb = 3.0;
constexpr double kMaxGrowthOverCopy = 1.5;
constexpr long kPeakSlackKib = 1024;

ConfigUpdateRule rule_of(Operation operation) {
    return operation == kEditLegacy ? ConfigUpdateRule::InsertEveryRun
                                    : ConfigUpdateRule::SkipWhenNamed;
}

bool edit(Operation operation, const std::string& bytes, SasConfigEdit* result, std::string* err) {
    *result =
        edit_sas_config(bytes, kSampleMacroFolder, rule_of(operation), fuzzing::windows_1252());
    if (result->outcome == SasConfigEdit::Outcome::Edited && result->insertions == 1) return true;
    *err = "the edit did not insert the folder once";
    return false;
}

// What update_sas_config does with the file, minus the window: read it
// whole, edit it, put the new text in its place. The copy leaves out the
// edit only.
bool run_on_disk(Operation operation, const std::string& source, const std::string& target,
                 std::string* err) {
    std::string bytes;
    if (!read_whole_file(source, &bytes, err)) return false;
    if (operation == kCopy) return replace_through_temp_file(target, bytes, err);
    SasConfigEdit result;
    return edit(operation, bytes, &result, err) &&
           replace_through_temp_file(target, result.bytes, err);
}

bool run_in_memory(Operation operation, const std::string& bytes) {
    if (operation == kCopy) {
        const std::string copy = bytes;
        keep(copy);
        return true;
    }
    SasConfigEdit result;
    std::string err;
    const bool ok = edit(operation, bytes, &result, &err);
    keep(result);
    return ok;
}

bool check_outputs(const std::string& input, const std::string& source, const std::string& folder,
                   std::string* err) {
    for (int op = 0; op < kOperations; ++op) {
        const std::string target = folder + "/check." + kOperationArgument[op];
        std::string written;
        if (!run_on_disk(static_cast<Operation>(op), source, target, err) ||
            !read_whole_file(target, &written, err))
            return false;
        const std::string wrong =
            op == kCopy ? (written == input ? "" : "not the input")
                        : wrong_edit_of_sample(input, rule_of(static_cast<Operation>(op)), written);
        if (!wrong.empty()) {
            *err = std::string("wrong bytes written by ") + kOperationArgument[op] + ": " + wrong;
            return false;
        }
    }
    return true;
}

struct Measurement {
    ConfigShape shape;
    SizeCase size;
    double on_disk[kOperations];    // seconds per call, median
    double in_memory[kOperations];  // seconds per call, median
    long peak_kib[kOperations];     // peak resident set of a process doing one call
};

bool measure(ConfigShape shape, SizeCase size, const std::string& folder, int rounds,
             double min_seconds, Measurement* m, std::string* err) {
    m->shape = shape;
    m->size = size;
    const std::string input = sample_config(shape, size.bytes);
    const std::string source = folder + "/SASV9.CFG";
    if (input.size() != size.bytes) {
        *err = "the sample is " + std::to_string(input.size()) + " bytes";
        return false;
    }
    if (!replace_through_temp_file(source, input, err) ||
        !check_outputs(input, source, folder, err))
        return false;

    std::vector<double> disk[kOperations], memory[kOperations];
    for (int round = 0; round < rounds; ++round) {
        // Interleaved, so that whatever else the machine does hits all alike.
        for (int op = 0; op < kOperations; ++op) {
            const auto operation = static_cast<Operation>(op);
            const std::string target = folder + "/out." + kOperationArgument[op];
            const double d = seconds_per_call(
                [&] { return run_on_disk(operation, source, target, err); }, min_seconds);
            const double i =
                seconds_per_call([&] { return run_in_memory(operation, input); }, min_seconds);
            if (d < 0 || i < 0) return false;
            disk[op].push_back(d);
            memory[op].push_back(i);
        }
    }
    for (int op = 0; op < kOperations; ++op) {
        m->on_disk[op] = median(disk[op]);
        m->in_memory[op] = median(memory[op]);
        m->peak_kib[op] =
            child_peak_kib({"--peak", kOperationArgument[op], source, folder + "/peak.out"}, err);
        if (m->peak_kib[op] < 0) return false;
    }
    return true;
}

double ms(double seconds) { return seconds * 1e3; }
double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

void print_times(const std::vector<Measurement>& all, bool on_disk) {
    std::printf(
        "| Shape | Size | Copy (ms) | Edit, current (ms) | x copy "
        "| Edit, legacy (ms) | x copy |\n");
    std::printf("|---|---|---:|---:|---:|---:|---:|\n");
    for (const Measurement& m : all) {
        const double* t = on_disk ? m.on_disk : m.in_memory;
        std::printf("| %s | %s | %.5f | %.5f | %.2f | %.5f | %.2f |\n",
                    std::string(shape_name(m.shape)).c_str(), m.size.label, ms(t[kCopy]),
                    ms(t[kEditCurrent]), t[kEditCurrent] / t[kCopy], ms(t[kEditLegacy]),
                    t[kEditLegacy] / t[kCopy]);
    }
    std::printf("\n");
}

// Growth of the cost per byte from one size to the next: 1.0 is linear.
double per_byte_growth(const Measurement& small, const Measurement& large, int op) {
    const double per_byte_small = small.on_disk[op] / static_cast<double>(small.size.bytes);
    const double per_byte_large = large.on_disk[op] / static_cast<double>(large.size.bytes);
    return per_byte_large / per_byte_small;
}

void print_growth(const std::vector<Measurement>& all) {
    std::printf(
        "| Shape | Operation | ns/byte at 1 KB | ns/byte at 1 MB | ns/byte at 64 MB "
        "| Per byte, 64 MB vs 1 MB | Same, over the copy's |\n");
    std::printf("|---|---|---:|---:|---:|---:|---:|\n");
    for (std::size_t s = 0; s + 2 < all.size(); s += 3) {
        const double copy_growth = per_byte_growth(all[s + 1], all[s + 2], kCopy);
        for (int op = 0; op < kOperations; ++op) {
            auto ns = [&](std::size_t k) {
                return all[s + k].on_disk[op] * 1e9 / static_cast<double>(all[s + k].size.bytes);
            };
            const double growth = per_byte_growth(all[s + 1], all[s + 2], op);
            std::printf("| %s | %s | %.3f | %.3f | %.3f | %.2f | %.2f |\n",
                        std::string(shape_name(all[s].shape)).c_str(), kOperationArgument[op],
                        ns(0), ns(1), ns(2), growth, growth / copy_growth);
        }
    }
    std::printf("\n");
}

void print_peaks(const std::vector<Measurement>& all, long baseline_kib) {
    std::printf(
        "Peak resident set (VmHWM) of a process that reads, edits or copies, and "
        "writes the file once; one that does nothing: %.1f MiB.\n\n",
        mib(baseline_kib));
    std::printf(
        "| Shape | Size | Copy (MiB) | Edit, current (MiB) | Edit, legacy (MiB) "
        "| Edit beyond copy, in file sizes |\n");
    std::printf("|---|---|---:|---:|---:|---:|\n");
    for (const Measurement& m : all) {
        const long extra =
            std::max(m.peak_kib[kEditCurrent], m.peak_kib[kEditLegacy]) - m.peak_kib[kCopy];
        char beyond[32] = "-";  // a few KB vanish among whole pages
        if (m.size.bytes >= 1024 * 1024)
            std::snprintf(beyond, sizeof beyond, "%.2f",
                          static_cast<double>(extra) * 1024.0 / static_cast<double>(m.size.bytes));
        std::printf("| %s | %s | %.1f | %.1f | %.1f | %s |\n",
                    std::string(shape_name(m.shape)).c_str(), m.size.label, mib(m.peak_kib[kCopy]),
                    mib(m.peak_kib[kEditCurrent]), mib(m.peak_kib[kEditLegacy]), beyond);
    }
    std::printf("\n");
}

bool check(bool holds, const std::string& what) {
    std::printf("%s %s\n", holds ? "PASS" : "FAIL", what.c_str());
    return holds;
}

bool check_all(const std::vector<Measurement>& all) {
    bool ok = true;
    char line[256];
    for (std::size_t s = 0; s + 2 < all.size(); s += 3) {
        const std::string shape(shape_name(all[s].shape));
        const Measurement& mb1 = all[s + 1];
        const Measurement& mb64 = all[s + 2];
        const double copy_growth = per_byte_growth(mb1, mb64, kCopy);
        for (int op : {kEditCurrent, kEditLegacy}) {
            const double ratio = mb64.on_disk[op] / mb64.on_disk[kCopy];
            std::snprintf(line, sizeof line, "%s, %s edit at 64 MB: %.2f x the copy (limit %.1f)",
                          shape.c_str(), kOperationArgument[op], ratio, kMaxRatioAt64Mb);
            ok &= check(ratio <= kMaxRatioAt64Mb, line);
            const double growth = per_byte_growth(mb1, mb64, op) / copy_growth;
            std::snprintf(line, sizeof line,
                          "%s, %s edit: cost per byte from 1 MB to 64 MB grows %.2f x as much "
                          "as the copy's (limit %.1f)",
                          shape.c_str(), kOperationArgument[op], growth, kMaxGrowthOverCopy);
            ok &= check(growth <= kMaxGrowthOverCopy, line);
        }
        for (std::size_t k = s; k < s + 3; ++k) {
            const Measurement& m = all[k];
            const long limit_kib =
                m.peak_kib[kCopy] + static_cast<long>(2 * m.size.bytes / 1024) + kPeakSlackKib;
            for (int op : {kEditCurrent, kEditLegacy}) {
                std::snprintf(line, sizeof line,
                              "%s, %s, %s edit: peak %.1f MiB (limit: copy + 2 x file + 1 MiB "
                              "= %.1f MiB)",
                              shape.c_str(), m.size.label, kOperationArgument[op],
                              mib(m.peak_kib[op]), mib(limit_kib));
                ok &= check(m.peak_kib[op] <= limit_kib, line);
            }
        }
    }
    return ok;
}

// The child of child_peak_kib: one call, then its own peak on stdout.
int peak_child(const std::string& what, const std::string& source, const std::string& target) {
    bool done = what == "none";
    for (int op = 0; op < kOperations && !done; ++op) {
        if (what != kOperationArgument[op]) continue;
        std::string err;
        if (!run_on_disk(static_cast<Operation>(op), source, target, &err)) {
            std::fprintf(stderr, "%s\n", err.c_str());
            return 1;
        }
        done = true;
    }
    return done && print_own_peak_kib() ? 0 : 2;
}

int run(int rounds, double min_seconds, const std::string& parent) {
    std::string folder, err;
    if (!make_work_folder(parent, &folder, &err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 2;
    }
    std::vector<Measurement> all;
    for (ConfigShape shape : kConfigShapes) {
        for (const SizeCase& size : kSizes) {
            std::fprintf(stderr, "measuring %s, %s ...\n", std::string(shape_name(shape)).c_str(),
                         size.label);
            Measurement m{};
            if (!measure(shape, size, folder, rounds, min_seconds, &m, &err)) {
                std::fprintf(stderr, "%s, %s: %s\n", std::string(shape_name(shape)).c_str(),
                             size.label, err.c_str());
                remove_work_folder(folder);
                return 2;
            }
            all.push_back(m);
        }
    }
    const long baseline = child_peak_kib({"--peak", "none", "-", "-"}, &err);
    remove_work_folder(folder);

    std::printf(
        "Files in %s. Median of %d rounds; each sample repeats the call for at least "
        "%.2f s.\n\n",
        parent.c_str(), rounds, min_seconds);
    std::printf("### Time: read the file, edit it, write a temporary file, rename it over\n\n");
    print_times(all, true);
    std::printf("### Time in memory: the edit alone against copying the bytes\n\n");
    print_times(all, false);
    std::printf("### Growth with the size (read, edit, write)\n\n");
    print_growth(all);
    std::printf("### Peak memory\n\n");
    print_peaks(all, baseline);
    return check_all(all) ? 0 : 1;
}

}  // namespace
}  // namespace kelvarion::bench

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "--peak")
        return kelvarion::bench::peak_child(args[1], args[2], args[3]);
    int rounds = 5;
    double min_seconds = 0.1;
    std::string parent = "/dev/shm";
    bool usage = args.size() % 2 != 0;
    for (std::size_t k = 0; k + 1 < args.size(); k += 2) {
        if (args[k] == "--rounds") {
            rounds = std::atoi(args[k + 1].c_str());
        } else if (args[k] == "--min-sample-seconds") {
            min_seconds = std::atof(args[k + 1].c_str());
        } else if (args[k] == "--dir") {
            parent = args[k + 1];
        } else {
            usage = true;
        }
    }
    if (usage || rounds < 1) {
        std::fprintf(stderr, "usage: %s [--rounds N] [--min-sample-seconds S] [--dir FOLDER]\n",
                     argv[0]);
        return 2;
    }
    return kelvarion::bench::run(rounds, min_seconds, parent);
}

// The replace against every sequence of outcomes that Windows documents for
// the calls it makes, up to a depth: whichever call fails and however, the
// original contents are never lost. They stay under the target's name, or
// the new contents are there, or the file that holds them is named.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_replace.h"
#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {
namespace {

namespace code = win32_code;

const std::string kFolder = R"(C:\SAS\9.1\nls\en)";
const std::string kTarget = kFolder + R"(\SASV9.CFG)";
const std::string kNew = kFolder + R"(\~kv9.tmp)";
constexpr std::uint32_t kDiskFullCode = 112;

// The fake's files, each call answering as the script says: 0 as the files
// are, or the n-th documented failure of that call, with the side effects
// Windows documents for it. Calls past the script's end answer as the files
// are. A call tried again after a wait meets the same outcome, so that a
// failure lasts through the whole wait.
class ScriptedFiles : public FileOperations {
public:
    ScriptedFiles(FakePlatform& platform, const std::vector<int>& script)
        : platform_(platform), files_(platform), script_(script) {}

    std::vector<int> choices;  // how many outcomes each call had, in order

    std::uint32_t replace(const std::string& target, const std::string& replacement,
                          const std::string& backup) override {
        static constexpr std::uint32_t kFailures[] = {code::kAccessDenied,
                                                      code::kSharingViolation,
                                                      code::kUnableToRemoveReplaced,
                                                      code::kUnableToMoveReplacement,
                                                      code::kUnableToMoveReplacement2,
                                                      code::kNotSupported};
        const int choice = choose(1 + std::size(kFailures));
        if (choice == 0) return files_.replace(target, replacement, backup);
        const std::uint32_t failure = kFailures[choice - 1];
        if (failure == code::kUnableToMoveReplacement2) platform_.move_entry(target, backup);
        return failure;
    }
    std::uint32_t move(const std::string& from, const std::string& to) override {
        return refused_or(kRenameFailures, [&] { return files_.move(from, to); });
    }
    std::uint32_t remove(const std::string& path) override {
        return refused_or(kRenameFailures, [&] { return files_.remove(path); });
    }
    std::uint32_t attributes_error(const std::string& path) override {
        return refused_or(kAttributeFailures, [&] { return files_.attributes_error(path); });
    }
    bool read_only_or_folder(const std::string& path) override {
        return files_.read_only_or_folder(path);
    }
    std::uint32_t read(const std::string& path, std::string* bytes) override {
        return refused_or(kReadFailures, [&] { return files_.read(path, bytes); });
    }
    std::uint32_t write_new(const std::string& path, std::string_view bytes) override {
        if (choose(2) == 0) return files_.write_new(path, bytes);
        platform_.entries[FakePlatform::key(path)] = FakePlatform::FileEntry{};  // begun
        return kDiskFullCode;
    }
    RewriteResult rewrite(const std::string& path, std::string_view bytes) override {
        switch (choose(4)) {
            case 0: return files_.rewrite(path, bytes);
            case 1: return {code::kSharingViolation, false};
            case 2: return {code::kUserMappedFile, false};  // the truncation refused
            default:
                platform_.entries[FakePlatform::key(path)].bytes.clear();  // emptied
                return {kDiskFullCode, true};
        }
    }
    void wait(int) override { retrying_ = true; }
    std::string failure_text(const std::string& path, std::uint32_t failure) override {
        return path + ": " + std::to_string(failure);
    }

private:
    static constexpr std::uint32_t kRenameFailures[] = {code::kAccessDenied, code::kSharingViolation};
    static constexpr std::uint32_t kAttributeFailures[] = {code::kAccessDenied};
    static constexpr std::uint32_t kReadFailures[] = {code::kSharingViolation};

    template <size_t N, class Call>
    std::uint32_t refused_or(const std::uint32_t (&failures)[N], Call call) {
        const int choice = choose(1 + N);
        return choice == 0 ? call() : failures[choice - 1];
    }

    int choose(int outcomes) {
        if (std::exchange(retrying_, false)) return last_;
        const size_t at = choices.size();
        choices.push_back(outcomes);
        last_ = at < script_.size() ? script_[at] : 0;
        return last_;
    }

    FakePlatform& platform_;
    FakeFileOperations files_;
    const std::vector<int>& script_;
    bool retrying_ = false;
    int last_ = 0;
};

struct Search {
    int depth;
    long runs = 0;
    long failures_reported = 0;
    std::vector<std::string> losses;  // the scripts that lost the original
    std::vector<std::string> false_notes;  // named a kept file that is not there
};

// The file a failure names as holding the original: after "were kept in" it
// must be there; after "may have been kept in" it may be.
std::string named_file(const std::string& err, const std::string& mark) {
    const size_t at = err.find(mark);
    if (at == std::string::npos) return {};
    return err.substr(at + mark.size(), err.size() - at - mark.size() - 2);
}

// Runs the replace under `script`, checks what it left, then tries every
// outcome of the next call.
void explore(std::vector<int>& script, Search& search) {
    FakePlatform platform;
    platform.add_file(kTarget, "old");
    platform.add_file(kNew, "new");
    ScriptedFiles files(platform, script);
    std::string err;
    const bool replaced = replace_file(files, kNew, kTarget, &err);
    ++search.runs;

    const std::optional<std::string> target = platform.file(kTarget);
    const std::string surely = named_file(err, " Its contents were kept in \"");
    const std::string perhaps = named_file(err, " Its contents may have been kept in \"");
    const std::optional<std::string> kept =
        platform.file(surely.empty() ? perhaps : surely);
    const bool whole = replaced ? target == "new"
                                : target == "old" || target == "new" || kept == "old";
    if (!replaced) ++search.failures_reported;
    std::string text;
    for (int c : script) text += std::to_string(c) + " ";
    if (!whole) search.losses.push_back(text + "-> " + err);
    if (!surely.empty() && !platform.file(surely)) search.false_notes.push_back(text + "-> " + err);

    if (static_cast<int>(script.size()) >= search.depth || script.size() >= files.choices.size())
        return;
    for (int choice = 0; choice < files.choices[script.size()]; ++choice) {
        script.push_back(choice);
        explore(script, search);
        script.pop_back();
    }
}

TEST(ReplaceModel, NoSequenceOfDocumentedOutcomesLosesTheOriginal) {
    Search search{12, 0, 0, {}, {}};
    std::vector<int> script;
    explore(script, search);
    EXPECT_TRUE(search.losses.empty()) << search.losses.size() << " of " << search.runs
                                       << " runs lost it, first: " << search.losses.front();
    EXPECT_TRUE(search.false_notes.empty())
        << search.false_notes.size() << " of " << search.runs
        << " runs named a kept file that is not there, first: " << search.false_notes.front();
    // The search reached the failures it is about.
    EXPECT_GT(search.failures_reported, search.runs / 2);
    std::printf("%ld sequences, %ld reported as failures\n", search.runs,
                search.failures_reported);
}

}  // namespace
}  // namespace kelvarion::testing

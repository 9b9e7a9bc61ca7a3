#include "bench/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kelvarion::bench {
namespace {

bool fail(const std::string& what, const std::string& path, std::string* err) {
    *err = what + " " + path + ": " + std::strerror(errno);
    return false;
}

// Closes the descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace

bool read_whole_file(const std::string& path, std::string* bytes, std::string* err) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return fail("open", path, err);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return fail("stat", path, err);
    // resize_and_overwrite is not in every standard library yet; the zero
    // fill that resize does is part of the floor for both pipelines alike.
    bytes->resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes->size()) {
        const ssize_t got = ::read(file.get(), bytes->data() + done, bytes->size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return fail("read", path, err);
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes->resize(done);
    return true;
}

bool replace_through_temp_file(const std::string& target, std::string_view bytes,
                               std::string* err) {
    const std::string temp = target + ".tmp";
    Descriptor file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.get() < 0) return fail("create", temp, err);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) {
            fail("write", temp, err);
            ::unlink(temp.c_str());
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    if (!file.close()) {
        fail("close", temp, err);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        fail("rename", temp, err);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool make_work_folder(const std::string& parent, std::string* path, std::string* err) {
    const std::string pattern = parent + "/kelvarion-bench-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) return fail("mkdtemp", pattern, err);
    *path = buffer.data();
    return true;
}

void remove_work_folder(const std::string& path) {
    if (DIR* folder = ::opendir(path.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") ::unlink((path + "/" + name).c_str());
        }
        ::closedir(folder);
    }
    ::rmdir(path.c_str());
}

}  // namespace kelvarion::bench

#include "formats/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace mardex {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// Writes all bytes, or fails like a full disk once the injected limit is hit.
bool WriteAll(int fd, std::string_view bytes, long long failAfterBytes, int& err)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = bytes.size() - done;
        if (failAfterBytes >= 0) {
            const auto allowed = static_cast<std::size_t>(failAfterBytes);
            if (done >= allowed) {
                err = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, allowed - done);
        }
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes, long long failAfterBytes)
{
    namespace fs = std::filesystem;
    AtomicWriteResult result;
    // A link is followed, so that the file it names is replaced, not the link.
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        result.error = "cannot write " + path + ": " + Reason(errno);
        return result;
    }
    // A new file gets the usual permissions; a replaced one keeps its own.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    int err = 0;
    bool ok = WriteAll(fd, bytes, failAfterBytes, err);
    if (ok && ::fsync(fd) != 0) {
        err = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        err = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        ok = false;
    }
    if (ok) {
        // The rename itself reaches the disk with the folder.
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    if (!ok) {
        ::unlink(temp.c_str());
        result.error = "cannot write " + path + ": " + Reason(err);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace mardex

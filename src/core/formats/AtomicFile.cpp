#include "formats/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace mardex {

namespace fs = std::filesystem;

namespace {

std::string Reason(int err) { return std::strerror(err); }

// A name as messages show it: a NUL byte written out.
std::string Shown(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == '\0') out += "\\0";
        else out += c;
    }
    return out;
}

std::string CannotWrite(const std::string& path, const std::string& why) { return "cannot write " + Shown(path) + ": " + why; }

// A link is followed, so that the file it names is replaced, not the link.
fs::path Resolved(const std::string& path)
{
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    return target;
}

fs::path FolderOf(const fs::path& target) { return target.has_parent_path() ? target.parent_path() : fs::path("."); }

// Our temporary files are named ".~mardex.<pid>.<target name>.XXXXXX": one
// whose process is gone was left by an interrupted write.
void RemoveStaleTemporaries(const fs::path& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, TemporaryMarker.size(), TemporaryMarker) != 0) continue;
        char* rest = nullptr;
        const long pid = std::strtol(name.c_str() + TemporaryMarker.size(), &rest, 10);
        if (pid <= 0 || !rest || *rest != '.') continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
    }
}

void SyncFolder(const fs::path& folder)
{
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

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

// Creates the temporary file beside `target` with the target's permissions
// (the usual ones for a new file); -1 with errno set on failure.
int CreateBeside(const fs::path& target, std::string& temp)
{
    const fs::path folder = FolderOf(target);
    RemoveStaleTemporaries(folder);
    temp = (folder / (std::string(TemporaryMarker) + std::to_string(::getpid()) + "." + target.filename().string() +
                      ".XXXXXX"))
               .string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return -1;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    return fd;
}

// Renaming over an existing file makes ext4 (auto_da_alloc) write the new
// file's blocks out at once, in this process: a flush by another name. A file
// that need not be flushed swaps names with the target instead, as atomic for
// a reader, and the old file then goes under the temporary name. Without a
// target yet, or where the swap is not supported, it is a plain rename.
bool ReplaceTarget(const std::string& temp, const fs::path& target, FlushToDisk flush)
{
#ifdef RENAME_EXCHANGE
    if (flush == FlushToDisk::No &&
        ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temp.c_str());  // if it stays, the next write to the folder removes it
        return true;
    }
#endif
    return ::rename(temp.c_str(), target.c_str()) == 0;
}

} // namespace

bool NamesSameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    const fs::path ra = fs::weakly_canonical(fs::absolute(a, ec), ec);
    if (ec) return false;
    const fs::path rb = fs::weakly_canonical(fs::absolute(b, ec), ec);
    return !ec && ra == rb;
}

bool IsForeignLinkInSharedFolder(const std::string& path)
{
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return false;
    struct stat folder {};
    if (::stat(FolderOf(fs::path(path)).c_str(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return shared && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}

std::string ReasonNotWritable(const std::string& path)
{
    if (path.find('\0') != std::string::npos) return "the name holds a NUL byte";
    if (path.empty()) return "no file name";
    // What the kernel's protected_symlinks refuses when a file is opened
    // through such a link; we resolve links ourselves, so we refuse it here.
    if (IsForeignLinkInSharedFolder(path))
        return "it is a link of another user in a shared folder (sticky and writable by all); it is not followed";
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    if (S_ISDIR(st.st_mode)) return "it is a folder";
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    // A file without any write permission stays as it is, even for a user
    // the system would let replace it.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
        return "the file is read-only";
    return {};
}

PiecewiseAtomicWriter::PiecewiseAtomicWriter(const std::string& path, long long failAfterBytes, FlushToDisk flush)
    : path_(path), failAfterBytes_(failAfterBytes), flush_(flush)
{
    if (const std::string why = ReasonNotWritable(path); !why.empty()) {
        error_ = CannotWrite(path, why);
        return;
    }
    fd_ = CreateBeside(Resolved(path), temp_);
    if (fd_ < 0) {
        Fail(errno);
        temp_.clear();
    }
}

PiecewiseAtomicWriter::~PiecewiseAtomicWriter()
{
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void PiecewiseAtomicWriter::Fail(int err)
{
    if (error_.empty()) error_ = CannotWrite(path_, Reason(err));
}

bool PiecewiseAtomicWriter::Append(std::string_view bytes)
{
    if (!ok()) return false;
    const long long left = failAfterBytes_ < 0 ? -1 : std::max(0LL, failAfterBytes_ - written_);
    int err = 0;
    if (!WriteAll(fd_, bytes, left, err)) {
        Fail(err);
        return false;
    }
    written_ += static_cast<long long>(bytes.size());
    return true;
}

bool PiecewiseAtomicWriter::Commit()
{
    if (!ok()) return false;
    if (flush_ == FlushToDisk::Yes && ::fsync(fd_) != 0) Fail(errno);
    if (::close(fd_) != 0) Fail(errno);
    fd_ = -1;
    const fs::path target = Resolved(path_);
    if (ok() && !ReplaceTarget(temp_, target, flush_)) Fail(errno);
    if (!ok()) return false;
    temp_.clear();
    // The rename itself reaches the disk with the folder.
    if (flush_ == FlushToDisk::Yes) SyncFolder(FolderOf(target));
    return true;
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes, long long failAfterBytes,
                                      FlushToDisk flush)
{
    PiecewiseAtomicWriter writer(path, failAfterBytes, flush);
    writer.Append(bytes);
    AtomicWriteResult result;
    result.ok = writer.Commit();
    result.error = writer.error();
    return result;
}

TemporaryBeside::TemporaryBeside(const std::string& target) : target_(target)
{
    if (const std::string why = ReasonNotWritable(target); !why.empty()) {
        error_ = CannotWrite(target, why);
        return;
    }
    std::string temp;
    const int fd = CreateBeside(Resolved(target), temp);
    if (fd < 0) {
        error_ = CannotWrite(target, Reason(errno));
        return;
    }
    ::close(fd);
    path_ = temp;
}

TemporaryBeside::~TemporaryBeside()
{
    if (!path_.empty() && !committed_) ::unlink(path_.c_str());
}

bool TemporaryBeside::Commit()
{
    if (path_.empty()) return false;
    int err = 0;
    const int fd = ::open(path_.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) err = errno;
    if (fd >= 0) ::close(fd);
    const fs::path target = Resolved(target_);
    if (err == 0 && ::rename(path_.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        error_ = CannotWrite(target_, Reason(err));
        return false;
    }
    committed_ = true;
    SyncFolder(FolderOf(target));
    return true;
}

} // namespace mardex

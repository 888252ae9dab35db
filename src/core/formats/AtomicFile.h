#pragma once
// Replacing a file so that it is never left half-written: the bytes go to a
// temporary file in the same folder, are flushed to the disk, and the
// temporary file is then renamed over the target. On any failure the target
// is left exactly as it was. Every file the program writes goes this way.
#include <string>
#include <string_view>

namespace mardex {

// Whether the bytes and the rename are flushed to the disk before Commit()
// returns. The designer's documents are; report files, which every report
// command makes afresh from the document, are only replaced atomically: a
// flush costs more than building the report, and a report lost to a power
// cut is made again by the next command.
enum class FlushToDisk : bool { No, Yes };

struct AtomicWriteResult {
    bool ok = false;
    std::string error;  // the reason, naming the file, when !ok
};

// failAfterBytes >= 0 makes the write fail once that many bytes have been
// written (tests inject write errors this way); -1 never fails on purpose.
// A target that is read-only, or not a regular file, is refused.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      long long failAfterBytes = -1, FlushToDisk flush = FlushToDisk::Yes);

// The same fed in pieces, so that a large file needs no buffer of its whole
// size: the first failure is kept, and the target changes only by Commit().
// A writer destroyed without a successful Commit() removes its temporary file.
class PiecewiseAtomicWriter {
public:
    explicit PiecewiseAtomicWriter(const std::string& path, long long failAfterBytes = -1,
                                   FlushToDisk flush = FlushToDisk::Yes);
    ~PiecewiseAtomicWriter();
    PiecewiseAtomicWriter(const PiecewiseAtomicWriter&) = delete;
    PiecewiseAtomicWriter& operator=(const PiecewiseAtomicWriter&) = delete;

    // false once anything has failed.
    bool Append(std::string_view bytes);
    // Renames the file over the target, flushing both first when asked.
    bool Commit();
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }  // naming the file, when !ok()

private:
    void Fail(int err);
    std::string path_, temp_, error_;
    int fd_ = -1;
    long long failAfterBytes_;
    long long written_ = 0;
    FlushToDisk flush_;
};

// A temporary file beside a target, for writers that fill a file themselves
// (GDAL's design files): created at once, renamed over the target by
// Commit(), removed otherwise. Temporary files of our naming left by a
// process that no longer runs are removed from the folder when one is made.
class TemporaryBeside {
public:
    explicit TemporaryBeside(const std::string& target);
    ~TemporaryBeside();
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& error() const { return error_; }  // when !ok()
    const std::string& path() const { return path_; }

    // Flushes the temporary file and renames it over the target; false with
    // the reason in error() (the target then stays as it was).
    bool Commit();

private:
    std::string target_, path_, error_;
    bool committed_ = false;
};

// Why `path` cannot be replaced (read-only, not a regular file, a name
// holding a NUL byte, a link of another user in a shared sticky folder), or
// empty when it can. Any other link is followed: the file it names is
// replaced (its folder holds the temporary file) and the link stays.
std::string ReasonNotWritable(const std::string& path);

// A symbolic link owned neither by us nor by its folder's owner, in a folder
// that is sticky and writable by everybody (/tmp): the links the kernel's
// protected_symlinks will not follow.
bool IsForeignLinkInSharedFolder(const std::string& path);

// Whether two paths name one file once both are resolved (links followed,
// "." and ".." taken out); for files that do not exist yet, by their names.
bool NamesSameFile(const std::string& a, const std::string& b);

// The marker in the names of our temporary files.
inline constexpr std::string_view TemporaryMarker = ".~mardex.";

} // namespace mardex

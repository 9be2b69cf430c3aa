#include "platform/recordfile.h"

#include "platform/errors.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t buffer_bytes = 1 << 20;
// How much a save writes before it asks for it to go to the disk.
constexpr int64_t writeback_bytes = int64_t(8) << 20;
// A file that is not a regular one (a pipe, a device) is read whole before the
// first record; this bounds what such a file can make us hold.
constexpr int64_t max_stream_bytes = int64_t(1) << 30;

std::string parent_folder(const std::string& file_name) {
    const std::filesystem::path parent = std::filesystem::path(file_name).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

bool is_folder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int current_umask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<int>(mask);
}

}  // namespace

int io_error_code(int err, const std::string& file_name, bool for_reading) {
    switch (err) {
    case ENOENT:
        // A missing file in an existing folder is "not found"; a missing folder
        // makes the whole name invalid.
        return !file_name.empty() && is_folder(parent_folder(file_name)) ? InOutError::file_not_found
                                                                          : InOutError::invalid_filename;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return InOutError::invalid_filename;
    case EMFILE:
    case ENFILE:
        return InOutError::too_many_files;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return InOutError::access_denied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return InOutError::disk_full;
    // The device failed: the read and write fault codes.
    case EIO:
        return for_reading ? 30 : 29;
    // System numbers that would read as one of the codes above.
    case ESRCH:
    case EINTR:
        return 31;
    case ENETDOWN:
    case ENETUNREACH:
        return 59;
    default:
        return err;
    }
}

// ---- writing ----

RecordWriter::RecordWriter(const std::string& file_name) : target_(file_name) {
    if (file_name.empty()) throw InOutError(InOutError::invalid_filename);
    buffer_.reset(new unsigned char[buffer_bytes]);
    capacity_ = buffer_bytes;

    struct stat st;
    bool exists = false;
    bool direct = false;
    if (::lstat(target_.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // Replace the file the link names and keep the link.
            if (char* real = ::realpath(target_.c_str(), nullptr)) {
                target_ = real;
                std::free(real);
            } else {
                direct = true;  // a dangling link: creating through it makes its file
            }
        }
        if (!direct && ::stat(target_.c_str(), &st) == 0) {
            exists = true;
            if (S_ISDIR(st.st_mode)) throw InOutError(InOutError::access_denied);
            if (!S_ISREG(st.st_mode)) direct = true;
        }
    } else if (errno != ENOENT) {
        throw InOutError(io_error_code(errno, file_name, false));
    }

    if (direct) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd_ < 0) throw InOutError(io_error_code(errno, target_, false));
    } else {
        if (exists) {
            // A file the user may not write stays as it is, even though its
            // folder would let us put another file in its place.
            const int probe = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            if (probe < 0) throw InOutError(io_error_code(errno, target_, false));
            ::close(probe);
        }
        std::string base = std::filesystem::path(target_).filename().string();
        if (base.size() > 200) base.resize(200);
        const std::string folder = std::filesystem::path(target_).parent_path().string();
        std::string temp = (folder.empty() ? std::string() : folder + "/") + "." + base + ".XXXXXX";
        fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd_ < 0) throw InOutError(io_error_code(errno, target_, false));
        temp_ = temp;
        const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~current_umask());
        if (::fchmod(fd_, mode) != 0) fail(errno);
        if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()))
            (void)!::fchown(fd_, st.st_uid, st.st_gid);  // only a privileged user can; others keep theirs
    }
}

RecordWriter::~RecordWriter() {
    if (!committed_) discard();
}

void RecordWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

void RecordWriter::fail(int err) {
    discard();
    throw InOutError(io_error_code(err, target_, false));
}

void RecordWriter::flush_buffer() {
    std::size_t done = 0;
    while (done < used_) {
        const ssize_t n = ::write(fd_, buffer_.get() + done, used_ - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
    written_ += static_cast<int64_t>(done);
#ifdef SYNC_FILE_RANGE_WRITE
    // Start putting what is written on the disk while the rest is being made,
    // so that the sync on commit has little left to wait for. A hint only: a
    // file that cannot take it is synced on commit all the same.
    if (!temp_.empty() && written_ - started_ >= writeback_bytes) {
        (void)::sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
        started_ = written_;
    }
#endif
}

namespace {
// Closes fd on a thread of its own, or here when no thread can be started.
void release_later(int fd) {
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
        ::close(fd);
    }
}
}  // namespace

void RecordWriter::commit() {
    flush_buffer();
    if (::fsync(fd_) != 0 && (!temp_.empty() || (errno != EINVAL && errno != EROFS))) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) fail(errno);
    if (!temp_.empty()) {
        // The file the new one replaces is held open across the rename, so the
        // rename does not wait while the system frees its blocks (some 40 ms
        // for a world of 150 MB); the last hold is let go on a thread of its
        // own. Nothing the save promises depends on it: the new file is on the
        // disk already, and a process that ends first lets the old one go too.
        const int old_file = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            const int err = errno;
            if (old_file >= 0) ::close(old_file);
            fail(err);
        }
        if (old_file >= 0) release_later(old_file);
        temp_.clear();
        // Make the new name itself durable; a folder that cannot be synced is no error.
        const int dir = ::open(parent_folder(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            (void)::fsync(dir);
            ::close(dir);
        }
    }
    committed_ = true;
}

// ---- reading ----

RecordReader::RecordReader(const std::string& file_name) : name_(file_name) {
    if (file_name.empty()) throw InOutError(InOutError::invalid_filename);
    fd_ = ::open(file_name.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) throw InOutError(io_error_code(errno, file_name, true));
    struct stat st;
    if (::fstat(fd_, &st) != 0) fail(errno);
    if (S_ISREG(st.st_mode)) {
        size_ = st.st_size;
        buffer_.resize(static_cast<std::size_t>(std::min<int64_t>(size_, buffer_bytes)) + 4);
        return;
    }
    // Not a regular file: its size is known only once it is read.
    for (;;) {
        if (end_ == buffer_.size()) {
            if (static_cast<int64_t>(end_) >= max_stream_bytes) break;
            buffer_.resize(std::max<std::size_t>(buffer_bytes, buffer_.size() * 2));
        }
        const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) break;
        end_ += static_cast<std::size_t>(n);
    }
    size_ = consumed_ = static_cast<int64_t>(end_);
}

RecordReader::~RecordReader() {
    if (fd_ >= 0) ::close(fd_);
}

void RecordReader::fail(int err) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    throw InOutError(io_error_code(err, name_, true));
}

void RecordReader::refill() {
    // Keep the bytes of a record cut by the buffer's end, then read on.
    const std::size_t left = end_ - pos_;
    std::memmove(buffer_.data(), buffer_.data() + pos_, left);
    pos_ = 0;
    end_ = left;
    while (end_ < 4) {
        const int64_t wanted = std::min<int64_t>(size_ - consumed_, static_cast<int64_t>(buffer_.size() - end_));
        if (wanted <= 0 || fd_ < 0) throw InOutError(InOutError::read_beyond_end);
        const ssize_t n = ::read(fd_, buffer_.data() + end_, static_cast<std::size_t>(wanted));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) throw InOutError(InOutError::read_beyond_end);  // the file got shorter
        end_ += static_cast<std::size_t>(n);
        consumed_ += n;
    }
}

void RecordReader::close() {
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) throw InOutError(io_error_code(errno, name_, true));
}

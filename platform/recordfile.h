#pragma once
// Files of 4-byte records: little-endian signed 32-bit values back to back,
// read and written through large buffers.
//
// Every failure is an InOutError with the code the editor's messages use:
// 2 file not found, 3 invalid filename (also a folder that does not exist),
// 4 too many open files, 5 access denied (also a read-only file or folder and
// a folder given as the file), 100 read beyond end of file, 101 disk full;
// any other system error keeps its own number (remapped when that number
// would read as one of the codes above).
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// The code of an InOutError for the system error err (an errno value).
// For_reading picks the code of a device error while reading or writing.
int io_error_code(int err, const std::string& file_name, bool for_reading);

// Writes a new file of records without ever damaging the file it replaces:
// the records go to a temporary file in the target's folder, which takes the
// target's name only in commit(), after every record is on the disk. An
// existing target keeps its permissions; a target that is not a regular file
// (a device, a pipe) is written directly. A writer destroyed before commit()
// removes its temporary file and leaves the target as it was.
class RecordWriter {
public:
    explicit RecordWriter(const std::string& file_name);
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void write(int32_t value) {
        if (used_ + 4 > capacity_) flush_buffer();
        store(buffer_.get() + used_, value);
        used_ += 4;
    }
    // Writes n values, as write() would one by one.
    void write_values(const int32_t* values, std::size_t n) {
        while (n > 0) {
            if (used_ + 4 > capacity_) flush_buffer();
            const std::size_t k = std::min(n, (capacity_ - used_) / 4);
            unsigned char* at = buffer_.get() + used_;
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(at, values, k * 4);
            } else {
                for (std::size_t i = 0; i < k; ++i) store(at + 4 * i, values[i]);
            }
            used_ += k * 4;
            values += k;
            n -= k;
        }
    }
    // Writes what is buffered, puts it on the disk, closes the file and gives
    // it the target's name.
    void commit();

private:
    static void store(unsigned char* at, int32_t value) {
        uint32_t v = static_cast<uint32_t>(value);
        if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
        std::memcpy(at, &v, 4);
    }
    void flush_buffer();
    [[noreturn]] void fail(int err);
    void discard();

    std::string target_;     // the name the file gets on commit
    std::string temp_;       // the file being written; empty when writing the target directly
    int fd_ = -1;
    bool committed_ = false;
    std::unique_ptr<unsigned char[]> buffer_;  // left uninitialised: only what is written is touched
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    int64_t written_ = 0;  // bytes handed to the file so far
    int64_t started_ = 0;  // bytes whose writing to the disk has been started
};

// Reads a file of records front to back. The file is opened for reading and
// writing, as the editor has always done, so a file the user may not change
// cannot be opened.
class RecordReader {
public:
    explicit RecordReader(const std::string& file_name);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // The next record; fewer than 4 bytes left give "Read beyond end of file".
    int32_t read() {
        if (end_ - pos_ < 4) refill();
        uint32_t v;
        std::memcpy(&v, buffer_.data() + pos_, 4);
        if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
        pos_ += 4;
        return static_cast<int32_t>(v);
    }
    // The next n records into out, as read() would give them one by one.
    void read_values(int32_t* out, std::size_t n) {
        while (n > 0) {
            if (end_ - pos_ < 4) refill();
            const std::size_t k = std::min(n, (end_ - pos_) / 4);
            const unsigned char* from = buffer_.data() + pos_;
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(out, from, k * 4);
            } else {
                for (std::size_t i = 0; i < k; ++i) {
                    uint32_t v;
                    std::memcpy(&v, from + 4 * i, 4);
                    out[i] = static_cast<int32_t>(__builtin_bswap32(v));
                }
            }
            pos_ += k * 4;
            out += k;
            n -= k;
        }
    }
    // The next n records, each cut to its low 8 bits (the characters of a text).
    void read_chars(char* out, std::size_t n) {
        while (n > 0) {
            if (end_ - pos_ < 4) refill();
            const std::size_t k = std::min(n, (end_ - pos_) / 4);
            const unsigned char* from = buffer_.data() + pos_;
            // Little-endian: the low byte comes first.
            for (std::size_t i = 0; i < k; ++i) out[i] = static_cast<char>(from[4 * i]);
            pos_ += k * 4;
            out += k;
            n -= k;
        }
    }
    // Whole records not yet read.
    int64_t remaining() const { return (size_ - consumed_ + static_cast<int64_t>(end_ - pos_)) / 4; }
    void close();

private:
    void refill();
    [[noreturn]] void fail(int err);

    std::string name_;
    int fd_ = -1;
    int64_t size_ = 0;      // bytes in the file when it was opened
    int64_t consumed_ = 0;  // bytes taken into the buffer so far
    std::vector<unsigned char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

#pragma once
// Hostile worlds built field by field from a string of bytes, for the hostile
// world fuzzer and the fixed corpus that `make test` runs: the structure is
// always one the writer can save (lists as long as their counts say), but
// every index, count, picture and vocabulary number holds a value the bytes
// choose from the hostile kinds below. Bytes past the end of the input read
// as zero, so every input builds a world.
//
// The first byte of an input is its mode (see HostileMode); the bytes after it
// drive the builder.
#include "model/init.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The kinds of value an index or count field gets, for a list of n entries.
enum class Hostile : uint8_t {
    minus_one,   // -1
    lowest,      // INT32_MIN
    highest,     // INT32_MAX
    past_end,    // n
    zero,        // 0
    valid,       // one of 0 .. n-1 (0 for an empty list)
    large,       // a large count (100000)
    last,        // n - 1 (-1 for an empty list)
};
constexpr int hostile_kinds = 8;
std::string hostile_name(Hostile kind);

// The value of kind for a list of n entries; pick chooses the valid one.
int32_t hostile_value(Hostile kind, std::size_t n, uint8_t pick = 0);

// The mode byte of an input: which kind every index takes (none: the bytes
// choose each one), whether a large world of valid indexes is opened first
// (so that every selection and buffer is stale when this one opens), and
// whether the questions of the boxes are answered Cancel.
struct HostileMode {
    std::optional<Hostile> forced;
    bool stale = false;
    bool cancel = false;

    static HostileMode from_byte(uint8_t b);
    uint8_t to_byte() const;
};

// Reads the bytes of an input one at a time.
class HostileBytes {
public:
    HostileBytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    // The next byte, or 0 past the end.
    uint8_t byte();
    bool flag() { return byte() & 1; }
    // A list length of 0 .. most (most when longest is set).
    std::size_t length(std::size_t most);
    // A value for a field that names an entry of a list of n entries.
    int32_t index(std::size_t n);
    // A value for a number or count that names no entry (amounts, capacities,
    // sizes, levels): the hostile kinds against a list of 1000.
    int32_t number() { return index(1000); }

    // Every index takes this kind at every other draw (the others stay
    // valid, so that windows open on the things the hostile values lie in).
    std::optional<Hostile> forced;
    bool longest = false;

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    std::size_t draws_ = 0;
};

// A world built from bytes; tiles is the number of tile frames, for pictures.
// The things it places stand mostly on the first cells of the maps.
TWorld build_hostile_world(HostileBytes& bytes, std::size_t tiles);

// A world where every index is valid and every list is as long as the
// builder makes lists: opened first, it leaves selections and buffers that a
// smaller world makes stale.
TWorld build_large_world(std::size_t tiles);

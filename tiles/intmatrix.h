#pragma once
// The matrix of a map's cells: width columns of height 32-bit values, held in
// one block, column after column, and addressed [x][y] like a list of
// integer lists. A column is a view into the block: it reads and writes the
// matrix's values and can be copied out as a tintarray. Every column has the
// same height, so a matrix is always rectangular.
//
// Many matrices made at once (a world file's maps) can share one large block
// (cell_slab) instead of one allocation each: a new block costs a page fault
// for every page of it, and one large block can be backed by huge pages.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

using tintarray = std::vector<int32_t>;

// Asks the system to back the whole 2 MB pages within [data, data + bytes) by
// huge pages when it offers them; a hint only, which changes no value.
void advise_huge_pages(void* data, std::size_t bytes);

// Faults in fresh memory on a few helper threads while the caller goes on
// filling it: on a virtual machine the first touch of a page can cost more than
// what is then written there, and several threads pay it side by side. Each
// range is cut into 2 MB pieces that the helpers ask the system to back
// (MADV_POPULATE_WRITE, which changes no value), the last pieces first, so that
// a caller filling the range from its start meets them halfway. Where the
// system offers no such call nothing is done. The destructor drops what is not
// yet done and waits for the helpers.
class page_populator {
public:
    page_populator();
    page_populator(const page_populator&) = delete;
    page_populator& operator=(const page_populator&) = delete;
    ~page_populator();
    void populate(void* data, std::size_t bytes);
    // Drops the pieces not yet begun and waits for those under way.
    void drop();

private:
    struct state;
    std::unique_ptr<state> s_;
};

class cell_slab;

class tintmatrix {
public:
    template <class T>
    class basic_column {
    public:
        using value_type = int32_t;
        using size_type = std::size_t;
        using iterator = T*;
        using const_iterator = const int32_t*;
        using reference = T&;
        using const_reference = const int32_t&;

        basic_column(T* data, std::size_t size) : data_(data), size_(size) {}
        operator basic_column<const int32_t>() const { return {data_, size_}; }

        std::size_t size() const { return size_; }
        bool empty() const { return size_ == 0; }
        T& operator[](std::size_t y) const { return data_[y]; }
        T* begin() const { return data_; }
        T* end() const { return data_ + size_; }
        T* data() const { return data_; }
        operator tintarray() const { return tintarray(data_, data_ + size_); }
        bool operator==(const basic_column<const int32_t>& other) const {
            return size_ == other.size() && std::equal(data_, data_ + size_, other.data());
        }
        bool operator==(const tintarray& other) const {
            return size_ == other.size() && std::equal(data_, data_ + size_, other.data());
        }

    private:
        T* data_;
        std::size_t size_;
    };
    using column = basic_column<int32_t>;
    using const_column = basic_column<const int32_t>;

    // Walks the columns in order of x.
    template <class T>
    class basic_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = basic_column<T>;
        using difference_type = std::ptrdiff_t;
        using reference = basic_column<T>;
        using pointer = void;

        basic_iterator() = default;
        basic_iterator(T* data, std::size_t height, std::size_t x) : data_(data), height_(height), x_(x) {}
        basic_column<T> operator*() const { return {data_ + x_ * height_, height_}; }
        basic_column<T> operator[](difference_type n) const { return *(*this + n); }
        basic_iterator& operator++() { ++x_; return *this; }
        basic_iterator operator++(int) { basic_iterator old = *this; ++x_; return old; }
        basic_iterator& operator--() { --x_; return *this; }
        basic_iterator operator--(int) { basic_iterator old = *this; --x_; return old; }
        basic_iterator& operator+=(difference_type n) { x_ += n; return *this; }
        basic_iterator& operator-=(difference_type n) { x_ -= n; return *this; }
        friend basic_iterator operator+(basic_iterator i, difference_type n) { return i += n; }
        friend basic_iterator operator+(difference_type n, basic_iterator i) { return i += n; }
        friend basic_iterator operator-(basic_iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const basic_iterator& a, const basic_iterator& b) {
            return static_cast<difference_type>(a.x_) - static_cast<difference_type>(b.x_);
        }
        bool operator==(const basic_iterator& other) const { return x_ == other.x_; }
        auto operator<=>(const basic_iterator& other) const { return x_ <=> other.x_; }

    private:
        T* data_ = nullptr;
        std::size_t height_ = 0;
        std::size_t x_ = 0;
    };
    using iterator = basic_iterator<int32_t>;
    using const_iterator = basic_iterator<const int32_t>;
    using value_type = column;
    using size_type = std::size_t;

    tintmatrix() = default;
    // columns copies of column (every column of a matrix has the same height).
    explicit tintmatrix(std::size_t columns, const tintarray& column = {}) { assign(columns, column); }
    // The columns given; shorter ones are filled up with 0 to the longest.
    tintmatrix(std::initializer_list<tintarray> columns);
    tintmatrix(const tintmatrix& other);
    tintmatrix(tintmatrix&& other) noexcept;
    tintmatrix& operator=(const tintmatrix& other);
    tintmatrix& operator=(tintmatrix&& other) noexcept;
    ~tintmatrix() = default;

    void assign(std::size_t columns, const tintarray& column);
    void assign(std::size_t columns, std::size_t height, int32_t value);
    void clear();

    std::size_t size() const { return columns_; }  // the number of columns
    bool empty() const { return columns_ == 0; }
    std::size_t height() const { return height_; }  // the number of values in each column
    column operator[](std::size_t x) { return {data_ + x * height_, height_}; }
    const_column operator[](std::size_t x) const { return {data_ + x * height_, height_}; }
    iterator begin() { return {data_, height_, 0}; }
    iterator end() { return {data_, height_, columns_}; }
    const_iterator begin() const { return {data_, height_, 0}; }
    const_iterator end() const { return {data_, height_, columns_}; }
    // All values, column after column.
    int32_t* data() { return data_; }
    const int32_t* data() const { return data_; }

    bool operator==(const tintmatrix& other) const;

private:
    friend class cell_slab;
    // A block of n values of its own, left uninitialised.
    void allocate(std::size_t columns, std::size_t height);

    std::shared_ptr<int32_t> block_;  // owns the values (or a share of a slab)
    int32_t* data_ = nullptr;
    std::size_t columns_ = 0;
    std::size_t height_ = 0;
};

// One large block of address space, backed by huge pages where the system
// offers them, that hands out the blocks of many matrices in a row. Only the
// pages that are used take memory; trim() gives the unused end back. The
// block lives as long as the slab or any matrix made from it.
class cell_slab {
public:
    // Room for up to max_values values; nothing is committed yet.
    explicit cell_slab(std::size_t max_values);
    // Has the next values of the slab faulted in by populator (as far as there is room).
    void prefetch(std::size_t values, page_populator& populator);
    // Gives m columns x height values, uninitialised, from the slab, or from a
    // block of m's own when the slab has no room left.
    void take(tintmatrix& m, std::size_t columns, std::size_t height);
    // Unmaps what no matrix has been given.
    void trim();

private:
    struct mapping;
    std::shared_ptr<mapping> map_;
    int32_t* next_ = nullptr;
    std::size_t left_ = 0;  // values not yet handed out
};

#include "tiles/intmatrix.h"

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <thread>

namespace {

constexpr std::size_t huge_page = std::size_t(2) << 20;

}  // namespace

void advise_huge_pages(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + huge_page - 1) & ~(huge_page - 1);
    const std::uintptr_t last = (begin + bytes) & ~(huge_page - 1);
    if (last > first) (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

// ---- page_populator ----


struct page_populator::state {
    std::mutex mutex;
    std::condition_variable more;  // work arrived, or stop
    std::condition_variable idle;  // no work left and no helper busy
    std::vector<std::pair<char*, std::size_t>> pieces;  // taken from the back
    int busy = 0;
    bool stop = false;
    bool unsupported = false;
    std::vector<std::thread> helpers;

    void run() {
        std::unique_lock lock(mutex);
        for (;;) {
            more.wait(lock, [&] { return stop || !pieces.empty(); });
            if (stop) return;
            const auto [at, bytes] = pieces.back();
            pieces.pop_back();
            ++busy;
            lock.unlock();
            const bool ok = populate(at, bytes);
            lock.lock();
            --busy;
            if (!ok) {
                unsupported = true;
                pieces.clear();
            }
            if (busy == 0) idle.notify_all();
        }
    }
    static bool populate(char* at, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
        // ENOMEM: part of the range is no longer mapped; nothing to do there.
        return ::madvise(at, bytes, MADV_POPULATE_WRITE) == 0 || errno == ENOMEM;
#else
        (void)at;
        (void)bytes;
        return false;
#endif
    }
};

page_populator::page_populator() = default;

void page_populator::populate(void* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    // madvise takes whole pages: the pages that lie entirely within the range.
    const std::uintptr_t page = 4096;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + page - 1) & ~(page - 1);
    const std::uintptr_t last = (begin + bytes) & ~(page - 1);
    if (last <= first) return;
    if (!s_) s_ = std::make_unique<state>();
    std::lock_guard lock(s_->mutex);
    if (s_->unsupported) return;
    for (std::uintptr_t at = first; at < last;) {
        const std::uintptr_t end = std::min<std::uintptr_t>(last, (at + huge_page) & ~(huge_page - 1));
        s_->pieces.emplace_back(reinterpret_cast<char*>(at), end - at);
        at = end;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    const std::size_t wanted = std::min<std::size_t>(3, cores > 1 ? cores - 1 : 1);
    while (s_->helpers.size() < wanted) s_->helpers.emplace_back([s = s_.get()] { s->run(); });
    s_->more.notify_all();
#else
    (void)data;
    (void)bytes;
#endif
}

void page_populator::drop() {
    if (!s_) return;
    std::unique_lock lock(s_->mutex);
    s_->pieces.clear();
    s_->idle.wait(lock, [&] { return s_->busy == 0; });
}

page_populator::~page_populator() {
    if (!s_) return;
    {
        std::lock_guard lock(s_->mutex);
        s_->stop = true;
        s_->pieces.clear();
    }
    s_->more.notify_all();
    for (auto& t : s_->helpers) t.join();
}

// ---- tintmatrix ----

tintmatrix::tintmatrix(std::initializer_list<tintarray> columns) {
    std::size_t height = 0;
    for (const tintarray& c : columns) height = std::max(height, c.size());
    allocate(columns.size(), height);
    int32_t* at = data_;
    for (const tintarray& c : columns) {
        std::copy(c.begin(), c.end(), at);
        std::fill(at + c.size(), at + height, 0);
        at += height;
    }
}

tintmatrix::tintmatrix(const tintmatrix& other) {
    allocate(other.columns_, other.height_);
    if (other.columns_ * other.height_ != 0)
        std::memcpy(data_, other.data_, other.columns_ * other.height_ * sizeof(int32_t));
}

tintmatrix::tintmatrix(tintmatrix&& other) noexcept
    : block_(std::move(other.block_)), data_(other.data_), columns_(other.columns_), height_(other.height_) {
    other.data_ = nullptr;
    other.columns_ = other.height_ = 0;
}

tintmatrix& tintmatrix::operator=(const tintmatrix& other) {
    if (this != &other) *this = tintmatrix(other);
    return *this;
}

tintmatrix& tintmatrix::operator=(tintmatrix&& other) noexcept {
    if (this != &other) {
        block_ = std::move(other.block_);
        data_ = other.data_;
        columns_ = other.columns_;
        height_ = other.height_;
        other.data_ = nullptr;
        other.columns_ = other.height_ = 0;
    }
    return *this;
}

void tintmatrix::allocate(std::size_t columns, std::size_t height) {
    const std::size_t n = columns * height;
    if (height != 0 && n / height != columns) throw std::bad_alloc();
    if (n == 0) {
        block_.reset();
        data_ = nullptr;
    } else {
        block_.reset(new int32_t[n], std::default_delete<int32_t[]>());
        data_ = block_.get();
    }
    columns_ = columns;
    height_ = height;
}

void tintmatrix::assign(std::size_t columns, const tintarray& column) {
    allocate(columns, column.size());
    for (std::size_t x = 0; x < columns; ++x) std::copy(column.begin(), column.end(), data_ + x * height_);
}

void tintmatrix::assign(std::size_t columns, std::size_t height, int32_t value) {
    allocate(columns, height);
    std::fill(data_, data_ + columns * height, value);
}

void tintmatrix::clear() { allocate(0, 0); }

bool tintmatrix::operator==(const tintmatrix& other) const {
    return columns_ == other.columns_ && height_ == other.height_ &&
           std::equal(data_, data_ + columns_ * height_, other.data_);
}

// ---- cell_slab ----

struct cell_slab::mapping {
    void* base = nullptr;
    std::size_t bytes = 0;
    ~mapping() {
        if (base) ::munmap(base, bytes);
    }
};

cell_slab::cell_slab(std::size_t max_values) {
    // Small runs are not worth a mapping of their own.
    if (max_values < huge_page / sizeof(int32_t)) return;
    auto m = std::make_shared<mapping>();
    const std::size_t bytes = max_values * sizeof(int32_t) + huge_page;
    void* base = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) return;
    m->base = base;
    m->bytes = bytes;
    advise_huge_pages(base, bytes);
    // Start on a huge page, so that the first one is whole.
    const auto at = (reinterpret_cast<std::uintptr_t>(base) + huge_page - 1) & ~(huge_page - 1);
    next_ = reinterpret_cast<int32_t*>(at);
    left_ = max_values;
    map_ = std::move(m);
}

void cell_slab::prefetch(std::size_t values, page_populator& populator) {
    if (map_) populator.populate(next_, std::min(values, left_) * sizeof(int32_t));
}

void cell_slab::take(tintmatrix& m, std::size_t columns, std::size_t height) {
    const std::size_t n = columns * height;
    if (height != 0 && n / height != columns) throw std::bad_alloc();
    if (!map_ || n == 0 || n > left_) {
        m.allocate(columns, height);
        return;
    }
    m.block_ = std::shared_ptr<int32_t>(map_, next_);
    m.data_ = next_;
    m.columns_ = columns;
    m.height_ = height;
    next_ += n;
    left_ -= n;
}

void cell_slab::trim() {
    if (!map_) return;
    const auto base = reinterpret_cast<std::uintptr_t>(map_->base);
    const std::uintptr_t used_end = (reinterpret_cast<std::uintptr_t>(next_) + huge_page - 1) & ~(huge_page - 1);
    const std::uintptr_t end = base + map_->bytes;
    if (used_end < end && ::munmap(reinterpret_cast<void*>(used_end), end - used_end) == 0)
        map_->bytes = used_end - base;
    if (map_->bytes == 0) map_->base = nullptr;
    left_ = 0;
    map_.reset();
}

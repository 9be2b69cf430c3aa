#include "platform/folder.h"

#include "platform/errors.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool match_from(const std::string& name, std::size_t n, const std::string& pattern, std::size_t p) {
    // Greedy matching with one remembered star: linear for the patterns in use.
    std::size_t star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// Punctuation in the order the desktop sorts it, before digits and letters.
constexpr const char* punctuation_order = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

int weight(unsigned char c) {
    if (c >= 'a' && c <= 'z') return 300 + (c - 'a');
    if (c >= 'A' && c <= 'Z') return 300 + (c - 'A');
    if (c >= '0' && c <= '9') return 200 + (c - '0');
    if (c == '\'') return 98;
    if (c == '-') return 99;
    if (c >= 128) return 400 + c;
    for (int i = 0; punctuation_order[i] != '\0'; ++i)
        if (punctuation_order[i] == static_cast<char>(c)) return 100 + i;
    return c;  // control characters first
}

bool ignorable(unsigned char c) { return c == '-' || c == '\''; }

int compare_weights(const std::string& a, const std::string& b, bool skip_ignorable) {
    std::size_t i = 0, j = 0;
    for (;;) {
        if (skip_ignorable) {
            while (i < a.size() && ignorable(static_cast<unsigned char>(a[i]))) ++i;
            while (j < b.size() && ignorable(static_cast<unsigned char>(b[j]))) ++j;
        }
        if (i == a.size() || j == b.size()) break;
        const int wa = weight(static_cast<unsigned char>(a[i])), wb = weight(static_cast<unsigned char>(b[j]));
        if (wa != wb) return wa < wb ? -1 : 1;
        ++i;
        ++j;
    }
    const bool a_done = i == a.size(), b_done = j == b.size();
    return a_done == b_done ? 0 : (a_done ? -1 : 1);
}
}  // namespace

bool matches_pattern(const std::string& name, const std::string& pattern) {
    return match_from(name, 0, pattern, 0);
}

std::vector<std::string> list_folder(const std::string& folder, const std::string& pattern) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    const fs::path path = folder.empty() ? fs::path(".") : fs::path(folder);
    fs::directory_iterator it(path, error), end;
    for (; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name == "." || name == "..") continue;
        if (matches_pattern(name, pattern)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = compare_text(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

int compare_text(const std::string& a, const std::string& b) {
    if (const int c = compare_weights(a, b, true); c != 0) return c;
    // Otherwise equal: the text with fewer hyphens and apostrophes first.
    const auto ignorables = [](const std::string& s) {
        return std::count_if(s.begin(), s.end(), [](char c) { return ignorable(static_cast<unsigned char>(c)); });
    };
    if (const auto na = ignorables(a), nb = ignorables(b); na != nb) return na < nb ? -1 : 1;
    return compare_weights(a, b, false);
}

int SortedStrings::add(const std::string& text) {
    const auto place = std::upper_bound(items_.begin(), items_.end(), text,
                                        [](const std::string& t, const std::string& item) {
                                            const int c = compare_text(t, item);
                                            return c != 0 ? c < 0 : t < item;
                                        });
    return static_cast<int>(items_.insert(place, text) - items_.begin());
}

const std::string& SortedStrings::at(int index) const {
    if (index < 0 || index >= count()) throw ListIndexError(index);
    return items_[static_cast<std::size_t>(index)];
}

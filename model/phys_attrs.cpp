#include "model/links.h"
#include "model/tools.h"

#include <algorithm>
#include <string>

void set_phys_attr(int32_t number, int32_t value, Tskills& list) {
    if (value < 1) return;
    const auto same = std::find_if(list.begin(), list.end(), [number](const Tskill& s) { return s.number == number; });
    if (same != list.end()) same->value = value;
    else list.push_back(Tskill{number, value, 0});
}

bool remove_phys_attr(int32_t line, Tskills& list) {
    if (!links::in_range(line, list)) return false;
    list[static_cast<std::size_t>(line)].value = 0;
    return true;
}

TStrings list_phys_attrs(Tskills& list) {
    std::erase_if(list, [](const Tskill& s) { return s.value <= 0; });
    TStrings lines;
    for (const Tskill& s : list) lines.push_back(vocabulary_word(phys_attrs, s.number) + " " + std::to_string(s.value));
    return lines;
}

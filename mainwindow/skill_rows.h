#pragma once
// The 32 skill rows of the NPC page and of the NPC settings dialog: per skill a
// label with its name and an edit for its value, two columns of 16 rows 22
// pixels apart, made at start-up from a hidden pattern label and edit.
#include "platform/kit/kit.h"

#include <array>
#include <functional>

struct SkillRows {
    // Entry i (1..32): the name and the value edit of skill i; entry 0 unused.
    std::array<kit::Label*, 33> labels{};
    std::array<kit::Edit*, 33> edits{};
    // The width of the widest name in a column (0: skills 1..16, 1: 17..32).
    int widest_name(int column) const;
};

// Where the two columns stand: the left of the names and of the edits of
// column 0 (skills 1..16) and column 1 (skills 17..32).
struct SkillColumns {
    std::array<int, 2> name{}, edit{};
};

// Makes the rows in box, owned by owner: label i named "skill_label<i>" with
// skill i's name, edit i named "skill_edit<i>" with "0", both shown. Row k of
// a column stands at the pattern label's and the pattern edit's top + 22 x k,
// every edit at the pattern edit's size; columns says where the columns stand,
// given the labels sized to their names.
SkillRows make_skill_rows(kit::Window& owner, kit::Control& box, const kit::Label& pattern_label,
                          const kit::Edit& pattern_edit, const std::function<SkillColumns(const SkillRows&)>& columns);

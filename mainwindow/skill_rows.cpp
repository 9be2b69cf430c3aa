#include "mainwindow/skill_rows.h"

#include "model/init.h"

#include <algorithm>
#include <string>

namespace {

constexpr int skill_row_height = 22;

int column_of(int skill) { return skill <= 16 ? 0 : 1; }

}  // namespace

int SkillRows::widest_name(int column) const {
    int widest = 0;
    for (int i = 1; i <= 32; ++i)
        if (column_of(i) == column) widest = std::max(widest, labels[static_cast<std::size_t>(i)]->width());
    return widest;
}

SkillRows make_skill_rows(kit::Window& owner, kit::Control& box, const kit::Label& pattern_label,
                          const kit::Edit& pattern_edit, const std::function<SkillColumns(const SkillRows&)>& columns) {
    SkillRows rows;
    for (std::size_t i = 1; i <= 32; ++i) {
        kit::Label& label = owner.make<kit::Label>(box, skill_names[i]);
        label.name = "skill_label" + std::to_string(i);
        rows.labels[i] = &label;
    }
    for (std::size_t i = 1; i <= 32; ++i) {
        kit::Edit& edit = owner.make<kit::Edit>(box, "0");
        edit.name = "skill_edit" + std::to_string(i);
        rows.edits[i] = &edit;
    }
    const SkillColumns at = columns(rows);
    for (int i = 1; i <= 32; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const auto c = static_cast<std::size_t>(column_of(i));
        const int dy = (c == 0 ? i - 1 : i - 17) * skill_row_height;
        rows.labels[s]->set_left(at.name[c]);
        rows.labels[s]->set_top(pattern_label.top() + dy);
        rows.edits[s]->set_bounds(at.edit[c], pattern_edit.top() + dy, pattern_edit.width(), pattern_edit.height());
        rows.labels[s]->show();
        rows.edits[s]->show();
    }
    return rows;
}

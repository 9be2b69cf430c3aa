// The field tables: load shows a record in a window's controls, save converts
// and range-checks every control before it writes anything, and each
// record's table carries every field to its own member and back.
#include "mainwindow/field_table.h"
#include "mainwindow/record_fields.h"
#include "platform/errors.h"
#include "platform/kit/kit.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

namespace {

struct Sample {
    int32_t big = 1;
    uint16_t wide = 2;
    uint8_t small = 3;
    int8_t tiny = 4;
    bool on = false;
    std::string name = "old";
    int32_t choice = 1;
    int32_t kind = 1;
    bool operator==(const Sample&) const = default;
};

const fields::Table<Sample>& sample_fields() {
    using namespace fields;
    static const Table<Sample> table({
        number("big", &Sample::big),
        number("wide", &Sample::wide),
        number("small", &Sample::small),
        number("tiny", &Sample::tiny),
        flag("on", &Sample::on),
        text("name", &Sample::name),
        pick("choice", &Sample::choice),
        pick("kind", &Sample::kind, "Pick a kind!"),
    });
    return table;
}

struct SampleWindow : ::testing::Test {
    kit::Window w{"fields"};
    kit::Edit big{w}, wide{w}, small{w}, tiny{w}, name{w};
    kit::CheckBox on{w, "on"};
    kit::ComboBox choice{w}, kind{w};
    SampleWindow() {
        for (kit::ComboBox* c : {&choice, &kind})
            for (const char* line : {"zero", "one", "two"}) c->add(line);
    }
    fields::Form<Sample> form(fields::Reading reading = {}) {
        return fields::Form<Sample>(sample_fields(), std::move(reading),
                                    {{"big", &big},
                                     {"wide", &wide},
                                     {"small", &small},
                                     {"tiny", &tiny},
                                     {"on", &on},
                                     {"name", &name},
                                     {"choice", &choice},
                                     {"kind", &kind}});
    }
};

TEST_F(SampleWindow, LoadShowsTheRecordAndNoRecordEmptiesEveryControl) {
    const Sample s{.big = -7, .wide = 65535, .small = 255, .tiny = -128, .on = true, .name = "n", .choice = 2, .kind = 0};
    form().load(&s);
    EXPECT_EQ(big.text(), "-7");
    EXPECT_EQ(wide.text(), "65535");
    EXPECT_EQ(small.text(), "255");
    EXPECT_EQ(tiny.text(), "-128");
    EXPECT_TRUE(on.checked());
    EXPECT_EQ(name.text(), "n");
    EXPECT_EQ(choice.item_index(), 2);
    EXPECT_EQ(kind.item_index(), 0);

    form().load(nullptr);
    for (kit::Edit* e : {&big, &wide, &small, &tiny, &name}) EXPECT_EQ(e->text(), "");
    EXPECT_FALSE(on.checked());
    EXPECT_EQ(choice.item_index(), -1);
    EXPECT_EQ(kind.item_index(), -1);
}

// Each case types its texts over a loaded record and saves: either every
// field is written, or the error names the text (and range) and the record
// is exactly as it was, the name typed beside it included.
TEST_F(SampleWindow, SaveWritesAllOrNothingAndRefusesWhatItsStorageCannotHold) {
    struct Case {
        const char* what;
        const char* big;
        const char* wide;
        const char* small;
        const char* tiny;
        fields::Reading reading;
        const char* error;  // nullptr: saved
    };
    const Case cases[] = {
        {"all in range", "$10", "65535", "0", "-128", {}, nullptr},
        {"16 bits over", "5", "65536", "0", "0", {}, "'65536' is not within 0..65535"},
        {"16 bits under, range named", "5", "-1", "0", "0", {false, "the range "},
         "'-1' is not within the range 0..65535"},
        {"a byte over", "5", "0", "256", "0", {}, "'256' is not within 0..255"},
        {"8 bits signed under", "5", "0", "0", "-129", {}, "'-129' is not within -128..127"},
        {"no number, later ones valid", "x", "0", "0", "0", {}, "'x' is not a valid integer value"},
        {"the last one fails", "5", "0", "0", "128", {}, "'128' is not within -128..127"},
        {"empty is no number", "", "0", "0", "0", {}, "'' is not a valid integer value"},
        {"empty reads as 0", "", "0", "0", "0", {true, ""}, nullptr},
        {"32 bits over", "2147483648", "0", "0", "0", {}, "'2147483648' is not a valid integer value"},
    };
    w.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sample s;
        form(c.reading).load(&s);
        kit::user::type_text(big, c.big);
        kit::user::type_text(wide, c.wide);
        kit::user::type_text(small, c.small);
        kit::user::type_text(tiny, c.tiny);
        kit::user::type_text(name, "new");
        kit::user::click(on);
        kit::user::pick(choice, 2);
        const Sample before = s;
        if (!c.error) {
            EXPECT_TRUE(form(c.reading).save(s));
            EXPECT_EQ(s.big, c.reading.empty_is_zero ? 0 : 16);
            EXPECT_EQ(s.name, "new");
            EXPECT_TRUE(s.on);
            EXPECT_EQ(s.choice, 2);
            continue;
        }
        try {
            form(c.reading).save(s);
            ADD_FAILURE() << "saved";
        } catch (const EditorError& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
        EXPECT_EQ(s, before);
    }
}

TEST_F(SampleWindow, PickingNoneKeepsTheStoredIndexOrIsRefused) {
    Sample s{.choice = 2, .kind = 1};
    form().load(&s);
    for (const char* t : {"1", "2", "3", "4"}) kit::user::type_text(big, t);
    choice.set_item_index(-1);
    EXPECT_TRUE(form().save(s));
    EXPECT_EQ(s.choice, 2);
    EXPECT_EQ(s.big, 4);

    kind.set_item_index(-1);
    kit::user::type_text(big, "9");
    const Sample before = s;
    try {
        form().save(s);
        ADD_FAILURE() << "saved";
    } catch (const EditorError& e) {
        EXPECT_EQ(std::string(e.what()), "Pick a kind!");
    }
    EXPECT_EQ(s, before);
}

TEST_F(SampleWindow, WindowRulesAndChecksRefuseWithoutWritingAndAKeptNumberIsShown) {
    using Form = fields::Form<Sample>;
    const auto clamp_to_ten = [](const Sample&, const std::string&, int32_t v) { return std::min(v, 10); };
    const Form clamped(sample_fields(), {}, {{"big", &big, clamp_to_ten, true}, {"name", &name}});
    Sample s;
    kit::user::type_text(big, "50");
    kit::user::type_text(name, "n");
    EXPECT_TRUE(clamped.save(s));
    EXPECT_EQ(s.big, 10);
    EXPECT_EQ(big.text(), "10");

    // A rule on a pick decides what none picked stores.
    const Form none_is_minus_one(sample_fields(), {}, {{"choice", &choice, [](const Sample&, const std::string&, int32_t i) {
                                     return i;
                                 }}});
    choice.set_item_index(-1);
    EXPECT_TRUE(none_is_minus_one.save(s));
    EXPECT_EQ(s.choice, -1);

    // A check of the window sees what was read and may refuse it all.
    kit::user::type_text(big, "7");
    kit::user::type_text(name, "m");
    const Sample before = s;
    EXPECT_FALSE(clamped.save(s, [](const Sample& read) { return read.big != 7; }));
    EXPECT_EQ(s, before);
}

TEST_F(SampleWindow, BindingAFieldTheTableLacksOrToAControlThatCannotShowItIsAFault) {
    using Form = fields::Form<Sample>;
    EXPECT_THROW(Form(sample_fields(), {}, {{"nothing", &big}}), std::logic_error);
    EXPECT_THROW(Form(sample_fields(), {}, {{"on", &big}}), std::logic_error);
    EXPECT_THROW(Form(sample_fields(), {}, {{"big", &on}}), std::logic_error);
    EXPECT_THROW(Form(sample_fields(), {}, {{"choice", &big}}), std::logic_error);
}

// Every field of a record's table, bound to a control of its kind, carries a
// value of its own from one record to a fresh one: each name reaches its own
// member, through load and save both.
template <class Record>
void carries_every_field(const fields::Table<Record>& table, const Record& filled) {
    kit::Window w{"all"};
    std::deque<kit::Edit> edits;
    std::deque<kit::Memo> memos;
    std::deque<kit::CheckBox> boxes;
    std::deque<kit::ComboBox> combos;
    std::vector<typename fields::Form<Record>::Entry> entries;
    for (const fields::Field<Record>& f : table.all()) {
        switch (f.conversion) {
            case fields::Conversion::text: entries.push_back({f.name, &memos.emplace_back(w)}); break;
            case fields::Conversion::number: entries.push_back({f.name, &edits.emplace_back(w)}); break;
            case fields::Conversion::flag: entries.push_back({f.name, &boxes.emplace_back(w)}); break;
            case fields::Conversion::pick: {
                kit::ComboBox& c = combos.emplace_back(w);
                for (int i = 0; i < 12; ++i) c.add(std::to_string(i));
                entries.push_back({f.name, &c});
                break;
            }
        }
    }
    const fields::Form<Record> form(table, {}, entries);
    form.load(&filled);
    Record fresh{};
    EXPECT_TRUE(form.save(fresh));
    for (const fields::Field<Record>& f : table.all()) EXPECT_EQ(f.get(fresh), f.get(filled)) << f.name;
    EXPECT_EQ(table.all().size(), entries.size());
}

TEST(RecordFields, EveryTableCarriesEachFieldToItsOwnMember) {
    Tpitem item{};
    int32_t next = 1;
    for (int32_t* v : {&item.hp, &item.weight, &item.volume, &item.value, &item.load, &item.dem1, &item.dem2,
                       &item.dem3, &item.arm1, &item.arm2, &item.arm3, &item.a, &item.b, &item.c, &item.attack,
                       &item.defence, &item.block, &item.cover, &item.skov, &item.penalty})
        *v = 100 + next++;
    item.item_class = 5;
    item.hands = 40000;
    item.name = "sword";
    item.title = "sharp";
    carries_every_field(item_fields(), item);

    Tmapobject o{};
    for (int32_t* v : {&o.size, &o.height, &o.hp, &o.arm1, &o.arm2, &o.arm3}) *v = 100 + next++;
    o.form = 1;
    o.lock = 7;
    o.name = "chest";
    o.title = "old";
    for (bool* b : {&o.floating, &o.door, &o.closed, &o.visible, &o.receiver}) *b = true;
    carries_every_field(object_fields(), o);

    Tchar n{};
    for (int32_t* v : {&n.STR, &n.AGI, &n.DEX, &n.CON, &n.ACU, &n.INT, &n.WIS, &n.PER, &n.hp, &n.sp, &n.mp, &n.size,
                       &n.last_seen_enemy.map, &n.last_seen_enemy.x, &n.last_seen_enemy.y})
        *v = 100 + next++;
    for (std::size_t i = 0; i < n.skills.size(); ++i) n.skills[i] = 200 + static_cast<int32_t>(i);
    n.fraction = 3;
    n.name = "guard";
    n.self_name = "Bob";
    n.description = "tall";
    carries_every_field(npc_fields(), n);

    Tpres r{};
    for (int32_t* v : {&r.value, &r.weight, &r.power, &r.amount}) *v = 100 + next++;
    r.kind = 4;
    r.name = "arrow";
    r.title = "pointed";
    carries_every_field(resource_fields(), r);

    Ttrigger t{};
    for (int32_t* v : {&t.place.x, &t.place.y, &t.target, &t.size, &t.interval}) *v = 100 + next++;
    t.kind = 8;
    t.place.map = 2;
    t.name = "door";
    t.description = "d";
    t.success_text = "s";
    t.false_text = "f";
    t.visible = t.active = true;
    carries_every_field(trigger_fields(), t);

    Tevent e{};
    for (int32_t* v : {&e.target, &e.place.x, &e.place.y, &e.value}) *v = 100 + next++;
    e.action = 11;
    e.place.map = 3;
    e.target_name = "n";
    e.text = "t";
    e.turn_off_trigger = e.continue_on_false = true;
    carries_every_field(event_fields(), e);
}

}  // namespace

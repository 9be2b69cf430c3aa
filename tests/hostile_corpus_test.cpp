// The hostile world fuzzer's fixed corpus (fuzz/corpus-hostile_world_fuzz/):
// one input for each kind of hostile value (-1, INT32_MIN, INT32_MAX, just
// past the end, a large count, the last entry), a stale world opened over a
// large one, and mixed ones, each run through the same routine as the fuzzer:
// the world built field by field, saved, opened through File > Open, every
// page opened and every secondary window opened from each of its openers and
// closed again, with no sanitizer report, no error from the standard library
// and no window left without input.
#include "tests/support/editor_fixture.h"
#include "tests/support/hostile_run.h"
#include "tests/support/hostile_world.h"

#include <QDir>
#include <climits>

namespace {

std::string corpus_folder() { return std::string(EDITOR_SOURCE_DIR) + "/fuzz/corpus-hostile_world_fuzz"; }

std::vector<std::string> corpus_entries() {
    std::vector<std::string> names;
    for (const QString& n : QDir(QString::fromStdString(corpus_folder())).entryList(QDir::Files, QDir::Name))
        names.push_back(n.toStdString());
    return names;
}

class HostileCorpus : public EditorFixture {};

// Every entry, each on a freshly started editor; together they open every
// secondary window from each of its openers.
TEST_F(HostileCorpus, EveryWindowOpensAndGivesItsOpenerBack) {
    const std::vector<std::string> names = corpus_entries();
    ASSERT_GE(names.size(), 8u);
    std::set<std::string> opened;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string bytes = read_file(corpus_folder() + "/" + name);
        ASSERT_FALSE(bytes.empty());
        destroy_windows();
        start();
        const HostileRunResult r =
            run_hostile_input(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), *modal_, dir_.path(),
                              [&name](const std::string& fault) { ADD_FAILURE() << name << ": " << fault; });
        EXPECT_GT(r.actions, 50) << name;
        opened.insert(r.opened.begin(), r.opened.end());
    }
    for (const char* pair : {"Finv from Form1", "Form2 from Form1", "Form4 from Form1", "Form5 from Form1",
                             "Form6 from Form1", "Form7 from Form1", "Form8 from Form1", "Form10 from Form1",
                             "Form3 from Form2", "Form3 from Form5", "Form3 from Form8", "Form9 from Form2",
                             "Form9 from Form3", "Form9 from Form5", "Form9 from Form8"})
        EXPECT_TRUE(opened.count(pair)) << pair << " was never opened";
}

// The walkers' settled check names each window left without input, open or
// with a popup menu up.
TEST_F(HostileCorpus, UnsettledNamesWhatIsLeftLocked) {
    EXPECT_TRUE(walk::unsettled(form()).empty());
    editor.Form4->set_enabled(false);
    main_window().set_enabled(false);
    EXPECT_EQ(walk::unsettled(form()),
              (std::vector<std::string>{"the main window takes no input", "Form4 takes no input"}));
    editor.Form4->set_enabled(true);
    main_window().set_enabled(true);
}

// The builder's values: each kind against a list of n, and a forced kind at
// every other index with the others valid.
TEST(HostileWorld, KindsAndForcedIndexes) {
    EXPECT_EQ(hostile_value(Hostile::minus_one, 5), -1);
    EXPECT_EQ(hostile_value(Hostile::lowest, 5), INT32_MIN);
    EXPECT_EQ(hostile_value(Hostile::highest, 5), INT32_MAX);
    EXPECT_EQ(hostile_value(Hostile::past_end, 5), 5);
    EXPECT_EQ(hostile_value(Hostile::last, 5), 4);
    EXPECT_EQ(hostile_value(Hostile::valid, 5, 7), 2);
    EXPECT_EQ(hostile_value(Hostile::valid, 0, 7), 0);
    const uint8_t data[] = {9, 9, 9, 9};
    HostileBytes b(data, sizeof data);
    b.forced = Hostile::past_end;
    EXPECT_EQ(b.index(3), 3);
    EXPECT_EQ(b.index(3), 1) << "valid: 9 / 8 % 3";
    EXPECT_EQ(b.index(3), 3);
    EXPECT_EQ(b.byte(), 9);
    EXPECT_EQ(b.byte(), 0) << "past the end the bytes read as zero";
    for (uint8_t m = 0; m < 64; ++m) {
        if ((m & 0x0f) > hostile_kinds) continue;
        EXPECT_EQ(HostileMode::from_byte(m).to_byte(), m) << int(m);
    }
}

}  // namespace
